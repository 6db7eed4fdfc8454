#include "reports/modExcel.h"

#include "core/AppContext.h"
#include "core/DbError.h"
#include "core/Session.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/ProgramLauncher.h"
#include "ui/Twips.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QHash>
#include <QHeaderView>
#include <QLocale>
#include <QPointer>
#include <QRect>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTime>

#include <xlsxwriter.h>

#include <cmath>
#include <exception>

namespace modExcel {

namespace {

constexpr int MaxPalette = 56;
constexpr int MaxColumns = 255;

// The colour of a property in the header section of the grid's style sheet, if it sets one.
QColor headerStyleColor(const QString& styleSheet, const QString& property)
{
    const QRegularExpression section(QStringLiteral("QHeaderView::section\\s*\\{([^}]*)\\}"));
    const QRegularExpressionMatch block = section.match(styleSheet);
    if (!block.hasMatch())
        return QColor();
    const QRegularExpression value(QStringLiteral("(?:^|[;\\s])") + QRegularExpression::escape(property) +
                                   QStringLiteral("\\s*:\\s*([^;]+)"));
    const QRegularExpressionMatch m = value.match(block.captured(1));
    return m.hasMatch() ? QColor(m.captured(1).trimmed()) : QColor();
}

bool headerStyleBold(const QString& styleSheet)
{
    const QRegularExpression section(QStringLiteral("QHeaderView::section\\s*\\{([^}]*)\\}"));
    const QRegularExpressionMatch block = section.match(styleSheet);
    return block.hasMatch() &&
           block.captured(1).contains(QRegularExpression(QStringLiteral("font-weight\\s*:\\s*bold")));
}

QVector<int> propertyNumbers(const Grid& grid, const char* name)
{
    QVector<int> numbers;
    const QVariant v = grid.property(name);
    for (const QVariant& item : v.toList())
        numbers.append(item.toInt());
    return numbers;
}

qint64 colourValue(const QColor& c)
{
    return c.isValid() ? colorNumber::fromColor(c) : -1;
}

lxw_color_t lxwColor(const QColor& c)
{
    const lxw_color_t rgb =
        (lxw_color_t(c.red()) << 16) | (lxw_color_t(c.green()) << 8) | lxw_color_t(c.blue());
    return rgb == 0 ? lxw_color_t(LXW_COLOR_BLACK) : rgb; // 0 means "no colour" to the writer
}

QString errorText(int number, const QString& description)
{
    return QStringLiteral("Error: ") + QString::number(number) +
           QStringLiteral(" on line: 0\nDescription: ") + description +
           QStringLiteral("\nin procedure Sheet2Excel of Form modFlexExcel");
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

// Thrown inside the copy when the writer refuses a step.
struct WriteFailure
{
    lxw_error error;
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
        const Cell& cell = m_grid.cells[r][c];
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
        const SheetValue value = sheetValue(m_grid.cells[r][c].text);
        lxw_format* format = m_formats.get(lookOf(r, c, value.numberFormat, vcenter));
        if (value.isDateTime)
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
        const SheetValue value = sheetValue(m_grid.cells[r][c].text);
        lxw_format* format = m_formats.get(lookOf(r, c, value.numberFormat, vcenter));
        check(worksheet_merge_range(m_sheet, lxw_row_t(i1), lxw_col_t(j1), lxw_row_t(i2), lxw_col_t(j2),
                                    value.isDateTime ? "" : value.text.toUtf8().constData(), format));
        if (value.isDateTime)
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
                                  m_grid.cells[r][c].text == m_grid.cells[r][c + 1].text;
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
                                  m_grid.cells[r][c].text == m_grid.cells[r + 1][c].text;
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
                const Cell& cell = m_grid.cells[r][c];
                const double scale =
                    (cell.fontSize > 0 ? cell.fontSize : 10) / 11.0 * (cell.bold ? 1.1 : 1.0);
                widest = std::max(widest, double(cell.text.size()) * scale);
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
};

QString fileStem(const QString& title)
{
    QString stem = sheetName(title);
    stem.replace(QRegularExpression(QStringLiteral("[^\\w .,()-]")), QStringLiteral("_"));
    return stem.isEmpty() ? QStringLiteral("Report") : stem;
}

} // namespace

GridModel gridModel(const Grid& grid)
{
    GridModel m;
    m.fixedRows = 1;
    m.fixedCols = 0;
    const QPalette palette = grid.palette();
    m.backColor = palette.color(QPalette::Base);
    m.foreColor = palette.color(QPalette::Text);
    const QString style = grid.styleSheet();
    const QColor headerBack = headerStyleColor(style, QStringLiteral("background-color"));
    const QColor headerFore = headerStyleColor(style, QStringLiteral("color"));
    const QPalette headerPalette = grid.horizontalHeader()->palette();
    m.backColorFixed = headerBack.isValid() ? headerBack : headerPalette.color(QPalette::Button);
    m.foreColorFixed = headerFore.isValid() ? headerFore : headerPalette.color(QPalette::ButtonText);
    const bool headerBold = headerStyleBold(style);

    const int rows = grid.rows();
    const int cols = grid.cols();
    m.rowHeights.resize(rows);
    m.colWidths.resize(cols);
    m.cells.resize(rows);
    m.mergeRow.fill(false, rows);
    m.mergeCol.fill(false, cols);
    for (int c = 0; c < cols; ++c) {
        const int twipsWidth = grid.colWidth(c);
        if (twipsWidth > 0)
            m.colWidths[c] = twipsWidth;
        else
            m.colWidths[c] = grid.isColumnHidden(c) ? 0 : int(twips::fromPixels(grid.columnWidth(c)));
    }
    for (int r = 0; r < rows; ++r) {
        const bool hidden = r == 0 ? grid.horizontalHeader()->isHidden() : grid.isRowHidden(r - 1);
        m.rowHeights[r] = hidden ? 0 : std::max(1, grid.rowHeight(r));
        m.cells[r].resize(cols);
        for (int c = 0; c < cols; ++c) {
            Cell& cell = m.cells[r][c];
            const QTableWidgetItem* item = r == 0 ? grid.horizontalHeaderItem(c) : grid.item(r - 1, c);
            cell.text = grid.text(r, c);
            const QVariant back = item ? item->data(Qt::BackgroundRole) : QVariant();
            const QVariant fore = item ? item->data(Qt::ForegroundRole) : QVariant();
            if (back.isValid())
                cell.back = back.value<QBrush>().color();
            if (fore.isValid())
                cell.fore = fore.value<QBrush>().color();
            else
                cell.fore = r == 0 ? m.foreColorFixed : m.foreColor;
            const QFont font = item && item->data(Qt::FontRole).isValid() ? item->font() : grid.font();
            cell.bold = font.bold() || (r == 0 && headerBold);
            cell.fontName = QFontInfo(font).family();
            cell.fontSize = font.pointSizeF() > 0 ? font.pointSizeF() : 10;
        }
    }
    for (int r : propertyNumbers(grid, "mergeRows")) {
        if (r >= 0 && r < rows)
            m.mergeRow[r] = true;
    }
    for (int c : propertyNumbers(grid, "mergeCols")) {
        if (c >= 0 && c < cols)
            m.mergeCol[c] = true;
    }
    return m;
}

QVector<QColor> collectPalette(const GridModel& grid)
{
    QVector<QColor> palette;
    QVector<qint64> seen;
    auto add = [&](const QColor& c) {
        if (!c.isValid())
            return;
        const qint64 v = colorNumber::fromColor(c);
        if (seen.contains(v))
            return;
        seen.append(v);
        if (palette.size() < MaxPalette)
            palette.append(QColor(c.red(), c.green(), c.blue()));
    };
    add(grid.backColor);
    add(grid.backColorFixed);
    add(grid.foreColor);
    add(grid.foreColorFixed);
    const qint64 gridFore = colourValue(grid.foreColor);
    const qint64 gridBack = colourValue(grid.backColor);
    for (int r = grid.fixedRows; r < grid.rows(); ++r) {
        for (int c = grid.fixedCols; c < grid.cols(); ++c) {
            const Cell& cell = grid.cells[r][c];
            if (colourValue(cell.fore) > 0 && colourValue(cell.fore) != gridFore)
                add(cell.fore);
            if (colourValue(cell.back) > 0 && colourValue(cell.back) != gridBack)
                add(cell.back);
        }
    }
    return palette;
}

QColor nearestPaletteColor(const QVector<QColor>& palette, const QColor& c)
{
    if (palette.isEmpty() || !c.isValid())
        return c;
    QColor best;
    qint64 bestDistance = -1;
    for (const QColor& p : palette) {
        const qint64 dr = p.red() - c.red();
        const qint64 dg = p.green() - c.green();
        const qint64 db = p.blue() - c.blue();
        const qint64 d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = p;
        }
    }
    return best;
}

QString sheetName(const QString& title)
{
    QString name = title;
    name.remove(QRegularExpression(QStringLiteral("[\\\\/\\[\\]?*:\"]")));
    name = name.trimmed();
    return name.left(31);
}

SheetValue sheetValue(const QString& text)
{
    SheetValue v;
    v.text = text;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return v;
    bool number = false;
    QLocale::c().toDouble(t, &number);
    if (number)
        return v; // kept as text, leading zeros and all

    static const QDate epoch(1899, 12, 30);
    struct Form
    {
        const char* pattern;
        const char* qtForm;
        const char* sheetForm;
        bool hasDate;
        bool hasTime;
    };
    static const Form forms[] = {
        {"^\\d{4}-\\d{2}-\\d{2}$", "yyyy-MM-dd", "yyyy-mm-dd", true, false},
        {"^\\d{2}-\\d{2}-\\d{4}$", "dd-MM-yyyy", "dd-mm-yyyy", true, false},
        {"^\\d{2}/\\d{2}/\\d{4}$", "dd/MM/yyyy", "dd/mm/yyyy", true, false},
        {"^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}$", "yyyy-MM-dd HH:mm:ss", "yyyy-mm-dd hh:mm:ss", true,
         true},
        {"^\\d{1,2}:\\d{2}:\\d{2}$", "H:mm:ss", "hh:mm:ss", false, true},
        {"^\\d{1,2}:\\d{2}$", "H:mm", "hh:mm", false, true},
    };
    for (const Form& form : forms) {
        if (!QRegularExpression(QString::fromLatin1(form.pattern)).match(t).hasMatch())
            continue;
        const QString qtForm = QString::fromLatin1(form.qtForm);
        double serial = 0;
        if (form.hasDate && form.hasTime) {
            const QDateTime dt = QDateTime::fromString(t, qtForm);
            if (!dt.isValid() || dt.date() < QDate(1900, 3, 1))
                return v;
            serial = double(epoch.daysTo(dt.date())) + dt.time().msecsSinceStartOfDay() / 86400000.0;
        } else if (form.hasDate) {
            const QDate d = QDate::fromString(t, qtForm);
            if (!d.isValid() || d < QDate(1900, 3, 1))
                return v;
            serial = double(epoch.daysTo(d));
        } else {
            const QTime time = QTime::fromString(t, qtForm);
            if (!time.isValid())
                return v;
            serial = time.msecsSinceStartOfDay() / 86400000.0;
        }
        v.isDateTime = true;
        v.serial = serial;
        v.numberFormat = QString::fromLatin1(form.sheetForm);
        return v;
    }
    return v;
}

QString exportGrid(Dialogs& dialogs, const GridModel& grid, const QString& title, const QString& folder,
                   QWidget* parent)
{
    // Count what is visible before anything is written.
    int hiddenCols = 0;
    for (int c = 0; c < grid.cols(); ++c) {
        if (c < grid.colWidths.size() && grid.colWidths[c] == 0)
            ++hiddenCols;
    }
    const int visibleCols = grid.cols() - hiddenCols;
    if (visibleCols >= MaxColumns) {
        dialogs.message(
            QStringLiteral("Sheet2Excel: ") + QString::number(visibleCols) +
                QStringLiteral(" columns specified.\r\nThe maximum number of colums Excel can handle is 255"),
            Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, parent);
        return QString();
    }

    QTemporaryFile placeholder(QDir(folder).filePath(fileStem(title) + QStringLiteral("-XXXXXX.xlsx")));
    placeholder.setAutoRemove(false);
    if (!placeholder.open()) {
        dialogs.message(QStringLiteral("Error: ") + QString::number(int(LXW_ERROR_CREATING_XLSX_FILE)) +
                            QStringLiteral(" on line: 0\nDescription: \nFirst open Excel and try again "),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, parent);
        return QString();
    }
    const QString file = placeholder.fileName();
    placeholder.close();

    lxw_workbook* book = workbook_new(QFile::encodeName(file).constData());
    if (!book) {
        QFile::remove(file);
        dialogs.message(QStringLiteral("Error: ") + QString::number(int(LXW_ERROR_CREATING_XLSX_FILE)) +
                            QStringLiteral(" on line: 0\nDescription: \nFirst open Excel and try again "),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, parent);
        return QString();
    }

    // A name the workbook refuses leaves the sheet its default name.
    const QByteArray name = sheetName(title).toUtf8();
    const bool named =
        !name.isEmpty() && workbook_validate_sheet_name(book, name.constData()) == LXW_NO_ERROR;
    lxw_worksheet* sheet = workbook_add_worksheet(book, named ? name.constData() : nullptr);

    const QVector<QColor> palette = collectPalette(grid);
    bool copied = false;
    try {
        if (!sheet)
            throw WriteFailure{LXW_ERROR_MEMORY_MALLOC_FAILED};
        SheetWriter writer(book, sheet, grid, palette);
        writer.write();
        copied = true;
    } catch (const WriteFailure& failure) {
        dialogs.message(errorText(int(failure.error), QString::fromUtf8(lxw_strerror(failure.error))),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, parent);
    }
    const lxw_error closed = workbook_close(book);
    if (!copied) {
        QFile::remove(file);
        return QString();
    }
    if (closed != LXW_NO_ERROR) {
        QFile::remove(file);
        dialogs.message(errorText(int(closed), QString::fromUtf8(lxw_strerror(closed))), Dialogs::Buttons::Ok,
                        Dialogs::Icon::Critical, {}, parent);
        return QString();
    }
    return file;
}

void sendToExcel(AppContext& ctx)
{
    auto cannotContinue = [&ctx](QWidget* parent) {
        ctx.dialogs.message(QStringLiteral("Error. Cannot Continue "), Dialogs::Buttons::Ok,
                            Dialogs::Icon::None, {}, parent);
    };
    QPointer<QWidget> target = ctx.session.activeReport;
    if (!target) {
        cannotContinue(nullptr);
        return;
    }
    try {
        // Let the menu close and the window repaint before the copying starts.
        QCoreApplication::processEvents();
        if (!target) {
            cannotContinue(nullptr);
            return;
        }
        const QList<Grid*> grids = target->findChildren<Grid*>();
        if (grids.isEmpty()) {
            cannotContinue(target);
            return;
        }
        const QString title = target->windowTitle();
        QVector<GridModel> models;
        for (const Grid* grid : grids)
            models.append(gridModel(*grid));
        for (const GridModel& model : models) {
            const QString file = exportGrid(ctx.dialogs, model, title, QDir::tempPath(), target);
            if (file.isEmpty())
                return;
            if (!ctx.launcher.startDetached(QStringLiteral("xdg-open"), {file})) {
                cannotContinue(target);
                return;
            }
        }
    } catch (const DbError&) {
        cannotContinue(target);
    } catch (const std::exception&) {
        cannotContinue(target);
    }
}

} // namespace modExcel
