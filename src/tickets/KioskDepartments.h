#pragma once

#include "tickets/Numbering.h"

#include <QList>
#include <QString>
#include <QStringList>

class Clock;
class Database;
class Settings;

// Which departments the full-screen kiosk offers, and what kind of token each of their services
// issues there.
//
// The workstation names them in its settings: the default department (Queue / dept / default) first,
// then the others (Queue / dept / kiosk, names separated by ";"). A kiosk with none named offers every
// Walk-In and Report department of the hall, so a new hall serves without being set up first.
// Appointment and Emergency departments need a person to choose the counter and the time (the
// windowed kiosk's transfer window): the full-screen kiosk offers them only when they are named.
namespace kioskDepartments {

struct Service
{
    qint64 id = 0;
    QString name;
    QString description;
};

struct Department
{
    qint64 id = 0;
    QString name;
    QString kind;            // deptDesc: "Walk-In", "Report", "Appointment", "Emergency"
    QList<Service> services; // active ones, by start number
};

// The department names the workstation's settings give, default first, each once.
QStringList named(Settings& settings);
// The departments named besides the default, as stored.
QStringList others(Settings& settings);
void setOthers(Settings& settings, const QStringList& names);

// The kinds a kiosk offers when no department is named.
bool offeredUnnamed(const QString& kind);

// The departments the kiosk lists, in order, each with its active services; departments without an
// active service are left out. Store failures pass to the caller as DbError.
QList<Department> offered(Database& db, Settings& settings);

// The token a service of a department of that kind is issued as. A walk-in waits in its service's
// queue. A report, appointment or emergency token goes to the counter that serves the service (the
// first active one), an appointment for the time it was taken; where no counter serves the service,
// the token waits in the service's queue as a walk-in, so it is never out of every counter's reach.
numbering::Direction directionFor(Database& db, const Clock& clock, const QString& kind, qint64 serviceId);

} // namespace kioskDepartments
