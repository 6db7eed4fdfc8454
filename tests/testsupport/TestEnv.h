#pragma once

#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/Database.h"
#include "core/ScreenRegistry.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "testsupport/Fakes.h"
#include "ui/Clock.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// Which store a test runs on. PostgreSQL is offered only when BRIVANE_PG names a server
// ("host:port;database;user;password").
enum class Store { Sqlite, Postgres };
std::vector<Store> testStores();
// The server BRIVANE_PG names; false when it names none.
bool pgServerFromEnvironment(ConnectionValues& values);
std::string storeName(const testing::TestParamInfo<Store>& info);

// One test's world: a temporary installation folder and settings file, a fresh database on the
// chosen store, a clock that stands still, and recording stand-ins for dialogs, sound, printers,
// hot keys and program launches. All screens and commands of the program are registered.
class TestEnv
{
public:
    explicit TestEnv(Store store = Store::Sqlite);
    ~TestEnv();

    QTemporaryDir dir;
    Database db;
    std::unique_ptr<Settings> settingsStore;
    Session session;
    ManualClock clock;
    ScriptedDialogs dialogs;
    RecordingLauncher launcher;
    RecordingSoundPlayer sound;
    RecordingPrinters printers;
    FakeHotKeys hotKeys;
    FakeMediaPlayers media;
    ScreenRegistry screens;
    CommandRegistry commands;
    std::unique_ptr<AppContext> ctx;
    bool programEnded = false;

    Settings& settings() { return *settingsStore; }
    QString path(const QString& relative) const { return dir.filePath(relative); }
    void writeFile(const QString& relative, const QByteArray& content) const;
    // A second connection to the same database, as another workstation would have.
    std::unique_ptr<Database> secondConnection() const;
    // The values the test's database was opened with.
    const ConnectionValues& connectionValues() const { return m_values; }

private:
    ConnectionValues m_values;
};

// A small hall: the ids of what seedHall() inserted.
struct Hall
{
    qint64 walkInDept = 0, reportDept = 0, appointmentDept = 0, emergencyDept = 0;
    qint64 consultation = 0; // service "Consultation", prefix "A", 1..999
    qint64 lab = 0;          // service "Lab", prefix "B", 100..199
    qint64 reports = 0;      // service "Reports", prefix "R", 1..99
    qint64 counter1 = 0,
           counter2 = 0; // "Counter 1" / "Counter 2" on Consultation, users op1/op2, password "pw"
    qint64 counter3 = 0; // "Counter 3" on Lab, user op3
    qint64 admin = 0;    // administrator "admin" / "secret"
};
Hall seedHall(Database& db);

// Ends every name's wait after wrong passwords, as time would (the store keeps them by its own clock).
void endLoginWaits(Database& db);

// Fixture base for tests that run once per store.
class StoreTest : public testing::TestWithParam<Store>
{
protected:
    void SetUp() override { env = std::make_unique<TestEnv>(GetParam()); }
    void TearDown() override { env.reset(); }
    std::unique_ptr<TestEnv> env;
};

#define BRIVANE_STORE_TEST_SUITE(Suite)                                                                      \
    INSTANTIATE_TEST_SUITE_P(Stores, Suite, testing::ValuesIn(testStores()), storeName)
