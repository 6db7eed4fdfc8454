#include "core/ConnectionFiles.h"
#include "core/frmSql.h"
#include "testsupport/TestEnv.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString sqlSetting(TestEnv& env, const char* key)
{
    return env.settings().get(QStringLiteral("Queue"), QStringLiteral("Sql"), QString::fromLatin1(key),
                              QStringLiteral("<none>"));
}

} // namespace

// Test Connection tries what is typed, on a connection of its own; Save keeps the values for this run
// and, through path.txt, for the next start.
TEST(SqlSettings, TestsWhatIsTypedAndSaveHoldsAfterARestart)
{
    TestEnv env;
    env.writeFile(QStringLiteral("path.txt"), ";test.db;;;\n");
    frmSql form(*env.ctx);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("SQL Settings"));
    EXPECT_EQ(form.Combo1->currentText(), QStringLiteral("SQL Authentication"));
    EXPECT_EQ(form.txtData->text(), QStringLiteral("test.db"));
    EXPECT_EQ(form.txthost->text(), QString());
    form.Command2->click();
    EXPECT_TRUE(env.dialogs.last().startsWith(QStringLiteral("Connection Success\n")))
        << env.dialogs.last().toStdString();
    EXPECT_TRUE(form.lblReason->isHidden());

    const QString running = env.db.identity();
    form.txthost->setText(QStringLiteral("127.0.0.1:1"));
    form.txtData->setText(QStringLiteral("nowhere"));
    form.txtUser->setText(QStringLiteral("o'neil"));
    form.txtPass->setText(QStringLiteral("pa;ss"));
    form.Combo1->setCurrentText(QStringLiteral("Windows Authentication"));
    form.Command2->click();
    EXPECT_TRUE(env.dialogs.last().startsWith(QStringLiteral("Connection Failed\n")));
    EXPECT_EQ(env.db.identity(), running);
    EXPECT_TRUE(env.db.ping());

    // path.txt could not hold a semicolon: nothing is stored.
    form.Command1->click();
    EXPECT_TRUE(env.dialogs.last().startsWith(QStringLiteral("Password cannot be kept in path.txt")));
    EXPECT_EQ(sqlSetting(env, "host"), QStringLiteral("<none>"));

    form.txtPass->setText(QStringLiteral("pa'ss"));
    env.session.loggedIn = true; // an administrator's change
    env.dialogs.clear();
    form.Command1->click();
    EXPECT_TRUE(env.dialogs.texts().isEmpty());
    EXPECT_EQ(sqlSetting(env, "host"), QStringLiteral("127.0.0.1:1"));
    EXPECT_EQ(sqlSetting(env, "user"), QStringLiteral("o'neil"));
    EXPECT_EQ(sqlSetting(env, "aut"), QStringLiteral("Windows Authentication"));
    EXPECT_EQ(env.session.connection.host, QStringLiteral("127.0.0.1:1"));
    EXPECT_EQ(env.session.connection.password, QStringLiteral("pa'ss"));

    // The next start reads path.txt.
    ConnectionValues next;
    EXPECT_EQ(connectionFiles::readPathFile(env.dir.path(), next), QString());
    EXPECT_EQ(next.host, QStringLiteral("127.0.0.1:1"));
    EXPECT_EQ(next.database, QStringLiteral("nowhere"));
    EXPECT_EQ(next.user, QStringLiteral("o'neil"));
    EXPECT_EQ(next.password, QStringLiteral("pa'ss"));
}

TEST(SqlSettings, ANewPathFileIsReadableByItsOwnerOnly)
{
    TestEnv env;
    ConnectionValues values;
    values.database = QStringLiteral("queue.db");
    EXPECT_EQ(connectionFiles::writePathFile(env.dir.path(), values), QString());
    const QFile::Permissions permissions = QFile::permissions(env.path(QStringLiteral("path.txt")));
    EXPECT_TRUE(permissions & QFile::ReadOwner);
    EXPECT_FALSE(permissions & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
}

// An installed program keeps path.txt in its machine folder and the embedded database in its data
// folder, apart from the read-only files: the screen reads, tests and saves there.
TEST(SqlSettings, AnInstalledProgramUsesItsMachineAndDataFolders)
{
    TestEnv env;
    QTemporaryDir config;
    QTemporaryDir data;
    env.ctx->where.config = config.path();
    env.ctx->where.data = data.path();
    QFile pathFile(QDir(config.path()).filePath(QStringLiteral("path.txt")));
    ASSERT_TRUE(pathFile.open(QIODevice::WriteOnly));
    pathFile.write(";hall.db;;;\n");
    pathFile.close();

    frmSql form(*env.ctx);
    EXPECT_EQ(form.txtData->text(), QStringLiteral("hall.db"));
    // Looking creates nothing: the missing file is reported.
    form.Command2->click();
    EXPECT_TRUE(env.dialogs.last().startsWith(QStringLiteral("Connection Failed\nThere is no database file")))
        << env.dialogs.last().toStdString();
    EXPECT_FALSE(QFile::exists(QDir(data.path()).filePath(QStringLiteral("hall.db"))));

    form.txtData->setText(QStringLiteral("other.db"));
    form.Command1->click();
    ConnectionValues saved;
    EXPECT_EQ(connectionFiles::readPathFile(config.path(), saved), QString());
    EXPECT_EQ(saved.database, QStringLiteral("other.db"));
    EXPECT_FALSE(QFile::exists(env.path(QStringLiteral("path.txt"))));
}

// A connection that fails brings up the SQL settings screen with the store's own reason; it goes once
// the connection works again.
TEST(SqlSettings, AFailedConnectionShowsTheStoresReason)
{
    TestEnv env;
    env.db.exec(QStringLiteral("drop table brivane_schema"));
    env.db.exec(QStringLiteral("drop table tblvideo"));
    env.db.close();
    EXPECT_FALSE(openConnection(*env.ctx));
    auto* screen = qobject_cast<frmSql*>(env.screens.existing(QStringLiteral("connect")));
    ASSERT_TRUE(screen);
    EXPECT_FALSE(screen->lblReason->isHidden());
    EXPECT_TRUE(screen->lblReason->text().contains(QStringLiteral("tblvideo")))
        << qPrintable(screen->lblReason->text());

    env.session.connection.database = QStringLiteral("fresh.db");
    Database made;
    made.open(env.session.connection, env.dir.path());
    EXPECT_TRUE(openConnection(*env.ctx));
    EXPECT_TRUE(screen->lblReason->isHidden());
}

TEST(SqlSettings, AnyModeButSqlAuthenticationConnectsWithoutAPassword)
{
    TestEnv env;
    env.settings().set(QStringLiteral("Queue"), QStringLiteral("Sql"), QStringLiteral("aut"), QString());
    env.session.connection.database = QStringLiteral("other.db");
    Database made;
    made.open(env.session.connection, env.dir.path());
    EXPECT_TRUE(openConnection(*env.ctx));
    EXPECT_TRUE(env.db.identity().contains(QStringLiteral("other.db")));
    // The same values again keep the open connection.
    const QString before = env.db.identity();
    EXPECT_TRUE(openConnection(*env.ctx));
    EXPECT_EQ(env.db.identity(), before);
}

// Before log-in the stored database password goes only to the server and user it was stored for:
// another host or user empties the box, and Save needs the password typed.
TEST(SqlSettings, TheStoredPasswordNeverGoesToAnotherServer)
{
    TestEnv env;
    env.writeFile(QStringLiteral("path.txt"), "10.0.0.5:5432;hall;queue;s3cret;\n");
    frmSql form(*env.ctx);
    EXPECT_EQ(form.txtPass->text(), QStringLiteral("s3cret"));
    form.txthost->setText(QStringLiteral("10.0.0.5:5433"));
    EXPECT_EQ(form.txtPass->text(), QString());
    form.txthost->setText(QStringLiteral("10.0.0.5:5432"));
    EXPECT_EQ(form.txtPass->text(), QString()) << "gone once cleared: it is typed again";

    form.txtUser->setText(QStringLiteral("postgres"));
    form.Command1->click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Type the database password to save the connection."));
    ConnectionValues kept;
    connectionFiles::readPathFile(env.dir.path(), kept);
    EXPECT_EQ(kept.user, QStringLiteral("queue"));

    QTest::keyClicks(form.txtPass, QStringLiteral("typed"));
    form.txthost->setText(QStringLiteral("10.0.0.6"));
    EXPECT_EQ(form.txtPass->text(), QStringLiteral("typed")) << "a typed password stays";
    env.dialogs.clear();
    form.Command1->click();
    connectionFiles::readPathFile(env.dir.path(), kept);
    EXPECT_EQ(kept.host, QStringLiteral("10.0.0.6"));
    EXPECT_EQ(kept.password, QStringLiteral("typed"));
}

// Test Connection says what it found; a new hall's database is made only by Create, after a question.
TEST(SqlSettings, TestSaysWhatItFoundAndCreateMakesANewHallAfterAQuestion)
{
    TestEnv env;
    env.writeFile(QStringLiteral("path.txt"), ";new-hall.db;;;\n");
    frmSql form(*env.ctx);
    const QString file = env.path(QStringLiteral("new-hall.db"));
    form.Command2->click();
    EXPECT_TRUE(env.dialogs.last().contains(QStringLiteral("There is no database file")));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(form.Command3->isEnabled());

    env.dialogs.setNextAnswer(Dialogs::Answer::No);
    form.Command3->click();
    EXPECT_TRUE(env.dialogs.last().startsWith(QStringLiteral("Create a new, empty hall database")));
    EXPECT_FALSE(QFile::exists(file));

    env.dialogs.setNextAnswer(Dialogs::Answer::Yes);
    form.Command3->click();
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_FALSE(form.Command3->isEnabled());
    form.Command2->click();
    EXPECT_TRUE(env.dialogs.last().startsWith(QStringLiteral("Connection Success\nThe database")))
        << env.dialogs.last().toStdString();
}
