#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QWidget;

// Moves the board's running texts once per display frame: each frame reports how many steps have
// passed since the previous one, a step being a 64th of a second, so that texts moving "so many
// twips a step" go at the same speed on any screen while the board is painted at most once a frame.
// (A step is the tick of the timer the speeds were made for: the default of 30 twips a step moves
// 128 pixels a second, which reads well from across a hall.)
class FrameSteps : public QObject
{
    Q_OBJECT

public:
    static constexpr int StepsPerSecond = 64;

    explicit FrameSteps(QWidget* board);

    void start();
    void stop();
    bool isActive() const { return m_timer.isActive(); }
    int frameInterval() const { return m_timer.interval(); }

    // The whole steps due at `elapsedMs` since start(); what is left of a step waits for the next
    // frame.
    int take(qint64 elapsedMs);

Q_SIGNALS:
    void frame(int steps);

private:
    QWidget* m_board;
    QTimer m_timer;
    QElapsedTimer m_elapsed;
    qint64 m_doneSteps = 0;
};

// The scrolling title's position after `steps` steps: it moves left by `speed` twips a step while
// its text is not wholly off the left edge, and then starts again at the box's right edge.
int titleScrollX(int x, int textWidth, int boxWidth, int speed, int steps);
