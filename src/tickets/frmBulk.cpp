#include "tickets/frmBulk.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Lookups.h"
#include "core/ScreenRegistry.h"
#include "tickets/HallTicket.h"
#include "tickets/Issue.h"
#include "tickets/frmTicket.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Language.h"
#include "ui/Named.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

frmBulk::frmBulk(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmBulk"));
    setWindowTitle(tr("Print Bulk Token"));

    cmbCounter = named(new QComboBox(this), "cmbCounter");
    cmbCounter->setMinimumWidth(220);
    lblCurrent = named(new QLabel(this), "lblCurrent");
    lblCurrent->setFrameShape(QFrame::StyledPanel);
    lblCurrent->setMinimumWidth(80);
    lblDate = named(new QLabel(this), "lblDate");
    lblDate->setStyleSheet(QStringLiteral("font-weight: bold;"));
    txtCount = named(new QLineEdit(QStringLiteral("10"), this), "txtCount");
    txtCount->setMaximumWidth(100);
    cmdPrint = named(new QPushButton(tr("Print"), this), "cmdPrint");
    cmdClose = named(new QPushButton(tr("Close"), this), "cmdClose");

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Select Service"), this), 0, 0);
    grid->addWidget(cmbCounter, 0, 1);
    grid->addWidget(new QLabel(tr("Starting Token"), this), 1, 0);
    grid->addWidget(lblCurrent, 1, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(tr("Tickets to Print"), this), 2, 0);
    grid->addWidget(txtCount, 2, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(tr("Issue Date"), this), 3, 0);
    grid->addWidget(lblDate, 3, 1, Qt::AlignLeft);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(cmbCounter, &QComboBox::activated, this, [this](int) { cmbCounter_Click(); });
    connect(txtCount, &QLineEdit::textChanged, this, [this](const QString&) { txtCount_Change(); });
    connect(txtCount, &QLineEdit::returnPressed, this, &frmBulk::cmdPrint_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmBulk::cmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmBulk::cmdClose_Click);
    txtCount->installEventFilter(this);
    resize(400, 190);
    Form_Load();
}

void frmBulk::Form_Load()
{
    openConnection(m_ctx);
    cmbCounter->clear();
    try {
        const ResultSet rs =
            m_ctx.db.query(QStringLiteral("SELECT tblService.ServName FROM tblDept INNER JOIN tblService ON "
                                          "tblDept.deptAuto = tblService.deptAuto "
                                          "where tblDept.deptDesc='Walk-In' and tblService.Active='1' "
                                          "order by tblService.servAuto"));
        for (int r = 0; r < rs.size(); ++r)
            cmbCounter->addItem(rs.text(r, 0));
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
    }
    cmbCounter->setCurrentIndex(-1);
    showIssueDate();
}

QDate frmBulk::issueDate() const
{
    if (auto* kiosk = qobject_cast<frmTicket*>(m_ctx.screens.existing(QStringLiteral("frmTicket"))))
        return kiosk->issueDate();
    return m_ctx.clock.today();
}

void frmBulk::showIssueDate()
{
    lblDate->setText(issueDate().toString(QStringLiteral("dd-MM-yyyy")));
}

void frmBulk::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // The kiosk's picker may have moved while this screen was in the background.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showIssueDate();
}

void frmBulk::cmbCounter_Click()
{
    const QString name = cmbCounter->currentText();
    showIssueDate();
    try {
        // The run continues the numbers of the day it is stored for.
        const ResultSet highest = m_ctx.db.query(
            QStringLiteral(
                "SELECT max(tblticket.tickno) FROM tblService INNER JOIN tblTicket ON tblService.servAuto = "
                "tblTicket.servAuto where tblService.servName=? and tblTicket.tickDate=?"),
            {name, issueDate().toString(QStringLiteral("yyyy-MM-dd"))});
        if (!highest.isEmpty() && !highest.isNull(0, 0)) {
            lblCurrent->setText(QString::number(highest.number(0, 0) + 1));
            return;
        }
        const ResultSet start = m_ctx.db.query(
            QStringLiteral("Select startno from tblService where servName=? order by servAuto"), {name});
        lblCurrent->setText(start.isEmpty() ? QStringLiteral("0") : QString::number(start.number(0, 0)));
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
    }
}

void frmBulk::txtCount_Change()
{
    bool numeric = false;
    txtCount->text().trimmed().toDouble(&numeric);
    if (!numeric)
        txtCount->setText(QStringLiteral("1"));
}

bool frmBulk::getEndBulk(qint64 number, qint64 serviceId, const QString& serviceName)
{
    numbering::IssueRequest request;
    request.serviceId = serviceId;
    request.number = number;
    request.issueDate = issueDate();
    request.language = Language::inUse();
    request.writeAppTime = true;
    TicketStyle style;
    style.layout = TicketLayout::Windowed;
    style.header = ticketHeader(m_ctx);
    style.showWait = false;
    return issueAndPrint(m_ctx, request, style, serviceName, this).issued();
}

void frmBulk::cmdPrint_Click()
{
    const QString countText = txtCount->text().trimmed();
    const double count = countText.toDouble();
    if (countText.isEmpty() || count < 1) {
        m_ctx.dialogs.message(tr("Cannot Continue"), Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
        return;
    }
    const QString name = cmbCounter->currentText();
    bool startKnown = false;
    const qint64 start = lblCurrent->text().toLongLong(&startKnown);
    if (name.isEmpty() || !startKnown) {
        m_ctx.dialogs.message(tr("Please select a service "), Dialogs::Buttons::Ok, Dialogs::Icon::None, {},
                              this);
        return;
    }
    showIssueDate();
    if (!m_ctx.dialogs.askYesNo(tr("Do you want to print %1 Tokens? ").arg(txtCount->text()),
                                Dialogs::Icon::Question, {}, this))
        return;
    try {
        const qint64 serviceId = lookups::serviceIdByName(m_ctx.db, name);
        if (serviceId == 0) {
            // Renamed or removed since the list was filled: one message, not one per token.
            m_ctx.dialogs.message(tr("Please select a service "), Dialogs::Buttons::Ok, Dialogs::Icon::None,
                                  {}, this);
            return;
        }
        const qint64 total = qint64(count);
        for (qint64 i = 0; i < total; ++i)
            getEndBulk(start + i, serviceId, name);
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
    }
}

void frmBulk::cmdClose_Click()
{
    close();
}

bool frmBulk::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtCount && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, txtCount, &QLineEdit::selectAll);
    return QWidget::eventFilter(watched, event);
}
