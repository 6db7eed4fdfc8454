#pragma once

#include "calling/DeliveryWatch.h"

#include <QWidget>

class QLabel;
class QTimer;

// Beside the current token: whether its call reached the hall's boards and announcer
// ("lblDelivery"), and, in red, the screens that have not answered ("lblDeliveryWarning").
class DeliveryLine : public QWidget
{
public:
    DeliveryLine(Database& db, const Clock& clock, QWidget* parent = nullptr);

    // The counter called or recalled this ticket now (0: idle).
    void watch(qint64 ticketKey);
    // The counter's current ticket changed without a call (finished, moved on): the line goes when
    // it is not the one watched.
    void follow(qint64 ticketKey);
    // One poll and the labels (the timer's work).
    void refresh();

    DeliveryWatch& logic() { return m_watch; }
    QLabel* lblDelivery;
    QLabel* lblDeliveryWarning;
    QTimer* tmrDelivery;

private:
    DeliveryWatch m_watch;
};
