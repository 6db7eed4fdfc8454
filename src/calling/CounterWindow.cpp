#include "calling/CounterWindow.h"

#include "calling/CallEngine.h"
#include "calling/CounterLists.h"
#include "calling/ListGrid.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/ScreenRegistry.h"
#include "core/Settings.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/Named.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString Queue = QStringLiteral("queue");

} // namespace

CounterWindow::CounterWindow(AppContext& ctx, const Look& look, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx), m_failures(ctx.dialogs, this)
{
    setWindowTitle(tr("Call"));
    buildUi(look);
}

void CounterWindow::buildUi(const Look& look)
{
    // The token panel.
    auto* panel = named(new QFrame(this), "tokenPanel");
    const QStringList colors = look.panelColors.split(QLatin1Char(','));
    panel->setStyleSheet(
        QStringLiteral(
            "#tokenPanel { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2);"
            " border-radius: 6px; }"
            "#tokenPanel QLabel { color: white; }")
            .arg(colors.value(0).trimmed(), colors.value(1).trimmed()));
    Label1 = named(new QLabel(tr("Calling"), panel), "Label1");
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
    lblTotal = named(new QLabel(tr("Total Pending"), panel), "lblTotal");
    lblTotal->setStyleSheet(QStringLiteral("font-size: 12pt; font-weight: bold;"));
    auto* left = new QVBoxLayout;
    left->addWidget(Label1);
    left->addWidget(lblToken);
    left->addWidget(lblLast);
    m_panelRight = new QVBoxLayout;
    m_panelRight->addWidget(lblTotal, 0, Qt::AlignRight);
    m_panelRight->addStretch();
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(16, 10, 16, 10);
    panelLayout->addLayout(left, 1);
    panelLayout->addLayout(m_panelRight);
    panelLayout->addWidget(lblNo);

    STab = named(new QTabWidget(this), "STab");
    STab->setAccessibleName(tr("Counter tabs"));

    // 0 Call Window
    auto* callTab = new QWidget;
    Command2 = named(new QPushButton(tr("Next   F4"), callTab), "Command2");
    Command1 = named(new QPushButton(tr("Recall   F5"), callTab), "Command1");
    Command3 = named(new QPushButton(look.command3, callTab), "Command3");
    Command6 = named(new QPushButton(tr("Refresh F7"), callTab), "Command6");
    cmdFinish = named(new QPushButton(tr("Finish   F8"), callTab), "cmdFinish");
    cmdFinish->setToolTip(tr("The visitor has been served: stamps the finish time, calls nobody"));
    // Open and Closed carry no action in this program; they are kept out of sight.
    Command9 = named(new QPushButton(tr("Open"), callTab), "Command9");
    Command8 = named(new QPushButton(tr("Closed"), callTab), "Command8");
    Command9->setVisible(false);
    Command8->setVisible(false);
    auto* buttons = new QGridLayout(callTab);
    int i = 0;
    for (QPushButton* b : {Command2, Command1, Command3, Command6, cmdFinish}) {
        b->setMinimumHeight(56);
        b->setStyleSheet(QStringLiteral("font-size: 13pt;"));
        buttons->addWidget(b, i / 2, i % 2);
        ++i;
    }
    Command2->setStyleSheet(QStringLiteral("font-size: 14pt; font-weight: bold;"));
    buttons->setRowStretch(3, 1);
    STab->addTab(callTab, tr("Call Window"));

    // 1, 2: Attended, Cancelled
    FG = named(new Grid, "FG");
    FG1 = named(new Grid, "FG1");
    FGR = named(new Grid, "FGR");
    FG4 = named(new Grid, "FG4");
    for (Grid* g : {FG, FG1, FGR, FG4}) {
        g->styleHeader();
        g->horizontalHeader()->setStretchLastSection(true);
    }
    STab->addTab(FG, tr("Attended"));
    STab->addTab(FG1, tr("Cancelled"));
    // Each list is named as its tab, for a screen reader.
    FG->setAccessibleName(STab->tabText(STab->indexOf(FG)));
    FG1->setAccessibleName(STab->tabText(STab->indexOf(FG1)));

    // 3 Transfer, filled by the screen
    m_transferTab = new QWidget;
    STab->addTab(m_transferTab, tr("Transfer"));

    // 4, 5: Transfered, Pending
    STab->addTab(FGR, tr("Transfered"));
    STab->addTab(FG4, tr("Pending"));
    FGR->setAccessibleName(STab->tabText(STab->indexOf(FGR)));
    FG4->setAccessibleName(STab->tabText(STab->indexOf(FG4)));

    // 6 Settings
    auto* settingsTab = new QWidget;
    Command4 = named(new QPushButton(tr("Change Password"), settingsTab), "Command4");
    chkShort = named(new QCheckBox(tr("Register Shortcuts"), settingsTab), "chkShort");
    chkboth = named(new QCheckBox(look.chkboth, settingsTab), "chkboth");
    m_settingsTab = new QVBoxLayout(settingsTab);
    auto* passRow = new QHBoxLayout;
    passRow->addWidget(Command4);
    passRow->addStretch();
    m_settingsTab->addLayout(passRow);
    m_settingsTab->addWidget(chkShort);
    m_settingsTab->addWidget(chkboth);
    m_settingsTab->addStretch();
    STab->addTab(settingsTab, tr("Settings"));

    Command7 = named(new QPushButton(look.command7, this), "Command7");
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(Command7);

    m_layout = new QVBoxLayout(this);
    m_layout->addWidget(panel);
    m_layout->addWidget(STab, 1);
    m_layout->addLayout(bottom);

    setFG();
    setFG1();
    setFG4();

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(5000);
    Timer2 = named(new QTimer(this), "Timer2");
    Timer2->setInterval(1000);

    connect(Command4, &QPushButton::clicked, this, &CounterWindow::Command4_Click);
    connect(Command6, &QPushButton::clicked, this, &CounterWindow::Command6_Click);
    connect(STab, &QTabWidget::currentChanged, this, &CounterWindow::STab_Click);
    connect(chkShort, &QCheckBox::clicked, this, &CounterWindow::chkShort_Click);
    connect(chkboth, &QCheckBox::clicked, this, &CounterWindow::chkboth_Click);
    connect(Timer2, &QTimer::timeout, this, &CounterWindow::Timer2_Timer);
}

namespace {

QString shownState(const QString& word)
{
    if (word == QLatin1String("Calling"))
        return CounterWindow::tr("Calling");
    if (word == QLatin1String("Idle"))
        return CounterWindow::tr("Idle");
    return word;
}

QString shownTotal(const QString& total)
{
    static const QString counted = QStringLiteral("Total Pending : ");
    if (total.startsWith(counted))
        return CounterWindow::tr("Total Pending : %1").arg(total.mid(counted.size()));
    if (total == QLatin1String("Total Pending"))
        return CounterWindow::tr("Total Pending");
    return total;
}

QString shownLast(const QString& last)
{
    static const QString served = QStringLiteral("Last Served : ");
    if (last == QLatin1String("Last Served : Not Available"))
        return CounterWindow::tr("Last Served : Not Available");
    if (last.startsWith(served))
        return CounterWindow::tr("Last Served : %1").arg(last.mid(served.size()));
    return last;
}

} // namespace

void CounterWindow::showState(const CounterState& st)
{
    lblNo->setText(st.lblNo);
    lblToken->setText(st.lblToken);
    // The engine's words are English; the screen shows them in the operator's language.
    Label1->setText(shownState(st.Label1));
    lblLast->setText(shownLast(st.lblLast));
    lblTotal->setText(shownTotal(st.lblTotal));
}

void CounterWindow::reportError(const QString& description)
{
    m_failures.report(description);
}

qint64 CounterWindow::selectedKey(Grid* list) const
{
    const int row = list->row();
    if (row < 1 || row >= list->rows())
        return 0;
    return list->text(row, 0).toLongLong();
}

void CounterWindow::reportCalledByOther(Grid* list)
{
    const QString label = list->text(list->row(), 2);
    m_ctx.dialogs.message(
        tr("Token %1 has already been called by another counter. Nothing was changed.").arg(label),
        Dialogs::Buttons::Ok, Dialogs::Icon::Warning, QString(), this);
    Command6_Click();
}

void CounterWindow::startLockOut()
{
    if (!Timer1->isActive())
        Timer1->start();
}

// Lists --------------------------------------------------------------------------------------------

void CounterWindow::setFG()
{
    prepareList(FG, 6, {1, 600, 1500, 3000, 3000}, {tr("SN"), tr("Token"), tr("At"), tr("Finished")});
}

void CounterWindow::setFG1()
{
    prepareList(FG1, 6, {1, 600, 1500, 3000, 3000}, {tr("SN"), tr("Token"), tr("At"), tr("Cancelled")});
}

void CounterWindow::setFG4()
{
    prepareList(FG4, 6, {1, 600, 1500, 3000, 3000}, {tr("SN"), tr("Token"), tr("T.Time"), tr("Waiting")});
}

void CounterWindow::addAttend()
{
    setFG();
    try {
        addRows(FG, counterLists::attended(m_ctx.db, m_ctx.clock.todayText(), listCounter()));
    } catch (const DbError&) {
        // The list keeps what it has.
    }
}

void CounterWindow::addCancelled()
{
    setFG1();
    int count = 0;
    try {
        const QVector<QStringList> rows =
            counterLists::cancelled(m_ctx.db, m_ctx.clock.todayText(), listCounter());
        addRows(FG1, rows);
        count = int(rows.size());
    } catch (const DbError&) {
    }
    STab->setTabText(2, tr("Cancelled %1").arg(count));
}

void CounterWindow::addPendings()
{
    setFG4();
    int count = 0;
    try {
        const QVector<QStringList> rows = counterLists::pending(
            m_ctx.db, m_ctx.clock.todayText(), takeableCondition(), takeableValues(), m_ctx.clock);
        addRows(FG4, rows);
        count = int(rows.size());
    } catch (const DbError&) {
    }
    STab->setTabText(5, tr("Pending : %1").arg(count));
}

void CounterWindow::STab_Click(int tab)
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

// Buttons, boxes, timer ------------------------------------------------------------------------------

void CounterWindow::Command4_Click()
{
    if (!m_ctx.screens.open(QStringLiteral("frmChPass")))
        m_ctx.dialogs.message(tr("The password screen is not installed with this program."),
                              Dialogs::Buttons::Ok, Dialogs::Icon::Warning, QString(), this);
}

void CounterWindow::Command6_Click()
{
    try {
        getPending();
    } catch (const DbError& e) {
        reportError(e.description());
    }
    addPendings();
    addCancelled();
    addTrans();
    addOwnLists();
}

void CounterWindow::refreshAll()
{
    // The action has told its own failure; a store away shows up in its next press, not as a second
    // message now.
    FailureMessages::Quiet quiet(m_failures);
    Command6_Click();
    addAttend();
    if (STab->currentIndex() == 3)
        addTokens();
}

void CounterWindow::loadBoxes()
{
    Settings& s = m_ctx.settings;
    chkShort->setChecked(s.getNumber(Queue, QStringLiteral("shortcut"), QStringLiteral("enable"), 1) == 1);
    chkboth->setChecked(s.getNumber(Queue, QStringLiteral("show"), QStringLiteral("both"), 0) == 1);
}

void CounterWindow::chkShort_Click()
{
    m_ctx.settings.set(Queue, QStringLiteral("shortcut"), QStringLiteral("enable"),
                       chkShort->isChecked() ? 1 : 0);
}

void CounterWindow::chkboth_Click()
{
    m_ctx.settings.set(Queue, QStringLiteral("show"), QStringLiteral("both"), chkboth->isChecked() ? 1 : 0);
}

void CounterWindow::Timer2_Timer()
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
