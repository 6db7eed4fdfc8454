// The near-turn alerts as the web server decides them: each fires once, when the estimate the ticket
// page shows reaches its lead or nobody is ahead, and never for a token called first or of a past day.
#include "web/NearTurnAlerts.h"
#include "WebTestSupport.h"
#include "calling/CallEngine.h"
#include "calling/CallingSupport.h"
#include "tickets/WaitEstimate.h"
#include "web/AlertChoice.h"

namespace {

class NearTurnAlertsTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        env->clock.set(QDateTime(QDate(2024, 3, 4), QTime(11, 0)));
        // Yesterday counter 1 served twenty visitors of five minutes each: the estimate is known.
        for (int i = 0; i < 20; ++i) {
            const QTime start = QTime(9, 0).addSecs(i * 300);
            callingtest::Ticket t;
            t.service = hall.consultation;
            t.no = 500 + i;
            t.label = QStringLiteral("A%1").arg(t.no);
            t.date = QStringLiteral("2024-03-03");
            t.call = QStringLiteral("1");
            t.attended = hall.counter1;
            t.status = QStringLiteral("Finished");
            const qint64 key = callingtest::addTicket(env->db, t);
            env->db.exec(QStringLiteral("update tblTicket set attTime=?, finished=? where tickAuto=?"),
                         {start.toString(QStringLiteral("HH:mm:ss")),
                          start.addSecs(300).toString(QStringLiteral("HH:mm:ss")), key});
        }
    }

    QString firedOf(qint64 ticket)
    {
        return env->db.query(QStringLiteral("select fired from brivane_alert where tickauto=?"), {ticket})
            .text(0, 0);
    }

    Hall hall;
};

TEST_P(NearTurnAlertsTest, EachAlertFiresOnceAtItsLeadAndNotForATokenCalledFirst)
{
    NearTurnAlerts alerts(env->db, env->clock);
    QList<qint64> texts;
    alerts.textDue = [&](qint64 ticket) { texts.append(ticket); };
    QList<IssuedForWeb> t;
    for (int i = 0; i < 6; ++i)
        t.append(issueTicket(*env, hall.consultation)); // A1..A6
    using alertchoice::Outcome;
    EXPECT_EQ(alertchoice::ask(env->db, env->clock, t[2].key, QStringLiteral("15"),
                               QStringLiteral("+4915112345678")),
              Outcome::Kept);
    EXPECT_EQ(alertchoice::ask(env->db, env->clock, t[3].key, QStringLiteral("next"), QString()),
              Outcome::Kept);
    EXPECT_EQ(alertchoice::ask(env->db, env->clock, t[4].key, QStringLiteral("5"), QString()), Outcome::Kept);
    // A5 changes its mind: 10 minutes instead of 5.
    EXPECT_EQ(alertchoice::ask(env->db, env->clock, t[4].key, QStringLiteral("10"), QString()),
              Outcome::Kept);
    EXPECT_EQ(
        alertchoice::ask(env->db, env->clock, t[5].key, QStringLiteral("next"), QStringLiteral("0170555123")),
        Outcome::Kept);

    // Counter 1 calls A1 at 11:00: it serves alone, busy, five minutes a visitor (and half of one to
    // free up), so A3 with one ahead waits about 8 minutes, A4 13, A5 18.
    Session counter;
    callingtest::logInCounter(counter, env->db, hall.counter1);
    CallEngine engine(env->db, env->settings(), env->clock, counter);
    engine.callNext();
    waiting::WaitEstimator estimator(env->db, env->clock);
    ASSERT_EQ(estimator.forTicket(t[2].key).minutes, 8);
    ASSERT_EQ(estimator.forTicket(t[4].key).minutes, 18);
    EXPECT_EQ(alerts.check(), QList<qint64>{t[2].key});
    EXPECT_EQ(firedOf(t[2].key), QStringLiteral("2024-03-04 11:00:00"));
    const ResultSet fired = env->db.query(
        QStringLiteral("select firedwait, firedahead, sms from brivane_alert where tickauto=?"), {t[2].key});
    EXPECT_EQ(fired.number(0, 0), 8);
    EXPECT_EQ(fired.number(0, 1), 1);
    EXPECT_EQ(fired.text(0, 2), QStringLiteral("due"));
    EXPECT_EQ(texts, QList<qint64>{t[2].key});
    // Fired is fired: no second time, and the visitor can no longer change it.
    EXPECT_TRUE(alerts.check().isEmpty());
    EXPECT_EQ(alertchoice::ask(env->db, env->clock, t[2].key, QStringLiteral("5"), QString()),
              Outcome::AlreadyFired);
    EXPECT_EQ(alertchoice::withdraw(env->db, env->clock, t[2].key), Outcome::AlreadyFired);

    // Five minutes later A2 is called: A5 has two ahead (13 minutes), A4 one: neither fires.
    env->clock.advanceSecs(300);
    engine.callNext();
    EXPECT_TRUE(alerts.check().isEmpty());
    EXPECT_EQ(firedOf(t[4].key), QString());
    // A6 takes its choice back, number and all.
    EXPECT_EQ(alertchoice::withdraw(env->db, env->clock, t[5].key), Outcome::Kept);
    EXPECT_FALSE(alertchoice::stateOf(env->db, t[5].key).alert.has_value());
    EXPECT_EQ(env->db.query(QStringLiteral("select count(*) from brivane_phone where tickauto=?"), {t[5].key})
                  .number(0, 0),
              0);

    // A3 is called at 11:10: A4 is next, A5 is about 8 minutes away: both fire, at that minute.
    env->clock.advanceSecs(300);
    engine.callNext();
    QList<qint64> now = alerts.check();
    std::sort(now.begin(), now.end());
    EXPECT_EQ(now, (QList<qint64>{t[3].key, t[4].key}));
    const alertchoice::Found a5 = alertchoice::stateOf(env->db, t[4].key);
    ASSERT_TRUE(a5.alert.has_value());
    EXPECT_EQ(a5.alert->lead, QStringLiteral("10"));
    EXPECT_EQ(a5.alert->fired, QStringLiteral("2024-03-04 11:10:00"));
    EXPECT_EQ(a5.alert->firedWait, 8);
    EXPECT_EQ(a5.alert->firedAhead, 1);
    EXPECT_FALSE(a5.alert->text);
    EXPECT_EQ(alertchoice::stateOf(env->db, t[3].key).alert->firedAhead, 0);
    // Without a number no text is due.
    EXPECT_EQ(texts, QList<qint64>{t[2].key});
    EXPECT_TRUE(alerts.check().isEmpty());
}

// A token called before its alert fired (out of turn, by its number), one whose day is over and one
// no longer there: their alerts will never fire and are marked moot once; a token not waiting today
// cannot ask at all.
TEST_P(NearTurnAlertsTest, AlertsThatCanNoLongerFireAreMoot)
{
    NearTurnAlerts alerts(env->db, env->clock);
    const IssuedForWeb first = issueTicket(*env, hall.consultation);
    const IssuedForWeb second = issueTicket(*env, hall.consultation);
    const IssuedForWeb third = issueTicket(*env, hall.consultation);
    const IssuedForWeb yesterday = issueTicket(*env, hall.consultation, -1);
    Q_UNUSED(first);
    EXPECT_EQ(alertchoice::ask(env->db, env->clock, yesterday.key, QStringLiteral("next"), QString()),
              alertchoice::Outcome::NotWaiting);
    EXPECT_EQ(alertchoice::ask(env->db, env->clock, second.key, QStringLiteral("next"), QString()),
              alertchoice::Outcome::Kept);
    EXPECT_EQ(alertchoice::ask(env->db, env->clock, third.key, QStringLiteral("next"), QString()),
              alertchoice::Outcome::Kept);
    // An alert left from yesterday (asked while its token waited) and one whose token was cleared.
    for (qint64 key : {yesterday.key, qint64(999999)})
        env->db.exec(QStringLiteral("insert into brivane_alert (tickauto, lead, asked) values (?, 'next', "
                                    "'2024-03-03 16:00:00')"),
                     {key});
    QList<qint64> gone = alerts.check();
    std::sort(gone.begin(), gone.end());
    EXPECT_EQ(gone, (QList<qint64>{yesterday.key, 999999}));
    EXPECT_TRUE(alertchoice::stateOf(env->db, yesterday.key).alert->moot);
    EXPECT_TRUE(alertchoice::stateOf(env->db, 999999).alert->moot);

    // A counter calls A2 by its number: its alert is moot, not fired; A3's waits on.
    env->db.exec(QStringLiteral("update tblTicket set call='1', attended=? where tickAuto=?"),
                 {hall.counter2, second.key});
    EXPECT_EQ(alerts.check(), QList<qint64>{second.key});
    const alertchoice::Found moot = alertchoice::stateOf(env->db, second.key);
    EXPECT_TRUE(moot.alert->moot);
    EXPECT_EQ(moot.alert->fired, QString());
    EXPECT_EQ(firedOf(third.key), QString());
    EXPECT_TRUE(alerts.check().isEmpty());
    EXPECT_EQ(alertchoice::ask(env->db, env->clock, second.key, QStringLiteral("5"), QString()),
              alertchoice::Outcome::NotWaiting);
}

// What the form accepts: the four leads only, and a phone number of digits with an optional + once
// spaces and dashes are gone.
TEST(AlertChoiceForm, OnlyTheLeadsOfTheFormAndPhoneNumbersPass)
{
    for (const char* lead : {"5", "10", "15", "next"})
        EXPECT_EQ(alertchoice::leadOf(QString::fromLatin1(lead)), QString::fromLatin1(lead));
    for (const char* bad : {"", "0", "1", "20", "05", "10 ", "Next", "-5", "5.0", "off"})
        EXPECT_FALSE(alertchoice::leadOf(QString::fromLatin1(bad)).has_value()) << bad;
    EXPECT_EQ(alertchoice::phoneOf(QStringLiteral(" +49 151-123 456 78 ")), QStringLiteral("+4915112345678"));
    EXPECT_EQ(alertchoice::phoneOf(QStringLiteral("0170555123")), QStringLiteral("0170555123"));
    EXPECT_EQ(alertchoice::phoneOf(QStringLiteral("   ")), QString());
    for (const char* bad :
         {"12345", "1234567890123456", "+", "++491511234567", "0170/555123", "0170555123x", "49+15112345",
          "(0170) 555123", "0170\n555123", "\xd9\xa0\xd9\xa1\xd9\xa2\xd9\xa3\xd9\xa4\xd9\xa5\xd9\xa6"})
        EXPECT_FALSE(alertchoice::phoneOf(QString::fromUtf8(bad)).has_value()) << bad;
    EXPECT_FALSE(alertchoice::phoneOf(QString(41, QLatin1Char('1'))).has_value());
    EXPECT_TRUE(NearTurnAlerts::isDue(QStringLiteral("5"), 0, std::nullopt));
    EXPECT_FALSE(NearTurnAlerts::isDue(QStringLiteral("5"), 1, std::nullopt));
    EXPECT_FALSE(NearTurnAlerts::isDue(QStringLiteral("next"), 1, 0));
    EXPECT_TRUE(NearTurnAlerts::isDue(QStringLiteral("15"), 3, 15));
    EXPECT_FALSE(NearTurnAlerts::isDue(QStringLiteral("15"), 3, 16));
}

} // namespace

BRIVANE_STORE_TEST_SUITE(NearTurnAlertsTest);
