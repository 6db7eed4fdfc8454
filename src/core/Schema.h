#pragma once

#include <QString>
#include <QVector>

// The thirteen tables every workstation shares. Column order is part of the schema: much of the
// program reads "select *" results by position, so the columns are created exactly in this order,
// the columns only ever addressed by name after them.
namespace schema {

enum class Type { Key, Integer, Text, Flag };

struct Column
{
    QString name;
    Type type;
};

struct Table
{
    QString name;
    QVector<Column> columns; // columns[0] is the automatic key
    // How many leading columns are read and written by position; the others only by name. -1: all.
    int positional = -1;
    const QString& key() const { return columns.front().name; }
    int positionalCount() const { return positional < 0 ? int(columns.size()) : positional; }
    const Column* column(const QString& name) const; // case-insensitive; nullptr when absent
};

const QVector<Table>& tables();
const Table* table(const QString& name); // case-insensitive; nullptr when absent

// Version of the schema this program creates and expects.
constexpr int currentVersion = 1;

} // namespace schema
