#pragma once

#include <QString>
#include <QVector>

// The earlier services of a ticket. A ticket row keeps the times of its latest service only; when a
// counter hands the token it serves to another counter, the service that ends there is kept in
// tblTicket.legs as ";counter,called,ended" (the counter's key and two times of day), one entry per
// transfer, oldest first.
namespace serviceLegs {

struct Leg
{
    qint64 counter = 0;
    QString called; // "HH:mm:ss"
    QString ended;
};

// The SET clause part that appends the service under way (the row's attended and attTime, ended at
// the bound time) to legs. The row's values are read before the statement changes them.
QString appendCurrentSql();

// The legs kept in the column's text; entries that cannot be read are left out.
QVector<Leg> parse(const QString& text);

} // namespace serviceLegs
