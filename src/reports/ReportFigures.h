#pragma once

#include "reports/HourlySeries.h"
#include "reports/ReportQuery.h"
#include "reports/ReportTotals.h"
#include "reports/ServiceTargets.h"

#include <QHash>
#include <QSet>

#include <functional>
#include <optional>

// Everything a report says in figures: the totals under the grid and the series of its charts,
// over every token issued in the period whatever the grid lists.
struct ReportFigures
{
    ReportKind kind = ReportKind::Department;
    QVector<TotalsLine> totals; // per service (per counter in the counter report), then "All"
    QVector<HourlyLine> hourly; // per service
    int firstHour = -1;         // the hours the series span; -1 when no token is counted
    int lastHour = -1;
    bool hasTargets = false; // some service counted has a target

    bool isEmpty() const { return totals.isEmpty() || totals.constLast().tokens == 0; }
};

// Gathers the figures as a report's tickets go by.
class FiguresCollector
{
public:
    FiguresCollector(ReportKind kind, const ReportListing& listing, ServiceTargets targets);
    void add(const ReportRow& row);
    ReportFigures figures() const;

private:
    ReportKind m_kind;
    QHash<qint64, QString> m_counterNames;
    std::optional<QSet<qint64>> m_wantedCounters;
    ServiceTargets m_targets;
    ReportTotals m_totals;
    HourlySeries m_hourly;
};

// Runs a report once: every ticket of the period goes into the figures, and each ticket the grid
// lists goes to `listed` as well, in the report's order. Store failures pass to the caller as DbError.
ReportFigures listReport(Database& db, const ReportRequest& request,
                         const std::function<void(const ReportRow& row)>& listed);

// The charts of a report's figures, in the window and in the workbook.
enum class FigureChart { Arrivals, Waiting, WithinTarget };
QString chartTitle(FigureChart chart);
// The axis of values: "Tokens", "Minutes", "% within target".
QString chartValueAxis(FigureChart chart);
// "08:00".
QString hourText(int hour);
// The headings of the totals: "Service" (or "Counter"), "Tokens", … "Within target".
QStringList totalsHeadings(ReportKind kind);
