#pragma once

#include <QDate>
#include <QList>
#include <QString>

class Database;

// What the kiosk says to a visitor who cannot read its screen.
namespace kioskSpeech {

// How the keys work, said when the first key wakes the kiosk and again on the help key.
QString help();
// A button that got the focus: its words and where it stands among the buttons.
QString choice(const QString& spoken, int index, int count);
// The issued number and what to do next. printed: a ticket came out of the printer; counter: the
// counter the token was directed to (empty for the service's queue); wait: the estimated wait line.
QString issued(const QString& label, bool printed, const QString& counter = {}, const QString& wait = {});
// No number was issued (the service's numbers are used up, or it is no longer offered).
QString notIssued();
// The server does not answer: the kiosk cannot issue or tell the calls.
QString serverLost();

// One call on the board: the token and where it was called to.
struct Call
{
    QString label;
    QString counter;
};
// Today's latest calls, newest first, at most `count`. Store failures pass to the caller as DbError.
QList<Call> latestCalls(Database& db, const QDate& today, int count = 3);
// "Now serving: ..." for those calls, newest first.
QString nowServing(const QList<Call>& calls);

} // namespace kioskSpeech
