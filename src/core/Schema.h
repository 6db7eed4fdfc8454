#pragma once

#include <QString>
#include <QVector>

// The thirteen tables every workstation shares. Column order is part of the schema: much of the
// program reads "select *" results by position, so the columns are created exactly in this order,
// the columns only ever addressed by name after them.
namespace schema {

enum class Type { Key, Integer, Text, Flag, Blob };

struct Column
{
    QString name;
    Type type;
    // A column added after the first schema, only ever addressed by name. It is created where it is
    // missing without raising the schema version, so workstations of an older version, which know
    // nothing of it, keep working on the same database.
    bool added = false;
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

// Version of the schema this program creates and expects. Raised only for a change that older
// workstations cannot live with; added columns do not raise it.
constexpr int currentVersion = 1;

// PostgreSQL: the routine that gives the next token number of a service while holding the service's
// numbering lock, so that a kiosk takes and stores its number in one statement. A database without it
// (made before it existed, or by a user who may not create routines) is numbered by the kiosk itself,
// under the same lock.
constexpr int numberingLockSpace = 7274002;
QString tokenNumberRoutineName();
QString tokenNumberRoutineBody();
QString tokenNumberRoutineDdl();
// PostgreSQL: the routine that reads the next token number of a service's day (one after the highest,
// or the service's first; null without the service), as a kiosk shows it before the issue.
QString nextNumberRoutineName();
QString nextNumberRoutineBody();
QString nextNumberRoutineDdl();
// The planner setting the numbering routines run with, as pg_proc.proconfig lists it.
QString routinePlanSetting();

} // namespace schema
