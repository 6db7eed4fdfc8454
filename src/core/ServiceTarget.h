#pragma once

#include <QHash>
#include <QtGlobal>
#include <optional>

class Database;

// A service's service-level target: "80 % within 10 minutes" is a share of 80 and a wait of 10. Kept in
// tblService (targetpct, targetwait); a share or a wait of 0 means the service has no target.
class ServiceTarget
{
public:
    ServiceTarget() = default;
    ServiceTarget(int sharePercent, int waitMinutes);

    // The target of one service; none when the service is unknown or has none. Store failures pass to
    // the caller as DbError.
    static ServiceTarget read(Database& db, qint64 serviceId);
    // Every service's target that has one, by service key, in one statement.
    static QHash<qint64, ServiceTarget> readAll(Database& db);

    bool isSet() const { return m_share > 0 && m_wait > 0; }
    int sharePercent() const { return m_share; }
    int waitMinutes() const { return m_wait; }
    qint64 waitSeconds() const { return qint64(m_wait) * 60; }

    // A token that waited this long was called within the target: up to and including the target's wait.
    // False when there is no target.
    bool met(qint64 waitSeconds) const;
    // True when the share of tokens called within the wait reaches the target's share.
    bool kept(double sharePercent) const { return isSet() && sharePercent >= m_share; }

    bool operator==(const ServiceTarget& o) const = default;

private:
    int m_share = 0;
    int m_wait = 0;
};

// Counts waits against a target: the share of them that met it, in percent.
class TargetShare
{
public:
    explicit TargetShare(ServiceTarget target) : m_target(target) {}

    void add(qint64 waitSeconds);
    int counted() const { return m_counted; }
    int within() const { return m_within; }
    // The share within the target, 0–100; nullopt when nothing was counted or the service has no target.
    std::optional<double> percent() const;

private:
    ServiceTarget m_target;
    int m_counted = 0;
    int m_within = 0;
};
