// The office screens shown in another language still store the English values other parts read.
#include "display/frmTheme.h"
#include "display/settings/frmSettings.h"
#include "testsupport/TestEnv.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTranslator>

namespace {

// Marks every text of the screens it knows, so a translated text can be told from its English source.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override
    {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        const QByteArray c(context);
        if (c == "frmSettings" || c == "frmTheme" || c == "CallAnnouncement")
            return QStringLiteral("~") + QString::fromUtf8(sourceText);
        return QString();
    }
    bool isEmpty() const override { return false; }
};

class ScreensInALanguage : public ::testing::Test
{
protected:
    void SetUp() override { QCoreApplication::installTranslator(&translator); }
    void TearDown() override { QCoreApplication::removeTranslator(&translator); }
    MarkingTranslator translator;
};

QString get(TestEnv& env, const char* app, const char* section, const char* key)
{
    return env.settings().get(QLatin1String(app), QLatin1String(section), QLatin1String(key),
                              QStringLiteral("<absent>"));
}

} // namespace

TEST_F(ScreensInALanguage, SettingsShowTranslatedChoicesAndStoreTheEnglishOnes)
{
    TestEnv env;
    seedHall(env.db);
    env.db.insert(QStringLiteral("tbltheme"), {{QStringLiteral("themename"), QStringLiteral("Hall")}});

    frmSettings form(*env.ctx);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("~Settings"));
    EXPECT_EQ(form.cmbScreen->currentText(), QStringLiteral("~Single"));
    EXPECT_EQ(form.cmbAnnounce->currentText(), QStringLiteral("~Both Languages"));
    // A stored value the list lacks is shown as it is.
    EXPECT_EQ(form.cmbCut->currentText(), QStringLiteral("F"));

    form.cmbScreen->setCurrentIndex(1);
    form.cmbTicket->setCurrentIndex(1);
    form.cmbAnnounce->setCurrentIndex(1);
    // A typed entry's translated text is its entry; any other typed text is stored as typed.
    form.cmbCut->setEditText(QStringLiteral("~Partial"));
    form.Command1_Click();
    EXPECT_EQ(get(env, "Queue", "theme", "screen"), QStringLiteral("Dual"));
    EXPECT_EQ(get(env, "queue", "Ticket", "screen"), QStringLiteral("Full Screen"));
    EXPECT_EQ(get(env, "queue", "scroll", "vsAnnounce"), QStringLiteral("First Language Only"));
    EXPECT_EQ(get(env, "Queue", "theme", "cut"), QStringLiteral("Partial"));

    frmSettings again(*env.ctx);
    EXPECT_EQ(again.cmbScreen->currentText(), QStringLiteral("~Dual"));
    EXPECT_EQ(again.cmbTicket->currentText(), QStringLiteral("~Full Screen"));
    EXPECT_EQ(again.cmbAnnounce->currentText(), QStringLiteral("~First Language Only"));
    EXPECT_EQ(again.cmbCut->currentText(), QStringLiteral("~Partial"));
    again.cmbCut->setEditText(QStringLiteral("P"));
    again.Command1_Click();
    EXPECT_EQ(get(env, "Queue", "theme", "cut"), QStringLiteral("P"));
    EXPECT_EQ(get(env, "Queue", "theme", "screen"), QStringLiteral("Dual")) << "an unchanged choice stays";
}

TEST_F(ScreensInALanguage, TheThemeEditorStoresTheEnglishTypeAndShowsItTranslated)
{
    TestEnv env;
    frmTheme editor(*env.ctx);
    EXPECT_EQ(editor.cmbType->currentText(), QStringLiteral("~Vertical"));
    editor.txtName->setText(QStringLiteral("Lobby"));
    editor.cmbType->setCurrentIndex(1);
    editor.cmdSave_Click();
    const ResultSet rs = env.db.query(QStringLiteral("select themeauto, type from tbltheme"));
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, 1), QStringLiteral("Horrizontal"));

    frmTheme again(*env.ctx);
    again.lblRef->setText(rs.text(0, 0));
    again.getData();
    EXPECT_EQ(again.cmbType->currentText(), QStringLiteral("~Horrizontal"));
}
