#include "display/NewestCallMark.h"

#include "display/BoardDrawing.h"

bool NewestCallMark::flashing(const QDateTime& now) const
{
    if (!m_calledAt.isValid())
        return false;
    const qint64 ms = m_calledAt.msecsTo(now);
    return ms >= 0 && ms < FlashMs;
}

NewestCallMark::Look NewestCallMark::lookAt(const QDateTime& now) const
{
    if (!flashing(now))
        return Look::Marked;
    const qint64 ms = m_calledAt.msecsTo(now);
    return (ms / BlinkMs) % 2 == 0 ? Look::Lit : Look::Marked;
}

namespace {

QColor mixed(const QColor& from, const QColor& to, int step, int steps)
{
    const auto mix = [&](int a, int b) { return (a * (steps - step) + b * step + steps / 2) / steps; };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue()));
}

} // namespace

QColor NewestCallMark::markedGround(const QColor& odd, const QColor& even, const QColor& token)
{
    using boardDrawing::contrastRatio;
    const auto standsOut = [&](const QColor& c) {
        return qMin(contrastRatio(c, odd), contrastRatio(c, even));
    };
    constexpr int Steps = 40;
    QColor best = token;
    double bestRatio = standsOut(token);
    for (const QColor& toward : {token, QColor(Qt::white), QColor(Qt::black)}) {
        // The first step keeps the row near its own ground; each further one tints it more.
        for (int step = Steps / 4; step <= Steps; ++step) {
            const QColor c = mixed(odd, toward, step, Steps);
            const double ratio = standsOut(c);
            if (ratio >= MarkContrast)
                return c;
            if (ratio > bestRatio) {
                best = c;
                bestRatio = ratio;
            }
        }
    }
    return best;
}

QColor NewestCallMark::textOn(const QColor& ground, std::initializer_list<QColor> wanted)
{
    for (const QColor& c : wanted) {
        if (c.isValid() && boardDrawing::contrastRatio(c, ground) >= TextContrast)
            return c;
    }
    return boardDrawing::readableOn(QColor(), ground, TextContrast);
}
