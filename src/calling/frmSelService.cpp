#include "calling/frmSelService.h"

#include "calling/TokenMoves.h"
#include "calling/frmCall.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/ScreenRegistry.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

frmSelService::frmSelService(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmSelService"));
    setWindowTitle(tr("Select Service"));

    cmbCounter = named(new QComboBox(this), "cmbCounter");
    cmbCounter->setEditable(true);
    cmbCounter->setInsertPolicy(QComboBox::NoInsert);
    cmbCounter->setMinimumWidth(220);
    lblService = named(new QLabel(this), "lblService");
    lblService->setStyleSheet(QStringLiteral("color: #2f4f6f;"));
    Command1 = named(new QPushButton(tr("Ok"), this), "Command1");
    Command1->setDefault(true);

    auto* form = new QFormLayout;
    form->addRow(tr("Counter"), cmbCounter);
    form->addRow(QString(), lblService);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(cmbCounter, &QComboBox::currentTextChanged, this, &frmSelService::cmbCounter_Click);
    connect(cmbCounter->lineEdit(), &QLineEdit::returnPressed, this, &frmSelService::Command1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmSelService::Command1_Click);
    resize(380, 150);
}

void frmSelService::Form_Load()
{
    openConnection(m_ctx);
    addCounter();
    const QString preset =
        m_ctx.settings.get(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("transfer"));
    if (!preset.isEmpty())
        cmbCounter->setEditText(preset);
}

void frmSelService::addCounter()
{
    const QSignalBlocker block(cmbCounter);
    cmbCounter->clear();
    try {
        const ResultSet rs = m_ctx.db.query(
            QStringLiteral("select contName from tblcounter where active='1' order by cntAuto"));
        for (int r = 0; r < rs.size(); ++r)
            cmbCounter->addItem(rs.text(r, 0));
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, QString(),
                              this);
    }
    cmbCounter->setCurrentIndex(-1);
    cmbCounter->setEditText(QString());
}

void frmSelService::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void frmSelService::Form_Activate()
{
    // Only the first time: a message box closing would activate the picker again and ask once more.
    if (m_activated)
        return;
    m_activated = true;
    Command1_Click();
}

void frmSelService::cmbCounter_Click()
{
    try {
        lblService->setText(tokenMoves::serviceCaption(m_ctx.db, cmbCounter->currentText()));
    } catch (const DbError&) {
        // The label keeps what it showed.
    }
}

void frmSelService::Command1_Click()
{
    if (m_done)
        return;
    try {
        const ResultSet rs = m_ctx.db.query(
            QStringLiteral("select cntAuto,servAuto from tblCounter where contName=? order by cntAuto"),
            {cmbCounter->currentText()});
        if (rs.isEmpty()) {
            m_ctx.dialogs.message(tr("Please enter a valid Counter"), Dialogs::Buttons::Ok,
                                  Dialogs::Icon::None, QString(), this);
            return;
        }
        Session& session = m_ctx.session;
        session.counterId = rs.number(0, 0);
        session.servingCounterId = session.counterId;
        session.serviceId = rs.number(0, 1);
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, QString(),
                              this);
        return;
    }
    m_done = true;
    close();

    // An open counter screen is loaded again for the counter just chosen.
    const bool wasOpen = m_ctx.screens.existing(QStringLiteral("frmCall")) != nullptr;
    auto* screen = qobject_cast<frmCall*>(m_ctx.screens.open(QStringLiteral("frmCall")));
    if (!screen)
        return;
    if (wasOpen)
        screen->Form_Load();
    for (int tab : {0, 1, 2, 4, 5, 6})
        screen->STab->setTabEnabled(tab, false);
    screen->STab->setCurrentIndex(3);
}
