#include "testsupport/TestEnv.h"

#include "app/AllScreens.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

// Each test executable works in a database of its own, so executables may run side by side.
ConnectionValues pgValuesForThisProcess()
{
    static ConnectionValues values;
    static bool prepared = false;
    if (prepared)
        return values;
    ConnectionValues admin;
    if (!pgServerFromEnvironment(admin))
        throw DbError(QStringLiteral("BRIVANE_PG is not set"));
    const QString name =
        (admin.database + QLatin1Char('_') + QFileInfo(QCoreApplication::applicationFilePath()).baseName())
            .toLower();
    {
        Database db;
        db.open(admin, QString());
        if (db.query(QStringLiteral("select 1 from pg_database where datname=?"), {name}).isEmpty())
            db.exec(QStringLiteral("create database %1").arg(name));
    }
    values = admin;
    values.database = name;
    {
        Database db;
        db.open(values, QString());
        db.recreateSchema();
    }
    prepared = true;
    return values;
}

} // namespace

bool pgServerFromEnvironment(ConnectionValues& values)
{
    const QString spec = qEnvironmentVariable("BRIVANE_PG");
    if (spec.isEmpty())
        return false;
    const QStringList parts = spec.split(QLatin1Char(';'));
    if (parts.size() < 4)
        return false;
    values.host = parts[0];
    values.database = parts[1];
    values.user = parts[2];
    values.password = parts[3];
    return true;
}

std::vector<Store> testStores()
{
    ConnectionValues v;
    if (pgServerFromEnvironment(v))
        return {Store::Sqlite, Store::Postgres};
    return {Store::Sqlite};
}

std::string storeName(const testing::TestParamInfo<Store>& info)
{
    return info.param == Store::Sqlite ? "Sqlite" : "Postgres";
}

TestEnv::TestEnv(Store store)
{
    settingsStore = std::make_unique<Settings>(dir.filePath(QStringLiteral("settings.ini")));
    if (store == Store::Postgres) {
        m_values = pgValuesForThisProcess();
        db.open(m_values, dir.path());
        db.clearAllTables();
    } else {
        m_values.database = QStringLiteral("test.db");
        db.open(m_values, dir.path());
    }
    session.connection = m_values;
    ctx = std::make_unique<AppContext>(AppContext{db,
                                                  *settingsStore,
                                                  session,
                                                  clock,
                                                  dialogs,
                                                  launcher,
                                                  sound,
                                                  printers,
                                                  hotKeys,
                                                  screens,
                                                  dir.path(),
                                                  {},
                                                  &media});
    ctx->endProgram = [this] {
        programEnded = true;
        screens.closeAll();
    };
    screens.setContext(ctx.get());
    registerAll(screens, commands);
}

TestEnv::~TestEnv()
{
    screens.closeAll();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestEnv::writeFile(const QString& relative, const QByteArray& content) const
{
    QFile f(dir.filePath(relative));
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
}

std::unique_ptr<Database> TestEnv::secondConnection() const
{
    auto other = std::make_unique<Database>();
    other->open(m_values, dir.path());
    return other;
}

Hall seedHall(Database& db)
{
    Hall h;
    auto dept = [&](const QString& name, const QString& type) {
        return db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), name},
                                                     {QStringLiteral("deptDesc"), type},
                                                     {QStringLiteral("active"), 1}});
    };
    h.walkInDept = dept(QStringLiteral("General"), QStringLiteral("Walk-In"));
    h.reportDept = dept(QStringLiteral("Reports Desk"), QStringLiteral("Report"));
    h.appointmentDept = dept(QStringLiteral("Specialists"), QStringLiteral("Appointment"));
    h.emergencyDept = dept(QStringLiteral("Casualty"), QStringLiteral("Emergency"));
    auto service = [&](qint64 deptId, const QString& name, const QString& prefix, int start, int end) {
        return db.insert(QStringLiteral("tblService"),
                         {{QStringLiteral("deptAuto"), deptId},
                          {QStringLiteral("servName"), name},
                          {QStringLiteral("ServDesc"), name + QStringLiteral(" desk")},
                          {QStringLiteral("active"), 1},
                          {QStringLiteral("startno"), start},
                          {QStringLiteral("endno"), end},
                          {QStringLiteral("abrno"), prefix}});
    };
    h.consultation = service(h.walkInDept, QStringLiteral("Consultation"), QStringLiteral("A"), 1, 999);
    h.lab = service(h.walkInDept, QStringLiteral("Lab"), QStringLiteral("B"), 100, 199);
    h.reports = service(h.reportDept, QStringLiteral("Reports"), QStringLiteral("R"), 1, 99);
    auto counter = [&](qint64 serviceId, const QString& name, const QString& display, const QString& user) {
        return db.insert(QStringLiteral("tblCounter"),
                         {{QStringLiteral("servAuto"), serviceId},
                          {QStringLiteral("contName"), name},
                          {QStringLiteral("displayName"), display},
                          {QStringLiteral("username"), user},
                          {QStringLiteral("pass"), QStringLiteral("pw")},
                          {QStringLiteral("active"), 1},
                          {QStringLiteral("countNameA"), name + QStringLiteral(" (2)")},
                          {QStringLiteral("displayNameA"), display + QStringLiteral(" (2)")}});
    };
    h.counter1 =
        counter(h.consultation, QStringLiteral("Counter 1"), QStringLiteral("Room 1"), QStringLiteral("op1"));
    h.counter2 =
        counter(h.consultation, QStringLiteral("Counter 2"), QStringLiteral("Room 2"), QStringLiteral("op2"));
    h.counter3 = counter(h.lab, QStringLiteral("Counter 3"), QStringLiteral("Lab"), QStringLiteral("op3"));
    h.admin = db.insert(QStringLiteral("tbluser"), {{QStringLiteral("username"), QStringLiteral("admin")},
                                                    {QStringLiteral("password"), QStringLiteral("secret")},
                                                    {QStringLiteral("userType"), QStringLiteral("Admin")}});
    return h;
}

void endLoginWaits(Database& db)
{
    db.exec(QStringLiteral("update brivane_login_tries set until_ms = 0"));
}
