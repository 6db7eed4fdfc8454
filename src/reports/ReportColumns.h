#pragma once

#include "reports/modExcel.h"

#include <vector>

// The columns of a report's grid: the report's own, then what a manager reads beside them (the
// minutes from issue to call, what became of the ticket, the counter's display name and why its
// latest call took it).
struct ReportColumn
{
    const char* heading;
    int twips;
};
const std::vector<ReportColumn>& reportColumns();
constexpr int ReportDurationColumn = 9;

// A report's rows as the export reads a report window's grid: the header row, then the rows.
modExcel::GridModel reportSheetModel(std::vector<GridRow>&& rows);
