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

constexpr int PictureRole = Qt::UserRole + 1;

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

Grid::Grid(QWidget* parent) : QTableWidget(parent)
{
    setColumnCount(2);
    setRowCount(0);
    m_colTwips.resize(2);
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
    connect(this, &QTableWidget::currentCellChanged, this,
            [this](int row, int col, int, int) { onCurrentCellChanged(row, col); });
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        m_anchor = row + 1;
        Q_EMIT dblClick();
    });
}

void Grid::setRows(int rows)
{
    setRowCount(qMax(0, rows - 1));
    if (m_anchor >= this->rows())
        m_anchor = -1;
}

void Grid::setCols(int cols)
{
    setColumnCount(qMax(0, cols));
    m_colTwips.resize(qMax(0, cols));
}

QTableWidgetItem* Grid::cell(int row, int col, bool create)
{
    if (row < 0 || col < 0 || col >= columnCount() || row >= rows())
        return nullptr;
    if (row == 0) {
        QTableWidgetItem* item = horizontalHeaderItem(col);
        if (!item && create) {
            item = new QTableWidgetItem;
            setHorizontalHeaderItem(col, item);
        }
        return item;
    }
    QTableWidgetItem* item = this->item(row - 1, col);
    if (!item && create) {
        item = new QTableWidgetItem;
        setItem(row - 1, col, item);
    }
    return item;
}

const QTableWidgetItem* Grid::cellConst(int row, int col) const
{
    if (row < 0 || col < 0 || col >= columnCount() || row >= rows())
        return nullptr;
    return row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
}

QString Grid::text(int row, int col) const
{
    const QTableWidgetItem* item = cellConst(row, col);
    return item ? item->text() : QString();
}

void Grid::setText(int row, int col, const QString& text)
{
    if (QTableWidgetItem* item = cell(row, col, true))
        item->setText(text);
}

int Grid::addRow(const QStringList& texts)
{
    setRows(rows() + 1);
    const int row = rows() - 1;
    for (int c = 0; c < texts.size() && c < cols(); ++c)
        setText(row, c, texts.at(c));
    return row;
}

void Grid::fillRow(int row, const QStringList& texts)
{
    if (row < 1 || row >= rows())
        return;
    for (int c = 0; c < texts.size() && c < cols(); ++c)
        setItem(row - 1, c, new QTableWidgetItem(texts.at(c)));
}

void Grid::setColWidth(int col, int twipsWidth)
{
    if (col < 0 || col >= columnCount())
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
        QTableWidget::setRowHeight(row - 1, px);
    }
}

int Grid::rowHeight(int row) const
{
    const int px = row == 0 ? horizontalHeader()->height() : QTableWidget::rowHeight(row - 1);
    return int(twips::fromPixels(px));
}

QFont Grid::cellFont(int row, int col) const
{
    const QTableWidgetItem* item = cellConst(row, col);
    return item ? item->font() : font();
}

void Grid::setCellFont(int row, int col, const QFont& f)
{
    if (QTableWidgetItem* item = cell(row, col, true))
        item->setFont(f);
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
    const QTableWidgetItem* item = cellConst(row, col);
    const QVariant v = item ? item->data(Qt::ForegroundRole) : QVariant();
    return v.isValid() ? v.value<QBrush>().color() : palette().color(QPalette::Text);
}

void Grid::setCellForeColor(int row, int col, const QColor& color)
{
    if (QTableWidgetItem* item = cell(row, col, true))
        item->setForeground(color);
}

QColor Grid::cellBackColor(int row, int col) const
{
    const QTableWidgetItem* item = cellConst(row, col);
    const QVariant v = item ? item->data(Qt::BackgroundRole) : QVariant();
    return v.isValid() ? v.value<QBrush>().color() : QColor();
}

void Grid::setCellBackColor(int row, int col, const QColor& color)
{
    if (QTableWidgetItem* item = cell(row, col, true))
        item->setBackground(color);
}

QPixmap Grid::cellPicture(int row, int col) const
{
    const QTableWidgetItem* item = cellConst(row, col);
    return item ? item->data(PictureRole).value<QPixmap>() : QPixmap();
}

void Grid::setCellPicture(int row, int col, const QPixmap& picture)
{
    if (QTableWidgetItem* item = cell(row, col, true))
        item->setData(PictureRole, picture.isNull() ? QVariant() : QVariant(picture));
}

void Grid::setCellAlignment(int row, int col, Qt::Alignment alignment)
{
    if (QTableWidgetItem* item = cell(row, col, true))
        item->setTextAlignment(int(alignment));
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
    clearSelection();
    setRangeSelected(QTableWidgetSelectionRange(qMin(anchor, row) - 1, 0, qMax(anchor, row) - 1, cols() - 1),
                     true);
    selectionModel()->setCurrentIndex(model()->index(row - 1, qMax(0, currentColumn())),
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
    QTableWidget::mousePressEvent(event);
}

void Grid::mouseReleaseEvent(QMouseEvent* event)
{
    m_mouseDown = false;
    QTableWidget::mouseReleaseEvent(event);
}

void Grid::moveColumn(int from, int to)
{
    if (from < 0 || to < 0 || from >= cols() || to >= cols() || from == to)
        return;
    QList<QTableWidgetItem*> items;
    for (int r = 0; r < rowCount(); ++r)
        items.append(takeItem(r, from));
    QTableWidgetItem* header = takeHorizontalHeaderItem(from);
    const int widthTwips = m_colTwips[from];
    const bool hidden = isColumnHidden(from);
    const int widthPx = columnWidth(from);
    removeColumn(from);
    m_colTwips.removeAt(from);
    insertColumn(to);
    m_colTwips.insert(to, widthTwips);
    for (int r = 0; r < rowCount(); ++r)
        setItem(r, to, items.at(r));
    if (header)
        setHorizontalHeaderItem(to, header);
    setColumnHidden(to, hidden);
    setColumnWidth(to, widthPx);
}

void Grid::styleHeader()
{
    setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: #2f4f6f; color: white; font-weight: bold;"
                       " padding: 3px; border: 0px; border-right: 1px solid #5a7590; }"
                       "QTableWidget { gridline-color: #c8d0d8; selection-background-color: #3d7ab8; }"));
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
    QTableWidget::paintEvent(event);
    if (m_lineWidth <= 0)
        return;
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    for (int r = 0; r < rowCount(); ++r) {
        const int y = rowViewportPosition(r);
        const int h = QTableWidget::rowHeight(r);
        if (isRowHidden(r) || y > dirty.bottom() || y + h < dirty.top())
            continue;
        for (int c = 0; c < columnCount(); ++c) {
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
