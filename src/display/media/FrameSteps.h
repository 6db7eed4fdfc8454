#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QWidget;

// Moves the board's running texts once per display frame instead of on a 5 ms timer: each frame
// reports how many 5 ms steps have passed since the previous one, so the texts go as fast as they
// always did ("so many twips every 5 ms") while the board is painted at most once a frame.
class FrameSteps : public QObject
{
    Q_OBJECT

public:
    static constexpr int StepMs = 5;

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
    qint64 m_doneMs = 0;
};

// The scrolling title's position after `steps` steps: it moves left by `speed` twips a step while
// its text is not wholly off the left edge, and then starts again at the box's right edge.
int titleScrollX(int x, int textWidth, int boxWidth, int speed, int steps);
