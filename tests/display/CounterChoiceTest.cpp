#include "display/frmSelectCounter.h"
#include "display/frmTheme.h"

#include "DisplayTestSupport.h"
#include "core/Lookups.h"
#include "core/Session.h"
#include "core/ThemeCounters.h"
#include "testsupport/TestEnv.h"
#include "ui/Grid.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class CounterChoiceTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
    }
    frmSelectCounter* open(qint64 themeId)
    {
        auto* w = qobject_cast<frmSelectCounter*>(env->screens.open(QStringLiteral("frmSelectCounter")));
        w->setTheme(themeId);
        return w;
    }
    int rowOf(frmSelectCounter* w, qint64 counter)
    {
        for (int r = 1; r < w->FG->rows(); ++r) {
            if (w->FG->text(r, 0) == QString::number(counter))
                return r;
        }
        return -1;
    }
    // What the theme row holds: "<null>" when it has never had a choice.
    QString saved(qint64 themeId)
    {
        const ResultSet rs =
            env->db.query(QStringLiteral("select counters from tbltheme where themeauto=?"), {themeId});
        return rs.isNull(0, 0) ? QStringLiteral("<null>") : rs.text(0, 0);
    }
    QString oldSetting(qint64 themeId)
    {
        return env->settings().get(QStringLiteral("Q"), QStringLiteral("CounterList"),
                                   QString::number(themeId), QStringLiteral("<none>"));
    }
    Hall hall;
};

TEST_P(CounterChoiceTest, TickedCountersAreSavedInGridOrderAndBecomeTheFilter)
{
    const qint64 theme = addTheme(env->db);
    EXPECT_EQ(saved(theme), QStringLiteral("<null>"));
    frmSelectCounter* w = open(theme);
    EXPECT_EQ(w->windowTitle(), QStringLiteral(" Select Counter to Display"));
    ASSERT_EQ(w->FG->rows(), 4);
    EXPECT_EQ(w->FG->cols(), 7);
    EXPECT_EQ(w->FG->text(0, 4), QStringLiteral("Counter Name"));
    EXPECT_EQ(w->FG->text(1, 4), QStringLiteral("Counter 1"));
    EXPECT_EQ(w->FG->text(1, 2), QStringLiteral("General"));
    EXPECT_EQ(w->FG->text(1, 3), QStringLiteral("Consultation"));
    EXPECT_EQ(w->FG->text(1, 5), QStringLiteral("1"));

    // Tick counter 3 first, then counter 1: the saved order is the grid's.
    w->FG->setRow(rowOf(w, hall.counter3));
    w->toggleSelected();
    w->FG->setRow(rowOf(w, hall.counter1));
    QTest::keyClick(w->FG, Qt::Key_Space);
    EXPECT_TRUE(w->isTicked(rowOf(w, hall.counter1)));
    EXPECT_FALSE(w->isTicked(rowOf(w, hall.counter2)));
    // A click ticks a row, a second click clears it again.
    const int row2 = rowOf(w, hall.counter2);
    const QRect cell = w->FG->visualRect(w->FG->model()->index(row2 - 1, 3));
    QTest::mouseClick(w->FG->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_TRUE(w->isTicked(row2));
    QTest::mouseClick(w->FG->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_FALSE(w->isTicked(row2));
    w->cmdSave->click();
    EXPECT_EQ(saved(theme), QStringLiteral("%1;%2").arg(hall.counter1).arg(hall.counter3));

    env->session.themeId = theme;
    buildCounterFilter(env->db, env->settings(), env->session);
    EXPECT_EQ(env->session.counterFilter,
              QStringLiteral("and(servAuto=%1 or servAuto=%2)").arg(hall.counter1).arg(hall.counter3));
}

TEST_P(CounterChoiceTest, NothingTickedSavesEmptyAndEveryCounterIsShown)
{
    const qint64 theme = addTheme(env->db);
    themeCounters::save(env->db, env->settings(), theme, {QString::number(hall.counter2)});
    frmSelectCounter* w = open(theme);
    EXPECT_TRUE(w->isTicked(rowOf(w, hall.counter2)));
    w->cmdRemoveAll->click();
    EXPECT_FALSE(w->isTicked(rowOf(w, hall.counter2)));
    w->cmdSave_Click();
    EXPECT_EQ(saved(theme), QString()) << "an empty choice is stored, not left missing";
    env->session.themeId = theme;
    buildCounterFilter(env->db, env->settings(), env->session);
    EXPECT_EQ(env->session.counterFilter, QStringLiteral("and 1=1"));
}

TEST_P(CounterChoiceTest, EachThemeKeepsItsOwnListAndOpensWithItsTicks)
{
    const qint64 first = addTheme(env->db);
    const qint64 second = addTheme(env->db, {{QStringLiteral("themename"), QStringLiteral("Second")}});
    themeCounters::save(env->db, env->settings(), first, {QString::number(hall.counter2)});
    frmSelectCounter* w = open(first);
    for (int r = 1; r < w->FG->rows(); ++r)
        EXPECT_EQ(w->isTicked(r), r == rowOf(w, hall.counter2)) << "row " << r;

    // Opening the choice of another theme starts from that theme's ticks.
    w = open(second);
    for (int r = 1; r < w->FG->rows(); ++r)
        EXPECT_FALSE(w->isTicked(r));
    w->cmdSelectAll_Click();
    // Toggling a ticked row clears it; clicking flips it back.
    w->FG->setRow(1);
    w->toggleSelected();
    EXPECT_FALSE(w->isTicked(1));
    w->cmdSave_Click();
    EXPECT_EQ(saved(second), QStringLiteral("%1;%2").arg(w->FG->text(2, 0), w->FG->text(3, 0)));
    EXPECT_EQ(saved(first), QString::number(hall.counter2));
}

// A display PC reads the choice from the theme, with nothing in its own settings; a choice this
// workstation kept in its settings before moves into the theme once and is not used again.
TEST_P(CounterChoiceTest, TheChoiceLivesWithTheThemeAndAnOldWorkstationChoiceMovesInOnce)
{
    const qint64 theme = addTheme(env->db);
    env->settings().set(QStringLiteral("Q"), QStringLiteral("CounterList"), QString::number(theme),
                        QStringLiteral("%1,%2").arg(hall.counter3).arg(hall.counter1));
    env->session.themeId = theme;
    buildCounterFilter(env->db, env->settings(), env->session);
    EXPECT_EQ(env->session.counterFilter,
              QStringLiteral("and(servAuto=%1 or servAuto=%2)").arg(hall.counter3).arg(hall.counter1));
    EXPECT_EQ(saved(theme), QStringLiteral("%1;%2").arg(hall.counter3).arg(hall.counter1));
    EXPECT_EQ(oldSetting(theme), QString()) << "the workstation's copy is used up";

    // The administrator changes the choice elsewhere: this workstation follows the theme.
    env->db.exec(QStringLiteral("update tbltheme set counters=? where themeauto=?"),
                 {QString::number(hall.counter2), theme});
    Session displayPc;
    displayPc.themeId = theme;
    buildCounterFilter(env->db, env->settings(), displayPc);
    EXPECT_EQ(displayPc.counterFilter, QStringLiteral("and(servAuto=%1)").arg(hall.counter2));

    // An empty choice stored with the theme means every counter, whatever a workstation kept.
    env->settings().set(QStringLiteral("Q"), QStringLiteral("CounterList"), QString::number(theme),
                        QString::number(hall.counter1));
    themeCounters::save(env->db, env->settings(), theme, {});
    buildCounterFilter(env->db, env->settings(), displayPc);
    EXPECT_EQ(displayPc.counterFilter, QStringLiteral("and 1=1"));

    // A theme without any choice shows every counter.
    displayPc.themeId = addTheme(env->db, {{QStringLiteral("themename"), QStringLiteral("Bare")}});
    buildCounterFilter(env->db, env->settings(), displayPc);
    EXPECT_EQ(displayPc.counterFilter, QStringLiteral("and 1=1"));
}

TEST_P(CounterChoiceTest, TheThemeEditorOpensTheChoiceOnlyForASavedTheme)
{
    auto* editor = qobject_cast<frmTheme*>(env->screens.open(QStringLiteral("frmTheme")));
    editor->cmdCounter_Click();
    EXPECT_EQ(env->screens.existing(QStringLiteral("frmSelectCounter")), nullptr);
    editor->lblRef->setText(QStringLiteral("12"));
    editor->cmdCounter->click();
    auto* w = qobject_cast<frmSelectCounter*>(env->screens.existing(QStringLiteral("frmSelectCounter")));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->lblTheme->text(), QStringLiteral("12"));
}

BRIVANE_STORE_TEST_SUITE(CounterChoiceTest);

TEST(CounterChoiceScreen, TheRowJustClickedShowsItsTickThroughTheSelection)
{
    TestEnv env;
    seedHall(env.db);
    auto* w = qobject_cast<frmSelectCounter*>(env.screens.open(QStringLiteral("frmSelectCounter")));
    w->setTheme(addTheme(env.db));
    w->show();
    const QRect number = w->FG->visualRect(w->FG->model()->index(1, 1));
    const QRect name = w->FG->visualRect(w->FG->model()->index(1, 3));
    QTest::mouseClick(w->FG->viewport(), Qt::LeftButton, {}, name.center());
    ASSERT_TRUE(w->isTicked(2));
    ASSERT_EQ(w->FG->row(), 2);
    const QImage shot = w->FG->viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(number.right() - 2, number.center().y()), QColor(0, 255, 0))
        << "the tick colour stays visible on the selected row";
    w->close();
}

} // namespace
