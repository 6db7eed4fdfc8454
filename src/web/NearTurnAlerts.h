#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class Clock;
class Database;

// Decides when the near-turn alerts the visitors asked for fire. A round looks at the alerts still
// waiting, with their tokens, in one query: an alert fires once, when the token's estimated wait is at
// most its lead (the estimate the ticket page shows), or when nobody is ahead any more (at once for
// "next"; for a lead in minutes also when the hall has no estimate: being next is as near as it gets).
// It is marked fired with the estimate and the people ahead at that moment; with a phone number kept,
// its text message becomes due and textDue is told. An alert whose token was called first, or whose
// day is over, will never fire: it is marked moot. Times come from the program clock.
class NearTurnAlerts
{
public:
    NearTurnAlerts(Database& db, const Clock& clock) : m_db(db), m_clock(clock) {}

    // Whether an alert of that lead fires with so many ahead and that estimate (minutes).
    static bool isDue(const QString& lead, qint64 ahead, std::optional<int> minutes);

    // One round; the tokens whose alerts fired or became moot in it. Nothing happens on a hall
    // without the alerts' tables or on a login that may not keep them. Store failures of the
    // connection pass to the caller as DbError.
    QList<qint64> check();

    // Told of each alert whose text message became due (sms 'due'), after it is recorded.
    std::function<void(qint64 ticket)> textDue;

private:
    Database& m_db;
    const Clock& m_clock;
    std::optional<bool> m_available;
};
