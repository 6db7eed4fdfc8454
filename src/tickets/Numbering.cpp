#include "tickets/Numbering.h"

#include "core/Database.h"
#include "core/QueueLength.h"
#include "core/Schema.h"
#include "tickets/LoadCache.h"
#include "tickets/TicketCode.h"
#include "ui/Clock.h"
#include "ui/Language.h"

#include <QCoreApplication>
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

// What an issue needs to know, in one look while the service is locked: the service row and the
// number it will take (the day's next for nextNumber; the one asked for, or the next after the day's
// highest when that is taken).
bool lookForIssue(Database& db, qint64 serviceId, const QString& day, qint64& number, ServiceInfo& service)
{
    const ResultSet rs = db.query(
        QStringLiteral(
            "select endno,abrno,servdesc,ServName,startno,"
            "(select tickno from tblticket where servauto=? and tickdate=? order by tickno desc limit 1),"
            "(select count(*) from tblticket where servauto=? and tickdate=? and tickno=?) "
            "from tblService where servAuto=?"),
        {serviceId, day, serviceId, day, number, serviceId});
    service = serviceFrom(rs);
    if (!service.found)
        return false;
    const qint64 next = rs.isNull(0, 5) ? rs.number(0, 4) : rs.number(0, 5) + 1;
    if (number == nextNumber)
        number = next;
    else if (rs.number(0, 6) > 0)
        number = qMax(number + 1, next);
    return true;
}

// Issues of one service's numbers wait for each other on PostgreSQL, so that no two workstations
// look at the same highest number and no transaction is refused by the unique index. The lock ends
// with the transaction. SQLite needs none: its transactions take the write lock at their start.
void takeServiceLock(Database& db, qint64 serviceId)
{
    if (!db.isPostgres())
        return;
    db.query(QStringLiteral("select pg_advisory_xact_lock(?, cast(? as integer))"),
             {schema::numberingLockSpace, qint32(serviceId % 2147483647)});
}

std::atomic<qint64> clashes{0};
std::atomic<qint64> lookedUp{0};
std::atomic<qint64> foundStored{0};

// Attempts before giving up when other workstations keep taking the number first.
constexpr int maxAttempts = 200;

} // namespace

QString tokenLabel(const QString& prefix, qint64 number)
{
    return prefix + QString::number(number);
}

qint64 getToken(Database& db, qint64 serviceId, const QDate& issueDate)
{
    ResultSet rs;
    // The server's routine reads the highest number by the number index whatever its statistics say.
    if (db.isPostgres() && db.rights().readsNextNumberOnServer()) {
        try {
            rs = db.query(QStringLiteral("select %1(?, ?), 0").arg(schema::nextNumberRoutineName()),
                          {serviceId, dayText(issueDate)});
        } catch (const DbError& e) {
            // The routine gone since the connection opened (a hall made again): read as without it.
            if (db.transactionOpen() || e.isConnectionFailure() ||
                !e.detail().contains(schema::nextNumberRoutineName()))
                throw;
            db.findRightsAgain();
            if (db.rights().readsNextNumberOnServer())
                throw;
            return getToken(db, serviceId, issueDate);
        }
    } else {
        rs = db.query(QStringLiteral("select (select tickno + 1 from tblticket where servauto=? and "
                                     "tickdate=? order by tickno desc limit 1), startno "
                                     "from tblService where servauto=?"),
                      {serviceId, dayText(issueDate), serviceId});
    }
    if (rs.isEmpty())
        return 0;
    return rs.isNull(0, 0) ? rs.number(0, 1) : rs.number(0, 0);
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

namespace {

QVariant estimatedMinutes(const waiting::Estimate& estimate)
{
    return estimate.minutes ? QVariant(qint64(*estimate.minutes)) : QVariant(QMetaType::fromType<qint64>());
}

// The visitor's language as stored: a code the program has texts for, or nothing.
QVariant languageValue(const IssueRequest& request)
{
    const QString code = Language::known(request.language);
    return code.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(code);
}

// What the wait estimate of a ticket about to be issued needs before the number is taken: nothing
// (nullopt) for a ticket that gets none, otherwise the service's load now (kept by `loads` when
// given). Only a walk-in of today waits its turn in the service's queue: an emergency goes first at
// its counter, an appointment waits for its time, a report token for the counter's lists. The
// estimate only informs the visitor: a store that cannot answer gives an unknown load, and the issue
// goes on (the insert meets a broken connection itself). The people ahead are counted by the issue.
std::optional<waiting::ServiceLoad> loadForIssue(Database& db, const Clock& clock,
                                                 const IssueRequest& request, waiting::LoadCache* loads)
{
    if (!request.estimate)
        return std::nullopt;
    if (request.direction.counter != 0 && request.direction.type != QLatin1String("N"))
        return std::nullopt;
    if (dayText(request.issueDate) != clock.todayText())
        return std::nullopt;
    try {
        if (loads)
            return loads->load(db, clock, request.serviceId);
        return waiting::WaitEstimator(db, clock).load(request.serviceId);
    } catch (const DbError&) {
        return waiting::ServiceLoad();
    }
}

// A stored ticket from a row of tickauto, tickno, no_abr, endno, abrno, servdesc and ServName.
void takeStoredRow(const ResultSet& rs, IssuedTicket& result)
{
    result.tickAuto = rs.number(0, 0);
    result.number = rs.number(0, 1);
    result.label = rs.text(0, 2);
    result.service.found = true;
    result.service.endNo = rs.number(0, 3);
    result.service.prefix = rs.text(0, 4);
    result.service.description = rs.text(0, 5);
    result.service.name = rs.text(0, 6);
    result.status = IssuedTicket::Status::Issued;
}

// Where the token was taken, as stored: "phone", or nothing at a kiosk.
QVariant originValue(const IssueRequest& request)
{
    return request.origin.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(request.origin);
}

// Whether the ticket of this request waits its turn in its service's queue once stored.
bool waitsInQueue(const IssueRequest& request)
{
    const Direction& to = request.direction;
    return to.counter == 0 || to.type == QLatin1String("N") || to.type == QLatin1String("E");
}

// PostgreSQL with the issue routine: the number is taken, the ticket counted into its queue with the
// people ahead of it, its wait worked out from `load` and the ticket stored in one statement of its own
// transaction. The server commits it before it says the statement is complete, and the row counts only
// once that end has come (a connection broken before it leaves the outcome unknown, settled by the
// caller), so the service's lock is held on the server alone, never across a round trip to this
// workstation. False when this login has no issue routine, or the number was taken without the lock:
// nothing was stored. A limit or a service gone is told by the one look at the service that follows.
bool storeInOneStatement(Database& db, const Clock& clock, const IssueRequest& request,
                         const std::optional<waiting::ServiceLoad>& load, IssuedTicket& result)
{
    if (!db.rights().issuesOnServer())
        return false;
    const QString day = dayText(request.issueDate);
    const QDateTime now = clock.now();
    const Direction& to = request.direction;
    const bool directed = to.counter != 0;
    const QVariant noText(QMetaType::fromType<QString>());
    const QVariant appTime = directed               ? QVariant(to.appTime)
                             : request.writeAppTime ? QVariant(now.time().toString(QStringLiteral("HH:mm")))
                                                    : noText;
    result.issueTime = now.time().toString(QStringLiteral("HH:mm:ss"));
    const QVariant wanted =
        request.number == nextNumber ? QVariant(QMetaType::fromType<qint64>()) : QVariant(request.number);
    // Without the estimate (the benchmark's comparison) the routine counts no queue: the trigger does.
    const bool counted = request.estimate && waitsInQueue(request);
    QVariantList params{request.serviceId, day, wanted, counted, counted && !directed, request.serviceId};
    params << day << result.issueTime << to.counter << (directed ? to.type : QStringLiteral("N")) << appTime
           << result.webCode;
    const waiting::SqlPart minutes = load ? waiting::minutesSql(*load, QStringLiteral("n.ahead"))
                                          : waiting::SqlPart{QStringLiteral("cast(null as bigint)"), {}};
    params << minutes.params << languageValue(request) << originValue(request);
    // A walk-in names only the columns a walk-in is written with (a web server's board login may
    // write no others); a directed token its counter's status and note too.
    if (directed)
        params << QStringLiteral("Transferred") << to.note;
    ResultSet rs;
    try {
        rs = db.query(
            QStringLiteral("with n as (select r.* from %1(?, ?, cast(? as bigint), ?, ?) r), "
                           "i as (insert into tblticket "
                           "(servAuto,tickNo,tickDate,tickTime,call,no_abr,attended,ttype,apptime,"
                           "webcode,estwait,lang,origin%3) "
                           "select ?, n.no, ?, ?, '0', coalesce(n.prefix, '') || cast(n.no as text), "
                           "cast(? as bigint), ?, ?, ?, %2, ?, ?%4 from n where n.no is not null "
                           "returning tickauto, tickno, no_abr, estwait) "
                           "select i.tickauto, i.tickno, i.no_abr, n.endno, n.prefix, n.description, "
                           "n.service_name, n.ahead, i.estwait from i, n")
                .arg(queuelength::issueRoutineName(), minutes.sql,
                     directed ? QStringLiteral(",status,ref") : QString(),
                     directed ? QStringLiteral(", ?, ?") : QString()),
            params);
    } catch (const DbError& e) {
        // The unique index refusing a number another workstation took without the lock: the
        // transaction below looks again.
        if (e.isUniqueViolation())
            return false;
        // The routine gone since the connection opened (a hall made again): numbered without it.
        if ((e.kind() == DbError::Kind::Other || e.kind() == DbError::Kind::NotPermitted) &&
            e.detail().contains(queuelength::issueRoutineName()) && !db.transactionOpen()) {
            db.findRightsAgain();
            return false;
        }
        throw;
    }
    if (rs.isEmpty()) {
        qint64 number = request.number;
        if (!lookForIssue(db, request.serviceId, day, number, result.service)) {
            result.status = IssuedTicket::Status::NoService;
            return true;
        }
        result.number = number;
        result.label = tokenLabel(result.service.prefix, number);
        result.status = IssuedTicket::Status::Limit;
        return true;
    }
    takeStoredRow(rs, result);
    if (load) {
        result.estimate.peopleAhead = rs.number(0, 7);
        if (!rs.isNull(0, 8))
            result.estimate.minutes = int(rs.number(0, 8));
    }
    return true;
}

// Whether this issue's ticket is in the store, found by its page code (a fresh random code of each
// issue, stored with the row); when it is, `result` takes the stored row.
bool findStored(Database& db, const IssueRequest& request, IssuedTicket& result)
{
    const ResultSet rs = db.query(
        QStringLiteral("select t.tickauto, t.tickno, t.no_abr, s.endno, s.abrno, s.servdesc, s.ServName, "
                       "t.estwait, t.tickTime, %1 "
                       "from tblticket t join tblService s on s.servauto = t.servauto "
                       "where t.webcode = ? and t.servauto = ? and t.tickdate = ?")
            .arg(waiting::aheadCount(QStringLiteral("t.servauto"), QStringLiteral("t.tickdate"),
                                     QStringLiteral("t.tickno"))),
        {result.webCode, request.serviceId, dayText(request.issueDate)});
    if (rs.isEmpty())
        return false;
    takeStoredRow(rs, result);
    // The wait stored with it; the people ahead as they are now.
    result.estimate = {};
    if (!rs.isNull(0, 7)) {
        result.estimate.minutes = int(rs.number(0, 7));
        result.estimate.peopleAhead = rs.number(0, 9);
    }
    result.issueTime = rs.text(0, 8);
    return true;
}

IssuedTicket storeOnce(Database& db, const Clock& clock, const IssueRequest& request,
                       const std::optional<waiting::ServiceLoad>& load, IssuedTicket result)
{
    // No routine, or a number taken without the lock: numbered in the transaction below.
    if (db.isPostgres() && storeInOneStatement(db, clock, request, load, result))
        return result;
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
                if (load) {
                    const ResultSet ahead =
                        db.query(QStringLiteral("select ") + waiting::aheadCount(QStringLiteral("?"),
                                                                                 QStringLiteral("?"),
                                                                                 QStringLiteral("?")),
                                 {request.serviceId, day, number});
                    result.estimate.peopleAhead = ahead.isEmpty() ? 0 : ahead.number(0, 0);
                    result.estimate.minutes = waiting::minutesToWait(*load, result.estimate.peopleAhead);
                }
                const QDateTime now = clock.now();
                result.issueTime = now.time().toString(QStringLiteral("HH:mm:ss"));
                QVariantMap row{{QStringLiteral("servAuto"), request.serviceId},
                                {QStringLiteral("tickNo"), number},
                                {QStringLiteral("tickDate"), day},
                                {QStringLiteral("tickTime"), result.issueTime},
                                {QStringLiteral("call"), QStringLiteral("0")},
                                {QStringLiteral("no_abr"), result.label},
                                {QStringLiteral("attended"), 0},
                                {QStringLiteral("ttype"), QStringLiteral("N")},
                                {QStringLiteral("webcode"), result.webCode},
                                {QStringLiteral("estwait"), estimatedMinutes(result.estimate)},
                                {QStringLiteral("lang"), languageValue(request)},
                                {QStringLiteral("origin"), originValue(request)}};
                if (request.writeAppTime)
                    row.insert(QStringLiteral("apptime"), now.time().toString(QStringLiteral("HH:mm")));
                if (const Direction& to = request.direction; to.counter != 0) {
                    row.insert(QStringLiteral("attended"), to.counter);
                    row.insert(QStringLiteral("ttype"), to.type);
                    row.insert(QStringLiteral("status"), QStringLiteral("Transferred"));
                    row.insert(QStringLiteral("ref"), to.note);
                    row.insert(QStringLiteral("apptime"), to.appTime);
                }
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

} // namespace

QString outcomeUnknownText()
{
    return QCoreApplication::translate(
        "numbering",
        "The connection to the database server broke while the ticket was being stored, and the "
        "server has not answered since: the ticket may or may not have been stored. No token was "
        "given out for it.");
}

namespace {

IssuedTicket storeWith(Database& db, const Clock& clock, const IssueRequest& request,
                       waiting::LoadCache* loads)
{
    IssuedTicket fresh;
    fresh.webCode = ticketcode::newCode();
    const std::optional<waiting::ServiceLoad> load = loadForIssue(db, clock, request, loads);
    for (int attempt = 0;; ++attempt) {
        try {
            IssuedTicket issued = storeOnce(db, clock, request, load, fresh);
            // This workstation's walk-in may be the oldest one waiting now.
            if (loads && issued.issued() &&
                (request.direction.counter == 0 || request.direction.type == QLatin1String("N")))
                loads->issued(request.serviceId, request.issueDate, issued.issueTime);
            return issued;
        } catch (const DbError& e) {
            if (e.kind() != DbError::Kind::OutcomeUnknown)
                throw;
        }
        // The connection broke in the commit: nothing is told (or printed) before the store says
        // whether the ticket is there. Should the server stay away, the outcome stays unknown.
        ++lookedUp;
        IssuedTicket stored = fresh;
        bool found = false;
        try {
            found = db.settleOutcome([&] { return findStored(db, request, stored); });
        } catch (const DbError& e) {
            if (e.kind() != DbError::Kind::OutcomeUnknown)
                throw;
            throw DbError(outcomeUnknownText(), DbError::Kind::OutcomeUnknown);
        }
        if (found) {
            ++foundStored;
            if (loads)
                loads->forget(request.serviceId);
            return stored;
        }
        // Nothing was saved: the ticket is issued once more on the new connection, numbered afresh.
        if (attempt > 0)
            throw DbError(DbError::unreachableText(), DbError::Kind::ConnectionLost);
    }
}

} // namespace

IssuedTicket storeTicket(Database& db, const Clock& clock, const IssueRequest& request)
{
    return storeWith(db, clock, request, nullptr);
}

IssuedTicket storeTicket(Database& db, const Clock& clock, const IssueRequest& request,
                         waiting::LoadCache& loads)
{
    return storeWith(db, clock, request, &loads);
}

SettledIssues settledIssues()
{
    return {lookedUp.load(), foundStored.load()};
}

qint64 numberClashes()
{
    return clashes.load();
}

} // namespace numbering
