#pragma once

#include "calling/CallEngine.h"
#include "core/Session.h"

#include <QString>
#include <functional>

class Clock;
class Database;
class Settings;

// The counter an administrator's call desk calls for.
struct DeskCounter
{
    qint64 key = 0;     // cntAuto
    qint64 service = 0; // servAuto of the counter
    QString name;       // contName
    QString displayName;
    QString nameA;
    QString displayNameA;
};

// The counter whose names the display boards show for the desk's calls ("My Counter").
struct MyCounter
{
    QString displayName;
    QString displayNameA;
    QString name;
    QString nameA;

    bool isSet() const { return !displayName.isEmpty(); }
};

// The call engine of the administrator call desk. Unlike a counter, the desk takes the lowest
// waiting number of its counter's service, whatever its type, unless it was handed to another
// counter, and may show another counter's names on the display boards. Each desk keeps its own counter,
// so several open desks never act on each other's counter.
class CallDesk
{
public:
    CallDesk(Database& db, Settings& settings, Clock& clock);

private:
    Session m_session; // the counter values the engine works with

public:
    // Holds the current token (lblNo, lblToken, Label1, lblLast, lblTotal).
    CallEngine engine;
    DeskCounter counter;
    MyCounter my;
    // Runs between picking a ticket and taking it; lets a test play a counter that wins the race.
    std::function<void(qint64 ticketKey)> beforeTake;

    CounterState& state() { return engine.state; }
    bool hasCounter() const { return counter.key != 0; }

    // Loads the counter of that name. False (and the counter kept as it was) when there is none.
    bool getDetails(const QString& counterName);
    // Sets the My Counter names from the counter with that display name; empty or unknown clears them.
    void chooseMyCounter(const QString& displayName);

    // Calls the lowest waiting number of the service, or sets "Idle". A store failure is passed on
    // and calls nothing (see CallEngine); once a call is stored, a failing count is ignored.
    void callNext();
    // Calls the given ticket of today (see CallEngine::callThis).
    CallEngine::CallResult callThis(qint64 ticketKey, CallEngine::Take take = CallEngine::Take::Again);
    // What the desk's Next can take: waiting tokens of the service not handed to another counter.
    void getPending();
    int pendingCount();
    static QString takeableCondition();
    QVariantList takeableValues() const;
    // The counter's last called token of today becomes current; with none there is no current token.
    void getLast();
    void updateRc();
    void setFinish();
    // Stamps the finish time of the current token and leaves the desk idle. False when there is none.
    bool finishCurrent();
    // Cancels the current token. False when there is none.
    bool cancelCurrent();

private:
    // Hands the engine the desk's counter, with the My Counter names when one is chosen.
    void syncEngine();

    Database& m_db;
    Clock& m_clock;
};
