#include "display/NewestCallMark.h"

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

QColor NewestCallMark::markedGround(const QColor& ground, const QColor& token)
{
    const auto mix = [](int a, int b) { return (a * 3 + b) / 4; };
    return QColor(mix(ground.red(), token.red()), mix(ground.green(), token.green()),
                  mix(ground.blue(), token.blue()));
}
