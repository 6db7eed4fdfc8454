#include "CallingSupport.h"

#include <QTextStream>
#include <gtest/gtest.h>

using namespace callingtest;

namespace {

class CallingCommandsTest : public StoreTest
{
protected:
    // Runs a brivane-ctl command as brivane-ctl does; returns its exit code, output in out and messages in
    // err.
    int run(const QString& name, const QStringList& args)
    {
        out.clear();
        err.clear();
        const CommandRegistry::Command* command = env->commands.find(name);
        if (!command)
            return -1;
        QTextStream o(&out), e(&err);
        int code = 1;
        try {
            code = command->run(*env->ctx, args, o, e);
        } catch (const DbError& failure) {
            e << failure.description() << Qt::endl; // as brivane-ctl tells a store failure
        }
        o.flush();
        e.flush();
        out = out.trimmed();
        err = err.trimmed();
        return code;
    }

    QString out, err;
};

TEST_P(CallingCommandsTest, CountersCallRecallCancelTransferAndFinishFromTheCommandLine)
{
    Database& db = env->db;
    const Hall hall = seedHall(db);
    const qint64 a1 = walkIn(db, hall, 1);
    walkIn(db, hall, 2);
    const qint64 a3 = walkIn(db, hall, 3);
    const QString c1 = QStringLiteral("Counter 1"), c2 = QStringLiteral("Counter 2");

    EXPECT_EQ(run(QStringLiteral("recall"), {c1}), 1); // nothing called yet
    EXPECT_EQ(run(QStringLiteral("pending"), {c2}), 0);
    EXPECT_EQ(out, QStringLiteral("3"));
    EXPECT_EQ(run(QStringLiteral("transfer"), {QStringLiteral("A3"), QStringLiteral("--to"), c2,
                                               QStringLiteral("--note"), QStringLiteral("x-ray, then back")}),
              0);
    EXPECT_EQ(ticketText(db, a3, QStringLiteral("ref")), QStringLiteral("x-ray, then back"));
    run(QStringLiteral("pending"), {c2});
    EXPECT_EQ(out, QStringLiteral("3")); // transferred within the service: still one token
    run(QStringLiteral("pending"), {c1});
    EXPECT_EQ(out, QStringLiteral("2")); // A3 is counter 2's now
    // Already directed: refused, unchanged.
    EXPECT_EQ(run(QStringLiteral("transfer"),
                  {QStringLiteral("A3"), QStringLiteral("--to"), QStringLiteral("Counter 3")}),
              1);
    EXPECT_EQ(ticketText(db, a3, QStringLiteral("attended")).toLongLong(), hall.counter2);

    EXPECT_EQ(run(QStringLiteral("next"), {c1}), 0);
    EXPECT_EQ(out, QStringLiteral("A1"));
    run(QStringLiteral("next"), {c2}); // the token transferred here comes before the walk-ins
    EXPECT_EQ(out, QStringLiteral("A3"));
    env->clock.setTime(QTime(9, 15));
    run(QStringLiteral("next"), {c1}); // finishes A1
    EXPECT_EQ(out, QStringLiteral("A2"));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("finished")), QStringLiteral("09:15:00"));
    run(QStringLiteral("next"), {c2});
    EXPECT_EQ(out, QStringLiteral("Idle"));

    // The token being served is sent on: finished here, called by the target's Next only.
    env->clock.setTime(QTime(9, 20));
    EXPECT_EQ(run(QStringLiteral("transfer"),
                  {QStringLiteral("A2"), QStringLiteral("--to"), QStringLiteral("Counter 3"),
                   QStringLiteral("--note"), QStringLiteral("pharmacy")}),
              0);
    EXPECT_EQ(out, QStringLiteral("Updated"));
    EXPECT_EQ(db.query(QStringLiteral("select finished from tblTicket where no_abr='A2'")).text(0, 0),
              QStringLiteral("09:20:00"));
    run(QStringLiteral("next"), {c1});
    EXPECT_EQ(out, QStringLiteral("Idle"));
    run(QStringLiteral("next"), {QStringLiteral("Counter 3")});
    EXPECT_EQ(out, QStringLiteral("A2"));

    // Finish: the served token ends now and nobody is called.
    env->clock.setTime(QTime(9, 25));
    EXPECT_EQ(run(QStringLiteral("finish"), {QStringLiteral("Counter 3")}), 0);
    EXPECT_EQ(out, QStringLiteral("A2"));
    EXPECT_EQ(db.query(QStringLiteral("select finished from tblTicket where no_abr='A2'")).text(0, 0),
              QStringLiteral("09:25:00"));
    EXPECT_EQ(run(QStringLiteral("finish"), {}), 2);

    db.exec(QStringLiteral("update tblCall set status1='1'"));
    EXPECT_EQ(run(QStringLiteral("recall"), {c2}), 0);
    EXPECT_EQ(out, QStringLiteral("A3"));
    EXPECT_EQ(run(QStringLiteral("cancel"), {c2}), 0);
    EXPECT_EQ(db.query(QStringLiteral("select count(*) from tblCall where status1='0'")).number(0, 0), 1);
    EXPECT_EQ(db.query(QStringLiteral("select status from tblTicket where no_abr='A3'")).text(0, 0),
              QStringLiteral("Cancelled"));

    // A called ticket whose call row is missing gets one from a recall.
    db.exec(QStringLiteral("delete from tblCall where no_abr='A3'"));
    EXPECT_EQ(run(QStringLiteral("recall"), {c2}), 0);
    EXPECT_EQ(callRows(db, a3), 1);

    EXPECT_EQ(run(QStringLiteral("calls"), {}), 0);
    const QStringList lines = out.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("callauto,servAuto,no_abr,displayName,status1,tickAuto")));
    EXPECT_EQ(lines[1].split(QLatin1Char(','))[2], QStringLiteral("A1"));

    EXPECT_EQ(run(QStringLiteral("next"), {QStringLiteral("Counter 9")}), 1);
    EXPECT_EQ(run(QStringLiteral("next"), {}), 2);
    EXPECT_EQ(run(QStringLiteral("calls"), {QStringLiteral("--date"), QStringLiteral("15-01-2024")}), 2);
}

TEST_P(CallingCommandsTest, TheCurrentTokenIsTheOneTheCounterCalledLast)
{
    Database& db = env->db;
    const Hall hall = seedHall(db);
    const qint64 a1 = walkIn(db, hall, 1);
    const qint64 a2 = walkIn(db, hall, 2);
    const QString c1 = QStringLiteral("Counter 1"), c3 = QStringLiteral("Counter 3");
    run(QStringLiteral("transfer"), {QStringLiteral("A1"), QStringLiteral("--to"), c3});
    run(QStringLiteral("next"), {c1});
    EXPECT_EQ(out, QStringLiteral("A2"));
    run(QStringLiteral("next"), {c3});
    EXPECT_EQ(out, QStringLiteral("A1"));
    // Sent back: counter 1 finishes A2 and calls A1, whose key is lower.
    env->clock.setTime(QTime(9, 10));
    EXPECT_EQ(run(QStringLiteral("transfer"), {QStringLiteral("A1"), QStringLiteral("--to"), c1}), 0);
    run(QStringLiteral("next"), {c1});
    EXPECT_EQ(out, QStringLiteral("A1"));
    EXPECT_EQ(ticketText(db, a2, QStringLiteral("finished")), QStringLiteral("09:10:00"));
    env->clock.setTime(QTime(9, 20));
    EXPECT_EQ(run(QStringLiteral("finish"), {c1}), 0);
    EXPECT_EQ(out, QStringLiteral("A1"));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("finished")), QStringLiteral("09:20:00"));
    EXPECT_EQ(ticketText(db, a2, QStringLiteral("finished")), QStringLiteral("09:10:00"));
}

TEST_P(CallingCommandsTest, ANextWhoseCallCannotBeStoredSaysWhyAndCallsNobody)
{
    Database& db = env->db;
    const Hall hall = seedHall(db);
    const qint64 a1 = walkIn(db, hall, 1);
    refuse(db, QStringLiteral("tblCall"), QStringLiteral("insert"),
           QStringLiteral("No space left on device"));
    EXPECT_EQ(run(QStringLiteral("next"), {QStringLiteral("Counter 1")}), 1);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.contains(QStringLiteral("No space left on device"))) << err.toStdString();
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("call")), QStringLiteral("0"));
    allow(db, QStringLiteral("tblCall"));
    EXPECT_EQ(run(QStringLiteral("next"), {QStringLiteral("Counter 1")}), 0);
    EXPECT_EQ(out, QStringLiteral("A1"));
    EXPECT_EQ(callRows(db, a1), 1);
}

BRIVANE_STORE_TEST_SUITE(CallingCommandsTest);

} // namespace
