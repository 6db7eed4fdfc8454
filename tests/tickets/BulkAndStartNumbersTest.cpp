#include "TicketsSupport.h"

#include "core/CommandRegistry.h"
#include "core/ScreenRegistry.h"
#include "core/Session.h"
#include "tickets/Numbering.h"
#include "tickets/frmBulk.h"
#include "tickets/frmServNo.h"
#include "tickets/frmTicket.h"
#include "ui/Grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace ticketstest;

namespace {

class Bulk : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        env->clock.set(QDateTime(QDate(2024, 3, 4), QTime(8, 0)));
        bulk = qobject_cast<frmBulk*>(env->screens.open(QStringLiteral("bulk")));
        ASSERT_NE(bulk, nullptr);
    }

    void pick(const QString& service)
    {
        bulk->cmbCounter->setCurrentIndex(bulk->cmbCounter->findText(service));
        bulk->cmbCounter_Click();
    }

    Hall hall;
    frmBulk* bulk = nullptr;
};

TEST_P(Bulk, OffersWalkInServicesOnly)
{
    EXPECT_EQ(bulk->windowTitle(), QStringLiteral("Print Bulk Token"));
    QStringList offered;
    for (int i = 0; i < bulk->cmbCounter->count(); ++i)
        offered.append(bulk->cmbCounter->itemText(i));
    offered.sort();
    EXPECT_EQ(offered, (QStringList{QStringLiteral("Consultation"), QStringLiteral("Lab")}));
    EXPECT_EQ(bulk->txtCount->text(), QStringLiteral("10"));
}

TEST_P(Bulk, RunOfTenFromTheStartNumber)
{
    pick(QStringLiteral("Consultation"));
    EXPECT_EQ(bulk->lblCurrent->text(), QStringLiteral("1"));
    QTest::mouseClick(bulk->cmdPrint, Qt::LeftButton);
    EXPECT_EQ(env->dialogs.texts(), QStringList{QStringLiteral("Do you want to print 10 Tokens? ")});
    QList<qint64> expected;
    for (int n = 1; n <= 10; ++n)
        expected.append(n);
    EXPECT_EQ(numbers(env->db, hall.consultation, env->clock.todayText()), expected);
    EXPECT_EQ(env->printers.documents, 10);
    const ResultSet rs = env->db.query(QStringLiteral("select ttype, call, apptime from tblTicket"));
    EXPECT_EQ(rs.text(0, 0), QStringLiteral("N"));
    EXPECT_EQ(rs.text(0, 1), QStringLiteral("0"));
    EXPECT_EQ(rs.text(0, 2), QStringLiteral("08:00"));
    // The starting number stays until the service is picked again.
    EXPECT_EQ(bulk->lblCurrent->text(), QStringLiteral("1"));
    pick(QStringLiteral("Consultation"));
    EXPECT_EQ(bulk->lblCurrent->text(), QStringLiteral("11"));
}

TEST_P(Bulk, LimitInTheMiddleOfARun)
{
    setRange(env->db, hall.consultation, 3, 5);
    pick(QStringLiteral("Consultation"));
    EXPECT_EQ(bulk->lblCurrent->text(), QStringLiteral("3"));
    bulk->txtCount->setText(QStringLiteral("5"));
    env->dialogs.setNextAnswer(Dialogs::Answer::Yes);
    bulk->cmdPrint_Click();
    EXPECT_EQ(env->dialogs.texts(), (QStringList{QStringLiteral("Do you want to print 5 Tokens? "),
                                                 QStringLiteral("Limit"), QStringLiteral("Limit")}));
    EXPECT_EQ(numbers(env->db, hall.consultation, env->clock.todayText()), (QList<qint64>{3, 4, 5}));
    EXPECT_EQ(env->printers.documents, 3);
}

TEST_P(Bulk, TokensOvertakenByAKioskTakeTheNextFreeNumbers)
{
    pick(QStringLiteral("Lab"));
    EXPECT_EQ(bulk->lblCurrent->text(), QStringLiteral("100"));
    // Between picking and printing, another kiosk issues 100 and 101.
    auto kiosk = env->secondConnection();
    for (int i = 0; i < 2; ++i) {
        numbering::IssueRequest r;
        r.serviceId = hall.lab;
        r.number = numbering::getToken(*kiosk, hall.lab, env->clock.today());
        r.issueDate = env->clock.today();
        ASSERT_TRUE(numbering::storeTicket(*kiosk, env->clock, r).issued());
    }
    bulk->txtCount->setText(QStringLiteral("3"));
    bulk->cmdPrint_Click();
    EXPECT_EQ(numbers(env->db, hall.lab, env->clock.todayText()), (QList<qint64>{100, 101, 102, 103, 104}));
    // Printing the same run again never repeats a number either.
    bulk->cmdPrint_Click();
    EXPECT_EQ(numbers(env->db, hall.lab, env->clock.todayText()).size(), 8);
    EXPECT_EQ(numbers(env->db, hall.lab, env->clock.todayText()).last(), 107);
}

TEST_P(Bulk, CountFieldAndRefusals)
{
    QTest::keyClicks(bulk->txtCount, QStringLiteral("x"));
    EXPECT_EQ(bulk->txtCount->text(), QStringLiteral("1"));
    bulk->txtCount->setText(QString());
    EXPECT_EQ(bulk->txtCount->text(), QStringLiteral("1"));
    bulk->txtCount->setText(QStringLiteral("0"));
    bulk->cmdPrint_Click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Cannot Continue"));
    // Nothing picked yet.
    bulk->txtCount->setText(QStringLiteral("2"));
    bulk->cmdPrint_Click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Please select a service "));
    // No answers No.
    pick(QStringLiteral("Lab"));
    env->dialogs.setNextAnswer(Dialogs::Answer::No);
    QTest::keyClick(bulk->txtCount, Qt::Key_Return);
    EXPECT_EQ(ticketCount(env->db), 0);
    // The service was renamed after it was picked: one refusal, not one message per token.
    env->db.update(QStringLiteral("tblService"), hall.lab,
                   {{QStringLiteral("servName"), QStringLiteral("Lab 2")}});
    env->dialogs.clear();
    env->dialogs.setNextAnswer(Dialogs::Answer::Yes);
    bulk->cmdPrint_Click();
    EXPECT_EQ(env->dialogs.texts().count(QStringLiteral("Please select a service ")), 1);
    EXPECT_EQ(ticketCount(env->db), 0);
}

TEST_P(Bulk, TokensAreDatedLikeTheWindowedKioskAndSaySo)
{
    EXPECT_EQ(bulk->lblDate->text(), QStringLiteral("04-03-2024"));
    // Today's Lab tokens run to 104; the 6th has none yet.
    setRange(env->db, hall.lab, 100, 199);
    env->db.insert(QStringLiteral("tblTicket"), {{QStringLiteral("servAuto"), hall.lab},
                                                 {QStringLiteral("tickNo"), 104},
                                                 {QStringLiteral("tickDate"), QStringLiteral("2024-03-04")},
                                                 {QStringLiteral("call"), 0},
                                                 {QStringLiteral("no_abr"), QStringLiteral("B104")}});
    auto* kiosk = qobject_cast<frmTicket*>(env->screens.open(QStringLiteral("frmTicket")));
    kiosk->DT->setDate(QDate(2024, 3, 6));
    pick(QStringLiteral("Lab"));
    // The screen shows the day it stores under, and numbers the run among that day's tokens.
    EXPECT_EQ(bulk->lblDate->text(), QStringLiteral("06-03-2024"));
    EXPECT_EQ(bulk->lblCurrent->text(), QStringLiteral("100"));
    bulk->txtCount->setText(QStringLiteral("2"));
    env->dialogs.setNextAnswer(Dialogs::Answer::Yes);
    bulk->cmdPrint_Click();
    EXPECT_EQ(numbers(env->db, hall.lab, QStringLiteral("2024-03-06")), (QList<qint64>{100, 101}));
    // The windowed layout, with the service's name and the day the tokens are for.
    const QStringList texts = printedTexts(env->printers);
    EXPECT_EQ(texts.count(QStringLiteral("Lab")), 2);
    EXPECT_EQ(texts.count(ticketDateTimeText(QDateTime(QDate(2024, 3, 6), QTime(8, 0)))), 2);
    EXPECT_EQ(texts.count(ticketDateTimeText(env->clock.now())), 0);
}

TEST_P(Bulk, BulkTokensCarryTheirPageCodesAndEstimatesWithoutShowingThem)
{
    env->settings().set(QStringLiteral("queue"), QStringLiteral("web"), QStringLiteral("address"),
                        QStringLiteral("http://10.0.0.5:8080"));
    for (int i = 0; i < 4; ++i)
        env->db.insert(QStringLiteral("tblTicket"),
                       {{QStringLiteral("servAuto"), hall.consultation},
                        {QStringLiteral("tickNo"), 1 + i},
                        {QStringLiteral("tickDate"), QStringLiteral("2024-03-03")},
                        {QStringLiteral("call"), QStringLiteral("1")},
                        {QStringLiteral("attended"), hall.counter1},
                        {QStringLiteral("attTime"), QStringLiteral("09:10:00")},
                        {QStringLiteral("finished"), QStringLiteral("09:14:00")},
                        {QStringLiteral("ttype"), QStringLiteral("N")}});
    pick(QStringLiteral("Consultation"));
    bulk->txtCount->setText(QStringLiteral("3"));
    QTest::mouseClick(bulk->cmdPrint, Qt::LeftButton);
    // Two counters, 4 minutes each (R = 2): the third has two ahead, (2·4 + 2) / 2 = 5 minutes.
    const ResultSet rs = env->db.query(
        QStringLiteral("select webcode, estwait from tblTicket where tickDate='2024-03-04' order by tickNo"));
    ASSERT_EQ(rs.size(), 3);
    EXPECT_EQ(rs.number(2, 1), 5);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(rs.text(r, 0).size(), 26);
    EXPECT_EQ(printedTexts(env->printers).count(QStringLiteral("Estimated wait : about 5 minutes")), 1);
    EXPECT_FALSE(printed(env->printers, QStringLiteral("rect")).isEmpty());
    EXPECT_TRUE(bulk->findChildren<QWidget*>(QStringLiteral("TokenOnScreen")).isEmpty());
}

BRIVANE_STORE_TEST_SUITE(Bulk);

class StartNumbers : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        env->clock.set(QDateTime(QDate(2024, 3, 4), QTime(8, 0)));
        list = qobject_cast<frmServNo*>(env->screens.open(QStringLiteral("servStartNo")));
        ASSERT_NE(list, nullptr);
    }

    frmSerNo* add(const QString& service, const QDate& date, const QString& number)
    {
        QTest::mouseClick(list->cmdAdd, Qt::LeftButton);
        auto* form = qobject_cast<frmSerNo*>(env->screens.existing(QStringLiteral("frmSerNo")));
        form->cmbServ->setCurrentIndex(form->cmbServ->findText(service));
        form->DT->setDate(date);
        form->txtNo->setText(number);
        form->chkActive->setChecked(true);
        form->cmdSave_Click();
        return form;
    }

    Hall hall;
    frmServNo* list = nullptr;
};

TEST_P(StartNumbers, OneEntryPerServiceAndDate)
{
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Set Service Starting No."));
    frmSerNo* form = add(QStringLiteral("Lab"), QDate(2024, 3, 4), QStringLiteral("150"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Set Service No"));
    EXPECT_FALSE(form->isVisible());
    form = add(QStringLiteral("Lab"), QDate(2024, 3, 4), QStringLiteral("160"));
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Contains same date entry"));
    EXPECT_TRUE(form->isVisible());
    env->dialogs.clear();
    form = add(QStringLiteral("Lab"), QDate(2024, 3, 5), QStringLiteral("170"));
    EXPECT_TRUE(env->dialogs.texts().isEmpty());
    EXPECT_EQ(env->db.query(QStringLiteral("select count(*) from tblServiceNo")).number(0, 0), 2);

    // The list shows the rows of the chosen date.
    list->addFG();
    ASSERT_EQ(list->FG->rows(), 2);
    EXPECT_EQ(list->FG->text(1, 1), QStringLiteral("1"));
    EXPECT_EQ(list->FG->text(1, 2), QStringLiteral("Lab"));
    EXPECT_EQ(list->FG->text(1, 3), QStringLiteral("2024-03-04"));
    EXPECT_EQ(list->FG->text(1, 4), QStringLiteral("150"));
    EXPECT_EQ(list->FG->text(1, 5), QStringLiteral("1"));
    list->DT->setDate(QDate(2024, 3, 5));
    EXPECT_EQ(list->FG->text(1, 4), QStringLiteral("170"));

    // Start numbers kept here do not change what the kiosks issue.
    EXPECT_EQ(numbering::getToken(env->db, hall.lab, QDate(2024, 3, 4)), 100);
}

TEST_P(StartNumbers, EditingMayMoveOntoAnotherDate)
{
    add(QStringLiteral("Lab"), QDate(2024, 3, 4), QStringLiteral("150"));
    add(QStringLiteral("Lab"), QDate(2024, 3, 5), QStringLiteral("170"));
    list->DT->setDate(QDate(2024, 3, 5));
    list->FG->setRow(1);
    list->FG_DblClick();
    auto* form = qobject_cast<frmSerNo*>(env->screens.existing(QStringLiteral("frmSerNo")));
    ASSERT_TRUE(form && form->isVisible());
    EXPECT_FALSE(form->lblRef->text().isEmpty());
    EXPECT_EQ(form->cmbServ->currentText(), QStringLiteral("Lab"));
    EXPECT_EQ(form->DT->date(), QDate(2024, 3, 5));
    EXPECT_EQ(form->txtNo->text(), QStringLiteral("170"));
    EXPECT_TRUE(form->chkActive->isChecked());
    form->DT->setDate(QDate(2024, 3, 4));
    form->chkActive->setChecked(false);
    form->cmdSave_Click();
    EXPECT_FALSE(form->isVisible());
    const ResultSet rs = env->db.query(
        QStringLiteral("select sno, active from tblServiceNo where sdate='2024-03-04' order by sno"));
    ASSERT_EQ(rs.size(), 2);
    EXPECT_EQ(rs.text(1, 1), QStringLiteral("0"));
}

TEST_P(StartNumbers, RefusesWithoutServiceAndTurnsTextIntoZero)
{
    frmSerNo* form = add(QString(), QDate(2024, 3, 4), QStringLiteral("5"));
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Please select a service "));
    form->txtNo->setText(QStringLiteral("abc"));
    form->txtNo_LostFocus();
    EXPECT_EQ(form->txtNo->text(), QStringLiteral("0"));
    form->cmbServ->setCurrentIndex(form->cmbServ->findText(QStringLiteral("Lab")));
    form->txtNo->setText(QStringLiteral("twelve"));
    form->cmdSave_Click();
    EXPECT_EQ(env->db.query(QStringLiteral("select sno from tblServiceNo")).number(0, 0), 0);
}

TEST_P(StartNumbers, ARowOfAServiceMadeInactiveCanStillBeEdited)
{
    add(QStringLiteral("Lab"), QDate(2024, 3, 4), QStringLiteral("150"));
    env->db.update(QStringLiteral("tblService"), hall.lab, {{QStringLiteral("active"), 0}});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the closed form goes
    list->addFG();
    list->FG->setRow(1);
    list->FG_DblClick();
    auto* form = qobject_cast<frmSerNo*>(env->screens.existing(QStringLiteral("frmSerNo")));
    ASSERT_TRUE(form && form->isVisible());
    EXPECT_EQ(form->cmbServ->currentText(), QStringLiteral("Lab"));
    form->txtNo->setText(QStringLiteral("155"));
    env->dialogs.clear();
    form->cmdSave_Click();
    EXPECT_TRUE(env->dialogs.texts().isEmpty());
    EXPECT_EQ(env->db.query(QStringLiteral("select sno, servAuto from tblServiceNo")).number(0, 0), 155);
    // A new row is still offered only the active services, whether the form is opened anew ...
    QTest::mouseClick(list->cmdAdd, Qt::LeftButton);
    form = qobject_cast<frmSerNo*>(env->screens.existing(QStringLiteral("frmSerNo")));
    EXPECT_EQ(form->cmbServ->findText(QStringLiteral("Lab")), -1);
    // ... or Add comes while the form still shows the row.
    list->FG_DblClick();
    QTest::mouseClick(list->cmdAdd, Qt::LeftButton);
    form = qobject_cast<frmSerNo*>(env->screens.existing(QStringLiteral("frmSerNo")));
    EXPECT_EQ(form->cmbServ->findText(QStringLiteral("Lab")), -1);
}

BRIVANE_STORE_TEST_SUITE(StartNumbers);

class IssueCommand : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
    }
    int run(const QStringList& args)
    {
        out.clear();
        err.clear();
        QTextStream o(&out);
        QTextStream e(&err);
        const CommandRegistry::Command* c = env->commands.find(QStringLiteral("issue"));
        return c ? c->run(*env->ctx, args, o, e) : -1;
    }
    Hall hall;
    QString out;
    QString err;
};

TEST_P(IssueCommand, PrintsTheLabelAndRefusesPastTheEnd)
{
    setRange(env->db, hall.lab, 198, 199);
    EXPECT_EQ(run({QStringLiteral("Lab")}), 0);
    EXPECT_EQ(out.trimmed(), QStringLiteral("B198"));
    EXPECT_EQ(run({QStringLiteral("Lab"), QStringLiteral("--date"), QStringLiteral("2024-02-01")}), 0);
    EXPECT_EQ(out.trimmed(), QStringLiteral("B198"));
    EXPECT_EQ(run({QStringLiteral("Lab")}), 0);
    EXPECT_EQ(out.trimmed(), QStringLiteral("B199"));
    EXPECT_EQ(run({QStringLiteral("Lab")}), 1);
    EXPECT_EQ(err.trimmed(), QStringLiteral("Limit"));
    EXPECT_EQ(numbers(env->db, hall.lab, QStringLiteral("2024-02-01")), QList<qint64>{198});
    EXPECT_EQ(run({QStringLiteral("Nothing")}), 1);
    // Only a day of the calendar, written yyyy-MM-dd, numbers a ticket: nothing is stored otherwise.
    for (const QString& notADay :
         {QStringLiteral("01-02-2024"), QStringLiteral("-2024-02-01"), QStringLiteral("2024-02-30"),
          QStringLiteral("20240-02-01"), QStringLiteral("+2024-02-01"), QString()})
        EXPECT_EQ(run({QStringLiteral("Lab"), QStringLiteral("--date"), notADay}), 2)
            << notADay.toStdString();
    EXPECT_EQ(ticketCount(env->db), 3);
    EXPECT_EQ(run({}), 2);
}

BRIVANE_STORE_TEST_SUITE(IssueCommand);

} // namespace
