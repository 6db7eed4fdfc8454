#include "calling/frmCall.h"
#include "calling/ListGrid.h"

#include "calling/CounterLists.h"
#include "calling/TokenMoves.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Lookups.h"
#include "core/ScreenRegistry.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/HotKeys.h"
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
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString Queue = QStringLiteral("queue");

QString hotKeyMessage(const QString& key)
{
    return QStringLiteral(
               "Can not register all or one of the hotkeys %1 ... Try other keys this key is already "
               "registered by some other running applications.")
        .arg(key);
}

QString typeInWords(const QString& type)
{
    if (type == QLatin1String("N"))
        return QStringLiteral("Walk in");
    if (type == QLatin1String("R"))
        return QStringLiteral("Report");
    if (type == QLatin1String("A"))
        return QStringLiteral("Appointment");
    if (type == QLatin1String("E"))
        return QStringLiteral("Emergency");
    return QString();
}

} // namespace

frmCall::frmCall(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), engine(ctx.db, ctx.settings, ctx.clock, ctx.session), m_ctx(ctx),
      m_failures(ctx.dialogs, this)
{
    setObjectName(QStringLiteral("frmCall"));
    setWindowTitle(QStringLiteral("Call"));
    buildUi();
    engine.showBothBox = [this] { return chkboth->isChecked(); };
}

frmCall::~frmCall()
{
    releaseHotKeys();
}

void frmCall::buildUi()
{
    // The token panel.
    auto* panel = named(new QFrame(this), "tokenPanel");
    panel->setStyleSheet(QStringLiteral(
        "#tokenPanel { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2f4f6f, stop:1 #1d3347);"
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
    Label4 = named(new QLabel(QStringLiteral("0"), panel), "Label4");
    Label4->setToolTip(QStringLiteral("Walk-in tokens called"));
    Label4->setStyleSheet(QStringLiteral("font-size: 12pt;"));
    Label3 = named(new QLabel(panel), "Label3");
    Label3->setToolTip(QStringLiteral("Appointment time of the transferred token last clicked"));
    lblTransfered = named(new QLabel(panel), "lblTransfered");

    auto* left = new QVBoxLayout;
    left->addWidget(Label1);
    left->addWidget(lblToken);
    left->addWidget(lblLast);
    auto* right = new QVBoxLayout;
    right->addWidget(lblTotal, 0, Qt::AlignRight);
    auto* countRow = new QHBoxLayout;
    countRow->addStretch();
    countRow->addWidget(new QLabel(QStringLiteral("Walk-ins called:"), panel));
    countRow->addWidget(Label4);
    right->addLayout(countRow);
    right->addWidget(lblTransfered, 0, Qt::AlignRight);
    right->addWidget(Label3, 0, Qt::AlignRight);
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
    Command3 = named(new QPushButton(QStringLiteral("Cancell F6"), callTab), "Command3");
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

    // 1, 2: Attended, Cancelled
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

    // 3 Transfer
    auto* transferTab = new QWidget;
    cmbToken = named(new QComboBox(transferTab), "cmbToken");
    cmbToken->setEditable(true);
    cmbToken->setInsertPolicy(QComboBox::NoInsert);
    cmbService = named(new QComboBox(transferTab), "cmbService");
    cmbService->setEditable(true);
    cmbService->setInsertPolicy(QComboBox::NoInsert);
    lblService = named(new QLabel(transferTab), "lblService");
    lblService->setStyleSheet(QStringLiteral("color: #2f4f6f;"));
    txtRef = named(new QLineEdit(transferTab), "txtRef");
    Command5 = named(new QPushButton(QStringLiteral("Update"), transferTab), "Command5");
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Select Token"), cmbToken);
    form->addRow(QStringLiteral("Transfer to Counter"), cmbService);
    form->addRow(QString(), lblService);
    form->addRow(QStringLiteral("Notes"), txtRef);
    auto* transferLayout = new QVBoxLayout(transferTab);
    transferLayout->addLayout(form);
    auto* updateRow = new QHBoxLayout;
    updateRow->addStretch();
    updateRow->addWidget(Command5);
    transferLayout->addLayout(updateRow);
    transferLayout->addStretch();
    STab->addTab(transferTab, QStringLiteral("Transfer"));

    // 4, 5: Transfered, Pending
    STab->addTab(FGR, QStringLiteral("Transfered"));
    STab->addTab(FG4, QStringLiteral("Pending"));

    // 6 Settings
    auto* settingsTab = new QWidget;
    Command4 = named(new QPushButton(QStringLiteral("Change Password"), settingsTab), "Command4");
    chkShort = named(new QCheckBox(QStringLiteral("Register Shortcuts"), settingsTab), "chkShort");
    chkboth = named(new QCheckBox(QStringLiteral("Show Room && Dr. Name"), settingsTab), "chkboth");
    auto* settingsLayout = new QVBoxLayout(settingsTab);
    auto* passRow = new QHBoxLayout;
    passRow->addWidget(Command4);
    passRow->addStretch();
    settingsLayout->addLayout(passRow);
    settingsLayout->addWidget(chkShort);
    settingsLayout->addWidget(chkboth);
    settingsLayout->addStretch();
    STab->addTab(settingsTab, QStringLiteral("Settings"));

    Command7 = named(new QPushButton(QStringLiteral("Exit"), this), "Command7");
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(Command7);

    auto* layout = new QVBoxLayout(this);
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

    connect(Command1, &QPushButton::clicked, this, &frmCall::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmCall::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmCall::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmCall::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &frmCall::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &frmCall::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &frmCall::Command7_Click);
    connect(STab, &QTabWidget::currentChanged, this, &frmCall::STab_Click);
    connect(FG, &Grid::dblClick, this, &frmCall::FG_DblClick);
    connect(FG1, &Grid::dblClick, this, &frmCall::FG1_DblClick);
    connect(FGR, &Grid::dblClick, this, &frmCall::FGR_DblClick);
    connect(FG4, &Grid::dblClick, this, &frmCall::FG4_DblClick);
    connect(FGR, &QTableWidget::itemSelectionChanged, this, &frmCall::FGR_Click);
    connect(cmbService, &QComboBox::activated, this, &frmCall::cmbService_Click);
    connect(chkShort, &QCheckBox::clicked, this, &frmCall::chkShort_Click);
    connect(chkboth, &QCheckBox::clicked, this, &frmCall::chkboth_Click);
    connect(Timer1, &QTimer::timeout, this, &frmCall::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &frmCall::Timer2_Timer);

    resize(780, 600);
}

void frmCall::Form_Load()
{
    openConnection(m_ctx);
    Settings& s = m_ctx.settings;
    chkShort->setChecked(s.getNumber(Queue, QStringLiteral("shortcut"), QStringLiteral("enable"), 1) == 1);
    engine.state.walkInCount = qMax(
        qint64(0), s.getNumber(QStringLiteral("Q"), QStringLiteral("Counter"), QStringLiteral("Token"), 0));
    chkboth->setChecked(s.getNumber(Queue, QStringLiteral("show"), QStringLiteral("both"), 0) == 1);
    {
        const QSignalBlocker block(STab);
        STab->setCurrentIndex(0);
    }
    engine.state.Label1 = QStringLiteral("Idle");
    try {
        Session& session = m_ctx.session;
        session.counterName = lookups::counterNamesById(m_ctx.db, session, session.counterId);
        setWindowTitle(session.counterName.isEmpty() ? QStringLiteral("Call") : session.counterName);
        engine.getPending();
        engine.getLast();
        showState();
        addAttend();
        addCount();
    } catch (const DbError& e) {
        showState();
        reportError(e.description());
    }
    if (!m_ctx.session.isAdmin && chkShort->isChecked())
        regHkeys();
    Timer2->start();
}

void frmCall::showState()
{
    const CounterState& st = engine.state;
    lblNo->setText(st.lblNo);
    lblToken->setText(st.lblToken);
    Label1->setText(st.Label1);
    lblLast->setText(st.lblLast);
    lblTotal->setText(st.lblTotal);
    Label4->setText(QString::number(st.walkInCount));
}

void frmCall::reportError(const QString& description)
{
    m_failures.report(description);
}

// The engine's routines on this screen ---------------------------------------------------------------

void frmCall::callNext()
{
    engine.callNext();
    showState();
}

void frmCall::callThis(qint64 ticketKey, const QString& kind)
{
    engine.callThis(ticketKey, kind);
    showState();
}

void frmCall::updateRc()
{
    engine.state.lblNo = lblNo->text();
    engine.updateRc();
}

void frmCall::setFinish()
{
    engine.state.lblNo = lblNo->text();
    engine.setFinish();
}

void frmCall::getPending()
{
    engine.getPending();
    showState();
}

void frmCall::getLast()
{
    engine.getLast();
    showState();
}

// Lists --------------------------------------------------------------------------------------------

void frmCall::setFG()
{
    prepareList(
        FG, 6, {1, 600, 1500, 3000, 3000},
        {QStringLiteral("SN"), QStringLiteral("Token"), QStringLiteral("At"), QStringLiteral("Finished")});
}

void frmCall::setFG1()
{
    prepareList(
        FG1, 6, {1, 600, 1500, 3000, 3000},
        {QStringLiteral("SN"), QStringLiteral("Token"), QStringLiteral("At"), QStringLiteral("Cancelled")});
}

void frmCall::setFG2()
{
    prepareList(FGR, 8, {1, 600, 1500, 1500, 1500, 1500, 1800},
                {QStringLiteral("SN"), QStringLiteral("Token"), QStringLiteral("At"),
                 QStringLiteral("Status"), QStringLiteral("Time"), QStringLiteral("Type")});
}

void frmCall::setFG4()
{
    prepareList(
        FG4, 6, {1, 600, 1500, 3000, 3000},
        {QStringLiteral("SN"), QStringLiteral("Token"), QStringLiteral("T.Time"), QStringLiteral("Waiting")});
}

void frmCall::addAttend()
{
    setFG();
    try {
        addRows(FG,
                counterLists::attended(m_ctx.db, m_ctx.clock.todayText(), m_ctx.session.servingCounterId));
    } catch (const DbError&) {
        // The list keeps what it has.
    }
}

void frmCall::addCancelled()
{
    setFG1();
    int count = 0;
    try {
        const QVector<QStringList> rows =
            counterLists::cancelled(m_ctx.db, m_ctx.clock.todayText(), m_ctx.session.servingCounterId);
        addRows(FG1, rows);
        count = int(rows.size());
    } catch (const DbError&) {
    }
    STab->setTabText(2, QStringLiteral("Cancelled ") + QString::number(count));
}

void frmCall::addTrans()
{
    setFG2();
    int count = 0;
    try {
        QVector<QStringList> rows = counterLists::transferredWithTime(m_ctx.db, m_ctx.clock.todayText(),
                                                                      m_ctx.session.servingCounterId);
        for (QStringList& row : rows)
            row.last() = typeInWords(row.last());
        addRows(FGR, rows);
        count = int(rows.size());
    } catch (const DbError&) {
    }
    const QString caption = QStringLiteral("Transfred ") + QString::number(count);
    STab->setTabText(4, caption);
    lblTransfered->setText(caption);
}

void frmCall::addPendings()
{
    setFG4();
    int count = 0;
    try {
        const QVector<QStringList> rows =
            counterLists::pending(m_ctx.db, m_ctx.clock.todayText(), m_ctx.session.serviceId, m_ctx.clock);
        addRows(FG4, rows);
        count = int(rows.size());
    } catch (const DbError&) {
    }
    STab->setTabText(5, QStringLiteral("Pending : ") + QString::number(count));
}

void frmCall::addTokens()
{
    cmbToken->clear();
    try {
        const ResultSet rs = m_ctx.db.query(
            QStringLiteral("select tickAuto,no_abr from tblticket where (attended=0 or attended is null) and "
                           "tickDate=? and servAuto=? order by tickno asc"),
            {m_ctx.clock.todayText(), m_ctx.session.serviceId});
        for (int r = 0; r < rs.size(); ++r)
            cmbToken->addItem(rs.text(r, 1), rs.number(r, 0));
    } catch (const DbError&) {
    }
    // The current token's label is shown but is not an entry of the list.
    cmbToken->setCurrentIndex(-1);
    cmbToken->setEditText(lblToken->text());
}

void frmCall::addCount()
{
    cmbService->clear();
    try {
        const ResultSet rs = m_ctx.db.query(
            QStringLiteral("select contName from tblcounter where active='1' order by cntAuto"));
        for (int r = 0; r < rs.size(); ++r)
            cmbService->addItem(rs.text(r, 0));
    } catch (const DbError&) {
    }
    cmbService->setCurrentIndex(-1);
}

void frmCall::cmbService_Click()
{
    try {
        const ResultSet rs = m_ctx.db.query(
            QStringLiteral("select tblService.ServName from (tblCounter inner join tblService on "
                           "tblCounter.servAuto=tblService.servAuto) inner join tblDept on "
                           "tblService.deptAuto=tblDept.deptAuto where tblCounter.contName=? "
                           "order by tblCounter.cntAuto"),
            {cmbService->currentText()});
        lblService->setText(QStringLiteral("Service Name  : ") +
                            (rs.isEmpty() ? QStringLiteral("Not Found") : rs.text(0, 0)));
    } catch (const DbError&) {
    }
}

// Buttons ------------------------------------------------------------------------------------------

void frmCall::Command2_Click()
{
    try {
        if (!lblNo->text().isEmpty()) {
            setFinish();
            engine.state.lblNo.clear();
            lblNo->clear();
        }
        Command2->setEnabled(false);
        Command1->setEnabled(false);
        startLockOut();
        engine.getLast();
        callNext();
    } catch (const DbError& e) {
        showState();
        reportError(e.description());
    }
}

void frmCall::Command1_Click()
{
    if (lblNo->text().isEmpty())
        return;
    try {
        updateRc();
    } catch (const DbError& e) {
        reportError(e.description());
    }
    Command1->setEnabled(false);
    startLockOut();
}

void frmCall::Command3_Click()
{
    if (lblNo->text().isEmpty())
        return;
    try {
        tokenMoves::cancel(m_ctx.db, lblNo->text().toLongLong());
    } catch (const DbError& e) {
        reportError(e.description());
    }
}

void frmCall::Command4_Click()
{
    if (!m_ctx.screens.open(QStringLiteral("frmChPass")))
        m_ctx.dialogs.message(QStringLiteral("The password screen is not installed with this program."),
                              Dialogs::Buttons::Ok, Dialogs::Icon::Warning, QString(), this);
}

void frmCall::Command5_Click()
{
    if (cmbToken->currentText().isEmpty()) {
        m_ctx.dialogs.message(QStringLiteral("Select a token first"), Dialogs::Buttons::Ok,
                              Dialogs::Icon::None, QString(), this);
        return;
    }
    try {
        const qint64 target = lookups::counterIdByName(m_ctx.db, cmbService->currentText());
        if (target == 0 || target == m_ctx.session.counterId)
            return;
        // Only an entry of the list carries a ticket key; a typed text or the current token does not.
        const int index = cmbToken->currentIndex();
        if (index < 0 || cmbToken->itemText(index) != cmbToken->currentText() ||
            !cmbToken->itemData(index).isValid()) {
            m_ctx.dialogs.message(QStringLiteral("Error no valid token"), Dialogs::Buttons::Ok,
                                  Dialogs::Icon::None, QString(), this);
            return;
        }
        const qint64 key = cmbToken->itemData(index).toLongLong();
        const QString label = cmbToken->itemText(index);
        switch (tokenMoves::transferWaiting(m_ctx.db, key, target, txtRef->text())) {
        case tokenMoves::TransferResult::Transferred:
            engine.state.lblNo.clear();
            lblNo->clear();
            m_ctx.dialogs.message(QStringLiteral("Updated"), Dialogs::Buttons::Ok, Dialogs::Icon::None,
                                  QString(), this);
            break;
        case tokenMoves::TransferResult::NotWaiting:
            m_ctx.dialogs.message(tokenMoves::notWaitingMessage(label), Dialogs::Buttons::Ok,
                                  Dialogs::Icon::Warning, QString(), this);
            break;
        case tokenMoves::TransferResult::NoTicket:
            m_ctx.dialogs.message(QStringLiteral("Error no valid token"), Dialogs::Buttons::Ok,
                                  Dialogs::Icon::None, QString(), this);
            break;
        }
        addTokens();
    } catch (const DbError&) {
        m_ctx.dialogs.message(QStringLiteral("Error no valid token"), Dialogs::Buttons::Ok,
                              Dialogs::Icon::None, QString(), this);
    }
}

void frmCall::Command6_Click()
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

void frmCall::Command7_Click()
{
    if (m_ctx.session.isAdmin) {
        close();
        return;
    }
    if (!m_ctx.dialogs.askYesNo(QStringLiteral("Do you want to Close"), Dialogs::Icon::Question, QString(),
                                this))
        return;
    if (chkShort->isChecked())
        releaseHotKeys();
    hide();
    endProgram();
}

void frmCall::STab_Click(int tab)
{
    switch (tab) {
    case 1:
        addAttend();
        break;
    case 2:
        addCancelled();
        break;
    case 3:
        addTokens();
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

void frmCall::callFromList(Grid* list, const QString& kind)
{
    const int row = list->row();
    if (row < 1 || row >= list->rows())
        return;
    const QString key = list->text(row, 0);
    if (key.isEmpty())
        return;
    callThis(key.toLongLong(), kind);
}

void frmCall::FG_DblClick()
{
    callFromList(FG, m_ctx.session.counterDisplayName);
}

void frmCall::FG1_DblClick()
{
    callFromList(FG1, QString());
}

void frmCall::FGR_DblClick()
{
    callFromList(FGR, QString());
}

void frmCall::FG4_DblClick()
{
    callFromList(FG4, m_ctx.session.counterDisplayName);
}

void frmCall::FGR_Click()
{
    const int row = FGR->row();
    if (row >= 1 && row < FGR->rows())
        Label3->setText(FGR->text(row, 5));
}

void frmCall::chkShort_Click()
{
    m_ctx.settings.set(Queue, QStringLiteral("shortcut"), QStringLiteral("enable"),
                       chkShort->isChecked() ? 1 : 0);
}

void frmCall::chkboth_Click()
{
    m_ctx.settings.set(Queue, QStringLiteral("show"), QStringLiteral("both"), chkboth->isChecked() ? 1 : 0);
}

// Once started the re-enable timer keeps ticking, so a lock-out lasts until its next tick.
void frmCall::startLockOut()
{
    if (!Timer1->isActive())
        Timer1->start();
}

void frmCall::Timer1_Timer()
{
    Command2->setEnabled(true);
    Command1->setEnabled(true);
}

void frmCall::Timer2_Timer()
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

// Hot keys and leaving -----------------------------------------------------------------------------

void frmCall::regHkeys()
{
    struct Key
    {
        int key;
        const char* name;
        void (frmCall::*handler)();
    };
    const Key keys[] = {{Qt::Key_F4, "F4", &frmCall::Command2_Click},
                        {Qt::Key_F5, "F5", &frmCall::Command1_Click},
                        {Qt::Key_F6, "F6", &frmCall::Command3_Click},
                        {Qt::Key_F7, "F7", &frmCall::Command6_Click}};
    for (const Key& k : keys) {
        if (m_registered.contains(k.key))
            continue;
        QPointer<frmCall> self(this);
        auto handler = k.handler;
        const bool ok = m_ctx.hotKeys.grab(
            k.key,
            [self, handler] {
                if (self)
                    (self.data()->*handler)();
            },
            this);
        if (ok)
            m_registered.append(k.key);
        else
            m_ctx.dialogs.message(hotKeyMessage(QString::fromLatin1(k.name)), Dialogs::Buttons::Ok,
                                  Dialogs::Icon::Critical, QString(), this);
    }
}

void frmCall::releaseHotKeys()
{
    if (m_registered.isEmpty())
        return;
    m_ctx.hotKeys.releaseAll();
    m_registered.clear();
}

void frmCall::endProgram()
{
    if (m_ending)
        return;
    m_ending = true;
    if (m_ctx.endProgram)
        m_ctx.endProgram();
}

void frmCall::closeEvent(QCloseEvent* event)
{
    Timer1->stop();
    Timer2->stop();
    if (!m_ctx.session.isAdmin && !m_ending) {
        // A counter workstation has nothing but this screen: closing it ends the program.
        releaseHotKeys();
        event->accept();
        endProgram();
        return;
    }
    releaseHotKeys();
    event->accept();
}
