#pragma once

#include <QStringList>
#include <QVariant>
#include <QVector>

// A complete client-side snapshot of a query's rows: the row count is known at once and fields are
// read by 0-based position or by (case-insensitive) column name. Reading a position or name that the
// result does not have throws DbError, as the store would.
class ResultSet
{
public:
    ResultSet() = default;
    ResultSet(QStringList columns, QVector<QVector<QVariant>> rows);

    int size() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    int columnCount() const { return int(m_columns.size()); }
    const QStringList& columns() const { return m_columns; }
    int columnIndex(const QString& name) const; // -1 when absent

    QVariant value(int row, int col) const;
    QVariant value(int row, const QString& name) const;
    QString text(int row, int col) const;
    QString text(int row, const QString& name) const;
    qint64 number(int row, int col) const;
    qint64 number(int row, const QString& name) const;
    bool isNull(int row, int col) const;

private:
    QStringList m_columns;
    QStringList m_lowerColumns;
    QVector<QVector<QVariant>> m_rows;
};
