#pragma once

#include "core/Database.h"
#include "testsupport/Fakes.h"
#include "testsupport/TestEnv.h"
#include "ui/Grid.h"

#include <QImage>
#include <QList>
#include <QStringList>

namespace ticketstest {

// The kiosk grid's row whose caption (column 1) starts with caption; -1 when none does.
inline int rowStartingWith(const Grid* grid, const QString& caption)
{
    for (int r = 1; r < grid->rows(); ++r) {
        if (grid->text(r, 1).startsWith(caption))
            return r;
    }
    return -1;
}

inline QList<RecordingPrinters::Call> printed(const RecordingPrinters& printers,
                                              const QString& what = QStringLiteral("text"))
{
    QList<RecordingPrinters::Call> out;
    for (const RecordingPrinters::Call& c : printers.calls) {
        if (c.what == what)
            out.append(c);
    }
    return out;
}

inline QStringList printedTexts(const RecordingPrinters& printers)
{
    QStringList out;
    for (const RecordingPrinters::Call& c : printed(printers))
        out.append(c.text);
    return out;
}

// Ticket numbers of a service and day, in number order.
inline QList<qint64> numbers(Database& db, qint64 service, const QString& day)
{
    QList<qint64> out;
    const ResultSet rs = db.query(
        QStringLiteral("select tickNo from tblTicket where servAuto=? and tickDate=? order by tickNo"),
        {service, day});
    for (int r = 0; r < rs.size(); ++r)
        out.append(rs.number(r, 0));
    return out;
}

inline qint64 ticketCount(Database& db)
{
    return db.query(QStringLiteral("select count(*) from tblTicket")).number(0, 0);
}

inline void setRange(Database& db, qint64 service, qint64 start, qint64 end)
{
    db.update(QStringLiteral("tblService"), service,
              {{QStringLiteral("startno"), start}, {QStringLiteral("endno"), end}});
}

inline void writeLogo(const TestEnv& env)
{
    QImage logo(360, 100, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    logo.save(env.path(QStringLiteral("logo.jpg")), "JPG");
}

inline void setCompany(Database& db, const QString& line1, const QString& line2)
{
    db.insert(QStringLiteral("tblComp"), {{QStringLiteral("compAuto"), 1},
                                          {QStringLiteral("compName"), line1},
                                          {QStringLiteral("compAddress"), line2}});
}

} // namespace ticketstest
