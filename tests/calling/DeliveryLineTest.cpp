#include "calling/DeliveryLine.h"
#include "calling/frmCall.h"

#include "CallingSupport.h"
#include "core/CallDelivery.h"
#include "testsupport/KindLogins.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QTimer>

using namespace callingtest;
using delivery::ScreenKind;

namespace {

class DeliveryLineTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        if (GetParam() == Store::Postgres) {
            logins = std::make_unique<KindLogins>(*env);
            if (!logins->available())
                GTEST_SKIP() << "the test server's role may not create roles";
        }
        board = logins ? &logins->workstation(kinds::Kind::Board) : &env->db;
        counterDb = logins ? &logins->workstation(kinds::Kind::Counter) : &env->db;
        for (int no = 1; no <= 4; ++no)
            walkIn(env->db, hall, no);
        logInCounter(env->session, env->db, hall.counter1);
    }
    void TearDown() override
    {
        program.reset();
        logins.reset();
        StoreTest::TearDown();
    }
    frmCall* openCounter()
    {
        // On a server the counter runs on a counter's login.
        if (!logins)
            return qobject_cast<frmCall*>(env->screens.open(QStringLiteral("frmCall")));
        program = std::make_unique<WorkstationProgram>(*env, *counterDb);
        return qobject_cast<frmCall*>(program->screens.open(QStringLiteral("frmCall")));
    }
    // What a board does when it shows the counter's current call: its receipt, on the board's login.
    void show(const QString& screen, const frmCall* w, ScreenKind kind = ScreenKind::Board)
    {
        const ResultSet rs =
            board->query(QStringLiteral("select callauto, callstamp from tblCall where tickAuto=? "
                                        "order by callauto desc limit 1"),
                         {w->lblNo->text().toLongLong()});
        ASSERT_FALSE(rs.isEmpty());
        delivery::recordShown(*board, env->clock, screen, rs.number(0, 0), rs.number(0, 1), kind);
    }
    void later(int milliseconds) { env->clock.set(env->clock.now().addMSecs(milliseconds)); }
    // One tick of the line's timer, as the event loop runs it.
    static void tick(frmCall* w)
    {
        ASSERT_TRUE(w->deliveryLine->tmrDelivery->isActive()) << "the line is not polling";
        w->deliveryLine->refresh();
    }

    Hall hall;
    std::unique_ptr<KindLogins> logins;
    std::unique_ptr<WorkstationProgram> program;
    Database* board = nullptr;
    Database* counterDb = nullptr;
};

// The operator calls: the line beside the token counts the boards that showed the call and says when
// it was spoken; a recall counts again; a board that stops answering is named after ten seconds; and
// the counter stops reading once everything is in or the watch is over.
TEST_P(DeliveryLineTest, TheCounterSeesWhichBoardsShowedItsCallAndIsWarnedOfOneThatDidNot)
{
    delivery::announceScreen(*board, env->clock, QStringLiteral("Hall"), ScreenKind::Board, {});
    delivery::announceScreen(*board, env->clock, QStringLiteral("Door"), ScreenKind::Mirror, {hall.counter1});
    delivery::announceScreen(*board, env->clock, QStringLiteral("Lab"), ScreenKind::Mirror, {hall.counter3});
    later(2000);

    frmCall* w = openCounter();
    ASSERT_NE(w, nullptr);
    QLabel* line = w->deliveryLine->lblDelivery;
    QLabel* warning = w->deliveryLine->lblDeliveryWarning;
    EXPECT_TRUE(line->text().isEmpty()) << "an idle counter says nothing and reads nothing";
    EXPECT_FALSE(w->deliveryLine->tmrDelivery->isActive());

    w->callNext();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A1"));
    EXPECT_EQ(line->text(), QStringLiteral("shown on 0 of 2 boards"));
    EXPECT_TRUE(w->deliveryLine->tmrDelivery->isActive());
    show(QStringLiteral("Hall"), w);
    later(DeliveryWatch::PollMilliseconds);
    tick(w);
    EXPECT_EQ(line->text(), QStringLiteral("shown on 1 of 2 boards"));
    // The taking board's announcer has spoken before: from now on it is waited for too.
    show(QStringLiteral("Hall (voice)"), w, ScreenKind::Announcer);
    show(QStringLiteral("Door"), w, ScreenKind::Mirror);
    later(DeliveryWatch::PollMilliseconds);
    tick(w);
    EXPECT_EQ(line->text(), QStringLiteral("shown on 2 of 2 boards, spoken"));
    EXPECT_TRUE(warning->text().isEmpty());
    EXPECT_FALSE(w->deliveryLine->tmrDelivery->isActive()) << "all in: the counter stops reading";

    // A recall is a new showing: counted again from nothing.
    later(5000);
    w->updateRc();
    EXPECT_EQ(line->text(), QStringLiteral("shown on 0 of 2 boards"));
    show(QStringLiteral("Hall"), w);
    show(QStringLiteral("Door"), w, ScreenKind::Mirror);
    later(DeliveryWatch::PollMilliseconds);
    tick(w);
    EXPECT_EQ(line->text(), QStringLiteral("shown on 2 of 2 boards"));
    EXPECT_TRUE(w->deliveryLine->tmrDelivery->isActive()) << "the announcer has not spoken the recall yet";
    show(QStringLiteral("Hall (voice)"), w, ScreenKind::Announcer);
    tick(w);
    EXPECT_EQ(line->text(), QStringLiteral("shown on 2 of 2 boards, spoken"));

    // The next call reaches the taking board only: after ten seconds the mirror is named.
    later(5000);
    w->callNext();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A2"));
    show(QStringLiteral("Hall"), w);
    show(QStringLiteral("Hall (voice)"), w, ScreenKind::Announcer);
    for (int ms = 0; ms < (DeliveryWatch::WarnAfterSeconds - 1) * 1000;
         ms += DeliveryWatch::PollMilliseconds) {
        later(DeliveryWatch::PollMilliseconds);
        tick(w);
    }
    EXPECT_EQ(line->text(), QStringLiteral("shown on 1 of 2 boards, spoken"));
    EXPECT_TRUE(warning->isHidden()) << "not yet ten seconds";
    later(1000);
    tick(w);
    EXPECT_EQ(warning->text(), QStringLiteral("No acknowledgement from Door for 10 s"));
    EXPECT_FALSE(warning->isHidden());
    // The watch ends: the warning stays, the reads stop.
    for (int n = 0; n < 100 && w->deliveryLine->tmrDelivery->isActive(); ++n) {
        later(DeliveryWatch::PollMilliseconds);
        w->deliveryLine->refresh();
    }
    EXPECT_FALSE(w->deliveryLine->tmrDelivery->isActive());
    EXPECT_EQ(warning->text(), QStringLiteral("No acknowledgement from Door for 10 s"));

    // Finishing the token clears the line.
    w->cmdFinish_Click();
    EXPECT_TRUE(line->text().isEmpty());
    EXPECT_TRUE(warning->isHidden());

    // Ten minutes later the mirror, switched off since, is no longer expected; the taking board is,
    // as it keeps itself seen.
    later(11 * 60 * 1000);
    delivery::announceScreen(*board, env->clock, QStringLiteral("Hall"), ScreenKind::Board, {});
    w->callNext();
    EXPECT_EQ(line->text(), QStringLiteral("shown on 0 of 1 board"));
    show(QStringLiteral("Hall"), w);
    tick(w);
    EXPECT_EQ(line->text(), QStringLiteral("shown on 1 of 1 board"));
    EXPECT_FALSE(w->deliveryLine->tmrDelivery->isActive());

    // Look at it.
    w->resize(900, 600);
    const QString shot = qEnvironmentVariable("BRIVANE_SHOTS");
    if (!shot.isEmpty()) {
        later(1000);
        w->callNext();
        later(11 * 1000);
        w->deliveryLine->refresh();
        w->grab().save(QDir(shot).filePath(QStringLiteral("counter-delivery.png")));
    }
}

// A hall whose receipts' tables are missing: the counter works as before, without the line.
TEST_P(DeliveryLineTest, WithoutReceiptsTheCounterCallsAsBefore)
{
    for (const QString& t : delivery::tables())
        env->db.exec(QStringLiteral("drop table %1").arg(t));
    frmCall* w = openCounter();
    ASSERT_NE(w, nullptr);
    w->callNext();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A1"));
    EXPECT_TRUE(w->deliveryLine->lblDelivery->text().isEmpty());
    EXPECT_FALSE(w->deliveryLine->tmrDelivery->isActive());
    EXPECT_TRUE(env->dialogs.texts().isEmpty());
}

BRIVANE_STORE_TEST_SUITE(DeliveryLineTest);

} // namespace
