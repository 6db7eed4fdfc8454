#pragma once

#include "calling/DayPlan.h"

class Database;

// A past day of the hall, read for a replay. Only reads.
struct DayReading
{
    DayPlan plan;
    qint64 otherKinds = 0;  // report tokens, which are called from a counter's lists
    qint64 untimed = 0;     // tokens without an issue time
    qint64 timedTokens = 0; // tokens whose own service time was known
};

// Every emergency, appointment and walk-in of the day, at its issue time, with the service it had:
// from its first call to its finish, as the reports count it (all its services when it was handed
// on); a token never served gets the average of its service that day (of the whole day when its
// service served nobody). The counters that served that day are open from their first call to
// their last finish. Store failures pass to the caller as DbError.
DayReading readDay(Database& hall, const QDate& day);
