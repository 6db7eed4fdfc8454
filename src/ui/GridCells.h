#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

// The texts of one grid row, packed into one block of UTF-8 with each cell ended by a byte that
// UTF-8 never uses. A long listing costs about its text and no object per cell, and rows can be
// built on any thread and handed to the grid afterwards.
class GridRow
{
public:
    GridRow() = default;
    explicit GridRow(const QStringList& texts);

    // Adds the next cell.
    void append(QStringView text);
    // Adds the next cell: a whole number in decimal.
    void appendNumber(qint64 number);
    // Room for this many bytes of UTF-8 text and end marks.
    void reserve(qsizetype bytes);
    // The number of cells held (cells past it read as empty).
    int size() const;
    QString text(int col) const;
    void setText(int col, QStringView text);
    // Keeps the first `cols` cells.
    void truncate(int cols);
    QStringList texts() const;
    // Removes cell `col` (later cells move left) and returns its text.
    QString take(int col);
    // Puts a cell in at `col` (later cells move right).
    void insert(int col, QStringView text);

private:
    // The byte range of cell `col`; false when the row holds fewer cells.
    bool find(int col, qsizetype& begin, qsizetype& end) const;

    QByteArray m_bytes;
};

// The cells behind Grid: row 0 is the header, data rows are 1.. (model rows 0..). Texts live in
// packed rows; fonts, colours, pictures and alignments only where a cell has its own.
class GridCells : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int PictureRole = Qt::UserRole + 1;

    explicit GridCells(QObject* parent = nullptr);
    ~GridCells() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // In grid rows (0 = header).
    int rows() const { return int(m_rows.size()) + 1; }
    void setRows(int rows);
    int cols() const { return m_cols; }
    void setCols(int cols);

    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    // A role of a cell's own format (font, colours, picture, alignment); invalid when it has none.
    QVariant format(int row, int col, int role) const;
    void setFormat(int row, int col, int role, const QVariant& value);

    // Adds data rows at the end in one step.
    void appendRows(std::vector<GridRow>&& rows);
    // Writes the texts of data row `row`, dropping any it had.
    void setRowTexts(int row, const QStringList& texts);

    void moveColumn(int from, int to);

private:
    using CellFormats = QHash<int, QMap<int, QVariant>>; // column -> role -> value
    struct Row
    {
        GridRow texts;
        std::unique_ptr<CellFormats> formats;
    };

    Row* rowAt(int row);
    const Row* rowAt(int row) const;
    void changed(int row, int col, int role);

    std::vector<Row> m_rows;
    Row m_header;
    int m_cols = 0;
};
