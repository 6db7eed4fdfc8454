#pragma once

#include "calling/DayPlan.h"
#include "core/Database.h"
#include "ui/Clock.h"

#include <QTemporaryDir>
#include <memory>

class Settings;

// What became of a token in a replay.
struct ReplayedToken
{
    qint64 key = 0;     // the ticket's key (the same in the hall and in the replay)
    int called = -1;    // second of the day it was called; -1: never
    qint64 counter = 0; // the counter that called it
    int finished = -1;  // second its service ended
};

// Plays a day through the call engine, on a hall of its own made for the run (an SQLite database in
// memory): each token is issued at its time, and a counter that is open and free presses Next as
// soon as a token it can take is waiting; the token it calls keeps it busy for the token's service
// time, then it presses Next again. Time is the replay's own clock, so the same plan always gives the
// same calls.
class DayReplay
{
public:
    DayReplay();
    ~DayReplay();

    // Runs the plan; one entry per token of the plan, in its order. Store failures (of the replay's
    // own hall) pass to the caller as DbError.
    QVector<ReplayedToken> run(const DayPlan& plan);
    // The replay's hall after the run: its tickets carry the replayed times.
    Database& hall() { return m_hall; }

private:
    void makeHall(const DayPlan& plan);

    QTemporaryDir m_dir; // the replay's own settings file
    std::unique_ptr<Settings> m_settings;
    Database m_hall;
    ManualClock m_clock;
};
