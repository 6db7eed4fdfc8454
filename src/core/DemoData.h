#pragma once

#include <QString>

class Database;

namespace demo {

// The demo hall's log-ins, printed by the run script and named in the README.
inline const QString adminName = QStringLiteral("admin");
inline const QString adminPassword = QStringLiteral("admin");
inline const QString operatorPassword = QStringLiteral("1234");

// Adds an administrator (userType "Admin"); returns its key. Refuses an empty name or password.
qint64 createAdministrator(Database& db, const QString& name, const QString& password);

// Loads a believable hall into an empty database: departments of all four kinds, services with
// prefixes and number ranges, counters with their operators, company details, the display theme
// "Black H" with its layout and header rows, and a few news messages. With the installation folder
// given, the theme also gets its logo, clock face and video area, and the video list the demo video
// and two pictures of that folder. Returns false (and changes nothing) when the database already
// holds departments.
bool loadDemoHall(Database& db, const QString& installDir = QString());

} // namespace demo
