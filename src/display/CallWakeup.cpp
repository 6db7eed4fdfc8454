#include "display/CallWakeup.h"

#include "core/Database.h"
#include "display/CallBoardEngine.h"
#include "ui/Clock.h"

#include <QTimer>
#include <utility>

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
        m_db.listen(Database::callChannel(),
                    [this](const QString& payload, int sender) { notified(payload, sender); });
        m_timer->setInterval(SafetyMs);
    } else {
        m_timer->setInterval(PollMs);
    }
    m_timer->start();
}

void CallWakeup::serve(CallBoardEngine& engine, std::function<void()> changed, std::function<void()> starting)
{
    const auto tell = [changed](bool tableChanged) {
        if (tableChanged && changed)
            changed();
    };
    m_read = [this, &engine, tell, starting] {
        if (starting)
            starting();
        tell(m_way == Way::Poll ? engine.Timer1_Timer() : engine.readNew());
        return engine.lastReadOk();
    };
    m_notice = [&engine, tell, starting](const QString& payload, int sender) {
        if (starting)
            starting();
        const CallBoardEngine::Notice notice = engine.notified(payload, sender);
        tell(notice == CallBoardEngine::Notice::Shown);
        return notice != CallBoardEngine::Notice::Read;
    };
}

void CallWakeup::stop()
{
    m_timer->stop();
    m_payloads.clear();
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

void CallWakeup::notified(const QString& payload, int sender)
{
    ++m_notifications;
    alive();
    if (!m_notice) {
        wakeSoon();
        return;
    }
    // Passed on from the event loop, not from within the driver's delivery.
    m_payloads.append({payload, sender});
    if (m_payloads.size() == 1)
        QMetaObject::invokeMethod(this, &CallWakeup::passNotices, Qt::QueuedConnection);
}

void CallWakeup::passNotices()
{
    const QList<std::pair<QString, int>> payloads = std::exchange(m_payloads, {});
    if (m_pending || !m_listening)
        return; // a read is due and shows them, or the board has stopped
    for (const auto& [payload, sender] : payloads) {
        if (!m_notice(payload, sender)) {
            readNow();
            return;
        }
        ++m_noticesWithoutRead;
    }
    Q_EMIT readDone(true);
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
