// The display board's call table: its styling from the theme, how it fills its block, the newest
// call's mark and the texts it shows.
#include "display/BoardDrawing.h"
#include "display/BoardTableFit.h"
#include "display/frmDisplay.h"
#include "display/media/CellPictures.h"

#include "core/AppContext.h"
#include "ui/Clock.h"
#include "ui/Grid.h"
#include "ui/Twips.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTimer>

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

    for (int r = 1; r <= t.dataRows; ++r) {
        const QColor back = (r % 2 == 1) ? t.altColor : t.tableBg;
        for (int c = 1; c < t.cols; ++c) {
            FG->setCellBackColor(r, c, back);
            FG->setCellAlignment(r, c, Qt::AlignLeft | Qt::AlignVCenter);
            FG->setCellForeColor(r, c, c == 1 ? t.tokenColor : t.valueColor);
        }
    }
    for (int c = 1; c < t.cols; ++c) {
        FG->setCellAlignment(0, c, Qt::AlignLeft | Qt::AlignVCenter);
        if (t.headerOn)
            FG->setCellForeColor(0, c, t.headerFore);
    }

    m_detailPicture = t.img2.isEmpty() ? QPixmap() : QPixmap(t.img2);
    fitTable();
    addimg1(*FG, t.img1);
}

bool frmDisplay::headerShown() const
{
    if (!m_theme.img1.isEmpty())
        return true;
    for (int c = 1; c < m_table.cols(); ++c) {
        if (!m_table.text(0, c).trimmed().isEmpty())
            return true;
    }
    return false;
}

void frmDisplay::fitTable()
{
    const BoardTheme& t = m_theme;
    // A header row without any caption would only take room from the calls.
    const bool header = headerShown();
    FG->horizontalHeader()->setVisible(header);
    // The header row takes what its captions need (a header picture an equal share); the calls share
    // the rest. The remainders go to the first rows: the last row is the lowest.
    const int equalShare = boardTableFit::rowHeights(FG->height(), t.dataRows + 1).value(0, FG->height());
    const QFont headerFont =
        boardTableFit::fitted(makeFont(t.headerFont, t.headerSize, true, font()), equalShare);
    int headerPixels = 0;
    if (header) {
        headerPixels =
            t.img1.isEmpty() ? boardTableFit::headerHeight(FG->height(), t.dataRows, headerFont) : equalShare;
    }
    const QVector<int> heights = boardTableFit::rowHeights(FG->height() - headerPixels, t.dataRows);
    const int rowPixels = heights.isEmpty() ? FG->height() : heights.last();

    const QFont tokenFont =
        boardTableFit::fitted(makeFont(t.tokenFont, t.tokenSize, true, font()), rowPixels);
    m_valueFont = boardTableFit::fitted(makeFont(t.valueFont, t.valueSize, true, font()), rowPixels);
    for (int r = 1; r <= t.dataRows; ++r) {
        for (int c = 1; c < t.cols; ++c)
            FG->setCellFont(r, c, c == 1 ? tokenFont : m_valueFont);
    }
    for (int c = 1; c < t.cols && t.headerOn; ++c)
        FG->setCellFont(0, c, headerFont);

    FG->horizontalHeader()->setMinimumHeight(headerPixels);
    FG->horizontalHeader()->setMaximumHeight(headerPixels);
    for (int r = 1; r <= t.dataRows; ++r)
        FG->QTableView::setRowHeight(r - 1, heights.value(r - 1, rowPixels));

    // The columns share the width in the theme's proportions; a column whose width the theme does
    // not give counts as the grid's own default width.
    const int defaultWidth = int(twips::fromPixels(FG->horizontalHeader()->defaultSectionSize()));
    QVector<int> weights(t.cols, 0);
    for (int c = 1; c < t.cols; ++c) {
        const int width = t.colWidths.value(c, 0);
        weights[c] = width > 0 ? width : defaultWidth;
    }
    m_columnPixels = boardTableFit::share(FG->width(), weights);
    applyColumnFormats();

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
    // places.
    const BoardTheme& t = m_theme;
    for (int c = 1; c < t.cols && c < FG->cols(); ++c) {
        const int source = m_table.columnShownAt(c);
        FG->setColWidth(c, int(twips::fromPixels(m_columnPixels.value(source, 0))));
        // The detail picture lies under the token and the first caption column only.
        const QPixmap picture = source <= 2 ? m_detailPicture : QPixmap();
        for (int r = 1; r <= t.dataRows; ++r)
            FG->setCellPicture(r, c, picture);
    }
}

void frmDisplay::watchNewestCall()
{
    if (!m_markTimer) {
        m_markTimer = new QTimer(this);
        m_markTimer->setObjectName(QStringLiteral("tmrNewest"));
        m_markTimer->setInterval(100);
        connect(m_markTimer, &QTimer::timeout, this, &frmDisplay::showNewestMark);
    }
    // Every call the board takes, a recall too, comes into the top row and flashes there.
    const auto flash = [this](const CallRow&) {
        m_newest.called(m_ctx.clock.now());
        m_markTimer->start();
    };
    m_engine->setTakenHandler(flash);
    // A board that follows the calls takes none: each call it shows flashes.
    if (m_engine->mode() == CallBoardEngine::Mode::Follow)
        m_engine->setShownHandler(flash);
}

void frmDisplay::showNewestMark()
{
    const BoardTheme& t = m_theme;
    const QDateTime now = m_ctx.clock.now();
    if (!m_newest.flashing(now) && m_markTimer)
        m_markTimer->stop();
    if (t.dataRows < 1 || FG->rows() < 2)
        return;
    const bool holdsCall = !m_table.text(1, 1).trimmed().isEmpty();
    const NewestCallMark::Look look = holdsCall ? m_newest.lookAt(now) : NewestCallMark::Look::Plain;
    const QColor ground = t.altColor; // the top row is an odd row
    const QColor marked = look == NewestCallMark::Look::Marked
                              ? NewestCallMark::markedGround(ground, t.tableBg, t.tokenColor)
                              : QColor();
    for (int c = 1; c < t.cols && c < FG->cols(); ++c) {
        const QColor text = c == 1 ? t.tokenColor : t.valueColor;
        QColor back = ground;
        QColor fore = text;
        if (look == NewestCallMark::Look::Marked) {
            back = marked;
            fore = NewestCallMark::textOn(back, {text, ground, t.tableBg});
        } else if (look == NewestCallMark::Look::Lit) {
            back = t.tokenColor;
            fore = NewestCallMark::textOn(back, {ground, t.tableBg});
        }
        if (FG->cellBackColor(1, c) != back)
            FG->setCellBackColor(1, c, back);
        if (FG->cellForeColor(1, c) != fore)
            FG->setCellForeColor(1, c, fore);
    }
}

void frmDisplay::showTable()
{
    const int rows = qMin(m_table.rows(), FG->rows());
    const int cols = qMin(m_table.cols(), FG->cols());
    for (int r = 0; r < rows; ++r) {
        for (int c = 1; c < cols; ++c) {
            const QString text = shown(m_table.text(r, m_table.columnShownAt(c)));
            if (FG->text(r, c) == text)
                continue;
            FG->setText(r, c, text);
            if (r > 0 && c >= 2)
                FG->setCellFont(r, c, captionFont(m_valueFont, text, FG->rowHeight(r)));
        }
    }
    showNewestMark();
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
