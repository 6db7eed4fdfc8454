#include "tickets/Numbering.h"

#include "core/Database.h"
#include "ui/Clock.h"

#include <QVariantMap>

namespace numbering {

namespace {

QString dayText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

bool numberTaken(Database& db, qint64 serviceId, const QString& day, qint64 number)
{
    return !db.query(QStringLiteral(
                         "select tickAuto from tblticket where servauto=? and tickdate=? and tickno=?"),
                     {serviceId, day, number})
                .isEmpty();
}

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
    ServiceInfo info;
    const ResultSet rs = db.query(
        QStringLiteral("select endno,abrno,servdesc,ServName from tblService where servAuto=?"), {serviceId});
    if (rs.isEmpty())
        return info;
    info.found = true;
    info.endNo = rs.number(0, 0);
    info.prefix = rs.text(0, 1);
    info.description = rs.text(0, 2);
    info.name = rs.text(0, 3);
    return info;
}

IssuedTicket storeTicket(Database& db, const Clock& clock, const IssueRequest& request)
{
    IssuedTicket result;
    const QString day = dayText(request.issueDate);
    qint64 number = request.number;
    for (int attempt = 0; attempt < maxAttempts; ++attempt) {
        try {
            Database::Transaction transaction(db);
            result.service = readService(db, request.serviceId);
            if (!result.service.found) {
                result.status = IssuedTicket::Status::NoService;
                return result;
            }
            if (numberTaken(db, request.serviceId, day, number))
                number = qMax(number + 1, getToken(db, request.serviceId, request.issueDate));
            if (number > result.service.endNo || number > highestTokenNumber) {
                result.status = IssuedTicket::Status::Limit;
                result.number = number;
                result.label = tokenLabel(result.service.prefix, number);
                return result;
            }
            const QDateTime now = clock.now();
            QVariantMap row{{QStringLiteral("servAuto"), request.serviceId},
                            {QStringLiteral("tickNo"), number},
                            {QStringLiteral("tickDate"), day},
                            {QStringLiteral("tickTime"), now.time().toString(QStringLiteral("HH:mm:ss"))},
                            {QStringLiteral("call"), QStringLiteral("0")},
                            {QStringLiteral("no_abr"), tokenLabel(result.service.prefix, number)},
                            {QStringLiteral("attended"), 0},
                            {QStringLiteral("ttype"), QStringLiteral("N")}};
            if (request.writeAppTime)
                row.insert(QStringLiteral("apptime"), now.time().toString(QStringLiteral("HH:mm")));
            result.tickAuto = db.insert(QStringLiteral("tblTicket"), row);
            transaction.commit();
            result.status = IssuedTicket::Status::Issued;
            result.number = number;
            result.label = tokenLabel(result.service.prefix, number);
            return result;
        } catch (const DbError& e) {
            // Another workstation stored this number between our look and our insert; the failed
            // transaction is rolled back and the next attempt looks again.
            if (!e.isUniqueViolation())
                throw;
            ++number;
        }
    }
    throw DbError(QStringLiteral("No free token number could be taken for this service"));
}

} // namespace numbering
