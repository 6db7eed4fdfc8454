#pragma once

#include <QList>
#include <QString>

class Database;
class Settings;

// One display theme of the hall.
struct HallTheme
{
    qint64 id = 0; // 0: no theme
    QString name;
};

// Which theme a board shows. One rule for the desktop board, the module settings screen and the
// web board: the theme of the name asked for when the hall has it (the first when names repeat);
// otherwise, when the hall has only one theme, that one; otherwise none. So a board PC that never
// chose a theme, or chose one that was renamed or deleted, shows the hall's only theme; with
// several, nobody guesses.
namespace themechoice {

// The hall's themes in the order they were made; none on a workstation that may not show calls.
// Failures of the store pass as DbError.
QList<HallTheme> hallThemes(Database& db);

// The rule above, over a list of themes.
HallTheme themeNamed(const QList<HallTheme>& themes, const QString& name);

// The rule above, over the hall's themes.
HallTheme boardTheme(Database& db, const QString& name);

// The theme this workstation's board uses (the name in Queue / theme / theme).
HallTheme workstationTheme(Database& db, const Settings& settings);

// The name a workstation's settings store for its theme ("" when none was chosen).
QString storedThemeName(const Settings& settings);

} // namespace themechoice
