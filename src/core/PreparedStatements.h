#pragma once

#include <QString>

#include <list>
#include <memory>

#include <QSqlError>

class QSqlDatabase;
class QSqlQuery;

// The statements a connection has prepared on its server, kept for the next time the same SQL text
// runs, so that a statement costs one round trip instead of a prepare, an execute and a deallocate.
// The least recently used ones are let go beyond `capacity`.
class PreparedStatements
{
public:
    explicit PreparedStatements(int capacity = 64);
    ~PreparedStatements();

    // A query prepared with `sql` on `link`, or nullptr when the server refused to prepare it (its
    // error is then in `refused`). The query stays checked out until release(); a statement that is
    // already checked out (a nested use of the same text) gets a query of its own.
    QSqlQuery* checkOut(QSqlDatabase& link, const QString& sql, QSqlError& refused);
    // Gives the query back after its rows were read; `keep` false lets it go (it failed).
    void release(QSqlQuery* query, bool keep);
    // Gives back a query of a connection that is lost: it goes at the next clear().
    void setAside(QSqlQuery* query);
    // Lets every statement go: the connection is closing, or the tables have changed.
    void clear();
    int size() const { return int(m_entries.size()); }

private:
    struct Entry
    {
        QString sql;
        std::unique_ptr<QSqlQuery> query;
        bool busy = false;
        bool stale = false; // let go of when given back
    };
    std::list<Entry> m_entries; // most recently used first
    std::list<std::unique_ptr<QSqlQuery>> m_transient;
    std::list<std::unique_ptr<QSqlQuery>> m_setAside;
    int m_capacity;
};
