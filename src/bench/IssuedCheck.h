#pragma once

#include <QSet>
#include <QString>

class Database;

// The tokens the kiosks were told were issued against the tickets stored, by each ticket's page code
// (a fresh code of every issue).
struct IssuedCheck
{
    qint64 lost = 0;   // told as issued, not stored: a token in a visitor's hand that no counter calls
    qint64 untold = 0; // stored, but no kiosk was told of it: a ticket nobody holds
};
IssuedCheck compareIssued(Database& db, const QSet<QString>& toldIssued);
