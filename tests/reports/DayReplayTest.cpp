#include "ReportsSupport.h"

#include "calling/DayReplay.h"
#include "reports/DayFigures.h"
#include "reports/DayPlanReader.h"
#include "testsupport/CommandRun.h"
#include "testsupport/KindLogins.h"

#include <QCryptographicHash>
#include <random>

// A past day replayed through the call engine on a hall of its own, and its figures beside the day's.

namespace {

const QDate Day(2024, 1, 14); // the test clock stands on 2024-01-15
const QString DayText = QStringLiteral("2024-01-14");

int at(int h, int m, int s = 0)
{
    return h * 3600 + m * 60 + s;
}

class DayReplayTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
    }

    struct Token
    {
        QString label;
        QString kind = QStringLiteral("N");
        QString issued;
        qint64 counter = 0;  // the counter that called it, or that it waits for
        QString called = {}; // attTime; empty: never called
        QString finished = {};
        QString appTime = {};
    };
    qint64 add(const Token& t, qint64 service = 0)
    {
        QVariantMap row{{QStringLiteral("servAuto"), service ? service : hall.consultation},
                        {QStringLiteral("tickNo"), t.label.mid(1).toInt()},
                        {QStringLiteral("tickDate"), DayText},
                        {QStringLiteral("tickTime"), t.issued},
                        {QStringLiteral("call"), t.called.isEmpty() ? 0 : 1},
                        {QStringLiteral("no_abr"), t.label},
                        {QStringLiteral("attended"), t.counter},
                        {QStringLiteral("ttype"), t.kind},
                        {QStringLiteral("apptime"), t.appTime}};
        if (!t.called.isEmpty()) {
            row.insert(QStringLiteral("status"), QStringLiteral("Finished"));
            row.insert(QStringLiteral("attTime"), t.called);
            row.insert(QStringLiteral("finished"), t.finished);
        } else if (t.counter) {
            row.insert(QStringLiteral("status"), QStringLiteral("Transferred"));
        }
        const qint64 key = env->db.insert(QStringLiteral("tblTicket"), row);
        keys.insert(t.label, key);
        return key;
    }

    // The day as it went, all at Counter 1 (Consultation), which worked from 09:00:00 to 09:30:00:
    //   token  kind  issued    called    finished  served  waited
    //   A1     N     09:00:00  09:00:00  09:10:00  10 min   0
    //   A2     N     09:02:00  09:10:00  09:15:00   5 min   8
    //   A3     N     09:04:00  09:15:00  09:21:00   6 min  11
    //   A4     E     09:05:00  09:21:00  09:25:00   4 min  16   (given to Counter 1)
    //   A5     N     09:20:00  09:25:00  09:28:00   3 min   5
    //   A7     A     09:00:00  09:28:00  09:30:00   2 min  28   (Counter 1, appointment at 09:26)
    //   A6     N     09:31:00  never                         (gets Consultation's average: 30 min / 6)
    //   R1     R     09:10:00  never, a report token of the Reports service: not replayed
    void addDay()
    {
        add(Token{QStringLiteral("A1"), QStringLiteral("N"), QStringLiteral("09:00:00"), hall.counter1,
                  QStringLiteral("09:00:00"), QStringLiteral("09:10:00")});
        add(Token{QStringLiteral("A7"), QStringLiteral("A"), QStringLiteral("09:00:00"), hall.counter1,
                  QStringLiteral("09:28:00"), QStringLiteral("09:30:00"), QStringLiteral("09:26")});
        add(Token{QStringLiteral("A2"), QStringLiteral("N"), QStringLiteral("09:02:00"), hall.counter1,
                  QStringLiteral("09:10:00"), QStringLiteral("09:15:00")});
        add(Token{QStringLiteral("A3"), QStringLiteral("N"), QStringLiteral("09:04:00"), hall.counter1,
                  QStringLiteral("09:15:00"), QStringLiteral("09:21:00")});
        add(Token{QStringLiteral("A4"), QStringLiteral("E"), QStringLiteral("09:05:00"), hall.counter1,
                  QStringLiteral("09:21:00"), QStringLiteral("09:25:00")});
        add(Token{QStringLiteral("R1"), QStringLiteral("R"), QStringLiteral("09:10:00")}, hall.reports);
        add(Token{QStringLiteral("A5"), QStringLiteral("N"), QStringLiteral("09:20:00"), hall.counter1,
                  QStringLiteral("09:25:00"), QStringLiteral("09:28:00")});
        add(Token{QStringLiteral("A6"), QStringLiteral("N"), QStringLiteral("09:31:00")});
    }

    // The second each token was called in the replay, by label; -1: never.
    QHash<QString, int> replayCalls(DayPlan plan, DayReplay& replay)
    {
        const QVector<ReplayedToken> out = replay.run(plan);
        QHash<QString, int> called;
        for (const ReplayedToken& t : out)
            called.insert(keys.key(t.key), t.called);
        return called;
    }

    // Every row of the tables a replay reads, in key order, as one checksum; and their row count.
    QPair<qint64, QByteArray> hallPrint()
    {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        qint64 rows = 0;
        for (const char* sql :
             {"select * from tblTicket order by tickAuto", "select * from tblCall order by callauto",
              "select * from tblService order by servAuto",
              "select cntAuto, servAuto, contName, "
              "displayName, active from tblCounter order by cntAuto",
              "select * from tblDept order by deptAuto"}) {
            const ResultSet rs = env->db.query(QString::fromLatin1(sql));
            for (int r = 0; r < rs.size(); ++r, ++rows) {
                for (int c = 0; c < rs.columnCount(); ++c)
                    hash.addData((rs.text(r, c) + QLatin1Char('|')).toUtf8());
                hash.addData(QByteArrayView("\n"));
            }
        }
        return {rows, hash.result()};
    }

    Hall hall;
    QHash<QString, qint64> keys;
};

TEST_P(DayReplayTest, AReplayedDayCallsEachTokenWhenWorkedOutByHand)
{
    addDay();
    add(Token{QStringLiteral("A9"), QStringLiteral("N"), QString()}); // older data without an issue time
    const DayReading reading = readDay(env->db, Day);
    EXPECT_EQ(reading.plan.tokens.size(), 7);
    EXPECT_EQ(reading.otherKinds, 1) << "the report token";
    EXPECT_EQ(reading.untimed, 1);
    EXPECT_EQ(reading.plan.openCounters(), 1);

    // One counter a service, open all day (A4 goes to it, as it went to Counter 1):
    //   09:00 A1 (till 09:10); A7 is not due before 09:26. 09:10 the emergency A4 (waited 5, till
    //   09:14); 09:14 A2 (12, till 09:19); 09:19 A3 (15, till 09:25); 09:25 A5 (5, till 09:28); 09:28
    //   A7, due since 09:26 (28, till 09:30); 09:31 A6 (0).
    {
        DayPlan plan = reading.plan;
        plan.staffEachService(1);
        EXPECT_EQ(plan.openCounters(), 3);
        DayReplay replay;
        const QHash<QString, int> called = replayCalls(plan, replay);
        EXPECT_EQ(called, (QHash<QString, int>{{QStringLiteral("A1"), at(9, 0)},
                                               {QStringLiteral("A4"), at(9, 10)},
                                               {QStringLiteral("A2"), at(9, 14)},
                                               {QStringLiteral("A3"), at(9, 19)},
                                               {QStringLiteral("A5"), at(9, 25)},
                                               {QStringLiteral("A7"), at(9, 28)},
                                               {QStringLiteral("A6"), at(9, 31)}}));
        const QVector<KindFigures> f = dayFigures(replay.hall(), Day);
        ASSERT_EQ(f.size(), 4);
        EXPECT_EQ(f[0].kind, QStringLiteral("E"));
        EXPECT_DOUBLE_EQ(f[0].averageWaiting.value_or(-1), 5.0);
        EXPECT_DOUBLE_EQ(f[1].averageWaiting.value_or(-1), 28.0);
        EXPECT_EQ(f[2].tokens, 5);
        EXPECT_EQ(f[2].called, 5);
        EXPECT_DOUBLE_EQ(f[2].averageWaiting.value_or(-1), 32.0 / 5.0); // 0 12 15 5 0
        EXPECT_DOUBLE_EQ(f[2].waiting90.value_or(-1), 15.0);
        EXPECT_DOUBLE_EQ(f[3].longestWaiting.value_or(-1), 28.0);
    }
    // Two: the second counter takes A2 at 09:02 (0, till 09:07) and A3 at 09:07 (3, till 09:13), but
    // never the emergency given to the first, which calls it at 09:10 (5, till 09:14). 09:20 A5 at the
    // first (0, till 09:23); at 09:26 A7 falls due and the idle first counter calls it (26, till
    // 09:28); 09:31 A6 at the first (0).
    {
        DayPlan plan = reading.plan;
        plan.staffEachService(2);
        DayReplay replay;
        const QVector<ReplayedToken> out = replay.run(plan);
        QHash<QString, QPair<int, int>> got; // label → (second, which of the two)
        const qint64 first = plan.counters[0].key;
        for (const ReplayedToken& t : out)
            got.insert(keys.key(t.key), {t.called, t.counter == first ? 1 : 2});
        EXPECT_EQ(got, (QHash<QString, QPair<int, int>>{{QStringLiteral("A1"), {at(9, 0), 1}},
                                                        {QStringLiteral("A2"), {at(9, 2), 2}},
                                                        {QStringLiteral("A3"), {at(9, 7), 2}},
                                                        {QStringLiteral("A4"), {at(9, 10), 1}},
                                                        {QStringLiteral("A5"), {at(9, 20), 1}},
                                                        {QStringLiteral("A7"), {at(9, 26), 1}},
                                                        {QStringLiteral("A6"), {at(9, 31), 1}}}));
        const QVector<KindFigures> f = dayFigures(replay.hall(), Day);
        EXPECT_DOUBLE_EQ(f[2].averageWaiting.value_or(-1), 3.0 / 5.0);
        EXPECT_DOUBLE_EQ(f[2].longestWaiting.value_or(-1), 3.0);
    }
    // The counter that worked that day, from 09:00:00 to 09:30:00: as with one counter, but A6 comes
    // after it closed and is never called.
    {
        DayReplay replay;
        const QHash<QString, int> called = replayCalls(reading.plan, replay);
        EXPECT_EQ(called.value(QStringLiteral("A7")), at(9, 28));
        EXPECT_EQ(called.value(QStringLiteral("A6")), -1);
        const QVector<KindFigures> f = dayFigures(replay.hall(), Day);
        EXPECT_EQ(f[2].called, 4);
    }
}

// A token handed on from one counter to another was served at both; a cancelled one served nobody.
//   B100 issued 10:00:00, served at Counter 3 10:00:00-10:04:00, handed to Counter 1, served there
//        10:10:00-10:13:00: 7 minutes of service, waited 0 before its first call.
//   B101 issued 10:01:00, called at Counter 3 10:04:00 and cancelled (finished stamped 10:05:00): no
//        service of its own, so it gets the Lab's average, B100's 7 minutes; it waited 3.
TEST_P(DayReplayTest, ADayIsReadWithTheServicesAndWaitsTheReportsCount)
{
    const qint64 b100 = add(Token{QStringLiteral("B100"), QStringLiteral("N"), QStringLiteral("10:00:00"),
                                  hall.counter1, QStringLiteral("10:10:00"), QStringLiteral("10:13:00")},
                            hall.lab);
    env->db.exec(QStringLiteral("update tblTicket set legs=? where tickAuto=?"),
                 {QStringLiteral(";%1,10:00:00,10:04:00").arg(hall.counter3), b100});
    const qint64 b101 = add(Token{QStringLiteral("B101"), QStringLiteral("N"), QStringLiteral("10:01:00"),
                                  hall.counter3, QStringLiteral("10:04:00"), QStringLiteral("10:05:00")},
                            hall.lab);
    env->db.exec(QStringLiteral("update tblTicket set status='Cancelled' where tickAuto=?"), {b101});

    const DayReading reading = readDay(env->db, Day);
    ASSERT_EQ(reading.plan.tokens.size(), 2);
    EXPECT_EQ(reading.timedTokens, 1);
    EXPECT_EQ(reading.plan.tokens[0].serviceSeconds, 420);
    EXPECT_EQ(reading.plan.tokens[1].serviceSeconds, 420);
    EXPECT_EQ(reading.plan.tokens[0].directedTo, 0);
    QHash<qint64, QPair<int, int>> hours;
    for (const DayPlan::Counter& c : reading.plan.counters)
        hours.insert(c.key, {c.opens, c.closes});
    EXPECT_EQ(hours.value(hall.counter3), (QPair<int, int>{at(10, 0), at(10, 5)}));
    EXPECT_EQ(hours.value(hall.counter1), (QPair<int, int>{at(10, 10), at(10, 13)}));
    EXPECT_EQ(hours.value(hall.counter2), (QPair<int, int>{-1, -1}));

    const KindFigures walkIns = dayFigures(env->db, Day)[2];
    EXPECT_EQ(walkIns.tokens, 2);
    EXPECT_EQ(walkIns.called, 2);
    EXPECT_DOUBLE_EQ(walkIns.averageWaiting.value_or(-1), 1.5);
    EXPECT_DOUBLE_EQ(walkIns.longestWaiting.value_or(-1), 3.0);
}

TEST_P(DayReplayTest, TheCommandPrintsTheDayBesideItsReplayAndLeavesTheHallAsItWas)
{
    addDay();
    const auto before = hallPrint();
    QString out, err;
    ASSERT_EQ(
        runCommand(*env, QStringLiteral("simulate"),
                   {QStringLiteral("--day"), DayText, QStringLiteral("--counters"), QStringLiteral("1")}, out,
                   err),
        0)
        << qPrintable(err);
    const QStringList lines = out.split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 13) << qPrintable(out);
    EXPECT_EQ(lines[0], QStringLiteral("Replay of 2024-01-14 through the call engine. Tokens replayed: 7."));
    EXPECT_EQ(lines[1], QStringLiteral("Counters: 1 per service, each open all day."));
    EXPECT_EQ(lines[2], QStringLiteral("Cap on walk-ins held back: as each service has it."));
    // The day: E waited 16; A 28; N 0 8 11 5 and A6 never called; all six called average 68/6.
    EXPECT_EQ(lines.mid(5, 6),
              (QStringList{
                  QStringLiteral("                           That day                         Replay"),
                  QStringLiteral("Kind              Tokens    Called   Mean    90%  Longest    Called   Mean "
                                 "   90%  Longest"),
                  QStringLiteral("Emergency (E)          1         1   16.0   16.0     16.0         1    5.0 "
                                 "   5.0      5.0"),
                  QStringLiteral("Appointment (A)        1         1   28.0   28.0     28.0         1   28.0 "
                                 "  28.0     28.0"),
                  QStringLiteral("Walk-in (N)            5         4    6.0   11.0     11.0         5    6.4 "
                                 "  15.0     15.0"),
                  QStringLiteral("All                    7         6   11.3   28.0     28.0         7    9.3 "
                                 "  28.0     28.0")}))
        << qPrintable(out);
    EXPECT_TRUE(out.contains(QStringLiteral("Not replayed, being of other kinds: 1")));
    EXPECT_TRUE(out.contains(QStringLiteral("Replayed in ")));

    // The counters of the day, and a cap of 0 (none) for every service.
    ASSERT_EQ(runCommand(*env, QStringLiteral("simulate"),
                         {QStringLiteral("--day"), DayText, QStringLiteral("--cap"), QStringLiteral("0")},
                         out, err),
              0)
        << qPrintable(err);
    EXPECT_TRUE(out.contains(QStringLiteral(
        "Counters: the 1 that called tokens that day, each open from its first call to its last finish.")))
        << qPrintable(out);
    EXPECT_TRUE(out.contains(QStringLiteral("Cap on walk-ins held back: none.")));
    EXPECT_TRUE(
        out.contains(QStringLiteral("Walk-in (N)            5         4    6.0   11.0     11.0         4 ")))
        << qPrintable(out);
    EXPECT_EQ(hallPrint(), before) << "the replay wrote in the hall";

    // What cannot be replayed is said plainly.
    const auto refused = [&](const QStringList& args) {
        const int code = runCommand(*env, QStringLiteral("simulate"), args, out, err);
        EXPECT_TRUE(out.isEmpty()) << qPrintable(out);
        return QPair<int, QString>{code, err.trimmed()};
    };
    EXPECT_EQ(refused({QStringLiteral("--day"), QStringLiteral("2024-02-30")}),
              (QPair<int, QString>{
                  2, QStringLiteral(
                         "\"2024-02-30\" is not a day: give it as yyyy-MM-dd, for example 2024-01-15.")}));
    EXPECT_EQ(refused({QStringLiteral("--day"), QStringLiteral("14-01-2024")}).first, 2);
    EXPECT_EQ(
        refused({QStringLiteral("--day"), DayText, QStringLiteral("--counters"), QStringLiteral("0")}).first,
        2);
    EXPECT_EQ(
        refused({QStringLiteral("--day"), DayText, QStringLiteral("--cap"), QStringLiteral("-5")}).first, 2);
    EXPECT_EQ(refused({}).first, 2);
    EXPECT_EQ(
        refused({QStringLiteral("--day"), QStringLiteral("2024-01-16")}),
        (QPair<int, QString>{
            1, QStringLiteral("2024-01-16 has not come yet: only a day that has begun can be replayed.")}));
    EXPECT_EQ(
        refused({QStringLiteral("--day"), QStringLiteral("2024-01-13")}),
        (QPair<int, QString>{1, QStringLiteral("No tokens were issued on 2024-01-13: there is nothing to "
                                               "replay.")}));
    // A day whose tokens nobody called: no counter worked and no service time is known.
    add(Token{QStringLiteral("B100"), QStringLiteral("N"), QStringLiteral("10:00:00")}, hall.lab);
    env->db.exec(QStringLiteral("update tblTicket set tickDate='2024-01-12' where no_abr='B100'"));
    EXPECT_EQ(
        refused({QStringLiteral("--day"), QStringLiteral("2024-01-12")}),
        (QPair<int, QString>{1, QStringLiteral("No token of 2024-01-12 was served to its finish: there are "
                                               "no service times to replay.")}));
    EXPECT_EQ(hallPrint().first, before.first + 1);
}

// Any day, however the counters' hours and the services' times fall, replays the same each time, and
// the replay keeps the engine's rules: a token is called once, never before it was issued, and a
// counter serves one token at a time while it is open.
TEST_P(DayReplayTest, AReplayIsTheSameEachTimeAndKeepsTheRules)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> gap(0, 240), service(60, 900), kind(0, 9);
    int second = at(8, 0);
    for (int i = 1; i <= 150; ++i) {
        second += gap(random);
        const int k = kind(random);
        const QString type = k == 0   ? QStringLiteral("E")
                             : k == 1 ? QStringLiteral("A")
                                      : QStringLiteral("N");
        const qint64 counter = (i % 3 == 0) ? hall.counter2 : hall.counter1;
        const QString issued =
            QTime::fromMSecsSinceStartOfDay(second * 1000).toString(QStringLiteral("HH:mm:ss"));
        const int calledAt = second + gap(random) * 3;
        add(Token{
            QStringLiteral("A%1").arg(i), type, issued, counter,
            QTime::fromMSecsSinceStartOfDay(calledAt * 1000).toString(QStringLiteral("HH:mm:ss")),
            QTime::fromMSecsSinceStartOfDay((calledAt + service(random)) * 1000)
                .toString(QStringLiteral("HH:mm:ss")),
            type == QLatin1String("A")
                ? QTime::fromMSecsSinceStartOfDay((second + 1800) * 1000).toString(QStringLiteral("HH:mm"))
                : QString()});
    }
    const DayReading reading = readDay(env->db, Day);
    ASSERT_EQ(reading.plan.tokens.size(), 150);
    EXPECT_EQ(reading.plan.openCounters(), 2);

    DayReplay first, second_;
    const QVector<ReplayedToken> a = first.run(reading.plan);
    const QVector<ReplayedToken> b = second_.run(reading.plan);
    ASSERT_EQ(a.size(), b.size());
    QHash<qint64, QVector<QPair<int, int>>> busy; // counter → its services
    for (int i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].called, b[i].called) << i;
        EXPECT_EQ(a[i].counter, b[i].counter) << i;
        const DayPlan::Token& t = reading.plan.tokens[i];
        if (a[i].called < 0)
            continue;
        EXPECT_GE(a[i].called, t.issued) << qPrintable(t.label);
        EXPECT_EQ(a[i].finished - a[i].called, t.serviceSeconds) << qPrintable(t.label);
        if (t.directedTo) {
            EXPECT_EQ(a[i].counter, t.directedTo) << qPrintable(t.label);
        }
        busy[a[i].counter].append({a[i].called, a[i].finished});
    }
    for (auto it = busy.begin(); it != busy.end(); ++it) {
        std::sort(it->begin(), it->end());
        for (int i = 1; i < it->size(); ++i)
            EXPECT_GE(it->at(i).first, it->at(i - 1).second) << "a counter served two tokens at once";
    }
    // The replay's hall, measured as the reports measure, counts the same calls.
    EXPECT_EQ(dayFigures(first.hall(), Day).last().called,
              std::count_if(a.cbegin(), a.cend(), [](const ReplayedToken& t) { return t.called >= 0; }));

    // The replayed day, read as a day of the hall (its counters open from their first call to their
    // last finish, its service times from the call to the finish) and replayed again, comes out as it
    // went: each counter free from its last finish on would have taken what came for it.
    const DayReading again = readDay(first.hall(), Day);
    EXPECT_EQ(again.plan.openCounters(), 2);
    DayReplay third;
    const QVector<ReplayedToken> c = third.run(again.plan);
    ASSERT_EQ(c.size(), a.size());
    for (int i = 0; i < a.size(); ++i) {
        EXPECT_EQ(c[i].key, a[i].key);
        EXPECT_EQ(c[i].called, a[i].called) << qPrintable(reading.plan.tokens[i].label);
        EXPECT_EQ(c[i].counter, a[i].counter) << qPrintable(reading.plan.tokens[i].label);
    }
    const QVector<KindFigures> was = dayFigures(first.hall(), Day);
    const QVector<KindFigures> is = dayFigures(third.hall(), Day);
    ASSERT_EQ(was.size(), is.size());
    for (int k = 0; k < was.size(); ++k) {
        EXPECT_EQ(was[k].called, is[k].called) << qPrintable(was[k].kind);
        EXPECT_EQ(was[k].averageWaiting, is[k].averageWaiting) << qPrintable(was[k].kind);
        EXPECT_EQ(was[k].waiting90, is[k].waiting90) << qPrintable(was[k].kind);
        EXPECT_EQ(was[k].longestWaiting, is[k].longestWaiting) << qPrintable(was[k].kind);
    }
}

// A run of emergencies holds a walk-in back; a cap on the service lets it through once it has waited
// longer than the cap. The day at Counter 1, all five minutes a token but A1 (ten):
//   A1 N 09:00 (called 09:00), A2 N 09:01, emergencies A3..A6 for Counter 1 at 09:02, 09:03, 09:04, 09:05.
// Without a cap: A3 09:10, A4 09:15, A5 09:20, A6 09:25, and A2 at last at 09:30 (waited 29).
// With a cap of 15 minutes: at 09:10 and 09:15 A2 has waited 9 and 14 minutes, so A3 and A4 go first;
// at 09:20 it has waited 19 and is called before the emergencies issued after it; A5 09:25, A6 09:30.
TEST_P(DayReplayTest, ACapOnWalkInsChangesTheWaitsOfARunOfEmergencies)
{
    const auto fiveMinutes = [this](const QString& label, const QString& kind, const QString& issued,
                                    const QString& called) {
        const QTime from = QTime::fromString(called, QStringLiteral("HH:mm"));
        add(Token{label, kind, issued, hall.counter1, from.toString(QStringLiteral("HH:mm:ss")),
                  from.addSecs(300).toString(QStringLiteral("HH:mm:ss"))});
    };
    add(Token{QStringLiteral("A1"), QStringLiteral("N"), QStringLiteral("09:00:00"), hall.counter1,
              QStringLiteral("09:00:00"), QStringLiteral("09:10:00")});
    fiveMinutes(QStringLiteral("A2"), QStringLiteral("N"), QStringLiteral("09:01:00"),
                QStringLiteral("09:30"));
    fiveMinutes(QStringLiteral("A3"), QStringLiteral("E"), QStringLiteral("09:02:00"),
                QStringLiteral("09:10"));
    fiveMinutes(QStringLiteral("A4"), QStringLiteral("E"), QStringLiteral("09:03:00"),
                QStringLiteral("09:15"));
    fiveMinutes(QStringLiteral("A5"), QStringLiteral("E"), QStringLiteral("09:04:00"),
                QStringLiteral("09:20"));
    fiveMinutes(QStringLiteral("A6"), QStringLiteral("E"), QStringLiteral("09:05:00"),
                QStringLiteral("09:25"));
    DayPlan plan = readDay(env->db, Day).plan;

    DayReplay uncapped;
    EXPECT_EQ(replayCalls(plan, uncapped).value(QStringLiteral("A2")), at(9, 30));
    plan.capEveryService(15);
    DayReplay capped;
    EXPECT_EQ(replayCalls(plan, capped), (QHash<QString, int>{{QStringLiteral("A1"), at(9, 0)},
                                                              {QStringLiteral("A3"), at(9, 10)},
                                                              {QStringLiteral("A4"), at(9, 15)},
                                                              {QStringLiteral("A2"), at(9, 20)},
                                                              {QStringLiteral("A5"), at(9, 25)},
                                                              {QStringLiteral("A6"), at(9, 30)}}));
    const QVector<KindFigures> before = dayFigures(uncapped.hall(), Day);
    const QVector<KindFigures> after = dayFigures(capped.hall(), Day);
    EXPECT_DOUBLE_EQ(before[2].longestWaiting.value_or(-1), 29.0);
    EXPECT_DOUBLE_EQ(after[2].longestWaiting.value_or(-1), 19.0);
    EXPECT_DOUBLE_EQ(before[0].averageWaiting.value_or(-1), (8 + 12 + 16 + 20) / 4.0);
    EXPECT_DOUBLE_EQ(after[0].averageWaiting.value_or(-1), (8 + 12 + 21 + 25) / 4.0);

    // The command says the cap it replayed with, and the walk-ins' line shows it.
    QString out, err;
    ASSERT_EQ(runCommand(*env, QStringLiteral("simulate"),
                         {QStringLiteral("--day"), DayText, QStringLiteral("--cap"), QStringLiteral("15")},
                         out, err),
              0)
        << qPrintable(err);
    EXPECT_TRUE(out.contains(QStringLiteral("Cap on walk-ins held back: 15 min, for every service.")));
    EXPECT_TRUE(out.contains(QStringLiteral(
        "Walk-in (N)            2         2   14.5   29.0     29.0         2    9.5   19.0     19.0")))
        << qPrintable(out);
}

// On a shared hall, a counter and the office run it with their own logins; a kiosk may not.
TEST_P(DayReplayTest, ACounterOrTheOfficeRunsItWithTheirOwnRights)
{
    if (GetParam() == Store::Sqlite)
        GTEST_SKIP() << "an embedded hall has no kinds of workstation";
    KindLogins logins(*env);
    if (!logins.available())
        GTEST_SKIP() << "the test server's role may not create roles";
    addDay();
    const auto before = hallPrint();
    for (kinds::Kind kind : {kinds::Kind::Counter, kinds::Kind::Office, kinds::Kind::Kiosk}) {
        Database& db = logins.workstation(kind);
        WorkstationProgram pc(*env, db);
        QString out, err;
        QTextStream o(&out), e(&err);
        const int code = ::runCommand(*pc.commands.find(QStringLiteral("simulate")), *pc.ctx,
                                      {QStringLiteral("--day"), DayText}, o, e);
        o.flush();
        e.flush();
        if (kind == kinds::Kind::Kiosk) {
            EXPECT_EQ(code, 1);
            EXPECT_EQ(err.trimmed(), QStringLiteral("This workstation may only issue tokens"));
            continue;
        }
        EXPECT_EQ(code, 0) << qPrintable(kinds::name(kind)) << ": " << qPrintable(err);
        EXPECT_TRUE(out.contains(
            QStringLiteral("Emergency (E)          1         1   16.0   16.0     16.0         1    5.0")))
            << qPrintable(out);
    }
    EXPECT_EQ(hallPrint(), before);
}

BRIVANE_STORE_TEST_SUITE(DayReplayTest);

} // namespace
