#pragma once

#include <QString>

// Sets one value in a settings file as another program does (brivane-ctl setting, another run of the
// program on the same account): through a store of its own, then the file replaced in one step with
// a newer time. The running program's store learns of it only from the file.
void setAsAnotherProgram(const QString& settingsFile, const QString& app, const QString& section,
                         const QString& key, const QString& value);
