// The listings of what each screen showed and missed, on a day made by hand: which calls each screen
// should have shown, which it did and how long they took to reach it.
#include "ReportsSupport.h"
#include "core/CallDelivery.h"
#include "testsupport/CommandRun.h"

using namespace reportstest;

namespace {

class DeliveryReportTest : public StoreTest
{
protected:
    // A called ticket and its call row with that stamp (status1 "1": the boards have taken it).
    qint64 call(const QString& label, qint64 counter, const QString& day, const QString& time, qint64 stamp)
    {
        const qint64 ticket = served(env->db, hall.consultation, label, day, counter, time);
        return env->db.insert(QStringLiteral("tblCall"),
                              {{QStringLiteral("servAuto"), counter},
                               {QStringLiteral("no_abr"), label},
                               {QStringLiteral("displayName"), QStringLiteral("Room %1").arg(counter)},
                               {QStringLiteral("status1"), QStringLiteral("1")},
                               {QStringLiteral("tickAuto"), ticket},
                               {QStringLiteral("tickDate"), day},
                               {QStringLiteral("callstamp"), stamp}});
    }
    void screen(const QString& name, const QString& kind, const QString& counters, const QString& first,
                const QString& last)
    {
        env->db.exec(
            QStringLiteral("insert into brivane_screen (screen, kind, counters, firstseen, lastseen) "
                           "values (?, ?, ?, ?, ?)"),
            {name, kind, counters, first, last});
    }
    void shown(qint64 callAuto, qint64 stamp, const QString& screen, const QString& at)
    {
        env->db.exec(QStringLiteral(
                         "insert into brivane_shown (callauto, stamp, screen, shownat) values (?, ?, ?, ?)"),
                     {callAuto, stamp, screen, at});
    }
    // The listing's lines of one call, without the heading.
    static QStringList linesOf(const QString& listing, qint64 callAuto)
    {
        QStringList lines;
        for (const QString& line : listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (line.startsWith(QString::number(callAuto) + QLatin1Char(',')))
                lines.append(line);
        }
        return lines;
    }

    Hall hall;
};

TEST_P(DeliveryReportTest, TheListingShowsEachCallsScreensAndTheReportCountsTheMissesPerScreen)
{
    hall = seedHall(env->db);
    const QString day = QStringLiteral("2024-03-04");
    const auto at = [&](const QString& time) { return day + QLatin1Char(' ') + time; };
    const QString all = QStringLiteral(""); // every counter
    const QString lab = QString::number(hall.counter3);
    screen(QStringLiteral("Hall TV 1"), QStringLiteral("web"), all, at("08:00:00"), at("17:00:00"));
    screen(QStringLiteral("Lab TV"), QStringLiteral("web"), lab, at("08:00:00"), at("17:00:00"));
    screen(QStringLiteral("Late TV"), QStringLiteral("web"), all, at("10:00:00"), at("17:00:00"));
    screen(QStringLiteral("Announcer"), QStringLiteral("announcer"), all, at("08:00:00"), at("17:00:00"));

    // A1: shown and spoken within seconds. Late TV was not on yet.
    const qint64 a1 = call(QStringLiteral("A1"), hall.counter1, day, QStringLiteral("09:00:00"), 11);
    shown(a1, 11, QStringLiteral("Hall TV 1"), at("09:00:02"));
    shown(a1, 11, QStringLiteral("Announcer"), at("09:00:05"));
    // A2: only Late TV had it; recalled, Hall TV 1 showed the recall.
    const qint64 a2 = call(QStringLiteral("A2"), hall.counter1, day, QStringLiteral("10:30:00"), 13);
    shown(a2, 12, QStringLiteral("Late TV"), at("10:30:10"));
    shown(a2, 13, QStringLiteral("Hall TV 1"), at("10:32:00"));
    // B100 of the lab: every screen.
    const qint64 b100 = call(QStringLiteral("B100"), hall.counter3, day, QStringLiteral("11:00:00"), 14);
    shown(b100, 14, QStringLiteral("Lab TV"), at("11:00:30"));
    shown(b100, 14, QStringLiteral("Hall TV 1"), at("11:00:04"));
    shown(b100, 14, QStringLiteral("Late TV"), at("11:00:06"));
    shown(b100, 14, QStringLiteral("Announcer"), at("11:00:03"));
    // A3: no screen had it.
    const qint64 a3 = call(QStringLiteral("A3"), hall.counter1, day, QStringLiteral("12:00:00"), 15);
    // The next day, when the screens had not been seen since the evening before: Hall TV 1 showed
    // A1 all the same; nobody was expected to show B101.
    const QString next = QStringLiteral("2024-03-05");
    const qint64 nextA1 = call(QStringLiteral("A1"), hall.counter1, next, QStringLiteral("09:00:00"), 16);
    shown(nextA1, 16, QStringLiteral("Hall TV 1"), next + QStringLiteral(" 09:00:01"));
    const qint64 b101 = call(QStringLiteral("B101"), hall.counter3, next, QStringLiteral("12:00:00"), 17);

    // The day's listing (today's by default).
    env->clock.set(QDateTime::fromString(at("18:00:00"), QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    QString out, err;
    ASSERT_EQ(runCommand(*env, QStringLiteral("calls"), {QStringLiteral("--delivery")}, out, err), 0)
        << qPrintable(err);
    EXPECT_TRUE(out.startsWith(
        QStringLiteral("call,token,counter,showing,called at,screen,kind,result,shown at,delay (s)\n")));
    const QString a1Head =
        QString::number(a1) + QStringLiteral(",A1,Room %1,1,%2,").arg(hall.counter1).arg(at("09:00:00"));
    EXPECT_EQ(linesOf(out, a1), (QStringList{a1Head + QStringLiteral("Hall TV 1,web,shown,") +
                                                 at("09:00:02") + QStringLiteral(",2"),
                                             a1Head + QStringLiteral("Announcer,announcer,shown,") +
                                                 at("09:00:05") + QStringLiteral(",5")}));
    const QString a2First =
        QString::number(a2) + QStringLiteral(",A2,Room %1,1,%2,").arg(hall.counter1).arg(at("10:30:00"));
    const QString a2Recall = QString::number(a2) + QStringLiteral(",A2,Room %1,2,,").arg(hall.counter1);
    EXPECT_EQ(
        linesOf(out, a2),
        (QStringList{a2First + QStringLiteral("Late TV,web,shown,") + at("10:30:10") + QStringLiteral(",10"),
                     a2First + QStringLiteral("Announcer,announcer,missed,,"),
                     a2First + QStringLiteral("Hall TV 1,web,missed,,"),
                     a2Recall + QStringLiteral("Hall TV 1,web,shown,") + at("10:32:00") + QLatin1Char(','),
                     a2Recall + QStringLiteral("Announcer,announcer,missed,,"),
                     a2Recall + QStringLiteral("Late TV,web,missed,,")}));
    EXPECT_EQ(linesOf(out, a3).size(), 3);
    for (const QString& line : linesOf(out, a3))
        EXPECT_TRUE(line.endsWith(QLatin1String(",missed,,"))) << qPrintable(line);
    EXPECT_EQ(linesOf(out, b100).size(), 4);
    EXPECT_TRUE(linesOf(out, nextA1).isEmpty());

    ASSERT_EQ(runCommand(*env, QStringLiteral("calls"),
                         {QStringLiteral("--delivery"), QStringLiteral("--day"), next}, out, err),
              0);
    EXPECT_EQ(linesOf(out, b101),
              QStringList{QString::number(b101) +
                          QStringLiteral(",B101,Room %1,1,%2 12:00:00,,,no screen expected,,")
                              .arg(hall.counter3)
                              .arg(next)});
    EXPECT_EQ(linesOf(out, nextA1).size(), 1);

    // Per screen over the one day, then over both.
    const QString heading =
        QStringLiteral("screen,kind,expected,shown,missed,median delay (s),slowest delay (s)\n");
    ASSERT_EQ(runCommand(*env, QStringLiteral("report delivery"),
                         {QStringLiteral("--from"), day, QStringLiteral("--to"), day}, out, err),
              0)
        << qPrintable(err);
    EXPECT_EQ(out, heading + QStringLiteral("Announcer,announcer,5,2,3,4,5\n"
                                            "Hall TV 1,web,5,3,2,3,4\n"
                                            "Lab TV,web,1,1,0,30,30\n"
                                            "Late TV,web,4,2,2,8,10\n"));
    ASSERT_EQ(runCommand(*env, QStringLiteral("report delivery"),
                         {QStringLiteral("--from"), day, QStringLiteral("--to"), next}, out, err),
              0);
    EXPECT_EQ(out.split(QLatin1Char('\n')).value(2), QStringLiteral("Hall TV 1,web,6,4,2,2,4"));

    // Wrong days are a usage error; a hall without the tables says so.
    EXPECT_EQ(runCommand(*env, QStringLiteral("report delivery"),
                         {QStringLiteral("--from"), next, QStringLiteral("--to"), day}, out, err),
              2);
    EXPECT_EQ(
        runCommand(*env, QStringLiteral("calls"),
                   {QStringLiteral("--delivery"), QStringLiteral("--day"), QStringLiteral("2024-02-30")}, out,
                   err),
        2);
    for (const QString& table : delivery::tables())
        env->db.exec(QStringLiteral("drop table %1").arg(table));
    EXPECT_EQ(runCommand(*env, QStringLiteral("report delivery"),
                         {QStringLiteral("--from"), day, QStringLiteral("--to"), day}, out, err),
              1);
    EXPECT_TRUE(err.startsWith(QLatin1String("This hall keeps no record"))) << qPrintable(err);
}

} // namespace

BRIVANE_STORE_TEST_SUITE(DeliveryReportTest);
