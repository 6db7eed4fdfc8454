#include "FakeScreens.h"
#include "core/MDI.h"
#include "core/frmSql.h"
#include "core/users/Users.h"
#include "testsupport/TestEnv.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTranslator>

namespace {

// Marks every text it translates, so a translated caption can be told from its English source.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char*, const char* source, const char*, int) const override
    {
        return QStringLiteral("[%1]").arg(QString::fromUtf8(source));
    }
    bool isEmpty() const override { return false; }
};

// Installed for one test, removed again whatever the test's outcome.
class Translated
{
public:
    Translated() { QCoreApplication::installTranslator(&m_translator); }
    ~Translated() { QCoreApplication::removeTranslator(&m_translator); }
    Translated(const Translated&) = delete;
    Translated& operator=(const Translated&) = delete;

private:
    MarkingTranslator m_translator;
};

} // namespace

// The choices show translated captions while the settings keep the English names the rest of the
// program compares with.
TEST(TranslatedChoices, TheConnectionScreenKeepsTheEnglishAuthenticationName)
{
    TestEnv env;
    env.writeFile(QStringLiteral("path.txt"), ";test.db;;;\n");
    const Translated translated;
    auto form = std::make_unique<frmSql>(*env.ctx);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("[SQL Settings]"));
    EXPECT_EQ(form->Combo1->currentText(), QStringLiteral("[SQL Authentication]"));

    form->Combo1->setCurrentText(QStringLiteral("[Windows Authentication]"));
    form->txthost->setText(QStringLiteral("127.0.0.1:1"));
    form->txtData->setText(QStringLiteral("nowhere"));
    env.session.loggedIn = true;
    form->Command1->click();
    EXPECT_EQ(env.settings().get(QStringLiteral("Queue"), QStringLiteral("Sql"), QStringLiteral("aut")),
              QStringLiteral("Windows Authentication"));

    // Opened again, the screen shows the stored choice in the translated words.
    form = std::make_unique<frmSql>(*env.ctx);
    EXPECT_EQ(form->Combo1->currentText(), QStringLiteral("[Windows Authentication]"));
}

class TranslatedUsersTest : public StoreTest
{
};

TEST_P(TranslatedUsersTest, ANewUserIsStoredWithTheEnglishType)
{
    seedHall(env->db);
    const Translated translated;
    frmUserLst screen(*env->ctx);
    EXPECT_EQ(screen.Combo1->currentText(), QStringLiteral("[Admin]"));
    screen.Text1->setText(QStringLiteral("clerk"));
    screen.Combo1->setCurrentText(QStringLiteral("[User]"));
    screen.Command1->click();
    const ResultSet rs = env->db.query(QStringLiteral("select userType from tbluser where username=?"),
                                       {QStringLiteral("clerk")});
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, 0), QStringLiteral("User"));
}

BRIVANE_STORE_TEST_SUITE(TranslatedUsersTest);

// The main window knows whether the board runs from its own state, not from the (translated) caption.
TEST(TranslatedChoices, TheDisplayCommandStartsAndStopsUnderATranslation)
{
    TestEnv env;
    seedHall(env.db);
    registerFakeScreens(env);
    env.db.insert(QStringLiteral("tbltheme"), {{QStringLiteral("themename"), QStringLiteral("HR1")}});
    const Translated translated;
    MDI mdi(*env.ctx);
    mdi.showLoaded();
    EXPECT_EQ(mdi.display->text(), QStringLiteral("[Start Display]"));
    mdi.display->trigger();
    EXPECT_TRUE(mdi.displayRunning());
    EXPECT_EQ(mdi.display->text(), QStringLiteral("[Stop Display]"));
    mdi.display->trigger();
    EXPECT_FALSE(mdi.displayRunning());
    EXPECT_EQ(mdi.display->text(), QStringLiteral("[Start Display]"));
    EXPECT_EQ(mdi.displayBoard(), nullptr);
    mdi.close();
}
