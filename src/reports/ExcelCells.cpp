#include "reports/ExcelSheetWriter.h"
#include "reports/modExcel.h"

#include "ui/Grid.h"

#include <QDate>
#include <QFontInfo>
#include <QHash>
#include <QHeaderView>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

#include <cmath>
#include <iterator>
#include <vector>

// Reading a grid for the export, its palette, sheet names and how cell texts become sheet values.
namespace modExcel {

namespace {

constexpr int MaxPalette = 56;

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

} // namespace

bool Cell::looksLike(const Cell& o) const
{
    return back == o.back && fore == o.fore && bold == o.bold && fontName == o.fontName &&
           fontSize == o.fontSize;
}

void GridModel::resize(int rows, int cols)
{
    m_cols = qMax(0, cols);
    m_texts.assign(size_t(qMax(0, rows)), GridRow());
    m_lookOf.fill(0, qMax(0, rows) * m_cols);
}

QString GridModel::text(int row, int col) const
{
    if (row < 0 || row >= rows() || col < 0 || col >= m_cols)
        return QString();
    return m_texts[size_t(row)].text(col);
}

void GridModel::setText(int row, int col, const QString& text)
{
    if (row >= 0 && row < rows() && col >= 0 && col < m_cols)
        m_texts[size_t(row)].setText(col, text);
}

void GridModel::setRow(int row, GridRow&& texts)
{
    if (row >= 0 && row < rows())
        m_texts[size_t(row)] = std::move(texts);
}

const Cell& GridModel::look(int row, int col) const
{
    if (row < 0 || row >= rows() || col < 0 || col >= m_cols)
        return m_looks.first();
    return m_looks[m_lookOf[row * m_cols + col]];
}

Cell GridModel::cell(int row, int col) const
{
    Cell c = look(row, col);
    c.text = text(row, col);
    return c;
}

void GridModel::setCell(int row, int col, const Cell& cell)
{
    if (row < 0 || row >= rows() || col < 0 || col >= m_cols)
        return;
    setText(row, col, cell.text);
    // A grid has few distinct looks; the one of the cell before is the likeliest.
    quint16& index = m_lookOf[row * m_cols + col];
    const qsizetype before = row * m_cols + col > 0 ? m_lookOf[row * m_cols + col - 1] : 0;
    if (m_looks[before].looksLike(cell)) {
        index = quint16(before);
        return;
    }
    for (qsizetype i = 0; i < m_looks.size(); ++i) {
        if (m_looks[i].looksLike(cell)) {
            index = quint16(i);
            return;
        }
    }
    if (m_looks.size() > 0xffff)
        return; // more looks than any grid shows: the cell keeps the default look
    Cell look = cell;
    look.text.clear();
    m_looks.append(look);
    index = quint16(m_looks.size() - 1);
}

GridModel gridModel(const Grid& grid)
{
    // The family a font resolves to, looked up once per font: a long listing has few fonts, and most
    // cells have none of their own.
    const QFont gridFont = grid.font();
    const QString gridFamily = QFontInfo(gridFont).family();
    QHash<QString, QString> families;
    auto familyOf = [&](const QFont& font) {
        const QString key = font.key();
        auto known = families.constFind(key);
        if (known == families.constEnd())
            known = families.insert(key, QFontInfo(font).family());
        return *known;
    };
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
    m.resize(rows, cols);
    m.mergeRow.fill(false, rows);
    m.mergeCol.fill(false, cols);
    for (int c = 0; c < cols; ++c) {
        const int twipsWidth = grid.colWidth(c);
        if (twipsWidth > 0)
            m.colWidths[c] = twipsWidth;
        else
            m.colWidths[c] = grid.isColumnHidden(c) ? 0 : int(twips::fromPixels(grid.columnWidth(c)));
    }
    Cell cell;
    for (int r = 0; r < rows; ++r) {
        const bool hidden = r == 0 ? grid.horizontalHeader()->isHidden() : grid.isRowHidden(r - 1);
        m.rowHeights[r] = hidden ? 0 : std::max(1, grid.rowHeight(r));
        for (int c = 0; c < cols; ++c) {
            cell.text = grid.text(r, c);
            const QVariant back = grid.cellFormat(r, c, Qt::BackgroundRole);
            const QVariant fore = grid.cellFormat(r, c, Qt::ForegroundRole);
            cell.back = back.isValid() ? back.value<QBrush>().color() : QColor();
            if (fore.isValid())
                cell.fore = fore.value<QBrush>().color();
            else
                cell.fore = r == 0 ? m.foreColorFixed : m.foreColor;
            const QVariant own = grid.cellFormat(r, c, Qt::FontRole);
            const QFont font = own.isValid() ? own.value<QFont>() : gridFont;
            cell.bold = font.bold() || (r == 0 && headerBold);
            cell.fontName = own.isValid() ? familyOf(font) : gridFamily;
            cell.fontSize = font.pointSizeF() > 0 ? font.pointSizeF() : 10;
            m.setCell(r, c, cell);
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
            const Cell& cell = grid.look(r, c);
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

namespace {

// A number as a count or a duration is written: an optional minus, digits without a leading zero
// (or a single 0), an optional decimal part; at most 15 digits, all of which a spreadsheet keeps.
bool plainNumber(const QString& t)
{
    qsizetype i = t.startsWith(QLatin1Char('-')) ? 1 : 0;
    const qsizetype start = i;
    int digits = 0;
    while (i < t.size() && t.at(i).isDigit() && t.at(i).unicode() < 128) {
        ++i;
        ++digits;
    }
    if (digits == 0 || (digits > 1 && t.at(start) == QLatin1Char('0')))
        return false;
    if (i < t.size()) {
        if (t.at(i) != QLatin1Char('.') || i + 1 == t.size())
            return false;
        for (++i; i < t.size(); ++i, ++digits) {
            if (!t.at(i).isDigit() || t.at(i).unicode() >= 128)
                return false;
        }
    }
    return digits <= 15;
}

} // namespace

SheetValue sheetValue(const QString& text)
{
    SheetValue v;
    v.text = text;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return v;
    bool number = false;
    const double value = QLocale::c().toDouble(t, &number);
    if (number) {
        if (plainNumber(t)) {
            v.isNumber = true;
            v.serial = value;
        }
        return v; // else kept as text, leading zeros and all
    }

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
    // Compiled once: a long listing asks this of every cell.
    static const std::vector<QRegularExpression> patterns = [] {
        std::vector<QRegularExpression> out;
        for (const Form& form : forms)
            out.emplace_back(QString::fromLatin1(form.pattern));
        return out;
    }();
    if (!t.at(0).isDigit())
        return v; // every form starts with a digit
    // The report's own forms, "yyyy-MM-dd" and "HH:mm:ss", read digit by digit: a long report has
    // three of them a row.
    const auto digits = [&t](qsizetype from, qsizetype count, int& value) {
        value = 0;
        for (qsizetype i = from; i < from + count; ++i) {
            if (t.at(i) < QLatin1Char('0') || t.at(i) > QLatin1Char('9'))
                return false;
            value = value * 10 + t.at(i).digitValue();
        }
        return true;
    };
    int a = 0, b = 0, c = 0;
    if (t.size() == 10 && t.at(4) == QLatin1Char('-') && t.at(7) == QLatin1Char('-') && digits(0, 4, a) &&
        digits(5, 2, b) && digits(8, 2, c)) {
        const QDate d(a, b, c);
        if (!d.isValid() || d < QDate(1900, 3, 1))
            return v;
        v.isDateTime = true;
        v.serial = double(epoch.daysTo(d));
        v.numberFormat = QStringLiteral("yyyy-mm-dd");
        return v;
    }
    if (t.size() == 8 && t.at(2) == QLatin1Char(':') && t.at(5) == QLatin1Char(':') && digits(0, 2, a) &&
        digits(3, 2, b) && digits(6, 2, c)) {
        if (a > 23 || b > 59 || c > 59)
            return v;
        v.isDateTime = true;
        v.serial = (a * 3600 + b * 60 + c) / 86400.0;
        v.numberFormat = QStringLiteral("hh:mm:ss");
        return v;
    }
    for (size_t i = 0; i < std::size(forms); ++i) {
        const Form& form = forms[i];
        if (!patterns[i].match(t).hasMatch())
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

} // namespace modExcel
