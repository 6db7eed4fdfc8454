#pragma once

#include <QColor>
#include <QDateTime>

// The newest call on the board stands out: its row is marked for as long as it is the newest, and
// for a few seconds after the call (or a recall) it flashes, its colours turning over every half
// second. Times come from the program's clock.
class NewestCallMark
{
public:
    static constexpr int FlashMs = 6000;
    static constexpr int BlinkMs = 500;

    enum class Look { Plain, Marked, Lit };

    // A call (or a recall) has just come into the top row.
    void called(const QDateTime& at) { m_calledAt = at; }
    // Whether the row still flashes at `now`.
    bool flashing(const QDateTime& now) const;
    // How the top row looks at `now` when it holds a call: lit in the first half of every blink
    // while it flashes, marked otherwise.
    Look lookAt(const QDateTime& now) const;

    // The colours of the top row: a marked row's ground is tinted with the token colour; a lit row
    // turns the token colour into its ground and its ground into the text.
    static QColor markedGround(const QColor& ground, const QColor& token);

private:
    QDateTime m_calledAt;
};
