#include "core/Database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <atomic>

// A commit whose answer the broken connection never brought back: the change is looked for on a new
// connection before anyone is told it was made, or that it was not.

namespace {

std::atomic<int> settleWaitMs{10000};
// Between two looks while the server is away.
constexpr int settleStepMs = 100;

} // namespace

void Database::setSettleWait(int milliseconds)
{
    settleWaitMs = qMax(0, milliseconds);
}

bool Database::settleOutcome(const std::function<bool()>& saved)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        try {
            return saved();
        } catch (const DbError& e) {
            if (!e.isConnectionFailure() || waited.elapsed() >= settleWaitMs.load())
                throw DbError(DbError::outcomeUnknownText(), DbError::Kind::OutcomeUnknown);
        }
        // The server restarting: its window repaints and its clocks go on meanwhile, input waits.
        const bool windowThread = QCoreApplication::instance() &&
                                  QThread::currentThread() == QCoreApplication::instance()->thread();
        QElapsedTimer step;
        step.start();
        while (step.elapsed() < settleStepMs) {
            if (windowThread)
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, settleStepMs);
            QThread::msleep(10);
        }
    }
}
