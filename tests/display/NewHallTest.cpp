// A new hall: the ready theme and departments offered at the first administrator's start.

#include "display/NewHall.h"
#include "core/DemoData.h"
#include "core/MDI.h"
#include "display/BoardTheme.h"
#include "display/ThemeDefaults.h"
#include "display/design/BoardLayoutRow.h"
#include "testsupport/TestEnv.h"
#include "ui/Twips.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <cmath>

namespace {

class NewHall : public StoreTest
{
protected:
    qint64 count(const QString& sql)
    {
        const ResultSet rs = env->db.query(sql);
        return rs.isEmpty() ? 0 : rs.number(0, 0);
    }
};

double luminance(const QColor& c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

} // namespace

TEST_P(NewHall, AReadyThemeForTheScreenAndADepartmentOfEveryKindTheKiosksList)
{
    demo::createAdministrator(env->db, QStringLiteral("admin"), QStringLiteral("secret"));
    ASSERT_TRUE(newHall::needsSetUp(env->db));
    const newHall::Made made = newHall::setUp(env->db, QSize(1920, 1080), QFontDatabase::families());
    EXPECT_FALSE(newHall::needsSetUp(env->db));
    EXPECT_EQ(made.themeName, themeDefaults::hallThemeName);
    EXPECT_EQ(made.departments.size(), 4);

    // Every kind the kiosk's options list, each with an active service under its own prefix.
    for (const char* kind : {"Walk-In", "Report", "Appointment", "Emergency"}) {
        const ResultSet rs =
            env->db.query(QStringLiteral("select s.abrno from tblDept d join tblService s on "
                                         "s.deptAuto=d.deptAuto where d.deptDesc=? and "
                                         "d.active='1' and s.active='1'"),
                          {QString::fromLatin1(kind)});
        EXPECT_EQ(rs.size(), 1) << kind;
    }
    EXPECT_EQ(count(QStringLiteral("select count(distinct abrno) from tblService")), 4);

    // A landscape board whose table fits the block the hall's layout gives it on that screen (the
    // theme keeps the half scale the layout has); the layout is the theme's, for the designer too.
    const ResultSet t =
        env->db.query(QStringLiteral("select type, colwidth, rowheight, rows, fntcrr, sizecrr, clrcrr, "
                                     "bgcrr, clrval, bgval, altcolr, newsBG from tbltheme where "
                                     "themeauto=?"),
                      {made.themeId});
    ASSERT_EQ(t.size(), 1);
    EXPECT_EQ(t.text(0, 0), QStringLiteral("Horrizontal"));
    const QRect block = themeDefaults::hallLayout(
        QSize(int(twips::fromPixels(1920) / 2), int(twips::fromPixels(1080) / 2)))[LayoutBlock::Table];
    const LayoutRow stored = readLayoutRow(env->db, made.themeId);
    ASSERT_TRUE(stored.found);
    Layout layout;
    stored.applyTo(layout);
    EXPECT_EQ(layout[LayoutBlock::Table], block);
    int width = 0;
    for (const QString& w : t.text(0, 1).split(QLatin1Char(';')))
        width += w.toInt();
    EXPECT_LE(width, block.width());
    EXPECT_GE(width, block.width() * 9 / 10);
    const qint64 height = t.number(0, 2) * (t.number(0, 3) + 1);
    EXPECT_LE(height, block.height());
    EXPECT_GE(height, block.height() * 9 / 10);
    EXPECT_TRUE(loadBoardTheme(env->db, made.themeId).found);
    // Token capitals a hall can read from across the room, in readable colours.
    QFont token(t.text(0, 4));
    token.setPointSizeF(t.text(0, 5).toDouble());
    token.setBold(true);
    EXPECT_GE(QFontMetrics(token).capHeight(), 50);
    auto colour = [&](int column) { return colorNumber::toColor(t.number(0, column)); };
    EXPECT_GE(contrast(colour(6), colour(7)), 7.0) << "token text";
    EXPECT_GE(contrast(colour(8), colour(9)), 7.0) << "counter text";
    EXPECT_GE(contrast(colour(8), colour(10)), 7.0) << "counter text on the alternate rows";
    EXPECT_GE(contrast(Qt::white, colour(11)), 7.0) << "the usual white news messages";
}

TEST_P(NewHall, KindsTheHallHasAlreadyAreLeftAndPrefixesInUseAreNotTaken)
{
    const qint64 dept =
        env->db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("OPD")},
                                                   {QStringLiteral("deptDesc"), QStringLiteral("Walk-In")},
                                                   {QStringLiteral("active"), 1}});
    env->db.insert(QStringLiteral("tblService"), {{QStringLiteral("deptAuto"), dept},
                                                  {QStringLiteral("servName"), QStringLiteral("Consult")},
                                                  {QStringLiteral("active"), 1},
                                                  {QStringLiteral("startno"), 1},
                                                  {QStringLiteral("endno"), 99},
                                                  {QStringLiteral("abrno"), QStringLiteral("R")}});
    const newHall::Made made = newHall::setUp(env->db, QSize(1366, 768), {});
    EXPECT_EQ(made.departments, (QStringList{QStringLiteral("Reports"), QStringLiteral("Appointments"),
                                             QStringLiteral("Emergency")}));
    EXPECT_EQ(count(QStringLiteral("select count(*) from tblService where abrno='R'")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(distinct abrno) from tblService")), 4);
}

TEST_P(NewHall, TheFirstAdministratorsStartOffersItOnceAndChoosesTheThemeForThisWorkstation)
{
    env->session.isAdmin = true;
    // Declined: nothing is made, and the question comes again at the next start.
    env->dialogs.setNextAnswer(Dialogs::Answer::No);
    {
        MDI mdi(*env->ctx);
        mdi.showLoaded();
        mdi.close();
    }
    EXPECT_TRUE(env->dialogs.last().startsWith(QStringLiteral("This hall has no display theme yet.")));
    EXPECT_TRUE(newHall::needsSetUp(env->db));
    EXPECT_EQ(env->session.themeId, 0);

    env->dialogs.clear();
    {
        MDI mdi(*env->ctx);
        mdi.showLoaded();
        mdi.close();
    }
    ASSERT_FALSE(newHall::needsSetUp(env->db));
    EXPECT_GT(env->session.themeId, 0);
    EXPECT_EQ(env->settings().get(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("theme")),
              themeDefaults::hallThemeName);
    EXPECT_TRUE(env->dialogs.last().contains(QStringLiteral("Start Display")));

    // With a theme there is nothing to offer; nor to a counter operator.
    env->dialogs.clear();
    {
        MDI mdi(*env->ctx);
        mdi.showLoaded();
        mdi.close();
    }
    EXPECT_TRUE(env->dialogs.shown().isEmpty());
    EXPECT_EQ(count(QStringLiteral("select count(*) from tbltheme")), 1);
}

TEST_P(NewHall, NotOfferedToACounterOperator)
{
    env->session.isAdmin = false;
    MDI mdi(*env->ctx);
    mdi.showLoaded();
    mdi.close();
    EXPECT_TRUE(newHall::needsSetUp(env->db));
}

BRIVANE_STORE_TEST_SUITE(NewHall);
