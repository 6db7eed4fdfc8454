#pragma once

#include <QColor>
#include <QDateTime>
#include <initializer_list>

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

    // How far the marked row stands out from the other rows, and its text from it (contrast ratios).
    static constexpr double MarkContrast = 3.0;
    static constexpr double TextContrast = 4.5;

    // The colours of the top row. A marked row's ground is the rows' ground (`odd`, the top row's)
    // tinted with the token colour just enough to stand out by MarkContrast from both kinds of row;
    // where no tint of it does, tinted with white or black instead (and where nothing reaches it, as
    // far as any tint goes). A lit row turns the token colour into its ground.
    static QColor markedGround(const QColor& odd, const QColor& even, const QColor& token);
    // The text colour on a ground: the first of `wanted` that reads on it by TextContrast, otherwise
    // black or white, whichever reads better.
    static QColor textOn(const QColor& ground, std::initializer_list<QColor> wanted);

private:
    QDateTime m_calledAt;
};
