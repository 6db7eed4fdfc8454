#pragma once

#include "reports/modExcel.h"
#include "ui/Twips.h"

#include <xlsxwriter.h>

// The part of the export that writes one grid into a worksheet of the spreadsheet writer.
namespace modExcel {

// A colour as a colour number; -1 for no colour.
inline qint64 colourValue(const QColor& c)
{
    return c.isValid() ? colorNumber::fromColor(c) : -1;
}

// Thrown by writeSheet when the writer refuses a step.
struct WriteFailure
{
    lxw_error error;
};

// Copies the grid's visible cells from A1 on with their values, colours and fonts (colours mapped
// to the palette), merges what the grid asks to merge and fits the column widths.
void writeSheet(lxw_workbook* book, lxw_worksheet* sheet, const GridModel& grid,
                const QVector<QColor>& palette);

} // namespace modExcel
