#pragma once

#include "core/Database.h"
#include "reports/ReportFigures.h"
#include "reports/ReportQuery.h"
#include "ui/GridCells.h"

#include <QMutex>
#include <QObject>

#include <atomic>
#include <deque>
#include <functional>
#include <vector>

class QThread;

// Where a report's own connection goes: the same store as the program's connection.
struct StoreAddress
{
    Database::Kind kind = Database::Kind::None;
    QString sqliteFile;
    ServerLink server;

    static StoreAddress of(const Database& db);
    bool operator==(const StoreAddress& other) const;
};

// How a run ended: the number of rows listed and the sum of their durations (for the average), or
// the store's description of what went wrong.
struct ReportSummary
{
    qint64 rows = 0;
    qint64 durationSum = 0;
    QString error;
    ReportFigures figures;
};

// The grid texts of a listed ticket: key, running number, then the report's columns.
GridRow reportGridRow(const ReportRow& row, qint64 number);

// Runs reports on a thread of its own, with a connection of its own to the store, and hands the
// grid rows to the thread that owns the loader in batches while the query still runs, so that a
// window shows the first rows at once and keeps answering while a long listing comes in. Starting
// a run stops the one under way; none of its rows arrive after that.
class ReportLoader : public QObject
{
    Q_OBJECT

public:
    // Batches of rows, then the summary, are handed to these on the loader's own thread.
    std::function<void(std::vector<GridRow>&& rows)> onRows;
    std::function<void(const ReportSummary& summary)> onFinished;
    // A run under way was stopped by releaseConnection(); its summary never comes.
    std::function<void()> onStopped;

    explicit ReportLoader(QObject* parent = nullptr);
    ~ReportLoader() override;

    void start(const StoreAddress& store, const ReportRequest& request);
    // No more rows of the run under way arrive.
    void cancel();
    // True from start until the summary has been handed over (or the run was cancelled).
    bool busy() const { return m_busy; }
    // Stops the run under way and closes this loader's connection; the next start opens it again.
    void releaseConnection();
    // Every loader of the program gives its connection back (before a restore replaces the store).
    static void releaseAllConnections();

private:
    class Worker;
    struct Delivery
    {
        quint64 run = 0;
        std::vector<GridRow> rows;
        bool last = false;
        ReportSummary summary;
    };

    // Ends the thread and its connection; nothing more runs.
    void stop();
    // Called on the worker thread.
    void post(Delivery&& delivery);
    // Hands over what the worker posted, on the loader's thread.
    void deliver();

    QThread* m_thread;
    Worker* m_worker;
    std::atomic<quint64> m_wanted{0}; // the run whose rows are still wanted
    bool m_busy = false;
    QMutex m_mutex;
    std::deque<Delivery> m_pending;
    bool m_deliveryPosted = false;
};
