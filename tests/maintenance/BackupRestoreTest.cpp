#include "MaintenanceTestSupport.h"
#include "core/Schema.h"
#include "core/WorkstationKinds.h"
#include "maintenance/BackupFiles.h"
#include "maintenance/Maintenance.h"
#include "maintenance/RestoreMessages.h"
#include "maintenance/ServerBackup.h"
#include "maintenance/frmBackup.h"
#include "reports/ReportWindow.h"
#include "ui/Grid.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

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

QByteArray fileBytes(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// Each backup keeps a file of its own named after its date and time; the newest is also data.mdb.
// --keep N leaves the newest N dated files and nothing else is touched.
TEST_F(BackupRestore, BackupsAreDatedTheNewestIsDataMdbAndKeepRemovesTheOldest)
{
    QString written;
    ASSERT_TRUE(maintenance::backupDatabase(env.db, backupFolder, &written,
                                            QDateTime(QDate(2026, 12, 8), QTime(21, 0, 5)))
                    .isEmpty());
    EXPECT_EQ(written, QDir(backupFolder).filePath(QStringLiteral("data-2026-12-08_210005.mdb")));
    addTicket(env.db, hall.consultation, 3, QStringLiteral("A3"), QStringLiteral("2026-03-14"), false);
    ASSERT_TRUE(maintenance::backupDatabase(env.db, backupFolder, &written,
                                            QDateTime(QDate(2026, 12, 9), QTime(21, 0, 5)))
                    .isEmpty());
    // Yesterday's backup is still there as it was; today's is also data.mdb.
    EXPECT_EQ(ticketsIn(QDir(backupFolder).filePath(QStringLiteral("data-2026-12-08_210005.mdb"))), 2);
    EXPECT_EQ(ticketsIn(written), 3);
    EXPECT_EQ(ticketsIn(maintenance::backupFileIn(backupFolder)), 3);
    EXPECT_EQ(fileBytes(written), fileBytes(maintenance::backupFileIn(backupFolder)));
    EXPECT_FALSE(QFile::exists(maintenance::backupFileIn(backupFolder) + QStringLiteral(".part")));

    // From the command line: the file is named, and --keep 2 removes the oldest dated ones only.
    env.writeFile(QStringLiteral("backups/notes.txt"), "kept");
    env.writeFile(QStringLiteral("backups/data-old.mdb"), "kept: not a dated name");
    QString out, err;
    EXPECT_EQ(runCommand(env, QStringLiteral("backup"),
                         {backupFolder, QStringLiteral("--keep"), QStringLiteral("2")}, &out, &err),
              0)
        << err.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Backup Completed Successfully: ") + backupFolder +
                             QStringLiteral("/data-")))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Removed the older backup ") + backupFolder +
                             QStringLiteral("/data-2026-12-08_210005.mdb")))
        << out.toStdString();
    QStringList left = QDir(backupFolder).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(left.size(), 5) << left.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(left.contains(QStringLiteral("data-2026-12-09_210005.mdb")));
    EXPECT_TRUE(left.contains(QStringLiteral("data.mdb")));
    EXPECT_TRUE(left.contains(QStringLiteral("data-old.mdb")));
    EXPECT_TRUE(left.contains(QStringLiteral("notes.txt")));
    for (const QStringList& bad : {QStringList{backupFolder, QStringLiteral("--keep")},
                                   QStringList{backupFolder, QStringLiteral("--keep"), QStringLiteral("0")},
                                   QStringList{QStringLiteral("--keep"), QStringLiteral("3")}})
        EXPECT_EQ(runCommand(env, QStringLiteral("backup"), bad), 2)
            << bad.join(QLatin1Char(' ')).toStdString();
}

// The window offers a folder of its own and the store's kind of backup, and a restore keeps the
// copy an earlier restore kept until it has succeeded itself.
TEST_F(BackupRestore, WindowOffersAFolderAndRestoreKeepsTheEarlierUndoCopyUntilItSucceeded)
{
    frmBackup* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Text2->text(), QDir::toNativeSeparators(backupfiles::defaultFolder()));
    EXPECT_TRUE(w->restoreFilter().startsWith(QStringLiteral("Database backups (*.mdb)")));

    ASSERT_TRUE(maintenance::backupDatabase(env.db, backupFolder).isEmpty());
    const QString target = w->databasePath();
    const QString kept = maintenance::keptBeforeRestore(target);
    env.db.close();
    env.writeFile(QStringLiteral("earlier-undo"), "the undo copy of an earlier restore");
    ASSERT_TRUE(QFile::copy(env.path(QStringLiteral("earlier-undo")), kept));
    // A restore that fails leaves the earlier undo copy as it was, and nothing half made beside it.
    env.writeFile(QStringLiteral("backups/broken.mdb"), "SQLite format 3");
    EXPECT_FALSE(
        maintenance::restoreDatabase(env.path(QStringLiteral("backups/broken.mdb")), target).isEmpty());
    EXPECT_EQ(fileBytes(kept), QByteArray("the undo copy of an earlier restore"));
    const QByteArray present = fileBytes(target);
    EXPECT_TRUE(maintenance::restoreDatabase(maintenance::backupFileIn(backupFolder), target).isEmpty());
    EXPECT_EQ(fileBytes(kept), present);
    EXPECT_EQ(QDir(env.dir.path()).entryList({QStringLiteral("*.part"), QStringLiteral("*.restoring")}),
              QStringList());
    env.db.openSqlite(target);
}

// The program's own report and clearing windows keep connections of their own; they give them back
// before a restore, and list again from the restored database afterwards.
TEST_F(BackupRestore, ThisWorkstationsReportWindowsDoNotBlockARestore)
{
    ASSERT_TRUE(maintenance::backupDatabase(env.db, backupFolder).isEmpty());
    env.db.exec(QStringLiteral("delete from tblTicket"));
    auto* report = qobject_cast<ReportWindow*>(env.screens.open(QStringLiteral("deptBased")));
    auto* clear = qobject_cast<ReportWindow*>(env.screens.open(QStringLiteral("clrTickData")));
    ASSERT_TRUE(report && clear);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !report->filling() && !clear->filling(); }, 20000));
    frmBackup* w = open();
    ASSERT_NE(w, nullptr);
    w->Text1->setText(maintenance::backupFileIn(backupFolder));
    env.dialogs.setNextInput(QStringLiteral("Yes"));
    w->cmdRestore_Click();
    EXPECT_TRUE(env.dialogs.last().startsWith(QStringLiteral("Restore Complete!")))
        << env.dialogs.last().toStdString();
    EXPECT_EQ(count(env.db, QStringLiteral("tblTicket")), 2);
    report->dtFrom->setDate(QDate(2026, 3, 14));
    report->DTto->setDate(QDate(2026, 3, 14));
    report->chkAll->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !report->filling(); }, 20000));
    EXPECT_EQ(report->FG->rows(), 3);
}

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
    EXPECT_TRUE(env.dialogs.last().startsWith(QStringLiteral("Backup Completed Successfully \n") +
                                              backupFolder + QStringLiteral("/data-")))
        << env.dialogs.last().toStdString();
    const QString copy = maintenance::backupFileIn(backupFolder);
    EXPECT_EQ(ticketsIn(copy), 2);

    // The program keeps working on its own database while and after the copy is taken.
    addTicket(env.db, hall.consultation, 3, QStringLiteral("A3"), QStringLiteral("2026-03-14"), false);
    w->cmdBackup_Click();
    EXPECT_TRUE(env.dialogs.last().startsWith(QStringLiteral("Backup Completed Successfully \n") +
                                              backupFolder + QStringLiteral("/data-")))
        << env.dialogs.last().toStdString();
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

    // A folder that is not there yet is made (the offered one at first use); one that cannot be made
    // is named.
    w->Text2->setText(env.path(QStringLiteral("new-folder")));
    w->cmdBackup_Click();
    EXPECT_TRUE(QFile::exists(env.path(QStringLiteral("new-folder/data.mdb"))));
    env.writeFile(QStringLiteral("a-file"), "x");
    w->Text2->setText(env.path(QStringLiteral("a-file/below")));
    w->cmdBackup_Click();
    EXPECT_EQ(env.dialogs.shown().last().icon, Dialogs::Icon::Critical);
    EXPECT_TRUE(env.dialogs.last().contains(QStringLiteral("cannot be made")));
    EXPECT_FALSE(QFile::exists(env.path(QStringLiteral("a-file/below/data.mdb"))));
    EXPECT_FALSE(maintenance::backupDatabase(env.db, env.path(QStringLiteral("no-such-folder"))).isEmpty());
}

TEST_F(BackupRestore, RestoreNeedsTheTypedYesAndBringsTheCopyBack)
{
    frmBackup* w = open();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(maintenance::backupDatabase(env.db, backupFolder).isEmpty());
    env.db.exec(QStringLiteral("delete from tblTicket"));
    // Three tokens issued after the backup was made (dated the day after it).
    const QString later = QDate::currentDate().addDays(1).toString(QStringLiteral("yyyy-MM-dd"));
    for (int n = 1; n <= 3; ++n)
        addTicket(env.db, hall.consultation, n, QStringLiteral("A%1").arg(n), later, false);

    const QString file = maintenance::backupFileIn(backupFolder);
    env.dialogs.setNextFileName(file);
    QTest::mouseClick(w->cmdRestoreBrowse, Qt::LeftButton);
    EXPECT_EQ(w->Text1->text(), file);

    env.dialogs.setNextInput(QStringLiteral("y"));
    w->cmdRestore_Click();
    EXPECT_EQ(count(env.db, QStringLiteral("tblTicket")), 3);
    env.dialogs.setNextInput(std::nullopt);
    w->cmdRestore_Click();
    EXPECT_EQ(count(env.db, QStringLiteral("tblTicket")), 3);
    // Only the question was shown, twice: the backup's name and date, and what would be lost.
    const QString question = maintenance::restoreQuestion(file, maintenance::backupMadeAt(file), 3);
    EXPECT_EQ(env.dialogs.texts(), (QStringList{question, question}));
    EXPECT_EQ(question,
              QStringLiteral("The database will be replaced by the backup \"data.mdb\", made %1.\n"
                             "Everything changed since then is lost, with the 3 token(s) issued "
                             "since.\nType 'Yes' to Restore ")
                  .arg(QFileInfo(file).lastModified().toString(QStringLiteral("dd-MM-yyyy HH:mm"))));

    env.dialogs.setNextInput(QStringLiteral("yes"));
    QTest::mouseClick(w->cmdRestore, Qt::LeftButton);
    ASSERT_FALSE(env.dialogs.shown().isEmpty());
    EXPECT_TRUE(env.dialogs.last().startsWith(QStringLiteral("Restore Complete!")));
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
    EXPECT_EQ(env.dialogs.shown().last().title, Dialogs::programTitle()) << "a blank title is the program's";
    EXPECT_EQ(env.dialogs.shown().last().icon, Dialogs::Icon::Warning);
    ASSERT_TRUE(env.db.isOpen());
    EXPECT_EQ(count(env.db, QStringLiteral("tblTicket")), 2);

    // Another workstation still has the database open: replacing the file under it is refused.
    ASSERT_TRUE(maintenance::backupDatabase(env.db, backupFolder).isEmpty());
    env.db.exec(QStringLiteral("delete from tblTicket"));
    auto other = env.secondConnection();
    w->Text1->setText(maintenance::backupFileIn(backupFolder));
    // Another program on this computer has the file open too.
    QProcess holder;
    holder.setStandardInputFile(w->databasePath());
    holder.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(holder.waitForStarted());
    env.dialogs.setNextInput(QStringLiteral("Yes"));
    w->cmdRestore_Click();
    // What holds it open is named: this program's other windows and the other program.
    EXPECT_EQ(
        env.dialogs.last(),
        QStringLiteral("The database is still open on another screen or workstation; close it there and "
                       "restore again\nOpen on this computer in: other windows of this program; sleep "
                       "(process %1).")
            .arg(holder.processId()));
    holder.kill();
    holder.waitForFinished();
    EXPECT_EQ(count(*other, QStringLiteral("tblTicket")), 0);
    other.reset();
    env.dialogs.setNextInput(QStringLiteral("Yes"));
    w->cmdRestore_Click();
    EXPECT_TRUE(env.dialogs.last().startsWith(QStringLiteral("Restore Complete!")));
    EXPECT_EQ(count(env.db, QStringLiteral("tblTicket")), 2);
}

// A journal left beside a database no program here has open: another workstation's, or one a program
// left when it ended without closing the database.
TEST(RestoreRefusal, WithNoProgramHereHoldingTheFileSaysWhatElseKeepsItOpen)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("queue.db"));
    for (const QString& name : {file, file + QStringLiteral("-wal")}) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(
        maintenance::stillOpenText(file),
        QStringLiteral("The database is still open on another screen or workstation; close it there and "
                       "restore again\nNo program on this computer has it open, so another workstation "
                       "has; or a program that ended without closing it left its journal \"%1-wal\" "
                       "behind (opening the database once and closing it again removes it).")
            .arg(QDir::toNativeSeparators(file)));
}

TEST_F(BackupRestore, CommandsBackUpAndRestore)
{
    QString out, err;
    EXPECT_EQ(runCommand(env, QStringLiteral("backup"), {}), 2);
    EXPECT_EQ(runCommand(env, QStringLiteral("restore"), {}), 2);
    EXPECT_EQ(runCommand(env, QStringLiteral("backup"), {backupFolder}, &out), 0);
    EXPECT_TRUE(out.contains(QStringLiteral("/data-")));
    env.db.exec(QStringLiteral("delete from tblTicket"));

    EXPECT_EQ(
        runCommand(env, QStringLiteral("restore"), {env.path(QStringLiteral("test.db"))}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("Source file should not be same")));
    EXPECT_EQ(runCommand(env, QStringLiteral("restore"), {maintenance::backupFileIn(backupFolder)}), 0);
    ASSERT_TRUE(env.db.isOpen());
    EXPECT_EQ(count(env.db, QStringLiteral("tblTicket")), 2);
}

// Backups hold every log-in: they and the copy kept before a restore are readable by their owner
// only. A restored database keeps the mode (and group) the replaced one had, so the other
// workstations of an installed program can still write it.
TEST_F(BackupRestore, BackupsArePrivateAndARestoreKeepsTheDatabasesMode)
{
    const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    ASSERT_TRUE(maintenance::backupDatabase(env.db, backupFolder).isEmpty());
    const QString backup = maintenance::backupFileIn(backupFolder);
    EXPECT_EQ(QFile::permissions(backup) & others, QFile::Permissions());

    const QString target = env.path(QStringLiteral("shared.db"));
    {
        Database made;
        made.openSqlite(target);
    }
    const auto shared = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser |
                        QFile::ReadGroup | QFile::WriteGroup;
    ASSERT_TRUE(QFile::setPermissions(target, shared));
    // The backup as another tool might leave it: readable by everyone.
    QFile::setPermissions(backup, QFile::permissions(backup) | QFile::ReadOther);
    ASSERT_EQ(maintenance::restoreDatabase(backup, target), QString());
    EXPECT_EQ(QFile::permissions(target), shared);
    EXPECT_EQ(ticketsIn(target), 2);
    const QString kept = maintenance::keptBeforeRestore(target);
    EXPECT_EQ(QFile::permissions(kept) & others, QFile::Permissions());
}

TEST_F(BackupRestore, RestoreRefusesAnotherProgramsDatabaseAndKeepsTheOneItReplaces)
{
    // An SQLite file of some other program: it passes the file check but is no Brivane database.
    {
        Database foreign;
        foreign.openSqlite(env.path(QStringLiteral("other.db")));
        foreign.exec(QStringLiteral("drop table brivane_schema"));
        foreign.exec(QStringLiteral("drop table tblCall"));
    }
    frmBackup* w = open();
    ASSERT_NE(w, nullptr);
    w->Text1->setText(env.path(QStringLiteral("other.db")));
    env.dialogs.setNextInput(QStringLiteral("Yes"));
    w->cmdRestore_Click();
    EXPECT_TRUE(env.dialogs.last().contains(QStringLiteral("is not a Brivane database")))
        << env.dialogs.last().toStdString();
    EXPECT_EQ(count(env.db, QStringLiteral("tblTicket")), 2);
    EXPECT_FALSE(QFile::exists(maintenance::keptBeforeRestore(w->databasePath())));

    // A backup of a newer Brivane is not read either.
    ASSERT_TRUE(maintenance::backupDatabase(env.db, backupFolder).isEmpty());
    {
        Database newer;
        newer.openSqlite(maintenance::backupFileIn(backupFolder));
        newer.exec(QStringLiteral("update brivane_schema set version=99"));
    }
    EXPECT_TRUE(maintenance::restoreDatabase(maintenance::backupFileIn(backupFolder),
                                             env.path(QStringLiteral("x.db")))
                    .contains(QStringLiteral("newer version of Brivane (schema 99)")));
    ASSERT_TRUE(maintenance::backupDatabase(env.db, backupFolder).isEmpty());
    env.db.exec(QStringLiteral("delete from tblTicket where tickNo=1"));
    w->Text1->setText(maintenance::backupFileIn(backupFolder));
    env.dialogs.setNextInput(QStringLiteral("Yes"));
    w->cmdRestore_Click();
    EXPECT_TRUE(env.dialogs.last().startsWith(QStringLiteral("Restore Complete!")));
    EXPECT_EQ(count(env.db, QStringLiteral("tblTicket")), 2);
    // What the restore replaced is beside the database file.
    EXPECT_EQ(ticketsIn(maintenance::keptBeforeRestore(w->databasePath())), 1);
}

namespace {

// Every row of every table, in key order, as text.
QStringList everyRow(Database& db)
{
    QStringList rows;
    for (const schema::Table& t : schema::tables()) {
        const ResultSet rs = db.query(QStringLiteral("select * from %1 order by %2").arg(t.name, t.key()));
        for (int r = 0; r < rs.size(); ++r) {
            QStringList fields{t.name};
            for (int c = 0; c < rs.columnCount(); ++c)
                fields.append(rs.isNull(r, c) ? QStringLiteral("<null>") : rs.text(r, c));
            rows.append(fields.join(QLatin1Char('|')));
        }
    }
    return rows;
}

class ServerBackup : public testing::Test
{
protected:
    void SetUp() override
    {
        if (testStores().size() < 2)
            GTEST_SKIP() << "no PostgreSQL server named in BRIVANE_PG";
        env = std::make_unique<TestEnv>(Store::Postgres);
        hall = seedHall(env->db);
        addTicket(env->db, hall.consultation, 1, QStringLiteral("A1"), QStringLiteral("2026-03-14"), true,
                  hall.counter1, QStringLiteral("09:01:00"), QStringLiteral("09:07:00"));
        addTicket(env->db, hall.lab, 100, QStringLiteral("B100"), QStringLiteral("2026-03-14"), false);
        addCall(env->db, hall.counter1, QStringLiteral("A1"), QStringLiteral("2026-03-14"));
        QDir(env->dir.path()).mkpath(QStringLiteral("backups"));
        folder = env->path(QStringLiteral("backups"));
    }
    frmBackup* open() { return qobject_cast<frmBackup*>(env->screens.open(QStringLiteral("bkup"))); }

    std::unique_ptr<TestEnv> env;
    Hall hall;
    QString folder;
};

} // namespace

TEST_F(ServerBackup, ABackupRestoredIntoAnEmptiedDatabaseGivesTheSameHall)
{
    const QStringList before = everyRow(env->db);
    frmBackup* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->Text2->isEnabled());
    w->Text2->setText(folder);
    w->cmdBackup_Click();
    ASSERT_EQ(env->dialogs.texts().size(), 2);
    EXPECT_EQ(env->dialogs.texts().first(), QStringLiteral("Do you want to backup"));
    // The message names the dated dump; the newest is also data.dump, which a restore finds.
    const QStringList dated = QDir(folder).entryList({QStringLiteral("data-*.dump")});
    ASSERT_EQ(dated.size(), 1);
    EXPECT_EQ(env->dialogs.last(), frmBackup::backupDoneText(QDir(folder).filePath(dated.first())));
    const QString dump = serverbackup::backupFileIn(folder);
    EXPECT_EQ(fileBytes(dump), fileBytes(QDir(folder).filePath(dated.first())));
    ASSERT_TRUE(serverbackup::looksLikeDump(dump));
    EXPECT_EQ(w->prgWork->maximum(), int(schema::tables().size()) + 1);
    EXPECT_EQ(w->prgWork->value(), w->prgWork->maximum());
    EXPECT_FALSE(w->prgWork->isVisible());
    EXPECT_TRUE(w->cmdBackup->isEnabled());

    env->db.clearAllTables();
    ASSERT_TRUE(everyRow(env->db).isEmpty());
    w->Text1->setText(dump);
    env->dialogs.setNextInput(QStringLiteral("yes"));
    w->cmdRestore_Click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Restore Complete!\nThe database it replaced is kept in ") +
                                       serverbackup::backupFileIn(folder) +
                                       QStringLiteral(".before-restore"));
    EXPECT_EQ(env->dialogs.shown().last().title, QStringLiteral("RESTORE SUCCESSFUL"));
    EXPECT_EQ(everyRow(env->db), before);
    // New keys go on after the restored ones.
    EXPECT_GT(
        env->db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("New")}}),
        hall.emergencyDept);
    // The emptied database it replaced is kept beside the dump.
    EXPECT_TRUE(serverbackup::looksLikeDump(dump + QStringLiteral(".before-restore")));

    // The same from the command line.
    QString out, err;
    EXPECT_EQ(runCommand(*env, QStringLiteral("backup"), {folder}, &out, &err), 0) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("of 14 tables")));
    env->db.exec(QStringLiteral("delete from tblTicket"));
    EXPECT_EQ(runCommand(*env, QStringLiteral("restore"), {dump}, &out, &err), 0) << err.toStdString();
    EXPECT_EQ(count(env->db, QStringLiteral("tblTicket")), 2);
}

TEST_F(ServerBackup, ThisWorkstationsReportWindowsDoNotCountAsOtherWorkstations)
{
    ASSERT_TRUE(serverbackup::backup(env->db, folder).isEmpty());
    auto* report = qobject_cast<ReportWindow*>(env->screens.open(QStringLiteral("cntBased")));
    ASSERT_TRUE(report);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !report->filling(); }, 20000));
    EXPECT_EQ(serverbackup::otherConnections(env->db), 1);
    frmBackup* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->restoreFilter().startsWith(QStringLiteral("Server database backups (*.dump)")));
    w->Text1->setText(serverbackup::backupFileIn(folder));
    env->dialogs.setNextInput(QStringLiteral("yes"));
    w->cmdRestore_Click();
    EXPECT_TRUE(env->dialogs.last().startsWith(QStringLiteral("Restore Complete!")))
        << env->dialogs.last().toStdString();
    // The earlier undo copy is replaced by this restore's, and no half-made one is left.
    EXPECT_TRUE(
        serverbackup::looksLikeDump(serverbackup::backupFileIn(folder) + QStringLiteral(".before-restore")));
    EXPECT_FALSE(QFile::exists(serverbackup::backupFileIn(folder) + QStringLiteral(".before-restore.new")));
}

TEST_F(ServerBackup, RestoreIsRefusedWhileOthersAreConnectedAndForFilesThatAreNoBrivaneBackup)
{
    ASSERT_TRUE(serverbackup::backup(env->db, folder).isEmpty());
    const QString dump = serverbackup::backupFileIn(folder);
    const QStringList live = everyRow(env->db);

    {
        auto other = env->secondConnection();
        auto third = env->secondConnection();
        const QString refused = serverbackup::restore(env->db, dump);
        EXPECT_TRUE(refused.startsWith(QStringLiteral("2 other workstations are connected")))
            << refused.toStdString();
        // Named by where they connect from and which program they are.
        EXPECT_TRUE(
            refused.contains(QStringLiteral("connected to this database: 127.0.0.1 (test_maintenance, 2 "
                                            "connections). Close Brivane there")))
            << refused.toStdString();
    }

    env->writeFile(QStringLiteral("notes.dump"), "just some text");
    EXPECT_TRUE(serverbackup::restore(env->db, env->path(QStringLiteral("notes.dump")))
                    .contains(QStringLiteral("is not a backup of a database held by a PostgreSQL server")));
    EXPECT_TRUE(serverbackup::restore(env->db, env->path(QStringLiteral("missing.dump")))
                    .contains(QStringLiteral("does not exist")));

    // Half a dump: its table of contents may still read, but the restore fails and is undone.
    QFile whole(dump);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    env->writeFile(QStringLiteral("half.dump"), bytes.left(bytes.size() * 2 / 3));
    const QString half = serverbackup::restore(env->db, env->path(QStringLiteral("half.dump")));
    EXPECT_FALSE(half.isEmpty());
    EXPECT_EQ(everyRow(env->db), live);

    QString err;
    EXPECT_EQ(
        runCommand(*env, QStringLiteral("backup"), {env->path(QStringLiteral("nowhere"))}, nullptr, &err), 1);
    QDir(env->dir.path()).mkpath(QStringLiteral("locked"));
    QFile::setPermissions(env->path(QStringLiteral("locked")),
                          QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (::geteuid() != 0) { // the superuser writes anywhere
        EXPECT_TRUE(serverbackup::backup(env->db, env->path(QStringLiteral("locked")))
                        .contains(QStringLiteral("cannot be written to")));
    }
    EXPECT_TRUE(err.contains(QStringLiteral("does not exist")));
    EXPECT_EQ(everyRow(env->db), live);
}

// A workstation of another kind logs in with a login of its own: the owner (no superuser) is shown
// neither its address nor its program, and the restore is refused all the same.
TEST_F(ServerBackup, RestoreIsRefusedWhileAWorkstationOfAnotherKindIsConnected)
{
    if (env->db
            .query(QStringLiteral("select rolcreaterole and not rolsuper from pg_roles "
                                  "where rolname = current_user"))
            .text(0, 0) != QLatin1String("true"))
        GTEST_SKIP() << "needs a test role that may create roles and is no superuser";
    ASSERT_TRUE(serverbackup::backup(env->db, folder).isEmpty());
    const QString database = env->db.query(QStringLiteral("select current_database()")).text(0, 0);
    const QString login = database + QStringLiteral("_t_restorekiosk");
    env->db.exec(QStringLiteral("drop role if exists %1").arg(login));
    env->db.exec(QStringLiteral("create role %1 login password 'kiosk-pw'").arg(login));
    ASSERT_EQ(kinds::grantKind(env->db, kinds::Kind::Kiosk, login), QString());
    {
        ConnectionValues values;
        ASSERT_TRUE(pgServerFromEnvironment(values));
        values.database = database;
        values.user = login;
        values.password = QStringLiteral("kiosk-pw");
        Database kiosk;
        kiosk.open(values, env->dir.path(), Database::Creation::Refused);
        const QString refused = serverbackup::restore(env->db, serverbackup::backupFileIn(folder));
        EXPECT_TRUE(refused.startsWith(QStringLiteral("1 other workstation is connected to this database: "
                                                      "a computer logged in as %1")
                                           .arg(login)))
            << refused.toStdString();
    }
    env->db.exec(QStringLiteral("drop role %1").arg(login));
}

TEST_F(ServerBackup, MissingOrTooOldToolsAreNamedAndNothingIsWritten)
{
    QTemporaryDir tools;
    qputenv("BRIVANE_PG_BIN", tools.path().toLocal8Bit());
    EXPECT_EQ(serverbackup::backup(env->db, folder),
              QStringLiteral("pg_dump was not found. Install the PostgreSQL client programs (package "
                             "postgresql-client) and try again."));

    QFile fake(tools.filePath(QStringLiteral("pg_dump")));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("#!/bin/sh\necho 'pg_dump (PostgreSQL) 9.6.24'\n");
    fake.close();
    fake.setPermissions(fake.permissions() | QFileDevice::ExeOwner);
    const QString old = serverbackup::backup(env->db, folder);
    qunsetenv("BRIVANE_PG_BIN");
    EXPECT_TRUE(old.startsWith(QStringLiteral("pg_dump 9 cannot work with this PostgreSQL")))
        << old.toStdString();
    EXPECT_FALSE(QFile::exists(serverbackup::backupFileIn(folder)));
}
