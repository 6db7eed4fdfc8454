#include "core/PersonalData.h"
#include "maintenance/Maintenance.h"
#include "maintenance/ServerBackup.h"
#include "testsupport/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {

const QByteArray Phone = "+447700900123";

QByteArray bytesOf(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A backup holds the hall's tickets, never the visitors' phone numbers, on either store; the live
// hall keeps the numbers of its waiting tickets.
class BackupPrivacyTest : public StoreTest
{
};

TEST_P(BackupPrivacyTest, ABackupHoldsTheTicketsButNoPhoneNumber)
{
    const Hall hall = seedHall(env->db);
    const qint64 ticket =
        env->db.insert(QStringLiteral("tblTicket"), {{QStringLiteral("servAuto"), hall.consultation},
                                                     {QStringLiteral("tickNo"), 7},
                                                     {QStringLiteral("tickDate"), env->clock.todayText()},
                                                     {QStringLiteral("call"), 0},
                                                     {QStringLiteral("no_abr"), QStringLiteral("A7")},
                                                     {QStringLiteral("status"), QString()}});
    env->db.exec(QStringLiteral("insert into brivane_phone (tickauto, phone) values (?, ?)"),
                 {ticket, QString::fromLatin1(Phone)});
    QDir(env->dir.path()).mkpath(QStringLiteral("backups"));
    const QString folder = env->path(QStringLiteral("backups"));

    QStringList files;
    QByteArray readable; // what the backup holds, as text that can be searched
    if (GetParam() == Store::Sqlite) {
        QString dated;
        ASSERT_EQ(maintenance::backupDatabase(env->db, folder, &dated), QString());
        files = {dated, maintenance::backupFileIn(folder)};
        readable = bytesOf(dated);
        // The copy is a hall of its own: the ticket there, the table of numbers there and empty.
        Database copy;
        copy.openSqlite(dated);
        EXPECT_EQ(copy.query(QStringLiteral("select no_abr from tblTicket where tickAuto = ?"), {ticket})
                      .text(0, 0),
                  QStringLiteral("A7"));
        EXPECT_EQ(copy.query(QStringLiteral("select count(*) from brivane_phone")).number(0, 0), 0);
    } else {
        const QString restoreTool = QStandardPaths::findExecutable(QStringLiteral("pg_restore"));
        if (restoreTool.isEmpty())
            GTEST_SKIP() << "pg_restore is not installed";
        const QString problem = serverbackup::backup(env->db, folder);
        if (problem.contains(QStringLiteral("pg_dump")))
            GTEST_SKIP() << qPrintable(problem);
        ASSERT_EQ(problem, QString());
        files = {serverbackup::backupFileIn(folder)};
        // The dump is compressed: read it as the SQL it restores.
        QProcess restore;
        restore.start(restoreTool, {QStringLiteral("--file=-"), serverbackup::backupFileIn(folder)});
        ASSERT_TRUE(restore.waitForFinished(60000));
        readable = restore.readAllStandardOutput();
        EXPECT_TRUE(readable.contains("CREATE TABLE") && readable.contains("brivane_phone"))
            << "the table itself is kept";
    }
    EXPECT_TRUE(readable.contains("Consultation")) << "the hall is in the backup";
    EXPECT_FALSE(readable.contains(Phone.mid(3)));
    for (const QString& file : files)
        EXPECT_FALSE(bytesOf(file).contains(Phone.mid(3))) << qPrintable(file);
    // The live hall keeps the number while its ticket waits.
    EXPECT_EQ(env->db.query(QStringLiteral("select phone from brivane_phone")).text(0, 0),
              QString::fromLatin1(Phone));
}

BRIVANE_STORE_TEST_SUITE(BackupPrivacyTest);

} // namespace
