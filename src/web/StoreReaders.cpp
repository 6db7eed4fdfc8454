#include "web/StoreReaders.h"

#include "core/Database.h"
#include "core/Settings.h"

#include <QMetaObject>
#include <QThread>

StoreReaders::StoreReaders(Opener open, const QString& settingsFile, int threads, int maxQueued)
    : m_open(std::move(open)), m_settingsFile(settingsFile), m_maxQueued(qMax(1, maxQueued))
{
    for (int i = 0; i < qMax(1, threads); ++i) {
        m_threads.emplace_back(QThread::create([this] { serve(); }));
        m_threads.back()->setObjectName(QStringLiteral("store reader %1").arg(i + 1));
        m_threads.back()->start();
    }
}

StoreReaders::~StoreReaders()
{
    {
        QMutexLocker lock(&m_mutex);
        m_stopping = true;
        m_jobs.clear();
    }
    m_wake.wakeAll();
    // A reader in a statement ends within the statement time-out.
    for (auto& thread : m_threads)
        thread->wait();
}

bool StoreReaders::run(QObject* context, Read read, std::function<void()> unavailable)
{
    {
        QMutexLocker lock(&m_mutex);
        if (int(m_jobs.size()) >= m_maxQueued || m_stopping)
            return false;
        m_jobs.push_back(Job{context, std::move(read), std::move(unavailable)});
    }
    m_wake.wakeOne();
    return true;
}

int StoreReaders::waiting() const
{
    QMutexLocker lock(&m_mutex);
    return int(m_jobs.size());
}

void StoreReaders::serve()
{
    std::unique_ptr<Database> db;
    Settings settings(m_settingsFile);
    for (;;) {
        Job job;
        {
            QMutexLocker lock(&m_mutex);
            while (m_jobs.empty() && !m_stopping)
                m_wake.wait(&m_mutex);
            if (m_stopping)
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        std::function<void()> then;
        try {
            if (!db)
                db = m_open();
            then = job.read(*db, settings);
        } catch (const DbError&) {
            // Opening failed (a failed statement is the read's own business): the next read tries again.
            db.reset();
            then = job.unavailable;
        }
        if (then)
            QMetaObject::invokeMethod(job.context, std::move(then), Qt::QueuedConnection);
    }
}
