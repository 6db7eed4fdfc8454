#include "core/PasswordHash.h"
#include "core/users/Credentials.h"
#include "testsupport/KindLogins.h"
#include "testsupport/TestEnv.h"

#include <QThread>

namespace {

using users::LoginRefusal;

// The server's refusal of a statement, or "" when it was carried out.
QString refusalOf(Database& db, const QString& sql)
{
    try {
        db.query(sql);
    } catch (const DbError& e) {
        return e.kind() == DbError::Kind::NotPermitted ? QStringLiteral("refused") : e.detail();
    }
    return QString();
}

class PublicPcLogin : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db); // passwords in clear, as an older version kept them
    }

    QString stored(const QString& sql, qint64 key) { return env->db.query(sql, {key}).text(0, 0); }
    QString adminHash()
    {
        return stored(QStringLiteral("select password from tbluser where userAuto=?"), hall.admin);
    }

    // The settings the server gives a workstation for a name (PostgreSQL).
    QStringList settingsOf(Database& db, const QString& name)
    {
        const ResultSet rs =
            db.query(QStringLiteral("select * from brivane_login_settings(null, ?) order by 1"), {name});
        QStringList out;
        for (int i = 0; i < rs.size(); ++i)
            out.append(rs.text(i, 0));
        return out;
    }

    Hall hall;
};

// A hall of an older version keeps its passwords in clear: each logs in and is hashed at its first
// log-in; while one is left in clear a clear value still matches, and once none is, the hall records
// it and a clear password written into the table (as anyone with write access could) opens nothing.
TEST_P(PublicPcLogin, AnOldHallLogsInIsHashedAndThenAClearPasswordOpensNothing)
{
    const QString counterPass = QStringLiteral("select pass from tblCounter where cntAuto=?");
    EXPECT_EQ(users::checkAdministrator(env->db, QStringLiteral("admin"), QStringLiteral("secret")),
              hall.admin);
    EXPECT_TRUE(passwords::matches(adminHash(), QStringLiteral("secret")));
    ASSERT_TRUE(users::checkCounter(env->db, QStringLiteral("Counter 1"), QStringLiteral("op1"),
                                    QStringLiteral("pw")));
    ASSERT_TRUE(users::checkCounter(env->db, QStringLiteral("Counter 2"), QStringLiteral("op2"),
                                    QStringLiteral("pw")));
    EXPECT_TRUE(passwords::isHash(stored(counterPass, hall.counter2)));
    EXPECT_EQ(stored(counterPass, hall.counter3), QStringLiteral("pw"));

    // Not all hashed yet: a clear value still matches (the hall has not been told it is done).
    env->db.exec(QStringLiteral("update tblCounter set pass='typed-in' where cntAuto=?"), {hall.counter1});
    EXPECT_TRUE(users::checkCounter(env->db, QStringLiteral("Counter 1"), QStringLiteral("op1"),
                                    QStringLiteral("typed-in")));
    // The last one in clear is hashed at its log-in: from now on only hashes match.
    ASSERT_TRUE(users::checkCounter(env->db, QStringLiteral("Counter 3"), QStringLiteral("op3"),
                                    QStringLiteral("pw")));
    EXPECT_EQ(env->db.query(QStringLiteral("select hashed from brivane_login_state")).number(0, 0), 1);

    env->db.exec(QStringLiteral("update tbluser set password='pwned' where userAuto=?"), {hall.admin});
    env->db.exec(QStringLiteral("update tblCounter set pass=null where cntAuto=?"), {hall.counter2});
    LoginRefusal refusal;
    EXPECT_FALSE(
        users::checkAdministrator(env->db, QStringLiteral("admin"), QStringLiteral("pwned"), &refusal));
    EXPECT_FALSE(refusal.tooEarly);
    EXPECT_EQ(stored(QStringLiteral("select password from tbluser where userAuto=?"), hall.admin),
              QStringLiteral("pwned")); // not taken for a password and hashed
    EXPECT_FALSE(users::checkCounter(env->db, QStringLiteral("Counter 2"), QStringLiteral("op2"), QString()));
    // Another workstation (a new connection) sees the same.
    const std::unique_ptr<Database> other = env->secondConnection();
    EXPECT_FALSE(users::checkAdministrator(*other, QStringLiteral("admin"), QStringLiteral("pwned")));
    // A password set the program's way logs in.
    env->db.exec(QStringLiteral("update tbluser set password=? where userAuto=?"),
                 {passwords::hash(QStringLiteral("new")), hall.admin});
    env->db.exec(QStringLiteral("delete from brivane_login_tries"));
    EXPECT_EQ(users::checkAdministrator(*other, QStringLiteral("admin"), QStringLiteral("new")), hall.admin);
}

// A wrong password makes the name wait 1 s, then 2 s …; the wait is kept in the store, so a restart
// or another workstation does not skip it, and even the right password is refused before it is over.
// Another name does not wait for this one's mistakes.
TEST_P(PublicPcLogin, WaitsAfterWrongTriesHoldOnEveryWorkstation)
{
    LoginRefusal refusal;
    EXPECT_FALSE(
        users::checkAdministrator(env->db, QStringLiteral("admin"), QStringLiteral("guess"), &refusal));
    EXPECT_FALSE(refusal.tooEarly);
    EXPECT_EQ(refusal.waitMs, 1000);
    {
        const std::unique_ptr<Database> restarted = env->secondConnection();
        EXPECT_FALSE(users::checkAdministrator(*restarted, QStringLiteral("admin"), QStringLiteral("secret"),
                                               &refusal));
        EXPECT_TRUE(refusal.tooEarly);
        EXPECT_GT(refusal.waitMs, 0);
        EXPECT_LE(refusal.waitMs, 1000);
    }
    EXPECT_TRUE(users::checkCounter(env->db, QStringLiteral("Counter 1"), QStringLiteral("op1"),
                                    QStringLiteral("pw"), &refusal));
    EXPECT_EQ(refusal.waitMs, 0);

    QThread::msleep(1100);
    EXPECT_FALSE(
        users::checkAdministrator(env->db, QStringLiteral("admin"), QStringLiteral("guess2"), &refusal));
    EXPECT_EQ(refusal.waitMs, 2000); // the second wrong one in a row
    // An early try does not count as one more wrong one.
    EXPECT_FALSE(
        users::checkAdministrator(env->db, QStringLiteral("admin"), QStringLiteral("guess3"), &refusal));
    EXPECT_TRUE(refusal.tooEarly);
    EXPECT_EQ(env->db.query(QStringLiteral("select failures from brivane_login_tries where name='admin'"))
                  .number(0, 0),
              2);
    // The wait over, the right password logs in and the count ends.
    endLoginWaits(env->db);
    EXPECT_EQ(users::checkAdministrator(env->db, QStringLiteral("admin"), QStringLiteral("secret"), &refusal),
              hall.admin);
    EXPECT_EQ(env->db.query(QStringLiteral("select count(*) from brivane_login_tries where name='admin'"))
                  .number(0, 0),
              0);
    // A password change with a wrong old password is a wrong try too.
    EXPECT_FALSE(
        users::changeAdminPassword(env->db, hall.admin, QStringLiteral("nope"), QStringLiteral("x")));
    EXPECT_FALSE(
        users::changeAdminPassword(env->db, hall.admin, QStringLiteral("secret"), QStringLiteral("x")));
    endLoginWaits(env->db);
    EXPECT_TRUE(
        users::changeAdminPassword(env->db, hall.admin, QStringLiteral("secret"), QStringLiteral("x")));
    EXPECT_TRUE(passwords::matches(adminHash(), QStringLiteral("x")));
}

// A kiosk or a board PC stands where anyone can reach it: its login reads no hash, yet the
// administrator's log-in asked there is checked, by the server, with the right password only; the
// counter PC checks its operators the same way and changes their passwords without reading them.
TEST_P(PublicPcLogin, PublicWorkstationsCheckLogInsWithoutReadingAHash)
{
    if (GetParam() == Store::Sqlite)
        GTEST_SKIP() << "an embedded hall has no kinds of workstation";
    KindLogins logins(*env);
    if (!logins.available())
        GTEST_SKIP() << "the test server's role may not create roles";
    Database& kiosk = logins.workstation(kinds::Kind::Kiosk);
    Database& board = logins.workstation(kinds::Kind::Board);
    Database& counter = logins.workstation(kinds::Kind::Counter);
    for (Database* pc : {&kiosk, &board, &counter}) {
        EXPECT_EQ(refusalOf(*pc, QStringLiteral("select password from tbluser")), QStringLiteral("refused"));
        EXPECT_EQ(refusalOf(*pc, QStringLiteral("select pass from tblCounter")), QStringLiteral("refused"));
        EXPECT_EQ(refusalOf(*pc, QStringLiteral("select * from brivane_login_tries")),
                  QStringLiteral("refused"));
        EXPECT_EQ(refusalOf(*pc, QStringLiteral("select secret from brivane_login_state")),
                  QStringLiteral("refused"));
        EXPECT_EQ(refusalOf(*pc, QStringLiteral("select brivane_login_tried('user', 'admin', true)")),
                  QStringLiteral("refused"));
    }

    // An old hall's clear password is checked on the server too, and hashed there.
    EXPECT_EQ(users::checkAdministrator(kiosk, QStringLiteral("admin"), QStringLiteral("secret")),
              hall.admin);
    EXPECT_TRUE(passwords::matches(adminHash(), QStringLiteral("secret")));
    EXPECT_EQ(users::checkAdministrator(board, QStringLiteral("admin"), QStringLiteral("secret")),
              hall.admin);
    LoginRefusal refusal;
    EXPECT_FALSE(
        users::checkAdministrator(kiosk, QStringLiteral("admin"), QStringLiteral("Secret"), &refusal));
    EXPECT_EQ(refusal.waitMs, 1000);
    // Bypassing the program: the routine itself refuses the right hash while the name waits.
    const QString setting = passwords::settingOf(adminHash());
    const QString proof = passwords::hashWithSetting(setting, QStringLiteral("secret"));
    EXPECT_EQ(proof, adminHash());
    const QString direct = QStringLiteral("select id, too_early from brivane_login_check(null, 'admin', "
                                          "array['%1'], null, null)")
                               .arg(proof);
    ResultSet rs = board.query(direct);
    EXPECT_TRUE(rs.isNull(0, 0));
    EXPECT_EQ(rs.text(0, 1), QStringLiteral("true"));
    endLoginWaits(env->db);
    rs = board.query(direct);
    EXPECT_EQ(rs.number(0, 0), hall.admin);

    // The server hands out settings only: the stored one for a name that has a hash, and for a
    // name nobody has one that looks alike and stays the same, so names cannot be probed.
    EXPECT_EQ(settingsOf(kiosk, QStringLiteral("admin")), QStringList{setting});
    const QStringList nobody = settingsOf(kiosk, QStringLiteral("nobody"));
    ASSERT_EQ(nobody.size(), 1);
    EXPECT_EQ(nobody, settingsOf(board, QStringLiteral("nobody")));
    EXPECT_NE(nobody, settingsOf(kiosk, QStringLiteral("nobody2")));
    EXPECT_EQ(passwords::settingOf(nobody[0] + QStringLiteral("$x")), nobody[0]);
    EXPECT_EQ(nobody[0].left(nobody[0].lastIndexOf(QLatin1Char('$'))),
              setting.left(setting.lastIndexOf(QLatin1Char('$'))));
    EXPECT_FALSE(users::checkAdministrator(kiosk, QStringLiteral("nobody"), QStringLiteral("secret")));

    // The counter PC: its operators log in and change their passwords through the routines.
    const auto op2 = users::checkCounter(counter, QStringLiteral("Counter 2"), QStringLiteral("op2"),
                                         QStringLiteral("pw"));
    ASSERT_TRUE(op2.has_value());
    EXPECT_EQ(op2->cntAuto, hall.counter2);
    EXPECT_EQ(op2->servAuto, hall.consultation);
    EXPECT_EQ(op2->countNameA, QStringLiteral("Counter 2 (2)"));
    EXPECT_FALSE(users::checkCounter(counter, QStringLiteral("Counter 1"), QStringLiteral("op2"),
                                     QStringLiteral("pw")));
    endLoginWaits(env->db);
    EXPECT_TRUE(
        users::changeCounterPassword(counter, hall.counter2, QStringLiteral("pw"), QStringLiteral("pw2")));
    EXPECT_TRUE(passwords::matches(
        stored(QStringLiteral("select pass from tblCounter where cntAuto=?"), hall.counter2),
        QStringLiteral("pw2")));
    EXPECT_FALSE(
        users::changeCounterPassword(counter, hall.counter2, QStringLiteral("pw"), QStringLiteral("pw3")));
    EXPECT_EQ(refusalOf(counter, QStringLiteral("update tblCounter set pass='x'")),
              QStringLiteral("refused"));

    // A counter group that read whole tblCounter (as kinds of an earlier version did) is put right
    // at the owner's next open.
    const QString group = kinds::groupRole(
        env->db.query(QStringLiteral("select current_database()")).text(0, 0), kinds::Kind::Counter);
    env->db.exec(QStringLiteral("grant select on tblCounter to %1").arg(group));
    EXPECT_EQ(refusalOf(counter, QStringLiteral("select pass from tblCounter")), QString());
    env->secondConnection();
    EXPECT_EQ(refusalOf(counter, QStringLiteral("select pass from tblCounter")), QStringLiteral("refused"));

    // The owner's desktop log-in goes the same way.
    endLoginWaits(env->db);
    EXPECT_EQ(users::checkAdministrator(env->db, QStringLiteral("admin"), QStringLiteral("secret")),
              hall.admin);
}

BRIVANE_STORE_TEST_SUITE(PublicPcLogin);

} // namespace
