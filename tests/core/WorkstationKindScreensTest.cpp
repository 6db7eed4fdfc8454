#include "calling/frmCall.h"
#include "core/CommandRegistry.h"
#include "core/MDI.h"
#include "core/frmLogin.h"
#include "display/BoardUnderTest.h"
#include "display/settings/frmSettings.h"
#include "testsupport/KindLogins.h"
#include "tickets/TicketsSupport.h"
#include "tickets/frmTicketF.h"
#include "tickets/frmTransfer.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextStream>

namespace {

const QString onlyIssue = QStringLiteral("This workstation may only issue tokens");
const QString onlyServe = QStringLiteral("This workstation may only call and serve tokens");
const QString onlyShow = QStringLiteral("This workstation may only show calls");

// The program on the PCs of a hall whose workstations connect with their kind's login: each screen
// its job needs works end to end, and every other one is refused in the workstation's one sentence
// before it opens.
class WorkstationKindScreensTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        if (GetParam() == Store::Sqlite)
            GTEST_SKIP() << "an embedded hall has no kinds of workstation";
        logins = std::make_unique<KindLogins>(*env);
        if (!logins->available())
            GTEST_SKIP() << "the test server's role may not create roles";
        hall = seedHall(env->db);
        env->settings().set(QStringLiteral("Queue"), QStringLiteral("dept"), QStringLiteral("default"),
                            QStringLiteral("General"));
    }

    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        logins.reset();
        StoreTest::TearDown();
    }

    QString lastMessage() const
    {
        const QStringList texts = env->dialogs.texts();
        return texts.isEmpty() ? QString() : texts.last();
    }

    // The screen is refused before it opens, in the one sentence.
    void expectRefused(WorkstationProgram& pc, const QString& screen, const QString& sentence)
    {
        const qsizetype before = env->dialogs.texts().size();
        EXPECT_EQ(pc.screens.open(screen), nullptr) << qPrintable(screen);
        EXPECT_EQ(env->dialogs.texts().size(), before + 1) << qPrintable(screen);
        EXPECT_EQ(lastMessage(), sentence) << qPrintable(screen);
    }

    qint64 count(const QString& sql) { return env->db.query(sql).number(0, 0); }
    QString text(const QString& sql) { return env->db.query(sql).text(0, 0); }

    // A token of Consultation issued by the owner's connection.
    void issue()
    {
        QString out, err;
        QTextStream o(&out), e(&err);
        ASSERT_EQ(runCommand(*env->commands.find(QStringLiteral("issue")), *env->ctx,
                             {QStringLiteral("Consultation")}, o, e),
                  0);
    }

    std::unique_ptr<KindLogins> logins;
    Hall hall;
};

TEST_P(WorkstationKindScreensTest, AKioskIssuesFromItsScreensAndEveryOtherScreenIsRefusedBeforeItOpens)
{
    Database& db = logins->workstation(kinds::Kind::Kiosk);
    WorkstationProgram pc(*env, db);

    auto* kiosk = qobject_cast<frmTicketF*>(pc.screens.open(QStringLiteral("frmTicketF")));
    ASSERT_NE(kiosk, nullptr);
    kiosk->FG->setRow(ticketstest::rowStartingWith(kiosk->FG, QStringLiteral("Consultation")));
    kiosk->FG_Click();
    kiosk->leave();
    delete kiosk;
    EXPECT_EQ(count(QStringLiteral("select count(*) from tblTicket where no_abr='A1'")), 1);
    EXPECT_FALSE(env->printers.calls.isEmpty()) << "the ticket was not printed";
    EXPECT_NE(pc.screens.open(QStringLiteral("frmTicket")), nullptr) << "the windowed kiosk";
    // The PC's own settings open; it has no themes to offer and does not ask the server for them.
    auto* settings = qobject_cast<frmSettings*>(pc.screens.open(QStringLiteral("settings")));
    ASSERT_NE(settings, nullptr);
    EXPECT_GE(settings->cmbService->findText(QStringLiteral("Counter 2")), 0) << "the counters' names";
    EXPECT_TRUE(env->dialogs.texts().isEmpty()) << qPrintable(env->dialogs.texts().join(QLatin1Char('\n')));

    for (const char* screen : {"Servlst", "userLst", "clrTickData", "bkup", "thmLst", "deptBased", "frmCall",
                               "frmCallAdmin", "frmDisplay", "servStartNo"})
        expectRefused(pc, QString::fromLatin1(screen), onlyIssue);
    EXPECT_FALSE(pc.screens.run(QStringLiteral("newHall")));
    EXPECT_EQ(lastMessage(), onlyIssue);

    // The main window's menu items and buttons are refused the same way; the board does not start.
    MDI mdi(*pc.ctx);
    env->dialogs.clear();
    mdi.clrTickData->trigger();
    EXPECT_EQ(lastMessage(), onlyIssue);
    mdi.display_Click();
    EXPECT_EQ(lastMessage(), onlyIssue);
    EXPECT_FALSE(mdi.displayRunning());
    mdi.Command4->click();
    EXPECT_EQ(env->dialogs.texts(), QStringList(3, onlyIssue));

    // A statement the server refuses is told in the same sentence, never in the server's words:
    // directing a waiting ticket to a counter changes a ticket, which is not a kiosk's to do.
    env->dialogs.clear();
    const QString a1 = text(QStringLiteral("select tickAuto from tblTicket where no_abr='A1'"));
    auto* transfer = qobject_cast<frmTransfer*>(pc.screens.openNew(QStringLiteral("frmTransfer")));
    ASSERT_NE(transfer, nullptr);
    EXPECT_TRUE(env->dialogs.texts().isEmpty()) << "the transfer window lists the counters by name";
    ASSERT_GE(transfer->cmbService->findText(QStringLiteral("Counter 2")), 0);
    transfer->lblRef->setText(a1);
    transfer->cmbService->setCurrentText(QStringLiteral("Counter 2"));
    transfer->Command1_Click();
    EXPECT_EQ(env->dialogs.texts(), QStringList{onlyIssue});
    EXPECT_EQ(text(QStringLiteral("select attended from tblTicket where no_abr='A1'")), QStringLiteral("0"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from tblTicket")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from tblCall")), 0);

    // Its connection lost (here it ends its own session on the server), the kiosk connects again with
    // the same login and issues on, without a word of refusal.
    env->dialogs.clear();
    try {
        db.exec(QStringLiteral("select pg_terminate_backend(pg_backend_pid())"));
    } catch (const DbError&) {
    }
    kiosk = qobject_cast<frmTicketF*>(pc.screens.open(QStringLiteral("frmTicketF")));
    ASSERT_NE(kiosk, nullptr);
    kiosk->FG->setRow(ticketstest::rowStartingWith(kiosk->FG, QStringLiteral("Consultation")));
    kiosk->FG_Click();
    kiosk->leave();
    delete kiosk;
    EXPECT_EQ(count(QStringLiteral("select count(*) from tblTicket where no_abr='A2'")), 1);
    EXPECT_EQ(db.rights().kind(), WorkstationRights::Kind::Kiosk);
    EXPECT_FALSE(env->dialogs.texts().contains(onlyIssue))
        << qPrintable(env->dialogs.texts().join(QLatin1Char('\n')));

    // An operator's log-in at the kiosk is refused before any password is looked at.
    env->dialogs.clear();
    auto* login = new frmLogin(*pc.ctx);
    login->optCounter->setChecked(true);
    login->optCounter_Click();
    login->cmbCounter->setCurrentText(QStringLiteral("Counter 1"));
    login->txtUser->setText(QStringLiteral("op1"));
    login->txtPass->setText(QStringLiteral("pw"));
    EXPECT_EQ(login->Command1_Click(), nullptr);
    EXPECT_EQ(env->dialogs.texts(), QStringList{onlyIssue});
    EXPECT_EQ(pc.screens.existing(QStringLiteral("frmCall")), nullptr);
    delete login;
}

TEST_P(WorkstationKindScreensTest, ACounterCallsRecallsAndFinishesOnItsScreenAndIssuesNothing)
{
    issue();
    issue();
    Database& db = logins->workstation(kinds::Kind::Counter);
    WorkstationProgram pc(*env, db);
    Session& session = env->session;
    session.isAdmin = false;
    session.counterId = session.servingCounterId = hall.counter1;
    session.serviceId = hall.consultation;

    auto* w = qobject_cast<frmCall*>(pc.screens.open(QStringLiteral("frmCall")));
    ASSERT_NE(w, nullptr);
    w->Command2_Click(); // Next
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A1"));
    w->Timer1_Timer();
    env->db.exec(QStringLiteral("update tblCall set status1='1'"));
    w->Command1_Click(); // Recall: the boards are told again
    EXPECT_EQ(count(QStringLiteral("select count(*) from tblCall where status1='0'")), 1);
    w->Timer1_Timer();
    env->clock.setTime(QTime(9, 5));
    w->Command2_Click(); // Next finishes A1 and calls A2
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A2"));
    EXPECT_EQ(text(QStringLiteral("select finished from tblTicket where no_abr='A1'")),
              QStringLiteral("09:05:00"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from tblCall where callstamp is not null")), 2);
    EXPECT_TRUE(env->dialogs.texts().isEmpty()) << qPrintable(env->dialogs.texts().join(QLatin1Char('\n')));

    // The kiosk's, the board's and the office's screens are not the counter's (a board reads themes).
    for (const char* screen : {"frmTicketF", "frmTicket", "frmDisplay", "Servlst", "clrTickData", "userLst"})
        expectRefused(pc, QString::fromLatin1(screen), onlyServe);
    EXPECT_EQ(count(QStringLiteral("select count(*) from tblTicket")), 2);
}

TEST_P(WorkstationKindScreensTest, ABoardShowsACallAndMarksItShownAndMayDoNothingElse)
{
    issue();
    Database& counter = logins->workstation(kinds::Kind::Counter);
    Database& board = logins->workstation(kinds::Kind::Board);
    WorkstationProgram pc(*env, board);
    BoardUnderTest taking(board, *env, CallBoardEngine::Mode::Take);
    BoardUnderTest mirror(board, *env, CallBoardEngine::Mode::Follow);
    EXPECT_FALSE(taking.engine->Timer1_Timer()) << "no call yet";
    mirror.engine->Timer1_Timer();

    WorkstationProgram desk(*env, counter);
    QString out, err;
    QTextStream o(&out), e(&err);
    ASSERT_EQ(runCommand(*desk.commands.find(QStringLiteral("next")), *desk.ctx,
                         {QStringLiteral("Counter 1")}, o, e),
              0)
        << qPrintable(err);
    EXPECT_TRUE(taking.engine->Timer1_Timer());
    EXPECT_EQ(taking.shown, QStringList{QStringLiteral("A1")});
    EXPECT_EQ(text(QStringLiteral("select status1 from tblCall")), QStringLiteral("1")) << "not marked shown";
    mirror.engine->Timer1_Timer();
    EXPECT_EQ(mirror.shown, QStringList{QStringLiteral("A1")});

    for (const char* screen : {"frmTicketF", "frmCall", "Servlst", "thmLst", "clrTickData"})
        expectRefused(pc, QString::fromLatin1(screen), onlyShow);
    EXPECT_EQ(count(QStringLiteral("select count(*) from tblCall")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from tblTicket")), 1);
}

// An office login is the office: every screen opens, as on the owner's connection.
TEST_P(WorkstationKindScreensTest, AnOfficeLoginOpensEveryScreen)
{
    Database& db = logins->workstation(kinds::Kind::Office);
    WorkstationProgram pc(*env, db);
    env->session.counterId = env->session.servingCounterId = hall.counter1;
    env->session.serviceId = hall.consultation;
    for (const char* screen :
         {"frmTicketF", "frmCall", "frmCallAdmin", "Servlst", "Counter", "deptLst", "userLst", "thmLst",
          "clrTickData", "ClrCall", "bkup", "deptBased", "settings"}) {
        EXPECT_NE(pc.screens.open(QString::fromLatin1(screen)), nullptr) << screen;
        pc.screens.closeAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_FALSE(env->dialogs.texts().contains(onlyIssue) || env->dialogs.texts().contains(onlyServe) ||
                 env->dialogs.texts().contains(onlyShow));
}

} // namespace

BRIVANE_STORE_TEST_SUITE(WorkstationKindScreensTest);
