// Numbering and the full-screen kiosk on PostgreSQL: many kiosks on one service, and a kiosk whose
// connection the server ended.

#include "TicketsSupport.h"

#include "testsupport/StoreOutage.h"
#include "tickets/Numbering.h"
#include "tickets/frmTicketF.h"
#include "ui/Grid.h"

#include <QMutex>
#include <QStringList>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace ticketstest;

namespace {

QMutex messagesLock;
QStringList messages;
void keepMessage(QtMsgType, const QMessageLogContext&, const QString& text)
{
    QMutexLocker g(&messagesLock);
    messages.append(text);
}

class PgTickets : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("BRIVANE_PG"))
            GTEST_SKIP() << "needs a PostgreSQL server (BRIVANE_PG)";
        env = std::make_unique<TestEnv>(Store::Postgres);
        hall = seedHall(env->db);
        env->clock.set(QDateTime(QDate(2024, 3, 4), QTime(9, 30)));
    }
    std::unique_ptr<TestEnv> env;
    Hall hall;
};

TEST_F(PgTickets, EightKiosksOnOneServiceShareNoNumberAndAbortNoTransaction)
{
    const int kiosks = 8;
    const int perKiosk = 25;
    const ConnectionValues values = env->session.connection;
    const qint64 clashesBefore = numbering::numberClashes();
    std::atomic<int> failures{0};
    messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepMessage);
    std::vector<std::thread> threads;
    for (int k = 0; k < kiosks; ++k) {
        threads.emplace_back([&] {
            try {
                Database db;
                db.open(values, QString());
                ManualClock clock(QDateTime(QDate(2024, 3, 4), QTime(9, 30)));
                for (int i = 0; i < perKiosk; ++i) {
                    numbering::IssueRequest r;
                    r.serviceId = hall.consultation;
                    r.issueDate = clock.today();
                    r.number = numbering::getToken(db, hall.consultation, r.issueDate);
                    if (!numbering::storeTicket(db, clock, r).issued())
                        ++failures;
                }
            } catch (const DbError&) {
                ++failures;
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    qInstallMessageHandler(previous);

    EXPECT_EQ(failures.load(), 0);
    QList<qint64> expected;
    for (int n = 1; n <= kiosks * perKiosk; ++n)
        expected.append(n);
    EXPECT_EQ(numbers(env->db, hall.consultation, QStringLiteral("2024-03-04")), expected);
    // No issue was refused by the unique index (each refusal is a rolled-back transaction), and the
    // driver had nothing to say.
    EXPECT_EQ(numbering::numberClashes(), clashesBefore);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
}

TEST_F(PgTickets, AFullScreenKioskWhoseConnectionTheServerEndedIssuesAtTheNextTouch)
{
    env->settings().set(QStringLiteral("Queue"), QStringLiteral("dept"), QStringLiteral("default"),
                        QStringLiteral("General"));
    env->settings().set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                        QStringLiteral("Full Screen"));
    auto admin = env->secondConnection();
    auto* kiosk = qobject_cast<frmTicketF*>(env->screens.open(QStringLiteral("frmTicketF")));
    ASSERT_NE(kiosk, nullptr);
    ASSERT_GT(kiosk->FG->rows(), 1);

    for (int touch = 0; touch < 2; ++touch) {
        outage::terminateBackend(env->db, *admin);
        kiosk->FG->setRow(1);
        kiosk->FG_Click();
    }
    EXPECT_TRUE(env->dialogs.shown().isEmpty());
    EXPECT_EQ(numbers(*admin, hall.consultation, QStringLiteral("2024-03-04")), (QList<qint64>{1, 2}));
}

} // namespace
