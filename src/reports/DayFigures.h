#pragma once

#include <QDate>
#include <QString>
#include <QVector>

#include <optional>

class Database;

// The waits of one kind of token on one day. A wait runs from the token's issue to its first call,
// measured from the stored times to the second as the reports measure it; the figures are minutes.
struct KindFigures
{
    QString kind; // "E", "A", "N"; "All" for the whole day
    qint64 tokens = 0;
    qint64 called = 0;
    std::optional<double> averageWaiting;
    std::optional<double> waiting90; // nearest rank, as in the reports
    std::optional<double> longestWaiting;
};

// The kinds a replay compares, in the order they are shown: emergency, appointment, walk-in.
const QStringList& replayedKinds();
// "Emergency", "Appointment", "Walk-in".
QString kindName(const QString& kind);

// The figures of the emergencies, appointments and walk-ins issued that day, then of them all.
// Store failures pass to the caller as DbError.
QVector<KindFigures> dayFigures(Database& db, const QDate& day);
