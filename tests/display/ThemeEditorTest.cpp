#include "display/ThemeRules.h"
#include "display/frmThLst.h"
#include "display/frmTheme.h"
#include "display/media/frmSelectClock.h"

#include "DisplayTestSupport.h"
#include "testsupport/TestEnv.h"
#include "ui/Grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

using namespace themeRules;

TEST(ThemeFieldRules, FieldsLeftWithBadValuesFallBack)
{
    QString cols = QStringLiteral("3"), widths;
    fixColumns(cols, widths);
    EXPECT_EQ(cols, QStringLiteral("3"));
    EXPECT_EQ(widths, QStringLiteral("2500;2500;2500"));

    cols = QStringLiteral("x");
    widths.clear();
    fixColumns(cols, widths);
    EXPECT_EQ(cols, QStringLiteral("2"));
    EXPECT_EQ(widths, QStringLiteral("2500;2500"));

    cols = QStringLiteral("3");
    widths = QStringLiteral("1000;1200");
    fixColumns(cols, widths);
    EXPECT_EQ(widths, QStringLiteral("1000;1200")) << "typed widths are kept";

    cols = QStringLiteral("99999999999999999999");
    widths.clear();
    fixColumns(cols, widths);
    EXPECT_EQ(widths.count(QLatin1Char(';')), 63) << "an absurd count fills a bounded list";

    EXPECT_EQ(fixRows(QStringLiteral("abc")), QStringLiteral("2"));
    EXPECT_EQ(fixRows(QStringLiteral("12")), QStringLiteral("12"));
    EXPECT_EQ(fixRowHeight(QString()), QStringLiteral("200"));
    EXPECT_EQ(fixRowHeight(QStringLiteral("450")), QStringLiteral("450"));
    EXPECT_EQ(fixLineWidth(QStringLiteral("0")), QStringLiteral("1"));
    EXPECT_EQ(fixLineWidth(QStringLiteral("thin")), QStringLiteral("1"));
    EXPECT_EQ(fixLineWidth(QStringLiteral("3")), QStringLiteral("3"));
    EXPECT_EQ(fixVolume(QStringLiteral("11")), QStringLiteral("5"));
    EXPECT_EQ(fixVolume(QStringLiteral("10")), QStringLiteral("10"));
    EXPECT_EQ(fixVolume(QStringLiteral("loud")), QStringLiteral("5"));
    EXPECT_EQ(fixDuration(QStringLiteral("x")), QStringLiteral("5"));
    EXPECT_EQ(fixDuration(QStringLiteral("8")), QStringLiteral("8"));
}

TEST(ThemeFieldRules, ColumnWidthsMustBeNumbersOnePerColumn)
{
    EXPECT_FALSE(chkVal(QStringLiteral("2500;2500"), QStringLiteral("3")));
    EXPECT_TRUE(chkVal(QStringLiteral("2500;2500;2500"), QStringLiteral("3")));
    EXPECT_FALSE(chkVal(QStringLiteral("2500;abc"), QStringLiteral("2")));
    EXPECT_FALSE(chkVal(QStringLiteral("2500;"), QStringLiteral("2")))
        << "an empty width would hide its column";
    EXPECT_FALSE(chkVal(QString(), QStringLiteral("1")));
    EXPECT_TRUE(chkVal(QStringLiteral("1250"), QStringLiteral("1")));
    EXPECT_FALSE(chkVal(QStringLiteral("2500;2500"), QStringLiteral("2.5")));
}

TEST(ThemeFieldRules, PipeFiltersBecomeDialogFilters)
{
    EXPECT_EQ(dialogFilter(QStringLiteral("Jpeg Files(*.jpg)|*.jpg|GIF Files(*.gif)|*.gif|*.*")),
              QStringLiteral("Jpeg Files (*.jpg);;GIF Files (*.gif);;Files (*.*)"));
    EXPECT_EQ(dialogFilter(QStringLiteral("Video Files (*.avi;*.dat;*.mpg;*.wmv)| *.avi;*.dat;*.mpg;*.wmv")),
              QStringLiteral("Video Files (*.avi *.dat *.mpg *.wmv)"));
    EXPECT_EQ(dialogFilter(QStringLiteral("Jpeg Files(*.jpg)|*.jpg|")), QStringLiteral("Jpeg Files (*.jpg)"));
}

class ThemeEditorTest : public StoreTest
{
protected:
    frmTheme* editor() { return qobject_cast<frmTheme*>(env->screens.open(QStringLiteral("frmTheme"))); }
    frmThLst* list() { return qobject_cast<frmThLst*>(env->screens.open(QStringLiteral("thmLst"))); }
    qint64 themeCount()
    {
        return env->db.query(QStringLiteral("select count(*) from tbltheme")).number(0, 0);
    }
};

TEST_P(ThemeEditorTest, SavingWritesEveryFieldAndEditingUpdatesTheSameRow)
{
    frmThLst* l = list();
    frmTheme* e = editor();
    EXPECT_EQ(e->txtColumn->text(), QStringLiteral("2"));
    // As many rows as a 1080-line board shows with labels that read from across a hall.
    EXPECT_EQ(e->txtRow->text(), QStringLiteral("8"));
    EXPECT_EQ(e->cmbType->currentText(), QStringLiteral("Vertical"));
    EXPECT_EQ(e->cmbTtlSize->count(), 30) << "2 to 50, then the sizes of a hall board";
    EXPECT_EQ(e->cmbTtlSize->itemText(29), QStringLiteral("96"));
    EXPECT_EQ(e->cmbTtlSize->itemText(0), QStringLiteral("2"));

    e->txtName->setText(QStringLiteral("Lobby's board"));
    e->txtColWidth->setText(QStringLiteral("1250;1500"));
    e->txtttl->setText(QStringLiteral("Welcome"));
    e->chkHeader->setChecked(true);
    e->Text1->setText(QStringLiteral("Token"));
    e->cmbRFsize->setCurrentText(QStringLiteral("40"));
    frmTheme::setSwatchColor(e->lblARClr, 65280);
    e->cmbType->setCurrentIndex(1);
    e->txtTime->setText(QStringLiteral("9"));
    e->cmdSave_Click();

    EXPECT_TRUE(env->dialogs.texts().isEmpty()) << env->dialogs.last().toStdString();
    EXPECT_FALSE(e->isVisible()) << "a saved editor is hidden";
    ASSERT_EQ(themeCount(), 1);
    const ResultSet rs = env->db.query(QStringLiteral("select * from tbltheme"));
    EXPECT_EQ(rs.text(0, QStringLiteral("themename")), QStringLiteral("Lobby's board"));
    EXPECT_EQ(rs.number(0, QStringLiteral("colums")), 2);
    EXPECT_EQ(rs.number(0, QStringLiteral("rows")), 8);
    EXPECT_EQ(rs.text(0, QStringLiteral("colwidth")), QStringLiteral("1250;1500"));
    EXPECT_EQ(rs.number(0, QStringLiteral("sizecrr")), 40);
    EXPECT_EQ(rs.number(0, QStringLiteral("altcolr")), 65280);
    EXPECT_EQ(rs.number(0, QStringLiteral("enableH")), 1);
    EXPECT_EQ(rs.number(0, QStringLiteral("scroll")), 0);
    EXPECT_EQ(rs.text(0, QStringLiteral("type")), QStringLiteral("Horrizontal"));
    EXPECT_EQ(rs.text(0, QStringLiteral("tformat")), QStringLiteral("dd-MMM-yyyy HH:mm"));
    EXPECT_EQ(env->settings().get(QStringLiteral("Queue"), QStringLiteral("Pic"), QStringLiteral("Duration")),
              QStringLiteral("9"));
    ASSERT_EQ(l->FG->rows(), 2) << "the list was refilled";
    EXPECT_EQ(l->FG->text(1, 3), QStringLiteral("Lobby's board"));
    EXPECT_EQ(l->FG->text(1, 2), QStringLiteral("Horrizontal"));

    // Edit: the list loads the row into the editor, which then updates it.
    l->FG->setRow(1);
    l->Command2_Click();
    e = editor();
    EXPECT_EQ(e->lblRef->text(), rs.text(0, 0));
    EXPECT_FALSE(e->cmbType->isEnabled());
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Token"));
    EXPECT_EQ(frmTheme::swatchColor(e->lblARClr), 65280);
    EXPECT_TRUE(e->chkHeader->isChecked());
    e->txtRow->setText(QStringLiteral("8"));
    e->cmdSave_Click();
    EXPECT_EQ(themeCount(), 1);
    EXPECT_EQ(env->db.query(QStringLiteral("select rows from tbltheme")).number(0, 0), 8);

    // Add New keeps what the editor shows and only forgets the key: saving inserts a copy.
    l->Command1_Click();
    e = editor();
    EXPECT_TRUE(e->lblRef->text().isEmpty());
    EXPECT_EQ(e->txtRow->text(), QStringLiteral("8"));
    e->cmdSave_Click();
    EXPECT_EQ(themeCount(), 2);
    EXPECT_EQ(env->db
                  .query(QStringLiteral("select count(*) from tbltheme where rows=8 and themename=?"),
                         {QStringLiteral("Lobby's board")})
                  .number(0, 0),
              2);
}

TEST_P(ThemeEditorTest, BadWidthsAndAMissingNameStopTheSave)
{
    frmTheme* e = editor();
    e->txtName->setText(QStringLiteral("Hall"));
    e->txtColumn->setText(QStringLiteral("3"));
    e->txtColWidth->setText(QStringLiteral("2500;2500"));
    e->txtTime->setText(QStringLiteral("7"));
    e->cmdSave_Click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Please Enter a valid colum widths"));
    EXPECT_EQ(themeCount(), 0);
    EXPECT_TRUE(e->isVisible());
    EXPECT_EQ(env->settings().get(QStringLiteral("Queue"), QStringLiteral("Pic"), QStringLiteral("Duration")),
              QStringLiteral("7"))
        << "the duration is saved before any check";

    e->txtColWidth->setText(QStringLiteral("2500;2500;2500"));
    e->txtName->clear();
    e->cmdSave_Click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Please select a name"));
    EXPECT_EQ(themeCount(), 0);

    // A value the store cannot take is reported and nothing is lost from the editor.
    e->txtName->setText(QStringLiteral("Hall"));
    e->txtRow->setText(QStringLiteral("many"));
    e->cmdSave_Click();
    EXPECT_EQ(themeCount(), 0);
    EXPECT_TRUE(e->isVisible());
    EXPECT_EQ(e->txtName->text(), QStringLiteral("Hall"));
    EXPECT_TRUE(e->lblRef->text().isEmpty());
}

TEST_P(ThemeEditorTest, ColumnWidthSaysItsFormatAndANewThemeSavesWithItsDefault)
{
    frmTheme* e = editor();
    // The field starts with widths for the two initial columns, and says what it takes.
    EXPECT_EQ(e->txtColWidth->text(), QStringLiteral("2500;2500"));
    EXPECT_TRUE(e->txtColWidth->toolTip().contains(QStringLiteral("separated by \";\"")));
    auto* hint = e->findChild<QLabel*>(QStringLiteral("lblColWidthHint"));
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->text().contains(QStringLiteral("2500;2500")));
    // A new user changes only the name and the columns: the default follows the columns and saves.
    e->show();
    e->txtName->setText(QStringLiteral("First"));
    e->txtColumn->setText(QStringLiteral("3"));
    e->txtColumn_LostFocus();
    EXPECT_EQ(e->txtColWidth->text(), QStringLiteral("2500;2500;2500"));
    e->cmdSave_Click();
    EXPECT_TRUE(env->dialogs.shown().isEmpty()) << env->dialogs.last().toStdString();
    ASSERT_EQ(themeCount(), 1);
    EXPECT_EQ(env->db.query(QStringLiteral("select colwidth from tbltheme")).text(0, 0),
              QStringLiteral("2500;2500;2500"));

    // Widths typed by hand are the user's: they are checked, never replaced.
    e->lblRef->clear();
    e->txtName->setText(QStringLiteral("Second"));
    e->txtColWidth->setText(QStringLiteral("3000;2000"));
    e->txtColumn_LostFocus();
    EXPECT_EQ(e->txtColWidth->text(), QStringLiteral("3000;2000"));
    e->cmdSave_Click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Please Enter a valid colum widths"));
    // An emptied field gets the default for the columns at Save.
    e->txtColWidth->clear();
    e->cmdSave_Click();
    EXPECT_EQ(themeCount(), 2);
}

TEST_P(ThemeEditorTest, FieldsAreCorrectedWhenLeftAndFileAndColourFieldsWork)
{
    frmTheme* e = editor();
    e->show();
    e->txtColumn->setText(QStringLiteral("3"));
    e->txtColumn_LostFocus();
    EXPECT_EQ(e->txtColWidth->text(), QStringLiteral("2500;2500;2500"));
    e->txtVol->setText(QStringLiteral("11"));
    e->txtVol_LostFocus();
    EXPECT_EQ(e->txtVol->text(), QStringLiteral("5"));
    e->tblLine->setText(QStringLiteral("0"));
    e->tblLine_LostFocus();
    EXPECT_EQ(e->tblLine->text(), QStringLiteral("1"));

    env->dialogs.setNextFileName(QStringLiteral("/pictures/logo.jpg"));
    e->cmdLogo->click();
    EXPECT_EQ(e->txtlogo->text(), QStringLiteral("/pictures/logo.jpg"));
    QTest::keyClick(e->txtlogo, Qt::Key_Delete);
    EXPECT_TRUE(e->txtlogo->text().isEmpty());
    e->cmdLogo->click(); // cancelled: nothing changes
    EXPECT_TRUE(e->txtlogo->text().isEmpty());

    env->dialogs.setNextColor(QColor(255, 0, 0));
    QTest::mouseClick(e->lblBG, Qt::LeftButton);
    EXPECT_EQ(frmTheme::swatchColor(e->lblBG), 255);
    env->dialogs.setNextColor(std::nullopt);
    QTest::mouseClick(e->lblBG, Qt::LeftButton);
    EXPECT_EQ(frmTheme::swatchColor(e->lblBG), 255) << "cancelling keeps the colour";

    e->cmbHFont->setCurrentText(QStringLiteral("Liberation Serif"));
    EXPECT_EQ(e->cmbHFont->font().family(), QStringLiteral("Liberation Serif"));

    EXPECT_TRUE(e->cmdPosition->isEnabled()) << "the layout designer opens from here";
    ASSERT_TRUE(e->cmdClock->isEnabled());
    QDir().mkpath(env->path(QStringLiteral("files/clock")));
    QFile::copy(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("files/clock/modern.svg")),
        env->path(QStringLiteral("files/clock/modern.svg")));
    QTest::mouseClick(e->cmdClock, Qt::LeftButton);
    auto* picker = e->findChild<frmSelectClock*>();
    ASSERT_NE(picker, nullptr) << "Select Clock opens the clock picker";
    ASSERT_EQ(picker->lstClock->count(), 1);
    picker->lstClock->setCurrentRow(0);
    picker->select();
    EXPECT_EQ(e->txtFormat->text(), QStringLiteral("modern.svg"));
    e->close();
}

TEST_P(ThemeEditorTest, DeletingAsksAndLeavesTheLayoutRow)
{
    const qint64 keep = addTheme(env->db, {{QStringLiteral("themename"), QStringLiteral("Keep")}});
    const qint64 gone = addTheme(env->db, {{QStringLiteral("themename"), QStringLiteral("Gone")}});
    env->db.insert(QStringLiteral("tblpos"),
                   {{QStringLiteral("themeauto"), gone}, {QStringLiteral("mewidth"), 100}});
    frmThLst* l = list();
    ASSERT_EQ(l->FG->rows(), 3);
    EXPECT_TRUE(l->FG->isColumnHidden(0));
    EXPECT_EQ(l->FG->text(0, 3), QStringLiteral("Template Name"));

    l->FG->setRow(2);
    env->dialogs.setNextAnswer(Dialogs::Answer::No);
    l->Command3_Click();
    EXPECT_EQ(themeCount(), 2);
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Do you want to delete the selected "));

    l->FG->setRow(2);
    env->dialogs.setNextAnswer(Dialogs::Answer::Yes);
    l->Command3_Click();
    EXPECT_EQ(themeCount(), 1);
    EXPECT_EQ(env->db.query(QStringLiteral("select themeauto from tbltheme")).number(0, 0), keep);
    EXPECT_EQ(
        env->db.query(QStringLiteral("select count(*) from tblpos where themeauto=?"), {gone}).number(0, 0),
        1);
    EXPECT_EQ(l->FG->rows(), 2);
}

TEST_P(ThemeEditorTest, SavingAThemeDeletedMeanwhileSaysSoAndKeepsTheEdits)
{
    const qint64 id = addTheme(env->db, {{QStringLiteral("themename"), QStringLiteral("Lobby")}});
    frmThLst* l = list();
    ASSERT_EQ(l->FG->rows(), 2);
    l->FG->setRow(1);
    l->Command2_Click();
    frmTheme* e = editor();
    e->show();
    ASSERT_EQ(e->lblRef->text(), QString::number(id));

    // Another workstation deletes the theme while it is being edited here.
    env->secondConnection()->exec(QStringLiteral("delete from tbltheme where themeauto=?"), {id});
    e->txtttl->setText(QStringLiteral("Edited title"));
    e->cmdSave_Click();

    ASSERT_EQ(env->dialogs.texts().size(), 1);
    EXPECT_TRUE(env->dialogs.last().contains(QStringLiteral("\"Lobby\" has been deleted meanwhile")))
        << env->dialogs.last().toStdString();
    EXPECT_EQ(themeCount(), 0) << "nothing is made anew behind the user's back";
    EXPECT_TRUE(e->isVisible()) << "the editor stays open with what was typed";
    EXPECT_EQ(e->txtttl->text(), QStringLiteral("Edited title"));
    EXPECT_EQ(l->FG->rows(), 1) << "the list no longer offers the deleted theme";

    // The way the message names: Add New keeps the fields, and Save then stores them as a new theme.
    l->Command1_Click();
    editor()->cmdSave_Click();
    EXPECT_FALSE(e->isVisible());
    ASSERT_EQ(themeCount(), 1);
    EXPECT_EQ(env->db.query(QStringLiteral("select ttlname from tbltheme")).text(0, 0),
              QStringLiteral("Edited title"));
}

BRIVANE_STORE_TEST_SUITE(ThemeEditorTest);

} // namespace

#include "core/Lookups.h"
#include "display/BoardTheme.h"
#include "display/frmDisplay.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QTimer>

#include <cmath>

namespace {

// Contrast of two colours as readers see it: 1 for equal colours, 21 for black on white.
double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

TEST(ThemeToBoard, ANewThemeSavedWithoutChoosingAnyColourGivesAReadableBoard)
{
    TestEnv env;
    auto* e = qobject_cast<frmTheme*>(env.screens.open(QStringLiteral("frmTheme")));
    e->txtName->setText(QStringLiteral("Plain"));
    e->txtColumn_LostFocus(); // the widths for the two columns
    e->chkHeader->setChecked(true);
    e->Text1->setText(QStringLiteral("Token"));
    e->Text2->setText(QStringLiteral("Counter"));
    e->txtttl->setText(QStringLiteral("Welcome"));
    const bool shots = qEnvironmentVariableIsSet("BRIVANE_SHOTS");
    if (shots)
        e->grab().save(qEnvironmentVariable("BRIVANE_SHOTS") + QStringLiteral("/theme-editor-new.png"));
    e->cmdSave_Click();
    ASSERT_TRUE(env.dialogs.texts().isEmpty()) << env.dialogs.last().toStdString();

    const BoardTheme t = loadBoardTheme(env.db, lookups::themeIdByName(env.db, QStringLiteral("Plain")));
    ASSERT_TRUE(t.found);
    const QColor newsText = Qt::black; // the news editor's colour for a message
    const struct
    {
        const char* what;
        QColor text, back;
    } pairs[] = {
        {"title on the screen", t.titleColor, t.screenBg},
        {"clock on the screen", t.timeColor, t.screenBg},
        {"header captions", t.headerFore, t.headerBg},
        {"token on an even row", t.tokenColor, t.tableBg},
        {"token on an odd row", t.tokenColor, t.altColor},
        {"caption on an even row", t.valueColor, t.tableBg},
        {"caption on an odd row", t.valueColor, t.altColor},
        {"news on its band", newsText, t.newsBg},
    };
    for (const auto& p : pairs)
        EXPECT_GE(contrast(p.text, p.back), 4.5)
            << p.what << ": " << p.text.name().toStdString() << " on " << p.back.name().toStdString();
    EXPECT_GE(contrast(t.lineColor, t.tableBg), 2.0) << "grid lines show on the table";
    EXPECT_NE(t.altColor, t.tableBg) << "alternate rows can be told apart";
    EXPECT_NE(t.screenBg, t.tableBg) << "the table stands out from the screen";
    for (double size : {t.titleSize, t.timeSize, t.headerSize, t.tokenSize, t.valueSize})
        EXPECT_GE(size, 20) << "a font size a hall can read";
    EXPECT_EQ(t.tokenFont, QStringLiteral("Liberation Sans")) << "the program's stand-in for Arial";

    // The board draws the token in the first cell readably too.
    env.session.themeId = lookups::themeIdByName(env.db, QStringLiteral("Plain"));
    auto* board = qobject_cast<frmDisplay*>(env.screens.openNew(QStringLiteral("frmDisplay")));
    board->Timer1->stop();
    EXPECT_GE(contrast(board->FG->cellForeColor(1, 1), board->FG->cellBackColor(1, 1)), 4.5);
    if (shots) {
        addCall(env.db, 1, QStringLiteral("A001"), QStringLiteral("Counter 1"), env.clock.todayText());
        board->Timer1_Timer();
        board->grab().save(qEnvironmentVariable("BRIVANE_SHOTS") + QStringLiteral("/board-new-theme.png"));
    }
    board->close();
}

TEST(ThemeEditorColours, ClosingTheEditorDiscardsChosenColoursAndTheNextOneStartsWithTheDefaults)
{
    TestEnv env;
    auto* e = qobject_cast<frmTheme*>(env.screens.open(QStringLiteral("frmTheme")));
    const qint64 tableBack = frmTheme::swatchColor(e->lblBGClr);
    const qint64 tokenText = frmTheme::swatchColor(e->lblRFcolor);
    EXPECT_NE(tableBack, tokenText);
    frmTheme::setSwatchColor(e->lblBGClr, tokenText);
    e->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    e = qobject_cast<frmTheme*>(env.screens.open(QStringLiteral("frmTheme")));
    EXPECT_EQ(frmTheme::swatchColor(e->lblBGClr), tableBack);
    e->close();
}

TEST(ThemeEditorClockPreview, ThePreviewShowsTheBoardsClockTextAndFollowsTyping)
{
    TestEnv env;
    env.clock.set(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
    auto* e = qobject_cast<frmTheme*>(env.screens.open(QStringLiteral("frmTheme")));
    e->show();
    EXPECT_EQ(e->lblTimePreview->text(), QStringLiteral("05-Mar-2024 14:07"));

    // An older-style format, typed a key at a time: the preview reads each step as the board would.
    e->txtTformat->clear();
    EXPECT_EQ(e->lblTimePreview->text(), QStringLiteral("05-Mar-2024 14:07")) << "empty: the board's own";
    QTest::keyClicks(e->txtTformat, QStringLiteral("dd/mm"));
    EXPECT_EQ(e->lblTimePreview->text(), QStringLiteral("05/03")) << "m after the day is the month";
    QTest::keyClicks(e->txtTformat, QStringLiteral("/yyyy hh:nn"));
    EXPECT_EQ(e->lblTimePreview->text(), QStringLiteral("05/03/2024 14:07"));
    QTest::keyClicks(e->txtTformat, QStringLiteral(" AM/PM"));
    EXPECT_EQ(e->lblTimePreview->text(), QStringLiteral("05/03/2024 02:07 PM")) << "AM/PM makes hh 12-hour";

    // The board, dressed from the saved theme, shows the same text.
    e->txtName->setText(QStringLiteral("Clock"));
    e->txtColWidth->setText(QStringLiteral("2500;2500"));
    e->chktime->setChecked(true);
    const QString preview = e->lblTimePreview->text();
    e->cmdSave_Click();
    ASSERT_TRUE(env.dialogs.texts().isEmpty()) << env.dialogs.last().toStdString();
    env.session.themeId = lookups::themeIdByName(env.db, QStringLiteral("Clock"));
    auto* board = qobject_cast<frmDisplay*>(env.screens.openNew(QStringLiteral("frmDisplay")));
    board->Timer1->stop();
    board->Timer3_Timer();
    EXPECT_EQ(board->lblTime->text(), preview);
    board->close();
}

TEST(ThemeToBoard, AThemeMadeInTheEditorDressesTheBoardAtItsNextStart)
{
    TestEnv env;
    auto* e = qobject_cast<frmTheme*>(env.screens.open(QStringLiteral("frmTheme")));
    e->txtName->setText(QStringLiteral("Blue"));
    e->txtColumn->setText(QStringLiteral("3"));
    e->txtColWidth->setText(QStringLiteral("1000;2000;2000"));
    e->txtRow->setText(QStringLiteral("5"));
    e->chkHeader->setChecked(true);
    e->Text1->setText(QStringLiteral("Ticket"));
    e->Text2->setText(QStringLiteral("Desk"));
    e->txtttl->setText(QStringLiteral("Blue hall"));
    frmTheme::setSwatchColor(e->lblARClr, 0xff0000);   // blue
    frmTheme::setSwatchColor(e->lblRFcolor, 0x00ffff); // yellow
    e->cmdSave_Click();
    ASSERT_TRUE(env.dialogs.texts().isEmpty());

    env.session.themeId = lookups::themeIdByName(env.db, QStringLiteral("Blue"));
    ASSERT_NE(env.session.themeId, 0);
    auto* board = qobject_cast<frmDisplay*>(env.screens.openNew(QStringLiteral("frmDisplay")));
    board->Timer1->stop();
    EXPECT_EQ(board->FG->cols(), 4);
    EXPECT_EQ(board->FG->rows(), 6);
    // The columns share the table's width as 1000, 2000 and 2000 do.
    EXPECT_NEAR(board->FG->columnWidth(1) * 2.0, double(board->FG->columnWidth(3)), 2.0);
    EXPECT_EQ(board->FG->columnWidth(1) + board->FG->columnWidth(2) + board->FG->columnWidth(3),
              board->FG->width());
    EXPECT_EQ(board->FG->text(0, 1), QStringLiteral("Ticket"));
    EXPECT_EQ(board->FG->text(0, 3), QStringLiteral("Desk"));
    EXPECT_EQ(colorNumber::fromColor(board->FG->cellBackColor(1, 1)), 0xff0000);
    EXPECT_EQ(colorNumber::fromColor(board->FG->cellForeColor(3, 1)), 0x00ffff);
    EXPECT_EQ(board->lblTtl->text(), QStringLiteral("Blue hall"));
    board->close();
}

} // namespace
