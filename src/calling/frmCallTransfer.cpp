#include "calling/frmCall.h"

#include "calling/TokenMoves.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Lookups.h"
#include "core/Session.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

// The Transfer tab of the counter screen: the token being served, or a waiting token of the
// counter's service, is handed to another counter with a note.

void frmCall::buildTransferTab()
{
    QWidget* tab = m_transferTab;
    cmbToken = named(new QComboBox(tab), "cmbToken");
    cmbToken->setEditable(true);
    cmbToken->setInsertPolicy(QComboBox::NoInsert);
    cmbService = named(new QComboBox(tab), "cmbService");
    cmbService->setEditable(true);
    cmbService->setInsertPolicy(QComboBox::NoInsert);
    lblService = named(new QLabel(tab), "lblService");
    lblService->setStyleSheet(QStringLiteral("color: #2f4f6f;"));
    txtRef = named(new QLineEdit(tab), "txtRef");
    Command5 = named(new QPushButton(tr("Update"), tab), "Command5");
    auto* form = new QFormLayout;
    form->addRow(tr("Select Token"), cmbToken);
    form->addRow(tr("Transfer to Counter"), cmbService);
    form->addRow(QString(), lblService);
    form->addRow(tr("Notes"), txtRef);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(form);
    auto* updateRow = new QHBoxLayout;
    updateRow->addStretch();
    updateRow->addWidget(Command5);
    layout->addLayout(updateRow);
    layout->addStretch();
    // A screen reader names the typing field of a list as the list's own label.
    cmbToken->lineEdit()->setAccessibleName(tr("Select Token"));
    cmbService->lineEdit()->setAccessibleName(tr("Transfer to Counter"));
    // The tab is filled after the window's closing button was made: Tab reaches it after Update.
    QWidget::setTabOrder(Command5, Command7);

    connect(Command5, &QPushButton::clicked, this, &frmCall::Command5_Click);
    connect(cmbService, &QComboBox::activated, this, &frmCall::cmbService_Click);
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
    // The token being served comes first ("I served you, now go to the pharmacy").
    if (!lblNo->text().isEmpty()) {
        cmbToken->insertItem(0, lblToken->text(), lblNo->text().toLongLong());
        cmbToken->setCurrentIndex(0);
    } else {
        cmbToken->setCurrentIndex(-1);
        cmbToken->setEditText(lblToken->text());
    }
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
        lblService->setText(tokenMoves::serviceCaption(m_ctx.db, cmbService->currentText()));
    } catch (const DbError&) {
    }
}

void frmCall::Command5_Click()
{
    if (cmbToken->currentText().isEmpty()) {
        m_ctx.dialogs.message(tr("Select a token first"), Dialogs::Buttons::Ok, Dialogs::Icon::None,
                              QString(), this);
        return;
    }
    try {
        const qint64 target = lookups::counterIdByName(m_ctx.db, cmbService->currentText());
        if (target == 0 || target == m_ctx.session.counterId)
            return;
        // Only an entry of the list carries a ticket key; a typed text does not.
        const int index = cmbToken->currentIndex();
        if (index < 0 || cmbToken->itemText(index) != cmbToken->currentText() ||
            !cmbToken->itemData(index).isValid()) {
            m_ctx.dialogs.message(tr("Error no valid token"), Dialogs::Buttons::Ok, Dialogs::Icon::None,
                                  QString(), this);
            return;
        }
        const qint64 key = cmbToken->itemData(index).toLongLong();
        const QString label = cmbToken->itemText(index);
        if (key == lblNo->text().toLongLong()) {
            transferCurrent(target);
            return;
        }
        switch (tokenMoves::transferWaiting(m_ctx.db, key, target, txtRef->text())) {
        case tokenMoves::TransferResult::Transferred:
            // The token being served stays current: Recall and Cancel act on it, Next finishes it.
            m_ctx.dialogs.message(tr("Updated"), Dialogs::Buttons::Ok, Dialogs::Icon::None, QString(), this);
            break;
        case tokenMoves::TransferResult::NotWaiting:
            m_ctx.dialogs.message(tokenMoves::notWaitingMessage(label), Dialogs::Buttons::Ok,
                                  Dialogs::Icon::Warning, QString(), this);
            break;
        case tokenMoves::TransferResult::NoTicket:
            m_ctx.dialogs.message(tr("Error no valid token"), Dialogs::Buttons::Ok, Dialogs::Icon::None,
                                  QString(), this);
            break;
        }
    } catch (const DbError&) {
        // The store is the trouble: one message, and the lists keep what they show.
        m_ctx.dialogs.message(tr("Error no valid token"), Dialogs::Buttons::Ok, Dialogs::Icon::None,
                              QString(), this);
        return;
    }
    refreshAll();
    addTokens();
}

void frmCall::transferCurrent(qint64 target)
{
    const QString label = lblToken->text();
    engine.state.lblNo = lblNo->text();
    if (engine.transferCurrent(target, txtRef->text())) {
        showState();
        m_ctx.dialogs.message(tr("Updated"), Dialogs::Buttons::Ok, Dialogs::Icon::None, QString(), this);
    } else {
        m_ctx.dialogs.message(tokenMoves::notWaitingMessage(label), Dialogs::Buttons::Ok,
                              Dialogs::Icon::Warning, QString(), this);
    }
    refreshAll();
    addTokens();
}
