#include "core/WorkstationKinds.h"
#include "core/CommandRegistry.h"
#include "core/Database.h"
#include "testsupport/KindLogins.h"

#include <QTextStream>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

// What one brivane-ctl run told.
struct Told
{
    int code = -1;
    QString out, err;
};

class WorkstationKindsTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        if (GetParam() == Store::Sqlite)
            return;
        logins = std::make_unique<KindLogins>(*env);
        database = logins->database();
        if (!logins->available())
            GTEST_SKIP() << "the test server's role may not create roles";
    }

    void TearDown() override
    {
        logins.reset();
        StoreTest::TearDown();
    }

    QString makeLogin(const QString& suffix) { return logins->makeLogin(suffix); }
    Database& workstation(kinds::Kind kind) { return logins->workstation(kind); }
    Database& connectAs(const QString& login) { return logins->connectAs(login); }

    // Runs a brivane-ctl command on that workstation's connection, as brivane-ctl does.
    Told ctl(Database& db, const QString& name, const QStringList& args)
    {
        AppContext ctx{db,
                       env->settings(),
                       env->session,
                       env->clock,
                       env->dialogs,
                       env->launcher,
                       env->sound,
                       env->printers,
                       env->hotKeys,
                       env->screens,
                       env->dir.path(),
                       {},
                       nullptr,
                       {}};
        Told told;
        QTextStream o(&told.out), e(&told.err);
        told.code = runCommand(*env->commands.find(name), ctx, args, o, e);
        o.flush();
        e.flush();
        told.out = told.out.trimmed();
        told.err = told.err.trimmed();
        return told;
    }

    // The server's refusal of a statement sent by that workstation, bypassing every check of the
    // program: empty when the statement was carried out.
    static QString refusalOf(Database& db, const QString& sql)
    {
        try {
            db.exec(sql);
        } catch (const DbError& e) {
            return e.kind() == DbError::Kind::NotPermitted ? e.description()
                                                           : QStringLiteral("other failure: ") + e.detail();
        }
        return QString();
    }

    qint64 count(const QString& sql) { return env->db.query(sql).number(0, 0); }

    // The hall as it was before it had kinds: no groups, the numbering routine open to every role.
    void removeKinds()
    {
        for (kinds::Kind k : kinds::all()) {
            const QString group = kinds::groupRole(database, k);
            if (env->db.query(QStringLiteral("select 1 from pg_roles where rolname = ?"), {group}).isEmpty())
                continue;
            env->db.exec(QStringLiteral("revoke all on all tables in schema public from %1").arg(group));
            env->db.exec(QStringLiteral("revoke all on all sequences in schema public from %1").arg(group));
            env->db.exec(QStringLiteral("revoke all on all functions in schema public from %1").arg(group));
            env->db.exec(QStringLiteral("revoke all on schema public from %1").arg(group));
            env->db.exec(QStringLiteral("revoke all on database %1 from %2").arg(database, group));
            env->db.exec(QStringLiteral("drop role %1").arg(group));
        }
        env->db.exec(
            QStringLiteral("grant execute on function brivane_token_number(bigint,text,bigint) to public"));
    }

    bool groupsExist()
    {
        for (kinds::Kind k : kinds::all()) {
            if (env->db
                    .query(QStringLiteral("select 1 from pg_roles where rolname = ?"),
                           {kinds::groupRole(database, k)})
                    .isEmpty())
                return false;
        }
        return true;
    }

    QString database;
    std::unique_ptr<KindLogins> logins;
};

// A day in a hall whose PCs each connect with their kind's login: the kiosk issues, the counter calls
// and serves, the board reads and marks calls shown, the office does the rest; what a kind is not for
// is refused, by the program in one sentence, and by the server when the program is bypassed.
TEST_P(WorkstationKindsTest, EachKindDoesItsJobAndTheServerRefusesTheRest)
{
    if (GetParam() == Store::Sqlite)
        GTEST_SKIP() << "an embedded hall has no kinds of workstation";
    seedHall(env->db);
    const QString consultation = QStringLiteral("Consultation"), counter1 = QStringLiteral("Counter 1");
    const QString onlyIssue = QStringLiteral("This workstation may only issue tokens");
    const QString onlyServe = QStringLiteral("This workstation may only call and serve tokens");
    const QString onlyShow = QStringLiteral("This workstation may only show calls");

    Database& kiosk = workstation(kinds::Kind::Kiosk);
    EXPECT_EQ(kiosk.rights().kind(), WorkstationRights::Kind::Kiosk);
    Told told = ctl(kiosk, QStringLiteral("issue"), {consultation});
    EXPECT_EQ(told.code, 0) << qPrintable(told.err);
    EXPECT_EQ(told.out, QStringLiteral("A1"));
    EXPECT_EQ(ctl(kiosk, QStringLiteral("issue"), {consultation}).out, QStringLiteral("A2"));
    told = ctl(kiosk, QStringLiteral("next"), {counter1});
    EXPECT_EQ(told.code, 1);
    EXPECT_EQ(told.err, onlyIssue);
    EXPECT_EQ(count(QStringLiteral("select count(*) from tblTicket where call='0'")), 2);
    // The log-in screen learns whether an administrator exists; the hashes stay on the server.
    EXPECT_EQ(kiosk.query(QStringLiteral("select count(username) from tbluser")).number(0, 0), 1);
    EXPECT_EQ(refusalOf(kiosk, QStringLiteral("select password from tbluser")), onlyIssue);
    EXPECT_EQ(refusalOf(kiosk, QStringLiteral("select pass from tblCounter")), onlyIssue);
    EXPECT_EQ(refusalOf(kiosk, QStringLiteral("select webcode from tblTicket")), onlyIssue);
    EXPECT_EQ(refusalOf(kiosk, QStringLiteral("delete from tblTicket")), onlyIssue);
    EXPECT_EQ(refusalOf(kiosk, QStringLiteral("update tblTicket set call='1'")), onlyIssue);
    EXPECT_EQ(refusalOf(kiosk, QStringLiteral("update tblService set endno=1")), onlyIssue);
    EXPECT_EQ(refusalOf(kiosk, QStringLiteral("update tbluser set password='pwned'")), onlyIssue);
    EXPECT_EQ(refusalOf(kiosk, QStringLiteral("alter table tblTicket add column x text")), onlyIssue);
    EXPECT_EQ(refusalOf(kiosk, QStringLiteral("drop table tbluser")), onlyIssue);
    EXPECT_EQ(refusalOf(kiosk, QStringLiteral("insert into tblCall (no_abr, status1) values ('A1', '0')")),
              onlyIssue);
    EXPECT_EQ(count(QStringLiteral("select count(*) from tblTicket")), 2);

    Database& counter = workstation(kinds::Kind::Counter);
    EXPECT_EQ(counter.rights().kind(), WorkstationRights::Kind::Counter);
    told = ctl(counter, QStringLiteral("next"), {counter1});
    EXPECT_EQ(told.code, 0) << qPrintable(told.err);
    EXPECT_EQ(told.out, QStringLiteral("A1"));
    EXPECT_EQ(ctl(counter, QStringLiteral("recall"), {counter1}).code, 0);
    EXPECT_EQ(ctl(counter, QStringLiteral("pending"), {counter1}).out, QStringLiteral("1"));
    EXPECT_EQ(ctl(counter, QStringLiteral("next"), {counter1}).out, QStringLiteral("A2"));
    EXPECT_EQ(ctl(counter, QStringLiteral("finish"), {counter1}).code, 0);
    // The store's trigger stamped the counter's calls, run with the counter's rights.
    EXPECT_EQ(count(QStringLiteral("select count(*) from tblCall where callstamp is not null")), 2);
    EXPECT_EQ(count(QStringLiteral("select count(*) from tblTicket where finished is not null")), 2);
    told = ctl(counter, QStringLiteral("issue"), {consultation});
    EXPECT_EQ(told.code, 1);
    EXPECT_EQ(told.err, onlyServe);
    EXPECT_EQ(ctl(counter, QStringLiteral("clear-calls"),
                  {QStringLiteral("--before"), QStringLiteral("2099-01-01")})
                  .err,
              onlyServe);
    EXPECT_EQ(refusalOf(counter, QStringLiteral("select password from tbluser")), onlyServe);
    EXPECT_EQ(refusalOf(counter, QStringLiteral("delete from tblTicket")), onlyServe);
    EXPECT_EQ(refusalOf(counter, QStringLiteral("update tblTicket set tickNo=99")), onlyServe);
    EXPECT_EQ(refusalOf(counter, QStringLiteral("update tblService set active='0'")), onlyServe);
    EXPECT_EQ(
        refusalOf(counter, QStringLiteral("insert into tbluser (username, password) values ('x', 'y')")),
        onlyServe);
    // A token moved on to another counter, and one that did not come: both the counter's to do.
    EXPECT_EQ(ctl(kiosk, QStringLiteral("issue"), {consultation}).out, QStringLiteral("A3"));
    EXPECT_EQ(ctl(kiosk, QStringLiteral("issue"), {consultation}).out, QStringLiteral("A4"));
    EXPECT_EQ(ctl(counter, QStringLiteral("next"), {counter1}).out, QStringLiteral("A3"));
    told = ctl(counter, QStringLiteral("transfer"),
               {QStringLiteral("A3"), QStringLiteral("--to"), QStringLiteral("Counter 2")});
    EXPECT_EQ(told.code, 0) << qPrintable(told.err);
    EXPECT_EQ(ctl(counter, QStringLiteral("next"), {counter1}).out, QStringLiteral("A4"));
    told = ctl(counter, QStringLiteral("cancel"), {counter1});
    EXPECT_EQ(told.code, 0) << qPrintable(told.err);
    EXPECT_EQ(count(QStringLiteral("select count(*) from tblTicket where no_abr='A3' and call='0' and "
                                   "status='Transferred'")),
              1);
    EXPECT_EQ(ctl(kiosk, QStringLiteral("transfer"),
                  {QStringLiteral("A3"), QStringLiteral("--to"), QStringLiteral("Counter 1")})
                  .err,
              onlyIssue);
    EXPECT_EQ(
        ctl(kiosk, QStringLiteral("announce"), {QStringLiteral("A1"), QStringLiteral("--counter"), counter1})
            .err,
        onlyIssue);

    Database& board = workstation(kinds::Kind::Board);
    EXPECT_EQ(board.rights().kind(), WorkstationRights::Kind::Board);
    told = ctl(board, QStringLiteral("calls"), {});
    EXPECT_EQ(told.code, 0) << qPrintable(told.err);
    EXPECT_EQ(told.out.count(QLatin1Char('\n')), 4); // the header and four call rows
    told =
        ctl(board, QStringLiteral("announce"), {QStringLiteral("A1"), QStringLiteral("--counter"), counter1});
    EXPECT_EQ(told.code, 0) << qPrintable(told.err);
    EXPECT_EQ(ctl(counter, QStringLiteral("calls"), {}).err, onlyServe) << "a counter is no board";
    EXPECT_EQ(refusalOf(board, QStringLiteral("update tblCall set status1='1'")), QString());
    EXPECT_EQ(ctl(board, QStringLiteral("next"), {counter1}).err, onlyShow);
    EXPECT_EQ(refusalOf(board, QStringLiteral("update tblCall set no_abr='EVACUATE'")), onlyShow);
    EXPECT_EQ(refusalOf(board, QStringLiteral("insert into tblCall (no_abr, status1) values ('X', '0')")),
              onlyShow);
    EXPECT_EQ(refusalOf(board, QStringLiteral("select password from tbluser")), onlyShow);
    EXPECT_EQ(refusalOf(board, QStringLiteral("select pass from tblCounter")), onlyShow);
    EXPECT_EQ(refusalOf(board, QStringLiteral("delete from tblCall")), onlyShow);

    // An office login does everything with the tables, as the owner does, but cannot change them.
    Database& office = workstation(kinds::Kind::Office);
    EXPECT_EQ(office.rights().kind(), WorkstationRights::Kind::Office);
    EXPECT_EQ(ctl(office, QStringLiteral("issue"), {consultation}).out, QStringLiteral("A5"));
    EXPECT_EQ(ctl(office, QStringLiteral("next"), {QStringLiteral("Counter 2")}).code, 0);
    EXPECT_EQ(refusalOf(office, QStringLiteral("update tbluser set userType='Admin'")), QString());
    EXPECT_EQ(refusalOf(office, QStringLiteral("delete from tblCall")), QString());
    EXPECT_EQ(refusalOf(office, QStringLiteral("alter table tblTicket add column x text")),
              QStringLiteral("Only the hall's owner may do that"));
    // The owner's own connection keeps every right.
    EXPECT_EQ(env->db.rights().kind(), WorkstationRights::Kind::Office);
    EXPECT_EQ(refusalOf(env->db, QStringLiteral("delete from tblTicket")), QString());
}

// A hall made before the kinds existed works on as before; the owner's next open makes them, a
// workstation's open never tries, and then its logins are assigned.
TEST_P(WorkstationKindsTest, AnOlderHallWorksOnAndGetsItsKindsAtTheOwnersNextOpen)
{
    if (GetParam() == Store::Sqlite)
        GTEST_SKIP() << "an embedded hall has no kinds of workstation";
    seedHall(env->db);
    // A login given its rights by hand, as a hall's administrator may have done.
    const QString byHand = makeLogin(QStringLiteral("byhand"));
    removeKinds();
    env->db.exec(QStringLiteral("grant select, insert on all tables in schema public to %1").arg(byHand));
    Database& handMade = connectAs(byHand);
    EXPECT_FALSE(groupsExist()) << "a workstation that does not own the hall made its kinds";
    // Hand-given rights are judged by what they allow: no raw refusal for what it may do.
    EXPECT_TRUE(handMade.rights().allows(WorkstationRights::Act::Issue));
    EXPECT_EQ(ctl(handMade, QStringLiteral("issue"), {QStringLiteral("Consultation")}).out,
              QStringLiteral("A1"));
    EXPECT_EQ(ctl(env->db, QStringLiteral("next"), {QStringLiteral("Counter 1")}).out, QStringLiteral("A1"));

    // The owner's next open.
    const std::unique_ptr<Database> ownerAgain = env->secondConnection();
    EXPECT_TRUE(groupsExist());
    EXPECT_EQ(ownerAgain->rights().kind(), WorkstationRights::Kind::Office);
    Database& kiosk = workstation(kinds::Kind::Kiosk);
    EXPECT_EQ(ctl(kiosk, QStringLiteral("issue"), {QStringLiteral("Consultation")}).out,
              QStringLiteral("A2"));
    // The numbering routine is the kiosks' and the office's alone now.
    EXPECT_EQ(count(QStringLiteral(
                  "select count(*) from information_schema.routine_privileges where grantee = 'PUBLIC' and "
                  "routine_name = 'brivane_token_number'")),
              0);
    // The hand-made login still issues, numbered by the program itself without the routine.
    EXPECT_EQ(ctl(handMade, QStringLiteral("issue"), {QStringLiteral("Consultation")}).out,
              QStringLiteral("A3"));
}

// brivane-ctl grant refuses, in one sentence and changing nothing, what it cannot do.
TEST_P(WorkstationKindsTest, GrantRefusesWhatItCannotDo)
{
    if (GetParam() == Store::Sqlite) {
        const Told told =
            ctl(env->db, QStringLiteral("grant"), {QStringLiteral("kiosk"), QStringLiteral("pc1")});
        EXPECT_EQ(told.code, 1);
        EXPECT_EQ(told.err,
                  QStringLiteral(
                      "An embedded hall has no kinds of workstation: its file's mode and group guard it."));
        return;
    }
    const QString login = makeLogin(QStringLiteral("pc"));
    Told told = ctl(env->db, QStringLiteral("grant"), {QStringLiteral("cashier"), login});
    EXPECT_EQ(
        told.err,
        QStringLiteral("There is no kind of workstation named cashier: kiosk, board, counter or office."));
    told = ctl(env->db, QStringLiteral("grant"),
               {QStringLiteral("kiosk"), database + QStringLiteral("_nobody")});
    EXPECT_EQ(told.code, 1);
    EXPECT_EQ(told.err, QStringLiteral("There is no PostgreSQL login named %1_nobody.").arg(database));
    told = ctl(env->db, QStringLiteral("grant"),
               {QStringLiteral("kiosk"), kinds::groupRole(database, kinds::Kind::Board)});
    EXPECT_TRUE(told.err.contains(QStringLiteral("cannot log in"))) << qPrintable(told.err);
    told = ctl(env->db, QStringLiteral("grant"), {QStringLiteral("kiosk"), env->session.connection.user});
    EXPECT_TRUE(told.err.contains(QStringLiteral("owns the hall"))) << qPrintable(told.err);

    // Only the owner hands out kinds: an office login may do everything with the tables, not that.
    Database& office = workstation(kinds::Kind::Office);
    told = ctl(office, QStringLiteral("grant"), {QStringLiteral("kiosk"), login});
    EXPECT_EQ(
        told.err,
        QStringLiteral("Only the hall's owner may make workstations: run this with the owner's connection."));
    Database& kiosk = workstation(kinds::Kind::Kiosk);
    EXPECT_EQ(ctl(kiosk, QStringLiteral("grant"), {QStringLiteral("kiosk"), login}).err,
              QStringLiteral("This workstation may only issue tokens"));
    EXPECT_EQ(
        count(QStringLiteral("select count(*) from pg_auth_members m join pg_roles u on u.oid = m.member "
                             "where u.rolname = '%1'")
                  .arg(login)),
        0);

    // A login moved to another kind leaves the first one.
    EXPECT_EQ(ctl(env->db, QStringLiteral("grant"), {QStringLiteral("kiosk"), login}).code, 0);
    told = ctl(env->db, QStringLiteral("grant"), {QStringLiteral("board"), login});
    EXPECT_EQ(told.out, QStringLiteral("%1 is now a board workstation.").arg(login));
    EXPECT_EQ(connectAs(login).rights().kind(), WorkstationRights::Kind::Board);
}

} // namespace

BRIVANE_STORE_TEST_SUITE(WorkstationKindsTest);
