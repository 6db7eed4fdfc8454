#include "display/media/FrameSteps.h"

#include <QScreen>
#include <QWidget>
#include <cmath>

FrameSteps::FrameSteps(QWidget* board) : QObject(board), m_board(board)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        const int steps = take(m_elapsed.elapsed());
        if (steps > 0)
            Q_EMIT frame(steps);
    });
}

void FrameSteps::start()
{
    double rate = 60;
    if (QScreen* screen = m_board ? m_board->screen() : nullptr)
        rate = screen->refreshRate();
    if (!(rate >= 10 && rate <= 240))
        rate = 60;
    m_timer.setInterval(int(std::lround(1000.0 / rate)));
    m_doneSteps = 0;
    m_elapsed.start();
    m_timer.start();
}

void FrameSteps::stop()
{
    m_timer.stop();
}

int FrameSteps::take(qint64 elapsedMs)
{
    // After a long stall (the machine suspended) the texts go on from where they were.
    constexpr qint64 MaxCatchUpSteps = 2 * StepsPerSecond;
    const qint64 due = elapsedMs * StepsPerSecond / 1000;
    if (due - m_doneSteps > MaxCatchUpSteps)
        m_doneSteps = due - MaxCatchUpSteps;
    const qint64 steps = due - m_doneSteps;
    if (steps <= 0)
        return 0;
    m_doneSteps = due;
    return int(steps);
}

int titleScrollX(int x, int textWidth, int boxWidth, int speed, int steps)
{
    while (steps > 0) {
        if (x > -textWidth && speed > 0) {
            const int moves = qMin(steps, (x + textWidth + speed - 1) / speed);
            x -= moves * speed;
            steps -= moves;
        } else if (speed <= 0) {
            return x;
        } else {
            x = boxWidth;
            --steps;
        }
    }
    return x;
}
