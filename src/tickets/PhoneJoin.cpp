#include "tickets/PhoneJoin.h"

#include "core/Database.h"
#include "core/PhoneJoinTable.h"
#include "ui/Clock.h"

#include <QCryptographicHash>
#include <QMutex>

namespace phonejoin {

namespace {

const QString Stamp = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// Joins of one web server are checked and recorded one at a time, so that two taps of one phone
// cannot both pass the budget.
QMutex joining;

bool isOpen(Database& db, qint64 service)
{
    return !db.query(QStringLiteral(
                         "select 1 from tblService where servAuto=? and active='1' and phonejoin='1'"),
                     {service})
                .isEmpty();
}

// Rows that can no longer refuse a join: those of earlier days, and those older than an hour whose
// token no longer waits.
void forgetSpent(Database& db, const QDateTime& now)
{
    const QString table = tableName();
    db.exec(
        QStringLiteral("delete from %1 where joined<? or (joined<? and not exists (select 1 from tblticket t "
                       "where t.tickauto=%1.tickauto and t.call='0'))")
            .arg(table),
        {QDateTime(now.date(), QTime(0, 0)).toString(Stamp), now.addSecs(-3600).toString(Stamp)});
}

// The page code of the phone's waiting token of the service, today; empty when it has none.
QString waitingTokenOf(Database& db, const QString& phone, qint64 service, const QString& day)
{
    const ResultSet rs = db.query(
        QStringLiteral("select t.webcode, t.no_abr from %1 j join tblticket t on t.tickauto=j.tickauto "
                       "where j.phone=? and j.servauto=? and t.tickdate=? and t.call='0' "
                       "order by t.tickauto desc limit 1")
            .arg(tableName()),
        {phone, service, day});
    return rs.isEmpty() ? QString() : rs.text(0, 0);
}

qint64 joinsWithinHour(Database& db, const QString& place, const QDateTime& now)
{
    return db
        .query(QStringLiteral("select count(*) from %1 where place=? and joined>=?").arg(tableName()),
               {place, now.addSecs(-3600).toString(Stamp)})
        .number(0, 0);
}

} // namespace

QString budgetHash(const QByteArray& value)
{
    return QString::fromLatin1(QCryptographicHash::hash(value, QCryptographicHash::Sha256).toHex());
}

QVector<Joinable> joinableServices(Database& db, const Clock& clock)
{
    const ResultSet rs =
        db.query(QStringLiteral("select servAuto, servName, servdesc from tblService "
                                "where active='1' and phonejoin='1' order by servName, servAuto"));
    QVector<Joinable> out;
    const QDate today = clock.today();
    for (int r = 0; r < rs.size(); ++r) {
        Joinable j;
        j.service = rs.number(r, 0);
        j.name = rs.text(r, 1);
        j.description = rs.text(r, 2);
        // What a kiosk would print for the token it issued now.
        const qint64 next = numbering::getToken(db, j.service, today);
        j.estimate = waiting::WaitEstimator(db, clock).forNewTicket(j.service, next, clock.todayText());
        out.append(j);
    }
    return out;
}

void setOpen(Database& db, qint64 service, bool open)
{
    db.exec(QStringLiteral("update tblService set phonejoin=? where servAuto=?"),
            {open ? QStringLiteral("1") : QStringLiteral("0"), service});
}

JoinResult join(Database& db, const Clock& clock, const JoinRequest& request)
{
    JoinResult result;
    if (!isOpen(db, request.service))
        return result;
    if (!tableExists(db)) {
        result.status = JoinResult::Status::Unavailable;
        return result;
    }
    const QMutexLocker lock(&joining);
    const QDateTime now = clock.now();
    forgetSpent(db, now);
    const QString phone = request.phone.isEmpty() ? QString() : budgetHash(request.phone);
    const QString place = budgetHash(request.place.toUtf8());
    if (!phone.isEmpty()) {
        const QString open = waitingTokenOf(db, phone, request.service, clock.todayText());
        if (!open.isEmpty()) {
            result.status = JoinResult::Status::PhoneHasOne;
            result.webCode = open;
            return result;
        }
    }
    if (joinsWithinHour(db, place, now) >= qMax(1, request.joinsPerHour)) {
        result.status = JoinResult::Status::PlaceBudget;
        return result;
    }
    numbering::IssueRequest issue;
    issue.serviceId = request.service;
    issue.issueDate = clock.today();
    issue.number = numbering::nextNumber;
    issue.language = request.language;
    issue.origin = QString::fromLatin1(phoneOrigin);
    const numbering::IssuedTicket ticket = numbering::storeTicket(db, clock, issue);
    if (ticket.status == numbering::IssuedTicket::Status::Limit) {
        result.status = JoinResult::Status::Limit;
        return result;
    }
    if (!ticket.issued())
        return result;
    // A phone without a cookie counts for its address only: its row names no phone (null).
    db.exec(QStringLiteral("insert into %1 (tickauto, servauto, phone, place, joined) values (?, ?, ?, ?, ?)")
                .arg(tableName()),
            {ticket.tickAuto, request.service, phone, place, now.toString(Stamp)});
    result.status = JoinResult::Status::Joined;
    result.webCode = ticket.webCode;
    result.label = ticket.label;
    return result;
}

} // namespace phonejoin
