#include "core/Database.h"
#include "core/PrivateFile.h"
#include "core/StoreProbe.h"
#include "testsupport/TestEnv.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>

namespace {

QByteArray digest(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                       : QByteArray();
}

QString openError(const ConnectionValues& values, const QString& dir,
                  Database::Creation creation = Database::Creation::Allowed)
{
    try {
        Database db;
        db.open(values, dir, creation);
        return QString();
    } catch (const DbError& e) {
        return e.description();
    }
}

void makeSqlite(const QString& file, const QStringList& statements)
{
    const QString name = QStringLiteral("maker-") + file;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const QString& s : statements)
            ASSERT_TRUE(q.exec(s)) << s.toStdString();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

// Another program's SQLite file named by mistake is refused and left byte for byte as it was; a file
// that is not a plain file is refused before anything is opened.
TEST(StoreSafety, AForeignSqliteFileIsRefusedAndLeftUntouched)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("places.sqlite"));
    makeSqlite(file, {QStringLiteral("create table moz_places (id integer primary key, url text)"),
                      QStringLiteral("insert into moz_places (url) values ('https://example.org')")});
    const QByteArray before = digest(file);
    ConnectionValues v;
    v.database = file;
    const QString refusal = openError(v, dir.path());
    EXPECT_TRUE(refusal.contains(QStringLiteral("another program"))) << refusal.toStdString();
    EXPECT_EQ(digest(file), before);
    EXPECT_FALSE(QFile::exists(file + QStringLiteral("-wal")));

    v.database = dir.path(); // a folder
    EXPECT_TRUE(openError(v, dir.path()).contains(QStringLiteral("not a database file")));
}

// Hand-made tables whose first column is not a key the store assigns would give rows without keys.
TEST(StoreSafety, HandMadeTablesWithoutAutomaticKeysAreRefused)
{
    TestEnv env;
    QStringList ddl;
    const ResultSet rs = env.db.query(QStringLiteral(
        "select sql from sqlite_master where type='table' and name <> 'brivane_schema' and name not "
        "like 'sqlite_%'"));
    for (int i = 0; i < rs.size(); ++i)
        ddl.append(rs.text(i, 0).replace(QStringLiteral("integer primary key autoincrement"),
                                         QStringLiteral("integer")));
    const QString file = env.path(QStringLiteral("hand.db"));
    makeSqlite(file, ddl);
    const QByteArray before = digest(file);
    ConnectionValues v;
    v.database = file;
    const QString refusal = openError(v, env.dir.path());
    EXPECT_TRUE(refusal.contains(QStringLiteral("tbluser"))) << refusal.toStdString();
    EXPECT_EQ(digest(file), before);
}

// Opening for work never creates: a missing file or an empty database is reported, and only the
// explicit step makes a new hall's database, readable by its owner only.
TEST(StoreSafety, OnlyAnExplicitStepCreatesADatabase)
{
    QTemporaryDir dir;
    ConnectionValues v;
    v.database = QStringLiteral("new.db");
    const QString file = dir.filePath(v.database);
    EXPECT_TRUE(
        openError(v, dir.path(), Database::Creation::Refused).contains(QStringLiteral("no database file")));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(probeStore(v, dir.path()).state, StoreFinding::State::NoDatabase);
    EXPECT_FALSE(QFile::exists(file));

    // A database whose tables are all gone (or never made) is not filled by opening it.
    makeSqlite(file, {QStringLiteral("create table t (x integer)"), QStringLiteral("drop table t")});
    EXPECT_EQ(probeStore(v, dir.path()).state, StoreFinding::State::NoTables);
    EXPECT_TRUE(
        openError(v, dir.path(), Database::Creation::Refused).contains(QStringLiteral("no hall yet")));
    QFile::remove(file);

    // An empty file is one an installer prepared for the hall: its tables are made.
    QFile empty(file);
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_EQ(openError(v, dir.path(), Database::Creation::Refused), QString());
    QFile::remove(file);

    EXPECT_EQ(openError(v, dir.path(), Database::Creation::Allowed), QString());
    EXPECT_EQ(probeStore(v, dir.path()).state, StoreFinding::State::Ready);
    EXPECT_EQ(QFile::permissions(file) & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
    EXPECT_EQ(openError(v, dir.path(), Database::Creation::Refused), QString());
}

// A write that finds the file locked by another workstation waits in short steps, during which the
// program's timers go on (the window repaints, the clock ticks), then says plainly that it is busy.
TEST(StoreSafety, ABusySqliteFileIsWaitedForInStepsThenReported)
{
    TestEnv env;
    auto other = env.secondConnection();
    Database::Transaction holding(*other);
    other->insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("Held")}});

    Database::setBusyWait(1200);
    int ticks = 0;
    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, [&] { ++ticks; });
    clock.start(50);
    QElapsedTimer waited;
    waited.start();
    try {
        env.db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("Blocked")}});
        ADD_FAILURE() << "the write went through a held lock";
    } catch (const DbError& e) {
        EXPECT_EQ(e.description(), DbError::busyText());
    }
    EXPECT_GE(waited.elapsed(), 1000);
    EXPECT_LT(waited.elapsed(), 5000);
    EXPECT_GE(ticks, 5) << "the window's timers stood still during the wait";
    Database::setBusyWait(10000);

    // Once the lock goes, the write is waited for and goes through.
    QTimer::singleShot(300, [&] { holding.commit(); });
    env.db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("After")}});
    EXPECT_EQ(env.db.query(QStringLiteral("select count(*) from tblDept where deptName in ('Held','After')"))
                  .number(0, 0),
              2);
}

// On PostgreSQL a statement that waits on another session's lock ends after the time-out, with a
// plain message, instead of hanging the board or the counter.
TEST(StoreSafety, APostgresStatementEndsAfterItsTimeOut)
{
    ConnectionValues values;
    if (!pgServerFromEnvironment(values))
        GTEST_SKIP() << "needs a PostgreSQL server (BRIVANE_PG)";
    TestEnv env(Store::Postgres);
    auto other = env.secondConnection();
    env.db.setStatementTimeout(700);
    Database::Transaction holding(*other);
    other->exec(QStringLiteral("lock table tblCall in access exclusive mode"));
    QElapsedTimer waited;
    waited.start();
    try {
        env.db.query(QStringLiteral("select count(*) from tblCall"));
        ADD_FAILURE() << "the read went through an exclusive lock";
    } catch (const DbError& e) {
        EXPECT_EQ(e.description(), DbError::busyText());
    }
    EXPECT_LT(waited.elapsed(), 5000);
    holding.commit();
    EXPECT_EQ(env.db.query(QStringLiteral("select count(*) from tblCall")).number(0, 0), 0);
}

TEST(StoreSafety, TlsIsRequiredThroughTheConnectionOptions)
{
    EXPECT_EQ(sslModeOf(QString()), QString());
    EXPECT_EQ(sslModeOf(QStringLiteral("sslmode=require")), QStringLiteral("require"));
    EXPECT_EQ(sslModeOf(QStringLiteral("SSLMODE=Verify-Full")), QStringLiteral("verify-full"));
    EXPECT_THROW(sslModeOf(QStringLiteral("sslmode=always")), DbError);

    ConnectionValues values;
    if (!pgServerFromEnvironment(values))
        return;
    // The test server speaks no TLS: a connection that requires it is refused, not made in clear.
    values.options = QStringLiteral("sslmode=require");
    Database db;
    EXPECT_THROW(db.open(values, QString()), DbError);
    values.options = QStringLiteral("sslmode=disable");
    EXPECT_NO_THROW(db.open(values, QString()));
}
