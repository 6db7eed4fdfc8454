#pragma once

#include <QString>
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
// callNext and callThis swallow store failures step by step (a failing pick counts as no row);
// setFinish, updateRc, getPending and getLast pass DbError on to the caller.
class CallEngine
{
public:
    CallEngine(Database& db, Settings& settings, Clock& clock, Session& session);

    CounterState state;
    // The state of the screen's "Show Room && Dr. Name" box; consulted when the setting is absent.
    std::function<bool()> showBothBox;
    // Runs between picking a ticket and taking it. Lets a test play a second counter that wins the race.
    std::function<void(qint64 ticketKey)> beforeTake;

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
    // Calls the given ticket of today; kind "Report" writes the callRC1 form. The token served so far
    // gets its finish time once the new one is taken.
    CallResult callThis(qint64 ticketKey, const QString& kind, Take take = Take::Again);
    void callRC();
    void callRC1();
    void updateRc();
    void setFinish();
    void getPending();
    void getLast();

    // The "Total Pending" figure: waiting tickets of the service and those directed to the counter,
    // each counted once.
    int pendingCount();
    bool showBoth() const;

private:
    struct Picked
    {
        qint64 key = 0;
        QString label;
    };
    std::optional<Picked> pickDirected();
    std::optional<Picked> pickWalkIn();
    // Marks the ticket called by this counter, only while it is still waiting. False when another
    // counter took it first.
    bool take(const Picked& ticket);
    void markCalled(const Picked& ticket, bool onlyWaiting, bool* taken);
    bool calledHere(qint64 ticketKey);
    void finish(qint64 ticketKey);
    void insertCallRow(bool alwaysCounterName);

    Database& m_db;
    Settings& m_settings;
    Clock& m_clock;
    Session& m_session;
};
