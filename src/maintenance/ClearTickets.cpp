#include "maintenance/ClearTickets.h"

#include "ui/Grid.h"

#include <QCoreApplication>

namespace maintenance {

QList<qint64> ticketKeysOfRows(const Grid& grid, const QList<int>& rows)
{
    QList<qint64> keys;
    for (int r : rows) {
        if (r < 1 || r >= grid.rows())
            continue;
        bool ok = false;
        const qint64 key = grid.text(r, 0).toLongLong(&ok);
        if (ok && key > 0)
            keys.append(key);
    }
    return keys;
}

QString deleteQuestion(qsizetype tickets)
{
    const QString count =
        tickets == 1 ? QCoreApplication::translate("maintenance", "1 ticket is selected.")
                     : QCoreApplication::translate("maintenance", "%1 tickets are selected.").arg(tickets);
    return QCoreApplication::translate("maintenance", "Are you want to Delete?              \n") + count;
}

QString nothingSelectedText()
{
    return QCoreApplication::translate(
        "maintenance", "No ticket is selected. Click a row to select it; Shift-click or Ctrl-click "
                       "adds more rows.");
}

QString deletedText(qint64 tickets)
{
    return tickets == 1 ? QCoreApplication::translate("maintenance", "1 ticket deleted.")
                        : QCoreApplication::translate("maintenance", "%1 tickets deleted.").arg(tickets);
}

} // namespace maintenance
