#include "core/ServiceTarget.h"

#include "core/Database.h"

#include <algorithm>

ServiceTarget::ServiceTarget(int sharePercent, int waitMinutes)
    : m_share(std::clamp(sharePercent, 0, 100)), m_wait(std::max(waitMinutes, 0))
{
}

ServiceTarget ServiceTarget::read(Database& db, qint64 serviceId)
{
    const ResultSet rs = db.query(
        QStringLiteral("select targetpct, targetwait from tblService where servAuto=?"), {serviceId});
    if (rs.isEmpty())
        return {};
    return {int(rs.number(0, 0)), int(rs.number(0, 1))};
}

QHash<qint64, ServiceTarget> ServiceTarget::readAll(Database& db)
{
    const ResultSet rs = db.query(QStringLiteral(
        "select servAuto, targetpct, targetwait from tblService where targetpct > 0 and targetwait > 0"));
    QHash<qint64, ServiceTarget> all;
    for (int i = 0; i < rs.size(); ++i)
        all.insert(rs.number(i, 0), {int(rs.number(i, 1)), int(rs.number(i, 2))});
    return all;
}

bool ServiceTarget::met(qint64 waitSeconds) const
{
    return isSet() && waitSeconds <= this->waitSeconds();
}

void TargetShare::add(qint64 waitSeconds)
{
    ++m_counted;
    if (m_target.met(waitSeconds))
        ++m_within;
}

std::optional<double> TargetShare::percent() const
{
    if (!m_target.isSet() || m_counted == 0)
        return std::nullopt;
    return 100.0 * m_within / m_counted;
}
