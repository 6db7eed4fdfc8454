#pragma once

#include "reports/ReportFigures.h"

#include <xlsxwriter.h>

namespace modExcel {

// The name of the sheet that holds a report's figures.
QString figuresSheetName();

// Adds the sheet of figures: the totals, the hourly series per service under them, and native charts
// of the series (tokens issued and average waiting per hour, and the share within target when a
// service has one). Throws WriteFailure when the writer refuses a step.
void writeFiguresSheet(lxw_workbook* book, const ReportFigures& figures);

} // namespace modExcel
