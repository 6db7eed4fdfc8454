#pragma once

#include <QString>
#include <QVariantList>
#include <functional>
#include <optional>

class Clock;
class Database;
class Settings;
struct Session;

// What a counter shows about its current token: the texts of the counter screen's labels.
struct CounterState
{
    QString lblNo;    // key (tickAuto) of the current ticket as text; empty when there is none
    QString lblToken; // label (no_abr) of the current ticket
    QString Label1;   // "Calling" or "Idle"
    QString lblLast;  // "Last Served : ..."
    QString lblTotal = QStringLiteral("Total Pending");
    qint64 walkInCount = 0; // the walk-in call count shown in Label4

    qint64 currentKey() const { return lblNo.isEmpty() ? 0 : lblNo.toLongLong(); }
};

// Decides which waiting token a counter takes next, marks it called and tells the display boards
// through a tblCall row with status1 "0"; recalls, finishes and counts. Works on the counter values
// of the session (counterId, servingCounterId, serviceId, names) and on `state`.
//
// A call is one unit: the ticket is marked called and its call row written in one transaction, so a
// failure leaves the ticket waiting and reaches the caller as DbError (the counter never says
// "Calling" for a call the boards cannot see). A pick the store refuses counts as no row; a store
// that cannot be reached is passed on. setFinish, updateRc, getPending and getLast pass DbError on.
//
// Which tokens a counter's Next takes, in this order: emergencies directed to it, its due
// appointments, walk-ins transferred to it, then the walk-ins of its service that no counter has been
// given. "Total Pending" and the Pending list count exactly these.
class CallEngine
{
public:
    CallEngine(Database& db, Settings& settings, Clock& clock, Session& session);

    CounterState state;
    // The state of the screen's "Show Room && Dr. Name" box; consulted when the setting is absent.
    std::function<bool()> showBothBox;
    // Runs between picking a ticket and taking it. Lets a test play a second counter that wins the race.
    std::function<void(qint64 ticketKey)> beforeTake;
    // Runs as soon as a call is committed (the ticket marked called and its call row saved), before
    // anything else the press does. Lets the benchmark time a call from its commit.
    std::function<void(qint64 ticketKey)> afterTake;

    // How callThis takes its ticket.
    enum class Take {
        Again,       // whatever its state: a re-call from the Attended or Cancelled list
        OnlyWaiting, // only while no counter has called it: a token from the Pending or Transfered list
    };
    enum class CallResult {
        Called,
        NotFound,      // no ticket of today has that key; "Idle", the current token unchanged
        CalledByOther, // another counter called the waiting token first; nothing changed
    };

    void callNext();
    // Calls a ticket another pick chose (the call desk's), only while it is still waiting. False when
    // another counter took it first.
    bool callPicked(qint64 ticketKey, const QString& label);
    // Calls the given ticket of today; kind "Report" writes the callRC1 form. The token served so far
    // gets its finish time once the new one is taken.
    CallResult callThis(qint64 ticketKey, const QString& kind, Take take = Take::Again);
    void callRC();
    void callRC1();
    // Recall: the boards take and show the current token again. A token that has no call row (its
    // call was never shown) gets one.
    void updateRc();
    void setFinish();
    // The operator is done with the current token: its finish time is stamped and the counter is
    // idle. False when there is no current token.
    bool finishCurrent();
    // The current token goes to the target counter's queue: finished here, waiting there, and this
    // counter is idle. False when it is no longer this counter's called token.
    bool transferCurrent(qint64 targetCounterId, const QString& note);
    void getPending();
    void getLast();

    // A visitor who does not come: after enough recalls of the current token (the setting
    // ("queue", "notarrived", "recalls"), default 2), the counter marks it "NotArrived" (counted apart
    // from cancellations) and is idle; the next Next goes on. Taken back later from the counter's list
    // of them, as a cancelled token is: callThis(key, "", Take::Again).
    enum class NotArrivedResult {
        Marked,
        NoToken,       // nothing is being served
        TooFewRecalls, // the token has not been recalled often enough yet
        NotServedHere, // it is no longer this counter's called token (cancelled, sent on, taken back)
    };
    NotArrivedResult markNotArrived();
    // How often the current token's latest call was made again; 0 without a token or a call.
    int recallsOfCurrent();
    // The recalls a token needs before it may be marked as not arrived.
    int recallsBeforeNotArrived() const;

    // The "Total Pending" figure: the tokens this counter's Next can take now.
    int pendingCount();
    // The condition (on tblticket, with call='0' and the day bound first) that selects the tokens
    // this counter's Next can take; its values follow the day.
    static QString takeableCondition();
    QVariantList takeableValues() const;
    // The clock's minute as "HH:mm": appointments of that minute and earlier are due.
    QString dueMinute() const;
    bool showBoth() const;

private:
    struct Picked
    {
        qint64 key = 0;
        QString label;
    };
    std::optional<Picked> pickDirected();
    std::optional<Picked> pickWalkIn();
    std::optional<Picked> pickOne(const QString& sql, const QVariantList& values);
    // Marks the ticket called by this counter and writes its call row, in one transaction; when
    // onlyWaiting, only while it is still waiting. False when another counter took it first (nothing
    // changed). A failure of either write changes nothing and is passed on.
    bool take(const Picked& ticket, bool onlyWaiting, bool alwaysCounterName);
    void finish(qint64 ticketKey);
    // Inserts the call row of the ticket and returns its key.
    qint64 insertCallRow(qint64 ticketKey, const QString& label, bool alwaysCounterName);

    Database& m_db;
    Settings& m_settings;
    Clock& m_clock;
    Session& m_session;
};
