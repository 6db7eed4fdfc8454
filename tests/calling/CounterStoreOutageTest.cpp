// The counter screen on PostgreSQL while its server goes away and comes back: it works again by
// itself, with one plain message per failed press and none from its timers.

#include "CallingSupport.h"
#include "calling/frmCall.h"
#include "testsupport/StoreOutage.h"

#include <QCoreApplication>
#include <QLabel>
#include <gtest/gtest.h>

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

} // namespace
