#pragma once

#include <QColor>
#include <QString>
#include <QVector>

struct AppContext;
class Dialogs;
class Grid;
class QWidget;

// Copies report grids into spreadsheet workbooks (.xlsx) with their values, colours, fonts and
// merged cells, and opens them with the desktop's spreadsheet program.
namespace modExcel {

struct Cell
{
    QString text;
    QColor back; // invalid: the cell has no background of its own
    QColor fore; // invalid: none of its own
    bool bold = false;
    QString fontName;
    double fontSize = 10;
};

// What the export reads from a grid. Widths and heights are in twips; 0 means hidden.
struct GridModel
{
    int fixedRows = 1;
    int fixedCols = 0;
    QVector<int> rowHeights;
    QVector<int> colWidths;
    QVector<QVector<Cell>> cells; // [row][col]
    QColor backColor{Qt::white};
    QColor foreColor{Qt::black};
    QColor backColorFixed{Qt::lightGray};
    QColor foreColorFixed{Qt::black};
    QVector<bool> mergeRow; // per row: merge equal neighbouring cells of that row
    QVector<bool> mergeCol; // per column: merge equal neighbouring cells of that column

    int rows() const { return int(cells.size()); }
    int cols() const { return cells.isEmpty() ? 0 : int(cells.first().size()); }
};

// Reads a grid: row 0 is its header (the fixed row), with the header's colours and font. A grid
// asks for merging through the dynamic properties "mergeRows" and "mergeCols" (lists of row and
// column numbers).
GridModel gridModel(const Grid& grid);

// The colours a workbook needs, at most 56: the grid's background, fixed background, foreground
// and fixed foreground, then the cells' own colours that differ from the grid's, without repeats.
QVector<QColor> collectPalette(const GridModel& grid);
// The palette colour nearest to c (c itself when it is in the palette).
QColor nearestPaletteColor(const QVector<QColor>& palette, const QColor& c);

// A sheet name from a window caption: without \ / [ ] ? * : and ", trimmed, at most 31 characters.
QString sheetName(const QString& title);

// How a cell's text goes into the sheet: as text, or as a date/time serial with its number format.
struct SheetValue
{
    bool isDateTime = false;
    double serial = 0;
    QString numberFormat;
    QString text;
};
SheetValue sheetValue(const QString& text);

// Writes the grid into a new workbook file in `folder`, one sheet named after the title. Returns the
// file's path, or an empty text when nothing was exported (the reason has been shown).
QString exportGrid(Dialogs& dialogs, const GridModel& grid, const QString& title, const QString& folder,
                   QWidget* parent = nullptr);

// The main window's Send to Excel: every grid of the window last activated among the report
// windows, each into a workbook in the temporary folder, opened with the desktop's default program.
void sendToExcel(AppContext& ctx);

} // namespace modExcel
