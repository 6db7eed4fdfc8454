// A kiosk whose connection breaks while the server commits its ticket (PostgreSQL): a trigger holds
// the commit open while the connection is ended from another session. The kiosk gives out only a
// token that is stored, and the next issue never takes a stored number again.

#include "TicketsSupport.h"

#include "testsupport/StoreOutage.h"
#include "tickets/Numbering.h"
#include "tickets/frmTicket.h"
#include "tickets/frmTicketF.h"
#include "ui/Grid.h"

#include <QTest>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace ticketstest;

namespace {

class IssueCutInCommit : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("BRIVANE_PG"))
            GTEST_SKIP() << "needs a PostgreSQL server (BRIVANE_PG)";
        env = std::make_unique<TestEnv>(Store::Postgres);
        hall = seedHall(env->db);
        env->clock.set(QDateTime(QDate(2024, 3, 4), QTime(9, 30)));
        admin = env->secondConnection();
        // The first ticket stored from now on holds its commit for 20 s (long past the kill); the
        // sequence counts across rolled-back transactions, so an issue made again is not held.
        admin->exec(QStringLiteral("drop sequence if exists hold_once"));
        admin->exec(QStringLiteral("create sequence hold_once"));
        admin->exec(QStringLiteral(
            "create or replace function hold_commit() returns trigger language plpgsql as $$ begin "
            "if nextval('hold_once') = 1 then perform pg_sleep(20); end if; return null; end $$"));
        admin->exec(
            QStringLiteral("create constraint trigger hold_commit after insert on tblticket "
                           "deferrable initially deferred for each row execute function hold_commit()"));
        Database::setReopenPause(0);
    }
    void TearDown() override
    {
        if (!admin)
            return;
        Database::setSettleWait(10000);
        Database::setReopenPause(1000);
        allowConnections(true);
        admin->exec(QStringLiteral("drop trigger if exists hold_commit on tblticket"));
    }

    // Whether new connections to the test's database are let in (those open stay open).
    void allowConnections(bool allowed)
    {
        admin->exec(QStringLiteral("%1 connect on database %2 %3 public, current_user")
                        .arg(allowed ? QStringLiteral("grant") : QStringLiteral("revoke"),
                             env->session.connection.database,
                             allowed ? QStringLiteral("to") : QStringLiteral("from")));
    }

    // The labels of the tickets printed so far, in order.
    QStringList printedLabels() const
    {
        QStringList labels;
        for (const QString& text : printedTexts(env->printers))
            if (text.startsWith(QLatin1Char('A')) && text.mid(1).toInt() > 0)
                labels.append(text);
        return labels;
    }

    std::unique_ptr<TestEnv> env;
    Hall hall;
    std::unique_ptr<Database> admin;
};

TEST_F(IssueCutInCommit, AFullScreenKioskPrintsTheTicketItStoredAndTheNextTakesTheNextNumber)
{
    env->settings().set(QStringLiteral("Queue"), QStringLiteral("dept"), QStringLiteral("default"),
                        QStringLiteral("General"));
    env->settings().set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                        QStringLiteral("Full Screen"));
    auto* kiosk = qobject_cast<frmTicketF*>(env->screens.open(QStringLiteral("frmTicketF")));
    ASSERT_NE(kiosk, nullptr);
    const int row = rowStartingWith(kiosk->FG, QStringLiteral("Consultation"));
    ASSERT_GT(row, 0);

    const numbering::SettledIssues settledBefore = numbering::settledIssues();
    {
        outage::TerminateWhileBusy killer(env->session.connection, outage::backendPid(env->db),
                                          QStringLiteral("PgSleep"));
        kiosk->FG->setRow(row);
        kiosk->FG_Click();
        killer.join();
    }
    // The held commit never happened; the kiosk found nothing stored, issued on its new connection,
    // and printed that ticket.
    EXPECT_EQ(numbers(*admin, hall.consultation, QStringLiteral("2024-03-04")), (QList<qint64>{1}));
    EXPECT_EQ(admin->query(QStringLiteral("select nextval('hold_once')")).number(0, 0), 3);
    EXPECT_EQ(printedLabels(), QStringList{QStringLiteral("A1")});
    EXPECT_EQ(numbering::settledIssues().lookedUp, settledBefore.lookedUp + 1);
    EXPECT_EQ(numbering::settledIssues().foundStored, settledBefore.foundStored);

    env->clock.advanceSecs(5);
    kiosk->FG->setRow(row);
    kiosk->FG_Click();
    EXPECT_EQ(numbers(*admin, hall.consultation, QStringLiteral("2024-03-04")), (QList<qint64>{1, 2}));
    EXPECT_EQ(printedLabels(), (QStringList{QStringLiteral("A1"), QStringLiteral("A2")}));
    EXPECT_TRUE(env->dialogs.shown().isEmpty());
}

TEST_F(IssueCutInCommit, AWindowedKioskWhoseServerStaysAwaySaysSoAndPrintsNothing)
{
    Database::setSettleWait(1500);
    auto* kiosk = qobject_cast<frmTicket*>(env->screens.open(QStringLiteral("frmTicket")));
    ASSERT_NE(kiosk, nullptr);
    const auto issueConsultation = [&] {
        // A touch follows the list's last change by a few seconds, as a visitor's does.
        env->clock.advanceSecs(5);
        kiosk->FG->setRow(rowStartingWith(kiosk->FG, QStringLiteral("General")));
        kiosk->FG_Click();
        env->clock.advanceSecs(5);
        kiosk->FG->setRow(rowStartingWith(kiosk->FG, QStringLiteral("Consultation")));
        kiosk->FG_Click();
    };
    {
        outage::TerminateWhileBusy killer(env->session.connection, outage::backendPid(env->db),
                                          QStringLiteral("PgSleep"));
        // Connections made from now on are refused: the kiosk cannot look whether its ticket is there.
        allowConnections(false);
        issueConsultation();
        killer.join();
    }
    EXPECT_EQ(env->dialogs.last(), numbering::outcomeUnknownText());
    EXPECT_TRUE(printedLabels().isEmpty());
    EXPECT_EQ(env->printers.documents, 0);
    EXPECT_TRUE(numbers(*admin, hall.consultation, QStringLiteral("2024-03-04")).isEmpty());

    // The server answers again: the next issue is numbered among what is stored.
    allowConnections(true);
    env->dialogs.clear();
    // The kiosk fills its list again by itself once the server answers.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return rowStartingWith(kiosk->FG, QStringLiteral("General")) > 0; }, 20000));
    issueConsultation();
    EXPECT_TRUE(env->dialogs.shown().isEmpty()) << env->dialogs.last().toStdString();
    EXPECT_EQ(numbers(*admin, hall.consultation, QStringLiteral("2024-03-04")), (QList<qint64>{1}));
    EXPECT_EQ(printedLabels(), QStringList{QStringLiteral("A1")});
}

TEST_F(IssueCutInCommit, TheCommandSettlesItsIssueToo)
{
    QString out;
    QString err;
    int rc = -1;
    {
        outage::TerminateWhileBusy killer(env->session.connection, outage::backendPid(env->db),
                                          QStringLiteral("PgSleep"));
        QTextStream o(&out), e(&err);
        rc = env->commands.find(QStringLiteral("issue"))
                 ->run(*env->ctx, {QStringLiteral("Consultation")}, o, e);
        killer.join();
    }
    EXPECT_EQ(rc, 0) << err.toStdString();
    EXPECT_EQ(out.trimmed(), QStringLiteral("A1"));
    EXPECT_EQ(numbers(*admin, hall.consultation, QStringLiteral("2024-03-04")), (QList<qint64>{1}));
}

} // namespace
