#include "bench/IssuedCheck.h"

#include "core/Database.h"

IssuedCheck compareIssued(Database& db, const QSet<QString>& toldIssued)
{
    QSet<QString> stored;
    db.forEachRow(QStringLiteral("select webcode from tblTicket"), {},
                  [&](const ListedRow& row) { stored.insert(row.text(0)); });
    IssuedCheck check;
    for (const QString& code : toldIssued)
        check.lost += stored.contains(code) ? 0 : 1;
    for (const QString& code : std::as_const(stored))
        check.untold += toldIssued.contains(code) ? 0 : 1;
    return check;
}
