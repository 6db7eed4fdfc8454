#pragma once

#include <QString>
#include <optional>

class Database;
class Settings;

// The visitor's page of a ticket. Every ticket carries a random code (tblTicket.webcode) that names
// its page, BASE/t/CODE, where BASE is the hall's web address. The code is the only key to the page:
// it is never derived from the token's label or number, and the page of a code nobody was given
// cannot be found by trying labels.
namespace ticketcode {

// Bits of randomness in a code: far beyond any number of guesses a web server answers in a ticket's
// lifetime (2^128 codes; the web server also limits requests per client).
constexpr int codeBits = 128;
// Characters of a code: 128 bits in base 32, five bits a character, rounded up.
constexpr int codeLength = (codeBits + 4) / 5;

// A fresh code: 128 bits from the system's random source, in lower-case base 32 ("a"–"z", "2"–"7"),
// 26 characters. Safe in a URL path and in any store's text column.
QString newCode();

// True when text has the form of a code (length and alphabet); a look-up refuses anything else
// before it reaches the database.
bool isCodeForm(const QString& text);

// What the visitor's page may show of a ticket: no personal data is held with a ticket.
struct WebTicket
{
    qint64 tickAuto = 0;
    qint64 serviceId = 0;
    QString label;       // no_abr, e.g. "A101"
    QString serviceName; // tblService.servName
    QString tickDate;    // "yyyy-MM-dd", the day the token is for
    QString tickTime;    // "HH:mm:ss", when it was issued
    bool called = false; // call = '1' (called, finished or cancelled)
    QString status;      // "", "Finished" (called), "Cancelled", "Transferred"
    // The latest call of the ticket, when it has one: the counter's display name as the boards show
    // it, and the call row's key (a recall keeps the key and sets the row's status1 back to "0").
    qint64 callKey = 0;
    QString counterDisplayName;
    QString language; // tblTicket.lang: the visitor's language, "" when none was chosen
    // The estimate given at issue (tblTicket.estwait); nullopt when none was given.
    std::optional<int> estimateAtIssue;
};

// The ticket whose code is exactly `code`, of any day; nullopt for anything else (a label, a code
// of the wrong form, a code no ticket has). Store failures pass to the caller as DbError.
std::optional<WebTicket> ticketByCode(Database& db, const QString& code);

// The hall's web address for the visitor's pages, e.g. "http://192.168.1.10:8080": a per-workstation
// module setting (queue / web / address), empty when this workstation prints no page address. A bare
// "host:port" reads as "http://host:port".
QString webAddress(const Settings& settings);
void setWebAddress(Settings& settings, const QString& address);
// The settings path of the web address, for the settings screen and brivane-ctl's "setting".
inline constexpr const char* webAddressApp = "queue";
inline constexpr const char* webAddressSection = "web";
inline constexpr const char* webAddressKey = "address";

// The address of a ticket's page: BASE/t/CODE (a trailing "/" of BASE is dropped). Empty when the
// base or the code is empty.
QString pageAddress(const QString& base, const QString& code);

} // namespace ticketcode
