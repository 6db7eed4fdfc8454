#include "ui/GridCells.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char End = '\xff'; // ends every cell; no UTF-8 text contains this byte

} // namespace

GridRow::GridRow(const QStringList& texts)
{
    for (const QString& t : texts)
        append(t);
}

void GridRow::append(QStringView text)
{
    const qsizetype n = text.size();
    const char16_t* chars = text.utf16();
    qsizetype ascii = 0;
    while (ascii < n && chars[ascii] < 0x80)
        ++ascii;
    if (ascii < n) {
        m_bytes += text.toUtf8();
        m_bytes += End;
        return;
    }
    // Plain ASCII, the usual case, is copied over as it is.
    const qsizetype at = m_bytes.size();
    m_bytes.resize(at + n + 1);
    char* out = m_bytes.data() + at;
    for (qsizetype i = 0; i < n; ++i)
        out[i] = char(chars[i]);
    out[n] = End;
}

void GridRow::appendNumber(qint64 number)
{
    char digits[24];
    char* end = digits + sizeof digits;
    char* at = end;
    quint64 n = number < 0 ? 0 - quint64(number) : quint64(number);
    do {
        *--at = char('0' + n % 10);
        n /= 10;
    } while (n);
    if (number < 0)
        *--at = '-';
    m_bytes.append(at, end - at);
    m_bytes += End;
}

void GridRow::reserve(qsizetype bytes)
{
    m_bytes.reserve(bytes);
}

int GridRow::size() const
{
    return int(m_bytes.count(End));
}

bool GridRow::find(int col, qsizetype& begin, qsizetype& end) const
{
    if (col < 0)
        return false;
    const char* data = m_bytes.constData();
    const qsizetype length = m_bytes.size();
    qsizetype at = 0;
    for (int c = 0; c < col; ++c) {
        const void* next = std::memchr(data + at, End, size_t(length - at));
        if (!next)
            return false;
        at = static_cast<const char*>(next) - data + 1;
    }
    const void* stop = at < length ? std::memchr(data + at, End, size_t(length - at)) : nullptr;
    if (!stop)
        return false;
    begin = at;
    end = static_cast<const char*>(stop) - data;
    return true;
}

QString GridRow::text(int col) const
{
    qsizetype begin = 0, end = 0;
    if (!find(col, begin, end))
        return QString();
    return QString::fromUtf8(m_bytes.constData() + begin, end - begin);
}

void GridRow::setText(int col, QStringView text)
{
    if (col < 0)
        return;
    for (int have = size(); have < col + 1; ++have)
        m_bytes += End;
    qsizetype begin = 0, end = 0;
    find(col, begin, end);
    m_bytes.replace(begin, end - begin, text.toUtf8());
}

void GridRow::truncate(int cols)
{
    if (cols <= 0) {
        m_bytes.clear();
        return;
    }
    qsizetype begin = 0, end = 0;
    if (find(cols - 1, begin, end))
        m_bytes.truncate(end + 1);
}

QStringList GridRow::texts() const
{
    QStringList out;
    for (const QByteArray& cell : m_bytes.split(End))
        out.append(QString::fromUtf8(cell));
    out.removeLast(); // after the last end mark
    return out;
}

QString GridRow::take(int col)
{
    qsizetype begin = 0, end = 0;
    if (!find(col, begin, end))
        return QString();
    const QString text = QString::fromUtf8(m_bytes.constData() + begin, end - begin);
    m_bytes.remove(begin, end - begin + 1);
    return text;
}

void GridRow::insert(int col, QStringView text)
{
    if (col < 0)
        return;
    for (int have = size(); have < col; ++have)
        m_bytes += End;
    qsizetype begin = m_bytes.size(), end = 0;
    find(col, begin, end); // past the last cell: at the end
    m_bytes.insert(begin, text.toUtf8() + End);
}

GridCells::GridCells(QObject* parent) : QAbstractTableModel(parent) {}

GridCells::~GridCells() = default;

int GridCells::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int GridCells::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant GridCells::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return text(index.row() + 1, index.column());
    return format(index.row() + 1, index.column(), role);
}

QVariant GridCells::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_cols)
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return text(0, section);
    return format(0, section, role);
}

Qt::ItemFlags GridCells::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

GridCells::Row* GridCells::rowAt(int row)
{
    if (row == 0)
        return &m_header;
    if (row < 1 || row > int(m_rows.size()))
        return nullptr;
    return &m_rows[size_t(row - 1)];
}

const GridCells::Row* GridCells::rowAt(int row) const
{
    return const_cast<GridCells*>(this)->rowAt(row);
}

void GridCells::setRows(int rows)
{
    const int wanted = qMax(0, rows - 1);
    const int have = int(m_rows.size());
    if (wanted < have) {
        beginRemoveRows(QModelIndex(), wanted, have - 1);
        m_rows.erase(m_rows.begin() + wanted, m_rows.end());
        endRemoveRows();
    } else if (wanted > have) {
        beginInsertRows(QModelIndex(), have, wanted - 1);
        m_rows.resize(size_t(wanted));
        endInsertRows();
    }
}

void GridCells::setCols(int cols)
{
    cols = qMax(0, cols);
    if (cols < m_cols) {
        beginRemoveColumns(QModelIndex(), cols, m_cols - 1);
        auto drop = [cols](Row& row) {
            row.texts.truncate(cols);
            if (row.formats) {
                for (auto it = row.formats->begin(); it != row.formats->end();)
                    it = it.key() >= cols ? row.formats->erase(it) : std::next(it);
            }
        };
        drop(m_header);
        for (Row& row : m_rows)
            drop(row);
        m_cols = cols;
        endRemoveColumns();
    } else if (cols > m_cols) {
        beginInsertColumns(QModelIndex(), m_cols, cols - 1);
        m_cols = cols;
        endInsertColumns();
    }
}

QString GridCells::text(int row, int col) const
{
    const Row* r = col >= 0 && col < m_cols ? rowAt(row) : nullptr;
    return r ? r->texts.text(col) : QString();
}

void GridCells::setText(int row, int col, const QString& text)
{
    Row* r = col >= 0 && col < m_cols ? rowAt(row) : nullptr;
    if (!r)
        return;
    r->texts.setText(col, text);
    changed(row, col, Qt::DisplayRole);
}

QVariant GridCells::format(int row, int col, int role) const
{
    const Row* r = col >= 0 && col < m_cols ? rowAt(row) : nullptr;
    if (!r || !r->formats)
        return QVariant();
    const auto cell = r->formats->constFind(col);
    return cell == r->formats->constEnd() ? QVariant() : cell->value(role);
}

void GridCells::setFormat(int row, int col, int role, const QVariant& value)
{
    Row* r = col >= 0 && col < m_cols ? rowAt(row) : nullptr;
    if (!r)
        return;
    if (value.isValid()) {
        if (!r->formats)
            r->formats = std::make_unique<CellFormats>();
        (*r->formats)[col].insert(role, value);
    } else if (r->formats) {
        auto cell = r->formats->find(col);
        if (cell != r->formats->end())
            cell->remove(role);
    }
    changed(row, col, role);
}

void GridCells::changed(int row, int col, int role)
{
    if (row == 0) {
        Q_EMIT headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    const QModelIndex at = index(row - 1, col);
    Q_EMIT dataChanged(at, at, {role});
}

void GridCells::appendRows(std::vector<GridRow>&& rows)
{
    if (rows.empty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows(QModelIndex(), first, first + int(rows.size()) - 1);
    if (m_rows.capacity() < m_rows.size() + rows.size())
        m_rows.reserve(std::max(m_rows.size() + rows.size(), m_rows.capacity() * 2)); // grows by doubling
    for (GridRow& texts : rows) {
        if (texts.size() > m_cols)
            texts.truncate(m_cols);
        m_rows.push_back(Row{std::move(texts), nullptr});
    }
    endInsertRows();
    rows.clear();
}

void GridCells::setRowTexts(int row, const QStringList& texts)
{
    Row* r = row >= 1 ? rowAt(row) : nullptr;
    if (!r || m_cols == 0)
        return;
    r->texts = GridRow(texts.mid(0, m_cols));
    Q_EMIT dataChanged(index(row - 1, 0), index(row - 1, m_cols - 1), {Qt::DisplayRole});
}

void GridCells::moveColumn(int from, int to)
{
    if (from < 0 || to < 0 || from >= m_cols || to >= m_cols || from == to)
        return;
    // Out and in again, as the view's columns move with it (widths of the others stay theirs).
    const auto shifted = [](CellFormats& formats, int at, int by) {
        CellFormats moved;
        for (auto it = formats.cbegin(); it != formats.cend(); ++it)
            moved.insert(it.key() >= at ? it.key() + by : it.key(), it.value());
        formats.swap(moved);
    };
    struct Taken
    {
        QString text;
        QMap<int, QVariant> format;
    };
    std::vector<Taken> taken(m_rows.size() + 1);
    beginRemoveColumns(QModelIndex(), from, from);
    for (int r = 0; r < rows(); ++r) {
        Row* row = rowAt(r);
        taken[size_t(r)].text = row->texts.take(from);
        if (row->formats) {
            taken[size_t(r)].format = row->formats->take(from);
            shifted(*row->formats, from + 1, -1);
        }
    }
    --m_cols;
    endRemoveColumns();
    beginInsertColumns(QModelIndex(), to, to);
    for (int r = 0; r < rows(); ++r) {
        Row* row = rowAt(r);
        const Taken& cell = taken[size_t(r)];
        if (row->texts.size() > to || !cell.text.isEmpty())
            row->texts.insert(to, cell.text);
        if (row->formats)
            shifted(*row->formats, to, 1);
        if (!cell.format.isEmpty()) {
            if (!row->formats)
                row->formats = std::make_unique<CellFormats>();
            row->formats->insert(to, cell.format);
        }
    }
    ++m_cols;
    endInsertColumns();
}
