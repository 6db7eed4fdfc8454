#include "tickets/frmTicketF.h"

#include "core/AppContext.h"
#include "core/ConnectionFiles.h"
#include "core/Session.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

// The exit pad of the full-screen kiosk and the exit code it compares with.

QString readExitCode(AppContext& ctx, QWidget* parent)
{
    QString code;
    QString error;
    if (connectionFiles::readExitCode(ctx.configDir(), code, error))
        return code;
    ctx.dialogs.message(error, Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, parent);
    return QString::fromLatin1(connectionFiles::defaultExitCode);
}

frmPass::frmPass(AppContext& ctx, QWidget* kiosk)
    : QWidget(kiosk, Qt::Window | Qt::WindowStaysOnTopHint), m_ctx(ctx), m_kiosk(kiosk)
{
    setObjectName(QStringLiteral("frmPass"));
    setWindowTitle(tr("Enter Password"));
    setAttribute(Qt::WA_DeleteOnClose);
    setStyleSheet(QStringLiteral("QPushButton { min-width: 64px; min-height: 52px; font-size: 18pt; }"
                                 "QLineEdit { font-size: 20pt; min-height: 44px; }"));

    txtPass = named(new QLineEdit(this), "txtPass");
    txtPass->setEchoMode(QLineEdit::Password);
    txtPass->setReadOnly(true);
    txtPass->setAlignment(Qt::AlignCenter);
    Label1 = named(new QLabel(this), "Label1");
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet(QStringLiteral("color: #b00020; font-weight: bold;"));

    auto* keys = new QGridLayout;
    for (int i = 0; i < 10; ++i) {
        txtNo[i] = new QPushButton(QString::number(i), this);
        txtNo[i]->setObjectName(QStringLiteral("txtNo%1").arg(i));
        connect(txtNo[i], &QPushButton::clicked, this, [this, i] { txtNo_Click(i); });
        if (i > 0)
            keys->addWidget(txtNo[i], (i - 1) / 3, (i - 1) % 3);
    }
    cmdBack = named(new QPushButton(QStringLiteral("<"), this), "cmdBack");
    cmdClear = named(new QPushButton(tr("Clear"), this), "cmdClear");
    cmdEnter = named(new QPushButton(tr("Enter"), this), "cmdEnter");
    keys->addWidget(cmdBack, 3, 0);
    keys->addWidget(txtNo[0], 3, 1);
    keys->addWidget(cmdClear, 3, 2);
    keys->addWidget(cmdEnter, 4, 0, 1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtPass);
    layout->addWidget(Label1);
    layout->addLayout(keys);

    connect(cmdBack, &QPushButton::clicked, this, &frmPass::cmdBack_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmPass::cmdClear_Click);
    connect(cmdEnter, &QPushButton::clicked, this, &frmPass::cmdEnter_Click);
    adjustSize();
    if (kiosk)
        move(kiosk->geometry().center() - QPoint(width() / 2, height() / 2));

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &frmPass::Timer1_Timer);
    Form_Load();
}

void frmPass::Form_Load()
{
    exitCode = readExitCode(m_ctx, this);
    ticks = 0;
    Timer1->start();
}

void frmPass::txtNo_Click(int index)
{
    txtPass->setText(txtPass->text() + QString::number(index));
}

void frmPass::cmdBack_Click()
{
    QString text = txtPass->text();
    text.chop(1);
    txtPass->setText(text);
}

void frmPass::cmdClear_Click()
{
    txtPass->clear();
}

void frmPass::cmdEnter_Click()
{
    // Each wrong code makes the next try wait longer (for the whole run, however often the pad opens).
    WrongTries& tries = m_ctx.session.exitPadTries;
    const int wait = tries.remainingSeconds(m_ctx.clock.now());
    if (wait > 0) {
        Label1->setText(tr("Wait %1 s").arg(wait));
        return;
    }
    if (!exitCode.isEmpty() && txtPass->text() == exitCode) {
        tries.succeeded();
        QPointer<QWidget> kiosk(m_kiosk);
        close();
        if (auto* fullScreen = qobject_cast<frmTicketF*>(kiosk.data()))
            fullScreen->leave();
        else if (kiosk)
            kiosk->close();
        return;
    }
    tries.failed(m_ctx.clock.now());
    Label1->setText(tr("Enter Valid Password"));
}

void frmPass::Timer1_Timer()
{
    if (ticks == 10) {
        Timer1->stop();
        close();
        return;
    }
    ++ticks;
}
