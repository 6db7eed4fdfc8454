// The counter screen on PostgreSQL while its server goes away and comes back: it works again by
// itself, with one plain message per failed press and none from its timers.

#include "CallingSupport.h"
#include "calling/CallEngine.h"
#include "calling/frmCall.h"
#include "testsupport/StoreOutage.h"

#include <QCoreApplication>
#include <QLabel>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace callingtest;

namespace {

frmCall* openCounterScreen(TestEnv& env)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return qobject_cast<frmCall*>(env.screens.open(QStringLiteral("frmCall")));
}

// A counter logged in on Counter 1 with A1 and A2 waiting, A1 called: its screen.
struct CallingCounter
{
    Hall hall;
    qint64 a1 = 0, a2 = 0;
    frmCall* screen = nullptr;
};
CallingCounter counterCallingA1(TestEnv& env)
{
    CallingCounter c;
    c.hall = seedHall(env.db);
    logInCounter(env.session, env.db, c.hall.counter1);
    c.a1 = walkIn(env.db, c.hall, 1);
    c.a2 = walkIn(env.db, c.hall, 2);
    c.screen = openCounterScreen(env);
    if (c.screen)
        c.screen->Command2_Click();
    return c;
}

qint64 callRows(Database& db, qint64 ticket)
{
    return db.query(QStringLiteral("select count(*) from tblCall where tickAuto=?"), {ticket}).number(0, 0);
}

TEST(CounterStoreOutage, NextAfterTheBackendWasTerminatedCallsTheNextTokenWithoutAMessage)
{
    if (!qEnvironmentVariableIsSet("BRIVANE_PG"))
        GTEST_SKIP() << "needs a PostgreSQL server (BRIVANE_PG)";
    TestEnv env(Store::Postgres);
    auto admin = env.secondConnection();
    const auto [hall, a1, a2, w] = counterCallingA1(env);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A1"));

    outage::terminateBackend(env.db, *admin);
    w->Timer1_Timer();
    ASSERT_TRUE(env.hotKeys.press(Qt::Key_F4));
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A2"));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Calling"));
    EXPECT_TRUE(env.dialogs.shown().isEmpty());
    EXPECT_EQ(callRows(*admin, a1), 1);
    EXPECT_EQ(callRows(*admin, a2), 1);
    EXPECT_FALSE(admin->query(QStringLiteral("select finished from tblTicket where tickAuto=?"), {a1})
                     .text(0, 0)
                     .isEmpty());
}

TEST(CounterStoreOutage, WhileTheServerIsDownEachPressSaysSoOnceAndAfterItsReturnNextWorks)
{
    outage::OwnServer server;
    if (!server.available())
        GTEST_SKIP() << "needs the PostgreSQL server programs and BRIVANE_PG";
    Database::setReopenPause(0);
    TestEnv env(Store::Sqlite);
    env.session.connection = server.values();
    env.db.open(server.values(), env.dir.path());
    env.db.recreateSchema();
    const auto [hall, a1, a2, w] = counterCallingA1(env);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->lblToken->text(), QStringLiteral("A1"));

    server.stop();
    w->Timer1_Timer();
    w->Command2_Click();
    ASSERT_EQ(env.dialogs.shown().size(), 1);
    EXPECT_EQ(env.dialogs.shown().at(0).text, DbError::unreachableText());
    // The refresh timer and its list fills while the server is away add nothing to it.
    for (int tick = 0; tick < 62; ++tick)
        w->Timer2_Timer();
    EXPECT_EQ(env.dialogs.shown().size(), 1);

    server.resume();
    w->Timer1_Timer();
    w->Command2_Click();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A2"));
    EXPECT_EQ(env.dialogs.shown().size(), 1);
    // Each token was called exactly once.
    EXPECT_EQ(callRows(env.db, a1), 1);
    EXPECT_EQ(callRows(env.db, a2), 1);
    Database::setReopenPause(1000);
    env.screens.closeAll();
    env.db.close();
}

TEST(CounterStoreOutage, ACallCutOffWhileTheServerHadItIsLookedUpAndNotMadeTwice)
{
    ConnectionValues values;
    if (!pgServerFromEnvironment(values))
        GTEST_SKIP() << "needs a PostgreSQL server (BRIVANE_PG)";
    TestEnv env(Store::Postgres);
    auto admin = env.secondConnection();
    const Hall hall = seedHall(env.db);
    logInCounter(env.session, env.db, hall.counter1);
    const qint64 a1 = walkIn(env.db, hall, 1);
    // The change to the ticket row takes a moment on the server, long enough to cut it off.
    admin->exec(QStringLiteral("create function brivane_test_slow() returns trigger language plpgsql as "
                               "$$ begin perform pg_sleep(0.3); return new; end $$"));
    admin->exec(QStringLiteral("create trigger slow_call before update on tblticket for each row "
                               "execute function brivane_test_slow()"));
    CallEngine engine(env.db, env.settings(), env.clock, env.session);
    std::unique_ptr<outage::TerminateWhileBusy> killer;
    int takes = 0;
    engine.beforeTake = [&](qint64) {
        if (++takes == 1)
            killer = std::make_unique<outage::TerminateWhileBusy>(values, outage::backendPid(env.db));
    };
    engine.getLast();
    engine.callNext();
    killer.reset();
    admin->exec(QStringLiteral("drop trigger slow_call on tblticket"));
    admin->exec(QStringLiteral("drop function brivane_test_slow()"));

    // The cut-off change was rolled back by the server with its transaction, so the same call was
    // made again on a new connection: one call, one ticket change, no error for the operator.
    EXPECT_EQ(takes, 1);
    EXPECT_EQ(engine.state.lblToken, QStringLiteral("A1"));
    EXPECT_EQ(callRows(*admin, a1), 1);
    const ResultSet ticket =
        admin->query(QStringLiteral("select call, attended from tblTicket where tickAuto=?"), {a1});
    EXPECT_EQ(ticket.text(0, 0), QStringLiteral("1"));
    EXPECT_EQ(ticket.number(0, 1), hall.counter1);
}

TEST(CounterStoreOutage, ACallWhoseCommitIsCutOffIsLookedUpAndMadeOnce)
{
    ConnectionValues values;
    if (!pgServerFromEnvironment(values))
        GTEST_SKIP() << "needs a PostgreSQL server (BRIVANE_PG)";
    TestEnv env(Store::Postgres);
    auto admin = env.secondConnection();
    const Hall hall = seedHall(env.db);
    logInCounter(env.session, env.db, hall.counter1);
    const qint64 a1 = walkIn(env.db, hall, 1);
    // The commit takes a moment on the server (a deferred check of the call row), long enough to cut
    // the connection off while the commit is on its way.
    admin->exec(
        QStringLiteral("create function brivane_test_slow_commit() returns trigger language plpgsql as "
                       "$$ begin perform pg_sleep(0.3); return null; end $$"));
    admin->exec(
        QStringLiteral("create constraint trigger slow_commit after insert on tblCall deferrable "
                       "initially deferred for each row execute function brivane_test_slow_commit()"));
    const qint64 pid = outage::backendPid(env.db);
    std::atomic<bool> cut{false};
    std::thread killer([&] {
        Database watcher;
        watcher.open(values, QString());
        for (int i = 0; i < 1000 && !cut; ++i) {
            if (!watcher
                     .query(
                         QStringLiteral("select 1 from pg_stat_activity where pid=? and state='active' and "
                                        "upper(query) like 'COMMIT%'"),
                         {pid})
                     .isEmpty()) {
                watcher.query(QStringLiteral("select pg_terminate_backend(cast(? as integer))"), {pid});
                cut = true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    CallEngine engine(env.db, env.settings(), env.clock, env.session);
    engine.callNext();
    killer.join();
    admin->exec(QStringLiteral("drop trigger slow_commit on tblCall"));
    admin->exec(QStringLiteral("drop function brivane_test_slow_commit()"));

    // The commit broke off before it was done: nothing was saved, the call was made again, once.
    EXPECT_TRUE(cut.load());
    EXPECT_EQ(engine.state.Label1, QStringLiteral("Calling"));
    EXPECT_EQ(engine.state.lblToken, QStringLiteral("A1"));
    EXPECT_EQ(callRows(*admin, a1), 1);
    const ResultSet ticket =
        admin->query(QStringLiteral("select call, attended from tblTicket where tickAuto=?"), {a1});
    EXPECT_EQ(ticket.text(0, 0), QStringLiteral("1"));
    EXPECT_EQ(ticket.number(0, 1), hall.counter1);
}

} // namespace
