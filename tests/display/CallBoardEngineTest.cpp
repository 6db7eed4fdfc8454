#include "display/CallBoardEngine.h"

#include "DisplayTestSupport.h"
#include "core/Lookups.h"
#include "testsupport/TestEnv.h"

namespace {

class CallBoardEngineTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        today = env->clock.todayText();
        yesterday = env->clock.today().addDays(-1).toString(QStringLiteral("yyyy-MM-dd"));
    }

    // A board of `dataRows` call rows and `captionColumns` caption columns.
    std::unique_ptr<CallBoardEngine> board(int dataRows = 3, int captionColumns = 2)
    {
        table.reset(dataRows + 1, captionColumns + 2);
        return std::make_unique<CallBoardEngine>(env->db, env->session, env->clock, table);
    }

    QStringList tokens() const
    {
        QStringList t;
        for (int r = 1; r < table.rows(); ++r)
            t.append(table.text(r, 1));
        return t;
    }

    Hall hall;
    QString today;
    QString yesterday;
    BoardTable table;
};

TEST_P(CallBoardEngineTest, CallsPushTheTableDownAndTheSameTokenStaysOnTop)
{
    auto engine = board(3);
    EXPECT_FALSE(engine->Timer1_Timer()) << "no call yet";

    const qint64 a1 = addCall(env->db, hall.counter1, QStringLiteral("A1"), QStringLiteral("Room 1"), today);
    EXPECT_TRUE(engine->Timer1_Timer());
    EXPECT_EQ(tokens(), (QStringList{QStringLiteral("A1 "), QString(), QString()}));
    EXPECT_EQ(table.text(1, 2), QStringLiteral("Room 1"));
    EXPECT_EQ(status1Of(env->db, a1), QStringLiteral("1"));

    addCall(env->db, hall.counter2, QStringLiteral("A2"), QStringLiteral("Room 2"), today);
    EXPECT_TRUE(engine->Timer1_Timer());
    EXPECT_EQ(tokens(), (QStringList{QStringLiteral("A2 "), QStringLiteral("A1 "), QString()}));

    // A recall puts the same call back to "0": it overwrites row 1 and nothing moves.
    env->db.exec(QStringLiteral("update tblCall set status1='0', displayName='Room 9' where no_abr='A2'"));
    EXPECT_TRUE(engine->Timer1_Timer());
    EXPECT_EQ(tokens(), (QStringList{QStringLiteral("A2 "), QStringLiteral("A1 "), QString()}));
    EXPECT_EQ(table.text(1, 2), QStringLiteral("Room 9"));
    EXPECT_FALSE(engine->Timer1_Timer()) << "nothing left to take";
}

TEST_P(CallBoardEngineTest, ABurstIsTakenOneCallPerTickOldestFirst)
{
    auto engine = board(3);
    const qint64 first =
        addCall(env->db, hall.counter1, QStringLiteral("A5"), QStringLiteral("Room 1"), today);
    const qint64 second =
        addCall(env->db, hall.counter2, QStringLiteral("A6"), QStringLiteral("Room 2"), today);

    EXPECT_TRUE(engine->Timer1_Timer());
    EXPECT_EQ(table.text(1, 1), QStringLiteral("A5 "));
    EXPECT_EQ(status1Of(env->db, first), QStringLiteral("1"));
    EXPECT_EQ(status1Of(env->db, second), QStringLiteral("0"));

    EXPECT_TRUE(engine->Timer1_Timer());
    EXPECT_EQ(tokens(), (QStringList{QStringLiteral("A6 "), QStringLiteral("A5 "), QString()}));
}

TEST_P(CallBoardEngineTest, TheThirteenthCallPushesTheOldestOffATwelveRowTable)
{
    auto engine = board(12);
    for (int i = 1; i <= 13; ++i) {
        addCall(env->db, hall.counter1, QStringLiteral("A%1").arg(i), QStringLiteral("Room 1"), today);
        ASSERT_TRUE(engine->Timer1_Timer());
    }
    EXPECT_EQ(table.rows(), 13);
    EXPECT_EQ(table.text(1, 1), QStringLiteral("A13 "));
    EXPECT_EQ(table.text(12, 1), QStringLiteral("A2 "));
    EXPECT_FALSE(tokens().contains(QStringLiteral("A1 ")));
}

TEST_P(CallBoardEngineTest, CallsOfAnotherDayAreNeverShown)
{
    const qint64 old =
        addCall(env->db, hall.counter1, QStringLiteral("A1"), QStringLiteral("Room 1"), yesterday);
    auto engine = board(3);
    EXPECT_TRUE(engine->addFirst());
    EXPECT_FALSE(engine->Timer1_Timer());
    EXPECT_EQ(tokens(), (QStringList{QString(), QString(), QString()}));
    EXPECT_EQ(status1Of(env->db, old), QStringLiteral("0"));
}

TEST_P(CallBoardEngineTest, TheCounterFilterLimitsWhatTheBoardTakes)
{
    env->session.counterFilter = counterFilterFor(QString::number(hall.counter1));
    auto engine = board(3);
    const qint64 other =
        addCall(env->db, hall.counter3, QStringLiteral("B100"), QStringLiteral("Lab"), today);
    const qint64 mine =
        addCall(env->db, hall.counter1, QStringLiteral("A1"), QStringLiteral("Room 1"), today);

    EXPECT_TRUE(engine->Timer1_Timer());
    EXPECT_FALSE(engine->Timer1_Timer());
    EXPECT_EQ(tokens(), (QStringList{QStringLiteral("A1 "), QString(), QString()}));
    EXPECT_EQ(status1Of(env->db, mine), QStringLiteral("1"));
    EXPECT_EQ(status1Of(env->db, other), QStringLiteral("0")) << "left for the board that shows the lab";
}

TEST_P(CallBoardEngineTest, SecondLinesGoUnderTheCaptionsInBothLanguages)
{
    auto engine = board(3, 2);
    addCall(env->db, hall.counter1, QStringLiteral("A7"), QStringLiteral("Room 1"), today,
            QStringLiteral("Counter 1"), QStringLiteral("Raum 1"), QStringLiteral("Schalter 1"));
    addCall(env->db, hall.counter2, QStringLiteral("A8"), QStringLiteral("Room 2"), today, QString(),
            QStringLiteral("Raum 2"), QStringLiteral("unused"));
    ASSERT_TRUE(engine->Timer1_Timer());
    EXPECT_EQ(table.text(1, 2), QStringLiteral("Room 1\r\nCounter 1"));
    EXPECT_EQ(table.text(1, 3), QStringLiteral("Raum 1\r\nSchalter 1"));
    ASSERT_TRUE(engine->Timer1_Timer());
    EXPECT_EQ(table.text(1, 2), QStringLiteral("Room 2"));
    EXPECT_EQ(table.text(1, 3), QStringLiteral("Raum 2"));
    EXPECT_EQ(table.text(2, 3), QStringLiteral("Raum 1\r\nSchalter 1"));
}

TEST_P(CallBoardEngineTest, OpeningFillsTodaysLatestCallsNewestFirstAndTakesThem)
{
    std::vector<qint64> calls;
    for (int i = 1; i <= 5; ++i)
        calls.push_back(
            addCall(env->db, hall.counter1, QStringLiteral("A%1").arg(i), QStringLiteral("Room 1"), today));
    addCall(env->db, hall.counter1, QStringLiteral("A99"), QStringLiteral("Room 1"), yesterday);
    env->db.exec(QStringLiteral("update tblCall set status1='1' where no_abr='A1'"));

    auto engine = board(3);
    EXPECT_TRUE(engine->addFirst());
    EXPECT_EQ(tokens(), (QStringList{QStringLiteral("A5 "), QStringLiteral("A4 "), QStringLiteral("A3 ")}));
    for (int i = 2; i < 5; ++i)
        EXPECT_EQ(status1Of(env->db, calls[size_t(i)]), QStringLiteral("1"));
    EXPECT_EQ(status1Of(env->db, calls[1]), QStringLiteral("0")) << "A2 is not on the board, so not taken";
    EXPECT_TRUE(engine->Timer1_Timer()) << "A2 is still new and comes in with the first poll";
    EXPECT_EQ(table.text(1, 1), QStringLiteral("A2 "));
}

TEST_P(CallBoardEngineTest, TheCaptionColumnsTradePlacesAndNewCallsFollowTheSwap)
{
    auto engine = board(3, 2);
    addCall(env->db, hall.counter1, QStringLiteral("A1"), QStringLiteral("Room 1"), today, QString(),
            QStringLiteral("Raum 1"));
    ASSERT_TRUE(engine->Timer1_Timer());
    table.setText(0, 2, QStringLiteral("Counter"));
    table.setText(0, 3, QStringLiteral("Schalter"));

    engine->Timer10_Timer();
    ASSERT_TRUE(table.swapped());
    EXPECT_EQ(table.text(1, table.columnShownAt(2)), QStringLiteral("Raum 1"));
    EXPECT_EQ(table.text(0, table.columnShownAt(2)), QStringLiteral("Schalter"));

    // A call taken while swapped is shown the same way as the rows under it.
    addCall(env->db, hall.counter2, QStringLiteral("A2"), QStringLiteral("Room 2"), today, QString(),
            QStringLiteral("Raum 2"));
    ASSERT_TRUE(engine->Timer1_Timer());
    EXPECT_EQ(table.text(1, table.columnShownAt(2)), QStringLiteral("Raum 2"));
    EXPECT_EQ(table.text(2, table.columnShownAt(2)), QStringLiteral("Raum 1"));

    engine->Timer10_Timer();
    EXPECT_EQ(table.text(1, table.columnShownAt(2)), QStringLiteral("Room 2"));

    // With one caption column there is nothing to swap.
    auto narrow = board(3, 1);
    narrow->Timer10_Timer();
    EXPECT_FALSE(table.swapped());
    EXPECT_EQ(table.columnShownAt(2), 2);
}

TEST_P(CallBoardEngineTest, ACallTakenByOneBoardIsNotTakenByAnother)
{
    auto other = env->secondConnection();
    BoardTable otherTable;
    otherTable.reset(4, 4);
    CallBoardEngine second(*other, env->session, env->clock, otherTable);
    QList<qint64> takenHere, takenThere;
    auto engine = board(3);
    engine->setTakenHandler([&](const CallRow& c) { takenHere.append(c.callAuto); });
    second.setTakenHandler([&](const CallRow& c) { takenThere.append(c.callAuto); });

    const qint64 a = addCall(env->db, hall.counter1, QStringLiteral("A1"), QStringLiteral("Room 1"), today);
    const qint64 b = addCall(env->db, hall.counter1, QStringLiteral("A2"), QStringLiteral("Room 1"), today);
    EXPECT_TRUE(engine->Timer1_Timer());
    EXPECT_TRUE(second.Timer1_Timer());
    EXPECT_FALSE(engine->Timer1_Timer());
    EXPECT_FALSE(second.Timer1_Timer());
    EXPECT_EQ(takenHere, QList<qint64>{a});
    EXPECT_EQ(takenThere, QList<qint64>{b});
    EXPECT_EQ(otherTable.text(1, 1), QStringLiteral("A2 "));
}

TEST_P(CallBoardEngineTest, ALostConnectionKeepsTheTableAndTheBoardReconnectsByItself)
{
    auto engine = board(3);
    int attempts = 0;
    bool serverBack = false;
    engine->setReconnect([&] {
        ++attempts;
        if (!serverBack)
            return false;
        env->db.open(env->session.connection, env->dir.path());
        return true;
    });
    addCall(env->db, hall.counter1, QStringLiteral("A1"), QStringLiteral("Room 1"), today);
    ASSERT_TRUE(engine->Timer1_Timer());

    auto other = env->secondConnection();
    // A terminated backend no longer reaches the board (the data layer opens a new connection at
    // once); the connection being gone altogether does.
    env->db.close();
    const qint64 waiting =
        addCall(*other, hall.counter1, QStringLiteral("A2"), QStringLiteral("Room 1"), today);

    EXPECT_FALSE(engine->Timer1_Timer());
    EXPECT_TRUE(engine->connectionLost());
    EXPECT_EQ(table.text(1, 1), QStringLiteral("A1 ")) << "the board keeps showing its table";

    EXPECT_FALSE(engine->Timer1_Timer()) << "the server is still away";
    EXPECT_EQ(attempts, 1);
    // The next attempt waits a while instead of hammering the server on every tick.
    for (int i = 0; i < CallBoardEngine::RetryTicks - 1; ++i)
        EXPECT_FALSE(engine->Timer1_Timer());
    EXPECT_EQ(attempts, 1);

    serverBack = true;
    EXPECT_TRUE(engine->Timer1_Timer());
    EXPECT_EQ(attempts, 2);
    EXPECT_FALSE(engine->connectionLost());
    EXPECT_EQ(table.text(1, 1), QStringLiteral("A2 "));
    EXPECT_EQ(table.text(2, 1), QStringLiteral("A1 "));
    EXPECT_EQ(status1Of(*other, waiting), QStringLiteral("1"));
}

BRIVANE_STORE_TEST_SUITE(CallBoardEngineTest);

TEST(CounterFilterKeys, ReadsBothFormsAndRejectsAnythingElse)
{
    bool ok = false;
    EXPECT_TRUE(counterKeysOfFilter(QStringLiteral("and 1=1"), &ok).isEmpty());
    EXPECT_TRUE(ok);
    EXPECT_EQ(counterKeysOfFilter(QStringLiteral("and(servAuto=3 or servAuto=5)"), &ok),
              (QVector<qint64>{3, 5}));
    EXPECT_TRUE(ok);
    counterKeysOfFilter(QStringLiteral("and(servAuto=3) or 1=1 --"), &ok);
    EXPECT_FALSE(ok);
}

} // namespace
