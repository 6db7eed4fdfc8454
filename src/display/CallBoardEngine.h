#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVector>
#include <functional>

class Clock;
class Database;
struct Session;

// The texts of the board's call table. Row 0 is the header, rows 1 .. rows()-1 hold calls with the
// newest in row 1; column 0 is the hidden key column, column 1 the token label, column 2 the counter
// caption, column 3 the caption in the second language. The two caption columns may be shown
// swapped (see columnShownAt); the texts themselves always stay in their own column.
class BoardTable
{
public:
    void reset(int rows, int cols);
    int rows() const { return int(m_cells.size()); }
    int cols() const { return m_cols; }
    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);

    // Every call row one down; the last row's texts are lost, row 1 keeps its texts until it is
    // overwritten.
    void moveDown1();

    // Whether the caption columns trade places (only a table with both caption columns can).
    bool canSwap() const { return m_cols > 3; }
    bool swapped() const { return m_swapped; }
    void toggleSwap();
    // The column whose texts appear at grid position col.
    int columnShownAt(int col) const;

private:
    QVector<QStringList> m_cells;
    int m_cols = 0;
    bool m_swapped = false;
};

// One call row as the board reads it.
struct CallRow
{
    qint64 callAuto = 0;
    qint64 counter = 0;
    qint64 ticket = 0;
    QString label;
    QString displayName;
    QString contName;
    QString displayNameA;
    QString countNameA;
    int boardRows = 0; // told to the announcer: the rows of the board's call table
};

// Told of every call a board shows, in the order it shows them (the hall announcer listens here).
// The board calls it from its poll, so an implementation must return at once.
class ShownCallSink
{
public:
    virtual ~ShownCallSink() = default;
    virtual void callShown(const CallRow& call) = 0;
};

// The display board's work without any widget: the first fill, the poll that takes one new call per
// tick and the push-down. A call is taken with a conditional update on status1, so two boards never
// both take the same call. When the database goes away the table stays as it is, the engine keeps
// ticking and reconnects through the hook it was given.
class CallBoardEngine
{
public:
    CallBoardEngine(Database& db, const Session& session, const Clock& clock, BoardTable& table);

    // Tries to bring the connection back; true when it answers again.
    void setReconnect(std::function<bool()> reconnect) { m_reconnect = std::move(reconnect); }
    // Told of every call this engine takes.
    void setTakenHandler(std::function<void(const CallRow&)> handler) { m_taken = std::move(handler); }
    // Told of every call this engine shows, after the table shows it; none by default.
    void setShownCallSink(ShownCallSink* sink) { m_shown = sink; }
    // The sink engines made from now on start with: the program's link to its announcer.
    static void setDefaultShownCallSink(ShownCallSink* sink);

    // Fills the table with today's latest calls, newest first, and marks them taken ("addFirst").
    // Returns false when the store failed; what was filled so far stays.
    bool addFirst();
    // One poll ("Timer1_Timer"): takes at most one new call. Returns true when the table changed.
    bool Timer1_Timer();
    void moveDown1() { m_table.moveDown1(); }
    // The caption columns trade places ("Timer10_Timer"); nothing happens with one caption column.
    void Timer10_Timer() { m_table.toggleSwap(); }

    // Writes the call into row `row`: label and blank, captions with their second lines.
    void writeCall(int row, const CallRow& call);

    bool connectionLost() const { return m_lost; }
    // Ticks between two attempts to reconnect.
    static constexpr int RetryTicks = 200;

private:
    bool poll();
    void lose();
    QString filterClause() const;

    Database& m_db;
    const Clock& m_clock;
    BoardTable& m_table;
    QVariantList m_counterKeys; // empty: every counter
    bool m_noCounters = false;
    std::function<bool()> m_reconnect;
    std::function<void(const CallRow&)> m_taken;
    ShownCallSink* m_shown = nullptr;
    bool m_lost = false;
    int m_retryIn = 0;
};

// The counter keys of a display filter ("and(servAuto=3 or servAuto=5)" gives 3 and 5, "and 1=1"
// none). ok is false when the text is neither form.
QVector<qint64> counterKeysOfFilter(const QString& filter, bool* ok = nullptr);
