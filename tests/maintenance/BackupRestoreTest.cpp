#include "MaintenanceTestSupport.h"
#include "maintenance/Maintenance.h"
#include "maintenance/frmBackup.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace maintenancetest;

namespace {

qint64 ticketsIn(const QString& file)
{
    Database copy;
    copy.openSqlite(file);
    return count(copy, QStringLiteral("tblTicket"));
}

class BackupRestore : public testing::Test
{
protected:
    void SetUp() override
    {
        hall = seedHall(env.db);
        addTicket(env.db, hall.consultation, 1, QStringLiteral("A1"), QStringLiteral("2026-03-14"), false);
        addTicket(env.db, hall.consultation, 2, QStringLiteral("A2"), QStringLiteral("2026-03-14"), false);
        QDir(env.dir.path()).mkpath(QStringLiteral("backups"));
        backupFolder = env.path(QStringLiteral("backups"));
    }
    frmBackup* open()
    {
        auto* w = qobject_cast<frmBackup*>(env.screens.open(QStringLiteral("bkup")));
        EXPECT_NE(w, nullptr);
        return w;
    }
    TestEnv env;
    Hall hall;
    QString backupFolder;
};

} // namespace

TEST_F(BackupRestore, BackupWritesDataMdbAndASecondBackupReplacesIt)
{
    frmBackup* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Backup & Restore"));
    EXPECT_TRUE(maintenance::sameFile(w->databasePath(), env.path(QStringLiteral("test.db"))));

    env.dialogs.setNextFileName(backupFolder);
    QTest::mouseClick(w->cmdBackupBrowse, Qt::LeftButton);
    EXPECT_EQ(w->Text2->text(), backupFolder);

    env.dialogs.setNextAnswer(Dialogs::Answer::No);
    w->cmdBackup_Click();
    EXPECT_FALSE(QFile::exists(maintenance::backupFileIn(backupFolder)));

    QTest::mouseClick(w->cmdBackup, Qt::LeftButton);
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Backup Completed Successfully "));
    const QString copy = maintenance::backupFileIn(backupFolder);
    EXPECT_EQ(ticketsIn(copy), 2);

    // The program keeps working on its own database while and after the copy is taken.
    addTicket(env.db, hall.consultation, 3, QStringLiteral("A3"), QStringLiteral("2026-03-14"), false);
    w->cmdBackup_Click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Backup Completed Successfully "));
    EXPECT_EQ(ticketsIn(copy), 3);
    EXPECT_FALSE(QFile::exists(copy + QStringLiteral(".part")));
}

TEST_F(BackupRestore, BackupHoldsWhatOtherWorkstationsCommittedAndNothingHalfDone)
{
    auto other = env.secondConnection();
    // Committed by another workstation: still in the write-ahead log, not yet in the main file.
    addTicket(*other, hall.lab, 100, QStringLiteral("B100"), QStringLiteral("2026-03-14"), false);
    {
        Database::Transaction pending(*other);
        addTicket(*other, hall.lab, 101, QStringLiteral("B101"), QStringLiteral("2026-03-14"), false);
        ASSERT_TRUE(maintenance::backupDatabase(env.db, backupFolder).isEmpty());
    }
    Database copy;
    copy.openSqlite(maintenance::backupFileIn(backupFolder));
    EXPECT_EQ(copy.query(QStringLiteral("select no_abr from tblTicket where servAuto=?"), {hall.lab}).size(),
              1);
    EXPECT_EQ(count(copy, QStringLiteral("tblTicket")), 3);
    EXPECT_EQ(count(copy, QStringLiteral("tblCounter")), 3);
}

TEST_F(BackupRestore, BackupRefusesTheDatabaseFileItselfAndReportsAMissingFolder)
{
    frmBackup* w = open();
    ASSERT_NE(w, nullptr);
    w->Text2->setText(w->databasePath());
    w->cmdBackup_Click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Select a different folder "));

    w->Text2->setText(env.path(QStringLiteral("no-such-folder")));
    w->cmdBackup_Click();
    EXPECT_EQ(env.dialogs.shown().last().icon, Dialogs::Icon::Critical);
    EXPECT_TRUE(env.dialogs.last().contains(QStringLiteral("does not exist")));
    EXPECT_FALSE(QFile::exists(env.path(QStringLiteral("no-such-folder/data.mdb"))));
}

TEST_F(BackupRestore, RestoreNeedsTheTypedYesAndBringsTheCopyBack)
{
    frmBackup* w = open();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(maintenance::backupDatabase(env.db, backupFolder).isEmpty());
    env.db.exec(QStringLiteral("delete from tblTicket"));

    env.dialogs.setNextFileName(maintenance::backupFileIn(backupFolder));
    QTest::mouseClick(w->cmdRestoreBrowse, Qt::LeftButton);
    EXPECT_EQ(w->Text1->text(), maintenance::backupFileIn(backupFolder));

    env.dialogs.setNextInput(QStringLiteral("y"));
    w->cmdRestore_Click();
    EXPECT_EQ(count(env.db, QStringLiteral("tblTicket")), 0);
    env.dialogs.setNextInput(std::nullopt);
    w->cmdRestore_Click();
    EXPECT_EQ(count(env.db, QStringLiteral("tblTicket")), 0);
    // Only the question was shown, twice.
    EXPECT_EQ(env.dialogs.texts(), (QStringList{QStringLiteral("Type 'Yes' to Restore "),
                                                QStringLiteral("Type 'Yes' to Restore ")}));

    env.dialogs.setNextInput(QStringLiteral("yes"));
    QTest::mouseClick(w->cmdRestore, Qt::LeftButton);
    ASSERT_FALSE(env.dialogs.shown().isEmpty());
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Restore Complete!"));
    EXPECT_EQ(env.dialogs.shown().last().title, QStringLiteral("RESTORE SUCCESSFUL"));
    EXPECT_EQ(env.dialogs.shown().last().icon, Dialogs::Icon::Information);
    // The connection is back, on the restored rows, and takes new ones.
    ASSERT_TRUE(env.db.isOpen());
    EXPECT_EQ(count(env.db, QStringLiteral("tblTicket")), 2);
    addTicket(env.db, hall.consultation, 3, QStringLiteral("A3"), QStringLiteral("2026-03-14"), false);
    EXPECT_EQ(count(env.db, QStringLiteral("tblTicket")), 3);
    w->close();
    EXPECT_TRUE(env.db.isOpen());
}

TEST_F(BackupRestore, RestoreRefusesTheDatabaseItselfAFileThatIsNoDatabaseAndADatabaseInUse)
{
    frmBackup* w = open();
    ASSERT_NE(w, nullptr);
    w->Text1->setText(w->databasePath());
    w->cmdRestore_Click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Source file should not be same"));
    EXPECT_EQ(count(env.db, QStringLiteral("tblTicket")), 2);

    env.writeFile(QStringLiteral("notes.mdb"), "just some text, not a database");
    w->Text1->setText(env.path(QStringLiteral("notes.mdb")));
    env.dialogs.setNextInput(QStringLiteral("YES"));
    w->cmdRestore_Click();
    EXPECT_EQ(env.dialogs.shown().last().title, QStringLiteral(" "));
    EXPECT_EQ(env.dialogs.shown().last().icon, Dialogs::Icon::Warning);
    ASSERT_TRUE(env.db.isOpen());
    EXPECT_EQ(count(env.db, QStringLiteral("tblTicket")), 2);

    // Another workstation still has the database open: replacing the file under it is refused.
    ASSERT_TRUE(maintenance::backupDatabase(env.db, backupFolder).isEmpty());
    env.db.exec(QStringLiteral("delete from tblTicket"));
    auto other = env.secondConnection();
    w->Text1->setText(maintenance::backupFileIn(backupFolder));
    env.dialogs.setNextInput(QStringLiteral("Yes"));
    w->cmdRestore_Click();
    EXPECT_TRUE(env.dialogs.last().contains(QStringLiteral("still open")))
        << env.dialogs.last().toStdString();
    EXPECT_EQ(count(*other, QStringLiteral("tblTicket")), 0);
    other.reset();
    env.dialogs.setNextInput(QStringLiteral("Yes"));
    w->cmdRestore_Click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Restore Complete!"));
    EXPECT_EQ(count(env.db, QStringLiteral("tblTicket")), 2);
}

TEST_F(BackupRestore, CommandsBackUpAndRestore)
{
    QString out, err;
    EXPECT_EQ(runCommand(env, QStringLiteral("backup"), {}), 2);
    EXPECT_EQ(runCommand(env, QStringLiteral("restore"), {}), 2);
    EXPECT_EQ(runCommand(env, QStringLiteral("backup"), {backupFolder}, &out), 0);
    EXPECT_TRUE(out.contains(QStringLiteral("data.mdb")));
    env.db.exec(QStringLiteral("delete from tblTicket"));

    EXPECT_EQ(
        runCommand(env, QStringLiteral("restore"), {env.path(QStringLiteral("test.db"))}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("Source file should not be same")));
    EXPECT_EQ(runCommand(env, QStringLiteral("restore"), {maintenance::backupFileIn(backupFolder)}), 0);
    ASSERT_TRUE(env.db.isOpen());
    EXPECT_EQ(count(env.db, QStringLiteral("tblTicket")), 2);
}

TEST(BackupOnServer, SaysTheServersOwnToolsAreNeededAndTouchesNothing)
{
    if (testStores().size() < 2)
        GTEST_SKIP() << "no PostgreSQL server named in BRIVANE_PG";
    TestEnv env(Store::Postgres);
    seedHall(env.db);
    auto* w = qobject_cast<frmBackup*>(env.screens.open(QStringLiteral("bkup")));
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->databasePath().isEmpty());
    w->Text2->setText(env.dir.path());
    w->cmdBackup_Click();
    EXPECT_EQ(env.dialogs.last(), maintenance::serverStoreMessage());
    EXPECT_EQ(env.dialogs.texts().size(), 1); // not even asked
    w->Text1->setText(env.path(QStringLiteral("anything.mdb")));
    w->cmdRestore_Click();
    EXPECT_EQ(env.dialogs.last(), maintenance::serverStoreMessage());
    EXPECT_FALSE(QFile::exists(maintenance::backupFileIn(env.dir.path())));
    EXPECT_TRUE(env.db.isOpen());

    QString err;
    EXPECT_EQ(runCommand(env, QStringLiteral("backup"), {env.dir.path()}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("PostgreSQL")));
    EXPECT_EQ(runCommand(env, QStringLiteral("restore"), {env.path(QStringLiteral("x.mdb"))}), 1);
    EXPECT_EQ(count(env.db, QStringLiteral("tblService")), 3);
}
