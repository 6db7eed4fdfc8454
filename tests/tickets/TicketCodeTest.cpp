#include "TicketsSupport.h"

#include "tickets/Numbering.h"
#include "tickets/TicketCode.h"

#include <QSet>

using numbering::IssuedTicket;

namespace {

TEST(TicketCodeForm, FreshCodesAreLongRandomAndOfOneForm)
{
    QSet<QString> seen;
    QSet<QChar> firstCharacters;
    for (int i = 0; i < 2000; ++i) {
        const QString code = ticketcode::newCode();
        ASSERT_EQ(code.size(), 26);
        ASSERT_TRUE(ticketcode::isCodeForm(code)) << code.toStdString();
        seen.insert(code);
        firstCharacters.insert(code.front());
    }
    EXPECT_EQ(seen.size(), 2000);
    // Five random bits a character: 2000 codes use every one of the 32 first characters.
    EXPECT_EQ(firstCharacters.size(), 32);

    EXPECT_TRUE(ticketcode::isCodeForm(QStringLiteral("abcdefghijklmnopqrstuvwxyz")));
    // Wrong length, digits outside base 32, upper case, path tricks and quotes are refused.
    for (const char* wrong :
         {"", "A101", "abcdefghijklmnopqrstuvwxy1", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxy",
          "abcdefghijklmnopqrstuvwxyz2", "abcdefghijklm/../qrstuvwxy", "abcdefghijklmnopqrstuvwx' "})
        EXPECT_FALSE(ticketcode::isCodeForm(QString::fromLatin1(wrong))) << wrong;
}

TEST(TicketCodeForm, PageAddressIsBaseSlashTSlashCode)
{
    EXPECT_EQ(ticketcode::pageAddress(QStringLiteral("http://192.168.1.10:8080"), QStringLiteral("abc")),
              QStringLiteral("http://192.168.1.10:8080/t/abc"));
    EXPECT_EQ(ticketcode::pageAddress(QStringLiteral(" http://hall.local/queue// "), QStringLiteral("abc")),
              QStringLiteral("http://hall.local/queue/t/abc"));
    EXPECT_TRUE(ticketcode::pageAddress(QString(), QStringLiteral("abc")).isEmpty());
    EXPECT_TRUE(ticketcode::pageAddress(QStringLiteral("http://x"), QString()).isEmpty());
}

class TicketCode : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        env->clock.set(QDateTime(QDate(2024, 3, 4), QTime(10, 15, 30)));
    }

    IssuedTicket issue(qint64 service)
    {
        numbering::IssueRequest r;
        r.serviceId = service;
        r.number = numbering::getToken(env->db, service, env->clock.today());
        r.issueDate = env->clock.today();
        return numbering::storeTicket(env->db, env->clock, r);
    }

    Hall hall;
};

TEST_P(TicketCode, EveryIssuedTicketCarriesItsOwnCodeAndIsFoundByItOnly)
{
    QSet<QString> codes;
    IssuedTicket first;
    for (int i = 0; i < 5; ++i) {
        const IssuedTicket t = issue(hall.consultation);
        ASSERT_TRUE(t.issued());
        ASSERT_TRUE(ticketcode::isCodeForm(t.webCode));
        EXPECT_EQ(
            env->db.query(QStringLiteral("select webcode from tblTicket where tickAuto=?"), {t.tickAuto})
                .text(0, 0),
            t.webCode);
        codes.insert(t.webCode);
        if (i == 0)
            first = t;
    }
    EXPECT_EQ(codes.size(), 5);

    const std::optional<ticketcode::WebTicket> found = ticketcode::ticketByCode(env->db, first.webCode);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->tickAuto, first.tickAuto);
    EXPECT_EQ(found->label, QStringLiteral("A1"));
    EXPECT_EQ(found->serviceId, hall.consultation);
    EXPECT_EQ(found->serviceName, QStringLiteral("Consultation"));
    EXPECT_EQ(found->tickDate, QStringLiteral("2024-03-04"));
    EXPECT_EQ(found->tickTime, QStringLiteral("10:15:30"));
    EXPECT_FALSE(found->called);
    EXPECT_EQ(found->callKey, 0);

    // Labels, keys, other cases and near misses find nothing.
    QString nearMiss = first.webCode;
    nearMiss[3] = nearMiss[3] == QLatin1Char('a') ? QLatin1Char('b') : QLatin1Char('a');
    for (const QString& wrong :
         {QStringLiteral("A1"), QString::number(first.tickAuto), first.webCode.toUpper(), nearMiss,
          first.webCode.left(25), first.webCode + QLatin1Char('a'), QStringLiteral("' or 1=1 --"), QString()})
        EXPECT_FALSE(ticketcode::ticketByCode(env->db, wrong)) << wrong.toStdString();

    // Old tickets issued before codes existed have none, and an empty code finds none of them.
    env->db.exec(QStringLiteral("update tblTicket set webcode=null where tickAuto<>?"), {first.tickAuto});
    EXPECT_FALSE(ticketcode::ticketByCode(env->db, QString()));
}

TEST_P(TicketCode, ACalledTicketNamesTheCounterOfItsLatestCall)
{
    const IssuedTicket t = issue(hall.consultation);
    Database& db = env->db;
    db.exec(QStringLiteral("update tblTicket set call='1', attended=?, attTime='10:20:00', status='Finished' "
                           "where tickAuto=?"),
            {hall.counter1, t.tickAuto});
    const auto callRow = [&](const QString& display) {
        return db.insert(QStringLiteral("tblCall"),
                         {{QStringLiteral("servAuto"), hall.counter1},
                          {QStringLiteral("no_abr"), t.label},
                          {QStringLiteral("displayName"), display},
                          {QStringLiteral("status1"), QStringLiteral("0")},
                          {QStringLiteral("tickAuto"), t.tickAuto},
                          {QStringLiteral("tickDate"), QStringLiteral("2024-03-04")}});
    };
    callRow(QStringLiteral("Room 1"));
    const qint64 latest = callRow(QStringLiteral("Room 2")); // called again at another counter
    const std::optional<ticketcode::WebTicket> found = ticketcode::ticketByCode(db, t.webCode);
    ASSERT_TRUE(found);
    EXPECT_TRUE(found->called);
    EXPECT_EQ(found->status, QStringLiteral("Finished"));
    EXPECT_EQ(found->callKey, latest);
    EXPECT_EQ(found->counterDisplayName, QStringLiteral("Room 2"));
}

BRIVANE_STORE_TEST_SUITE(TicketCode);

} // namespace
