#include "core/WorkstationRights.h"

#include "core/Database.h"
#include "core/QueueLength.h"
#include "core/Schema.h"

#include <QCoreApplication>

WorkstationRights WorkstationRights::of(Database& db)
{
    WorkstationRights r;
    if (!db.isPostgres())
        return r;
    // One question per act, by the rights themselves, so that a login given its grants by hand is
    // judged as one of the kinds would be. A kind may insert into some columns only (not the key).
    // Showing calls takes a theme to show them in: a counter reads its calls and marks recalls to be
    // shown again, but is no board.
    const ResultSet rs = db.query(
        QStringLiteral(
            "select has_any_column_privilege('tblticket', 'INSERT'), "
            "has_any_column_privilege('tblcall', 'INSERT') and has_column_privilege('tblticket', 'call', "
            "'UPDATE'), "
            "has_column_privilege('tblcall', 'status1', 'UPDATE'), "
            "has_table_privilege('tblcall', 'SELECT') and has_table_privilege('tbltheme', 'SELECT'), "
            "has_table_privilege('tblservice', 'UPDATE') and has_table_privilege('tblticket', 'DELETE') and "
            "has_table_privilege('tbluser', 'INSERT'), "
            "coalesce((select has_function_privilege(p.oid, 'EXECUTE') from pg_proc p where p.proname = ? "
            "limit 1), false), "
            "coalesce(has_function_privilege(to_regprocedure(?), 'EXECUTE'), false), "
            "coalesce((select has_column_privilege(a.attrelid, a.attnum, 'SELECT') from pg_attribute a "
            "where a.attrelid = to_regclass(?) and a.attname = 'walkins' and not a.attisdropped), false)"),
        {schema::nextNumberRoutineName(), queuelength::issueRoutine(), queuelength::tableName()});
    auto yes = [&](int column) { return !rs.isEmpty() && rs.text(0, column) == QLatin1String("true"); };
    r.m_issue = yes(0);
    r.m_call = yes(1);
    r.m_readCalls = yes(3);
    r.m_showCalls = yes(2) && r.m_readCalls;
    r.m_manage = yes(4);
    r.m_nextNumberOnServer = yes(5);
    r.m_issueOnServer = yes(6);
    r.m_readsQueueLengths = yes(7);
    r.m_kind = r.m_manage      ? Kind::Office
               : r.m_call      ? Kind::Counter
               : r.m_showCalls ? Kind::Board
               : r.m_issue     ? Kind::Kiosk
                               : Kind::None;
    // A board inserts only the tokens visitors take from their phones on the web server: it is no
    // kiosk, and its program issues nothing.
    if (r.m_kind == Kind::Board)
        r.m_issue = false;
    return r;
}

bool WorkstationRights::allows(Act act) const
{
    switch (act) {
    case Act::Issue:
        return m_issue;
    case Act::Call:
        return m_call;
    case Act::ShowCalls:
        return m_showCalls;
    case Act::ReadCalls:
        return m_readCalls;
    case Act::Manage:
        return m_manage;
    }
    return false;
}

QString WorkstationRights::refusal() const
{
    switch (m_kind) {
    case Kind::Kiosk:
        return QCoreApplication::translate("WorkstationRights", "This workstation may only issue tokens");
    case Kind::Board:
        return QCoreApplication::translate("WorkstationRights", "This workstation may only show calls");
    case Kind::Counter:
        return QCoreApplication::translate("WorkstationRights",
                                           "This workstation may only call and serve tokens");
    case Kind::None:
        return QCoreApplication::translate("WorkstationRights", "This workstation may not change the hall");
    case Kind::Office:
        break;
    }
    return QCoreApplication::translate("WorkstationRights", "Only the hall's owner may do that");
}
