#pragma once

#include "web/WebAnswers.h"

#include <QByteArray>
#include <QString>
#include <optional>

class Clock;
class Database;

// The near-turn alert's form, posted to /t/CODE/alert with the fields `when` ("5", "10", "15",
// "next", or "off" to take the choice back) and `phone` (optional). A page without scripts gets the
// ticket page back (a redirect to it once the choice is kept, the page with the reason when it is
// refused); the page's script asks for JSON and gets the ticket's state, or {"t":"error","error":…}.
namespace alertform {

// The page's code of an alert path; nullopt for any other path.
std::optional<QString> codeOfPath(const QString& path);

// What the form asks, read strictly: one `when` of the known ones (or "off" among them, the take-back
// button), at most one phone, nothing that is not a phone number.
struct Request
{
    bool withdraw = false;
    QString lead;
    QString phone;                 // without spaces and dashes; empty when none was typed
    const char* refusal = nullptr; // the sentence of a refused form
};
Request read(const QByteArray& body);

// Reads the form, checks the page's token and keeps the choice; runs on a reader. `kept` is set to
// the token's key when the store changed.
WebAnswer answer(Database& db, const Clock& clock, const QString& code, const QByteArray& body, bool json,
                 qint64& kept);

// The answer when the store cannot be reached (or is too busy) to keep the choice now.
WebAnswer unreachable(bool json);

// The answer to a client that posts too often.
WebAnswer tooMany(bool json, int retryAfter);

} // namespace alertform
