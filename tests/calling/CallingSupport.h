#pragma once

#include "calling/CallEngine.h"
#include "core/Database.h"
#include "core/Session.h"
#include "testsupport/TestEnv.h"

#include <QString>
#include <memory>
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

// Makes the store refuse every `action` ("insert", "update") on the table with `reason`, as a full
// disk or a broken server would; allow() takes that back.
inline void refuse(Database& db, const QString& table, const QString& action, const QString& reason)
{
    const QString name = QStringLiteral("refuse_") + table;
    if (db.isPostgres()) {
        db.exec(QStringLiteral("create or replace function %1() returns trigger language plpgsql as "
                               "$$ begin raise exception '%2'; end $$")
                    .arg(name, reason));
        db.exec(QStringLiteral("create trigger %1 before %2 on %3 for each row execute function %1()")
                    .arg(name, action, table));
    } else {
        db.exec(QStringLiteral("create trigger %1 before %2 on %3 begin select raise(abort, '%4'); end")
                    .arg(name, action, table, reason));
    }
}

inline void allow(Database& db, const QString& table)
{
    const QString name = QStringLiteral("refuse_") + table;
    db.exec(db.isPostgres() ? QStringLiteral("drop trigger %1 on %2").arg(name, table)
                            : QStringLiteral("drop trigger %1").arg(name));
}

// A counter (counter 1 of the seeded hall) logged in with its call engine.
class CounterEngineTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        logInCounter(env->session, env->db, hall.counter1);
        engine = std::make_unique<CallEngine>(env->db, env->settings(), env->clock, env->session);
    }
    void TearDown() override
    {
        engine.reset();
        StoreTest::TearDown();
    }

    // Next as the counter screen runs it: finish the current token, restore the last one, pick.
    static QString next(CallEngine& e)
    {
        if (!e.state.lblNo.isEmpty()) {
            e.setFinish();
            e.state.lblNo.clear();
        }
        e.getLast();
        e.callNext();
        return e.state.Label1 == QLatin1String("Calling") ? e.state.lblToken : QStringLiteral("Idle");
    }
    QString next() { return next(*engine); }

    Hall hall;
    std::unique_ptr<CallEngine> engine;
};

} // namespace callingtest
