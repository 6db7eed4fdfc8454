#include "content/ContentStore.h"
#include "testsupport/TestEnv.h"

using namespace content;

namespace {

qint64 addNews(Database& db, const QString& message, const QString& active, const QString& direction)
{
    db.exec(QStringLiteral("insert into tblscroll (message, active, direction) values (?, ?, ?)"),
            {message, active, direction});
    return db.query(QStringLiteral("select max(scrollAuto) from tblscroll")).number(0, 0);
}

QStringList messages(const QVector<NewsRow>& rows)
{
    QStringList out;
    for (const NewsRow& r : rows)
        out << r.message;
    return out;
}

} // namespace

class NewsStore : public StoreTest
{
};

TEST_P(NewsStore, ListsInKeyOrderAndRestrictsToActive)
{
    Database& db = env->db;
    const qint64 first = addNews(db, QStringLiteral("Welcome"), QStringLiteral("1"), QStringLiteral("Left"));
    addNews(db, QStringLiteral("Closed on Friday"), QStringLiteral("0"), QStringLiteral("Right"));
    addNews(db, QStringLiteral("Odd flag"), QStringLiteral("x"), QStringLiteral("Left"));
    addNews(db, QStringLiteral("Lab moved"), QStringLiteral("1"), QStringLiteral("Right"));

    const QVector<NewsRow> all = listNews(db, false);
    ASSERT_EQ(all.size(), 4);
    EXPECT_EQ(messages(all), (QStringList{"Welcome", "Closed on Friday", "Odd flag", "Lab moved"}));
    EXPECT_EQ(all[0].key, first);
    EXPECT_EQ(all[1].direction, "Right");
    EXPECT_EQ(yesNo(all[0].active), "Yes");
    EXPECT_EQ(yesNo(all[1].active), "No");
    EXPECT_EQ(yesNo(all[2].active), "No"); // anything but 1 reads as No

    EXPECT_EQ(messages(listNews(db, true)), (QStringList{"Welcome", "Lab moved"}));
}

TEST_P(NewsStore, SearchIsAPatternButNeverSqlText)
{
    Database& db = env->db;
    addNews(db, QStringLiteral("Pay 50% at desk"), QStringLiteral("1"), QStringLiteral("Left"));
    addNews(db, QStringLiteral("Pay 5 at desk"), QStringLiteral("0"), QStringLiteral("Left"));
    addNews(db, QStringLiteral("Dr O'Brien is in"), QStringLiteral("1"), QStringLiteral("Left"));
    addNews(db, QStringLiteral("Path C:\\queue"), QStringLiteral("1"), QStringLiteral("Left"));
    addNews(db, QStringLiteral("Привет ÉTÉ"), QStringLiteral("1"), QStringLiteral("Left"));

    // Letter case does not matter on either store.
    EXPECT_EQ(messages(listNews(db, false, QStringLiteral("pay"))),
              (QStringList{"Pay 50% at desk", "Pay 5 at desk"}));
    // "_" and "%" are wildcards of the comparison.
    EXPECT_EQ(messages(listNews(db, false, QStringLiteral("y 5__ at"))), (QStringList{"Pay 50% at desk"}));
    EXPECT_EQ(messages(listNews(db, false, QStringLiteral("Pay%desk"))),
              (QStringList{"Pay 50% at desk", "Pay 5 at desk"}));
    // Only active rows when restricted.
    EXPECT_EQ(messages(listNews(db, true, QStringLiteral("pay"))), (QStringList{"Pay 50% at desk"}));
    // A quote is just a character; a would-be injection finds nothing and harms nothing.
    EXPECT_EQ(messages(listNews(db, false, QStringLiteral("O'Brien"))), (QStringList{"Dr O'Brien is in"}));
    EXPECT_TRUE(listNews(db, false, QStringLiteral("x' or '1'='1")).isEmpty());
    // A backslash matches itself on both stores.
    EXPECT_EQ(messages(listNews(db, false, QStringLiteral("C:\\q"))), (QStringList{"Path C:\\queue"}));
    // Any letter, not only ASCII ones.
    EXPECT_EQ(messages(listNews(db, false, QStringLiteral("привет été"))), (QStringList{"Привет ÉTÉ"}));
    EXPECT_EQ(listNews(db, false).size(), 5);
}

TEST_P(NewsStore, DeleteRemovesOnlyThatMessage)
{
    Database& db = env->db;
    const qint64 a = addNews(db, QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("Left"));
    addNews(db, QStringLiteral("B"), QStringLiteral("1"), QStringLiteral("Left"));
    EXPECT_TRUE(deleteNews(db, a));
    EXPECT_FALSE(deleteNews(db, a));
    EXPECT_EQ(messages(listNews(db, false)), (QStringList{"B"}));
}

TEST_P(NewsStore, KeysBeyondSixteenBitsAreHandled)
{
    Database& db = env->db;
    db.exec(
        QStringLiteral("insert into tblscroll (scrollAuto, message, active, direction) values (?, ?, ?, ?)"),
        {qint64(70000), QStringLiteral("Big key"), QStringLiteral("1"), QStringLiteral("Left")});
    const QVector<NewsRow> rows = listNews(db, false);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].key, 70000);
    EXPECT_TRUE(deleteNews(db, 70000));
    EXPECT_TRUE(listNews(db, false).isEmpty());
}

BRIVANE_STORE_TEST_SUITE(NewsStore);

class VideoStore : public StoreTest
{
};

TEST_P(VideoStore, AddReadUpdateDelete)
{
    Database& db = env->db;
    const qint64 a = addVideo(db, {0, QStringLiteral("/media/intro.mpg"), QStringLiteral("Intro"), true});
    const qint64 b = addVideo(db, {0, QStringLiteral("/media/poster.jpg"), QString(), false});
    ASSERT_GT(a, 0);
    ASSERT_NE(a, b);

    // The display board reads these very columns and flags.
    const ResultSet played = db.query(QStringLiteral("select vidName from tblvideo where active='1'"));
    ASSERT_EQ(played.size(), 1);
    EXPECT_EQ(played.text(0, 0), "/media/intro.mpg");

    std::optional<VideoEntry> e = videoById(db, b);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->name, "/media/poster.jpg");
    EXPECT_EQ(e->desc, "");
    EXPECT_FALSE(e->active);

    EXPECT_TRUE(updateVideo(db, {b, QStringLiteral("/media/poster2.jpg"), QStringLiteral("Poster"), true}));
    e = videoById(db, b);
    EXPECT_EQ(e->name, "/media/poster2.jpg");
    EXPECT_EQ(e->desc, "Poster");
    EXPECT_TRUE(e->active);
    EXPECT_EQ(videoById(db, a)->name, "/media/intro.mpg"); // the other entry is untouched

    const QVector<VideoEntry> all = listVideos(db);
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[0].key, a);
    EXPECT_EQ(all[1].key, b);

    EXPECT_TRUE(deleteVideo(db, a));
    EXPECT_FALSE(videoById(db, a));
    // Updating an entry that no longer exists changes nothing and adds nothing.
    EXPECT_FALSE(updateVideo(db, {a, QStringLiteral("/x.avi"), QStringLiteral("X"), true}));
    EXPECT_EQ(listVideos(db).size(), 1);
}

BRIVANE_STORE_TEST_SUITE(VideoStore);
