#pragma once

#include <QDate>
#include <QString>

class Database;
class CommandRegistry;

// How well the waiting estimates given at issue came true. A ticket's actual wait is its call time
// less its issue time (attTime − tickTime, the same day); tickets never called, or issued without an
// estimate, are left out. For comparison the same tickets are measured against the fixed guess of
// five minutes for each person ahead, the people ahead being worked out afterwards from the day's
// rows: tokens of the same service and day with a lower number, issued no later, and still waiting
// when the ticket was issued (called after it, or never).
namespace waiting {

struct Accuracy
{
    qint64 tickets = 0;             // called tickets with an estimate
    double medianAbsError = 0;      // minutes
    double shareWithinFive = 0;     // of the tickets, |error| ≤ 5 minutes, 0..1
    double fixedMedianAbsError = 0; // the fixed guess on the same tickets
    double fixedShareWithinFive = 0;
};

// Tickets of the days from..to (both included).
Accuracy measureEstimates(Database& db, const QDate& from, const QDate& to);

// The middle value of the absolute errors (the mean of the two middle ones for an even count); 0 for none.
double medianOf(QList<double> values);

// brivane-ctl report estimates --from D --to D
void registerEstimateReport(CommandRegistry& commands);

} // namespace waiting
