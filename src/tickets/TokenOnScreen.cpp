#include "tickets/TokenOnScreen.h"

#include "ui/Named.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>
#include <QVBoxLayout>

TokenOnScreen::TokenOnScreen(QWidget* kiosk)
    : QWidget(kiosk, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TokenOnScreen"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The kiosk keeps the keyboard: a visitor using its keys goes on while this is shown.
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Its own style sheet: a kiosk's style sheet would otherwise decide the colours, and the number
    // must stand out strongly wherever it is shown (white on a deep navy, about 15 : 1).
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral("#TokenOnScreen { background-color: #0b1a2a; }"
                                 "QLabel { color: #ffffff; background: transparent; }"
                                 "QLabel#lblNote { color: #ffe08a; }"));
    lblHint = named(new QLabel(tr("Your number"), this), "lblHint");
    lblToken = named(new QLabel(this), "lblToken");
    lblService = named(new QLabel(this), "lblService");
    lblNote =
        named(new QLabel(tr("No ticket could be printed: please remember your number"), this), "lblNote");
    lblWait = named(new QLabel(this), "lblWait");
    for (QLabel* label : {lblHint, lblToken, lblService, lblWait, lblNote}) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(label != lblToken);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(lblHint);
    layout->addWidget(lblToken, 1);
    layout->addWidget(lblService);
    layout->addWidget(lblWait);
    layout->addWidget(lblNote);

    closeTimer = named(new QTimer(this), "closeTimer");
    closeTimer->setSingleShot(true);
    closeTimer->setInterval(shownMs);
    connect(closeTimer, &QTimer::timeout, this, &QWidget::close);
}

TokenOnScreen* TokenOnScreen::showToken(const QString& label, const QString& serviceName, QWidget* kiosk,
                                        const QString& waitText, bool printed)
{
    QWidget* owner = kiosk ? kiosk->window() : nullptr;
    auto* shown = owner ? owner->findChild<TokenOnScreen*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!shown)
        shown = new TokenOnScreen(owner);
    shown->lblToken->setText(label);
    shown->lblService->setText(serviceName);
    shown->lblWait->setText(waitText);
    shown->lblWait->setVisible(!waitText.isEmpty());
    shown->lblNote->setVisible(!printed);
    shown->placeOver(owner);
    shown->show();
    shown->raise();
    shown->closeTimer->start();
    return shown;
}

void TokenOnScreen::placeOver(QWidget* kiosk)
{
    QRect area = kiosk ? kiosk->geometry() : QRect();
    if (area.width() < 480 || area.height() < 360) {
        const QScreen* screen = kiosk && kiosk->screen() ? kiosk->screen() : QGuiApplication::primaryScreen();
        area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    }
    const QSize size(qMax(480, area.width() * 3 / 5), qMax(360, area.height() / 2));
    setFixedSize(size);
    move(area.center() - QPoint(size.width() / 2, size.height() / 2));

    QFont big(QStringLiteral("Liberation Sans"));
    big.setBold(true);
    big.setPixelSize(size.height() * 2 / 5);
    lblToken->setFont(big);
    QFont text(QStringLiteral("Liberation Sans"));
    text.setPixelSize(qMax(18, size.height() / 14));
    lblHint->setFont(text);
    lblService->setFont(text);
    lblWait->setFont(text);
    text.setPixelSize(qMax(14, size.height() / 20));
    lblNote->setFont(text);
}

void TokenOnScreen::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QStyleOption background;
    background.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &background, &p, this);
    p.setPen(QPen(QColor(0xf2, 0xa5, 0x41), 6));
    p.drawRect(rect().adjusted(3, 3, -3, -3));
}

void TokenOnScreen::mousePressEvent(QMouseEvent* event)
{
    // The number stays its full time: the second tap of a double tap, or a touch by the next
    // visitor, must not take it from a visitor who has no paper ticket.
    event->accept();
}
