#include "content/RtfText.h"
#include "content/frmEditor.h"
#include "content/frmScroll.h"
#include "testsupport/TestEnv.h"
#include "ui/Grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

namespace {

// A message as an earlier version stored it: one run in one font, size and colour.
const QString OldStoredMessage = QStringLiteral(
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Courier;}}"
    "{\\colortbl ;\\red0\\green128\\blue0;}\n\\viewkind4\\uc1\\pard\\cf1\\f0\\fs48 Old text\\par\n}");

} // namespace

namespace {

QStringList column(const Grid* fg, int col)
{
    QStringList out;
    for (int r = 1; r < fg->rows(); ++r)
        out << fg->text(r, col);
    return out;
}

} // namespace

class NewsEditor : public StoreTest
{
protected:
    frmScroll* list()
    {
        auto* w = qobject_cast<frmScroll*>(env->screens.open(QStringLiteral("scrollnews")));
        EXPECT_NE(w, nullptr);
        return w;
    }
    frmEditor* editor()
    {
        return qobject_cast<frmEditor*>(env->screens.existing(QStringLiteral("frmEditor")));
    }
    bool editorOpen() { return editor() && editor()->isVisible(); }
    int rowCount()
    {
        return int(env->db.query(QStringLiteral("select count(*) from tblscroll")).number(0, 0));
    }
};

TEST_P(NewsEditor, AddNewStoresTheMessageAndRefreshesTheList)
{
    env->settings().set(QStringLiteral("display"), QStringLiteral("scroll"), QStringLiteral("speed"), 40);
    frmScroll* w = list();
    ASSERT_TRUE(w);
    QTest::mouseClick(w->Command4, Qt::LeftButton);
    frmEditor* e = editor();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->windowTitle(), " Scroll Editor.");
    EXPECT_FALSE(e->editMode());
    EXPECT_EQ(e->cmbSpeed->currentText(), "40");
    EXPECT_EQ(e->cmbDir->currentText(), "Left");
    EXPECT_EQ(e->Combo1->currentText(), "Arial");
    EXPECT_EQ(e->Combo2->currentText(), "20");

    // Both boxes empty: nothing stored, the editor stays.
    EXPECT_FALSE(e->saveMessage());
    EXPECT_TRUE(editorOpen());
    EXPECT_EQ(rowCount(), 0);

    QTest::keyClicks(e->RichTextBox1, QStringLiteral("Closed 25/12 <b>a</b>"));
    e->chkActive->setChecked(true);
    e->cmbDir->setCurrentText(QStringLiteral("Right"));
    e->cmbSpeed->setCurrentText(QStringLiteral("70"));
    ASSERT_TRUE(e->saveMessage());
    EXPECT_FALSE(editorOpen());

    const ResultSet rs = env->db.query(QStringLiteral("select * from tblscroll"));
    ASSERT_EQ(rs.size(), 1);
    // Kept as written: the board shows it as plain text.
    EXPECT_EQ(rs.text(0, "message"), "Closed 25/12 <b>a</b>");
    EXPECT_EQ(rtf::plainText(rs.text(0, "msgrtf")), "Closed 25/12 <b>a</b>");
    EXPECT_EQ(rs.text(0, "msgrtf"), rs.text(0, "msgrtf2"));
    EXPECT_EQ(rs.text(0, "active"), "1");
    EXPECT_EQ(rs.text(0, "font"), "Arial");
    EXPECT_EQ(rs.number(0, "size"), 20);
    EXPECT_EQ(rs.number(0, "color"), 0);
    EXPECT_EQ(rs.text(0, "direction"), "Right");
    EXPECT_EQ(
        env->settings().get(QStringLiteral("display"), QStringLiteral("scroll"), QStringLiteral("speed"), {}),
        "70");
    EXPECT_EQ(column(w->FG, 2), (QStringList{"Closed 25/12 <b>a</b>"}));
    EXPECT_EQ(column(w->FG, 4), (QStringList{"Right"}));
}

TEST_P(NewsEditor, UnicodeOnlyMessageTakesTheSwatchColour)
{
    frmScroll* w = list();
    ASSERT_TRUE(w);
    w->Command4_Click();
    frmEditor* e = editor();
    ASSERT_TRUE(e);
    env->dialogs.setNextColor(QColor(255, 0, 0));
    QTest::mouseClick(e->Picture1, Qt::LeftButton);
    EXPECT_EQ(e->swatchColor(), QColor(255, 0, 0));
    e->Text1->setText(QStringLiteral("\u0645\u0631\u062d\u0628\u0627"));
    ASSERT_TRUE(e->saveMessage());
    const ResultSet rs =
        env->db.query(QStringLiteral("select message, msgrtf, msgrtf2, color from tblscroll"));
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, 0), QStringLiteral("\u0645\u0631\u062d\u0628\u0627"));
    EXPECT_EQ(rtf::plainText(rs.text(0, 1)), "");
    EXPECT_EQ(rs.text(0, 1), rs.text(0, 2));
    EXPECT_EQ(rs.number(0, 3), 255);
}

TEST_P(NewsEditor, ColouredTextKeepsItsColour)
{
    frmScroll* w = list();
    ASSERT_TRUE(w);
    w->Command4_Click();
    frmEditor* e = editor();
    ASSERT_TRUE(e);
    QTest::keyClicks(e->RichTextBox1, QStringLiteral("Blue news"));
    e->RichTextBox1->selectAll();
    env->dialogs.setNextColor(QColor(0, 0, 255));
    e->chooseForeColour();
    ASSERT_TRUE(e->saveMessage());
    EXPECT_EQ(env->db.query(QStringLiteral("select color from tblscroll")).number(0, 0), 65536 * 255);
}

TEST_P(NewsEditor, EditLoadsAndUpdatesWithoutTouchingTheSpeed)
{
    env->db.insert(QStringLiteral("tblscroll"), {{QStringLiteral("message"), QStringLiteral("Old text")},
                                                 {QStringLiteral("msgrtf"), OldStoredMessage},
                                                 {QStringLiteral("active"), 1},
                                                 {QStringLiteral("font"), QStringLiteral("Courier")},
                                                 {QStringLiteral("size"), 24},
                                                 {QStringLiteral("color"), 32768},
                                                 {QStringLiteral("direction"), QStringLiteral("Right")}});
    env->settings().set(QStringLiteral("display"), QStringLiteral("scroll"), QStringLiteral("speed"), 30);
    frmScroll* w = list();
    ASSERT_TRUE(w);

    // Edit needs a selected row.
    w->Command3_Click();
    EXPECT_FALSE(editorOpen());

    w->FG->setRow(1);
    w->FG_DblClick();
    frmEditor* e = editor();
    ASSERT_TRUE(e);
    EXPECT_TRUE(e->editMode());
    EXPECT_EQ(e->RichTextBox1->toPlainText(), "Old text");
    // The text is shown in its stored font, size and colour, not in the editor's default.
    {
        QTextCursor c(e->RichTextBox1->document());
        c.movePosition(QTextCursor::NextCharacter);
        const QTextCharFormat f = c.charFormat();
        EXPECT_EQ(f.fontFamilies().toStringList().value(0), "Courier");
        EXPECT_EQ(f.fontPointSize(), 24);
        EXPECT_EQ(f.foreground().color(), QColor(0, 128, 0));
    }
    EXPECT_EQ(e->Combo1->currentText(), "Courier");
    EXPECT_EQ(e->Combo2->currentText(), "24");
    EXPECT_EQ(e->swatchColor(), QColor(0, 128, 0));
    EXPECT_EQ(e->Text1->text(), "Old text");
    EXPECT_TRUE(e->chkActive->isChecked());
    EXPECT_EQ(e->cmbDir->currentText(), "Right");

    e->RichTextBox1->setPlainText(QStringLiteral("New text"));
    // A heading on the selection changes its format; the stored size is still the size box's.
    e->RichTextBox1->selectAll();
    e->Combo3->setCurrentIndex(2);
    e->Combo3_Click();
    const QTextCharFormat f = e->RichTextBox1->textCursor().charFormat();
    EXPECT_EQ(f.fontPointSize(), 14);
    EXPECT_GE(f.fontWeight(), int(QFont::Bold));

    e->chkActive->setChecked(false);
    e->cmbSpeed->setCurrentText(QStringLiteral("90"));
    ASSERT_TRUE(e->saveMessage());
    EXPECT_EQ(rowCount(), 1);
    const ResultSet rs =
        env->db.query(QStringLiteral("select message, active, size, direction from tblscroll"));
    EXPECT_EQ(rs.text(0, 0), "New text");
    EXPECT_EQ(rs.text(0, 1), "0");
    EXPECT_EQ(rs.number(0, 2), 24);
    EXPECT_EQ(rs.text(0, 3), "Right");
    EXPECT_EQ(
        env->settings().get(QStringLiteral("display"), QStringLiteral("scroll"), QStringLiteral("speed"), {}),
        "30");
    EXPECT_EQ(column(w->FG, 2), (QStringList{"New text"}));
    EXPECT_EQ(column(w->FG, 3), (QStringList{"No"}));
}

TEST_P(NewsEditor, FormattingSurvivesSavingAndReopening)
{
    frmScroll* w = list();
    ASSERT_TRUE(w);
    w->Command4_Click();
    frmEditor* e = editor();
    ASSERT_TRUE(e);
    QTest::keyClicks(e->RichTextBox1, QStringLiteral("Open 9/5 "));
    // The second part in another font, bold and red.
    QTextCursor c = e->RichTextBox1->textCursor();
    c.movePosition(QTextCursor::End);
    e->RichTextBox1->setTextCursor(c);
    e->Combo1->setCurrentText(QStringLiteral("Liberation Mono"));
    e->Combo1_Click();
    e->setBold();
    env->dialogs.setNextColor(QColor(200, 0, 0));
    e->chooseForeColour();
    QTest::keyClicks(e->RichTextBox1, QStringLiteral("today"));
    const QString before = rtf::fromDocument(*e->RichTextBox1->document());
    ASSERT_TRUE(e->saveMessage());
    EXPECT_EQ(env->db.query(QStringLiteral("select message from tblscroll")).text(0, 0), "Open 9/5 today");

    w->FG->setRow(1);
    w->Command3_Click();
    e = editor();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->RichTextBox1->toPlainText(), "Open 9/5 today");
    EXPECT_EQ(rtf::fromDocument(*e->RichTextBox1->document()), before);
    QTextCursor first(e->RichTextBox1->document());
    first.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(first.charFormat().fontFamilies().toStringList().value(0), "Arial");
    EXPECT_LT(first.charFormat().fontWeight(), int(QFont::Bold));
    QTextCursor last(e->RichTextBox1->document());
    last.movePosition(QTextCursor::End);
    EXPECT_EQ(last.charFormat().fontFamilies().toStringList().value(0), "Liberation Mono");
    EXPECT_GE(last.charFormat().fontWeight(), int(QFont::Bold));
    EXPECT_EQ(last.charFormat().foreground().color(), QColor(200, 0, 0));
}

TEST_P(NewsEditor, NewAsksAboutChangedTextAndClosingRefreshesTheList)
{
    frmScroll* w = list();
    ASSERT_TRUE(w);
    w->Command4_Click();
    frmEditor* e = editor();
    ASSERT_TRUE(e);
    QTest::keyClicks(e->RichTextBox1, QStringLiteral("draft"));

    // A second Add New asks about the unsaved draft; Cancel keeps it.
    env->dialogs.setNextAnswer(Dialogs::Answer::Cancel);
    w->Command4_Click();
    EXPECT_EQ(env->dialogs.last(), e->unsavedQuestion());
    EXPECT_EQ(e->RichTextBox1->toPlainText(), "draft");

    env->dialogs.setNextAnswer(Dialogs::Answer::Cancel);
    e->mnuNew_Click();
    EXPECT_EQ(env->dialogs.last(),
              "The text in the untitled file has changed.\nDo you want to save the changes ?");
    EXPECT_EQ(e->RichTextBox1->toPlainText(), "draft");

    env->dialogs.setNextAnswer(Dialogs::Answer::No);
    e->mnuNew_Click();
    EXPECT_EQ(e->RichTextBox1->toPlainText(), "");
    EXPECT_EQ(e->windowTitle(), "Untitled - ");
    EXPECT_EQ(rowCount(), 0);

    // Another workstation adds a message; closing the editor shows it.
    env->secondConnection()->exec(QStringLiteral(
        "insert into tblscroll (message, active, direction) values ('From elsewhere', '1', 'Left')"));
    QTest::mouseClick(e->Command1, Qt::LeftButton);
    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(column(w->FG, 2), (QStringList{"From elsewhere"}));
}

TEST_P(NewsEditor, AddNewAndEditAskAboutUnsavedTextAndLoseNothing)
{
    const qint64 first =
        env->db.insert(QStringLiteral("tblscroll"), {{QStringLiteral("message"), QStringLiteral("First")},
                                                     {QStringLiteral("msgrtf"), QStringLiteral("First")},
                                                     {QStringLiteral("size"), 20},
                                                     {QStringLiteral("direction"), QStringLiteral("Left")}});
    env->db.insert(QStringLiteral("tblscroll"), {{QStringLiteral("message"), QStringLiteral("Second")},
                                                 {QStringLiteral("msgrtf"), QStringLiteral("Second")},
                                                 {QStringLiteral("size"), 20},
                                                 {QStringLiteral("direction"), QStringLiteral("Right")}});
    frmScroll* w = list();
    ASSERT_TRUE(w);
    w->FG->setRow(1);
    w->Command3_Click();
    frmEditor* e = editor();
    ASSERT_TRUE(e);
    e->RichTextBox1->selectAll();
    QTest::keyClicks(e->RichTextBox1, QStringLiteral("First, changed"));

    // Edit on the same message only brings the editor forward, changes and all.
    env->dialogs.clear();
    w->Command3_Click();
    EXPECT_TRUE(env->dialogs.texts().isEmpty());
    EXPECT_EQ(e->RichTextBox1->toPlainText(), "First, changed");

    // Edit on another message asks (Yes/No/Cancel, over the editor); Cancel leaves the editor alone.
    w->FG->setRow(2);
    env->dialogs.setNextAnswer(Dialogs::Answer::Cancel);
    w->Command3_Click();
    ASSERT_EQ(env->dialogs.shown().size(), 1);
    EXPECT_EQ(env->dialogs.last(),
              QStringLiteral("The changes to the message in the news editor are not saved.\n"
                             "Do you want to save them first?"));
    EXPECT_EQ(env->dialogs.shown().last().buttons, Dialogs::Buttons::YesNoCancel);
    EXPECT_EQ(e->lblRef->text(), QString::number(first));
    EXPECT_EQ(e->RichTextBox1->toPlainText(), "First, changed");
    EXPECT_TRUE(editorOpen());

    // Yes stores the changes, the list shows them, and the editor moves on to the other message.
    env->dialogs.setNextAnswer(Dialogs::Answer::Yes);
    w->Command3_Click();
    EXPECT_EQ(
        env->db.query(QStringLiteral("select message from tblscroll where scrollAuto=?"), {first}).text(0, 0),
        "First, changed");
    EXPECT_EQ(column(w->FG, 2), (QStringList{"First, changed", "Second"}));
    EXPECT_EQ(e->RichTextBox1->toPlainText(), "Second");
    EXPECT_EQ(e->cmbDir->currentText(), "Right");
    EXPECT_FALSE(e->holdsUnsavedText());

    // No drops the changes: Add New then starts empty, and nothing was stored.
    QTest::keyClicks(e->RichTextBox1, QStringLiteral(" and more"));
    env->dialogs.clear();
    env->dialogs.setNextAnswer(Dialogs::Answer::No);
    w->Command4_Click();
    EXPECT_EQ(env->dialogs.texts().size(), 1);
    EXPECT_FALSE(e->editMode());
    EXPECT_EQ(e->RichTextBox1->toPlainText(), "");
    EXPECT_EQ(column(w->FG, 2), (QStringList{"First, changed", "Second"}));

    // A new message the store refuses (no font size) stays in the editor; Add New does not start over.
    QTest::keyClicks(e->RichTextBox1, QStringLiteral("Draft"));
    e->Combo2->setEditText(QString());
    env->dialogs.clear();
    env->dialogs.setNextAnswer(Dialogs::Answer::Yes);
    w->Command4_Click();
    EXPECT_EQ(env->dialogs.texts(),
              (QStringList{QStringLiteral("The new message in the news editor is not saved.\n"
                                          "Do you want to save it first?"),
                           QStringLiteral("Please select a font size")}));
    EXPECT_EQ(e->RichTextBox1->toPlainText(), "Draft");
    EXPECT_EQ(rowCount(), 2);

    // The same from the editor's own New: a failed save keeps the text.
    env->dialogs.setNextAnswer(Dialogs::Answer::Yes);
    e->mnuNew_Click();
    EXPECT_EQ(e->RichTextBox1->toPlainText(), "Draft");
    EXPECT_TRUE(editorOpen());
    // With a size the draft is stored, and the editor starts the next new message.
    e->Combo2->setEditText(QStringLiteral("20"));
    env->dialogs.setNextAnswer(Dialogs::Answer::Yes);
    w->Command4_Click();
    EXPECT_EQ(column(w->FG, 2), (QStringList{"First, changed", "Second", "Draft"}));
    EXPECT_EQ(e->RichTextBox1->toPlainText(), "");
    EXPECT_FALSE(e->editMode());
}

TEST_P(NewsEditor, SavingAMessageDeletedElsewhereSaysSoAndKeepsTheText)
{
    env->db.insert(QStringLiteral("tblscroll"), {{QStringLiteral("message"), QStringLiteral("Old")},
                                                 {QStringLiteral("msgrtf"), QStringLiteral("Old")},
                                                 {QStringLiteral("size"), 20},
                                                 {QStringLiteral("direction"), QStringLiteral("Left")}});
    frmScroll* w = list();
    ASSERT_TRUE(w);
    w->FG->setRow(1);
    w->Command3_Click();
    frmEditor* e = editor();
    ASSERT_TRUE(e);
    e->RichTextBox1->setPlainText(QStringLiteral("Rewritten"));
    env->secondConnection()->exec(QStringLiteral("delete from tblscroll"));

    // No: nothing stored, the editor stays with the text.
    env->dialogs.setNextAnswer(Dialogs::Answer::No);
    EXPECT_FALSE(e->saveMessage());
    EXPECT_EQ(env->dialogs.last(), frmEditor::deletedMeanwhileText());
    EXPECT_EQ(env->dialogs.shown().last().buttons, Dialogs::Buttons::YesNo);
    EXPECT_TRUE(editorOpen());
    EXPECT_EQ(e->RichTextBox1->toPlainText(), "Rewritten");
    EXPECT_EQ(rowCount(), 0);

    // Yes: stored as a new message, the editor closes as after any save and the list shows it.
    env->dialogs.setNextAnswer(Dialogs::Answer::Yes);
    EXPECT_TRUE(e->saveMessage());
    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(env->db.query(QStringLiteral("select message from tblscroll")).text(0, 0), "Rewritten");
    EXPECT_EQ(column(w->FG, 2), QStringList{"Rewritten"});
}

BRIVANE_STORE_TEST_SUITE(NewsEditor);

TEST(NewsEditorFiles, OpenLoadsRichTextFilesAsTheirText)
{
    TestEnv env;
    env.writeFile(QStringLiteral("notice.rtf"),
                  QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Closed on \\b Monday\\par}"));
    auto* e = qobject_cast<frmEditor*>(env.screens.open(QStringLiteral("frmEditor")));
    ASSERT_TRUE(e);
    // A cancelled dialog changes nothing.
    e->mnuOpen_Click();
    EXPECT_EQ(e->windowTitle(), " Scroll Editor.");
    env.dialogs.setNextFileName(env.path(QStringLiteral("notice.rtf")));
    e->mnuOpen_Click();
    EXPECT_EQ(e->RichTextBox1->toPlainText(), "Closed on Monday");
    EXPECT_EQ(e->windowTitle(), " Scroll Editor");
    {
        QTextCursor c(e->RichTextBox1->document());
        c.movePosition(QTextCursor::End);
        EXPECT_GE(c.charFormat().fontWeight(), int(QFont::Bold)) << "the file's formatting is kept";
    }
    // A missing file is reported and leaves the text alone.
    env.dialogs.setNextFileName(env.path(QStringLiteral("gone.txt")));
    e->mnuOpen_Click();
    EXPECT_EQ(e->RichTextBox1->toPlainText(), "Closed on Monday");
    EXPECT_EQ(env.dialogs.last(), "Cannot open gone.txt");
}

// New on an edited message starts a new one: Save then inserts and the message that was open stays.
// Closing with unsaved text asks; Cancel keeps the editor open, Yes stores, No discards.
TEST_P(NewsEditor, NewStartsANewMessageAndClosingWithUnsavedTextAsks)
{
    const qint64 key =
        env->db.insert(QStringLiteral("tblscroll"), {{QStringLiteral("message"), QStringLiteral("Keep me")},
                                                     {QStringLiteral("active"), 1},
                                                     {QStringLiteral("direction"), QStringLiteral("Left")},
                                                     {QStringLiteral("color"), 40960}});
    frmScroll* w = list();
    ASSERT_TRUE(w);
    frmEditor* e = qobject_cast<frmEditor*>(env->screens.open(QStringLiteral("frmEditor")));
    ASSERT_TRUE(e);
    e->beginEdit(key);
    e->show();
    e->mnuNew_Click();
    EXPECT_FALSE(e->editMode());
    EXPECT_EQ(e->Text1->text(), QString());
    EXPECT_EQ(e->plainTextColor(), QColor(Qt::black)); // the loaded message's green is gone with it
    QTest::keyClicks(e->RichTextBox1, QStringLiteral("Brand new message"));

    env->dialogs.setNextAnswer(Dialogs::Answer::Cancel);
    e->close();
    EXPECT_TRUE(e->isVisible());
    EXPECT_EQ(env->dialogs.last(), e->unsavedQuestion());
    EXPECT_EQ(rowCount(), 1);
    env->dialogs.setNextAnswer(Dialogs::Answer::Yes);
    e->close();
    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(rowCount(), 2);
    EXPECT_EQ(
        env->db.query(QStringLiteral("select message from tblscroll where scrollAuto=?"), {key}).text(0, 0),
        QStringLiteral("Keep me"));
    // The new message is black, as the editor showed it.
    EXPECT_EQ(
        env->db.query(QStringLiteral("select color from tblscroll where scrollAuto<>?"), {key}).number(0, 0),
        0);

    e = qobject_cast<frmEditor*>(env->screens.open(QStringLiteral("frmEditor")));
    ASSERT_TRUE(e);
    e->beginAdd();
    e->show();
    QTest::keyClicks(e->RichTextBox1, QStringLiteral("Thrown away"));
    env->dialogs.setNextAnswer(Dialogs::Answer::No);
    e->close();
    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(rowCount(), 2);
}

// The colour stored is the one the editor shows at the cursor: text without a colour of its own is
// in the plain text colour (black for a new message), not the colour last picked for other words.
TEST_P(NewsEditor, UncolouredTextAtTheCursorIsStoredInTheColourItIsShownIn)
{
    frmScroll* w = list();
    ASSERT_TRUE(w);
    w->Command4_Click();
    frmEditor* e = editor();
    ASSERT_TRUE(e);
    QTest::keyClicks(e->RichTextBox1, QStringLiteral("Closed today"));
    QTextCursor first(e->RichTextBox1->document());
    first.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
    e->RichTextBox1->setTextCursor(first);
    env->dialogs.setNextColor(QColor(0, 160, 0));
    e->chooseForeColour();
    EXPECT_EQ(e->swatchColor(), QColor(0, 160, 0));
    e->RichTextBox1->moveCursor(QTextCursor::End);
    ASSERT_TRUE(e->saveMessage());
    EXPECT_EQ(env->db.query(QStringLiteral("select color from tblscroll")).number(0, 0), 0);
}

// The demo's messages: plain text, no rich text, white and bold. They open readable (white text on
// a dark ground) and an unchanged Save keeps their colour, bold and italic.
TEST_P(NewsEditor, AMessageWithoutRichTextOpensReadableAndAnUnchangedSaveKeepsItsLook)
{
    const qint64 key =
        env->db.insert(QStringLiteral("tblscroll"), {{QStringLiteral("message"), QStringLiteral("Welcome")},
                                                     {QStringLiteral("active"), 1},
                                                     {QStringLiteral("font"), QStringLiteral("Arial")},
                                                     {QStringLiteral("size"), 28},
                                                     {QStringLiteral("color"), 0xFFFFFF},
                                                     {QStringLiteral("bold"), 1},
                                                     {QStringLiteral("italic"), 1},
                                                     {QStringLiteral("direction"), QStringLiteral("Left")}});
    frmScroll* w = list();
    ASSERT_TRUE(w);
    frmEditor* e = qobject_cast<frmEditor*>(env->screens.open(QStringLiteral("frmEditor")));
    ASSERT_TRUE(e);
    e->beginEdit(key);
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Welcome"));
    const QPalette p = e->Text1->palette();
    EXPECT_EQ(p.color(QPalette::Text), QColor(Qt::white));
    EXPECT_LT(p.color(QPalette::Base).lightness(), 128);
    ASSERT_TRUE(e->saveMessage());
    const ResultSet rs = env->db.query(QStringLiteral("select message, color, bold, italic from tblscroll"));
    EXPECT_EQ(rs.text(0, 0), QStringLiteral("Welcome"));
    EXPECT_EQ(rs.number(0, 1), 0xFFFFFF);
    EXPECT_EQ(Database::flag(rs.value(0, 2)), QStringLiteral("1"));
    EXPECT_EQ(Database::flag(rs.value(0, 3)), QStringLiteral("1"));
}
