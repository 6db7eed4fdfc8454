#include "tickets/KioskPages.h"

#include "core/Settings.h"
#include "ui/Named.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

namespace kioskSizes {

int nineMillimetres(double dotsPerInch)
{
    // A hair below a whole pixel is that pixel (9 mm at 254 dpi are 90 pixels, not 91).
    return int(std::ceil(9.0 / 25.4 * dotsPerInch - 1e-6));
}

int minimumButtonPixels(int screenHeight, double physicalDotsPerInch)
{
    const int byScreen = qMax(80, int(std::ceil(80.0 * screenHeight / 1080.0)));
    return physicalDotsPerInch > 0 ? qMax(byScreen, nineMillimetres(physicalDotsPerInch)) : byScreen;
}

int fullScreenButtonPixels(int rowHeightPixels, int screenHeight, int buttons, int headings,
                           double physicalDotsPerInch)
{
    const int least = qMax(rowHeightPixels, minimumButtonPixels(screenHeight, physicalDotsPerInch));
    // Nine tenths of the screen for the buttons, their heading of half a button and the departments'
    // headings of half a button each.
    const int fitting = int(screenHeight * 0.9 / (qMax(buttons, 1) + 0.5 + 0.5 * qMax(headings, 0)));
    return qMax(least, qMin(fitting, screenHeight / 8));
}

} // namespace kioskSizes

namespace kioskLook {

bool largeHighContrast(Settings& settings)
{
    return settings.get(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("largeText"),
                        QStringLiteral("0")) == QLatin1String("1");
}

void setLargeHighContrast(Settings& settings, bool on)
{
    settings.set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("largeText"),
                 on ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace kioskLook

OutOfServicePage::OutOfServicePage(QWidget* kiosk) : QWidget(kiosk)
{
    setObjectName(QStringLiteral("OutOfServicePage"));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral("#OutOfServicePage { background-color: #14202c; }"
                                 "QLabel { color: white; background: transparent; }"
                                 "QLabel#lblReason { color: #9fb2c4; }"));
    lblTitle = named(new QLabel(this), "lblTitle");
    lblVisitor = named(new QLabel(this), "lblVisitor");
    retranslate();
    lblReason = named(new QLabel(this), "lblReason");
    for (QLabel* label : {lblTitle, lblVisitor, lblReason}) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(3);
    layout->addWidget(lblTitle);
    layout->addSpacing(24);
    layout->addWidget(lblVisitor);
    layout->addStretch(4);
    layout->addWidget(lblReason);
    layout->setContentsMargins(40, 40, 40, 24);
}

void OutOfServicePage::retranslate()
{
    lblTitle->setText(tr("Out of service"));
    lblVisitor->setText(tr("Sorry, no tickets can be issued here at the moment.\n"
                           "Please ask at the reception desk."));
}

void OutOfServicePage::setReason(const QString& reason)
{
    lblReason->setText(reason);
}

void OutOfServicePage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int h = qMax(height(), 360);
    QFont title(QStringLiteral("Liberation Sans"));
    title.setBold(true);
    title.setPixelSize(h / 9);
    lblTitle->setFont(title);
    QFont text(QStringLiteral("Liberation Sans"));
    text.setPixelSize(h / 24);
    lblVisitor->setFont(text);
    text.setPixelSize(qMax(12, h / 60));
    lblReason->setFont(text);
}

KioskRetry::KioskRetry(QObject* parent) : QObject(parent)
{
    timer = named(new QTimer(this), "retryTimer");
    timer->setInterval(intervalMs);
    connect(timer, &QTimer::timeout, this, &KioskRetry::retryNow);
}

void KioskRetry::start(std::function<bool()> attempt)
{
    m_attempt = std::move(attempt);
    timer->start();
}

void KioskRetry::stop()
{
    timer->stop();
    m_attempt = nullptr;
}

bool KioskRetry::active() const
{
    return timer->isActive();
}

bool KioskRetry::retryNow()
{
    if (!m_attempt)
        return false;
    // The attempt may start a retry of its own; this one ends only when it succeeded.
    const std::function<bool()> attempt = m_attempt;
    if (!attempt())
        return false;
    stop();
    return true;
}
