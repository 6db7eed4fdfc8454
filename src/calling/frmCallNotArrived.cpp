// The counter screen's "not arrived": the button that marks a visitor who does not come after the
// token's recalls, and the tab of today's such tokens, from which a late visitor is called back.
#include "calling/CounterLists.h"
#include "calling/ListGrid.h"
#include "calling/frmCall.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Session.h"
#include "ui/Clock.h"
#include "ui/Grid.h"
#include "ui/Named.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

void frmCall::buildNotArrived()
{
    QWidget* callTab = Command2->parentWidget();
    cmdNotArrived = named(new QPushButton(tr("Not Arrived"), callTab), "cmdNotArrived");
    cmdNotArrived->setMinimumHeight(56);
    cmdNotArrived->setStyleSheet(QStringLiteral("font-size: 13pt;"));
    cmdNotArrived->setEnabled(false);
    // Beside Finish, under the other buttons.
    if (auto* buttons = qobject_cast<QGridLayout*>(callTab->layout()))
        buttons->addWidget(cmdNotArrived, 2, 1);

    FGN = named(new Grid, "FGN");
    FGN->styleHeader();
    FGN->horizontalHeader()->setStretchLastSection(true);
    // Before Settings, after the other lists.
    STab->insertTab(STab->count() - 1, FGN, tr("Not arrived"));
    FGN->setAccessibleName(tr("Not arrived"));
    setFGN();

    connect(cmdNotArrived, &QPushButton::clicked, this, &frmCall::cmdNotArrived_Click);
    connect(FGN, &Grid::dblClick, this, &frmCall::FGN_DblClick);
    connect(STab, &QTabWidget::currentChanged, this, [this](int tab) {
        if (STab->widget(tab) == FGN)
            addNotArrived();
    });
}

void frmCall::setFGN()
{
    prepareList(FGN, 6, {1, 600, 1500, 3000, 3000}, {tr("SN"), tr("Token"), tr("At"), tr("Issued")});
}

void frmCall::addNotArrived()
{
    setFGN();
    int count = 0;
    try {
        const QVector<QStringList> rows =
            counterLists::notArrived(m_ctx.db, m_ctx.clock.todayText(), m_ctx.session.servingCounterId);
        addRows(FGN, rows);
        count = int(rows.size());
    } catch (const DbError&) {
        // The list keeps what it has.
    }
    STab->setTabText(STab->indexOf(FGN), tr("Not arrived %1").arg(count));
}

void frmCall::addOwnLists()
{
    addNotArrived();
}

void frmCall::showNotArrivedButton()
{
    if (lblNo->text().isEmpty()) {
        cmdNotArrived->setEnabled(false);
        cmdNotArrived->setToolTip(tr("No token is being served"));
        return;
    }
    engine.state.lblNo = lblNo->text();
    int done = 0;
    try {
        done = engine.recallsOfCurrent();
    } catch (const DbError&) {
        // Unknown: the button waits for the next look.
    }
    const int needed = engine.recallsBeforeNotArrived();
    cmdNotArrived->setEnabled(done >= needed);
    cmdNotArrived->setToolTip(
        done >= needed ? tr("The visitor did not come: the token leaves this counter, counted apart "
                            "from cancellations, and Next goes on")
                       : tr("Recall the token first: %1 of %2 recalls done").arg(done).arg(needed));
}

void frmCall::cmdNotArrived_Click()
{
    if (lblNo->text().isEmpty() || !cmdNotArrived->isEnabled())
        return;
    engine.state.lblNo = lblNo->text();
    try {
        engine.markNotArrived();
    } catch (const DbError& e) {
        reportError(e.description());
    }
    showState();
    refreshAll();
}

void frmCall::FGN_DblClick()
{
    // The late visitor is called back, as a cancelled token is from its list.
    callFromList(FGN, QString(), CallEngine::Take::Again);
}
