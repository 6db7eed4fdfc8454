#include "tickets/Numbering.h"

#include "core/Database.h"
#include "ui/Clock.h"

#include <QVariantMap>

#include <atomic>

namespace numbering {

namespace {

QString dayText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

// The service row of a result whose first columns are endno, abrno, servdesc and ServName.
ServiceInfo serviceFrom(const ResultSet& rs)
{
    ServiceInfo info;
    if (rs.isEmpty())
        return info;
    info.found = true;
    info.endNo = rs.number(0, 0);
    info.prefix = rs.text(0, 1);
    info.description = rs.text(0, 2);
    info.name = rs.text(0, 3);
    return info;
}

// What an issue needs to know, in one look while the service is locked: the service row, the
// number it will take (the one asked for, or the next free one when that is taken) and its label.
bool lookForIssue(Database& db, qint64 serviceId, const QString& day, qint64& number, ServiceInfo& service)
{
    const ResultSet rs = db.query(
        QStringLiteral("select endno,abrno,servdesc,ServName,startno,"
                       "(select max(tickno) from tblticket where servauto=? and tickdate=?),"
                       "(select count(*) from tblticket where servauto=? and tickdate=? and tickno=?) "
                       "from tblService where servAuto=?"),
        {serviceId, day, serviceId, day, number, serviceId});
    service = serviceFrom(rs);
    if (!service.found)
        return false;
    if (rs.number(0, 6) > 0) {
        const qint64 next = rs.isNull(0, 5) ? rs.number(0, 4) : rs.number(0, 5) + 1;
        number = qMax(number + 1, next);
    }
    return true;
}

// Issues of one service's numbers wait for each other on PostgreSQL, so that no two workstations
// look at the same highest number and no transaction is refused by the unique index. The lock ends
// with the transaction. SQLite needs none: its transactions take the write lock at their start.
void takeServiceLock(Database& db, qint64 serviceId)
{
    if (!db.isPostgres())
        return;
    constexpr int numberingLocks = 7274002; // one space of advisory locks, keyed by service
    db.query(QStringLiteral("select pg_advisory_xact_lock(?, cast(? as integer))"),
             {numberingLocks, qint32(serviceId % 2147483647)});
}

std::atomic<qint64> clashes{0};

// Attempts before giving up when other workstations keep taking the number first.
constexpr int maxAttempts = 200;

} // namespace

QString tokenLabel(const QString& prefix, qint64 number)
{
    return prefix + QString::number(number);
}

qint64 getToken(Database& db, qint64 serviceId, const QDate& issueDate)
{
    const ResultSet highest =
        db.query(QStringLiteral("select max(tickno) from tblticket where servauto=? and tickdate=?"),
                 {serviceId, dayText(issueDate)});
    if (!highest.isEmpty() && !highest.isNull(0, 0))
        return highest.number(0, 0) + 1;
    const ResultSet service =
        db.query(QStringLiteral("select startno from tblService where servauto=?"), {serviceId});
    return service.isEmpty() ? 0 : service.number(0, 0);
}

QString getNowServing(Database& db, const Clock& clock, qint64 serviceId)
{
    const ResultSet rs =
        db.query(QStringLiteral("select no_abr from tblticket where call='1' and tickDate=? and "
                                "servAuto=? order by tickAuto desc limit 1"),
                 {clock.todayText(), serviceId});
    return rs.isEmpty() ? QString() : rs.text(0, 0);
}

ServiceInfo readService(Database& db, qint64 serviceId)
{
    return serviceFrom(
        db.query(QStringLiteral("select endno,abrno,servdesc,ServName from tblService where servAuto=?"),
                 {serviceId}));
}

IssuedTicket storeTicket(Database& db, const Clock& clock, const IssueRequest& request)
{
    IssuedTicket result;
    const QString day = dayText(request.issueDate);
    qint64 number = request.number;
    for (int attempt = 0; attempt < maxAttempts; ++attempt) {
        bool stored = false;
        try {
            // A broken connection before the commit saved nothing: the whole issue runs again once on
            // a new connection, and looks at the numbers afresh.
            db.inTransaction([&] {
                stored = false;
                takeServiceLock(db, request.serviceId);
                if (!lookForIssue(db, request.serviceId, day, number, result.service)) {
                    result.status = IssuedTicket::Status::NoService;
                    return;
                }
                result.number = number;
                result.label = tokenLabel(result.service.prefix, number);
                if (number > result.service.endNo || number > highestTokenNumber) {
                    result.status = IssuedTicket::Status::Limit;
                    return;
                }
                const QDateTime now = clock.now();
                QVariantMap row{{QStringLiteral("servAuto"), request.serviceId},
                                {QStringLiteral("tickNo"), number},
                                {QStringLiteral("tickDate"), day},
                                {QStringLiteral("tickTime"), now.time().toString(QStringLiteral("HH:mm:ss"))},
                                {QStringLiteral("call"), QStringLiteral("0")},
                                {QStringLiteral("no_abr"), result.label},
                                {QStringLiteral("attended"), 0},
                                {QStringLiteral("ttype"), QStringLiteral("N")}};
                if (request.writeAppTime)
                    row.insert(QStringLiteral("apptime"), now.time().toString(QStringLiteral("HH:mm")));
                result.tickAuto = db.insert(QStringLiteral("tblTicket"), row);
                stored = true;
            });
            if (stored)
                result.status = IssuedTicket::Status::Issued;
            return result;
        } catch (const DbError& e) {
            // The unique index is the last guard, for a workstation that numbers without the lock:
            // the refused transaction is rolled back and the next attempt looks again.
            if (!e.isUniqueViolation())
                throw;
            ++clashes;
            ++number;
        }
    }
    throw DbError(QStringLiteral("No free token number could be taken for this service"));
}

qint64 numberClashes()
{
    return clashes.load();
}

} // namespace numbering
