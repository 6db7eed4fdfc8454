// The display board's call table: its styling from the theme and the texts it shows.
#include "display/BoardDrawing.h"
#include "display/frmDisplay.h"
#include "display/media/CellPictures.h"

#include "ui/Grid.h"
#include "ui/Twips.h"

#include <QFontMetrics>
#include <QHeaderView>

using namespace boardDrawing;

void frmDisplay::styleTable()
{
    const BoardTheme& t = m_theme;
    FG->setCols(t.cols);
    FG->setRows(t.dataRows + 1);

    FG->setStyleSheet(
        QStringLiteral("QTableView { background-color: %1; border: none; }"
                       "QHeaderView { background-color: %1; border: none; }"
                       "QHeaderView::section { background-color: %2; color: %3; border: none;"
                       " padding-left: 10px; padding-right: 10px; }")
            .arg(cssColor(t.tableBg), cssColor(t.headerBg),
                 // The header's text colour is the theme's only when the theme enables the header.
                 cssColor(t.headerOn ? t.headerFore : QColor(Qt::black))));
    // The lines of data and header cells alike, in the theme's colour and width.
    FG->setGridLines(t.lineColor, t.lineWidth);
    // Data texts stand as far from the cell's edge as the header's captions.
    FG->setTextInset(10);

    FG->setColWidth(0, t.colWidths.value(0, 1));

    const QFont tokenFont = makeFont(t.tokenFont, t.tokenSize, true, font());
    const QFont valueFont = makeFont(t.valueFont, t.valueSize, true, font());
    const QFont headerFont = makeFont(t.headerFont, t.headerSize, true, font());
    for (int r = 1; r <= t.dataRows; ++r) {
        const QColor back = (r % 2 == 1) ? t.altColor : t.tableBg;
        for (int c = 1; c < t.cols; ++c) {
            FG->setCellBackColor(r, c, back);
            FG->setCellAlignment(r, c, Qt::AlignLeft | Qt::AlignVCenter);
            if (c == 1) {
                FG->setCellFont(r, c, tokenFont);
                FG->setCellForeColor(r, c, t.tokenColor);
            } else {
                FG->setCellFont(r, c, valueFont);
                FG->setCellForeColor(r, c, t.valueColor);
            }
        }
    }
    for (int c = 1; c < t.cols; ++c) {
        FG->setCellAlignment(0, c, Qt::AlignLeft | Qt::AlignVCenter);
        if (t.headerOn) {
            FG->setCellFont(0, c, headerFont);
            FG->setCellForeColor(0, c, t.headerFore);
        }
    }

    // Rows are at least the theme's height, and never lower than one line of their largest font.
    const int minRow = px(t.rowHeight);
    const int dataLine = qMax(QFontMetrics(tokenFont).height(), QFontMetrics(valueFont).height()) + 4;
    const int headerLine = QFontMetrics(t.headerOn ? headerFont : font()).height() + 4;
    FG->horizontalHeader()->setMinimumHeight(qMax(minRow, headerLine));
    FG->horizontalHeader()->setMaximumHeight(qMax(minRow, headerLine));
    for (int r = 1; r <= t.dataRows; ++r)
        FG->QTableView::setRowHeight(r - 1, qMax(minRow, dataLine));

    m_detailPicture = t.img2.isEmpty() ? QPixmap() : QPixmap(t.img2);
    applyColumnFormats();
    addimg1(*FG, t.img1);

    // The frame: the table's rectangle, 10 twips further out on the left and top, 23 twips larger.
    const QRect table = FG->geometry();
    const int out = px(10);
    const int grow = px(23);
    Shape1->setGeometry(table.left() - out, table.top() - out, table.width() + grow, table.height() + grow);
    Shape1->setLine(t.lineColor, t.lineWidth);
    Shape1->lower();
    if (imgBG)
        imgBG->lower();
}

void frmDisplay::applyColumnFormats()
{
    // Widths and detail pictures belong to a column and go with it when the caption columns trade
    // places; a column whose width the theme does not give keeps the grid's own.
    const BoardTheme& t = m_theme;
    const int defaultWidth = int(twips::fromPixels(FG->horizontalHeader()->defaultSectionSize()));
    for (int c = 1; c < t.cols && c < FG->cols(); ++c) {
        const int source = m_table.columnShownAt(c);
        const int width = t.colWidths.value(source, 0);
        FG->setColWidth(c, width > 0 ? width : defaultWidth);
        // The detail picture lies under the token and the first caption column only.
        const QPixmap picture = source <= 2 ? m_detailPicture : QPixmap();
        for (int r = 1; r <= t.dataRows; ++r)
            FG->setCellPicture(r, c, picture);
    }
}

void frmDisplay::showTable()
{
    const int rows = qMin(m_table.rows(), FG->rows());
    const int cols = qMin(m_table.cols(), FG->cols());
    const QFont valueFont = makeFont(m_theme.valueFont, m_theme.valueSize, true, font());
    for (int r = 0; r < rows; ++r) {
        for (int c = 1; c < cols; ++c) {
            const QString text = shown(m_table.text(r, m_table.columnShownAt(c)));
            if (FG->text(r, c) == text)
                continue;
            FG->setText(r, c, text);
            if (r > 0 && c >= 2)
                FG->setCellFont(r, c, captionFont(valueFont, text, FG->rowHeight(r)));
        }
    }
}

QFont frmDisplay::captionFont(const QFont& base, const QString& text, int rowTwips) const
{
    // A caption with a second line is set smaller so that both lines fit the row.
    const int lines = int(text.count(QLatin1Char('\n'))) + 1;
    if (lines < 2)
        return base;
    const double available = twips::toPixels(rowTwips) - 4;
    const double needed = double(QFontMetricsF(base).lineSpacing()) * lines;
    if (needed <= available || needed <= 0)
        return base;
    QFont f = base;
    f.setPointSizeF(qMax(base.pointSizeF() * 0.5, base.pointSizeF() * available / needed));
    return f;
}
