#include "display/CallWakeup.h"

#include "core/Database.h"
#include "ui/Clock.h"

#include <QTimer>

CallWakeup::CallWakeup(Database& db, const Clock& clock, QObject* parent)
    : QObject(parent), m_db(db), m_clock(clock), m_timer(new QTimer(this))
{
    m_timer->setObjectName(QStringLiteral("Timer1"));
    connect(m_timer, &QTimer::timeout, this, &CallWakeup::readNow);
}

CallWakeup::~CallWakeup()
{
    stop();
}

void CallWakeup::start(std::optional<Way> way)
{
    stop();
    m_way = m_db.isPostgres() ? way.value_or(Way::Push) : Way::Poll;
    alive();
    if (m_way == Way::Push) {
        m_listening = true;
        // Told of every call and recall, and once after each reopen of the connection.
        m_db.listen(Database::callChannel(), [this](const QString&) {
            ++m_notifications;
            alive();
            wakeSoon();
        });
        m_timer->setInterval(SafetyMs);
    } else {
        m_timer->setInterval(PollMs);
    }
    m_timer->start();
}

void CallWakeup::stop()
{
    m_timer->stop();
    if (m_listening) {
        m_db.unlisten(Database::callChannel());
        m_listening = false;
    }
}

bool CallWakeup::running() const
{
    return m_timer->isActive();
}

bool CallWakeup::subscribed() const
{
    return m_listening && m_db.listening(Database::callChannel());
}

void CallWakeup::wakeSoon()
{
    if (m_pending)
        return;
    m_pending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_pending)
                readNow();
        },
        Qt::QueuedConnection);
}

void CallWakeup::readNow()
{
    m_pending = false;
    if (!m_read)
        return;
    ++m_reads;
    const bool ok = m_read();
    if (ok)
        alive();
    // The safety read comes a whole interval after the last read.
    if (m_way == Way::Push && m_timer->isActive())
        m_timer->start();
    Q_EMIT readDone(ok);
}

void CallWakeup::alive()
{
    m_lastAliveMs = m_clock.now().toMSecsSinceEpoch();
}

bool CallWakeup::offline() const
{
    return m_clock.now().toMSecsSinceEpoch() - m_lastAliveMs >= OfflineAfterMs;
}
