#include "tickets/frmTransfer.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Lookups.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"

#include <QComboBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

// It stays above the kiosk that opened it until Update or its close box: a forgotten window would
// leave an emergency or appointment token an ordinary walk-in.
frmTransfer::frmTransfer(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmTransfer"));
    setWindowTitle(tr("Transfer"));

    lblRef = named(new QLabel(this), "lblRef");
    lblRef->hide();
    cmbService = named(new QComboBox(this), "cmbService");
    cmbService->setEditable(true);
    cmbService->setInsertPolicy(QComboBox::NoInsert);
    txtRef = named(new QLineEdit(this), "txtRef");
    dTime = named(new QTimeEdit(this), "dTime");
    dTime->setDisplayFormat(QStringLiteral("HH:mm"));
    Command1 = named(new QPushButton(tr("&Update"), this), "Command1");
    Command1->setDefault(true);

    auto* form = new QFormLayout;
    form->addRow(tr("Transfer to Counter"), cmbService);
    form->addRow(tr("Notes"), txtRef);
    form->addRow(tr("Time"), dTime);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Command1, 0, Qt::AlignRight);
    layout->addWidget(lblRef);

    connect(Command1, &QPushButton::clicked, this, &frmTransfer::Command1_Click);
    cmbService->installEventFilter(this);
    txtRef->installEventFilter(this);
    dTime->installEventFilter(this);
    resize(380, 170);
    Form_Load();
}

void frmTransfer::Form_Load()
{
    openConnection(m_ctx);
    addCount();
    dTime->setTime(m_ctx.clock.time().addSecs(5 * 60));
}

void frmTransfer::addCount()
{
    cmbService->clear();
    try {
        // The names only: a kiosk may not read the operators' passwords beside them.
        const ResultSet rs = m_ctx.db.query(
            QStringLiteral("select contName from tblcounter where active='1' order by cntAuto"));
        for (int r = 0; r < rs.size(); ++r)
            cmbService->addItem(rs.text(r, 0));
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
    }
    cmbService->setCurrentIndex(-1);
}

void frmTransfer::Command1_Click()
{
    const QString chosenTime = dTime->time().toString(QStringLiteral("HH:mm"));
    if (ticketType == QLatin1String("A") &&
        chosenTime < m_ctx.clock.time().toString(QStringLiteral("HH:mm"))) {
        m_ctx.dialogs.message(tr("Please enter a valid time"), Dialogs::Buttons::Ok, Dialogs::Icon::None, {},
                              this);
        return;
    }
    try {
        const qint64 counter = lookups::counterIdByName(m_ctx.db, cmbService->currentText());
        if (counter == 0)
            return;
        if (issue) {
            // The kiosk's messages and the token shown on screen come next, above the kiosk.
            hide();
            numbering::IssuedTicket issued;
            try {
                issued = issue({ticketType, counter, txtRef->text(), chosenTime});
            } catch (const DbError&) {
                show(); // nothing was issued: the operator may try again
                throw;
            }
            if (!issued.issued()) {
                // Past the end number: the user has been told, nothing was stored or printed.
                close();
                return;
            }
            lblRef->setText(QString::number(issued.tickAuto));
            Q_EMIT updated();
            close();
            return;
        }
        const qint64 ticket = lblRef->text().toLongLong();
        const ResultSet row =
            m_ctx.db.query(QStringLiteral("select no_abr from tblticket where tickAuto=?"), {ticket});
        if (row.isEmpty())
            return;
        // Only a token still waiting is directed: one a counter has called meanwhile would otherwise be
        // put back in the queue and called a second time.
        const qint64 changed = m_ctx.db.exec(
            QStringLiteral("update tblTicket set call='0', attended=?, status='Transferred', ref=?, ttype=?, "
                           "apptime=? where tickAuto=? and call='0'"),
            {counter, txtRef->text(), ticketType, chosenTime, ticket});
        if (changed == 0) {
            m_ctx.dialogs.message(
                tr("Token %1 has already been called. Nothing was changed.").arg(row.text(0, 0)),
                Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
            close();
            return;
        }
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
        return;
    }
    Q_EMIT updated();
    close();
}

bool frmTransfer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == cmbService) {
                txtRef->setFocus();
                return true;
            }
            if (watched == txtRef) {
                dTime->setFocus();
                return true;
            }
            if (watched == dTime) {
                Command1_Click();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
