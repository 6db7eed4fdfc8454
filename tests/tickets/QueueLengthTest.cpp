// The queues' lengths the PostgreSQL server keeps for the issue: they follow every way a ticket joins
// or leaves a queue, for every kind of workstation, and the issue's people ahead read from them equal
// a count of the queue.

#include "TicketsSupport.h"

#include "calling/CallEngine.h"
#include "core/QueueLength.h"
#include "core/Session.h"
#include "testsupport/KindLogins.h"
#include "tickets/LoadCache.h"
#include "tickets/Numbering.h"
#include "tickets/WaitEstimate.h"

#include <thread>

namespace {

class QueueLength : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("BRIVANE_PG"))
            GTEST_SKIP() << "the server keeps the queues' lengths; an embedded hall counts them";
        env = std::make_unique<TestEnv>(Store::Postgres);
        hall = seedHall(env->db);
        env->clock.set(QDateTime(day, QTime(9, 0)));
    }

    // The lengths kept, against the queues counted from the tickets: (service, day) -> "waiting, of
    // them walk-ins".
    QMap<QString, QString> kept()
    {
        return lengths(
            QStringLiteral("select servauto, tickdate, waiting, walkins from %1 where waiting <> 0")
                .arg(queuelength::tableName()));
    }
    QMap<QString, QString> counted()
    {
        return lengths(QStringLiteral("select servauto, tickdate, count(*), count(*) filter (where %2) from "
                                      "tblTicket t where %1 group by servauto, tickdate")
                           .arg(queuelength::waitingCondition(QStringLiteral("t")),
                                queuelength::walkInCondition(QStringLiteral("t"))));
    }
    QMap<QString, QString> lengths(const QString& sql)
    {
        QMap<QString, QString> m;
        const ResultSet rs = env->db.query(sql);
        for (int r = 0; r < rs.size(); ++r)
            m.insert(QStringLiteral("%1/%2").arg(rs.number(r, 0)).arg(rs.text(r, 1)),
                     QStringLiteral("%1, %2").arg(rs.number(r, 2)).arg(rs.number(r, 3)));
        return m;
    }

    numbering::IssuedTicket issue(Database& db, qint64 service, qint64 asked = 0,
                                  const numbering::Direction& to = {})
    {
        numbering::IssueRequest request;
        request.serviceId = service;
        request.issueDate = env->clock.today();
        request.number = asked ? asked : numbering::nextNumber;
        request.direction = to;
        return numbering::storeTicket(db, env->clock, request, loads);
    }

    // The people ahead of a number, counted over the queue as a read of the estimate does.
    qint64 countedAhead(qint64 service, qint64 number)
    {
        return env->db
            .query(QStringLiteral("select ") +
                       waiting::aheadCount(QStringLiteral("?"), QStringLiteral("?"), QStringLiteral("?")),
                   {service, env->clock.todayText(), number})
            .number(0, 0);
    }

    std::unique_ptr<CallEngine> desk(Database& db, Session& session, qint64 counter, qint64 service)
    {
        session.counterId = session.servingCounterId = counter;
        session.serviceId = service;
        session.counterName = session.counterDisplayName = QStringLiteral("Counter %1").arg(counter);
        return std::make_unique<CallEngine>(db, env->settings(), env->clock, session);
    }

    const QDate day{2024, 3, 4};
    std::unique_ptr<TestEnv> env;
    Hall hall;
    waiting::LoadCache loads;
};

// Issues of walk-ins and emergencies join, appointments do not; calls, moves to another service, a
// change of kind, deletes and the clearing of all tickets leave; every issue tells the people ahead
// the count of the queue would.
TEST_F(QueueLength, TheKeptLengthsFollowEveryChangeOfTheQueues)
{
    Database& db = env->db;
    ASSERT_TRUE(queuelength::present(db));
    for (int i = 0; i < 4; ++i) {
        const numbering::IssuedTicket t = issue(db, hall.consultation);
        ASSERT_TRUE(t.issued());
        EXPECT_EQ(t.estimate.peopleAhead, i);
    }
    issue(db, hall.lab);
    issue(db, hall.consultation, 0, {QStringLiteral("E"), hall.counter1, QString(), QString()});
    issue(db, hall.consultation, 0, {QStringLiteral("A"), hall.counter1, QString(), QStringLiteral("11:00")});
    EXPECT_EQ(kept(), counted());
    EXPECT_EQ(kept().value(QStringLiteral("%1/%2").arg(hall.consultation).arg(env->clock.todayText())),
              QStringLiteral("5, 4"));

    // A workstation of the version before inserts its walk-in itself: the trigger counts it, and the
    // next issue, counted by its routine, sees it ahead. An issue past the end number, or of a service
    // gone, counts nothing.
    db.insert(QStringLiteral("tblTicket"), {{QStringLiteral("servAuto"), hall.consultation},
                                            {QStringLiteral("tickNo"), 50},
                                            {QStringLiteral("tickDate"), env->clock.todayText()},
                                            {QStringLiteral("call"), QStringLiteral("0")},
                                            {QStringLiteral("ttype"), QStringLiteral("N")}});
    EXPECT_EQ(kept(), counted());
    const numbering::IssuedTicket afterOld = issue(db, hall.consultation);
    EXPECT_EQ(afterOld.number, 51);
    EXPECT_EQ(afterOld.estimate.peopleAhead, 6);
    ticketstest::setRange(db, hall.consultation, 1, 51);
    EXPECT_EQ(issue(db, hall.consultation).status, numbering::IssuedTicket::Status::Limit);
    EXPECT_EQ(issue(db, 999999).status, numbering::IssuedTicket::Status::NoService);
    EXPECT_EQ(kept(), counted());
    ticketstest::setRange(db, hall.consultation, 1, 999);
    db.exec(QStringLiteral("delete from tblTicket where servAuto=? and tickNo>=50"), {hall.consultation});

    // A number asked below the day's highest (a gap left by hand) has only the lower ones ahead.
    db.exec(QStringLiteral("delete from tblTicket where servAuto=? and tickNo=2"), {hall.consultation});
    EXPECT_EQ(kept(), counted());
    const numbering::IssuedTicket gap = issue(db, hall.consultation, 2);
    ASSERT_EQ(gap.number, 2);
    EXPECT_EQ(gap.estimate.peopleAhead, countedAhead(hall.consultation, 2));
    EXPECT_EQ(gap.estimate.peopleAhead, 1);

    // Two counters call through the engine; one of the tokens goes to the lab, another becomes a report.
    Session one, two;
    auto first = desk(db, one, hall.counter1, hall.consultation);
    auto second = desk(db, two, hall.counter2, hall.consultation);
    first->callNext();
    second->callNext();
    EXPECT_EQ(kept(), counted());
    // The emergency went first, then walk-in 1; 2 to 4 wait (the appointment is not due). One of them
    // handed to the second counter leaves the walk-ins but not the queue, and is back among them when
    // given back.
    EXPECT_EQ(first->pendingCount(), 3);
    const QString hand =
        QStringLiteral("update tblTicket set attended=?, status=? where servAuto=? and tickNo=3");
    db.exec(hand, {hall.counter2, QStringLiteral("Transferred"), hall.consultation});
    EXPECT_EQ(kept(), counted());
    EXPECT_EQ(first->pendingCount(), 2);
    EXPECT_EQ(second->pendingCount(), 3);
    db.exec(hand, {0, QVariant(), hall.consultation});
    EXPECT_EQ(kept(), counted());
    EXPECT_EQ(first->pendingCount(), 3);
    db.exec(QStringLiteral("update tblTicket set servAuto=? where servAuto=? and tickNo=4"),
            {hall.lab, hall.consultation});
    db.exec(QStringLiteral("update tblTicket set ttype='R' where servAuto=? and tickNo=5"),
            {hall.consultation});
    EXPECT_EQ(kept(), counted());
    const numbering::IssuedTicket late = issue(db, hall.consultation);
    EXPECT_EQ(late.estimate.peopleAhead, countedAhead(hall.consultation, late.number));

    // Moves both ways at once wait for each other rather than deadlock.
    const QString swap = QStringLiteral("update tblTicket set servAuto=case servAuto when cast(? as bigint) "
                                        "then cast(? as bigint) else cast(? as bigint) end "
                                        "where call='0' and servAuto in (?, ?)");
    const QVariantList there{hall.consultation, hall.lab, hall.consultation, hall.consultation, hall.lab};
    const QVariantList back{hall.lab, hall.consultation, hall.lab, hall.lab, hall.consultation};
    QString failed;
    std::thread away([&] {
        try {
            auto other = env->secondConnection();
            for (int i = 0; i < 20; ++i)
                other->exec(swap, there);
        } catch (const DbError& e) {
            failed = e.detail();
        }
    });
    QString failedHere;
    try {
        for (int i = 0; i < 20; ++i)
            db.exec(swap, back);
    } catch (const DbError& e) {
        failedHere = e.detail();
    }
    away.join();
    EXPECT_TRUE(failed.isEmpty()) << failed.toStdString();
    EXPECT_TRUE(failedHere.isEmpty()) << failedHere.toStdString();
    EXPECT_EQ(kept(), counted());

    db.clearAllTables();
    EXPECT_TRUE(kept().isEmpty());
}

// A hall restored from a backup of an older version has its tickets without the triggers: the lengths
// are counted afresh when the owner opens it, and the issue reads them again.
TEST_F(QueueLength, LengthsLeftWithoutTheirTriggersAreCountedAfresh)
{
    Database& db = env->db;
    for (int i = 0; i < 3; ++i)
        issue(db, hall.consultation);
    db.exec(QStringLiteral("drop trigger brivane_waiting_issued on tblTicket"));
    issue(db, hall.consultation);
    db.exec(QStringLiteral("update %1 set waiting = 40").arg(queuelength::tableName()));
    EXPECT_FALSE(queuelength::present(db));

    queuelength::ensure(db);
    EXPECT_TRUE(queuelength::present(db));
    EXPECT_EQ(kept(), counted());
    EXPECT_EQ(issue(db, hall.consultation).estimate.peopleAhead, 4);

    // The trigger of the version before counted every insert, also those the issue routine counts:
    // such a hall has its trigger made again before any ticket is counted twice.
    db.exec(QStringLiteral("drop trigger brivane_waiting_issued on tblTicket"));
    db.exec(QStringLiteral("create trigger brivane_waiting_issued after insert on tblTicket for each row "
                           "when (%1) execute function brivane_waiting_count()")
                .arg(queuelength::waitingCondition(QStringLiteral("new"))));
    EXPECT_FALSE(queuelength::present(db));
    queuelength::ensure(db);
    EXPECT_EQ(issue(db, hall.consultation).estimate.peopleAhead, 5);
    EXPECT_EQ(kept(), counted());

    // Gone while a counter is open (the hall made again): its Total Pending is counted instead.
    Session session;
    auto counter = desk(db, session, hall.counter1, hall.consultation);
    ASSERT_TRUE(db.rights().readsQueueLengths());
    EXPECT_EQ(counter->pendingCount(), 6);
    db.exec(QStringLiteral("drop table %1 cascade").arg(queuelength::tableName()));
    EXPECT_EQ(counter->pendingCount(), 6);
    EXPECT_FALSE(db.rights().readsQueueLengths());
}

// A kiosk issues in one statement with its kind's rights, a counter's call keeps the count with no
// right but to read it, and neither may write the lengths itself.
TEST_F(QueueLength, EveryKindKeepsTheCountThatNoneMayWrite)
{
    KindLogins logins(*env);
    if (!logins.available())
        GTEST_SKIP() << "the test server's role may not create roles";
    auto kiosk = logins.open(kinds::Kind::Kiosk);
    auto counter = logins.open(kinds::Kind::Counter);
    ASSERT_TRUE(kiosk && counter);
    // The service's load as the kiosk keeps it between issues.
    loads.load(*kiosk, env->clock, hall.consultation);
    quint64 before = kiosk->statementsSent();
    EXPECT_EQ(issue(*kiosk, hall.consultation).number, 1);
    EXPECT_EQ(kiosk->statementsSent() - before, 1u) << "the next number, the issue and its estimate at once";
    before = kiosk->statementsSent();
    const numbering::IssuedTicket second = issue(*kiosk, hall.consultation, 2);
    EXPECT_EQ(kiosk->statementsSent() - before, 1u);
    EXPECT_EQ(second.estimate.peopleAhead, 1);

    Session session;
    auto engine = desk(*counter, session, hall.counter1, hall.consultation);
    engine->callNext();
    EXPECT_EQ(engine->state.Label1, QStringLiteral("Calling"));
    EXPECT_EQ(kept(), counted());
    // The counter reads the walk-ins waiting from the kept lengths, in one row.
    EXPECT_TRUE(counter->rights().readsQueueLengths());
    EXPECT_EQ(engine->pendingCount(), 1);
    EXPECT_EQ(engine->state.lblTotal, QStringLiteral("Total Pending : 1"));
    for (Database* db : {kiosk.get(), counter.get()}) {
        try {
            db->exec(QStringLiteral("update %1 set waiting = 0").arg(queuelength::tableName()));
            ADD_FAILURE() << "a workstation wrote the queues' lengths";
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::NotPermitted);
        }
    }
}

} // namespace
