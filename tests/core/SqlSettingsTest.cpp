#include "core/frmSql.h"
#include "testsupport/TestEnv.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

TEST(SqlSettings, LoadsPathFileSavesToSettingsAndTestsTheConnection)
{
    TestEnv env;
    env.writeFile(QStringLiteral("path.txt"), ";test.db;;;\n");
    frmSql form(*env.ctx);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("SQL Settings"));
    EXPECT_EQ(form.Combo1->currentText(), QStringLiteral("SQL Authentication"));
    EXPECT_EQ(form.txtData->text(), QStringLiteral("test.db"));
    EXPECT_EQ(form.txthost->text(), QString());

    form.Command2->click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Connection Success"));

    form.txthost->setText(QStringLiteral("127.0.0.1:1"));
    form.txtData->setText(QStringLiteral("nowhere"));
    form.txtUser->setText(QStringLiteral("o'neil"));
    form.txtPass->setText(QStringLiteral("pa;ss"));
    form.Combo1->setCurrentText(QStringLiteral("Windows Authentication"));
    form.Command1->click();
    Settings& s = env.settings();
    EXPECT_EQ(s.get(QStringLiteral("Queue"), QStringLiteral("Sql"), QStringLiteral("host")),
              QStringLiteral("127.0.0.1:1"));
    EXPECT_EQ(s.get(QStringLiteral("Queue"), QStringLiteral("Sql"), QStringLiteral("user")),
              QStringLiteral("o'neil"));
    EXPECT_EQ(s.get(QStringLiteral("Queue"), QStringLiteral("Sql"), QStringLiteral("aut")),
              QStringLiteral("Windows Authentication"));
    EXPECT_EQ(env.session.connection.host, QStringLiteral("127.0.0.1:1"));
    EXPECT_EQ(env.session.connection.password, QStringLiteral("pa;ss"));

    form.Command2->click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Connection Failed"));
    // A failed connection brings up this very screen rather than a second one.
    EXPECT_NE(env.screens.existing(QStringLiteral("connect")), nullptr);
}

TEST(SqlSettings, AnyModeButSqlAuthenticationConnectsWithoutAPassword)
{
    TestEnv env;
    env.settings().set(QStringLiteral("Queue"), QStringLiteral("Sql"), QStringLiteral("aut"), QString());
    env.session.connection.database = QStringLiteral("other.db");
    EXPECT_TRUE(openConnection(*env.ctx));
    EXPECT_TRUE(env.db.identity().contains(QStringLiteral("other.db")));
    // The same values again keep the open connection.
    const QString before = env.db.identity();
    EXPECT_TRUE(openConnection(*env.ctx));
    EXPECT_EQ(env.db.identity(), before);
}
