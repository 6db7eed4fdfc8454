#pragma once

#include <QString>

class Database;
struct Session;
class Settings;

// Small lookups shared by every screen: a name to a key, a key to a name. Each takes the first
// matching row and gives 0 or an empty text when none matches. Failures of the store pass to the
// caller as DbError.
namespace lookups {

qint64 deptIdByName(Database& db, const QString& name);
QString deptNameById(Database& db, qint64 id);
// Also sets session.counterDisplayName to the counter's display name ("" when none).
QString counterNamesById(Database& db, Session& session, qint64 id);
qint64 counterIdByName(Database& db, const QString& name);
qint64 serviceIdByName(Database& db, const QString& name);
QString serviceNameById(Database& db, qint64 id);
QString tokenLabelById(Database& db, qint64 id);
qint64 themeIdByName(Database& db, const QString& name);
// True when at least one row of table has column equal to number. Table and column are names the
// program itself chooses, never user input.
bool rowExists(Database& db, const QString& table, const QString& column, qint64 number);

} // namespace lookups

// Builds session.counterFilter from the counters chosen for the session's theme
// (setting Q / CounterList / <themeId>): "and 1=1" for all counters, otherwise
// "and(servAuto=3 or servAuto=5)". Items that are not counter keys are skipped.
void buildCounterFilter(const Settings& settings, Session& session);
QString counterFilterFor(const QString& counterList);
