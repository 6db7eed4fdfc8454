#pragma once

#include <QString>

class Database;

// What this workstation's login may do in the hall, found once when the connection opens (PostgreSQL
// grants; an SQLite file gives every right to whoever may write it). Screens and commands ask here
// before an act, and a statement the server refuses for want of a right is told in the workstation's
// one sentence instead of the server's words.
class WorkstationRights
{
public:
    enum class Act {
        Issue,     // issue tokens
        Call,      // call, recall, cancel, transfer and finish tokens
        ShowCalls, // read calls and mark them shown
        ReadCalls, // read calls and themes only (the web server)
        Manage,    // everything else: master data, users, maintenance, reports
    };
    enum class Kind { Office, Counter, Board, Kiosk, None };

    // Every right (SQLite, or before anything was looked at).
    WorkstationRights() = default;
    // The rights of the login of that open PostgreSQL connection.
    static WorkstationRights of(Database& db);

    bool allows(Act act) const;
    Kind kind() const { return m_kind; }
    // Whether the next token number is read by the server's routine (PostgreSQL, when the routine is
    // there and this login may run it).
    bool readsNextNumberOnServer() const { return m_nextNumberOnServer; }
    // Whether a token is numbered, counted into its queue and stored in one statement by the server's
    // issue routine (PostgreSQL, when the routine is there and this login may run it).
    bool issuesOnServer() const { return m_issueOnServer; }
    // Whether the walk-ins waiting in a service's queue are read from the lengths the server keeps
    // (PostgreSQL, when the hall keeps them and this login may read them) instead of counted.
    bool readsQueueLengths() const { return m_readsQueueLengths; }
    // The one sentence that tells what this workstation may do, for an act it may not.
    QString refusal() const;

private:
    bool m_issue = true, m_call = true, m_showCalls = true, m_readCalls = true, m_manage = true;
    Kind m_kind = Kind::Office;
    bool m_nextNumberOnServer = false;
    bool m_issueOnServer = false;
    bool m_readsQueueLengths = false;
};
