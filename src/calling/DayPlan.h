#pragma once

#include <QDate>
#include <QString>
#include <QVector>

// A day of a hall as a replay takes it: its departments, services and counters, and each token with
// the moment it was issued and how long it was served. Times are seconds since midnight.
struct DayPlan
{
    static constexpr int LastSecond = 24 * 3600 - 1;

    struct Department
    {
        qint64 key = 0;
        QString name;
    };
    struct Service
    {
        qint64 key = 0;
        qint64 department = 0;
        QString name;
        QString prefix;
        int capMinutes = 0; // how long a walk-in may be held back; 0: no cap
    };
    struct Counter
    {
        qint64 key = 0;
        qint64 service = 0;
        QString name;
        QString displayName;
        // Calls tokens from `opens` until `closes` (its last finish), when it calls nobody new; -1:
        // closed all day.
        int opens = -1;
        int closes = -1;
        bool isOpen() const { return opens >= 0 && closes >= opens; }
    };
    struct Token
    {
        qint64 key = 0; // the ticket's key in the hall
        qint64 service = 0;
        QString kind; // "E", "A" or "N"
        int number = 0;
        QString label;
        int issued = 0;
        QString appTime;       // "HH:mm" for an appointment
        qint64 directedTo = 0; // the counter it waits for; 0: its service's queue
        int serviceSeconds = 0;
    };

    QDate day;
    QVector<Department> departments;
    QVector<Service> services;
    QVector<Counter> counters; // every counter of the hall; those that worked that day are open
    QVector<Token> tokens;     // in the order they were issued

    int openCounters() const;
    // Every service's walk-in cap set to `minutes` (0: none).
    void capEveryService(int minutes);
    // Replaces the counters by `perService` counters for each service, open all day. A token directed
    // to a counter goes to the new counter of that counter's service at the same place among them.
    void staffEachService(int perService);
};
