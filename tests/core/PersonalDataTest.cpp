#include "core/PersonalData.h"
#include "core/AlertTables.h"
#include "testsupport/CommandRun.h"
#include "testsupport/KindLogins.h"
#include "testsupport/TestEnv.h"

namespace {

class PersonalDataTest : public StoreTest
{
protected:
    qint64 issue(const QStringList& extra = {})
    {
        QString out, err;
        EXPECT_EQ(runCommand(*env, QStringLiteral("issue"),
                             QStringList{QStringLiteral("Consultation")} + extra, out, err),
                  0)
            << qPrintable(err);
        return env->db.query(QStringLiteral("select max(tickAuto) from tblTicket")).number(0, 0);
    }
    void keepPhone(qint64 ticket, const QString& phone)
    {
        env->db.exec(QStringLiteral("insert into brivane_phone (tickauto, phone) values (?, ?)"),
                     {ticket, phone});
    }
    QStringList phones()
    {
        QStringList all;
        const ResultSet rs =
            env->db.query(QStringLiteral("select phone from brivane_phone order by tickauto"));
        for (int i = 0; i < rs.size(); ++i)
            all.append(rs.text(i, 0));
        return all;
    }
};

// A number lives while its ticket waits: it is erased when the ticket is called (by a counter with no
// right on the numbers), cancelled or marked not arrived, or deleted, and what a day left is erased at
// the day's end by the web server's login and at the owner's next open; a transfer keeps it.
TEST_P(PersonalDataTest, ANumberIsErasedWhenItsTicketEndsOrItsDayIsOver)
{
    seedHall(env->db);
    ASSERT_TRUE(alerttables::present(env->db));
    const qint64 yesterday =
        issue({QStringLiteral("--date"), env->clock.today().addDays(-1).toString(Qt::ISODate)});
    const qint64 a1 = issue(), a2 = issue(), a3 = issue(), a4 = issue(), a5 = issue();
    keepPhone(yesterday, QStringLiteral("100"));
    keepPhone(a1, QStringLiteral("101"));
    keepPhone(a2, QStringLiteral("102"));
    keepPhone(a3, QStringLiteral("103"));
    keepPhone(a4, QStringLiteral("104"));
    keepPhone(a5, QStringLiteral("105"));

    // The counter and the web server work with their own logins where the hall has kinds.
    std::unique_ptr<KindLogins> logins;
    std::unique_ptr<Database> counterLogin, boardLogin;
    if (GetParam() == Store::Postgres) {
        logins = std::make_unique<KindLogins>(*env);
        if (logins->available()) {
            counterLogin = logins->open(kinds::Kind::Counter);
            boardLogin = logins->open(kinds::Kind::Board);
            ASSERT_TRUE(counterLogin && boardLogin);
            EXPECT_EQ(counterLogin
                          ->query(QStringLiteral("select has_table_privilege('brivane_phone', 'DELETE') "
                                                 "or has_table_privilege('brivane_phone', 'SELECT')"))
                          .text(0, 0),
                      QStringLiteral("false"));
        }
    }
    Database& counter = counterLogin ? *counterLogin : env->db;
    Database& board = boardLogin ? *boardLogin : env->db;
    QString out, err;
    if (counterLogin) {
        WorkstationProgram desk(*env, counter);
        QTextStream o(&out), e(&err);
        ASSERT_EQ(runCommand(*desk.commands.find(QStringLiteral("next")), *desk.ctx,
                             {QStringLiteral("Counter 1")}, o, e),
                  0)
            << qPrintable(err);
    } else {
        ASSERT_EQ(runCommand(*env, QStringLiteral("next"), {QStringLiteral("Counter 1")}, out, err), 0)
            << qPrintable(err);
    }
    EXPECT_EQ(phones(), (QStringList{QStringLiteral("100"), QStringLiteral("102"), QStringLiteral("103"),
                                     QStringLiteral("104"), QStringLiteral("105")}))
        << "the called ticket's number stays";
    counter.exec(QStringLiteral("update tblTicket set status = 'Cancelled' where tickAuto = ?"), {a2});
    counter.exec(QStringLiteral("update tblTicket set status = 'NotArrived' where tickAuto = ?"), {a3});
    counter.exec(QStringLiteral("update tblTicket set status = 'Transferred' where tickAuto = ?"), {a4});
    EXPECT_EQ(phones(), (QStringList{QStringLiteral("100"), QStringLiteral("104"), QStringLiteral("105")}));

    // The web server's day change: yesterday's number goes, today's waiting ones stay.
    EXPECT_EQ(personaldata::eraseEndedDays(board, env->clock.today()), 1);
    EXPECT_EQ(phones(), (QStringList{QStringLiteral("104"), QStringLiteral("105")}));
    // A deleted ticket takes its number with it.
    env->db.exec(QStringLiteral("delete from tblTicket where tickAuto = ?"), {a5});
    EXPECT_EQ(phones(), QStringList{QStringLiteral("104")});
    // The owner's open on the next day leaves none.
    personaldata::eraseAtOpen(env->db, env->clock.today().addDays(1));
    EXPECT_TRUE(phones().isEmpty());
}

BRIVANE_STORE_TEST_SUITE(PersonalDataTest);

} // namespace
