#include "core/Lookups.h"
#include "core/ModuleSettingsSave.h"
#include "display/settings/KioskDepartmentList.h"
#include "display/settings/frmSettings.h"
#include "display/voice/vs.h"
#include "testsupport/OtherProgram.h"
#include "testsupport/TestEnv.h"
#include "tickets/TicketPrint.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <limits>

namespace {

QString get(TestEnv& env, const char* app, const char* section, const char* key)
{
    return env.settings().get(QLatin1String(app), QLatin1String(section), QLatin1String(key),
                              QStringLiteral("<absent>"));
}

QStringList items(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// The lists come in the store's order, which neither store promises.
QStringList sortedItems(const QComboBox* box)
{
    QStringList out = items(box);
    out.sort();
    return out;
}

qint64 addTheme(Database& db, const QString& name)
{
    return db.insert(QStringLiteral("tbltheme"), {{QStringLiteral("themename"), name}});
}

void leave(QLineEdit* box)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &out);
}

bool settingsWindowExists()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QWidgetList all = QApplication::topLevelWidgets();
    for (QWidget* w : all) {
        if (qobject_cast<frmSettings*>(w))
            return true;
    }
    return false;
}

} // namespace

class SettingsScreen : public StoreTest
{
};

TEST_P(SettingsScreen, FreshWorkstationShowsTheDefaultsAndTheHallsOnlyThemeAndSavesNothingUnchanged)
{
    TestEnv& e = *env;
    seedHall(e.db);
    e.db.insert(QStringLiteral("tblDept"),
                {{QStringLiteral("deptName"), QStringLiteral("Closed Wing")}, {QStringLiteral("active"), 0}});
    e.db.insert(QStringLiteral("tblCounter"),
                {{QStringLiteral("contName"), QStringLiteral("Counter 9")}, {QStringLiteral("active"), 0}});
    addTheme(e.db, QStringLiteral("Blue"));

    QWidget* screen = e.screens.open(QStringLiteral("settings"));
    auto* form = qobject_cast<frmSettings*>(screen);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Settings"));
    // The hall's only theme, which the board of a workstation that never chose one uses.
    EXPECT_EQ(form->findChild<QComboBox*>(QStringLiteral("cmbTheme"))->currentText(), QStringLiteral("Blue"));
    EXPECT_EQ(form->cmbCut->currentText(), QStringLiteral("F"));
    EXPECT_EQ(form->cmbScreen->currentText(), QStringLiteral("Single"));
    EXPECT_EQ(form->cmbTicket->currentText(), QStringLiteral("Normal"));
    EXPECT_EQ(form->cmbDept->currentText(), QString());
    EXPECT_EQ(form->cmbService->currentText(), QString());
    EXPECT_EQ(form->cmbPrinter->currentText(), QString());
    EXPECT_EQ(form->txtPrint->text(), QStringLiteral("1"));
    EXPECT_EQ(form->txtRHeight->text(), QStringLiteral("500"));
    EXPECT_EQ(form->txtSpeed->text(), QStringLiteral("30"));
    EXPECT_EQ(form->txtVoice1->text(), QStringLiteral("english|ding|token|*|please|roomno|#"));
    EXPECT_EQ(form->txtVoice2->text(), QStringLiteral("hindi|ding|token|*|please|roomno|#|go"));
    EXPECT_EQ(items(form->cmbAnnounce),
              (QStringList{QStringLiteral("Both Languages"), QStringLiteral("First Language Only"),
                           QStringLiteral("Off")}));
    EXPECT_EQ(form->cmbAnnounce->currentText(), QStringLiteral("Both Languages"));
    EXPECT_FALSE(form->chkAuto->isChecked());
    EXPECT_FALSE(form->chkMulti->isChecked());
    EXPECT_FALSE(form->chkEnable->isChecked());
    EXPECT_FALSE(form->cmbSource->isEnabled());
    EXPECT_EQ(form->cmbSource->currentIndex(), -1);

    // Lists: every department (inactive too), the active counters' names, themes, printers.
    EXPECT_EQ(
        sortedItems(form->cmbDept),
        QStringList({QStringLiteral("Casualty"), QStringLiteral("Closed Wing"), QStringLiteral("General"),
                     QStringLiteral("Reports Desk"), QStringLiteral("Specialists")}));
    EXPECT_EQ(
        sortedItems(form->cmbService),
        QStringList({QStringLiteral("Counter 1"), QStringLiteral("Counter 2"), QStringLiteral("Counter 3")}));
    EXPECT_EQ(items(form->cmbTheme), QStringList({QStringLiteral("Blue")}));
    EXPECT_EQ(items(form->cmbPrinter),
              QStringList({QStringLiteral("Test Printer"), QStringLiteral("PDF files in a folder…")}));

    // Nothing was changed, so nothing is written: the readers' defaults are the screen's.
    e.session.themeId = 77;
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(e.dialogs.texts().isEmpty());
    EXPECT_TRUE(QSettings(e.settings().fileName(), QSettings::IniFormat).allKeys().isEmpty());
    EXPECT_EQ(e.session.themeId, lookups::themeIdByName(e.db, QStringLiteral("Blue")));
}

TEST_P(SettingsScreen, WithSeveralThemesNoneIsShownChosenUntilOneIsAndNeverANameTheHallLacks)
{
    TestEnv& e = *env;
    const qint64 hall = addTheme(e.db, QStringLiteral("Hall Board"));
    const qint64 blue = addTheme(e.db, QStringLiteral("Blue's"));
    // A name an earlier version stored by default.
    e.settings().set(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("theme"),
                     QStringLiteral("Black H"));

    frmSettings fresh(*e.ctx);
    fresh.show();
    EXPECT_EQ(fresh.cmbTheme->currentIndex(), -1);
    EXPECT_EQ(fresh.cmbTheme->currentText(), QString());
    EXPECT_FALSE(fresh.cmbTheme->isEditable());
    EXPECT_EQ(items(fresh.cmbTheme), (QStringList{QStringLiteral("Hall Board"), QStringLiteral("Blue's")}));
    QTest::mouseClick(fresh.Command1, Qt::LeftButton);
    EXPECT_EQ(e.dialogs.texts(), QStringList{QStringLiteral("Cannot Save Please select a Theme")});
    EXPECT_TRUE(fresh.isVisible());

    fresh.cmbTheme->setCurrentIndex(fresh.cmbTheme->findText(QStringLiteral("Blue's")));
    QTest::mouseClick(fresh.Command1, Qt::LeftButton);
    EXPECT_FALSE(fresh.isVisible());
    EXPECT_EQ(get(e, "Queue", "theme", "theme"), QStringLiteral("Blue's"));
    EXPECT_EQ(e.session.themeId, blue);

    frmSettings chosen(*e.ctx);
    EXPECT_EQ(chosen.cmbTheme->currentText(), QStringLiteral("Blue's"));

    // The chosen theme is deleted: with one theme left, that one is shown and used.
    e.db.exec(QStringLiteral("delete from tbltheme where themeauto=?"), {blue});
    frmSettings onlyOne(*e.ctx);
    EXPECT_EQ(onlyOne.cmbTheme->currentText(), QStringLiteral("Hall Board"));
    onlyOne.Command1_Click();
    EXPECT_EQ(e.session.themeId, hall);
}

TEST_P(SettingsScreen, LogInAndPrintTicketSaveWithoutShowingTheScreen)
{
    TestEnv& e = *env;
    addTheme(e.db, QStringLiteral("Black H"));
    const qint64 blue = addTheme(e.db, QStringLiteral("Blue"));
    Settings& s = e.settings();
    s.set(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("theme"), QStringLiteral("Blue"));
    s.set(QStringLiteral("queue"), QStringLiteral("scroll"), QStringLiteral("speed"), QStringLiteral("45"));
    s.set(QStringLiteral("queue"), QStringLiteral("print"), QStringLiteral("nos"), QStringLiteral("2"));
    s.set(QStringLiteral("queue"), QStringLiteral("scroll"), QStringLiteral("vsFormat2"),
          QStringLiteral("tamil|*"));

    const QStringList keysBefore = QSettings(s.fileName(), QSettings::IniFormat).allKeys();

    performModuleSettingsSave(*e.ctx);

    EXPECT_EQ(e.session.themeId, blue);
    EXPECT_EQ(e.session.scrollSpeed, 45);
    EXPECT_EQ(e.session.printCopies, 2);
    // Nobody changed anything: nothing is written, not even the screen's defaults.
    EXPECT_EQ(QSettings(s.fileName(), QSettings::IniFormat).allKeys(), keysBefore);
    EXPECT_EQ(get(e, "queue", "scroll", "vsFormat2"), QStringLiteral("tamil|*"));
    EXPECT_TRUE(e.dialogs.texts().isEmpty());
    EXPECT_FALSE(settingsWindowExists());

    // Several themes and none chosen: the values are taken all the same, with no theme and no message.
    s.set(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("theme"), QStringLiteral("Gone"));
    performModuleSettingsSave(*e.ctx);
    EXPECT_EQ(e.session.themeId, 0);
    EXPECT_TRUE(e.dialogs.texts().isEmpty());
}

BRIVANE_STORE_TEST_SUITE(SettingsScreen);

TEST(Settings, EveryValueIsSavedAndShownAgain)
{
    TestEnv env;
    seedHall(env.db);
    addTheme(env.db, QStringLiteral("Hall"));
    env.printers.printerNames = {QStringLiteral("Front Desk"), QStringLiteral("Kiosk 2")};

    frmSettings form(*env.ctx);
    form.chkAuto->setChecked(true);
    form.cmbDept->setEditText(QStringLiteral("Reports Desk"));
    EXPECT_EQ(form.cmbTheme->currentText(), QStringLiteral("Hall"));
    form.cmbScreen->setCurrentIndex(1);
    form.cmbCut->setCurrentIndex(1);
    form.cmbTicket->setCurrentIndex(1);
    form.cmbService->setCurrentIndex(2);
    form.txtPrint->setText(QStringLiteral("3"));
    form.cmbPrinter->setCurrentIndex(1);
    form.txtRHeight->setText(QStringLiteral("620"));
    form.txtSpeed->setText(QStringLiteral("12"));
    form.txtVoice1->setText(QStringLiteral("english|token|*"));
    form.txtVoice2->setText(QStringLiteral("hindi|#|go"));
    form.chkEnable->setChecked(true);
    form.cmbSource->addItems({QStringLiteral("Camera A"), QStringLiteral("Camera B")});
    form.cmbSource->setCurrentIndex(1);
    form.Command1_Click();

    EXPECT_EQ(get(env, "Queue", "Display", "Auto"), QStringLiteral("1"));
    EXPECT_EQ(get(env, "Queue", "theme", "screen"), QStringLiteral("Dual"));
    EXPECT_EQ(get(env, "Queue", "theme", "cut"), QStringLiteral("Partial"));
    EXPECT_EQ(get(env, "queue", "Ticket", "screen"), QStringLiteral("Full Screen"));
    EXPECT_EQ(get(env, "queue", "Ticket", "transfer"), QStringLiteral("Counter 3"));
    EXPECT_EQ(get(env, "queue", "printer", "name"), QStringLiteral("Kiosk 2"));
    EXPECT_EQ(get(env, "queue", "printer", "row"), QStringLiteral("620"));
    EXPECT_EQ(get(env, "queue", "scroll", "vsFormat2"), QStringLiteral("hindi|#|go"));
    EXPECT_EQ(get(env, "Queue", "Video", "VideoIn"), QStringLiteral("1"));
    EXPECT_EQ(get(env, "Queue", "Video", "Source"), QStringLiteral("1"));
    EXPECT_EQ(env.session.printCopies, 3);
    EXPECT_EQ(env.session.scrollSpeed, 12);
    EXPECT_EQ(env.session.themeId, lookups::themeIdByName(env.db, QStringLiteral("Hall")));

    frmSettings again(*env.ctx);
    EXPECT_TRUE(again.chkAuto->isChecked());
    EXPECT_EQ(again.cmbDept->currentText(), QStringLiteral("Reports Desk"));
    EXPECT_EQ(again.cmbTheme->currentText(), QStringLiteral("Hall"));
    EXPECT_EQ(again.cmbScreen->currentText(), QStringLiteral("Dual"));
    EXPECT_EQ(again.cmbCut->currentText(), QStringLiteral("Partial"));
    EXPECT_EQ(again.cmbTicket->currentText(), QStringLiteral("Full Screen"));
    EXPECT_EQ(again.cmbService->currentText(), QStringLiteral("Counter 3"));
    EXPECT_EQ(again.txtPrint->text(), QStringLiteral("3"));
    EXPECT_EQ(again.cmbPrinter->currentText(), QStringLiteral("Kiosk 2"));
    EXPECT_EQ(again.txtRHeight->text(), QStringLiteral("620"));
    EXPECT_EQ(again.txtSpeed->text(), QStringLiteral("12"));
    EXPECT_EQ(again.txtVoice1->text(), QStringLiteral("english|token|*"));
    EXPECT_EQ(again.txtVoice2->text(), QStringLiteral("hindi|#|go"));
    EXPECT_TRUE(again.chkEnable->isChecked());
    EXPECT_TRUE(again.cmbSource->isEnabled());
    // The stored position is shown only when the machine has that many inputs.
    EXPECT_EQ(again.cmbSource->currentIndex(), again.cmbSource->count() > 1 ? 1 : -1);

    // A printer that is no longer installed is still shown as stored.
    env.printers.printerNames = {QStringLiteral("Front Desk")};
    frmSettings later(*env.ctx);
    EXPECT_EQ(later.cmbPrinter->currentText(), QStringLiteral("Kiosk 2"));
}

TEST(Settings, TextsThatAreNotNumbersBecomeTheDefaults)
{
    TestEnv env;
    addTheme(env.db, QStringLiteral("Hall"));
    frmSettings form(*env.ctx);
    form.show();

    form.txtPrint->setText(QStringLiteral("two"));
    leave(form.txtPrint);
    EXPECT_EQ(form.txtPrint->text(), QStringLiteral("1"));
    form.txtPrint->setText(QStringLiteral(" 4 "));
    leave(form.txtPrint);
    EXPECT_EQ(form.txtPrint->text(), QStringLiteral(" 4 "));

    form.txtRHeight->setText(QStringLiteral("tall"));
    form.txtSpeed->setText(QStringLiteral("fast"));
    env.session.scrollSpeed = 5;
    form.Command1_Click();
    EXPECT_EQ(form.txtRHeight->text(), QStringLiteral("500"));
    // Back to what was shown, so not written: the readers take the same defaults.
    EXPECT_EQ(get(env, "queue", "printer", "row"), QStringLiteral("<absent>"));
    EXPECT_EQ(get(env, "queue", "scroll", "speed"), QStringLiteral("<absent>"));
    EXPECT_EQ(env.session.scrollSpeed, 30);
    EXPECT_EQ(env.session.printCopies, 4);

    // A Save that comes without the box being left (log-in, Print Ticket) applies its rule too.
    env.settings().set(QStringLiteral("queue"), QStringLiteral("print"), QStringLiteral("nos"),
                       QStringLiteral("many"));
    frmSettings huge(*env.ctx);
    huge.txtSpeed->setText(QStringLiteral("1e300"));
    huge.Command1_Click();
    EXPECT_EQ(get(env, "queue", "print", "nos"), QStringLiteral("1"));
    EXPECT_EQ(env.session.printCopies, 1);
    EXPECT_EQ(env.session.scrollSpeed, std::numeric_limits<int>::max());
}

TEST(Settings, SaveWithoutAThemeKeepsWhatWasStoredBefore)
{
    TestEnv env;
    Settings& s = env.settings();
    s.set(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("cut"), QStringLiteral("Partial"));
    s.set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
          QStringLiteral("Full Screen"));
    s.set(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("theme"), QStringLiteral("Old"));
    env.session.themeId = 9;
    env.session.scrollSpeed = 9;

    frmSettings form(*env.ctx);
    form.show();
    form.chkAuto->setChecked(true);
    form.cmbDept->setEditText(QStringLiteral("General"));
    form.cmbCut->setEditText(QStringLiteral("Full"));
    form.cmbTicket->setEditText(QStringLiteral("Normal"));
    form.txtSpeed->setText(QStringLiteral("slow"));
    // "Old" is no theme of this hall, so none is shown chosen.
    EXPECT_EQ(form.cmbTheme->currentText(), QString());
    QTest::mouseClick(form.Command1, Qt::LeftButton);

    EXPECT_EQ(env.dialogs.texts(), QStringList({QStringLiteral("Cannot Save Please select a Theme")}));
    EXPECT_TRUE(form.isVisible());
    // Stored before the check: auto start, default department, scroll speed (back to what was shown,
    // so not written).
    EXPECT_EQ(get(env, "Queue", "Display", "Auto"), QStringLiteral("1"));
    EXPECT_EQ(get(env, "Queue", "dept", "default"), QStringLiteral("General"));
    EXPECT_EQ(get(env, "queue", "scroll", "speed"), QStringLiteral("<absent>"));
    // Nothing after it.
    EXPECT_EQ(get(env, "Queue", "theme", "cut"), QStringLiteral("Partial"));
    EXPECT_EQ(get(env, "queue", "Ticket", "screen"), QStringLiteral("Full Screen"));
    EXPECT_EQ(get(env, "Queue", "theme", "theme"), QStringLiteral("Old"));
    EXPECT_EQ(get(env, "queue", "print", "nos"), QStringLiteral("<absent>"));
    EXPECT_EQ(env.session.themeId, 9);
    EXPECT_EQ(env.session.scrollSpeed, 9);
}

// A full-screen kiosk without a default department offers the hall's Walk-In and Report departments,
// so Full Screen is stored as chosen. The other departments it offers are ticked in a list of the
// hall's departments; a Save that leaves the list as it was writes nothing for it.
TEST(Settings, FullScreenKioskTakesMoreDepartmentsBesideTheDefaultOne)
{
    TestEnv env;
    seedHall(env.db);
    addTheme(env.db, QStringLiteral("Hall"));
    {
        frmSettings form(*env.ctx);
        form.show();
        form.cmbTheme->setEditText(QStringLiteral("Hall"));
        form.cmbTicket->setEditText(QStringLiteral("Full Screen"));
        form.cmbDept->setEditText(QString());
        ASSERT_EQ(form.lstKioskDepts->count(), 4);
        EXPECT_EQ(form.lstKioskDepts->item(1)->text(), QStringLiteral("Reports Desk (Report)"));
        QTest::mouseClick(form.Command1, Qt::LeftButton);
        EXPECT_TRUE(env.dialogs.texts().isEmpty()) << env.dialogs.last().toStdString();
        EXPECT_EQ(get(env, "queue", "Ticket", "screen"), QStringLiteral("Full Screen"));
        EXPECT_EQ(get(env, "Queue", "dept", "kiosk"), QStringLiteral("<absent>"));
    }
    {
        frmSettings form(*env.ctx);
        form.show();
        form.cmbDept->setEditText(QStringLiteral("General"));
        form.lstKioskDepts->item(1)->setCheckState(Qt::Checked);
        form.lstKioskDepts->item(3)->setCheckState(Qt::Checked);
        QTest::mouseClick(form.Command1, Qt::LeftButton);
        EXPECT_EQ(get(env, "Queue", "dept", "default"), QStringLiteral("General"));
        EXPECT_EQ(get(env, "Queue", "dept", "kiosk"), QStringLiteral("Reports Desk;Casualty"));
    }
    // Written elsewhere meanwhile; a Save that did not touch the list leaves it as it is.
    frmSettings form(*env.ctx);
    EXPECT_EQ(form.lstKioskDepts->ticked(),
              (QStringList{QStringLiteral("Reports Desk"), QStringLiteral("Casualty")}));
    env.settings().set(QStringLiteral("Queue"), QStringLiteral("dept"), QStringLiteral("kiosk"),
                       QStringLiteral("Specialists"));
    form.show();
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    EXPECT_EQ(get(env, "Queue", "dept", "kiosk"), QStringLiteral("Specialists"));
}

TEST(Settings, MultiColumnsAreStoredAtOnceAndCloseDoesNotSave)
{
    TestEnv env;
    QWidget* screen = env.screens.open(QStringLiteral("settings"));
    ASSERT_NE(screen, nullptr);
    auto* multi = screen->findChild<QCheckBox*>(QStringLiteral("chkMulti"));
    ASSERT_NE(multi, nullptr);
    // On the box itself: the check box row is wider than its box and caption.
    QTest::mouseClick(multi, Qt::LeftButton, {}, QPoint(8, multi->height() / 2));
    EXPECT_EQ(get(env, "q", "multi", "caption"), QStringLiteral("1"));

    screen->findChild<QLineEdit*>(QStringLiteral("txtSpeed"))->setText(QStringLiteral("99"));
    QTest::mouseClick(screen->findChild<QPushButton*>(QStringLiteral("Command3")), Qt::LeftButton);
    EXPECT_FALSE(settingsWindowExists());
    EXPECT_EQ(get(env, "queue", "scroll", "speed"), QStringLiteral("<absent>"));

    auto* again = qobject_cast<frmSettings*>(env.screens.open(QStringLiteral("settings")));
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->chkMulti->isChecked());
    QTest::mouseClick(again->chkMulti, Qt::LeftButton, {}, QPoint(8, again->chkMulti->height() / 2));
    EXPECT_EQ(get(env, "q", "multi", "caption"), QStringLiteral("0"));
}

TEST(Settings, EnableInputEnablesTheSourceList)
{
    TestEnv env;
    frmSettings form(*env.ctx);
    form.show();
    EXPECT_FALSE(form.cmbSource->isEnabled());
    QTest::mouseClick(form.chkEnable, Qt::LeftButton);
    EXPECT_TRUE(form.cmbSource->isEnabled());
    QTest::mouseClick(form.chkEnable, Qt::LeftButton);
    EXPECT_FALSE(form.cmbSource->isEnabled());
    // Only Save stores it.
    EXPECT_EQ(get(env, "Queue", "Video", "VideoIn"), QStringLiteral("<absent>"));

    // An input chosen earlier that this machine does not have now is not forgotten by a Save.
    addTheme(env.db, QStringLiteral("Hall"));
    env.settings().set(QStringLiteral("Queue"), QStringLiteral("Video"), QStringLiteral("Source"),
                       qint64(999));
    frmSettings unplugged(*env.ctx);
    EXPECT_EQ(unplugged.cmbSource->currentIndex(), -1);
    unplugged.chkAuto->setChecked(true);
    unplugged.Command1_Click();
    EXPECT_EQ(get(env, "Queue", "Display", "Auto"), QStringLiteral("1"));
    EXPECT_EQ(get(env, "Queue", "Video", "Source"), QStringLiteral("999"));
}

TEST(Settings, APrinterOrAFolderForPdfFilesIsChosenAndNoPlaceholderIsStored)
{
    TestEnv env;
    addTheme(env.db, QStringLiteral("Hall"));
    env.printers.printerNames.clear();
    // What an earlier version stored on a machine without printers.
    env.settings().set(QStringLiteral("queue"), QStringLiteral("printer"), QStringLiteral("name"),
                       QStringLiteral("(No Printer Installed)"));
    const QString folder = env.path(QStringLiteral("tickets"));
    ASSERT_TRUE(QDir().mkpath(folder));

    frmSettings form(*env.ctx);
    form.show();
    EXPECT_EQ(items(form.cmbPrinter), QStringList{QStringLiteral("PDF files in a folder…")});
    // The list's description is the box's placeholder, never its text.
    EXPECT_EQ(form.cmbPrinter->currentText(), QString());
    EXPECT_EQ(form.cmbPrinter->lineEdit()->placeholderText(), QStringLiteral("(No Printer Installed)"));

    // The folder entry asks for the folder; cancelling keeps what was shown.
    form.cmbPrinter->setFocus();
    env.dialogs.setNextFileName(QString());
    QTest::keyClick(form.cmbPrinter, Qt::Key_Down);
    EXPECT_EQ(form.cmbPrinter->currentText(), QString());
    env.dialogs.setNextFileName(folder);
    QTest::keyClick(form.cmbPrinter, Qt::Key_Down);
    EXPECT_EQ(form.cmbPrinter->currentText(), folder);
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    EXPECT_EQ(get(env, "queue", "printer", "name"), folder);

    // The kiosk writes its tickets there.
    EXPECT_EQ(ticketPrinterName(*env.ctx), folder);

    // With printers installed they come first, and a typed placeholder text is not a printer.
    env.printers.printerNames = {QStringLiteral("Front Desk")};
    frmSettings again(*env.ctx);
    EXPECT_EQ(items(again.cmbPrinter),
              (QStringList{QStringLiteral("Front Desk"), QStringLiteral("PDF files in a folder…")}));
    EXPECT_EQ(again.cmbPrinter->currentText(), folder);
    again.cmbPrinter->setEditText(QStringLiteral("(No Printer Installed)"));
    again.Command1_Click();
    EXPECT_EQ(get(env, "queue", "printer", "name"), folder);
}

TEST(Settings, ASaveKeepsWhatAnotherProgramWroteWhileTheScreenWasOpen)
{
    TestEnv env;
    addTheme(env.db, QStringLiteral("Hall"));
    Settings& s = env.settings();
    s.set(QStringLiteral("queue"), QStringLiteral("printer"), QStringLiteral("name"), QStringLiteral("Old"));
    s.set(QStringLiteral("queue"), QStringLiteral("scroll"), QStringLiteral("speed"), QStringLiteral("30"));

    frmSettings form(*env.ctx);
    form.show();
    EXPECT_EQ(form.cmbPrinter->currentText(), QStringLiteral("Old"));

    // brivane-ctl setting (another process) names a folder while the screen is open.
    const QString folder = env.path(QStringLiteral("tickets"));
    setAsAnotherProgram(s.fileName(), QStringLiteral("queue"), QStringLiteral("printer"),
                        QStringLiteral("name"), folder);
    EXPECT_EQ(s.get(QStringLiteral("queue"), QStringLiteral("printer"), QStringLiteral("name")), folder);

    // The user changes another setting and saves.
    form.txtSpeed->setText(QStringLiteral("45"));
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(get(env, "queue", "scroll", "speed"), QStringLiteral("45"));
    EXPECT_EQ(get(env, "queue", "printer", "name"), folder);
    EXPECT_EQ(
        QSettings(s.fileName(), QSettings::IniFormat).value(QStringLiteral("queue/printer/name")).toString(),
        folder);
    EXPECT_EQ(env.session.scrollSpeed, 45);

    frmSettings reopened(*env.ctx);
    EXPECT_EQ(reopened.cmbPrinter->currentText(), folder);
}

TEST(Settings, TestButtonsSpeakTheTemplatesFromTheirFolders)
{
    TestEnv env;
    frmSettings form(*env.ctx);
    form.show();
    const QString english = env.dir.path() + QStringLiteral("/vs/english/");
    const QString hindi = env.dir.path() + QStringLiteral("/vs/hindi/");

    QTest::mouseClick(form.Command2, Qt::LeftButton);
    EXPECT_EQ(env.sound.played,
              QStringList({english + QStringLiteral("ding"), english + QStringLiteral("token"),
                           english + QStringLiteral("12.wav"), english + QStringLiteral("please"),
                           english + QStringLiteral("roomno"), english + QStringLiteral("12.wav")}));

    env.sound.played.clear();
    QTest::mouseClick(form.Command4, Qt::LeftButton);
    EXPECT_EQ(env.sound.played,
              QStringList({hindi + QStringLiteral("ding"), hindi + QStringLiteral("token"),
                           hindi + QStringLiteral("12.wav"), hindi + QStringLiteral("please"),
                           hindi + QStringLiteral("roomno"), hindi + QStringLiteral("12.wav"),
                           hindi + QStringLiteral("go")}));

    // The box's current text is spoken, unsaved; element 0 picks the folder for either button.
    env.sound.played.clear();
    form.txtVoice1->setText(QStringLiteral("hindi|#"));
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    EXPECT_EQ(env.sound.played, QStringList({hindi + QStringLiteral("12.wav")}));
    EXPECT_TRUE(form.Command2->isEnabled());
    EXPECT_TRUE(form.Command4->isEnabled());
    EXPECT_EQ(get(env, "queue", "scroll", "vsFormat1"), QStringLiteral("<absent>"));
}
