#include "reports/ReportQuery.h"

#include "core/Database.h"

namespace {

const QString DateForm = QStringLiteral("yyyy-MM-dd");

// Tickets with their service and department; the counter that attended them joined as the report
// needs it (only attended tickets in the counter report).
QString fromClause(ReportKind kind)
{
    const QString counterJoin =
        kind == ReportKind::Counter ? QStringLiteral("inner JOIN") : QStringLiteral("left JOIN");
    return QStringLiteral(
               " FROM ((tblTicket INNER JOIN tblService ON tblTicket.servAuto = tblService.servAuto)"
               " INNER JOIN tblDept ON tblService.deptAuto = tblDept.deptAuto) ") +
           counterJoin + QStringLiteral(" tblCounter ON tblTicket.attended = tblCounter.cntAuto");
}

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
        QStringLiteral("deptBased"), QStringLiteral("Report-Department Based"),
        QStringLiteral("Select Department"), QStringLiteral("Department report")};
    static const ReportKindInfo service{QStringLiteral("servBase"), QStringLiteral("Report Service Based"),
                                        QStringLiteral("Select Service"), QStringLiteral("Service report")};
    static const ReportKindInfo counter{QStringLiteral("cntBased"), QStringLiteral("Report-Counter Based"),
                                        QStringLiteral("Select Counter"), QStringLiteral("Counter report")};
    static const ReportKindInfo pending{QStringLiteral("pendRep"), QStringLiteral("Pending Reports"),
                                        QStringLiteral("Select Service"), QStringLiteral("Pending report")};
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

void forEachReportRow(Database& db, ReportKind kind, const QString& filter, const QDate& from,
                      const QDate& to, bool showAll, const std::function<void(const ReportRow&)>& each)
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
    // The listing goes as plain SQL text, not as a prepared statement: PostgreSQL runs a prepared
    // statement's EXECUTE to its end before it sends the first row, which would hold back the first
    // rows of a long report until the last is read. Its values are only a date range (from QDate) and
    // keys (numbers), never text a user typed.
    const auto dateText = [](const QDate& d) {
        return QLatin1Char('\'') + d.toString(DateForm) + QLatin1Char('\'');
    };
    QString sql = QStringLiteral("SELECT tblTicket.tickAuto, tblDept.deptName, tblService.servName, "
                                 "tblTicket.no_abr, tblTicket.tickDate, tblCounter.username, "
                                 "tblTicket.attTime, tblTicket.finished, tblTicket.tickTime, "
                                 "tblTicket.call, tblTicket.status, tblCounter.displayName") +
                  fromClause(kind) + QStringLiteral(" where tblTicket.tickDate between ") + dateText(from) +
                  QStringLiteral(" and ") + dateText(to) +
                  QStringLiteral(" and tblTicket.tickAuto between ") + QString::number(span.number(0, 0)) +
                  QStringLiteral(" and ") + QString::number(span.number(0, 1));
    if (filter != QLatin1String("All")) {
        const QVariantList keys = keysNamed(db, kind, filter);
        if (keys.isEmpty())
            return;
        const NameColumn column = nameColumn(kind);
        QStringList numbers;
        for (const QVariant& key : keys)
            numbers.append(QString::number(key.toLongLong()));
        sql +=
            QStringLiteral(" and %1.%2 in (%3)")
                .arg(QLatin1String(column.table), QLatin1String(column.key), numbers.join(QLatin1Char(',')));
    }
    if (kind == ReportKind::Pending)
        sql += QStringLiteral(" and tblTicket.call='0'");
    else if (!showAll)
        sql += QStringLiteral(" and tblTicket.call='1'");
    sql += QStringLiteral(" order by tblTicket.tickAuto");

    ReportRow row;
    db.forEachRow(sql, {}, [&](const QVector<QVariant>& v) {
        row.tickAuto = v[0].toLongLong();
        row.department = v[1].toString();
        row.service = v[2].toString();
        row.token = v[3].toString();
        row.date = v[4].toString();
        row.counter = v[5].toString();
        row.from = v[6].toString();
        row.to = v[7].toString();
        const std::optional<int> minutes = minutesBetween(row.from, row.to);
        row.duration = minutes ? QString::number(*minutes) : QString();
        row.issued = v[8].toString();
        const QString call = Database::flag(v[9]);
        row.status = ticketStatus(call, v[10].toString(), row.to);
        const std::optional<int> waited =
            call == QLatin1String("1") ? minutesBetween(row.issued, row.from) : std::nullopt;
        row.waiting = waited ? QString::number(*waited) : QString();
        row.counterDisplayName = v[11].toString();
        each(row);
    });
}

QVector<ReportRow> runReport(Database& db, ReportKind kind, const QString& filter, const QDate& from,
                             const QDate& to, bool showAll)
{
    QVector<ReportRow> rows;
    forEachReportRow(db, kind, filter, from, to, showAll,
                     [&rows](const ReportRow& row) { rows.append(row); });
    return rows;
}

QString ticketStatus(const QString& call, const QString& status, const QString& finished)
{
    const QString s = status.trimmed();
    if (s.compare(QLatin1String("Cancelled"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Cancelled");
    if (call.trimmed() != QLatin1String("1"))
        return s.compare(QLatin1String("Transferred"), Qt::CaseInsensitive) == 0
                   ? QStringLiteral("Transferred")
                   : QStringLiteral("Waiting");
    return finished.trimmed().isEmpty() ? QStringLiteral("Called") : QStringLiteral("Finished");
}

QString averageText(double average)
{
    return QStringLiteral("Average Time : ") + QString::number(average, 'g', 15);
}
