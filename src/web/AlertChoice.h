#pragma once

#include <QString>
#include <optional>

class Clock;
class Database;

// What a visitor asks for on the page of a waiting token: to be told a few minutes before the turn
// (or when nobody is ahead any more), on the page and, with a phone number, by a text message. The
// choice and what became of it are kept in brivane_alert, the number alone in brivane_phone.
namespace alertchoice {

// The leads a visitor may choose: "5", "10", "15" (minutes before the turn) or "next".
std::optional<QString> leadOf(const QString& when);
// The form's word for taking the choice back.
inline constexpr const char* withdrawal = "off";

// A phone number as typed: spaces and dashes are taken out, then it must be digits with an optional
// leading +, of a length a phone number has. "" when nothing was typed; nullopt when it is not a
// phone number.
std::optional<QString> phoneOf(const QString& typed);

// An alert asked for a token and what became of it.
struct AlertState
{
    QString lead; // "5", "10", "15" or "next"
    bool text = false;
    QString fired; // when it fired ("yyyy-MM-dd HH:mm:ss"); empty until then
    std::optional<int> firedWait;
    std::optional<qint64> firedAhead;
    bool moot = false; // the token was called before the alert fired
};

// What the page of a token may offer: whether this hall keeps alerts at all, and the token's alert.
struct Found
{
    bool available = false;
    std::optional<AlertState> alert;
};
// Store failures of the connection pass to the caller as DbError; a hall without the tables (one not
// yet opened by its owner since) has no alerts.
Found stateOf(Database& db, qint64 ticket);

enum class Outcome {
    Kept,         // the choice is kept (or taken back)
    NotWaiting,   // the token is not one of today's waiting tokens
    AlreadyFired, // the alert was given (or the token called) already: there is nothing to change
    Unavailable,  // this hall or this login keeps no alerts
};

// Keeps the visitor's choice for a waiting token of today, with the phone number when one is given;
// without one, a number given before is kept (the page never shows it back).
Outcome ask(Database& db, const Clock& clock, qint64 ticket, const QString& lead, const QString& phone);
// Takes the choice back, with its phone number.
Outcome withdraw(Database& db, const Clock& clock, qint64 ticket);

} // namespace alertchoice
