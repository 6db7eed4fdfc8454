#include "calling/TokenMoves.h"

#include "core/Database.h"
#include "core/ServiceLegs.h"

#include <QCoreApplication>

namespace tokenMoves {

TransferResult transferWaiting(Database& db, qint64 ticketKey, qint64 targetCounterId, const QString& note)
{
    const qint64 changed =
        db.exec(QStringLiteral("update tblTicket set call='0', attended=?, status='Transferred', ref=? "
                               "where tickAuto=? and call='0' and (attended is null or attended=0)"),
                {targetCounterId, note, ticketKey});
    if (changed > 0)
        return TransferResult::Transferred;
    if (db.query(QStringLiteral("select tickAuto from tblTicket where tickAuto=?"), {ticketKey}).isEmpty())
        return TransferResult::NoTicket;
    return TransferResult::NotWaiting;
}

bool transferServed(Database& db, qint64 ticketKey, qint64 fromCounterId, qint64 targetCounterId,
                    const QString& note, const QString& finishedAt)
{
    // The service here is kept as a leg of its own: the next call overwrites the row's times.
    return db.exec(QStringLiteral("update tblTicket set call='0', attended=?, status='Transferred', ref=?, "
                                  "finished=?, ") +
                       serviceLegs::appendCurrentSql() +
                       QStringLiteral(" where tickAuto=? and call='1' and attended=?"),
                   {targetCounterId, note, finishedAt, finishedAt, ticketKey, fromCounterId}) > 0;
}

bool cancel(Database& db, qint64 ticketKey)
{
    return db.exec(QStringLiteral("update tblTicket set Status='Cancelled' where tickAuto=?"), {ticketKey}) >
           0;
}

QString serviceCaption(Database& db, const QString& counterName)
{
    const ResultSet rs =
        db.query(QStringLiteral("select tblService.ServName from (tblCounter inner join tblService on "
                                "tblCounter.servAuto=tblService.servAuto) inner join tblDept on "
                                "tblService.deptAuto=tblDept.deptAuto where tblCounter.contName=? "
                                "order by tblCounter.cntAuto"),
                 {counterName});
    return QCoreApplication::translate("tokenMoves", "Service Name  : %1")
        .arg(rs.isEmpty() ? QCoreApplication::translate("tokenMoves", "Not Found") : rs.text(0, 0));
}

QString notWaitingMessage(const QString& label)
{
    // brivane-ctl installs no translator, so its scripts read the English text.
    return QCoreApplication::translate(
               "tokenMoves",
               "Token %1 has already been called or transferred by another counter. Nothing was changed.")
        .arg(label);
}

} // namespace tokenMoves
