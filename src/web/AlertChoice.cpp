#include "web/AlertChoice.h"

#include "core/Database.h"
#include "ui/Clock.h"

#include <QRegularExpression>

namespace alertchoice {

namespace {

// The shortest local number with its area code and the longest international one (15 digits).
constexpr int MinDigits = 6;
constexpr int MaxDigits = 15;
// Anything longer is refused before it is looked at.
constexpr int MaxTyped = 40;

bool isWaitingToday(Database& db, const Clock& clock, qint64 ticket)
{
    const ResultSet rs =
        db.query(QStringLiteral("select call, tickDate from tblTicket where tickAuto = ?"), {ticket});
    return !rs.isEmpty() && rs.text(0, 0) == QLatin1String("0") && rs.text(0, 1) == clock.todayText();
}

// A login or a hall that cannot keep alerts: the visitor is told, nothing else happens.
bool cannotKeep(const DbError& e)
{
    return !e.isConnectionFailure() &&
           (e.kind() == DbError::Kind::NotPermitted || e.kind() == DbError::Kind::Other);
}

} // namespace

std::optional<QString> leadOf(const QString& when)
{
    for (const char* lead : {"5", "10", "15", "next"}) {
        if (when == QLatin1String(lead))
            return QString::fromLatin1(lead);
    }
    return std::nullopt;
}

std::optional<QString> phoneOf(const QString& typed)
{
    if (typed.size() > MaxTyped)
        return std::nullopt;
    QString phone = typed.trimmed();
    phone.remove(QLatin1Char(' '));
    phone.remove(QLatin1Char('-'));
    if (phone.isEmpty())
        return QString();
    static const QRegularExpression form(QStringLiteral("^\\+?[0-9]+$"));
    const qsizetype digits = phone.size() - (phone.startsWith(QLatin1Char('+')) ? 1 : 0);
    if (!form.match(phone).hasMatch() || digits < MinDigits || digits > MaxDigits)
        return std::nullopt;
    return phone;
}

Found stateOf(Database& db, qint64 ticket)
{
    Found found;
    ResultSet rs;
    try {
        rs = db.query(QStringLiteral("select a.lead, a.fired, a.firedwait, a.firedahead, "
                                     "(select count(*) from brivane_phone p where p.tickauto = a.tickauto) "
                                     "from brivane_alert a where a.tickauto = ?"),
                      {ticket});
    } catch (const DbError& e) {
        if (!cannotKeep(e))
            throw;
        return found;
    }
    found.available = true;
    if (rs.isEmpty())
        return found;
    AlertState a;
    a.lead = rs.text(0, 0);
    a.fired = rs.text(0, 1);
    if (!rs.isNull(0, 2))
        a.firedWait = int(rs.number(0, 2));
    if (!rs.isNull(0, 3))
        a.firedAhead = rs.number(0, 3);
    a.moot = a.fired.isEmpty() && a.firedAhead.value_or(0) < 0;
    if (a.moot) {
        a.firedWait.reset();
        a.firedAhead.reset();
    }
    a.text = rs.number(0, 4) > 0;
    found.alert = a;
    return found;
}

Outcome ask(Database& db, const Clock& clock, qint64 ticket, const QString& lead, const QString& phone)
{
    Outcome outcome = Outcome::Kept;
    try {
        db.inTransaction([&] {
            if (!isWaitingToday(db, clock, ticket)) {
                outcome = Outcome::NotWaiting;
                return;
            }
            const QString asked = clock.now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            // A choice changes only while its alert has not fired (nor become moot).
            const qint64 kept =
                db.exec(QStringLiteral("insert into brivane_alert (tickauto, lead, asked, fired, sms, smsat) "
                                       "values (?, ?, ?, '', '', '') on conflict (tickauto) do update "
                                       "set lead = excluded.lead, asked = excluded.asked "
                                       "where brivane_alert.fired = '' and brivane_alert.firedahead is null"),
                        {ticket, lead, asked});
            if (kept == 0) {
                outcome = Outcome::AlreadyFired;
                return;
            }
            if (!phone.isEmpty()) {
                db.exec(QStringLiteral("insert into brivane_phone (tickauto, phone) values (?, ?) "
                                       "on conflict (tickauto) do update set phone = excluded.phone"),
                        {ticket, phone});
            }
        });
    } catch (const DbError& e) {
        if (!cannotKeep(e))
            throw;
        return Outcome::Unavailable;
    }
    return outcome;
}

Outcome withdraw(Database& db, const Clock& clock, qint64 ticket)
{
    Outcome outcome = Outcome::Kept;
    try {
        db.inTransaction([&] {
            if (!isWaitingToday(db, clock, ticket)) {
                outcome = Outcome::NotWaiting;
                return;
            }
            const qint64 gone = db.exec(QStringLiteral("delete from brivane_alert where tickauto = ? and "
                                                       "fired = '' and firedahead is null"),
                                        {ticket});
            const bool fired = gone == 0 && !db.query(QStringLiteral("select 1 from brivane_alert where "
                                                                     "tickauto = ?"),
                                                      {ticket})
                                                 .isEmpty();
            if (fired) {
                outcome = Outcome::AlreadyFired;
                return;
            }
            db.exec(QStringLiteral("delete from brivane_phone where tickauto = ?"), {ticket});
        });
    } catch (const DbError& e) {
        if (!cannotKeep(e))
            throw;
        return Outcome::Unavailable;
    }
    return outcome;
}

} // namespace alertchoice
