#include "calling/frmCallAdmin.h"

#include "calling/CounterLists.h"
#include "calling/ListGrid.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Settings.h"
#include "ui/Clock.h"
#include "ui/Grid.h"
#include "ui/Named.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString deskSetting(Settings& s, const QString& key, const QString& fallback)
{
    return s.get(QStringLiteral("q"), QStringLiteral("counter"), key, fallback);
}

} // namespace

frmCallAdmin::frmCallAdmin(AppContext& ctx, QWidget* parent)
    : CounterWindow(ctx,
                    {tr("Call This F6"), tr("Close"), tr("Show Counter && Display"),
                     QStringLiteral("#3c5a3c, #243824")},
                    parent),
      desk(ctx.db, ctx.settings, ctx.clock)
{
    setObjectName(QStringLiteral("frmCallAdmin"));
    Command3->setToolTip(tr("Marks the current token as cancelled"));

    // Which counter this desk calls for, above the token panel.
    cmbCounter = named(new QComboBox(this), "cmbCounter");
    cmbCounter->setEditable(true);
    cmbCounter->setInsertPolicy(QComboBox::NoInsert);
    cmbCounter->setMinimumWidth(180);
    lblDr = named(new QLabel(this), "lblDr");
    lblDr->setStyleSheet(QStringLiteral("font-weight: bold;"));
    auto* counterRow = new QHBoxLayout;
    counterRow->addWidget(new QLabel(tr("Counter"), this));
    counterRow->addWidget(cmbCounter);
    counterRow->addSpacing(16);
    counterRow->addWidget(new QLabel(tr("Dr. Name/ Service"), this));
    counterRow->addWidget(lblDr, 1);
    m_layout->insertLayout(0, counterRow);

    // 3 Transfer: the desk offers no transfer; the tab stays switched off.
    cmbService = named(new QComboBox(m_transferTab), "cmbService");
    auto* transferForm = new QFormLayout(m_transferTab);
    transferForm->addRow(tr("Transfer to Counter"), cmbService);

    // Settings: My Counter, before the tab's closing stretch.
    cmbMyCounter = named(new QComboBox(this), "cmbMyCounter");
    cmbMyCounter->setMinimumWidth(180);
    auto* myRow = new QHBoxLayout;
    myRow->addWidget(new QLabel(tr("My Counter"), this));
    myRow->addWidget(cmbMyCounter);
    myRow->addStretch();
    m_settingsTab->insertLayout(m_settingsTab->count() - 1, myRow);

    setFG2();

    connect(cmbCounter, &QComboBox::currentTextChanged, this, &frmCallAdmin::cmbCounter_Change);
    connect(cmbMyCounter, &QComboBox::currentTextChanged, this, &frmCallAdmin::cmbMyCounter_Change);
    connect(Command1, &QPushButton::clicked, this, &frmCallAdmin::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmCallAdmin::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmCallAdmin::Command3_Click);
    connect(Command7, &QPushButton::clicked, this, &frmCallAdmin::Command7_Click);
    connect(cmdFinish, &QPushButton::clicked, this, &frmCallAdmin::cmdFinish_Click);
    connect(FG, &Grid::dblClick, this, &frmCallAdmin::FG_DblClick);
    connect(FG1, &Grid::dblClick, this, &frmCallAdmin::FG1_DblClick);
    connect(FGR, &Grid::dblClick, this, &frmCallAdmin::FGR_DblClick);
    connect(Timer1, &QTimer::timeout, this, &frmCallAdmin::Timer1_Timer);

    setCallButtons(false);
    resize(800, 620);
    desk.engine.showBothBox = [this] { return chkboth->isChecked(); };
}

void frmCallAdmin::Form_Load()
{
    STab->setTabEnabled(3, false);
    Settings& s = m_ctx.settings;
    loadBoxes();
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
    CounterWindow::showState(desk.state());
}

void frmCallAdmin::setCallButtons(bool enabled)
{
    Command1->setEnabled(enabled);
    Command2->setEnabled(enabled);
    Command3->setEnabled(enabled);
    cmdFinish->setEnabled(enabled);
}

qint64 frmCallAdmin::listCounter() const
{
    return desk.counter.key;
}

QString frmCallAdmin::takeableCondition() const
{
    return CallDesk::takeableCondition();
}

QVariantList frmCallAdmin::takeableValues() const
{
    return desk.takeableValues();
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
        const qint64 before = desk.counter.key;
        const QString serving = lblNo->text();
        m_counterValid = desk.getDetails(cmbCounter->currentText());
        if (m_counterValid && before != 0 && desk.counter.key != before && !serving.isEmpty()) {
            // The desk leaves the old counter: the token it served there ends now, not at some
            // later Next back at that counter.
            desk.state().lblNo = serving;
            desk.setFinish();
            desk.state().lblNo.clear();
        }
        setCallButtons(m_counterValid);
        if (m_counterValid) {
            lblDr->setText(desk.counter.displayName);
            // Another counter brings its own last token; the same counter keeps the token this desk
            // is serving (Next finishes that one, Recall and Cancel act on it).
            if (desk.counter.key != before)
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
    setWindowTitle(text.isEmpty() ? tr("Call") : text);
}

// The engine's routines on this desk ---------------------------------------------------------------

void frmCallAdmin::callNext()
{
    desk.callNext();
    showState();
}

CallEngine::CallResult frmCallAdmin::callThis(qint64 ticketKey, CallEngine::Take take)
{
    const CallEngine::CallResult result = desk.callThis(ticketKey, take);
    showState();
    return result;
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

void frmCallAdmin::setFG2()
{
    prepareList(FGR, 6, {1, 600, 1500, 1500, 1500, 1500},
                {tr("SN"), tr("Token"), tr("At"), tr("Status"), tr("Time")});
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
    STab->setTabText(4, tr("Transfred %1").arg(count));
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
        startLockOut();
        desk.getLast();
        callNext();
    } catch (const DbError& e) {
        reportFailure(e);
        return;
    }
    refreshAll();
}

void frmCallAdmin::reportFailure(const DbError& e)
{
    desk.state().Label1 = QStringLiteral("Idle");
    showState();
    reportError(e.description());
    refreshAll();
}

void frmCallAdmin::cmdFinish_Click()
{
    if (lblNo->text().isEmpty())
        return;
    try {
        desk.state().lblNo = lblNo->text();
        desk.finishCurrent();
        showState();
    } catch (const DbError& e) {
        reportError(e.description());
    }
    refreshAll();
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
    startLockOut();
    refreshAll();
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
    refreshAll();
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

void frmCallAdmin::callFromList(Grid* list, CallEngine::Take take)
{
    const qint64 key = selectedKey(list);
    if (key == 0 || !m_counterValid)
        return;
    try {
        if (callThis(key, take) == CallEngine::CallResult::CalledByOther) {
            reportCalledByOther(list);
            return;
        }
    } catch (const DbError& e) {
        reportFailure(e);
        return;
    }
    refreshAll();
}

void frmCallAdmin::FG_DblClick()
{
    callFromList(FG, CallEngine::Take::Again);
}

void frmCallAdmin::FG1_DblClick()
{
    callFromList(FG1, CallEngine::Take::Again);
}

void frmCallAdmin::FGR_DblClick()
{
    callFromList(FGR, CallEngine::Take::OnlyWaiting);
}

void frmCallAdmin::Timer1_Timer()
{
    Command2->setEnabled(m_counterValid);
    Command1->setEnabled(m_counterValid);
}
