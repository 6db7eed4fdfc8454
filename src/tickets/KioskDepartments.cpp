#include "tickets/KioskDepartments.h"

#include "core/Database.h"
#include "core/Settings.h"
#include "ui/Clock.h"

namespace kioskDepartments {

namespace {

const QString App = QStringLiteral("Queue");
const QString Section = QStringLiteral("dept");

QString letterOf(const QString& kind)
{
    const QString k = kind.trimmed();
    if (k.compare(QLatin1String("Report"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("R");
    if (k.compare(QLatin1String("Appointment"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("A");
    if (k.compare(QLatin1String("Emergency"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("E");
    return QStringLiteral("N");
}

QList<Service> activeServices(Database& db, qint64 deptId)
{
    QList<Service> services;
    const ResultSet rs =
        db.query(QStringLiteral("select servauto,servName,ServDesc from tblservice where deptAuto=? and "
                                "active='1' order by startno asc"),
                 {deptId});
    for (int r = 0; r < rs.size(); ++r)
        services.append({rs.number(r, 0), rs.text(r, 1), rs.text(r, 2)});
    return services;
}

} // namespace

QStringList others(Settings& settings)
{
    QStringList names;
    for (const QString& name : settings.get(App, Section, QStringLiteral("kiosk")).split(QLatin1Char(';'))) {
        if (!name.trimmed().isEmpty())
            names.append(name.trimmed());
    }
    return names;
}

void setOthers(Settings& settings, const QStringList& names)
{
    settings.set(App, Section, QStringLiteral("kiosk"), names.join(QLatin1Char(';')));
}

QStringList named(Settings& settings)
{
    QStringList names;
    const QString first = settings.get(App, Section, QStringLiteral("default")).trimmed();
    if (!first.isEmpty())
        names.append(first);
    for (const QString& name : others(settings)) {
        if (!names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

bool offeredUnnamed(const QString& kind)
{
    const QString letter = letterOf(kind);
    return letter == QLatin1String("N") || letter == QLatin1String("R");
}

QList<Department> offered(Database& db, Settings& settings)
{
    QList<Department> departments;
    const QStringList names = named(settings);
    if (names.isEmpty()) {
        const ResultSet rs = db.query(QStringLiteral(
            "select deptAuto,deptName,deptDesc from tblDept where active='1' order by deptAuto"));
        for (int r = 0; r < rs.size(); ++r) {
            if (offeredUnnamed(rs.text(r, 2)))
                departments.append({rs.number(r, 0), rs.text(r, 1), rs.text(r, 2), {}});
        }
    } else {
        for (const QString& name : names) {
            const ResultSet rs = db.query(
                QStringLiteral("select deptAuto,deptName,deptDesc from tblDept where deptName=? order by "
                               "deptAuto limit 1"),
                {name});
            if (!rs.isEmpty())
                departments.append({rs.number(0, 0), rs.text(0, 1), rs.text(0, 2), {}});
        }
    }
    QList<Department> serving;
    for (Department& d : departments) {
        d.services = activeServices(db, d.id);
        if (!d.services.isEmpty())
            serving.append(d);
    }
    return serving;
}

numbering::Direction directionFor(Database& db, const Clock& clock, const QString& kind, qint64 serviceId)
{
    numbering::Direction to;
    const QString letter = letterOf(kind);
    if (letter == QLatin1String("N"))
        return to;
    const ResultSet rs = db.query(
        QStringLiteral(
            "select cntAuto from tblcounter where servAuto=? and active='1' order by cntAuto limit 1"),
        {serviceId});
    if (rs.isEmpty())
        return to;
    to.type = letter;
    to.counter = rs.number(0, 0);
    if (letter == QLatin1String("A"))
        to.appTime = clock.time().toString(QStringLiteral("HH:mm"));
    return to;
}

} // namespace kioskDepartments
