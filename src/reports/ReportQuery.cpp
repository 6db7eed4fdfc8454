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

QString nameCondition(ReportKind kind)
{
    switch (kind) {
    case ReportKind::Department:
        return QStringLiteral(" and tblDept.deptName=?");
    case ReportKind::Counter:
        return QStringLiteral(" and tblCounter.contName=?");
    case ReportKind::Service:
    case ReportKind::Pending:
        break;
    }
    return QStringLiteral(" and tblService.servName=?");
}

} // namespace

const ReportKindInfo& reportKindInfo(ReportKind kind)
{
    static const ReportKindInfo department{QStringLiteral("deptBased"),
                                           QStringLiteral("Report-Department Based"),
                                           QStringLiteral("Select Department")};
    static const ReportKindInfo service{QStringLiteral("servBase"), QStringLiteral("Report Service Based"),
                                        QStringLiteral("Select Service")};
    static const ReportKindInfo counter{QStringLiteral("cntBased"), QStringLiteral("Report-Counter Based"),
                                        QStringLiteral("Select Counter")};
    static const ReportKindInfo pending{QStringLiteral("pendRep"), QStringLiteral("Pending Reports"),
                                        QStringLiteral("Select Service")};
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

QVector<ReportRow> runReport(Database& db, ReportKind kind, const QString& filter, const QDate& from,
                             const QDate& to, bool showAll)
{
    QString sql = QStringLiteral("SELECT tblTicket.tickAuto, tblDept.deptName, tblService.servName, "
                                 "tblTicket.no_abr, tblTicket.tickDate, tblCounter.username, "
                                 "tblTicket.attTime, tblTicket.finished") +
                  fromClause(kind) + QStringLiteral(" where tblTicket.tickDate between ? and ?");
    QVariantList params{from.toString(DateForm), to.toString(DateForm)};
    if (filter != QLatin1String("All")) {
        sql += nameCondition(kind);
        params.append(filter);
    }
    if (kind == ReportKind::Pending)
        sql += QStringLiteral(" and tblTicket.call='0'");
    else if (!showAll)
        sql += QStringLiteral(" and tblTicket.call='1'");
    sql += QStringLiteral(" order by tblTicket.tickAuto");

    const ResultSet rs = db.query(sql, params);
    QVector<ReportRow> rows;
    rows.reserve(rs.size());
    for (int r = 0; r < rs.size(); ++r) {
        ReportRow row;
        row.tickAuto = rs.number(r, 0);
        row.department = rs.text(r, 1);
        row.service = rs.text(r, 2);
        row.token = rs.text(r, 3);
        row.date = rs.text(r, 4);
        row.counter = rs.text(r, 5);
        row.from = rs.text(r, 6);
        row.to = rs.text(r, 7);
        if (const std::optional<int> minutes = minutesBetween(row.from, row.to))
            row.duration = QString::number(*minutes);
        rows.append(row);
    }
    return rows;
}

QString averageText(double average)
{
    return QStringLiteral("Average Time : ") + QString::number(average, 'g', 15);
}
