#pragma once

#include "core/Database.h"
#include "reports/ReportWindow.h"
#include "testsupport/TestEnv.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTest>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace reportstest {

// A ticket as the counters leave it: waiting (no counter, no times) unless called.
struct Ticket
{
    qint64 service = 0;
    QString label;
    QString date = QStringLiteral("2024-01-15");
    qint64 counter = 0;
    QString from; // attTime
    QString to;   // finished
};

inline qint64 addTicket(Database& db, const Ticket& t)
{
    static int number = 0;
    QVariantMap row{
        {QStringLiteral("servAuto"), t.service},     {QStringLiteral("tickNo"), ++number},
        {QStringLiteral("tickDate"), t.date},        {QStringLiteral("tickTime"), QStringLiteral("08:00:00")},
        {QStringLiteral("call"), t.counter ? 1 : 0}, {QStringLiteral("no_abr"), t.label},
        {QStringLiteral("attended"), t.counter},     {QStringLiteral("ttype"), QStringLiteral("N")}};
    if (t.counter)
        row.insert(QStringLiteral("status"), QStringLiteral("Finished"));
    if (!t.from.isEmpty())
        row.insert(QStringLiteral("attTime"), t.from);
    if (!t.to.isEmpty())
        row.insert(QStringLiteral("finished"), t.to);
    return db.insert(QStringLiteral("tblTicket"), row);
}

inline qint64 waiting(Database& db, qint64 service, const QString& label, const QString& date)
{
    return addTicket(db, {service, label, date, 0, {}, {}});
}

inline qint64 served(Database& db, qint64 service, const QString& label, const QString& date, qint64 counter,
                     const QString& from, const QString& to = QString())
{
    return addTicket(db, {service, label, date, counter, from, to});
}

inline bool haveUnzip()
{
    return !QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty();
}

// One part of a written workbook (a zip file), as text.
inline QString part(const QString& file, const QString& name)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, name});
    unzip.waitForFinished(30000);
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

// Waits until the report's last row is in the grid (the rows come from another thread).
inline bool listed(ReportWindow* w)
{
    return w && QTest::qWaitFor([w] { return !w->filling(); }, 20000);
}

} // namespace reportstest
