#include "ui/Grid.h"

#include "ui/Twips.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

constexpr int PictureRole = GridCells::PictureRole;

// A cell's own grid lines: its right and bottom edge, `width` pixels wide, inside the cell.
void drawCellLines(QPainter& painter, const QRect& cell, const QColor& color, int width)
{
    const int w = qMin(width, qMin(cell.width(), cell.height()));
    if (w <= 0)
        return;
    painter.fillRect(QRect(cell.right() - w + 1, cell.top(), w, cell.height()), color);
    painter.fillRect(QRect(cell.left(), cell.bottom() - w + 1, cell.width(), w), color);
}

// Paints a cell's background, then its picture stretched to the cell, then its text (inset by the
// grid's text padding) and selection.
class PictureDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QPixmap pixmap = index.data(PictureRole).value<QPixmap>();
        const auto* grid = qobject_cast<const Grid*>(parent());
        // The style keeps a margin of its own around an item's text; the inset includes it.
        const int ownMargin =
            grid ? grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1 : 0;
        const int padding = grid ? qMax(0, grid->textInset() - ownMargin) : 0;
        if (pixmap.isNull() && padding == 0) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        if (opt.backgroundBrush.style() != Qt::NoBrush)
            painter->fillRect(opt.rect, opt.backgroundBrush);
        if (!pixmap.isNull())
            painter->drawPixmap(opt.rect, pixmap);
        opt.backgroundBrush = Qt::NoBrush;
        opt.rect.adjust(padding, 0, -padding, 0);
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    }
};

// The header row: a header cell with a picture gets its background, the picture, then its caption.
class PictureHeader : public QHeaderView
{
public:
    using QHeaderView::QHeaderView;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int section) const override
    {
        // The style may leave the painter clipped to nothing after a section.
        painter->save();
        paintPictureSection(painter, rect, section);
        painter->restore();
        // The grid's own lines go over the section, picture and all.
        if (const auto* grid = qobject_cast<const Grid*>(parentWidget()); grid && grid->gridLineWidth() > 0)
            drawCellLines(*painter, rect, grid->gridLineColor(), grid->gridLineWidth());
    }

private:
    void paintPictureSection(QPainter* painter, const QRect& rect, int section) const
    {
        const QPixmap pixmap =
            model() ? model()->headerData(section, orientation(), PictureRole).value<QPixmap>() : QPixmap();
        if (pixmap.isNull()) {
            QHeaderView::paintSection(painter, rect, section);
            return;
        }
        QStyleOptionHeader opt;
        initStyleOption(&opt);
        opt.rect = rect;
        opt.section = section;
        style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);
        painter->drawPixmap(rect, pixmap);
        opt.text = model()->headerData(section, orientation(), Qt::DisplayRole).toString();
        const QVariant align = model()->headerData(section, orientation(), Qt::TextAlignmentRole);
        opt.textAlignment = align.isValid() ? Qt::Alignment(align.toInt()) : defaultAlignment();
        const QVariant fore = model()->headerData(section, orientation(), Qt::ForegroundRole);
        if (fore.isValid()) {
            opt.palette.setBrush(QPalette::ButtonText, fore.value<QBrush>());
            opt.palette.setBrush(QPalette::WindowText, fore.value<QBrush>());
        }
        const QVariant font = model()->headerData(section, orientation(), Qt::FontRole);
        painter->save();
        if (font.isValid())
            painter->setFont(font.value<QFont>());
        style()->drawControl(QStyle::CE_HeaderLabel, &opt, painter, this);
        painter->restore();
    }
};

} // namespace

Grid::Grid(QWidget* parent) : QTableView(parent), m_cells(new GridCells(this))
{
    setModel(m_cells);
    setCols(2);
    setHorizontalHeader(new PictureHeader(Qt::Horizontal, this));
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setItemDelegate(new PictureDelegate(this));
    setWordWrap(true);
    connect(this, &QAbstractItemView::pressed, this,
            [this](const QModelIndex& i) { Q_EMIT cellPressed(i.row(), i.column()); });
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& i) { Q_EMIT cellClicked(i.row(), i.column()); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& i) { Q_EMIT cellDoubleClicked(i.row(), i.column()); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& now, const QModelIndex& before) {
                Q_EMIT currentCellChanged(now.row(), now.column(), before.row(), before.column());
            });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &Grid::itemSelectionChanged);
    connect(this, &Grid::currentCellChanged, this,
            [this](int row, int col, int, int) { onCurrentCellChanged(row, col); });
    connect(this, &Grid::cellDoubleClicked, this, [this](int row, int) {
        m_anchor = row + 1;
        Q_EMIT dblClick();
    });
}

void Grid::setRows(int rows)
{
    m_cells->setRows(rows);
    if (m_anchor >= this->rows())
        m_anchor = -1;
}

void Grid::setCols(int cols)
{
    m_cells->setCols(cols);
    m_colTwips.resize(qMax(0, cols));
}

QString Grid::text(int row, int col) const
{
    return m_cells->text(row, col);
}

void Grid::setText(int row, int col, const QString& text)
{
    m_cells->setText(row, col, text);
}

int Grid::addRow(const QStringList& texts)
{
    std::vector<GridRow> one;
    one.emplace_back(texts);
    m_cells->appendRows(std::move(one));
    return rows() - 1;
}

void Grid::fillRow(int row, const QStringList& texts)
{
    m_cells->setRowTexts(row, texts);
}

void Grid::appendRows(std::vector<GridRow>&& rows)
{
    m_cells->appendRows(std::move(rows));
}

void Grid::setColWidth(int col, int twipsWidth)
{
    if (col < 0 || col >= cols())
        return;
    m_colTwips[col] = twipsWidth;
    const int px = twips::toPixels(twipsWidth);
    if (px <= 0) {
        setColumnHidden(col, true);
    } else {
        setColumnHidden(col, false);
        setColumnWidth(col, px);
    }
}

int Grid::colWidth(int col) const
{
    return (col >= 0 && col < m_colTwips.size()) ? m_colTwips[col] : 0;
}

void Grid::setRowHeight(int row, int twipsHeight)
{
    const int px = qMax(1, twips::toPixels(twipsHeight));
    if (row == 0) {
        horizontalHeader()->setMinimumHeight(px);
        horizontalHeader()->setMaximumHeight(px);
    } else if (row > 0 && row < rows()) {
        QTableView::setRowHeight(row - 1, px);
    }
}

int Grid::rowHeight(int row) const
{
    const int px = row == 0 ? horizontalHeader()->height() : QTableView::rowHeight(row - 1);
    return int(twips::fromPixels(px));
}

QVariant Grid::cellFormat(int row, int col, int role) const
{
    return m_cells->format(row, col, role);
}

QFont Grid::cellFont(int row, int col) const
{
    const QVariant v = m_cells->format(row, col, Qt::FontRole);
    return v.isValid() ? v.value<QFont>() : font();
}

void Grid::setCellFont(int row, int col, const QFont& f)
{
    m_cells->setFormat(row, col, Qt::FontRole, f);
}

void Grid::setCellFontName(int row, int col, const QString& name)
{
    QFont f = cellFont(row, col);
    f.setFamily(name);
    setCellFont(row, col, f);
}

void Grid::setCellFontSize(int row, int col, double points)
{
    if (points <= 0)
        return;
    QFont f = cellFont(row, col);
    f.setPointSizeF(points);
    setCellFont(row, col, f);
}

void Grid::setCellBold(int row, int col, bool bold)
{
    QFont f = cellFont(row, col);
    f.setBold(bold);
    setCellFont(row, col, f);
}

void Grid::setCellItalic(int row, int col, bool italic)
{
    QFont f = cellFont(row, col);
    f.setItalic(italic);
    setCellFont(row, col, f);
}

QColor Grid::cellForeColor(int row, int col) const
{
    const QVariant v = m_cells->format(row, col, Qt::ForegroundRole);
    return v.isValid() ? v.value<QBrush>().color() : palette().color(QPalette::Text);
}

void Grid::setCellForeColor(int row, int col, const QColor& color)
{
    m_cells->setFormat(row, col, Qt::ForegroundRole, QBrush(color));
}

QColor Grid::cellBackColor(int row, int col) const
{
    const QVariant v = m_cells->format(row, col, Qt::BackgroundRole);
    return v.isValid() ? v.value<QBrush>().color() : QColor();
}

void Grid::setCellBackColor(int row, int col, const QColor& color)
{
    m_cells->setFormat(row, col, Qt::BackgroundRole, QBrush(color));
}

QPixmap Grid::cellPicture(int row, int col) const
{
    return m_cells->format(row, col, PictureRole).value<QPixmap>();
}

void Grid::setCellPicture(int row, int col, const QPixmap& picture)
{
    m_cells->setFormat(row, col, PictureRole, picture.isNull() ? QVariant() : QVariant(picture));
}

void Grid::setCellAlignment(int row, int col, Qt::Alignment alignment)
{
    m_cells->setFormat(row, col, Qt::TextAlignmentRole, int(alignment));
}

int Grid::currentRow() const
{
    return currentIndex().row();
}

int Grid::currentColumn() const
{
    return currentIndex().column();
}

void Grid::setCurrentCell(int dataRow, int col, QItemSelectionModel::SelectionFlags command)
{
    selectionModel()->setCurrentIndex(m_cells->index(dataRow, col), command);
}

int Grid::rowSel() const
{
    const int current = currentRow();
    return current < 0 ? m_anchor : current + 1;
}

QList<int> Grid::selectedRowNumbers() const
{
    QList<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int r = range.top(); r <= range.bottom(); ++r)
            rows.append(r + 1);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void Grid::setRow(int row)
{
    if (row <= 0 || row >= rows()) {
        m_anchor = -1;
        clearSelection();
        return;
    }
    m_anchor = row;
    setCurrentCell(row - 1, qMax(0, currentColumn()),
                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_anchor = row;
}

void Grid::setRowSel(int row)
{
    if (m_anchor < 1 || row <= 0 || row >= rows())
        return;
    const int anchor = m_anchor;
    selectionModel()->select(QItemSelection(m_cells->index(qMin(anchor, row) - 1, 0),
                                            m_cells->index(qMax(anchor, row) - 1, cols() - 1)),
                             QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(m_cells->index(row - 1, qMax(0, currentColumn())),
                                      QItemSelectionModel::NoUpdate);
    m_anchor = anchor;
}

void Grid::onCurrentCellChanged(int row, int)
{
    const bool extending = (QApplication::keyboardModifiers() & Qt::ShiftModifier) || m_mouseDown;
    if (row < 0)
        m_anchor = -1;
    else if (!extending || m_anchor < 0)
        m_anchor = row + 1;
}

void Grid::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && !(event->modifiers() & Qt::ShiftModifier))
        m_anchor = index.row() + 1;
    m_mouseDown = true;
    QTableView::mousePressEvent(event);
}

void Grid::mouseReleaseEvent(QMouseEvent* event)
{
    m_mouseDown = false;
    QTableView::mouseReleaseEvent(event);
}

void Grid::moveColumn(int from, int to)
{
    if (from < 0 || to < 0 || from >= cols() || to >= cols() || from == to)
        return;
    const int widthTwips = m_colTwips[from];
    const bool hidden = isColumnHidden(from);
    const int widthPx = columnWidth(from);
    m_cells->moveColumn(from, to);
    m_colTwips.removeAt(from);
    m_colTwips.insert(to, widthTwips);
    setColumnHidden(to, hidden);
    setColumnWidth(to, widthPx);
}

void Grid::styleHeader()
{
    setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: #2f4f6f; color: white; font-weight: bold;"
                       " padding: 3px; border: 0px; border-right: 1px solid #5a7590; }"
                       "QTableView { gridline-color: #c8d0d8; selection-background-color: #3d7ab8; }"));
    setAlternatingRowColors(true);
}

void Grid::setGridLines(const QColor& color, int width)
{
    m_lineColor = color;
    m_lineWidth = qMax(0, width);
    setShowGrid(false);
    viewport()->update();
    horizontalHeader()->viewport()->update();
}

void Grid::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    if (m_lineWidth <= 0)
        return;
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    for (int r = 0; r < rows(); ++r) {
        const int y = rowViewportPosition(r);
        const int h = QTableView::rowHeight(r);
        if (isRowHidden(r) || y > dirty.bottom() || y + h < dirty.top())
            continue;
        for (int c = 0; c < cols(); ++c) {
            if (isColumnHidden(c))
                continue;
            const QRect cellRect(columnViewportPosition(c), y, columnWidth(c), h);
            if (cellRect.intersects(dirty))
                drawCellLines(painter, cellRect, m_lineColor, m_lineWidth);
        }
    }
}

void Grid::setTextInset(int pixels)
{
    m_textInset = qMax(0, pixels);
    viewport()->update();
}
