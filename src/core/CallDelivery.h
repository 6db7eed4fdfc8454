#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

class Clock;
class Database;

// Proof that each call reached the hall: every screen that shows calls (a desktop board, a mirror, a
// web board) and every announcer records each showing of a call it showed or spoke, and the counter
// and the reports read which of the screens that should have had it did.
//
// Two tables of their own, made at the owner's open (ensureTables):
// - brivane_screen: one row per screen: its name, kind, the counters it shows (';'-separated keys,
//   empty: every counter), and when it was first and last seen (program clock, yyyy-MM-dd HH:mm:ss).
//   "First seen" starts again when a screen comes back after more than the expected window away.
// - brivane_shown: one row per (call, showing, screen): the call's key, its stamp (tblCall.callstamp;
//   a recall is a new showing with a new stamp), the screen and when it showed it.
//
// Which screens are expected to show a showing made at moment T: those whose counters include the
// call's counter, seen within ExpectedWindowMinutes before T and first seen by T (plus a little
// slack for clocks of different machines). A screen keeps itself seen while it runs (see
// HeartbeatMinutes), so a board switched off tonight is not expected tomorrow. Taking boards share
// the calls between them (each call is taken by one): once one taking board showed a showing, the
// other taking boards are not expected to.
//
// All of these throw DbError; a hall whose owner has not opened it since these tables came (a store
// opened as it is) lacks them: see present().
namespace delivery {

enum class ScreenKind { Board, Mirror, Web, Announcer };
QString kindName(ScreenKind kind); // "board", "mirror", "web", "announcer"
// The kind of a stored name; Board for one this version does not know.
ScreenKind kindOfName(const QString& name);
// Whether the kind shows calls (an announcer speaks them).
inline bool isBoard(ScreenKind kind)
{
    return kind != ScreenKind::Announcer;
}

// A screen not seen for this long before a call is not expected to show it.
constexpr int ExpectedWindowMinutes = 10;
// How often a running screen that shows no call says it is still there (well inside the window).
constexpr int HeartbeatMinutes = 4;
// Clocks of two machines may differ by this much: a screen first seen up to this long after a call
// is still expected to show it.
constexpr int ClockSlackSeconds = 60;

// Makes the two tables where they are missing (at each open that may change the schema). A login
// that may not create tables leaves them missing; nothing else changes.
void ensureTables(Database& db);
// The tables' names, for grants and for clearing a hall.
QStringList tables();
// Whether the hall has the tables (false on a hall opened as it is before its owner made them).
bool present(Database& db);

// A screen that starts showing calls (or is still there): its name, kind and the counters it shows
// (empty: every counter). Upserts its row.
void announceScreen(Database& db, const Clock& clock, const QString& screen, ScreenKind kind,
                    const QVector<qint64>& counters);
// The screen showed (or, an announcer, spoke) this showing of a call: the call's key and its stamp.
// Idempotent for the same (screen, call, stamp). Also marks the screen seen (without changing its
// kind or counters when its row exists; a screen that never announced itself is made one that shows
// every counter).
void recordShown(Database& db, const Clock& clock, const QString& screen, qint64 callAuto, qint64 stamp,
                 ScreenKind kind = ScreenKind::Board);

// One screen that showed a showing, or that was expected to and did not.
struct Receipt
{
    QString screen;
    ScreenKind kind = ScreenKind::Board;
    QString shownAt; // empty: not (yet) shown
    QString lastSeen;
};

// The receipts of a call's latest showing (its present callstamp): the screens that showed it first,
// in the order they did, then those expected that did not, by name. `at` is when the showing was made
// (yyyy-MM-dd HH:mm:ss); empty: when the first screen showed it, or, when none did, the ticket's
// call time.
QVector<Receipt> receiptsOf(Database& db, qint64 callAuto, const QString& at = QString());

// The screens of the hall as stored.
struct Screen
{
    QString name;
    ScreenKind kind = ScreenKind::Board;
    QVector<qint64> counters; // empty: every counter
    QDateTime firstSeen;
    QDateTime lastSeen;
    bool shows(qint64 counter) const { return counters.isEmpty() || counters.contains(counter); }
};
QVector<Screen> screens(Database& db);

// Every showing of the calls of a day with its receipts, for listings and for the misses per screen:
// keyed by (call key, stamp). A showing no screen showed is there with the expected ones only when
// the hall's tickets give its call time.
struct Showing
{
    qint64 callAuto = 0;
    qint64 stamp = 0;
    qint64 counter = 0;
    QVector<Receipt> receipts;
};
QVector<Showing> showingsOfDay(Database& db, const QDate& day);

// The receipts of one showing from what is stored, worked out without the store: the screens that
// showed it (screen name -> when) and the hall's screens. Exposed for the day's listing and tests.
QVector<Receipt> receiptsFrom(const QVector<Screen>& screens, qint64 counter, const QDateTime& at,
                              const QVector<QPair<QString, QString>>& shown);

// Clearing a hall's old data: the rows of showings before the day, and the screens not seen since.
qint64 clearBefore(Database& db, const QDate& before);

// The program clock's text of a moment, as the tables keep it.
QString stampText(const QDateTime& moment);

} // namespace delivery
