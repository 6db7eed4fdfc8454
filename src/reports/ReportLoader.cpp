#include "reports/ReportLoader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QThread>

#include <memory>

namespace {

// The first batch is small so that the first rows are there at once; later ones are larger so
// that the receiving thread spends little time per row. A batch also goes when it has waited long.
constexpr size_t FirstBatch = 200;
constexpr size_t LaterBatch = 5000;
constexpr qint64 LongestWaitMs = 60;
// At most this many rows are put into the grid per turn of the receiving thread's event loop.
constexpr size_t RowsPerTurn = 20000;

struct Cancelled
{
};

} // namespace

StoreAddress StoreAddress::of(const Database& db)
{
    StoreAddress a;
    a.kind = db.kind();
    if (a.kind == Database::Kind::Sqlite)
        a.sqliteFile = db.description();
    else if (a.kind == Database::Kind::Postgres)
        a.server = db.serverLink();
    return a;
}

bool StoreAddress::operator==(const StoreAddress& o) const
{
    return kind == o.kind && sqliteFile == o.sqliteFile && server.host == o.server.host &&
           server.port == o.server.port && server.database == o.server.database &&
           server.user == o.server.user && server.password == o.server.password &&
           server.passwordAuthentication == o.server.passwordAuthentication;
}

GridRow reportGridRow(const ReportRow& row, qint64 number)
{
    GridRow g;
    g.reserve(96); // a usual ticket's texts
    g.appendNumber(row.tickAuto);
    g.appendNumber(number);
    g.append(row.department);
    g.append(row.service);
    g.append(row.token);
    g.append(row.date);
    g.append(row.counter);
    g.append(row.from);
    g.append(row.to);
    for (const std::optional<int>& minutes : {row.duration, row.waiting}) {
        if (minutes)
            g.appendNumber(*minutes);
        else
            g.append(QStringView());
    }
    g.append(row.status);
    g.append(row.counterDisplayName);
    g.append(row.reasonText());
    return g;
}

// Lives on the loader's thread and owns the connection used there.
class ReportLoader::Worker : public QObject
{
public:
    explicit Worker(ReportLoader& loader) : m_loader(loader) {}

    void run(quint64 run, const StoreAddress& store, const ReportRequest& request)
    {
        if (m_loader.m_wanted.load() != run)
            return; // a later Show came first
        Delivery last;
        last.run = run;
        last.last = true;
        std::vector<GridRow> batch;
        size_t batchSize = FirstBatch;
        batch.reserve(batchSize);
        QElapsedTimer waited;
        waited.start();
        try {
            Database& db = connectTo(store);
            last.summary.figures = listReport(db, request, [&](const ReportRow& row) {
                if (m_loader.m_wanted.load(std::memory_order_relaxed) != run)
                    throw Cancelled{};
                ReportSummary& s = last.summary;
                ++s.rows;
                s.durationSum += row.duration.value_or(0);
                batch.push_back(reportGridRow(row, s.rows));
                if (batch.size() >= batchSize || waited.elapsed() >= LongestWaitMs) {
                    m_loader.post(Delivery{run, std::move(batch), false, {}});
                    batchSize = LaterBatch;
                    batch = {};
                    batch.reserve(batchSize);
                    waited.restart();
                }
            });
        } catch (const Cancelled&) {
            return;
        } catch (const DbError& e) {
            last.summary.error = e.description();
        }
        last.rows = std::move(batch);
        m_loader.post(std::move(last));
    }

    void release() { m_db.reset(); }

private:
    Database& connectTo(const StoreAddress& store)
    {
        if (m_db && m_store == store && m_db->isOpen())
            return *m_db;
        m_db.reset();
        auto db = std::make_unique<Database>();
        switch (store.kind) {
        case Database::Kind::Sqlite:
            db->openSqlite(store.sqliteFile);
            break;
        case Database::Kind::Postgres:
            db->openPostgres(store.server.host, store.server.port, store.server.database, store.server.user,
                             store.server.password, store.server.passwordAuthentication, store.server.sslMode,
                             store.server.sslRootCert);
            // A long report is read here, away from the screens, and may take longer than a screen's
            // statement.
            db->setStatementTimeout(0);
            break;
        case Database::Kind::None:
            throw DbError(QStringLiteral("Operation is not allowed when the object is closed."),
                          DbError::Kind::Connection);
        }
        m_db = std::move(db);
        m_store = store;
        return *m_db;
    }

    ReportLoader& m_loader;
    std::unique_ptr<Database> m_db;
    StoreAddress m_store;
};

namespace {
// The loaders of this program, on the main thread.
QList<ReportLoader*>& liveLoaders()
{
    static QList<ReportLoader*> loaders;
    return loaders;
}
} // namespace

void ReportLoader::releaseConnection()
{
    if (!m_worker)
        return;
    const bool wasBusy = m_busy;
    cancel();
    Worker* worker = m_worker;
    QMetaObject::invokeMethod(
        worker, [worker] { worker->release(); }, Qt::BlockingQueuedConnection);
    if (wasBusy && onStopped)
        onStopped();
}

void ReportLoader::releaseAllConnections()
{
    for (ReportLoader* loader : liveLoaders())
        loader->releaseConnection();
}

ReportLoader::ReportLoader(QObject* parent)
    : QObject(parent), m_thread(new QThread), m_worker(new Worker(*this))
{
    liveLoaders().append(this);
    m_thread->setObjectName(QStringLiteral("report loader"));
    m_worker->moveToThread(m_thread);
    m_thread->start();
    // A window still open when the program ends does not leave its thread and connection behind.
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &ReportLoader::stop);
}

ReportLoader::~ReportLoader()
{
    liveLoaders().removeAll(this);
    stop();
}

void ReportLoader::stop()
{
    if (!m_worker)
        return;
    cancel();
    // The connection is closed on the thread that opened it; a run under way stops at its next row.
    Worker* worker = m_worker;
    m_worker = nullptr;
    QMetaObject::invokeMethod(
        worker, [worker] { delete worker; }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

void ReportLoader::start(const StoreAddress& store, const ReportRequest& request)
{
    if (!m_worker)
        return; // the program is ending
    const quint64 run = m_wanted.load() + 1;
    m_wanted.store(run);
    m_busy = true;
    Worker* worker = m_worker;
    QMetaObject::invokeMethod(
        worker, [worker, run, store, request] { worker->run(run, store, request); }, Qt::QueuedConnection);
}

void ReportLoader::cancel()
{
    m_wanted.store(m_wanted.load() + 1); // a run nobody started: every run under way is unwanted
    m_busy = false;
}

void ReportLoader::post(Delivery&& delivery)
{
    QMutexLocker lock(&m_mutex);
    m_pending.push_back(std::move(delivery));
    if (m_deliveryPosted)
        return;
    m_deliveryPosted = true;
    QMetaObject::invokeMethod(
        this, [this] { deliver(); }, Qt::QueuedConnection);
}

void ReportLoader::deliver()
{
    size_t handed = 0;
    for (;;) {
        Delivery d;
        {
            QMutexLocker lock(&m_mutex);
            if (m_pending.empty() || handed >= RowsPerTurn) {
                // What is left goes on the next turn, after the window's own events.
                m_deliveryPosted = !m_pending.empty();
                if (m_deliveryPosted)
                    QMetaObject::invokeMethod(
                        this, [this] { deliver(); }, Qt::QueuedConnection);
                return;
            }
            d = std::move(m_pending.front());
            m_pending.pop_front();
        }
        if (d.run != m_wanted.load())
            continue; // rows of a report the user no longer waits for
        handed += d.rows.size();
        if (!d.rows.empty() && onRows)
            onRows(std::move(d.rows));
        if (d.last && d.run == m_wanted.load()) {
            m_busy = false;
            if (onFinished)
                onFinished(d.summary);
        }
    }
}
