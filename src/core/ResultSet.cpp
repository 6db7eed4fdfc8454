#include "core/ResultSet.h"

#include "core/DbError.h"

ResultSet::ResultSet(QStringList columns, QVector<QVector<QVariant>> rows)
    : m_columns(std::move(columns)), m_rows(std::move(rows))
{
    for (const QString& c : m_columns)
        m_lowerColumns.append(c.toLower());
}

int ResultSet::columnIndex(const QString& name) const
{
    return int(m_lowerColumns.indexOf(name.toLower()));
}

QVariant ResultSet::value(int row, int col) const
{
    if (row < 0 || row >= m_rows.size())
        throw DbError(QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
    if (col < 0 || col >= m_columns.size())
        throw DbError(QStringLiteral(
            "Item cannot be found in the collection corresponding to the requested name or ordinal."));
    return m_rows[row][col];
}

QVariant ResultSet::value(int row, const QString& name) const
{
    const int col = columnIndex(name);
    if (col < 0)
        throw DbError(QStringLiteral(
            "Item cannot be found in the collection corresponding to the requested name or ordinal."));
    return value(row, col);
}

QString ResultSet::text(int row, int col) const
{
    return value(row, col).toString();
}
QString ResultSet::text(int row, const QString& name) const
{
    return value(row, name).toString();
}
qint64 ResultSet::number(int row, int col) const
{
    return value(row, col).toLongLong();
}
qint64 ResultSet::number(int row, const QString& name) const
{
    return value(row, name).toLongLong();
}
bool ResultSet::isNull(int row, int col) const
{
    return value(row, col).isNull();
}
