#include "reports/ExcelSheetWriter.h"

#include <QHash>
#include <QRect>

#include <algorithm>
#include <cmath>

namespace modExcel {

namespace {

lxw_color_t lxwColor(const QColor& c)
{
    const lxw_color_t rgb =
        (lxw_color_t(c.red()) << 16) | (lxw_color_t(c.green()) << 8) | lxw_color_t(c.blue());
    return rgb == 0 ? lxw_color_t(LXW_COLOR_BLACK) : rgb; // 0 means "no colour" to the writer
}

// The look of one sheet cell; equal looks share one format of the workbook.
struct Look
{
    QColor fore;
    QColor back;
    bool bold = false;
    QString fontName;
    double fontSize = 10;
    QString numberFormat;
    bool vcenter = false;

    bool operator==(const Look& o) const
    {
        return fore == o.fore && back == o.back && bold == o.bold && fontName == o.fontName &&
               fontSize == o.fontSize && numberFormat == o.numberFormat && vcenter == o.vcenter;
    }

    QString key() const
    {
        return QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
            .arg(colourValue(fore))
            .arg(colourValue(back))
            .arg(bold)
            .arg(fontName)
            .arg(fontSize)
            .arg(numberFormat)
            .arg(vcenter);
    }
};

class Formats
{
public:
    explicit Formats(lxw_workbook* book) : m_book(book) {}
    lxw_format* get(const Look& look)
    {
        const QString key = look.key();
        if (lxw_format* f = m_cache.value(key))
            return f;
        lxw_format* f = workbook_add_format(m_book);
        if (look.fore.isValid())
            format_set_font_color(f, lxwColor(look.fore));
        if (look.back.isValid()) {
            format_set_pattern(f, LXW_PATTERN_SOLID);
            format_set_bg_color(f, lxwColor(look.back));
        }
        if (look.bold)
            format_set_bold(f);
        if (!look.fontName.isEmpty())
            format_set_font_name(f, look.fontName.toUtf8().constData());
        if (look.fontSize > 0)
            format_set_font_size(f, look.fontSize);
        if (!look.numberFormat.isEmpty())
            format_set_num_format(f, look.numberFormat.toUtf8().constData());
        if (look.vcenter)
            format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
        m_cache.insert(key, f);
        return f;
    }

private:
    lxw_workbook* m_book;
    QHash<QString, lxw_format*> m_cache;
};

void check(lxw_error e)
{
    if (e != LXW_NO_ERROR)
        throw WriteFailure{e};
}

class SheetWriter
{
public:
    SheetWriter(lxw_workbook* book, lxw_worksheet* sheet, const GridModel& grid,
                const QVector<QColor>& palette)
        : m_sheet(sheet), m_grid(grid), m_palette(palette), m_formats(book)
    {
        for (int r = 0; r < grid.rows(); ++r) {
            if (r >= grid.rowHeights.size() || grid.rowHeights[r] != 0)
                m_visibleRows.append(r);
        }
        for (int c = 0; c < grid.cols(); ++c) {
            if (c >= grid.colWidths.size() || grid.colWidths[c] != 0)
                m_visibleCols.append(c);
        }
    }

    int visibleColumns() const { return int(m_visibleCols.size()); }

    void write()
    {
        m_lastLook.resize(m_visibleCols.size());
        m_lastFormat.fill(nullptr, m_visibleCols.size());
        for (int i = 0; i < m_visibleRows.size(); ++i) {
            for (int j = 0; j < m_visibleCols.size(); ++j)
                writeCell(i, j, false);
        }
        mergeRows();
        mergeColumns();
        fitColumns();
    }

private:
    bool isFixed(int r, int c) const { return r < m_grid.fixedRows || c < m_grid.fixedCols; }

    QColor mapped(const QColor& c) const { return nearestPaletteColor(m_palette, c); }

    Look lookOf(int r, int c, const QString& numberFormat, bool vcenter) const
    {
        const Cell& cell = m_grid.look(r, c);
        Look look;
        if (isFixed(r, c)) {
            look.back = mapped(m_grid.backColorFixed);
        } else if (cell.back.isValid() && colourValue(cell.back) != 0 &&
                   colourValue(cell.back) != colourValue(m_grid.backColor)) {
            look.back = mapped(cell.back);
        }
        if (cell.fore.isValid() && colourValue(cell.fore) > 0)
            look.fore = mapped(cell.fore);
        look.bold = cell.bold;
        look.fontName = cell.fontName;
        look.fontSize = cell.fontSize;
        look.numberFormat = numberFormat;
        look.vcenter = vcenter;
        return look;
    }

    void writeCell(int i, int j, bool vcenter)
    {
        const int r = m_visibleRows[i];
        const int c = m_visibleCols[j];
        const SheetValue value = sheetValue(m_grid.text(r, c));
        // A column's cells mostly look alike: the format of the cell above is reused when it fits.
        const Look look = lookOf(r, c, value.numberFormat, vcenter);
        if (!m_lastFormat[j] || !(m_lastLook[j] == look)) {
            m_lastLook[j] = look;
            m_lastFormat[j] = m_formats.get(look);
        }
        lxw_format* format = m_lastFormat[j];
        if (value.isDateTime || value.isNumber)
            check(worksheet_write_number(m_sheet, lxw_row_t(i), lxw_col_t(j), value.serial, format));
        else if (value.text.isEmpty())
            check(worksheet_write_blank(m_sheet, lxw_row_t(i), lxw_col_t(j), format));
        else
            check(worksheet_write_string(m_sheet, lxw_row_t(i), lxw_col_t(j), value.text.toUtf8().constData(),
                                         format));
    }

    bool overlapsMerged(const QRect& area) const
    {
        for (const QRect& merged : m_merged) {
            if (merged.intersects(area))
                return true;
        }
        return false;
    }

    // Merges sheet cells (i1,j1)..(i2,j2), keeping the first cell's value and look.
    void merge(int i1, int j1, int i2, int j2, bool vcenter)
    {
        const QRect area(QPoint(j1, i1), QPoint(j2, i2));
        if (overlapsMerged(area))
            return; // a cell belongs to one merged area at most
        m_merged.append(area);
        const int r = m_visibleRows[i1];
        const int c = m_visibleCols[j1];
        const SheetValue value = sheetValue(m_grid.text(r, c));
        lxw_format* format = m_formats.get(lookOf(r, c, value.numberFormat, vcenter));
        check(worksheet_merge_range(m_sheet, lxw_row_t(i1), lxw_col_t(j1), lxw_row_t(i2), lxw_col_t(j2),
                                    value.isDateTime || value.isNumber ? "" : value.text.toUtf8().constData(),
                                    format));
        if (value.isDateTime || value.isNumber)
            check(worksheet_write_number(m_sheet, lxw_row_t(i1), lxw_col_t(j1), value.serial, format));
    }

    // Equal neighbours in a row whose merge flag is set: runs of adjacent, visible, non-fixed columns.
    void mergeRows()
    {
        for (int i = 0; i < m_visibleRows.size(); ++i) {
            const int r = m_visibleRows[i];
            if (r >= m_grid.mergeRow.size() || !m_grid.mergeRow[r])
                continue;
            int start = -1;
            for (int j = 0; j + 1 < m_visibleCols.size(); ++j) {
                const int c = m_visibleCols[j];
                const bool pair = c >= m_grid.fixedCols && m_visibleCols[j + 1] == c + 1 &&
                                  m_grid.text(r, c) == m_grid.text(r, c + 1);
                if (pair && start < 0)
                    start = j;
                if (!pair && start >= 0) {
                    merge(i, start, i, j, false);
                    start = -1;
                }
            }
            if (start >= 0)
                merge(i, start, i, int(m_visibleCols.size()) - 1, false);
        }
    }

    void mergeColumns()
    {
        for (int j = 0; j < m_visibleCols.size(); ++j) {
            const int c = m_visibleCols[j];
            if (c >= m_grid.mergeCol.size() || !m_grid.mergeCol[c])
                continue;
            int start = -1;
            for (int i = 0; i + 1 < m_visibleRows.size(); ++i) {
                const int r = m_visibleRows[i];
                const bool pair = r >= m_grid.fixedRows && m_visibleRows[i + 1] == r + 1 &&
                                  m_grid.text(r, c) == m_grid.text(r + 1, c);
                if (pair && start < 0)
                    start = i;
                if (!pair && start >= 0) {
                    merge(start, j, i, j, true);
                    start = -1;
                }
            }
            if (start >= 0)
                merge(start, j, int(m_visibleRows.size()) - 1, j, true);
        }
    }

    // Column widths in the sheet's character units, wide enough for the longest text.
    void fitColumns()
    {
        for (int j = 0; j < m_visibleCols.size(); ++j) {
            const int c = m_visibleCols[j];
            double widest = 0;
            for (int r : m_visibleRows) {
                const Cell& cell = m_grid.look(r, c);
                const double scale =
                    (cell.fontSize > 0 ? cell.fontSize : 10) / 11.0 * (cell.bold ? 1.1 : 1.0);
                widest = std::max(widest, double(m_grid.text(r, c).size()) * scale);
            }
            if (widest > 0)
                check(worksheet_set_column(m_sheet, lxw_col_t(j), lxw_col_t(j), std::min(255.0, widest + 1.5),
                                           nullptr));
        }
    }

    lxw_worksheet* m_sheet;
    const GridModel& m_grid;
    const QVector<QColor>& m_palette;
    Formats m_formats;
    QVector<int> m_visibleRows;
    QVector<int> m_visibleCols;
    QVector<QRect> m_merged;
    QVector<Look> m_lastLook;
    QVector<lxw_format*> m_lastFormat;
};

} // namespace

void writeSheet(lxw_workbook* book, lxw_worksheet* sheet, const GridModel& grid,
                const QVector<QColor>& palette)
{
    SheetWriter writer(book, sheet, grid, palette);
    writer.write();
}

} // namespace modExcel
