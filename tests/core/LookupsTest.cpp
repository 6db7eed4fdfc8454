#include "core/Lookups.h"
#include "core/Session.h"
#include "testsupport/TestEnv.h"

class LookupsTest : public StoreTest
{
};

TEST_P(LookupsTest, NamesAndKeysBothWaysWithZeroOrEmptyWhenMissing)
{
    Database& db = env->db;
    const Hall h = seedHall(db);
    using namespace lookups;
    EXPECT_EQ(deptIdByName(db, QStringLiteral("General")), h.walkInDept);
    EXPECT_EQ(deptNameById(db, h.reportDept), QStringLiteral("Reports Desk"));
    EXPECT_EQ(serviceIdByName(db, QStringLiteral("Lab")), h.lab);
    EXPECT_EQ(serviceNameById(db, h.consultation), QStringLiteral("Consultation"));
    EXPECT_EQ(counterIdByName(db, QStringLiteral("Counter 2")), h.counter2);
    EXPECT_EQ(counterNamesById(db, env->session, h.counter3), QStringLiteral("Counter 3"));
    EXPECT_EQ(env->session.counterDisplayName, QStringLiteral("Lab"));

    EXPECT_EQ(deptIdByName(db, QStringLiteral("Nowhere")), 0);
    EXPECT_EQ(serviceNameById(db, 987654), QString());
    EXPECT_EQ(counterNamesById(db, env->session, 987654), QString());
    EXPECT_EQ(env->session.counterDisplayName, QString());
    EXPECT_EQ(themeIdByName(db, QStringLiteral("Black H")), 0);
    EXPECT_EQ(tokenLabelById(db, 5), QString());

    const qint64 ticket =
        db.insert(QStringLiteral("tblTicket"), {{QStringLiteral("servAuto"), h.lab},
                                                {QStringLiteral("tickNo"), 101},
                                                {QStringLiteral("tickDate"), QStringLiteral("2024-01-15")},
                                                {QStringLiteral("no_abr"), QStringLiteral("B101")}});
    EXPECT_EQ(tokenLabelById(db, ticket), QStringLiteral("B101"));
    EXPECT_TRUE(rowExists(db, QStringLiteral("tblTicket"), QStringLiteral("servAuto"), h.lab));
    EXPECT_FALSE(rowExists(db, QStringLiteral("tblticket"), QStringLiteral("SERVAUTO"), h.reports));
    EXPECT_FALSE(rowExists(db, QStringLiteral("tblCounter"), QStringLiteral("servAuto"), h.reports));
}

TEST_P(LookupsTest, NamesWithQuotesAreFoundLikeAnyOther)
{
    Database& db = env->db;
    const qint64 dept = db.insert(QStringLiteral("tblDept"),
                                  {{QStringLiteral("deptName"), QStringLiteral("Children's Ward")}});
    const qint64 theme = db.insert(QStringLiteral("tbltheme"),
                                   {{QStringLiteral("themename"), QStringLiteral("O'Hara's \"Blue\"")}});
    EXPECT_EQ(lookups::deptIdByName(db, QStringLiteral("Children's Ward")), dept);
    EXPECT_EQ(lookups::themeIdByName(db, QStringLiteral("O'Hara's \"Blue\"")), theme);
    EXPECT_EQ(lookups::deptIdByName(db, QStringLiteral("x' or '1'='1")), 0);
}

TEST_P(LookupsTest, KeysAboveSixteenBitsWork)
{
    Database& db = env->db;
    db.insert(QStringLiteral("tblService"),
              {{QStringLiteral("servAuto"), 70000}, {QStringLiteral("servName"), QStringLiteral("Far")}});
    EXPECT_EQ(lookups::serviceIdByName(db, QStringLiteral("Far")), 70000);
    EXPECT_EQ(lookups::serviceNameById(db, 70000), QStringLiteral("Far"));
}

BRIVANE_STORE_TEST_SUITE(LookupsTest);
