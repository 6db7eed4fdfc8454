#pragma once

#include "ui/GridCells.h"

#include <QColor>
#include <QString>
#include <QVector>

#include <vector>

struct AppContext;
class Dialogs;
class QDate;
class Grid;
class QWidget;
struct ReportFigures;

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

    // Everything but the text.
    bool looksLike(const Cell& other) const;
};

// What the export reads from a grid. Widths and heights are in twips; 0 means hidden. The cells are
// kept compactly, the texts packed row by row and each cell's look (colours and font) one of the
// grid's few distinct looks, so that a listing of many thousand rows costs about its text.
struct GridModel
{
    int fixedRows = 1;
    int fixedCols = 0;
    QVector<int> rowHeights;
    QVector<int> colWidths;
    QColor backColor{Qt::white};
    QColor foreColor{Qt::black};
    QColor backColorFixed{Qt::lightGray};
    QColor foreColorFixed{Qt::black};
    QVector<bool> mergeRow; // per row: merge equal neighbouring cells of that row
    QVector<bool> mergeCol; // per column: merge equal neighbouring cells of that column

    int rows() const { return int(m_texts.size()); }
    int cols() const { return m_cols; }
    // Empty cells of the default look.
    void resize(int rows, int cols);
    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    // Takes a row's texts as they are.
    void setRow(int row, GridRow&& texts);
    // The cell's look, its text left empty.
    const Cell& look(int row, int col) const;
    Cell cell(int row, int col) const;
    void setCell(int row, int col, const Cell& cell);

private:
    std::vector<GridRow> m_texts;
    QVector<quint16> m_lookOf; // rows x cols indices into m_looks
    QVector<Cell> m_looks{Cell()};
    int m_cols = 0;
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

// How a cell's text goes into the sheet: as text, as a number, or as a date/time serial with its
// number format. Whole and decimal numbers written plainly (5, -3, 7.5) become numbers a spreadsheet
// can sum; number texts that a number would change (007, +5, 1e3, 12345678901234567) stay text.
struct SheetValue
{
    bool isNumber = false;
    bool isDateTime = false;
    double serial = 0;
    QString numberFormat;
    QString text;
};
SheetValue sheetValue(const QString& text);

// Writes the grid into the workbook file `file` (replacing one that is there), one sheet named after
// the title, and a report's figures with their charts on a sheet after it when given. False when
// nothing was exported; the reason has been shown.
bool exportGrid(Dialogs& dialogs, const GridModel& grid, const QString& title, const QString& file,
                QWidget* parent = nullptr, const ReportFigures* figures = nullptr);

// A window names its workbooks through this property ("Service report"); else its caption does.
inline constexpr char ExportNameProperty[] = "exportName";
// True on a window while its grid is still being filled; it is not exported half-filled.
inline constexpr char StillFillingProperty[] = "stillFilling";
QString stillFillingText();
// "Service report 2026-12-09.xlsx".
QString suggestedFileName(const QWidget& window, const QDate& day);
// The user's documents folder (made when missing), else the home folder.
QString documentsFolder();
// What the user is told when the workbook cannot be opened here, and when it cannot be written.
QString savedText(const QString& file);
QString cannotWriteText(const QString& file);

// Asks where to save a workbook. A name typed without ".xlsx" gets it, and when a file of that
// completed name exists the user is asked before it is replaced (No asks for a name again).
// Empty when cancelled.
QString askWorkbookName(Dialogs& dialogs, const QString& suggested, QWidget* parent = nullptr);
QString replaceWorkbookText(const QString& file);

// The main window's Send to Excel: asks where to save each grid of the window last activated among
// the report windows (the documents folder and a name after the report and the day are offered),
// writes the workbook there and opens it with the desktop's spreadsheet program, or says where it is
// when there is none.
void sendToExcel(AppContext& ctx);

} // namespace modExcel
