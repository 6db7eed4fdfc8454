#include "display/settings/frmSettings.h"
#include "testsupport/TestEnv.h"
#include "tickets/TicketCode.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

TEST(SettingsWebAddress, IsSavedWithTheOtherSettingsAndShownAgain)
{
    TestEnv env;
    seedHall(env.db);
    env.db.insert(QStringLiteral("tbltheme"), {{QStringLiteral("themename"), QStringLiteral("Hall")}});
    {
        frmSettings form(*env.ctx);
        EXPECT_TRUE(form.txtWeb->text().isEmpty());
        form.cmbTheme->setEditText(QStringLiteral("Hall"));
        form.txtWeb->setText(QStringLiteral(" http://10.0.0.5:8080 "));
        form.Command1_Click();
    }
    EXPECT_EQ(ticketcode::webAddress(env.settings()), QStringLiteral("http://10.0.0.5:8080"));
    frmSettings again(*env.ctx);
    EXPECT_EQ(again.txtWeb->text(), QStringLiteral("http://10.0.0.5:8080"));

    // Emptied, the tickets carry no page code any more.
    again.txtWeb->clear();
    again.Command1_Click();
    EXPECT_TRUE(ticketcode::webAddress(env.settings()).isEmpty());
}

} // namespace
