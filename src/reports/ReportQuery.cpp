#include "reports/ReportQuery.h"

#include "core/Database.h"
#include "reports/ReportTotals.h"

#include <QCoreApplication>
#include <QHash>

namespace {

const QString DateForm = QStringLiteral("yyyy-MM-dd");

struct NameColumn
{
    const char* table;
    const char* key;
    const char* name;
};

// The table the report's filter names, with the key the report's query matches.
NameColumn nameColumn(ReportKind kind)
{
    switch (kind) {
    case ReportKind::Department:
        return {"tblDept", "deptAuto", "deptName"};
    case ReportKind::Counter:
        return {"tblCounter", "cntAuto", "contName"};
    case ReportKind::Service:
    case ReportKind::Pending:
        break;
    }
    return {"tblService", "servAuto", "servName"};
}

// The keys of every row whose name is `filter` in any letter case. Matched here, not by the store:
// SQL comparisons are case-sensitive on both stores, and lower() folds only ASCII on SQLite.
QVariantList keysNamed(Database& db, ReportKind kind, const QString& filter)
{
    const NameColumn column = nameColumn(kind);
    const ResultSet rs = db.query(
        QStringLiteral("select %1, %2 from %3")
            .arg(QLatin1String(column.key), QLatin1String(column.name), QLatin1String(column.table)));
    QVariantList keys;
    for (int r = 0; r < rs.size(); ++r) {
        if (rs.text(r, 1).compare(filter, Qt::CaseInsensitive) == 0)
            keys.append(rs.number(r, 0));
    }
    return keys;
}

} // namespace

const ReportKindInfo& reportKindInfo(ReportKind kind)
{
    static const ReportKindInfo department{
        QStringLiteral("deptBased"),
        QStringLiteral(QT_TRANSLATE_NOOP("ReportQuery", "Report-Department Based")),
        QStringLiteral(QT_TRANSLATE_NOOP("ReportQuery", "Select Department")),
        QStringLiteral("Department report")};
    static const ReportKindInfo service{
        QStringLiteral("servBase"), QStringLiteral(QT_TRANSLATE_NOOP("ReportQuery", "Report Service Based")),
        QStringLiteral(QT_TRANSLATE_NOOP("ReportQuery", "Select Service")), QStringLiteral("Service report")};
    static const ReportKindInfo counter{
        QStringLiteral("cntBased"), QStringLiteral(QT_TRANSLATE_NOOP("ReportQuery", "Report-Counter Based")),
        QStringLiteral(QT_TRANSLATE_NOOP("ReportQuery", "Select Counter")), QStringLiteral("Counter report")};
    static const ReportKindInfo pending{
        QStringLiteral("pendRep"), QStringLiteral(QT_TRANSLATE_NOOP("ReportQuery", "Pending Reports")),
        QStringLiteral(QT_TRANSLATE_NOOP("ReportQuery", "Select Service")), QStringLiteral("Pending report")};
    switch (kind) {
    case ReportKind::Department:
        return department;
    case ReportKind::Service:
        return service;
    case ReportKind::Counter:
        return counter;
    case ReportKind::Pending:
        break;
    }
    return pending;
}

std::optional<ReportKind> reportKindFromWord(const QString& word)
{
    const QString w = word.toLower();
    if (w == QLatin1String("dept"))
        return ReportKind::Department;
    if (w == QLatin1String("service"))
        return ReportKind::Service;
    if (w == QLatin1String("counter"))
        return ReportKind::Counter;
    if (w == QLatin1String("pending"))
        return ReportKind::Pending;
    return std::nullopt;
}

QStringList reportFilterNames(Database& db, ReportKind kind)
{
    QString sql;
    switch (kind) {
    case ReportKind::Department:
        sql = QStringLiteral("select deptName from tblDept where active='1' order by deptAuto");
        break;
    case ReportKind::Counter:
        sql = QStringLiteral("select contName from tblCounter where active='1' order by cntAuto");
        break;
    case ReportKind::Service:
    case ReportKind::Pending:
        sql = QStringLiteral("select servName from tblService where active='1' order by servAuto");
        break;
    }
    const ResultSet rs = db.query(sql);
    QStringList names;
    for (int r = 0; r < rs.size(); ++r)
        names.append(rs.text(r, 0));
    names.append(QStringLiteral("All"));
    return names;
}

struct ReportListing::Names
{
    struct Service
    {
        QString service;
        QString department;
        qint64 departmentKey = 0;
    };
    struct Counter
    {
        QString user;
        QString display;
    };
    QHash<qint64, Service> services; // only services whose department exists
    QHash<qint64, Counter> counters;
    const Counter none;

    explicit Names(Database& db)
    {
        const ResultSet s = db.query(QStringLiteral(
            "select tblService.servAuto, tblService.servName, tblDept.deptName, tblDept.deptAuto from "
            "tblService inner join tblDept on tblService.deptAuto = tblDept.deptAuto"));
        for (int r = 0; r < s.size(); ++r)
            services.insert(s.number(r, 0), {s.text(r, 1), s.text(r, 2), s.number(r, 3)});
        const ResultSet c = db.query(QStringLiteral("select cntAuto, username, displayName from tblCounter"));
        for (int r = 0; r < c.size(); ++r)
            counters.insert(c.number(r, 0), {c.text(r, 1), c.text(r, 2)});
    }
};

namespace {

QString keyList(const QList<qint64>& keys)
{
    QStringList numbers;
    for (qint64 key : keys)
        numbers.append(QString::number(key));
    return numbers.join(QLatin1Char(','));
}

} // namespace

ReportListing::ReportListing(Database& db, ReportKind kind, const QString& filter, const QDate& from,
                             const QDate& to, bool showAll, Scope scope)
    : m_kind(kind), m_showAll(showAll), m_scope(scope)
{
    // The keys the date range spans, from the date index alone. Bounding the listing by them lets the
    // store walk the tickets in key order and hand the first rows over at once, instead of sorting
    // the whole range first.
    const QVariantList dates{from.toString(DateForm), to.toString(DateForm)};
    const ResultSet span = db.query(
        QStringLiteral("select min(tickAuto), max(tickAuto) from tblTicket where tickDate between ? and ?"),
        dates);
    if (span.isEmpty() || span.isNull(0, 0))
        return;
    m_names = std::make_shared<const Names>(db);
    // The listing goes as plain SQL text, not as a prepared statement: PostgreSQL runs a prepared
    // statement's EXECUTE to its end before it sends the first row, which would hold back the first
    // rows of a long report until the last is read. Its values are only a date range (from QDate) and
    // keys (numbers), never text a user typed. The names come from m_names by key, and whether the
    // ticket was called and what its status says come as numbers: a long listing reads as few texts
    // as it can.
    const auto dateText = [](const QDate& d) {
        return QLatin1Char('\'') + d.toString(DateForm) + QLatin1Char('\'');
    };
    const bool period = scope == Scope::Period;
    QString sql = QStringLiteral("SELECT tblTicket.tickAuto, tblTicket.servAuto, tblTicket.attended, "
                                 "tblTicket.no_abr, tblTicket.tickDate, tblTicket.tickTime, "
                                 "tblTicket.attTime, tblTicket.finished, "
                                 "case when tblTicket.call='1' then 1 else 0 end, "
                                 "case lower(trim(tblTicket.status)) when 'cancelled' then 2 "
                                 "when 'transferred' then 1 when 'notarrived' then 3 else 0 end") +
                  (period ? QStringLiteral(", tblTicket.legs") : QString()) +
                  QStringLiteral(" FROM tblTicket") + QStringLiteral(" where tblTicket.tickDate between ") +
                  dateText(from) + QStringLiteral(" and ") + dateText(to) +
                  QStringLiteral(" and tblTicket.tickAuto between ") + QString::number(span.number(0, 0)) +
                  QStringLiteral(" and ") + QString::number(span.number(0, 1));
    if (kind == ReportKind::Counter && !period)
        sql += QStringLiteral(" and tblTicket.attended > 0"); // only tickets a counter attended
    if (filter != QLatin1String("All")) {
        QList<qint64> keys;
        for (const QVariant& key : keysNamed(db, kind, filter))
            keys.append(key.toLongLong());
        if (kind == ReportKind::Department) {
            // The department's services.
            QList<qint64> services;
            for (auto it = m_names->services.cbegin(); it != m_names->services.cend(); ++it) {
                if (keys.contains(it.value().departmentKey))
                    services.append(it.key());
            }
            keys = services;
        }
        if (keys.isEmpty())
            return;
        if (kind == ReportKind::Counter) {
            m_wantedCounters = QSet<qint64>(keys.cbegin(), keys.cend());
            // The figures also count what a counter served before handing a token on.
            sql += (period ? QStringLiteral(
                                 " and (tblTicket.attended in (%1) or coalesce(tblTicket.legs,'') <> '')")
                           : QStringLiteral(" and tblTicket.attended in (%1)"))
                       .arg(keyList(keys));
        } else {
            sql += QStringLiteral(" and tblTicket.servAuto in (") + keyList(keys) + QLatin1Char(')');
        }
    }
    if (!period) {
        if (kind == ReportKind::Pending)
            sql += QStringLiteral(" and tblTicket.call='0'");
        else if (!showAll)
            sql += QStringLiteral(" and tblTicket.call='1'");
    }
    sql += QStringLiteral(" order by tblTicket.tickAuto");
    m_sql = sql;
}

void ReportListing::forEach(Database& db, const std::function<void(const ReportRow& row)>& each) const
{
    forEachTicket(db, [&each](const ReportRow& row, bool listed) {
        if (listed)
            each(row);
    });
}

void ReportListing::forEachTicket(Database& db,
                                  const std::function<void(const ReportRow& row, bool listed)>& each) const
{
    if (m_sql.isEmpty())
        return;
    ReportRow row;
    bool listed = false;
    db.forEachRow(m_sql, {}, [&](const ListedRow& values) {
        if (convert(values, row, listed))
            each(row, listed);
    });
}

QHash<qint64, QString> ReportListing::counterNames() const
{
    QHash<qint64, QString> names;
    if (!m_names)
        return names;
    for (auto it = m_names->counters.cbegin(); it != m_names->counters.cend(); ++it)
        names.insert(it.key(), it->display.isEmpty() ? it->user : it->display);
    return names;
}

bool ReportListing::convert(const ListedRow& v, ReportRow& row, bool& listed) const
{
    // Tickets of a service (or department) that no longer exists are not listed, nor, in the counter
    // report, those of a counter that no longer exists.
    const auto service = m_names->services.constFind(v.number(1));
    if (service == m_names->services.cend())
        return false;
    const qint64 counterKey = v.number(2);
    const auto counter = m_names->counters.constFind(counterKey);
    const bool called = v.number(8) == 1;
    if (m_kind == ReportKind::Counter)
        listed = counter != m_names->counters.cend() && counterKey > 0 &&
                 (!m_wantedCounters || m_wantedCounters->contains(counterKey)) && (m_showAll || called);
    else if (m_kind == ReportKind::Pending)
        listed = !called;
    else
        listed = m_showAll || called;
    if (!listed && m_scope == Scope::Listed)
        return false;
    const Names::Counter& c = counter == m_names->counters.cend() ? m_names->none : counter.value();
    row.tickAuto = v.number(0);
    row.serviceKey = v.number(1);
    row.counterKey = counterKey;
    row.called = called;
    row.department = service->department;
    row.service = service->service;
    row.token = v.text(3);
    row.date = v.text(4);
    row.counter = c.user;
    row.issued = v.text(5);
    row.from = v.text(6);
    row.to = v.text(7);
    row.legs = m_scope == Scope::Period ? v.text(10) : QString();
    // Each time is read once; minutes count the minute boundaries passed, as minutesBetween does
    // (which also reads the rarer forms).
    row.issuedSecond = ReportTotals::secondOfDay(row.issued).value_or(-1);
    row.fromSecond = ReportTotals::secondOfDay(row.from).value_or(-1);
    row.toSecond = ReportTotals::secondOfDay(row.to).value_or(-1);
    const auto minutes = [](int a, int b, const QString& from, const QString& to) -> std::optional<int> {
        if (a >= 0 && b >= 0)
            return b / 60 - a / 60;
        return minutesBetween(from, to);
    };
    row.duration = minutes(row.fromSecond, row.toSecond, row.from, row.to);
    row.status = ticketStatus(called, int(v.number(9)), row.to);
    row.waiting =
        called ? minutes(row.issuedSecond, row.fromSecond, row.issued, row.from) : std::optional<int>();
    row.counterDisplayName = c.display;
    return true;
}

void forEachReportRow(Database& db, ReportKind kind, const QString& filter, const QDate& from,
                      const QDate& to, bool showAll, const std::function<void(const ReportRow&)>& each)
{
    ReportListing(db, kind, filter, from, to, showAll).forEach(db, each);
}

QVector<ReportRow> runReport(Database& db, ReportKind kind, const QString& filter, const QDate& from,
                             const QDate& to, bool showAll)
{
    QVector<ReportRow> rows;
    forEachReportRow(db, kind, filter, from, to, showAll,
                     [&rows](const ReportRow& row) { rows.append(row); });
    return rows;
}

QString ticketStatus(bool called, int statusCode, const QString& finished)
{
    if (statusCode == 2)
        return QStringLiteral("Cancelled");
    if (statusCode == 3)
        return QStringLiteral("NotArrived");
    if (!called)
        return statusCode == 1 ? QStringLiteral("Transferred") : QStringLiteral("Waiting");
    return finished.trimmed().isEmpty() ? QStringLiteral("Called") : QStringLiteral("Finished");
}

QString averageText(double average)
{
    return QCoreApplication::translate("ReportQuery", "Average Time : %1")
        .arg(QString::number(average, 'g', 15));
}
