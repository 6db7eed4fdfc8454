#include "calling/CounterLists.h"

#include "core/ServiceTime.h"

#include "core/Database.h"
#include "ui/Clock.h"

namespace {

// Runs a list query bound to the day and a key; each row holds the ticket key, the serial number,
// then every selected column after the key.
QVector<QStringList> numberedRows(Database& db, const QString& sql, const QString& day, qint64 key)
{
    const ResultSet rs = db.query(sql, {day, key});
    QVector<QStringList> rows;
    rows.reserve(rs.size());
    for (int r = 0; r < rs.size(); ++r) {
        QStringList row{rs.text(r, 0), QString::number(r + 1)};
        for (int c = 1; c < rs.columnCount(); ++c)
            row.append(rs.text(r, c));
        rows.append(row);
    }
    return rows;
}

} // namespace

namespace counterLists {

QVector<QStringList> attended(Database& db, const QString& day, qint64 counterKey)
{
    return numberedRows(
        db,
        QStringLiteral("select tickAuto,no_abr,attTime,finished from tblticket where call='1' and "
                       "tickDate=? and attended=? and coalesce(status,'') not in ('Cancelled','NotArrived') "
                       "order by tickAuto desc"),
        day, counterKey);
}

QVector<QStringList> cancelled(Database& db, const QString& day, qint64 counterKey)
{
    return numberedRows(
        db,
        QStringLiteral("select tickAuto,no_abr,attTime,finished from tblticket where call='1' and "
                       "tickDate=? and attended=? and status='Cancelled' order by tickAuto desc"),
        day, counterKey);
}

QVector<QStringList> notArrived(Database& db, const QString& day, qint64 counterKey)
{
    return numberedRows(
        db,
        QStringLiteral("select tickAuto,no_abr,attTime,tickTime from tblticket where call='1' and "
                       "tickDate=? and attended=? and status='NotArrived' order by tickAuto desc"),
        day, counterKey);
}

QVector<QStringList> transferredWithTime(Database& db, const QString& day, qint64 counterKey)
{
    return numberedRows(
        db,
        QStringLiteral("select tickAuto,no_abr,attTime,status,substr(apptime,1,5),ttype from tblticket "
                       "where call='0' and tickDate=? and attended=? and status='Transferred' order by "
                       "tickAuto"),
        day, counterKey);
}

QVector<QStringList> transferredWithNote(Database& db, const QString& day, qint64 counterKey)
{
    return numberedRows(
        db,
        QStringLiteral("select tickAuto,no_abr,attTime,status,ref from tblticket where call='0' and "
                       "tickDate=? and attended=? and status='Transferred' order by tickAuto"),
        day, counterKey);
}

QVector<QStringList> pending(Database& db, const QString& day, const QString& takeable,
                             const QVariantList& values, const Clock& clock)
{
    const ResultSet rs =
        db.query(QStringLiteral("select tickAuto,no_abr,tickTime from tblticket where call='0' "
                                "and tickDate=? and ") +
                     takeable + QStringLiteral(" order by tickAuto desc"),
                 QVariantList{day} + values);
    const QTime now = clock.time();
    const int nowMinute = now.hour() * 60 + now.minute();
    QVector<QStringList> rows;
    rows.reserve(rs.size());
    for (int r = 0; r < rs.size(); ++r) {
        const QString issued = rs.text(r, 2);
        rows.append({rs.text(r, 0), QString::number(r + 1), rs.text(r, 1), issued + QLatin1Char(' '),
                     QString::number(nowMinute - serviceTime::minuteOfDay(issued).value_or(0))});
    }
    return rows;
}

} // namespace counterLists
