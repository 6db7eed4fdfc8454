#include "content/frmScroll.h"
#include "content/frmVideo.h"
#include "testsupport/TestEnv.h"
#include "ui/Grid.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

void addNews(Database& db, const QString& message, const QString& active, const QString& direction)
{
    db.exec(QStringLiteral("insert into tblscroll (message, active, direction) values (?, ?, ?)"),
            {message, active, direction});
}

QStringList column(const Grid* fg, int col)
{
    QStringList out;
    for (int r = 1; r < fg->rows(); ++r)
        out << fg->text(r, col);
    return out;
}

int countRows(Database& db, const QString& table)
{
    return int(db.query(QStringLiteral("select count(*) from ") + table).number(0, 0));
}

} // namespace

class ScrollNewsScreen : public StoreTest
{
protected:
    frmScroll* openList()
    {
        auto* w = qobject_cast<frmScroll*>(env->screens.open(QStringLiteral("scrollnews")));
        EXPECT_NE(w, nullptr);
        return w;
    }
};

TEST_P(ScrollNewsScreen, ListsFiltersAndSearches)
{
    addNews(env->db, QStringLiteral("Welcome to the hall"), QStringLiteral("1"), QStringLiteral("Left"));
    addNews(env->db, QStringLiteral("Closed on Friday"), QStringLiteral("0"), QStringLiteral("Right"));
    addNews(env->db, QStringLiteral("Lab closed at noon"), QStringLiteral("1"), QStringLiteral("Right"));
    frmScroll* w = openList();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Scroll News");
    EXPECT_EQ(w->findChild<QCheckBox*>("chkActive")->text(), "Show All");
    EXPECT_FALSE(w->chkActive->isChecked());

    Grid* fg = w->FG;
    ASSERT_EQ(fg->cols(), 6);
    EXPECT_EQ((QStringList{fg->text(0, 1), fg->text(0, 2), fg->text(0, 3), fg->text(0, 4)}),
              (QStringList{"SN", "Message", "Active", "Direction"}));
    EXPECT_EQ(fg->colWidth(2), 4500);
    EXPECT_TRUE(fg->isColumnHidden(0) || fg->columnWidth(0) <= 1);
    EXPECT_EQ(column(fg, 1), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(column(fg, 2), (QStringList{"Welcome to the hall", "Closed on Friday", "Lab closed at noon"}));
    EXPECT_EQ(column(fg, 3), (QStringList{"Yes", "No", "Yes"}));
    EXPECT_EQ(column(fg, 4), (QStringList{"Left", "Right", "Right"}));

    // Find with an empty box leaves the list as it is.
    w->Command5_Click();
    EXPECT_EQ(fg->rows(), 4);

    // Find with the box ticked: only active messages that match.
    QTest::mouseClick(w->chkActive, Qt::LeftButton);
    ASSERT_TRUE(w->chkActive->isChecked());
    EXPECT_EQ(column(fg, 2), (QStringList{"Welcome to the hall", "Lab closed at noon"}));
    QTest::keyClicks(w->txtFind, QStringLiteral("closed"));
    QTest::mouseClick(w->Command5, Qt::LeftButton);
    EXPECT_EQ(column(fg, 2), (QStringList{"Lab closed at noon"}));
    EXPECT_EQ(column(fg, 1), (QStringList{"1"}));

    // Unticking lists everything again and forgets the search.
    QTest::mouseClick(w->chkActive, Qt::LeftButton);
    EXPECT_EQ(fg->rows(), 4);

    // Typed text with a quote is searched for, not run.
    w->txtFind->setText(QStringLiteral("'; delete from tblscroll; --"));
    w->Command5_Click();
    EXPECT_EQ(fg->rows(), 1);
    EXPECT_TRUE(env->dialogs.texts().isEmpty());
    EXPECT_EQ(countRows(env->db, QStringLiteral("tblscroll")), 3);
}

TEST_P(ScrollNewsScreen, DeleteAsksAndRemovesTheSelectedMessage)
{
    addNews(env->db, QStringLiteral("First"), QStringLiteral("1"), QStringLiteral("Left"));
    addNews(env->db, QStringLiteral("Second"), QStringLiteral("1"), QStringLiteral("Left"));
    frmScroll* w = openList();
    ASSERT_TRUE(w);

    // Nothing selected: no question, nothing deleted.
    w->Command2_Click();
    EXPECT_TRUE(env->dialogs.texts().isEmpty());
    EXPECT_EQ(countRows(env->db, QStringLiteral("tblscroll")), 2);

    // No keeps the message.
    w->FG->setRow(2);
    env->dialogs.setNextAnswer(Dialogs::Answer::No);
    w->Command2_Click();
    EXPECT_EQ(env->dialogs.last(), "Do you want to delete the selected");
    EXPECT_EQ(countRows(env->db, QStringLiteral("tblscroll")), 2);

    w->FG->setRow(2);
    env->dialogs.setNextAnswer(Dialogs::Answer::Yes);
    w->Command2_Click();
    EXPECT_EQ(column(w->FG, 2), (QStringList{"First"}));
    EXPECT_EQ(countRows(env->db, QStringLiteral("tblscroll")), 1);
}

BRIVANE_STORE_TEST_SUITE(ScrollNewsScreen);

class VideoScreens : public StoreTest
{
protected:
    frmVideoLst* openList()
    {
        auto* w = qobject_cast<frmVideoLst*>(env->screens.open(QStringLiteral("Videolst")));
        EXPECT_NE(w, nullptr);
        return w;
    }
    frmVideo* entry() { return qobject_cast<frmVideo*>(env->screens.existing(QStringLiteral("frmVideo"))); }
    // A closed entry is deleted later by the event loop; what counts is whether it is still shown.
    bool entryOpen() { return entry() && entry()->isVisible(); }
};

TEST_P(VideoScreens, AddEditAndListWorkflow)
{
    frmVideoLst* list = openList();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->windowTitle(), "Video List");
    EXPECT_EQ(list->FG->text(0, 2), "Video Description");
    EXPECT_EQ(list->FG->rows(), 1);

    // Add New opens an empty entry; an empty path is refused and the entry stays open.
    QTest::mouseClick(list->Command4, Qt::LeftButton);
    frmVideo* e = entry();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->windowTitle(), "Select Video");
    EXPECT_TRUE(e->lblRef->text().isEmpty());
    EXPECT_TRUE(e->lblRef->isHidden());
    e->txtDesc->setText(QStringLiteral("Intro"));
    e->txtName->setText(QStringLiteral("   "));
    e->Command2_Click();
    EXPECT_EQ(env->dialogs.last(), "Please select a video");
    EXPECT_EQ(countRows(env->db, QStringLiteral("tblvideo")), 0);
    EXPECT_TRUE(e->isVisible());

    // Browsing: a cancelled dialog changes nothing, a chosen file fills the path.
    e->txtName->setText(QStringLiteral("/old.avi"));
    e->Command1_Click();
    EXPECT_EQ(e->txtName->text(), "/old.avi");
    env->dialogs.setNextFileName(QStringLiteral("/media/clips/intro.mpg"));
    QTest::mouseClick(e->Command1, Qt::LeftButton);
    EXPECT_EQ(e->txtName->text(), "/media/clips/intro.mpg");
    e->chkActive->setChecked(true);
    QTest::mouseClick(e->Command2, Qt::LeftButton);
    EXPECT_FALSE(entryOpen()); // closed after saving

    ASSERT_EQ(list->FG->rows(), 2);
    EXPECT_EQ(list->FG->text(1, 1), "1");
    EXPECT_EQ(list->FG->text(1, 2), "Intro");
    EXPECT_EQ(list->FG->text(1, 3), "Yes");
    const ResultSet row = env->db.query(QStringLiteral("select vidName, vidDesc, active from tblvideo"));
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row.text(0, 0), "/media/clips/intro.mpg");
    EXPECT_EQ(row.text(0, 2), "1");

    // A second entry with an empty description.
    list->Command4_Click();
    entry()->txtName->setText(QStringLiteral("/media/poster.jpg"));
    entry()->Command2_Click();
    ASSERT_EQ(list->FG->rows(), 3);
    EXPECT_EQ(list->FG->text(2, 3), "No");

    // Edit without a selection does nothing; with one it loads the entry.
    list->Command1_Click();
    EXPECT_FALSE(entryOpen());
    list->FG->setRow(1);
    list->FG_DblClick();
    e = entry();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->txtName->text(), "/media/clips/intro.mpg");
    EXPECT_EQ(e->txtDesc->text(), "Intro");
    EXPECT_TRUE(e->chkActive->isChecked());
    e->txtDesc->setText(QStringLiteral("Welcome film"));
    e->chkActive->setChecked(false);
    e->Command2_Click();
    EXPECT_EQ(list->FG->text(1, 2), "Welcome film");
    EXPECT_EQ(list->FG->text(1, 3), "No");
    EXPECT_EQ(countRows(env->db, QStringLiteral("tblvideo")), 2);

    // Add New after an edit starts from empty boxes again.
    list->Command4_Click();
    EXPECT_TRUE(entry()->txtName->text().isEmpty());
    EXPECT_TRUE(entry()->lblRef->text().isEmpty());
}

// Saving an entry another workstation deleted meanwhile writes nothing, says so and keeps the boxes;
// Add New, as the message says, keeps them too, and Save then stores them as a new entry.
TEST_P(VideoScreens, EntryDeletedMeanwhileSaysSoAndKeepsTheEdits)
{
    const qint64 key =
        env->db.insert(QStringLiteral("tblvideo"), {{QStringLiteral("vidName"), QStringLiteral("/a.avi")},
                                                    {QStringLiteral("vidDesc"), QStringLiteral("A")},
                                                    {QStringLiteral("active"), 1}});
    frmVideoLst* list = openList();
    ASSERT_TRUE(list);
    list->FG->setRow(1);
    list->Command1_Click();
    frmVideo* e = entry();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->lblRef->text(), QString::number(key));

    env->secondConnection()->exec(QStringLiteral("delete from tblvideo"));
    e->txtDesc->setText(QStringLiteral("B"));
    e->chkActive->setChecked(false);
    e->Command2_Click();
    const QString message =
        QStringLiteral("The video \"B\" has been deleted meanwhile, so the changes were not "
                       "saved. To keep them, choose Add New in the Video List and save again.");
    EXPECT_EQ(env->dialogs.texts(), QStringList{message});
    EXPECT_TRUE(entryOpen()) << "the entry stays open with what was typed";
    EXPECT_EQ(e->txtName->text(), "/a.avi");
    EXPECT_EQ(e->txtDesc->text(), "B");
    EXPECT_EQ(countRows(env->db, QStringLiteral("tblvideo")), 0)
        << "nothing is made anew behind the user's back";
    EXPECT_EQ(list->FG->rows(), 1) << "the list no longer offers the deleted entry";

    // Without a description the message names the file.
    e->txtDesc->clear();
    e->Command2_Click();
    EXPECT_TRUE(env->dialogs.last().startsWith(QStringLiteral("The video \"/a.avi\" has been deleted")))
        << env->dialogs.last().toStdString();
    EXPECT_EQ(countRows(env->db, QStringLiteral("tblvideo")), 0);

    e->txtDesc->setText(QStringLiteral("B"));
    list->Command4_Click();
    EXPECT_TRUE(e->lblRef->text().isEmpty());
    EXPECT_EQ(e->txtName->text(), "/a.avi");
    EXPECT_EQ(e->txtDesc->text(), "B");
    e->Command2_Click();
    EXPECT_FALSE(entryOpen());
    const ResultSet row = env->db.query(QStringLiteral("select vidName, vidDesc, active from tblvideo"));
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row.text(0, 0), "/a.avi");
    EXPECT_EQ(row.text(0, 1), "B");
    EXPECT_EQ(row.text(0, 2), "0");
    EXPECT_EQ(list->FG->rows(), 2);

    // Once stored, Add New starts from empty boxes again.
    list->Command4_Click();
    EXPECT_TRUE(entry()->txtName->text().isEmpty());
}

TEST_P(VideoScreens, DeleteAlwaysAsksFirst)
{
    env->db.insert(QStringLiteral("tblvideo"), {{QStringLiteral("vidName"), QStringLiteral("/a.avi")}});
    env->db.insert(QStringLiteral("tblvideo"), {{QStringLiteral("vidName"), QStringLiteral("/b.avi")},
                                                {QStringLiteral("vidDesc"), QStringLiteral("B")}});
    frmVideoLst* list = openList();
    ASSERT_TRUE(list);

    // Asked even with nothing selected; Yes then does nothing.
    list->Command2_Click();
    EXPECT_EQ(env->dialogs.texts(), (QStringList{"Do you want to delete the selected"}));
    EXPECT_EQ(countRows(env->db, QStringLiteral("tblvideo")), 2);

    list->FG->setRow(1);
    env->dialogs.setNextAnswer(Dialogs::Answer::No);
    list->Command2_Click();
    EXPECT_EQ(countRows(env->db, QStringLiteral("tblvideo")), 2);

    list->FG->setRow(1);
    QTest::mouseClick(list->Command2, Qt::LeftButton);
    EXPECT_EQ(countRows(env->db, QStringLiteral("tblvideo")), 1);
    EXPECT_EQ(column(list->FG, 2), (QStringList{"B"}));
    EXPECT_EQ(column(list->FG, 1), (QStringList{"1"}));
}

BRIVANE_STORE_TEST_SUITE(VideoScreens);
