#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

struct AppContext;
class Database;

// A hall whose database holds no display theme yet is offered a ready start: a board theme for this
// workstation's screen and a department (with one service) of each kind the kiosks list.
namespace newHall {

// True while the database holds no theme at all.
bool needsSetUp(Database& db);

struct Made
{
    qint64 themeId = 0;
    QString themeName;
    QStringList departments; // the departments added, by name
};

// Adds the hall theme for a screen of that size and, for each kiosk kind ("Walk-In", "Report",
// "Appointment", "Emergency") that no department has, a department of that kind with one service
// under a prefix no service uses yet. One transaction; store failures pass on as DbError.
Made setUp(Database& db, const QSize& screenPixels, const QStringList& fontFamilies);

// The main window's start step for an administrator: on a database without a theme, asks whether to
// set up the ready hall, makes it, chooses its theme for this workstation and says what was made.
void offer(AppContext& ctx);

} // namespace newHall
