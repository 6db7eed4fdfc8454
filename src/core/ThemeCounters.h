#pragma once

#include <QStringList>

class Database;
class Settings;
struct Session;

// The counters whose calls a theme's display boards show, kept with the theme in the database
// (tbltheme.counters: counter keys separated by ";", empty for every counter), so that every
// display PC of the theme shows and speaks the same counters.
namespace themeCounters {

// The theme's choice. A theme that has never had one stored takes the choice this workstation kept
// in its own settings before (Q / CounterList / <theme key>, keys separated by ","), which is moved
// into the theme then, once. No choice at all: every counter (an empty list).
QStringList load(Database& db, Settings& settings, qint64 themeId);
// Stores the choice with the theme (an empty list: every counter). Throws DbError when the store
// refuses.
void save(Database& db, Settings& settings, qint64 themeId, const QStringList& counterKeys);

} // namespace themeCounters

// Builds session.counterFilter from the counters chosen for the session's theme, as above:
// "and 1=1" for every counter, otherwise "and(servAuto=3 or servAuto=5)".
void buildCounterFilter(Database& db, Settings& settings, Session& session);
