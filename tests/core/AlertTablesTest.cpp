#include "core/AlertTables.h"
#include "core/Database.h"
#include "testsupport/KindLogins.h"

namespace {

class AlertTablesTest : public StoreTest
{
protected:
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
    qint64 count(Database& db, const QString& table)
    {
        return db.query(QStringLiteral("select count(*) from %1").arg(table)).number(0, 0);
    }
};

// A hall made before the alerts gets their tables at the owner's next open, and on PostgreSQL the
// web server's board login keeps them while the counters and kiosks may not touch the phone numbers;
// clearing the hall empties them with its tokens.
TEST_P(AlertTablesTest, AnOlderHallGetsThemAndOnlyTheWebServerAndTheOfficeUseThem)
{
    alerttables::dropTables(env->db);
    ASSERT_FALSE(alerttables::present(env->db));
    const std::unique_ptr<Database> owner = env->secondConnection();
    ASSERT_TRUE(alerttables::present(*owner));

    owner->exec(QStringLiteral("insert into brivane_alert (tickauto, lead, asked) values (7, '10', "
                               "'2024-01-15 09:00:00')"));
    owner->exec(QStringLiteral("insert into brivane_phone (tickauto, phone) values (7, '+4915112345678')"));
    const ResultSet row =
        owner->query(QStringLiteral("select fired, sms, smsat, firedwait is null from brivane_alert"));
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row.text(0, 0), QString());
    EXPECT_EQ(row.text(0, 1), QString());
    EXPECT_EQ(row.text(0, 2), QString());
    // One alert per token.
    EXPECT_NE(refusalOf(*owner, QStringLiteral("insert into brivane_alert (tickauto, lead, asked) values "
                                               "(7, '5', '2024-01-15 09:01:00')")),
              QString());

    if (GetParam() == Store::Postgres) {
        KindLogins logins(*env);
        if (logins.available()) {
            Database& board = logins.workstation(kinds::Kind::Board);
            EXPECT_EQ(
                refusalOf(board, QStringLiteral("update brivane_alert set fired = '2024-01-15 09:05:00', "
                                                "firedwait = 9, firedahead = 2 where tickauto = 7")),
                QString());
            EXPECT_EQ(
                refusalOf(board, QStringLiteral("insert into brivane_alert (tickauto, lead, asked) values "
                                                "(8, 'next', '2024-01-15 09:02:00')")),
                QString());
            EXPECT_EQ(refusalOf(board, QStringLiteral("delete from brivane_phone where tickauto = 7")),
                      QString());
            for (kinds::Kind kind : {kinds::Kind::Counter, kinds::Kind::Kiosk}) {
                Database& other = logins.workstation(kind);
                EXPECT_NE(refusalOf(other, QStringLiteral("select phone from brivane_phone")), QString());
                EXPECT_NE(refusalOf(other, QStringLiteral("update brivane_alert set sms = 'sent'")),
                          QString());
            }
        }
    }

    env->db.clearAllTables();
    EXPECT_EQ(count(env->db, QStringLiteral("brivane_alert")), 0);
    EXPECT_EQ(count(env->db, QStringLiteral("brivane_phone")), 0);
}

} // namespace

BRIVANE_STORE_TEST_SUITE(AlertTablesTest);
