#include "display/settings/frmSettings.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/LanguageSettings.h"
#include "core/ModuleSettingsSave.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "core/ThemeChoice.h"
#include "display/settings/KioskDepartmentList.h"
#include "display/settings/PrinterChoice.h"
#include "display/voice/CallAnnouncement.h"
#include "display/voice/vs.h"
#include "tickets/TicketCode.h"
#include "ui/Dialogs.h"
#include "ui/Language.h"
#include "ui/Named.h"
#include "ui/PrintSurface.h"

#include <QCameraDevice>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMediaDevices>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using modulesettings::numberIn;

QComboBox* listBox(const char* name, bool editable = true)
{
    auto* box = named(new QComboBox, name);
    box->setEditable(editable);
    // Typed text is shown and stored, never added to the list.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(18);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return box;
}

// Entries shown translated keep the English value they store as their data.
void addChoice(QComboBox* box, const char* english)
{
    box->addItem(frmSettings::tr(english), QString::fromLatin1(english));
}

// Shows a stored value, selecting its entry when the list has one.
void showValue(QComboBox* box, const QString& value)
{
    int i = box->findData(value);
    if (i < 0)
        i = box->findText(value);
    box->setCurrentIndex(i);
    box->setEditText(i >= 0 ? box->itemText(i) : value);
}

// What a list stores: the entry's English value when the text is one of its entries, else the typed text.
QString storedText(const QComboBox* box)
{
    const int i = box->findText(box->currentText());
    const QVariant value = i >= 0 ? box->itemData(i) : QVariant();
    return value.isValid() ? value.toString() : box->currentText();
}

QLineEdit* textBox(const char* name)
{
    auto* box = named(new QLineEdit, name);
    return box;
}

} // namespace

frmSettings::frmSettings(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx), m_shown(ctx.settings)
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(tr("Settings"));

    chkAuto = named(new QCheckBox(tr("Auto -Start Display")), "chkAuto");
    cmbDept = listBox("cmbDept");
    lstKioskDepts = new KioskDepartmentList;
    // Only the hall's own themes can be chosen; none is shown chosen when the rule picks none.
    cmbTheme = listBox("cmbTheme", false);
    cmbTheme->setPlaceholderText(tr("(none chosen)"));
    cmbScreen = listBox("cmbScreen");
    addChoice(cmbScreen, QT_TR_NOOP("Single"));
    addChoice(cmbScreen, QT_TR_NOOP("Dual"));
    cmbCut = listBox("cmbCut");
    addChoice(cmbCut, QT_TR_NOOP("Full"));
    addChoice(cmbCut, QT_TR_NOOP("Partial"));
    cmbTicket = listBox("cmbTicket");
    addChoice(cmbTicket, QT_TR_NOOP("Normal"));
    addChoice(cmbTicket, QT_TR_NOOP("Full Screen"));
    cmbService = listBox("cmbService");
    txtPrint = textBox("txtPrint");
    cmbPrinter = listBox("cmbPrinter");
    m_printer = new PrinterChoice(cmbPrinter, m_ctx.dialogs, this);
    txtRHeight = textBox("txtRHeight");
    txtWeb = textBox("txtWeb");
    txtWeb->setPlaceholderText(QStringLiteral("http://192.168.1.10:8080"));
    txtSpeed = textBox("txtSpeed");
    txtVoice1 = textBox("txtVoice1");
    txtVoice1->setText(vs::defaultTemplate1());
    txtVoice2 = textBox("txtVoice2");
    txtVoice2->setText(vs::defaultTemplate2());
    cmbAnnounce = listBox("cmbAnnounce", false);
    for (const vs::AnnounceChoice choice : vs::announceChoices())
        cmbAnnounce->addItem(vs::announceChoiceLabel(choice), vs::announceChoiceText(choice));
    cmbLanguage = listBox("cmbLanguage", false);
    cmbLanguage->addItem(tr("This computer's language"), QString());
    for (const QString& code : Language::shipped())
        cmbLanguage->addItem(Language(code).nativeName(), code);
    txtLanguages = textBox("txtLanguages");
    txtLanguages->setPlaceholderText(Language::shipped().join(QLatin1Char(',')));
    txtLanguages->setToolTip(tr("Two or more: the kiosk lets the visitor choose first"));
    chkEnable = named(new QCheckBox(tr("Enable Input")), "chkEnable");
    // The input source only stores a position in the list of devices, so it takes no typed text.
    cmbSource = listBox("cmbSource", false);
    cmbSource->setEnabled(false);
    chkMulti = named(new QCheckBox(tr("Enable Mull Colums")), "chkMulti");
    Command1 = named(new QPushButton(tr("Save")), "Command1");
    Command2 = named(new QPushButton(tr("Test")), "Command2");
    Command3 = named(new QPushButton(tr("Close")), "Command3");
    Command4 = named(new QPushButton(tr("Test")), "Command4");

    auto* display = new QGroupBox(tr("Display"));
    auto* displayForm = new QFormLayout(display);
    displayForm->addRow(chkAuto);
    displayForm->addRow(tr("Theme"), cmbTheme);
    displayForm->addRow(tr("Screen Mode"), cmbScreen);
    displayForm->addRow(tr("Screen Row Height"), txtRHeight);
    displayForm->addRow(tr("Scroll Speed"), txtSpeed);
    displayForm->addRow(chkMulti);

    auto* kiosk = new QGroupBox(tr("Kiosk and Ticket"));
    auto* kioskForm = new QFormLayout(kiosk);
    kioskForm->addRow(tr("Default Department"), cmbDept);
    kioskForm->addRow(tr("Kiosk Also Offers"), lstKioskDepts);
    kioskForm->addRow(tr("Ticket"), cmbTicket);
    kioskForm->addRow(tr("Default Transfer"), cmbService);
    kioskForm->addRow(tr("Label Cut"), cmbCut);
    kioskForm->addRow(tr("No. Print"), txtPrint);
    kioskForm->addRow(tr("Select Printer"), cmbPrinter);
    kioskForm->addRow(tr("Web Address"), txtWeb);
    kioskForm->addRow(tr("Language"), cmbLanguage);
    kioskForm->addRow(tr("Kiosk Languages"), txtLanguages);

    auto* voice = new QGroupBox(tr("Voice"));
    auto* voiceGrid = new QGridLayout(voice);
    voiceGrid->addWidget(new QLabel(tr("Voice Lang.1")), 0, 0);
    voiceGrid->addWidget(txtVoice1, 0, 1);
    voiceGrid->addWidget(Command2, 0, 2);
    voiceGrid->addWidget(new QLabel(tr("Voice Lang 2")), 1, 0);
    voiceGrid->addWidget(txtVoice2, 1, 1);
    voiceGrid->addWidget(Command4, 1, 2);
    voiceGrid->addWidget(new QLabel(tr("Announce Calls")), 2, 0);
    voiceGrid->addWidget(cmbAnnounce, 2, 1, Qt::AlignLeft);
    voiceGrid->setColumnStretch(1, 1);

    fraVideo = named(new QGroupBox(tr("Live Video")), "fraVideo");
    auto* videoRow = new QHBoxLayout(fraVideo);
    videoRow->addWidget(chkEnable);
    videoRow->addSpacing(16);
    videoRow->addWidget(new QLabel(tr("Input Source")));
    videoRow->addWidget(cmbSource, 1);

    auto* columns = new QHBoxLayout;
    columns->addWidget(display, 1);
    columns->addWidget(kiosk, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command3);

    auto* main = new QVBoxLayout(this);
    main->addLayout(columns);
    main->addWidget(voice);
    main->addWidget(fraVideo);
    main->addStretch(1);
    main->addLayout(buttons);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(chkMulti, &QCheckBox::clicked, this, [this] { chkMulti_Click(); });
    connect(chkEnable, &QCheckBox::toggled, this, [this] { chkEnable_Click(); });
    txtPrint->installEventFilter(this);

    resize(sizeHint().expandedTo(QSize(720, 0)));
    Form_Load();
}

bool frmSettings::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtPrint && event->type() == QEvent::FocusOut)
        txtPrint_LostFocus();
    return QWidget::eventFilter(watched, event);
}

QStringList frmSettings::videoInputNames()
{
    QStringList names;
    const QList<QCameraDevice> inputs = QMediaDevices::videoInputs();
    for (const QCameraDevice& input : inputs)
        names << input.description();
    return names;
}

void frmSettings::fillLists()
{
    // Each list is filled on its own: one that fails leaves the others filled.
    for (QComboBox* box : {cmbPrinter, cmbTheme, cmbDept, cmbSource, cmbService})
        box->clear();
    m_printer->fill(m_ctx.printers.names());
    m_themes.clear();
    try {
        m_themes = themechoice::hallThemes(m_ctx.db);
        for (const HallTheme& theme : std::as_const(m_themes))
            cmbTheme->addItem(theme.name);
    } catch (const DbError&) {
    }
    try {
        const ResultSet depts =
            m_ctx.db.query(QStringLiteral("Select deptName from tblDept order by deptAuto"));
        for (int i = 0; i < depts.size(); ++i)
            cmbDept->addItem(depts.text(i, 0));
    } catch (const DbError&) {
    }
    cmbSource->addItems(videoInputNames());
    try {
        // The names only: a kiosk or a board may not read the operators' passwords beside them.
        const ResultSet counters = m_ctx.db.query(
            QStringLiteral("select contName from tblcounter where active='1' order by cntAuto"));
        for (int i = 0; i < counters.size(); ++i)
            cmbService->addItem(counters.text(i, 0));
    } catch (const DbError&) {
    }
}

void frmSettings::Form_Load()
{
    Settings& s = m_ctx.settings;
    chkMulti->setChecked(
        s.getNumber(QStringLiteral("q"), QStringLiteral("multi"), QStringLiteral("caption"), 0) == 1);
    txtVoice1->setText(s.get(QStringLiteral("queue"), QStringLiteral("scroll"), QStringLiteral("vsFormat1"),
                             vs::defaultTemplate1()));
    txtVoice2->setText(s.get(QStringLiteral("queue"), QStringLiteral("scroll"), QStringLiteral("vsFormat2"),
                             vs::defaultTemplate2()));
    cmbAnnounce->setCurrentIndex(
        cmbAnnounce->findData(vs::announceChoiceText(vs::announcerSettings(s).choice)));
    chkAuto->setChecked(
        s.getNumber(QStringLiteral("Queue"), QStringLiteral("Display"), QStringLiteral("Auto"), 0) == 1);

    fillLists();

    showValue(cmbDept, s.get(QStringLiteral("Queue"), QStringLiteral("dept"), QStringLiteral("default")));
    lstKioskDepts->load(m_ctx.db, s);
    // The theme the board would use: never a name the hall lacks.
    const HallTheme theme = themechoice::themeNamed(m_themes, themechoice::storedThemeName(s));
    cmbTheme->setCurrentIndex(theme.id != 0 ? cmbTheme->findText(theme.name) : -1);
    showValue(cmbScreen, s.get(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("screen"),
                               QStringLiteral("Single")));
    showValue(cmbCut, s.get(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("cut"),
                            QStringLiteral("F")));
    showValue(cmbTicket, s.get(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                               QStringLiteral("Normal")));
    showValue(cmbService,
              s.get(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("transfer")));
    txtPrint->setText(
        s.get(QStringLiteral("queue"), QStringLiteral("print"), QStringLiteral("nos"), QStringLiteral("1")));
    m_printer->show(s.get(QStringLiteral("queue"), QStringLiteral("printer"), QStringLiteral("name")));
    txtRHeight->setText(s.get(QStringLiteral("queue"), QStringLiteral("printer"), QStringLiteral("row"),
                              QStringLiteral("500")));
    txtSpeed->setText(s.get(QStringLiteral("queue"), QStringLiteral("scroll"), QStringLiteral("speed"),
                            QStringLiteral("30")));
    txtWeb->setText(ticketcode::webAddress(s));
    cmbLanguage->setCurrentIndex(
        qMax(0, cmbLanguage->findData(Language::known(s.get(
                    QStringLiteral("Queue"), QStringLiteral("Language"), QStringLiteral("language"))))));
    txtLanguages->setText(
        s.get(QStringLiteral("Queue"), QStringLiteral("Language"), QStringLiteral("kiosk")));
    chkEnable->setChecked(
        s.getNumber(QStringLiteral("Queue"), QStringLiteral("Video"), QStringLiteral("VideoIn"), 0) == 1);
    chkEnable_Click();
    const qint64 source =
        s.getNumber(QStringLiteral("Queue"), QStringLiteral("Video"), QStringLiteral("Source"), -1);
    const bool available = source >= 0 && source < cmbSource->count();
    cmbSource->setCurrentIndex(available ? int(source) : -1);
    // A chosen input that is not plugged in now keeps its place until another one is chosen.
    m_absentSource = available ? -1 : source;

    // Save stores only what differs from what is shown now.
    for (const Value& value : values())
        m_shown.shown(value.app, value.section, value.key, value.text);
}

QList<frmSettings::Value> frmSettings::values() const
{
    const QString Queue = QStringLiteral("Queue");
    QList<Value> all{
        {Queue, QStringLiteral("Display"), QStringLiteral("Auto"),
         chkAuto->isChecked() ? QStringLiteral("1") : QStringLiteral("0")},
        {Queue, QStringLiteral("dept"), QStringLiteral("default"), cmbDept->currentText()},
        {Queue, QStringLiteral("Ticket"), QStringLiteral("screen"), storedText(cmbTicket)},
        {Queue, QStringLiteral("Ticket"), QStringLiteral("transfer"), cmbService->currentText()},
        {Queue, QStringLiteral("print"), QStringLiteral("nos"), txtPrint->text()},
    };
    if (const auto printer = m_printer->chosen())
        all.append({Queue, QStringLiteral("printer"), QStringLiteral("name"), *printer});
    const qint64 source =
        cmbSource->currentIndex() >= 0 ? cmbSource->currentIndex() : qMax<qint64>(m_absentSource, -1);
    all.append({
        {Queue, QStringLiteral("printer"), QStringLiteral("row"), txtRHeight->text()},
        {QLatin1String(ticketcode::webAddressApp), QLatin1String(ticketcode::webAddressSection),
         QLatin1String(ticketcode::webAddressKey), txtWeb->text().trimmed()},
        {Queue, QStringLiteral("scroll"), QStringLiteral("speed"), txtSpeed->text()},
        {Queue, QStringLiteral("scroll"), QStringLiteral("vsFormat1"), txtVoice1->text()},
        {Queue, QStringLiteral("scroll"), QStringLiteral("vsFormat2"), txtVoice2->text()},
        {Queue, QStringLiteral("scroll"), QStringLiteral("vsAnnounce"), storedText(cmbAnnounce)},
        {Queue, QStringLiteral("theme"), QStringLiteral("theme"), cmbTheme->currentText()},
        {Queue, QStringLiteral("theme"), QStringLiteral("screen"), storedText(cmbScreen)},
        {Queue, QStringLiteral("theme"), QStringLiteral("cut"), storedText(cmbCut)},
        {Queue, QStringLiteral("Video"), QStringLiteral("VideoIn"),
         chkEnable->isChecked() ? QStringLiteral("1") : QStringLiteral("0")},
        {Queue, QStringLiteral("Video"), QStringLiteral("Source"), QString::number(source)},
        {Queue, QStringLiteral("Language"), QStringLiteral("language"),
         cmbLanguage->currentData().toString()},
        {Queue, QStringLiteral("Language"), QStringLiteral("kiosk"),
         Language::listFrom(txtLanguages->text()).join(QLatin1Char(','))},
    });
    return all;
}

void frmSettings::store(const Value& value)
{
    m_shown.store(value.app, value.section, value.key, value.text);
}

void frmSettings::storeKey(const QList<Value>& values, const QString& section, const QString& key)
{
    for (const Value& value : values) {
        if (value.section == section && value.key == key)
            store(value);
    }
}

void frmSettings::Command1_Click()
{
    if (!numberIn(txtRHeight->text()))
        txtRHeight->setText(QStringLiteral("500"));
    if (!numberIn(txtSpeed->text()))
        txtSpeed->setText(QStringLiteral("30"));
    // A Save that does not come from a click never left the box.
    txtPrint_LostFocus();
    // Only what differs from what the screen showed is stored: a value another screen, workstation
    // or brivane-ctl wrote meanwhile stays.
    const QList<Value> all = values();
    // Auto start and the default department are stored even when the rest cannot be.
    store(all.at(0));
    store(all.at(1));
    lstKioskDepts->save(m_ctx.settings);
    if (cmbTheme->currentText().isEmpty()) {
        m_ctx.dialogs.message(tr("Cannot Save Please select a Theme"), Dialogs::Buttons::Ok,
                              Dialogs::Icon::None, {}, isVisible() ? this : nullptr);
        storeKey(all, QStringLiteral("scroll"), QStringLiteral("speed"));
        return;
    }
    for (qsizetype i = 2; i < all.size(); ++i)
        store(all.at(i));
    // The display's theme, the news speed and the copies follow what is stored now.
    applyModuleSettings(m_ctx.db, m_ctx.settings, m_ctx.session);
    // Windows opened from now on speak the workstation's language.
    languageSettings::apply(m_ctx.settings);
    close();
}

void frmSettings::Command3_Click()
{
    close();
}

void frmSettings::Command2_Click()
{
    testTemplate(txtVoice1->text(), 1);
}

void frmSettings::Command4_Click()
{
    testTemplate(txtVoice2->text(), 2);
}

void frmSettings::testTemplate(const QString& voiceTemplate, int ruleSet)
{
    // Playing waits for each recording while events go on: a second press must not start another
    // announcement over this one, and the screen may be closed before the last recording.
    if (m_speaking)
        return;
    m_speaking = true;
    Command2->setEnabled(false);
    Command4->setEnabled(false);
    const QPointer<frmSettings> alive(this);
    const vs::Announcement announcement = vs::templateTest(voiceTemplate, ruleSet);
    vs::Player player(m_ctx.sound, m_ctx.installDir);
    player.language = announcement.language;
    for (const QString& recording : announcement.recordings) {
        if (!alive)
            return;
        player.playVoice(recording);
    }
    if (!alive)
        return;
    Command2->setEnabled(true);
    Command4->setEnabled(true);
    m_speaking = false;
}

void frmSettings::chkMulti_Click()
{
    m_ctx.settings.set(QStringLiteral("q"), QStringLiteral("multi"), QStringLiteral("caption"),
                       chkMulti->isChecked() ? 1 : 0);
}

void frmSettings::chkEnable_Click()
{
    cmbSource->setEnabled(chkEnable->isChecked());
}

void frmSettings::txtPrint_LostFocus()
{
    if (!numberIn(txtPrint->text()))
        txtPrint->setText(QStringLiteral("1"));
}
