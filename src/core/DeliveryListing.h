#pragma once

#include "core/CallDelivery.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVector>
#include <optional>

class Database;
class QTextStream;

// What the call receipts say to a person: per call, the screens that showed it and those that should
// have and did not; per screen, how many of the calls it should have shown it missed and how long
// the ones it showed took to reach it.
namespace delivery {

// What the listings say on a hall opened as it is that has no receipts' tables yet.
inline constexpr const char* NoRecordYet =
    "This hall keeps no record of the screens' showings yet: its owner opens it once to start one.";

// One showing of a call (the call, or a recall of it) with what a listing tells of it.
struct ListedShowing
{
    Showing showing;
    int number = 1;     // 1 the call's first showing on record, 2 the next (a recall), ...
    QString token;      // the token's label
    QString counter;    // the counter's caption on the boards
    QDateTime calledAt; // when the call was made; invalid when the hall's tickets do not tell
};

// The day's showings, in the order of the calls. The moment of the call is known for the first
// showing on record of a ticket's latest call (the ticket keeps the time of its latest call only).
QVector<ListedShowing> listedShowings(Database& db, const QDate& day);

// Seconds from the call to the screen's showing; nothing when either moment is unknown. A showing a
// little before the call (two machines' clocks) counts as at once.
std::optional<qint64> delaySeconds(const ListedShowing& showing, const Receipt& receipt);

// One screen's record over some days.
struct ScreenMisses
{
    QString screen;
    ScreenKind kind = ScreenKind::Board;
    int expected = 0; // showings it showed or should have
    int shown = 0;
    int missed = 0;
    QList<qint64> delays; // seconds, of the showings whose call moment is known

    std::optional<double> medianDelay() const;
    std::optional<qint64> slowestDelay() const;
};

// Per screen, by name.
QVector<ScreenMisses> missesPerScreen(const QVector<ListedShowing>& showings);
// The showings of the days from `from` to `to`, per screen.
QVector<ScreenMisses> missesPerScreen(Database& db, const QDate& from, const QDate& to);

// As comma-separated lines with a heading line: a line per screen of each showing ("shown" with its
// time and delay, or "missed"), a showing no screen was expected to show on a line of its own.
void printShowings(const QVector<ListedShowing>& showings, QTextStream& out);
void printMisses(const QVector<ScreenMisses>& screens, QTextStream& out);

} // namespace delivery
