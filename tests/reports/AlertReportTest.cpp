#include "reports/AlertReport.h"
#include "testsupport/CommandRun.h"
#include "testsupport/TestEnv.h"

namespace {

class AlertReportTest : public StoreTest
{
protected:
    // A token of the day with what happened to it: called at `called` ("" never), its status, where it
    // was taken, and its alert ("" none asked; fired "" when it never fired).
    qint64 token(qint64 service, const QString& label, const QString& called, const QString& status,
                 const QString& origin)
    {
        return env->db.insert(QStringLiteral("tblTicket"),
                              {{QStringLiteral("servAuto"), service},
                               {QStringLiteral("tickNo"), label.mid(1).toInt()},
                               {QStringLiteral("tickDate"), Day},
                               {QStringLiteral("tickTime"), QStringLiteral("08:30:00")},
                               {QStringLiteral("call"), called.isEmpty() ? 0 : 1},
                               {QStringLiteral("no_abr"), label},
                               {QStringLiteral("attended"), 0},
                               {QStringLiteral("ttype"), QStringLiteral("N")},
                               {QStringLiteral("status"), status},
                               {QStringLiteral("attTime"), called.isEmpty() ? QVariant() : QVariant(called)},
                               {QStringLiteral("origin"), origin}});
    }
    void alert(qint64 ticket, const QString& fired, const QString& sms)
    {
        env->db.exec(
            QStringLiteral("insert into brivane_alert (tickauto, lead, asked, fired, firedwait, firedahead, "
                           "sms) values (?, '10', ?, coalesce(?, ''), ?, ?, coalesce(?, ''))"),
            {ticket, Day + QStringLiteral(" 08:35:00"),
             fired.isEmpty() ? QString() : Day + QLatin1Char(' ') + fired, fired.isEmpty() ? -1 : 8,
             fired.isEmpty() ? -1 : 2, sms});
    }

    const QString Day = QStringLiteral("2024-01-10");
};

// A hand-made day: what the alerts asked and fired, their lead before the call, and who was served
// among the alerted, the joined and the kiosk's visitors; the service without alerts says so.
TEST_P(AlertReportTest, ADayOfAlertsIsCountedPerService)
{
    const Hall h = seedHall(env->db);
    const QString finished = QStringLiteral("Finished");
    // Consultation: fired 6, 10 and 4 minutes before the call; one visitor did not come.
    alert(token(h.consultation, QStringLiteral("A1"), QStringLiteral("09:06:00"), finished, QString()),
          QStringLiteral("09:00:00"), QStringLiteral("sent"));
    alert(token(h.consultation, QStringLiteral("A2"), QStringLiteral("09:15:00"),
                QStringLiteral("NotArrived"), QString()),
          QStringLiteral("09:05:00"), QStringLiteral("failed"));
    alert(token(h.consultation, QStringLiteral("A3"), QStringLiteral("09:14:30"), finished,
                QStringLiteral("phone")),
          QStringLiteral("09:10:30"), QString());
    // Asked from the phone, cancelled before it fired.
    alert(token(h.consultation, QStringLiteral("A4"), QString(), QStringLiteral("Cancelled"),
                QStringLiteral("phone")),
          QString(), QString());
    token(h.consultation, QStringLiteral("A5"), QStringLiteral("09:20:00"), finished, QString());
    token(h.consultation, QStringLiteral("A6"), QString(), QString(), QString()); // left without a call
    // Lab: no alerts.
    token(h.lab, QStringLiteral("B100"), QStringLiteral("10:00:00"), finished, QString());
    // Another day is not counted.
    env->db.insert(QStringLiteral("tblTicket"), {{QStringLiteral("servAuto"), h.lab},
                                                 {QStringLiteral("tickNo"), 101},
                                                 {QStringLiteral("tickDate"), QStringLiteral("2024-01-11")},
                                                 {QStringLiteral("call"), 0},
                                                 {QStringLiteral("no_abr"), QStringLiteral("B101")}});

    const QDate day(2024, 1, 10);
    const QList<alertreport::ServiceAlerts> services =
        alertreport::measure(env->db, day, day, env->clock.today());
    ASSERT_EQ(services.size(), 2);
    const alertreport::ServiceAlerts& c = services[0];
    EXPECT_EQ(c.service, QStringLiteral("Consultation"));
    EXPECT_EQ(c.asked, 4);
    EXPECT_EQ(c.fired, 3);
    EXPECT_EQ(c.textsSent, 1);
    ASSERT_TRUE(c.medianLeadMinutes.has_value());
    EXPECT_DOUBLE_EQ(*c.medianLeadMinutes, 6.0);
    EXPECT_EQ(c.alerted.text(), QStringLiteral("2/3, 67 %"));
    EXPECT_EQ(c.joined.text(), QStringLiteral("1/2, 50 %"));
    EXPECT_EQ(c.kiosk.text(), QStringLiteral("2/4, 50 %"));

    QString out, err;
    ASSERT_EQ(runCommand(*env, QStringLiteral("report alerts"),
                         {QStringLiteral("--from"), QStringLiteral("2024-01-10"), QStringLiteral("--to"),
                          QStringLiteral("2024-01-10")},
                         out, err),
              0)
        << qPrintable(err);
    EXPECT_EQ(out, QStringLiteral("Alerts from 2024-01-10 to 2024-01-10\n"
                                  "Consultation: 4 alerts asked, 3 fired on the page, 1 texts sent\n"
                                  "  lead time: median 6 minutes from the alert to the call\n"
                                  "  served, alerted: 2/3, 67 %\n"
                                  "  served, joined from the phone: 1/2, 50 %\n"
                                  "  served, from the kiosk: 2/4, 50 %\n"
                                  "Lab: no alerts\n"
                                  "  served, joined from the phone: 0/0\n"
                                  "  served, from the kiosk: 1/1, 100 %\n"));

    // A token still waiting today is not yet a visitor who was not served; an even count of leads
    // gives the middle of the two.
    env->clock.set(QDateTime(day, QTime(9, 30)));
    const qint64 waiting = token(h.consultation, QStringLiteral("A7"), QString(), QString(), QString());
    alert(waiting, QStringLiteral("09:25:00"), QStringLiteral("due"));
    const alertreport::ServiceAlerts now = alertreport::measure(env->db, day, day, env->clock.today())[0];
    EXPECT_EQ(now.fired, 4);
    EXPECT_EQ(now.alerted.text(), QStringLiteral("2/3, 67 %"));
    EXPECT_EQ(now.kiosk.text(), QStringLiteral("2/3, 67 %")) << "A6 and A7 wait yet";
    env->db.exec(QStringLiteral(
                     "update tblTicket set call='1', attTime='09:33:00', status='Finished' where tickAuto=?"),
                 {waiting});
    const alertreport::ServiceAlerts called = alertreport::measure(env->db, day, day, env->clock.today())[0];
    EXPECT_DOUBLE_EQ(*called.medianLeadMinutes, 7.0);
    EXPECT_EQ(called.alerted.text(), QStringLiteral("3/4, 75 %"));

    EXPECT_EQ(runCommand(*env, QStringLiteral("report alerts"),
                         {QStringLiteral("--from"), QStringLiteral("2024-01-10")}, out, err),
              2);
}

BRIVANE_STORE_TEST_SUITE(AlertReportTest);

} // namespace
