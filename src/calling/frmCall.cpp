#include "calling/frmCall.h"

#include "calling/CounterLists.h"
#include "calling/ListGrid.h"
#include "calling/TokenMoves.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Lookups.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/Named.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString typeInWords(const QString& type)
{
    if (type == QLatin1String("N"))
        return QCoreApplication::translate("frmCall", "Walk in");
    if (type == QLatin1String("R"))
        return QCoreApplication::translate("frmCall", "Report");
    if (type == QLatin1String("A"))
        return QCoreApplication::translate("frmCall", "Appointment");
    if (type == QLatin1String("E"))
        return QCoreApplication::translate("frmCall", "Emergency");
    return QString();
}

} // namespace

frmCall::frmCall(AppContext& ctx, QWidget* parent)
    : CounterWindow(
          ctx,
          {tr("Cancell F6"), tr("Exit"), tr("Show Room && Dr. Name"), QStringLiteral("#2f4f6f, #1d3347")},
          parent),
      engine(ctx.db, ctx.settings, ctx.clock, ctx.session)
{
    setObjectName(QStringLiteral("frmCall"));
    QWidget* panel = lblToken->parentWidget();
    Label4 = named(new QLabel(QStringLiteral("0"), panel), "Label4");
    Label4->setToolTip(tr("Walk-in tokens called"));
    Label4->setStyleSheet(QStringLiteral("font-size: 12pt;"));
    Label3 = named(new QLabel(panel), "Label3");
    Label3->setToolTip(tr("Appointment time of the transferred token last clicked"));
    lblTransfered = named(new QLabel(panel), "lblTransfered");
    auto* countRow = new QHBoxLayout;
    countRow->addStretch();
    countRow->addWidget(new QLabel(tr("Walk-ins called:"), panel));
    countRow->addWidget(Label4);
    // Under Total Pending, before the column's closing stretch.
    m_panelRight->insertLayout(1, countRow);
    m_panelRight->insertWidget(2, lblTransfered, 0, Qt::AlignRight);
    m_panelRight->insertWidget(3, Label3, 0, Qt::AlignRight);

    buildTransferTab();
    buildNotArrived();
    setFG2();

    connect(Command1, &QPushButton::clicked, this, &frmCall::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmCall::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmCall::Command3_Click);
    connect(Command7, &QPushButton::clicked, this, &frmCall::Command7_Click);
    connect(cmdFinish, &QPushButton::clicked, this, &frmCall::cmdFinish_Click);
    connect(FG, &Grid::dblClick, this, &frmCall::FG_DblClick);
    connect(FG1, &Grid::dblClick, this, &frmCall::FG1_DblClick);
    connect(FGR, &Grid::dblClick, this, &frmCall::FGR_DblClick);
    connect(FG4, &Grid::dblClick, this, &frmCall::FG4_DblClick);
    connect(FGR, &Grid::itemSelectionChanged, this, &frmCall::FGR_Click);
    connect(Timer1, &QTimer::timeout, this, &frmCall::Timer1_Timer);

    resize(780, 600);
    engine.showBothBox = [this] { return chkboth->isChecked(); };
}

frmCall::~frmCall()
{
    releaseHotKeys();
}

void frmCall::Form_Load()
{
    openConnection(m_ctx);
    Settings& s = m_ctx.settings;
    loadBoxes();
    engine.state.walkInCount = qMax(
        qint64(0), s.getNumber(QStringLiteral("Q"), QStringLiteral("Counter"), QStringLiteral("Token"), 0));
    {
        const QSignalBlocker block(STab);
        STab->setCurrentIndex(0);
    }
    engine.state.Label1 = QStringLiteral("Idle");
    try {
        Session& session = m_ctx.session;
        session.counterName = lookups::counterNamesById(m_ctx.db, session, session.counterId);
        setWindowTitle(session.counterName.isEmpty() ? tr("Call") : session.counterName);
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
    CounterWindow::showState(engine.state);
    Label4->setText(QString::number(engine.state.walkInCount));
    showNotArrivedButton();
}

qint64 frmCall::listCounter() const
{
    return m_ctx.session.servingCounterId;
}

QString frmCall::takeableCondition() const
{
    return CallEngine::takeableCondition();
}

QVariantList frmCall::takeableValues() const
{
    return engine.takeableValues();
}

// The engine's routines on this screen ---------------------------------------------------------------

void frmCall::callNext()
{
    engine.callNext();
    showState();
}

CallEngine::CallResult frmCall::callThis(qint64 ticketKey, const QString& kind, CallEngine::Take take)
{
    const CallEngine::CallResult result = engine.callThis(ticketKey, kind, take);
    showState();
    return result;
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

void frmCall::setFG2()
{
    prepareList(FGR, 8, {1, 600, 1500, 1500, 1500, 1500, 1800},
                {tr("SN"), tr("Token"), tr("At"), tr("Status"), tr("Time"), tr("Type")});
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
    const QString caption = tr("Transfred %1").arg(count);
    STab->setTabText(4, caption);
    lblTransfered->setText(caption);
}

// Buttons ------------------------------------------------------------------------------------------

void frmCall::reportFailure(const DbError& e)
{
    engine.state.Label1 = QStringLiteral("Idle");
    showState();
    reportError(e.description());
    refreshAll();
}

void frmCall::Command2_Click()
{
    // F4 obeys the same lock-out as the button: a second press calls nobody, so no visitor is
    // skipped unseen.
    if (!Command2->isEnabled())
        return;
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
        reportFailure(e);
        return;
    }
    refreshAll();
}

void frmCall::Command1_Click()
{
    if (lblNo->text().isEmpty() || !Command1->isEnabled())
        return;
    try {
        updateRc();
    } catch (const DbError& e) {
        reportError(e.description());
    }
    Command1->setEnabled(false);
    startLockOut();
    refreshAll();
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
    refreshAll();
}

void frmCall::cmdFinish_Click()
{
    if (lblNo->text().isEmpty())
        return;
    try {
        engine.state.lblNo = lblNo->text();
        engine.finishCurrent();
        showState();
    } catch (const DbError& e) {
        reportError(e.description());
    }
    refreshAll();
}

void frmCall::callFromList(Grid* list, const QString& kind, CallEngine::Take take)
{
    const qint64 key = selectedKey(list);
    if (key == 0)
        return;
    try {
        if (callThis(key, kind, take) == CallEngine::CallResult::CalledByOther) {
            reportCalledByOther(list);
            return;
        }
    } catch (const DbError& e) {
        reportFailure(e);
        return;
    }
    refreshAll();
}

void frmCall::FG_DblClick()
{
    callFromList(FG, m_ctx.session.counterDisplayName, CallEngine::Take::Again);
}

void frmCall::FG1_DblClick()
{
    callFromList(FG1, QString(), CallEngine::Take::Again);
}

void frmCall::FGR_DblClick()
{
    callFromList(FGR, QString(), CallEngine::Take::OnlyWaiting);
}

void frmCall::FG4_DblClick()
{
    callFromList(FG4, m_ctx.session.counterDisplayName, CallEngine::Take::OnlyWaiting);
}

void frmCall::FGR_Click()
{
    const int row = FGR->row();
    if (row >= 1 && row < FGR->rows())
        Label3->setText(FGR->text(row, 5));
}

void frmCall::Timer1_Timer()
{
    Command2->setEnabled(true);
    Command1->setEnabled(true);
}
