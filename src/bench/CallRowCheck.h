#pragma once

#include <QtGlobal>

class Database;

// Called tickets whose call never reached the boards: marked called, yet without a call row.
qint64 calledWithoutCallRow(Database& db);
