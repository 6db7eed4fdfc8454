#pragma once

#include <QSet>
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
    // When the call was made or last recalled, in the order of the store (0 for calls written
    // before stamps existed). Two showings of one call differ in their stamp.
    qint64 stamp = 0;
    int boardRows = 0; // told to the announcer: the rows of the board's call table
    QString language;  // told to the announcer: the visitor's language of the ticket ("" when none)
    QString screen;    // told to the announcer: the board whose receipts record what it speaks
};

// Told of every call a board shows, in the order it shows them (the hall announcer listens here).
// The board calls it from its poll, so an implementation must return at once.
class ShownCallSink
{
public:
    virtual ~ShownCallSink() = default;
    virtual void callShown(const CallRow& call) = 0;
};

// The display board's work without any widget: the first fill, the reads of new calls and the
// push-down. It works in one of two modes:
//
// - Take (the usual board): a call is taken with a conditional update of status1 from "0" to "1", so
//   two such boards never both take the same call; a recall (status1 back to "0") is taken again.
//   Timer1_Timer takes at most one call (the 10 ms poll of a board on SQLite); readNew takes every
//   waiting call at once (a board woken by the server's notification).
// - Follow (a "mirror", and the web board): the board shows every call of its counter filter and
//   every recall, in the order they were made, and writes nothing: calls are followed by their key
//   and stamp (tblCall.callstamp, set by the store's trigger on each call and each recall), so any
//   number of followers and one taking board can show the same calls. A call a notification carries
//   is shown without a read. After a lost connection the next read catches up on everything made
//   meanwhile; none is shown twice.
//
// When the database goes away the table stays as it is and the engine reconnects through the hook it
// was given. Who reads when is decided by CallWakeup.
class CallBoardEngine
{
public:
    enum class Mode { Take, Follow };

    CallBoardEngine(Database& db, const Session& session, const Clock& clock, BoardTable& table,
                    Mode mode = Mode::Take);

    Mode mode() const { return m_mode; }

    // Tries to bring the connection back; true when it answers again.
    void setReconnect(std::function<bool()> reconnect) { m_reconnect = std::move(reconnect); }
    // Told of every call this engine takes (Take mode only).
    void setTakenHandler(std::function<void(const CallRow&)> handler) { m_taken = std::move(handler); }
    // Told of every call the table shows, in both modes, after the table shows it (also recalls;
    // not the calls of the first fill).
    void setShownHandler(std::function<void(const CallRow&)> handler) { m_shownHandler = std::move(handler); }
    // The announcer: told of the calls this board speaks, after the table shows them; the program's
    // default sink when none is set.
    void setShownCallSink(ShownCallSink* sink) { m_shown = sink; }
    // Records the receipt of every call the table shows, in both modes (also the calls a taking board
    // takes at its first fill, not the older ones it fills in); `screen` is the board's name, which
    // its announcer's receipts follow.
    void setReceiptSink(ShownCallSink* sink, const QString& screen)
    {
        m_receipts = sink;
        m_receiptScreen = screen;
    }
    // The sink engines made from now on start with: the program's link to its announcer.
    static void setDefaultShownCallSink(ShownCallSink* sink);
    // Whether this board speaks the calls it shows. Each call is spoken once per hall: by default a
    // taking board speaks what it takes and a follower speaks nothing; a follower named by the
    // settings as the hall's speaker speaks every call it shows.
    void setAnnounces(bool announces) { m_announces = announces; }
    bool announces() const { return m_announces; }

    // Fills the table with today's latest calls, newest first ("addFirst"). A taking board marks them
    // taken; a follower marks nothing and follows on from here. Returns false when the store failed;
    // what was filled so far stays.
    bool addFirst();
    // One poll ("Timer1_Timer"): a taking board takes at most one new call, a follower shows what is
    // new. Returns true when the table changed.
    bool Timer1_Timer();
    // Reads everything new since the last read: every waiting call (Take) or every call and recall
    // made since (Follow). Returns true when the table changed; lastReadOk says whether the store
    // answered.
    bool readNew();
    bool lastReadOk() const { return m_lastReadOk; }
    // A call the server announced with its texts (a notification's payload, see CallNotice, sent by
    // the server session `sender`): passed when it is not for this board (another counter, another
    // day); a follower shows it without a read unless it has shown it already. Read: the payload
    // carries no call, the board takes calls (a read takes them side by side with other boards), has
    // not opened yet or lost the store; the caller reads.
    // Any login may send a notification, so a follower shows a call from one only when its sender
    // may write calls (Database::callSenderTrust); one from any other login is passed and counted,
    // one whose session has already ended is read (a read finds only calls that were made).
    enum class Notice { Read, Passed, Shown };
    Notice notified(const QString& payload, int sender);
    // Notifications passed because their sender may not announce calls (made-up calls).
    quint64 refusedNotices() const { return m_refusedNotices; }
    // Showings a follower keeps as seen (at most MostSeen come from notifications).
    int seenCount() const { return int(m_seen.size()); }
    void moveDown1() { m_table.moveDown1(); }
    // The caption columns trade places ("Timer10_Timer"); nothing happens with one caption column.
    void Timer10_Timer() { m_table.toggleSwap(); }

    // Writes the call into row `row`: label and blank, captions with their second lines.
    void writeCall(int row, const CallRow& call);

    bool connectionLost() const { return m_lost; }
    // Ticks of Timer1_Timer between two attempts to reconnect (readNew tries at each call).
    static constexpr int RetryTicks = 200;
    // Calls readNew takes at most in one go.
    static constexpr int MostPerRead = 200;
    // Showings at or above the horizon a follower keeps as seen at most; past it, notifications are
    // read instead (a read moves the horizon on and forgets what lies below it).
    static constexpr int MostSeen = 4096;

private:
    bool poll();
    bool follow();
    bool forThisBoard(qint64 counter) const;
    bool addFirstFollowing();
    bool reconnectIfLost(bool everyCall);
    void show(const CallRow& call);
    void lose();
    QString filterClause() const;
    QString horizonSource() const;

    Database& m_db;
    const Clock& m_clock;
    BoardTable& m_table;
    Mode m_mode;
    QVariantList m_counterKeys; // empty: every counter
    bool m_noCounters = false;
    std::function<bool()> m_reconnect;
    std::function<void(const CallRow&)> m_taken;
    std::function<void(const CallRow&)> m_shownHandler;
    ShownCallSink* m_shown = nullptr;
    ShownCallSink* m_receipts = nullptr;
    QString m_receiptScreen;
    bool m_announces = true;
    bool m_lost = false;
    bool m_lastReadOk = true;
    int m_retryIn = 0;
    // Follow: every call stamped below the horizon has been seen; those at or above it that were
    // seen already are in m_seen (call key, stamp).
    bool m_following = false;
    qint64 m_horizon = 0;
    QSet<QPair<qint64, qint64>> m_seen;
    quint64 m_refusedNotices = 0;
};

// The counter keys of a display filter ("and(servAuto=3 or servAuto=5)" gives 3 and 5, "and 1=1"
// none). ok is false when the text is neither form.
QVector<qint64> counterKeysOfFilter(const QString& filter, bool* ok = nullptr);
