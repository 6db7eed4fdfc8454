#include "display/NewsTicker.h"

#include "core/Database.h"
#include "display/BoardTheme.h"
#include "ui/Twips.h"

void NewsTicker::load(const QString& direction)
{
    m_items.clear();
    ++m_generation;
    try {
        const ResultSet rs = m_db.query(
            QStringLiteral("select * from tblscroll where active='1' and direction=? order by scrollAuto"),
            {direction});
        for (int r = 0; r < rs.size(); ++r) {
            Item item;
            item.text = rs.text(r, QStringLiteral("message"));
            item.font = rs.text(r, QStringLiteral("font"));
            item.size = leadingNumber(rs.text(r, QStringLiteral("size")));
            item.color = colorNumber::toColor(qint64(leadingNumber(rs.text(r, QStringLiteral("color")))));
            item.bold = Database::flag(rs.value(r, QStringLiteral("bold"))) == QLatin1String("1");
            item.italic = Database::flag(rs.value(r, QStringLiteral("italic"))) == QLatin1String("1");
            item.width = m_measure ? m_measure(item) : 0;
            m_items.append(item);
        }
    } catch (const DbError&) {
        // A failing read leaves the band empty until the next run.
    }
}

void NewsTicker::getSnews()
{
    m_templateLeft = m_boardWidth;
    load(QStringLiteral("Left"));
    resetLbl();
}

void NewsTicker::getSnews1()
{
    m_templateLeft = 0;
    load(QStringLiteral("Right"));
    resetLbl1();
}

void NewsTicker::resetLbl()
{
    m_templateLeft = m_boardWidth;
    int left = m_templateLeft;
    int width = 0;
    for (Item& item : m_items) {
        item.left = left + width + Gap;
        left = item.left;
        width = item.width;
    }
}

void NewsTicker::resetLbl1()
{
    m_templateLeft = 0;
    int left = m_templateLeft;
    for (Item& item : m_items) {
        item.left = left - item.width - Gap;
        left = item.left;
    }
}

void NewsTicker::loadEitherSet()
{
    m_phase = Phase::Left;
    getSnews();
    if (!m_items.isEmpty())
        return;
    m_phase = Phase::Right;
    getSnews1();
    if (m_items.isEmpty())
        m_phase = Phase::Left;
}

void NewsTicker::start()
{
    m_rereadIn = 0;
    loadEitherSet();
}

void NewsTicker::move(int twips)
{
    m_templateLeft += twips;
    for (Item& item : m_items)
        item.left += twips;
}

void NewsTicker::stop()
{
    m_items.clear();
    ++m_generation;
    m_phase = Phase::Left;
}

void NewsTicker::tick()
{
    if (m_items.isEmpty()) {
        // Nothing to show: look for messages again now and then, not on every tick.
        if (m_rereadIn > 0) {
            --m_rereadIn;
            return;
        }
        loadEitherSet();
        if (m_items.isEmpty())
            m_rereadIn = EmptyRereadTicks;
        return;
    }
    const Item& last = m_items.last();
    if (m_phase == Phase::Left) {
        if (last.left + last.width > 0) {
            move(-m_speed);
        } else {
            m_phase = Phase::Right;
            getSnews1();
            if (m_items.isEmpty())
                loadEitherSet();
        }
    } else {
        if (last.left >= m_boardWidth) {
            loadEitherSet();
        } else {
            move(m_speed);
        }
    }
}

void NewsTicker::advance(int steps)
{
    while (steps > 0) {
        if (m_items.isEmpty()) {
            if (m_rereadIn > 0) {
                const int wait = qMin(steps, m_rereadIn);
                m_rereadIn -= wait;
                steps -= wait;
            } else {
                tick();
                --steps;
            }
            continue;
        }
        if (m_speed <= 0)
            return; // nothing moves
        const Item& last = m_items.last();
        const int room = m_phase == Phase::Left ? last.left + last.width : m_boardWidth - last.left;
        if (room <= 0) {
            tick(); // the run is over: the other set starts
            --steps;
            continue;
        }
        const int moves = qMin(steps, (room + m_speed - 1) / m_speed);
        move(m_phase == Phase::Left ? -moves * m_speed : moves * m_speed);
        steps -= moves;
    }
}
