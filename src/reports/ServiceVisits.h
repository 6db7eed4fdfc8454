#pragma once

#include "reports/ReportQuery.h"

#include <QVector>

// One service of a ticket at a counter, and the wait before it, in seconds since midnight (-1 when
// not known). A token handed on from one counter to another has one visit per counter: the wait of
// each begins when the service before it ended.
struct Visit
{
    qint64 counter = 0;
    int waitFrom = -1;
    int called = -1;
    int ended = -1;    // -1 also while the service is under way
    bool last = false; // the ticket's latest service (the one a cancel ends)

    std::optional<int> waitSeconds() const
    {
        return waitFrom >= 0 && called >= waitFrom ? std::optional<int>(called - waitFrom) : std::nullopt;
    }
    std::optional<int> serviceSeconds() const
    {
        return called >= 0 && ended >= called ? std::optional<int>(ended - called) : std::nullopt;
    }
};

// The visits of a listed ticket: its earlier services, then the latest when it has been called.
QVector<Visit> visitsOf(const ReportRow& row);
