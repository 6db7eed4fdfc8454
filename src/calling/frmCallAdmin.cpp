#include "calling/frmCallAdmin.h"
#include "calling/ListGrid.h"

#include "calling/CounterLists.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/ScreenRegistry.h"
#include "core/Settings.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/Named.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString Queue = QStringLiteral("queue");

QString deskSetting(Settings& s, const QString& key, const QString& fallback)
{
    return s.get(QStringLiteral("q"), QStringLiteral("counter"), key, fallback);
}

} // namespace

frmCallAdmin::frmCallAdmin(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), desk(ctx.db, ctx.settings, ctx.clock), m_ctx(ctx),
      m_failures(ctx.dialogs, this)
{
    setObjectName(QStringLiteral("frmCallAdmin"));
    setWindowTitle(QStringLiteral("Call"));
    buildUi();
    desk.engine.showBothBox = [this] { return chkboth->isChecked(); };
}

void frmCallAdmin::buildUi()
{
    // Which counter this desk calls for.
    cmbCounter = named(new QComboBox(this), "cmbCounter");
    cmbCounter->setEditable(true);
    cmbCounter->setInsertPolicy(QComboBox::NoInsert);
    cmbCounter->setMinimumWidth(180);
    lblDr = named(new QLabel(this), "lblDr");
    lblDr->setStyleSheet(QStringLiteral("font-weight: bold;"));
    auto* counterRow = new QHBoxLayout;
    counterRow->addWidget(new QLabel(QStringLiteral("Counter"), this));
    counterRow->addWidget(cmbCounter);
    counterRow->addSpacing(16);
    counterRow->addWidget(new QLabel(QStringLiteral("Dr. Name/ Service"), this));
    counterRow->addWidget(lblDr, 1);

    // The token panel.
    auto* panel = named(new QFrame(this), "tokenPanel");
    panel->setStyleSheet(QStringLiteral(
        "#tokenPanel { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3c5a3c, stop:1 #243824);"
        " border-radius: 6px; }"
        "#tokenPanel QLabel { color: white; }"));
    Label1 = named(new QLabel(QStringLiteral("Calling"), panel), "Label1");
    Label1->setStyleSheet(QStringLiteral("font-size: 14pt; color: #ffd27f;"));
    lblToken = named(new QLabel(panel), "lblToken");
    QFont big(QStringLiteral("Liberation Sans"));
    big.setPointSize(48);
    big.setBold(true);
    lblToken->setFont(big);
    lblToken->setMinimumHeight(90);
    lblNo = named(new QLabel(panel), "lblNo");
    lblNo->setVisible(false); // the key of the current ticket, not for the operator's eyes
    lblLast = named(new QLabel(panel), "lblLast");
    lblTotal = named(new QLabel(QStringLiteral("Total Pending"), panel), "lblTotal");
    lblTotal->setStyleSheet(QStringLiteral("font-size: 12pt; font-weight: bold;"));
    auto* left = new QVBoxLayout;
    left->addWidget(Label1);
    left->addWidget(lblToken);
    left->addWidget(lblLast);
    auto* right = new QVBoxLayout;
    right->addWidget(lblTotal, 0, Qt::AlignRight);
    right->addStretch();
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(16, 10, 16, 10);
    panelLayout->addLayout(left, 1);
    panelLayout->addLayout(right);
    panelLayout->addWidget(lblNo);

    STab = named(new QTabWidget(this), "STab");

    // 0 Call Window
    auto* callTab = new QWidget;
    Command2 = named(new QPushButton(QStringLiteral("Next   F4"), callTab), "Command2");
    Command1 = named(new QPushButton(QStringLiteral("Recall   F5"), callTab), "Command1");
    Command3 = named(new QPushButton(QStringLiteral("Call This F6"), callTab), "Command3");
    Command3->setToolTip(QStringLiteral("Marks the current token as cancelled"));
    Command6 = named(new QPushButton(QStringLiteral("Refresh F7"), callTab), "Command6");
    // Open and Closed carry no action in this program; they are kept out of sight.
    Command9 = named(new QPushButton(QStringLiteral("Open"), callTab), "Command9");
    Command8 = named(new QPushButton(QStringLiteral("Closed"), callTab), "Command8");
    Command9->setVisible(false);
    Command8->setVisible(false);
    auto* buttons = new QGridLayout(callTab);
    int i = 0;
    for (QPushButton* b : {Command2, Command1, Command3, Command6}) {
        b->setMinimumHeight(56);
        b->setStyleSheet(QStringLiteral("font-size: 13pt;"));
        buttons->addWidget(b, i / 2, i % 2);
        ++i;
    }
    Command2->setStyleSheet(QStringLiteral("font-size: 14pt; font-weight: bold;"));
    buttons->setRowStretch(2, 1);
    STab->addTab(callTab, QStringLiteral("Call Window"));

    FG = named(new Grid, "FG");
    FG1 = named(new Grid, "FG1");
    FGR = named(new Grid, "FGR");
    FG4 = named(new Grid, "FG4");
    for (Grid* g : {FG, FG1, FGR, FG4}) {
        g->styleHeader();
        g->horizontalHeader()->setStretchLastSection(true);
    }
    STab->addTab(FG, QStringLiteral("Attended"));
    STab->addTab(FG1, QStringLiteral("Cancelled"));

    // 3 Transfer: the desk offers no transfer; the tab stays switched off.
    auto* transferTab = new QWidget;
    cmbService = named(new QComboBox(transferTab), "cmbService");
    auto* transferForm = new QFormLayout(transferTab);
    transferForm->addRow(QStringLiteral("Transfer to Counter"), cmbService);
    STab->addTab(transferTab, QStringLiteral("Transfer"));

    STab->addTab(FGR, QStringLiteral("Transfered"));
    STab->addTab(FG4, QStringLiteral("Pending"));

    // 6 Settings
    auto* settingsTab = new QWidget;
    Command4 = named(new QPushButton(QStringLiteral("Change Password"), settingsTab), "Command4");
    chkShort = named(new QCheckBox(QStringLiteral("Register Shortcuts"), settingsTab), "chkShort");
    chkboth = named(new QCheckBox(QStringLiteral("Show Counter && Display"), settingsTab), "chkboth");
    cmbMyCounter = named(new QComboBox(settingsTab), "cmbMyCounter");
    cmbMyCounter->setMinimumWidth(180);
    auto* settingsLayout = new QVBoxLayout(settingsTab);
    auto* passRow = new QHBoxLayout;
    passRow->addWidget(Command4);
    passRow->addStretch();
    settingsLayout->addLayout(passRow);
    settingsLayout->addWidget(chkShort);
    settingsLayout->addWidget(chkboth);
    auto* myRow = new QHBoxLayout;
    myRow->addWidget(new QLabel(QStringLiteral("My Counter"), settingsTab));
    myRow->addWidget(cmbMyCounter);
    myRow->addStretch();
    settingsLayout->addLayout(myRow);
    settingsLayout->addStretch();
    STab->addTab(settingsTab, QStringLiteral("Settings"));

    Command7 = named(new QPushButton(QStringLiteral("Close"), this), "Command7");
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(Command7);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(counterRow);
    layout->addWidget(panel);
    layout->addWidget(STab, 1);
    layout->addLayout(bottom);

    setFG();
    setFG1();
    setFG2();
    setFG4();

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(5000);
    Timer2 = named(new QTimer(this), "Timer2");
    Timer2->setInterval(1000);

    connect(cmbCounter, &QComboBox::currentTextChanged, this, &frmCallAdmin::cmbCounter_Change);
    connect(cmbMyCounter, &QComboBox::currentTextChanged, this, &frmCallAdmin::cmbMyCounter_Change);
    connect(Command1, &QPushButton::clicked, this, &frmCallAdmin::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmCallAdmin::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmCallAdmin::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmCallAdmin::Command4_Click);
    connect(Command6, &QPushButton::clicked, this, &frmCallAdmin::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &frmCallAdmin::Command7_Click);
    connect(STab, &QTabWidget::currentChanged, this, &frmCallAdmin::STab_Click);
    connect(FG, &Grid::dblClick, this, &frmCallAdmin::FG_DblClick);
    connect(FG1, &Grid::dblClick, this, &frmCallAdmin::FG1_DblClick);
    connect(FGR, &Grid::dblClick, this, &frmCallAdmin::FGR_DblClick);
    connect(chkShort, &QCheckBox::clicked, this, &frmCallAdmin::chkShort_Click);
    connect(chkboth, &QCheckBox::clicked, this, &frmCallAdmin::chkboth_Click);
    connect(Timer1, &QTimer::timeout, this, &frmCallAdmin::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &frmCallAdmin::Timer2_Timer);

    setCallButtons(false);
    resize(800, 620);
}

void frmCallAdmin::Form_Load()
{
    STab->setTabEnabled(3, false);
    Settings& s = m_ctx.settings;
    chkShort->setChecked(s.getNumber(Queue, QStringLiteral("shortcut"), QStringLiteral("enable"), 1) == 1);
    chkboth->setChecked(s.getNumber(Queue, QStringLiteral("show"), QStringLiteral("both"), 0) == 1);
    {
        const QSignalBlocker block(STab);
        STab->setCurrentIndex(0);
    }
    desk.state().Label1 = QStringLiteral("Idle");
    openConnection(m_ctx);
    try {
        desk.getPending();
        desk.getLast();
        showState();
        addAttend();
        addCount();
        addCntr();
    } catch (const DbError& e) {
        showState();
        reportError(e.description());
    }
    {
        const QSignalBlocker block(cmbCounter);
        cmbCounter->setCurrentIndex(-1);
        cmbCounter->setEditText(deskSetting(s, QStringLiteral("selected"), cmbCounter->currentText()));
    }
    cmbCounter_Change();
    // A desk registers no hot keys: F4..F7 always drive the counter operator screen.
    Timer2->start();
    m_loaded = true;
}

void frmCallAdmin::Form_Activate()
{
    // The desk keeps its own counter; coming back to it reloads that counter from the store.
    if (m_loaded)
        getDetails();
}

void frmCallAdmin::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void frmCallAdmin::showState()
{
    const CounterState& st = desk.state();
    lblNo->setText(st.lblNo);
    lblToken->setText(st.lblToken);
    Label1->setText(st.Label1);
    lblLast->setText(st.lblLast);
    lblTotal->setText(st.lblTotal);
}

void frmCallAdmin::setCallButtons(bool enabled)
{
    Command1->setEnabled(enabled);
    Command2->setEnabled(enabled);
    Command3->setEnabled(enabled);
}

void frmCallAdmin::reportError(const QString& description)
{
    m_failures.report(description);
}

// Counters -----------------------------------------------------------------------------------------

void frmCallAdmin::addCntr()
{
    const QSignalBlocker block(cmbCounter);
    const QString text = cmbCounter->currentText();
    cmbCounter->clear();
    const ResultSet rs =
        m_ctx.db.query(QStringLiteral("select contName from tblCounter where active='1' order by cntAuto"));
    QStringList names;
    for (int r = 0; r < rs.size(); ++r)
        names.append(rs.text(r, 0));
    names.sort(Qt::CaseInsensitive);
    cmbCounter->addItems(names);
    cmbCounter->setCurrentIndex(-1);
    cmbCounter->setEditText(text);
}

void frmCallAdmin::addCount()
{
    const QSignalBlocker block(cmbMyCounter);
    cmbMyCounter->clear();
    cmbService->clear();
    const ResultSet rs = m_ctx.db.query(
        QStringLiteral("select contName,displayName from tblcounter where active='1' order by cntAuto"));
    QStringList displayNames;
    for (int r = 0; r < rs.size(); ++r) {
        cmbService->addItem(rs.text(r, 0));
        if (!displayNames.contains(rs.text(r, 1)))
            displayNames.append(rs.text(r, 1));
    }
    displayNames.removeAll(QString());
    displayNames.sort(Qt::CaseInsensitive);
    cmbMyCounter->addItem(QString());
    cmbMyCounter->addItems(displayNames);
    const int index = cmbMyCounter->findText(
        deskSetting(m_ctx.settings, QStringLiteral("my"), cmbMyCounter->currentText()));
    cmbMyCounter->setCurrentIndex(qMax(0, index));
    cmbMyCounter_Change();
}

void frmCallAdmin::getDetails()
{
    try {
        m_counterValid = desk.getDetails(cmbCounter->currentText());
        setCallButtons(m_counterValid);
        if (m_counterValid) {
            lblDr->setText(desk.counter.displayName);
            desk.getLast();
            desk.getPending();
        }
        showState();
    } catch (const DbError& e) {
        showState();
        reportError(e.description());
    }
}

void frmCallAdmin::cmbCounter_Change()
{
    getDetails();
    m_ctx.settings.set(QStringLiteral("q"), QStringLiteral("counter"), QStringLiteral("selected"),
                       cmbCounter->currentText());
    Command6_Click();
    if (m_counterValid)
        addAttend();
}

void frmCallAdmin::cmbMyCounter_Change()
{
    const QString text = cmbMyCounter->currentText();
    m_ctx.settings.set(QStringLiteral("q"), QStringLiteral("counter"), QStringLiteral("my"), text);
    try {
        desk.chooseMyCounter(text);
    } catch (const DbError& e) {
        reportError(e.description());
    }
    setWindowTitle(text.isEmpty() ? QStringLiteral("Call") : text);
}

// The engine's routines on this desk ---------------------------------------------------------------

void frmCallAdmin::callNext()
{
    desk.callNext();
    showState();
}

void frmCallAdmin::callThis(qint64 ticketKey)
{
    desk.callThis(ticketKey);
    showState();
}

void frmCallAdmin::getPending()
{
    desk.getPending();
    showState();
}

void frmCallAdmin::getLast()
{
    desk.getLast();
    showState();
}

// Lists --------------------------------------------------------------------------------------------

void frmCallAdmin::setFG()
{
    prepareList(
        FG, 6, {1, 600, 1500, 3000, 3000},
        {QStringLiteral("SN"), QStringLiteral("Token"), QStringLiteral("At"), QStringLiteral("Finished")});
}

void frmCallAdmin::setFG1()
{
    prepareList(
        FG1, 6, {1, 600, 1500, 3000, 3000},
        {QStringLiteral("SN"), QStringLiteral("Token"), QStringLiteral("At"), QStringLiteral("Cancelled")});
}

void frmCallAdmin::setFG2()
{
    prepareList(FGR, 6, {1, 600, 1500, 1500, 1500, 1500},
                {QStringLiteral("SN"), QStringLiteral("Token"), QStringLiteral("At"),
                 QStringLiteral("Status"), QStringLiteral("Time")});
}

void frmCallAdmin::setFG4()
{
    prepareList(
        FG4, 6, {1, 600, 1500, 3000, 3000},
        {QStringLiteral("SN"), QStringLiteral("Token"), QStringLiteral("T.Time"), QStringLiteral("Waiting")});
}

void frmCallAdmin::addAttend()
{
    setFG();
    try {
        addRows(FG, counterLists::attended(m_ctx.db, m_ctx.clock.todayText(), desk.counter.key));
    } catch (const DbError&) {
        // The list keeps what it has.
    }
}

void frmCallAdmin::addCancelled()
{
    setFG1();
    int count = 0;
    try {
        const QVector<QStringList> rows =
            counterLists::cancelled(m_ctx.db, m_ctx.clock.todayText(), desk.counter.key);
        addRows(FG1, rows);
        count = int(rows.size());
    } catch (const DbError&) {
    }
    STab->setTabText(2, QStringLiteral("Cancelled ") + QString::number(count));
}

void frmCallAdmin::addTrans()
{
    setFG2();
    int count = 0;
    try {
        const QVector<QStringList> rows =
            counterLists::transferredWithNote(m_ctx.db, m_ctx.clock.todayText(), desk.counter.key);
        addRows(FGR, rows);
        count = int(rows.size());
    } catch (const DbError&) {
    }
    STab->setTabText(4, QStringLiteral("Transfred ") + QString::number(count));
}

void frmCallAdmin::addPendings()
{
    setFG4();
    int count = 0;
    try {
        const QVector<QStringList> rows =
            counterLists::pending(m_ctx.db, m_ctx.clock.todayText(), desk.counter.service, m_ctx.clock);
        addRows(FG4, rows);
        count = int(rows.size());
    } catch (const DbError&) {
    }
    STab->setTabText(5, QStringLiteral("Pending : ") + QString::number(count));
}

// Buttons ------------------------------------------------------------------------------------------

void frmCallAdmin::Command2_Click()
{
    // The counter is read again from the box; a name that no longer matches calls nothing.
    getDetails();
    if (!m_counterValid)
        return;
    try {
        if (!lblNo->text().isEmpty()) {
            desk.state().lblNo = lblNo->text();
            desk.setFinish();
            desk.state().lblNo.clear();
            lblNo->clear();
        }
        Command2->setEnabled(false);
        Command1->setEnabled(false);
        if (!Timer1->isActive())
            Timer1->start();
        desk.getLast();
        callNext();
    } catch (const DbError& e) {
        showState();
        reportError(e.description());
    }
}

void frmCallAdmin::Command1_Click()
{
    if (lblNo->text().isEmpty())
        return;
    try {
        desk.state().lblNo = lblNo->text();
        desk.updateRc();
    } catch (const DbError& e) {
        reportError(e.description());
    }
    Command1->setEnabled(false);
    if (!Timer1->isActive())
        Timer1->start();
}

void frmCallAdmin::Command3_Click()
{
    if (lblNo->text().isEmpty())
        return;
    try {
        desk.state().lblNo = lblNo->text();
        desk.cancelCurrent();
    } catch (const DbError& e) {
        reportError(e.description());
    }
}

void frmCallAdmin::Command4_Click()
{
    if (!m_ctx.screens.open(QStringLiteral("frmChPass")))
        m_ctx.dialogs.message(QStringLiteral("The password screen is not installed with this program."),
                              Dialogs::Buttons::Ok, Dialogs::Icon::Warning, QString(), this);
}

void frmCallAdmin::Command6_Click()
{
    try {
        getPending();
    } catch (const DbError& e) {
        reportError(e.description());
    }
    addPendings();
    addCancelled();
    addTrans();
}

void frmCallAdmin::Command7_Click()
{
    // The desk only hides; the main window's Call button opens a new one.
    Timer1->stop();
    Timer2->stop();
    hide();
}

void frmCallAdmin::closeEvent(QCloseEvent* event)
{
    // The window's close box is refused; Close hides the desk. The program closes it when it ends.
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    Timer1->stop();
    Timer2->stop();
    event->accept();
}

void frmCallAdmin::STab_Click(int tab)
{
    switch (tab) {
    case 1:
        addAttend();
        break;
    case 2:
        addCancelled();
        break;
    case 4:
        addTrans();
        break;
    case 5:
        addPendings();
        break;
    default:
        break;
    }
}

void frmCallAdmin::callFromList(Grid* list)
{
    const int row = list->row();
    if (row < 1 || row >= list->rows())
        return;
    const QString key = list->text(row, 0);
    if (key.isEmpty() || !m_counterValid)
        return;
    callThis(key.toLongLong());
}

void frmCallAdmin::FG_DblClick()
{
    callFromList(FG);
}

void frmCallAdmin::FG1_DblClick()
{
    callFromList(FG1);
}

void frmCallAdmin::FGR_DblClick()
{
    callFromList(FGR);
}

void frmCallAdmin::chkShort_Click()
{
    m_ctx.settings.set(Queue, QStringLiteral("shortcut"), QStringLiteral("enable"),
                       chkShort->isChecked() ? 1 : 0);
}

void frmCallAdmin::chkboth_Click()
{
    m_ctx.settings.set(Queue, QStringLiteral("show"), QStringLiteral("both"), chkboth->isChecked() ? 1 : 0);
}

void frmCallAdmin::Timer1_Timer()
{
    Command2->setEnabled(m_counterValid);
    Command1->setEnabled(m_counterValid);
}

void frmCallAdmin::Timer2_Timer()
{
    if (m_refreshTicks >= 60) {
        m_refreshTicks = 0;
        // A refresh nobody asked for tells nobody when it fails; the next press does.
        FailureMessages::Quiet quiet(m_failures);
        Command6_Click();
    } else {
        ++m_refreshTicks;
    }
}
