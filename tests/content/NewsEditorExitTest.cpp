#include "content/frmEditor.h"
#include "core/DisplayControl.h"
#include "core/MDI.h"
#include "testsupport/TestEnv.h"

#include <QAction>

namespace {

struct Board : QWidget, DisplayControl
{
    void startNews() override {}
    void stopNews() override {}
};

} // namespace

// The editor's Exit ends the application through the main window, whose rules still hold.
TEST(NewsEditorExit, GoesThroughTheMainWindowsLeavingRules)
{
    TestEnv env;
    env.screens.add(QStringLiteral("frmDisplay"), [](AppContext&) { return new Board; });
    // The hall's only theme: the board shows it.
    env.db.insert(QStringLiteral("tbltheme"), {{QStringLiteral("themename"), QStringLiteral("Hall")}});
    MDI mdi(*env.ctx);
    mdi.show();
    mdi.display_Click();
    ASSERT_TRUE(mdi.displayRunning());

    frmEditor editor(*env.ctx);
    editor.mnuExit_Click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Do you want to exit "));
    EXPECT_FALSE(env.programEnded); // the hall display keeps running

    mdi.display_Click();
    editor.mnuExit_Click();
    EXPECT_TRUE(env.programEnded);
    mdi.close();
}
