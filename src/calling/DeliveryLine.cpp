#include "calling/DeliveryLine.h"

#include "ui/Named.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

DeliveryLine::DeliveryLine(Database& db, const Clock& clock, QWidget* parent)
    : QWidget(parent), m_watch(db, clock)
{
    setObjectName(QStringLiteral("deliveryLine"));
    lblDelivery = named(new QLabel(this), "lblDelivery");
    lblDelivery->setStyleSheet(QStringLiteral("color: #d8e6f3; font-size: 10pt;"));
    lblDeliveryWarning = named(new QLabel(this), "lblDeliveryWarning");
    lblDeliveryWarning->setStyleSheet(QStringLiteral(
        "color: #ffffff; background: #b3261e; font-size: 10pt; font-weight: bold; padding: 2px 6px;"));
    lblDeliveryWarning->setWordWrap(true);
    lblDeliveryWarning->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(lblDelivery, 0, Qt::AlignRight);
    layout->addWidget(lblDeliveryWarning, 0, Qt::AlignRight);
    tmrDelivery = named(new QTimer(this), "tmrDelivery");
    tmrDelivery->setInterval(DeliveryWatch::PollMilliseconds);
    connect(tmrDelivery, &QTimer::timeout, this, &DeliveryLine::refresh);
}

void DeliveryLine::watch(qint64 ticketKey)
{
    m_watch.watch(ticketKey);
    refresh();
}

void DeliveryLine::follow(qint64 ticketKey)
{
    if (ticketKey != m_watch.watched())
        watch(0);
}

void DeliveryLine::refresh()
{
    m_watch.poll();
    const QString warning = m_watch.warning();
    lblDelivery->setText(m_watch.line());
    lblDeliveryWarning->setText(warning);
    lblDeliveryWarning->setVisible(!warning.isEmpty());
    if (m_watch.polling())
        tmrDelivery->start();
    else
        tmrDelivery->stop();
}
