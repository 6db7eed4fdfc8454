#include "bench/CallRowCheck.h"

#include "core/Database.h"

qint64 calledWithoutCallRow(Database& db)
{
    return db
        .query(QStringLiteral("select count(*) from tblTicket t where t.call='1' and not exists "
                              "(select 1 from tblCall c where c.tickAuto=t.tickAuto)"))
        .number(0, 0);
}
