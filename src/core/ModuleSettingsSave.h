#pragma once

#include <QString>
#include <optional>

struct AppContext;
class Database;
class Settings;
struct Session;

// What the module settings' Save means for the running program: the board's theme (themeId), the
// news speed (scrollSpeed) and the copies of a ticket (printCopies) follow the store as it is now.
// The administrator log-in and Print Ticket perform it: since a Save stores only what its user
// changed, a Save nobody made stores nothing, so they write nothing and only take the values again.
void performModuleSettingsSave(AppContext& ctx);
void applyModuleSettings(Database& db, const Settings& settings, Session& session);

namespace modulesettings {

// The value of a box's text, when the text is a number.
std::optional<double> numberIn(const QString& text);
// A count or speed taken from a box; absurd magnitudes are held to what an int can carry.
qint64 wholeNumber(double value);

} // namespace modulesettings
