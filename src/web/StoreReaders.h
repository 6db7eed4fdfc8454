#pragma once

#include <QMutex>
#include <QObject>
#include <QString>
#include <QWaitCondition>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

class Database;
class QThread;
class Settings;

// Reads of the hall off the server's event loop: a few threads, each with a database connection and
// settings of its own, take reads from one queue. A slow or locked database holds up only the reads
// that wait for it; the event loop goes on answering everything else.
class StoreReaders
{
public:
    // Opens a reader's connection (on the reader's thread); throws DbError when it cannot.
    using Opener = std::function<std::unique_ptr<Database>()>;
    // Runs on a reader's thread; what it returns runs afterwards on the thread of the read's context.
    using Read = std::function<std::function<void()>(Database& db, Settings& settings)>;

    StoreReaders(Opener open, const QString& settingsFile, int threads, int maxQueued);
    ~StoreReaders();
    StoreReaders(const StoreReaders&) = delete;
    StoreReaders& operator=(const StoreReaders&) = delete;

    // Queues the read; `unavailable` runs instead of its result when no connection could be opened.
    // False (and nothing queued) when `maxQueued` reads wait already. `context` must outlive this
    // object or be its owner.
    bool run(QObject* context, Read read, std::function<void()> unavailable);
    int waiting() const;

private:
    struct Job
    {
        QObject* context = nullptr;
        Read read;
        std::function<void()> unavailable;
    };
    void serve();

    Opener m_open;
    QString m_settingsFile;
    int m_maxQueued;
    mutable QMutex m_mutex;
    QWaitCondition m_wake;
    std::deque<Job> m_jobs;
    bool m_stopping = false;
    std::vector<std::unique_ptr<QThread>> m_threads;
};
