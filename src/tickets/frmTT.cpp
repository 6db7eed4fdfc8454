#include "tickets/frmTicketF.h"

#include "ui/Named.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

// The picture that asks the visitor to take the ticket.

QPixmap frmTT::takeTicketPicture()
{
    QPixmap picture(415, 290);
    picture.fill(QColor(0x1f, 0x3b, 0x57));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    // A ticket coming out of a slot.
    p.setBrush(QColor(0x12, 0x25, 0x38));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(117, 26, 181, 22), 8, 8);
    QPainterPath ticket;
    ticket.addRoundedRect(QRectF(142, 36, 131, 120), 6, 6);
    p.setBrush(Qt::white);
    p.drawPath(ticket);
    p.setPen(QPen(QColor(0x9a, 0xa8, 0xb6), 2, Qt::DashLine));
    p.drawLine(QPointF(150, 132), QPointF(265, 132));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0x4f, 0x6f));
    p.drawRoundedRect(QRectF(165, 62, 85, 30), 4, 4);
    p.setBrush(QColor(0xc8, 0xd6, 0xe4));
    p.drawRect(QRectF(158, 102, 99, 6));
    p.drawRect(QRectF(172, 114, 71, 6));
    // The words.
    p.setPen(Qt::white);
    QFont words(QStringLiteral("Liberation Sans"));
    words.setPixelSize(30);
    words.setBold(true);
    p.setFont(words);
    p.drawText(QRectF(0, 172, 415, 44), Qt::AlignCenter, tr("Please take your ticket"));
    words.setPixelSize(18);
    words.setBold(false);
    p.setFont(words);
    p.setPen(QColor(0xc8, 0xd6, 0xe4));
    p.drawText(QRectF(0, 218, 415, 30), Qt::AlignCenter, tr("and wait for your number to be called"));
    p.end();
    return picture;
}

frmTT::frmTT(AppContext&, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmTT"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The kiosk keeps the keyboard: a visitor using its keys goes on while this is shown.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(415, 290);
    Image1 = named(new QLabel(this), "Image1");
    Image1->setPixmap(takeTicketPicture());
    Image1->setGeometry(0, 0, 415, 290);
    if (parent) {
        const QRect area = parent->window()->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setSingleShot(true);
    Timer1->setInterval(2000);
    connect(Timer1, &QTimer::timeout, this, &QWidget::close);
    Timer1->start();
}
