#include "core/frmSplash.h"

#include "core/AppContext.h"
#include "core/ConnectionFiles.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "core/frmLogin.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"
#include "ui/WindowPlacement.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

frmSplash::frmSplash(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(520, 300);
    centerOnScreen(this);
    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setSingleShot(true);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Form_Load();
}

void frmSplash::Form_Load()
{
    const QString error = connectionFiles::readPathFile(m_ctx.configDir(), m_ctx.session.connection);
    if (!error.isEmpty())
        m_ctx.dialogs.message(error);
    Timer1->start();
}

QWidget* frmSplash::Timer1_Timer()
{
    auto* login = new frmLogin(m_ctx);
    login->setAttribute(Qt::WA_DeleteOnClose);
    login->show();
    if (m_ctx.settings.getNumber(QStringLiteral("Queue"), QStringLiteral("Display"), QStringLiteral("Auto"),
                                 0) == 1)
        login->Command1->click();
    close();
    return login;
}

void frmSplash::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0x2f, 0x4f, 0x6f));
    g.setColorAt(1, QColor(0x16, 0x2a, 0x3d));
    p.fillRect(rect(), g);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("Liberation Sans"), 34, QFont::Bold);
    p.setFont(f);
    p.drawText(rect().adjusted(0, -30, 0, 0), Qt::AlignCenter, QStringLiteral("Brivane"));
    f.setPointSize(12);
    f.setBold(false);
    p.setFont(f);
    p.setPen(QColor(0xc8, 0xd6, 0xe4));
    p.drawText(rect().adjusted(0, 60, 0, 0), Qt::AlignCenter, tr("Queue management for service halls"));
}
