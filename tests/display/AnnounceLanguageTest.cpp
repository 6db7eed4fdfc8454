#include "display/voice/AnnouncerProtocol.h"
#include "display/voice/CallAnnouncement.h"
#include "testsupport/CommandRun.h"
#include "testsupport/TestEnv.h"
#include "tickets/Numbering.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace {

class AnnounceLanguage : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        env->clock.set(QDateTime(QDate(2024, 3, 4), QTime(10, 0)));
    }

    QString issueIn(const QString& language)
    {
        numbering::IssueRequest request;
        request.serviceId = hall.consultation;
        request.issueDate = env->clock.today();
        request.number = numbering::getToken(env->db, hall.consultation, request.issueDate);
        request.language = language;
        return numbering::storeTicket(env->db, env->clock, request).label;
    }

    // `brivane-ctl announce LABEL --counter "Counter 1" --print`: the recordings it would play.
    QStringList announced(const QString& label, const QStringList& more = {})
    {
        QString out, err;
        const int code = runCommand(*env, QStringLiteral("announce"),
                                    QStringList{label, QStringLiteral("--counter"),
                                                QStringLiteral("Counter 1"), QStringLiteral("--print")} +
                                        more,
                                    out, err);
        EXPECT_EQ(code, 0) << err.toStdString();
        return out.trimmed().split(QLatin1Char(' ')).mid(2);
    }

    Hall hall;
};

// A Hindi visitor's call is said in Hindi first (the second template names the hindi recordings),
// then in the first language; other tickets keep the templates' order.
TEST_P(AnnounceLanguage, TheVisitorsLanguageIsSaidFirst)
{
    const QString english = issueIn(QStringLiteral("en"));
    const QString hindi = issueIn(QStringLiteral("hi"));
    const QString none = issueIn(QString());

    const QStringList en = announced(english);
    ASSERT_FALSE(en.isEmpty());
    EXPECT_TRUE(en.first().startsWith(QStringLiteral("vs/english/"))) << en.join(' ').toStdString();

    const QStringList hi = announced(hindi);
    ASSERT_EQ(hi.size(), en.size()); // both templates, in the other order
    EXPECT_EQ(hi.first(), QStringLiteral("vs/hindi/ding"));
    EXPECT_TRUE(hi.contains(QStringLiteral("vs/hindi/go")));
    EXPECT_TRUE(hi.last().startsWith(QStringLiteral("vs/english/"))) << hi.join(' ').toStdString();

    EXPECT_TRUE(announced(none).first().startsWith(QStringLiteral("vs/english/")));
    // --lang says it in that language whatever the ticket holds.
    EXPECT_EQ(announced(english, {QStringLiteral("--lang"), QStringLiteral("hi")}).first(),
              QStringLiteral("vs/hindi/ding"));

    // The hall announcer hears the ticket's language from the board.
    announcer::ShownCall call{hindi, QStringLiteral("Room 1"), QString(), QString(), 8, QStringLiteral("hi")};
    const auto decoded = announcer::decode(announcer::encode(call).trimmed());
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->language, QStringLiteral("hi"));
    vs::AnnouncerSettings settings;
    settings.template1 = QStringLiteral("english|ding|token|*|please|roomno|#");
    settings.template2 = QStringLiteral("hindi|ding|token|*|please|roomno|#|go");
    settings.choice = vs::AnnounceChoice::FirstOnly;
    // While calls wait, only the first template is said: the visitor's.
    const vs::CallAnnouncement first =
        vs::announceCall(hindi, QStringLiteral("1"), settings, {}, decoded->language);
    EXPECT_TRUE(first.recordings.first().startsWith(QStringLiteral("vs/hindi/")));
    EXPECT_TRUE(first.recordings.last().startsWith(QStringLiteral("vs/hindi/")));
    // A language no template speaks keeps the templates' order.
    EXPECT_TRUE(vs::announceCall(hindi, QStringLiteral("1"), settings, {}, QStringLiteral("ar"))
                    .recordings.first()
                    .startsWith(QStringLiteral("vs/english/")));
}

BRIVANE_STORE_TEST_SUITE(AnnounceLanguage);

} // namespace
