#pragma once

#include <QColor>
#include <QString>
#include <QVector>
#include <functional>

class Database;

// The news band's messages and where they stand, in twips. The 'Left' messages cross the board from
// right to left, then the 'Right' messages from left to right, and so on; each set is read again from
// tblscroll at the start of its run. When one of the sets is empty the other one runs alone.
class NewsTicker
{
public:
    enum class Phase { Left, Right };

    struct Item
    {
        QString text;
        QString font;
        double size = 0;
        QColor color;
        bool bold = false;
        bool italic = false;
        int left = 0;  // twips from the board's left edge
        int width = 0; // twips
    };

    // Width of an item's text in twips, in its own font.
    using Measure = std::function<int(const Item&)>;

    NewsTicker(Database& db, Measure measure) : m_db(db), m_measure(std::move(measure)) {}

    void setBoardWidth(int twips) { m_boardWidth = twips; }
    void setSpeed(int twips) { m_speed = twips; }

    // Starts with the 'Left' messages just off the right edge ("getSnews").
    void start();
    // Removes every message.
    void stop();
    // One step of the running phase ("Timer4_Timer" / "Timer5_Timer"), a step being a 64th of a second.
    void tick();
    // As many steps at once as the time that has passed holds; the same as `steps` calls of tick().
    void advance(int steps);

    Phase phase() const { return m_phase; }
    int templateLeft() const { return m_templateLeft; }
    const QVector<Item>& items() const { return m_items; }
    // Changes whenever the messages are read again.
    int generation() const { return m_generation; }
    // Clear space between two messages, in twips: an inch, so that one message does not run into
    // the next.
    static constexpr int Gap = 1440;
    // Ticks to wait before an empty set of messages is read again.
    static constexpr int EmptyRereadTicks = 200;

private:
    void getSnews();
    void getSnews1();
    void resetLbl();
    void resetLbl1();
    void load(const QString& direction);
    // The 'Left' messages, or the 'Right' ones when there are no 'Left' ones.
    void loadEitherSet();
    void move(int twips);

    Database& m_db;
    Measure m_measure;
    QVector<Item> m_items;
    Phase m_phase = Phase::Left;
    int m_templateLeft = 0;
    int m_boardWidth = 0;
    int m_speed = 30;
    int m_rereadIn = 0;
    int m_generation = 0;
};
