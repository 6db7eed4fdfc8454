#pragma once

#include "ui/GridCells.h"

#include <QItemSelectionModel>
#include <QPixmap>
#include <QTableView>
#include <QVector>

// The grid every list screen stands on. Rows are counted the way the screens count them: row 0 is
// the header row (kept frozen above the data), data rows are 1 .. rows()-1. Widths and heights are
// in twips; a column narrower than one pixel (the 1-twip key column) is hidden. Every cell can carry
// its own font, colours and a picture painted under its text.
//
// Selection follows the anchor-and-end model: row() is the row where the selection started, rowSel()
// the row it was extended to (they are equal for a single row).
//
// The cells live in a model (GridCells) with no object per cell, so a listing of hundreds of
// thousands of rows costs about its text; appendRows adds a batch of rows built elsewhere (on a
// worker thread, say) in one step.
class Grid : public QTableView
{
    Q_OBJECT

public:
    explicit Grid(QWidget* parent = nullptr);

    int rows() const { return m_cells->rows(); }
    void setRows(int rows);
    int cols() const { return m_cells->cols(); }
    void setCols(int cols);

    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    // Appends a data row with the given texts in columns 0.. and returns its row number.
    int addRow(const QStringList& texts = {});
    // Writes the texts of a data row that has no cells yet.
    void fillRow(int row, const QStringList& texts);
    // Adds data rows at the end in one step: the quick way to fill long listings.
    void appendRows(std::vector<GridRow>&& rows);
    // Back to only the header row.
    void clearRows() { setRows(1); }

    void setColWidth(int col, int twips);
    int colWidth(int col) const;
    void setRowHeight(int row, int twips);
    int rowHeight(int row) const;

    QFont cellFont(int row, int col) const;
    void setCellFont(int row, int col, const QFont& font);
    void setCellFontName(int row, int col, const QString& name);
    void setCellFontSize(int row, int col, double points);
    void setCellBold(int row, int col, bool bold);
    void setCellItalic(int row, int col, bool italic);
    QColor cellForeColor(int row, int col) const;
    void setCellForeColor(int row, int col, const QColor& color);
    QColor cellBackColor(int row, int col) const; // invalid when the cell has none of its own
    void setCellBackColor(int row, int col, const QColor& color);
    QPixmap cellPicture(int row, int col) const;
    void setCellPicture(int row, int col, const QPixmap& picture);
    void setCellAlignment(int row, int col, Qt::Alignment alignment);
    // A role of the cell's own format (Qt::FontRole, ForegroundRole, BackgroundRole, ...); invalid when
    // the cell has none of its own.
    QVariant cellFormat(int row, int col, int role) const;

    // The current cell in data rows counted from 0, as the item views count them; -1 when none.
    int currentRow() const;
    int currentColumn() const;
    void setCurrentCell(int dataRow, int col,
                        QItemSelectionModel::SelectionFlags command = QItemSelectionModel::ClearAndSelect);

    // Anchor and end of the row selection, in grid rows; -1 when nothing is selected.
    int row() const { return m_anchor; }
    int rowSel() const;
    void setRow(int row);    // selects that single row
    void setRowSel(int row); // extends the selection from row() to this row
    int firstSelectedRow() const { return qMin(row(), rowSel()); }
    int lastSelectedRow() const { return qMax(row(), rowSel()); }
    // The highlighted data rows, top to bottom, however the selection was made (downwards, upwards,
    // Ctrl-click). Empty when nothing is highlighted, even if a row is current (reached with Tab).
    QList<int> selectedRowNumbers() const;

    // Moves a whole column (texts, formats, width) to another position.
    void moveColumn(int from, int to);

    // The header row styled as the program's lists show it.
    void styleHeader();

    // Grid lines the grid draws itself: `width` pixels in `color` along the right and bottom edge of
    // every cell, the header cells included; width 0 draws none. Until this is called the table's
    // own one-pixel lines are shown.
    void setGridLines(const QColor& color, int width);
    int gridLineWidth() const { return m_lineWidth; } // -1 while the table's own lines are shown
    QColor gridLineColor() const { return m_lineColor; }
    // Distance in pixels from a data cell's left and right edge to its text (the background still
    // fills the cell); 0 leaves the style's own margin.
    void setTextInset(int pixels);
    int textInset() const { return m_textInset; }

Q_SIGNALS:
    void dblClick();
    // Cell signals in data rows counted from 0.
    void cellPressed(int dataRow, int col);
    void cellClicked(int dataRow, int col);
    void cellDoubleClicked(int dataRow, int col);
    void currentCellChanged(int dataRow, int col, int previousRow, int previousCol);
    void itemSelectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void onCurrentCellChanged(int row, int col);

    GridCells* m_cells;
    QVector<int> m_colTwips;
    int m_anchor = -1;
    bool m_mouseDown = false;
    int m_lineWidth = -1;
    QColor m_lineColor;
    int m_textInset = 0;
};
