#include "TicketsSupport.h"

#include "core/QueueLength.h"
#include "core/Session.h"
#include "tickets/Issue.h"
#include "tickets/Numbering.h"

#include <atomic>
#include <thread>
#include <vector>

using namespace ticketstest;
using numbering::IssuedTicket;

namespace {

class Numbering : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        env->clock.set(QDateTime(QDate(2024, 3, 4), QTime(10, 15, 30)));
    }

    // As a kiosk issues: the day's next number, taken by the issue itself.
    IssuedTicket issue(qint64 service, const QDate& day, bool appTime = true)
    {
        numbering::IssueRequest r;
        r.serviceId = service;
        r.number = numbering::nextNumber;
        r.issueDate = day;
        r.writeAppTime = appTime;
        return numbering::storeTicket(env->db, env->clock, r);
    }

    QDate today() const { return env->clock.today(); }
    Hall hall;
};

TEST_P(Numbering, FirstTokenOfEachDayIsTheStartNumber)
{
    // Lab runs 100..199.
    EXPECT_EQ(numbering::getToken(env->db, hall.lab, today()), 100);
    EXPECT_EQ(issue(hall.lab, today()).number, 100);
    EXPECT_EQ(issue(hall.lab, today()).number, 101);
    EXPECT_EQ(numbering::getToken(env->db, hall.lab, today()), 102);
    // The next day starts again; another service keeps its own sequence.
    EXPECT_EQ(issue(hall.lab, today().addDays(1)).number, 100);
    EXPECT_EQ(issue(hall.consultation, today()).number, 1);
    EXPECT_EQ(numbering::getToken(env->db, 999999, today()), 0);
}

TEST_P(Numbering, StoredRowIsAWaitingWalkIn)
{
    const IssuedTicket t = issue(hall.lab, today());
    ASSERT_TRUE(t.issued());
    EXPECT_EQ(t.label, QStringLiteral("B100"));
    const ResultSet rs =
        env->db.query(QStringLiteral("select * from tblTicket where tickAuto=?"), {t.tickAuto});
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.number(0, 1), hall.lab);
    EXPECT_EQ(rs.number(0, 2), 100);
    EXPECT_EQ(rs.text(0, 3), QStringLiteral("2024-03-04"));
    EXPECT_EQ(rs.text(0, 4), QStringLiteral("10:15:30"));
    EXPECT_EQ(rs.text(0, 5), QStringLiteral("0"));
    EXPECT_EQ(rs.text(0, "no_abr"), QStringLiteral("B100"));
    EXPECT_EQ(rs.number(0, "attended"), 0);
    EXPECT_EQ(rs.text(0, "ttype"), QStringLiteral("N"));
    EXPECT_EQ(rs.text(0, "apptime"), QStringLiteral("10:15"));
    // The full-screen kiosk leaves the appointment time empty.
    const IssuedTicket f = issue(hall.lab, today(), false);
    EXPECT_TRUE(env->db.query(QStringLiteral("select apptime from tblTicket where tickAuto=?"), {f.tickAuto})
                    .text(0, 0)
                    .isEmpty());
}

TEST_P(Numbering, AnotherIssueDateDoesNotTouchTodaysSequence)
{
    issue(hall.consultation, today());
    issue(hall.consultation, today());
    EXPECT_EQ(issue(hall.consultation, today().addDays(1)).number, 1);
    EXPECT_EQ(issue(hall.consultation, today()).number, 3);
    EXPECT_EQ(numbers(env->db, hall.consultation, QStringLiteral("2024-03-05")), QList<qint64>{1});
}

TEST_P(Numbering, PastTheEndNumberNothingIsStored)
{
    setRange(env->db, hall.lab, 101, 105);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(issue(hall.lab, today()).issued());
    const IssuedTicket refused = issue(hall.lab, today());
    EXPECT_EQ(refused.status, IssuedTicket::Status::Limit);
    EXPECT_EQ(refused.label, QStringLiteral("B106")) << "the message names the number it would have had";
    EXPECT_EQ(ticketCount(env->db), 5);
    // Numbers are not limited to 16 bits, but never pass the highest the ticket table holds.
    setRange(env->db, hall.reports, 40000, 40001);
    EXPECT_EQ(issue(hall.reports, today()).number, 40000);
    setRange(env->db, hall.consultation, numbering::highestTokenNumber, numbering::highestTokenNumber + 10);
    EXPECT_TRUE(issue(hall.consultation, today()).issued());
    EXPECT_EQ(issue(hall.consultation, today()).status, IssuedTicket::Status::Limit);
}

TEST_P(Numbering, DeletingTheHighestTicketFreesItsNumber)
{
    issue(hall.consultation, today());
    const IssuedTicket second = issue(hall.consultation, today());
    env->db.exec(QStringLiteral("delete from tblTicket where tickAuto=?"), {second.tickAuto});
    EXPECT_EQ(issue(hall.consultation, today()).number, 2);
}

TEST_P(Numbering, ADirectedTicketIsStoredWithItsTypeCounterAndTime)
{
    numbering::IssueRequest r;
    r.serviceId = hall.consultation;
    r.number = numbering::getToken(env->db, hall.consultation, today());
    r.issueDate = today();
    r.direction = {QStringLiteral("A"), hall.counter2, QStringLiteral("Dr. O'Brien"),
                   QStringLiteral("11:30")};
    const IssuedTicket t = numbering::storeTicket(env->db, env->clock, r);
    ASSERT_TRUE(t.issued());
    const ResultSet rs = env->db.query(
        QStringLiteral("select ttype, attended, status, ref, apptime, call from tblTicket where tickAuto=?"),
        {t.tickAuto});
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, 0), QStringLiteral("A"));
    EXPECT_EQ(rs.number(0, 1), hall.counter2);
    EXPECT_EQ(rs.text(0, 2), QStringLiteral("Transferred"));
    EXPECT_EQ(rs.text(0, 3), QStringLiteral("Dr. O'Brien"));
    EXPECT_EQ(rs.text(0, 4), QStringLiteral("11:30"));
    EXPECT_EQ(rs.text(0, 5), QStringLiteral("0"));
    // Without a counter the ticket is an ordinary walk-in, whatever else the direction holds.
    r.direction = {QStringLiteral("E"), 0, QStringLiteral("ignored"), QStringLiteral("11:30")};
    const IssuedTicket walkIn = numbering::storeTicket(env->db, env->clock, r);
    const ResultSet w =
        env->db.query(QStringLiteral("select ttype, attended, status, ref from tblTicket where tickAuto=?"),
                      {walkIn.tickAuto});
    EXPECT_EQ(w.text(0, 0), QStringLiteral("N"));
    EXPECT_EQ(w.number(0, 1), 0);
    EXPECT_TRUE(w.text(0, 2).isEmpty());
    EXPECT_TRUE(w.text(0, 3).isEmpty());
}

TEST_P(Numbering, LabelIsPrefixAndPlainNumber)
{
    EXPECT_EQ(numbering::tokenLabel(QStringLiteral("B"), 7), QStringLiteral("B7"));
    setRange(env->db, hall.lab, 7, 10);
    EXPECT_EQ(issue(hall.lab, today()).label, QStringLiteral("B7"));
}

TEST_P(Numbering, NumberTakenElsewhereMovesOnToTheNextFreeOne)
{
    // Both kiosks looked at the same moment and saw 1; the other one stored first.
    auto other = env->secondConnection();
    numbering::IssueRequest r;
    r.serviceId = hall.consultation;
    r.number = numbering::getToken(env->db, hall.consultation, today());
    r.issueDate = today();
    ASSERT_TRUE(numbering::storeTicket(*other, env->clock, r).issued());
    const IssuedTicket mine = numbering::storeTicket(env->db, env->clock, r);
    EXPECT_EQ(mine.number, 2);
    EXPECT_EQ(mine.label, QStringLiteral("A2"));
    EXPECT_EQ(numbers(env->db, hall.consultation, env->clock.todayText()), (QList<qint64>{1, 2}));
}

TEST_P(Numbering, EightKiosksIssuingAtOnceNeverShareANumberNorClash)
{
    const int kiosks = 8;
    const int perKiosk = 25;
    std::atomic<int> failures{0};
    const qint64 clashesBefore = numbering::numberClashes();
    const ConnectionValues values = env->session.connection;
    const QString folder = env->dir.path();
    // Half of them ask for the number they read just before (taken by another by then, often), half
    // let the issue take the day's next.
    auto worker = [&](bool readsFirst) {
        try {
            Database db;
            db.open(values, folder);
            ManualClock clock(QDateTime(QDate(2024, 3, 4), QTime(10, 15, 30)));
            for (int i = 0; i < perKiosk; ++i) {
                numbering::IssueRequest r;
                r.serviceId = hall.consultation;
                r.number = readsFirst ? numbering::getToken(db, hall.consultation, clock.today())
                                      : numbering::nextNumber;
                r.issueDate = clock.today();
                if (!numbering::storeTicket(db, clock, r).issued())
                    ++failures;
            }
        } catch (const DbError&) {
            ++failures;
        }
    };
    std::vector<std::thread> threads;
    for (int k = 0; k < kiosks; ++k)
        threads.emplace_back(worker, k % 2 == 0);
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(failures.load(), 0);
    QList<qint64> expected;
    for (int n = 1; n <= kiosks * perKiosk; ++n)
        expected.append(n);
    EXPECT_EQ(numbers(env->db, hall.consultation, env->clock.todayText()), expected);
    // The issues waited for each other: none was refused by the unique index and taken again.
    EXPECT_EQ(numbering::numberClashes(), clashesBefore);
}

TEST_P(Numbering, WithoutTheServersNumberingRoutinesTheKioskNumbersUnderTheSameRules)
{
    if (!env->db.isPostgres())
        GTEST_SKIP() << "the routines exist on PostgreSQL only";
    Database& db = env->db;
    // Gone while the connection is open, as when the hall is made again: the next number is read
    // without its routine from then on.
    db.exec(QStringLiteral("drop function brivane_token_number(bigint, text, bigint)"));
    db.exec(QStringLiteral("drop function brivane_token_next(bigint, text)"));
    db.exec(QStringLiteral("drop function ") + queuelength::issueRoutine());
    EXPECT_EQ(issue(hall.lab, today()).number, 100);
    EXPECT_EQ(issue(hall.lab, today()).label, QStringLiteral("B101"));
    // A number asked for that is taken moves on to the next free one.
    numbering::IssueRequest r;
    r.serviceId = hall.lab;
    r.number = 100;
    r.issueDate = today();
    EXPECT_EQ(numbering::storeTicket(db, env->clock, r).number, 102);
    EXPECT_EQ(numbers(db, hall.lab, env->clock.todayText()), (QList<qint64>{100, 101, 102}));
    // The queue is still counted, by the trigger alone: three walk-ins wait.
    const ResultSet lengths =
        db.query(QStringLiteral("select waiting, walkins from brivane_waiting where servauto=?"), {hall.lab});
    EXPECT_EQ(lengths.number(0, 0), 3);
    EXPECT_EQ(lengths.number(0, 1), 3);
}

TEST_P(Numbering, NowServingIsTheNewestCalledTokenOfToday)
{
    EXPECT_EQ(numbering::getNowServing(env->db, env->clock, hall.consultation), QString());
    const IssuedTicket a1 = issue(hall.consultation, today());
    const IssuedTicket a2 = issue(hall.consultation, today());
    issue(hall.consultation, today());
    env->db.update(QStringLiteral("tblTicket"), a2.tickAuto, {{QStringLiteral("call"), 1}});
    env->db.update(QStringLiteral("tblTicket"), a1.tickAuto, {{QStringLiteral("call"), 1}});
    // The most recently issued of the called ones, not the most recently called.
    EXPECT_EQ(numbering::getNowServing(env->db, env->clock, hall.consultation), QStringLiteral("A2"));
    EXPECT_EQ(numbering::getNowServing(env->db, env->clock, hall.lab), QString());
}

TEST_P(Numbering, CopiesArePrintedAfterTheRowIsStored)
{
    TicketStyle style;
    numbering::IssueRequest r;
    r.serviceId = hall.consultation;
    r.issueDate = today();

    env->session.printCopies = 2;
    r.number = numbering::getToken(env->db, hall.consultation, today());
    EXPECT_TRUE(issueAndPrint(*env->ctx, r, style, QString(), nullptr).issued());
    EXPECT_EQ(env->printers.documents, 2);
    EXPECT_EQ(ticketCount(env->db), 1);

    env->session.printCopies = 0;
    r.number = numbering::getToken(env->db, hall.consultation, today());
    EXPECT_TRUE(issueAndPrint(*env->ctx, r, style, QString(), nullptr).issued());
    EXPECT_EQ(env->printers.documents, 2);
    EXPECT_EQ(ticketCount(env->db), 2);

    // Past the end: "Limit", nothing printed or stored.
    env->session.printCopies = 1;
    setRange(env->db, hall.consultation, 1, 2);
    r.number = numbering::getToken(env->db, hall.consultation, today());
    EXPECT_FALSE(issueAndPrint(*env->ctx, r, style, QString(), nullptr).issued());
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Limit"));
    EXPECT_EQ(env->printers.documents, 2);
    EXPECT_EQ(ticketCount(env->db), 2);
}

TEST_P(Numbering, EveryPrintedTicketNamesAStoredToken)
{
    // Looks into the store each time a ticket starts printing.
    class CheckingPrinters : public Printers
    {
    public:
        CheckingPrinters(Database& db, RecordingPrinters& inner) : m_db(db), m_inner(inner) {}
        QStringList names() override { return m_inner.names(); }
        std::unique_ptr<PrintSurface> open(const QString& name) override
        {
            storedWhenPrinting.append(ticketCount(m_db));
            return m_inner.open(name);
        }
        QList<qint64> storedWhenPrinting;

    private:
        Database& m_db;
        RecordingPrinters& m_inner;
    } checking(env->db, env->printers);
    AppContext& c = *env->ctx;
    AppContext ctx{c.db,    c.settings, c.session, c.clock,   c.dialogs,    c.launcher,
                   c.sound, checking,   c.hotKeys, c.screens, c.installDir, {}};
    env->session.printCopies = 2;
    numbering::IssueRequest r;
    r.serviceId = hall.lab;
    r.number = numbering::getToken(env->db, hall.lab, today());
    r.issueDate = today();
    ASSERT_TRUE(issueAndPrint(ctx, r, TicketStyle{}, QString(), nullptr).issued());
    EXPECT_EQ(checking.storedWhenPrinting, (QList<qint64>{1, 1}));
}

TEST_P(Numbering, PrinterFailureDoesNotStopTheIssue)
{
    // A printer that cannot be opened prints nothing, and the ticket is stored all the same.
    class NoPrinters : public Printers
    {
    public:
        QStringList names() override { return {}; }
        std::unique_ptr<PrintSurface> open(const QString&) override { return nullptr; }
    } none;
    AppContext ctx = *env->ctx;
    AppContext broken{ctx.db,    ctx.settings, ctx.session, ctx.clock,   ctx.dialogs,    ctx.launcher,
                      ctx.sound, none,         ctx.hotKeys, ctx.screens, ctx.installDir, {}};
    numbering::IssueRequest r;
    r.serviceId = hall.consultation;
    r.number = 1;
    r.issueDate = today();
    EXPECT_TRUE(issueAndPrint(broken, r, TicketStyle{}, QString(), nullptr).issued());
    EXPECT_EQ(ticketCount(env->db), 1);
    EXPECT_TRUE(env->dialogs.texts().isEmpty());
}

BRIVANE_STORE_TEST_SUITE(Numbering);

} // namespace
