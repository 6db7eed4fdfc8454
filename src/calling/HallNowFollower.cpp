#include "calling/HallNowFollower.h"

#include "core/Database.h"

HallNowFollower::HallNowFollower(Database& db, const Clock& clock, QObject* parent)
    : QObject(parent), m_db(db), m_hall(db, clock)
{
    connect(&m_timer, &QTimer::timeout, this, &HallNowFollower::readNow);
    m_gather.setSingleShot(true);
    m_gather.setInterval(GatherMs);
    connect(&m_gather, &QTimer::timeout, this, &HallNowFollower::readNow);
    m_trail.setSingleShot(true);
    m_trail.setInterval(TrailMs);
    connect(&m_trail, &QTimer::timeout, this, &HallNowFollower::readNow);
}

HallNowFollower::~HallNowFollower()
{
    stop();
}

void HallNowFollower::start()
{
    stop();
    m_pushed = m_db.isPostgres() && m_db.listen(Database::hallChannel(), [this](const QString&, int) {
        if (!m_gather.isActive())
            m_gather.start();
        m_trail.start();
    });
    m_timer.start(m_pushed ? SafetyMs : PollMs);
    readNow();
    // What a workstation changed just after an announcement this view did not hear is not announced
    // again: it is read once the gap is over.
    if (m_pushed)
        m_trail.start();
}

void HallNowFollower::stop()
{
    m_timer.stop();
    m_gather.stop();
    m_trail.stop();
    if (m_db.isPostgres())
        m_db.unlisten(Database::hallChannel());
    m_pushed = false;
}

bool HallNowFollower::readNow()
{
    try {
        m_snapshot = m_hall.read();
    } catch (const DbError& e) {
        Q_EMIT lost(e.description());
        return false;
    }
    Q_EMIT changed(m_snapshot);
    return true;
}
