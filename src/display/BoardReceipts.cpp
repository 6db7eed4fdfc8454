#include "display/BoardReceipts.h"

#include "core/Database.h"
#include "core/Settings.h"
#include "ui/Clock.h"

#include <QDebug>
#include <QMutex>
#include <QSysInfo>

namespace {
// The boards of this program that record receipts, for the announcer's answers. Boards may live on
// threads of their own (the benchmark runs several at once), so the list is kept under a lock.
struct LiveBoards
{
    QMutex lock;
    QList<BoardReceipts*> boards;
};
LiveBoards& liveBoards()
{
    static LiveBoards live;
    return live;
}
} // namespace

BoardReceipts::BoardReceipts(Database& db, const Clock& clock, QString screen, delivery::ScreenKind kind,
                             QVector<qint64> counters, QObject* parent)
    : QObject(parent), m_db(db), m_clock(clock), m_screen(std::move(screen)), m_kind(kind),
      m_counters(std::move(counters)), m_heartbeat(this)
{
    m_heartbeat.setInterval(60 * 1000);
    connect(&m_heartbeat, &QTimer::timeout, this, &BoardReceipts::beat);
    LiveBoards& live = liveBoards();
    const QMutexLocker locked(&live.lock);
    live.boards.append(this);
}

BoardReceipts::~BoardReceipts()
{
    LiveBoards& live = liveBoards();
    const QMutexLocker locked(&live.lock);
    live.boards.removeAll(this);
}

QString BoardReceipts::screenName(const Settings& settings)
{
    const QString name =
        settings.get(QStringLiteral("Queue"), QStringLiteral("display"), QStringLiteral("screenname"))
            .trimmed();
    return name.isEmpty() ? QSysInfo::machineHostName() : name;
}

QString BoardReceipts::voiceScreen() const
{
    return m_screen + QStringLiteral(" (voice)");
}

bool BoardReceipts::write(const std::function<void()>& work)
{
    if (m_absent)
        return false;
    try {
        work();
        m_lastWrite = m_clock.now();
        return true;
    } catch (const DbError& e) {
        ++m_lost;
        // A hall whose owner has not made the tables yet (SQLite tells a missing table like a lost
        // connection): the heartbeat looks for them again.
        bool missing = !e.isConnectionFailure();
        if (!missing) {
            try {
                missing = !delivery::present(m_db);
            } catch (const DbError&) {
            }
        }
        m_absent = missing;
        if (!m_told) {
            m_told = true;
            qWarning().noquote() << "The board" << m_screen
                                 << "cannot record which calls it showed:" << e.detail();
        }
        return false;
    }
}

void BoardReceipts::start()
{
    announce();
    m_heartbeat.start();
}

void BoardReceipts::announce()
{
    m_started = true;
    write([&] { delivery::announceScreen(m_db, m_clock, m_screen, m_kind, m_counters); });
}

void BoardReceipts::callShown(const CallRow& call)
{
    write([&] { delivery::recordShown(m_db, m_clock, m_screen, call.callAuto, call.stamp, m_kind); });
}

void BoardReceipts::spoken(qint64 callAuto, qint64 stamp)
{
    write([&] {
        // The announcer shows the board's counters: its row says so once per run.
        if (!m_voiceAnnounced)
            delivery::announceScreen(m_db, m_clock, voiceScreen(), delivery::ScreenKind::Announcer,
                                     m_counters);
        m_voiceAnnounced = true;
        delivery::recordShown(m_db, m_clock, voiceScreen(), callAuto, stamp, delivery::ScreenKind::Announcer);
    });
}

void BoardReceipts::beat()
{
    if (!m_started)
        return;
    if (m_absent) {
        try {
            if (!delivery::present(m_db))
                return;
        } catch (const DbError&) {
            return;
        }
        m_absent = false;
        m_voiceAnnounced = false;
    } else if (m_lastWrite.isValid() && m_lastWrite.secsTo(m_clock.now()) < 60 * delivery::HeartbeatMinutes) {
        return;
    }
    write([&] { delivery::announceScreen(m_db, m_clock, m_screen, m_kind, m_counters); });
}

void BoardReceipts::spokenOn(const QString& screen, qint64 callAuto, qint64 stamp)
{
    BoardReceipts* named = nullptr;
    {
        LiveBoards& live = liveBoards();
        const QMutexLocker locked(&live.lock);
        for (BoardReceipts* board : std::as_const(live.boards)) {
            if (board->screen() == screen) {
                named = board;
                break;
            }
        }
    }
    // Called on the thread the boards live on (the program's main thread), the only one that ends them.
    if (named)
        named->spoken(callAuto, stamp);
}
