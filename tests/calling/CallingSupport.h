#pragma once

#include "core/Database.h"
#include "core/Session.h"
#include "testsupport/TestEnv.h"

#include <QString>
#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// Tickets and counter log-ins as the tests of the counter side need them.
namespace callingtest {

struct Ticket
{
    qint64 service = 0;
    int no = 0;
    QString label;
    QString date = QStringLiteral("2024-01-15");
    QString time = QStringLiteral("08:30:00");
    QString type = QStringLiteral("N");
    qint64 attended = 0;
    QString status;
    QString apptime;
    QString call = QStringLiteral("0");
};

inline qint64 addTicket(Database& db, const Ticket& t)
{
    QVariantMap row{{QStringLiteral("servAuto"), t.service},  {QStringLiteral("tickNo"), t.no},
                    {QStringLiteral("tickDate"), t.date},     {QStringLiteral("tickTime"), t.time},
                    {QStringLiteral("call"), t.call},         {QStringLiteral("no_abr"), t.label},
                    {QStringLiteral("attended"), t.attended}, {QStringLiteral("ttype"), t.type}};
    if (!t.status.isEmpty())
        row.insert(QStringLiteral("status"), t.status);
    if (!t.apptime.isEmpty())
        row.insert(QStringLiteral("apptime"), t.apptime);
    return db.insert(QStringLiteral("tblTicket"), row);
}

// A walk-in of the Consultation service ("A" + number).
inline qint64 walkIn(Database& db, const Hall& hall, int no, const QString& time = QStringLiteral("08:30:00"))
{
    Ticket t;
    t.service = hall.consultation;
    t.no = no;
    t.label = QStringLiteral("A%1").arg(no);
    t.time = time;
    return addTicket(db, t);
}

// A waiting walk-in of the Consultation service issued on another day.
inline qint64 walkInOn(Database& db, const Hall& hall, int no, const QString& date)
{
    Ticket t;
    t.service = hall.consultation;
    t.no = no;
    t.label = QStringLiteral("A%1").arg(no);
    t.date = date;
    return addTicket(db, t);
}

// A Consultation token directed to a counter with the given type.
inline qint64 directed(Database& db, const Hall& hall, int no, const QString& type, qint64 counter,
                       const QString& apptime = QString())
{
    Ticket t;
    t.service = hall.consultation;
    t.no = no;
    t.label = QStringLiteral("A%1").arg(no);
    t.type = type;
    t.attended = counter;
    t.status = QStringLiteral("Transferred");
    t.apptime = apptime;
    return addTicket(db, t);
}

// The session values a counter log-in leaves behind.
inline void logInCounter(Session& session, Database& db, qint64 counterId)
{
    const ResultSet rs = db.query(
        QStringLiteral(
            "select servAuto,contName,displayName,countNameA,displayNameA from tblCounter where cntAuto=?"),
        {counterId});
    session.isAdmin = false;
    session.counterId = counterId;
    session.servingCounterId = counterId;
    session.serviceId = rs.number(0, 0);
    session.counterName = rs.text(0, 1);
    session.counterDisplayName = rs.text(0, 2);
    session.counterNameA = rs.text(0, 3);
    session.counterDisplayNameA = rs.text(0, 4);
}

inline QString ticketText(Database& db, qint64 key, const QString& column)
{
    const ResultSet rs = db.query(QStringLiteral("select * from tblTicket where tickAuto=?"), {key});
    return rs.text(0, column);
}

inline int callRows(Database& db, qint64 ticketKey)
{
    return int(
        db.query(QStringLiteral("select count(*) from tblCall where tickAuto=?"), {ticketKey}).number(0, 0));
}

} // namespace callingtest
