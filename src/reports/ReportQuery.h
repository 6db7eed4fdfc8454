#pragma once

#include "core/ListedRow.h"
#include "core/ServiceTime.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>

class Database;

// The four ticket reports share one query; they differ in what the filter list names and in which
// tickets they keep.
enum class ReportKind { Department, Service, Counter, Pending };

struct ReportKindInfo
{
    QString screenName;  // the main window's command name
    QString caption;     // the window's caption
    QString filterLabel; // the label beside the filter list
    QString exportName;  // what its workbooks are called ("Service report")
};
const ReportKindInfo& reportKindInfo(ReportKind kind);
// "dept", "service", "counter", "pending" (the command line's words); nullopt for anything else.
std::optional<ReportKind> reportKindFromWord(const QString& word);

// One listed ticket, in the grid's column order 0 and 2..9 (column 1 is the running number).
struct ReportRow
{
    qint64 tickAuto = 0;
    QString department;
    QString service;
    QString token;
    QString date;
    QString counter;             // user name of the counter that attended the ticket; empty when none
    QString from;                // attTime
    QString to;                  // finished
    std::optional<int> duration; // whole minutes from `from` to `to`; none when either is missing
    QString issued;              // tickTime
    std::optional<int> waiting;  // whole minutes from `issued` to `from`; none when not called
    QString status;              // ticketStatus(): Waiting, Called, Finished, Transferred, Cancelled,
                                 // NotArrived
    QString counterDisplayName;  // the display name of that counter; empty when none
    qint64 serviceKey = 0;
    qint64 counterKey = 0; // attended: the counter serving it, or the one it waits for when directed
    bool called = false;
    QString legs; // its earlier services (see serviceLegs)
    // The seconds since midnight of `issued`, `from` and `to`; -1 when not a time of day.
    int issuedSecond = -1;
    int fromSecond = -1;
    int toSecond = -1;

    // The minutes as the grid shows them; empty when there are none.
    QString durationText() const { return duration ? QString::number(*duration) : QString(); }
    QString waitingText() const { return waiting ? QString::number(*waiting) : QString(); }
};

// What became of a ticket, from its columns as the call engine writes them: cancelled at a counter
// (statusCode 2: status "Cancelled"); marked at a counter as a visitor who did not come (statusCode 3:
// status "NotArrived"); still waiting, or waiting at the counter it was transferred to
// (statusCode 1: status "Transferred"); called and at the counter; or finished (the next call at that
// counter, or Finish, wrote its `finished` time).
QString ticketStatus(bool called, int statusCode, const QString& finished);

// The active names of the report's kind followed by "All".
QStringList reportFilterNames(Database& db, ReportKind kind);

struct ReportRequest
{
    ReportKind kind = ReportKind::Department;
    QString filter;
    QDate from;
    QDate to;
    bool showAll = false;
};

// Tickets dated from..to (both days included) whose department, service or counter is `filter`
// ("All" for every one). The department, service and counter reports keep only called tickets
// unless showAll; the pending report always lists only tickets still waiting. The counter report
// lists only tickets a counter has attended. Rows come in the order the tickets were issued.
// Store failures pass to the caller as DbError.
QVector<ReportRow> runReport(Database& db, ReportKind kind, const QString& filter, const QDate& from,
                             const QDate& to, bool showAll);

// One listing: the statement, and the names it looks up by key in tables read when it is made.
class ReportListing
{
public:
    // Which tickets it reads: those the report lists, or every ticket of the period that its figures
    // count (of the filter's departments or services; in the counter report, those a filtered
    // counter attended now or before a transfer).
    enum class Scope { Listed, Period };

    ReportListing(Database& db, ReportKind kind, const QString& filter, const QDate& from, const QDate& to,
                  bool showAll, Scope scope = Scope::Listed);
    // Hands the listed rows over as the store delivers them. `row` is filled again for each: only
    // what the handler copies stays.
    void forEach(Database& db, const std::function<void(const ReportRow& row)>& each) const;
    // With Scope::Period: every ticket read, and whether the report lists it.
    void forEachTicket(Database& db,
                       const std::function<void(const ReportRow& row, bool listed)>& each) const;

    // The name a counter has in the counter report's lines: its display name, else its user name.
    QHash<qint64, QString> counterNames() const;
    // The counters the counter report's filter names; nullopt when it names every counter.
    const std::optional<QSet<qint64>>& wantedCounters() const { return m_wantedCounters; }

private:
    // Makes a row of the store's values; false when the ticket is not read at all. `listed` says
    // whether the report lists it.
    bool convert(const ListedRow& values, ReportRow& row, bool& listed) const;

    struct Names;
    ReportKind m_kind;
    bool m_showAll;
    Scope m_scope;
    QString m_sql; // empty: nothing to list
    std::shared_ptr<const Names> m_names;
    std::optional<QSet<qint64>> m_wantedCounters;
};

// The same rows handed over one at a time as the store delivers them, none kept (long listings).
void forEachReportRow(Database& db, ReportKind kind, const QString& filter, const QDate& from,
                      const QDate& to, bool showAll, const std::function<void(const ReportRow&)>& each);

// Service time in minutes and its average (shared with the clearing screen).
using serviceTime::averageDuration;
using serviceTime::minutesBetween;
// "Average Time : " and the average with up to 15 significant digits (7.5, 3.33333333333333, 4).
QString averageText(double average);
