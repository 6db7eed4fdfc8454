#include "display/CallNotice.h"

#include <QJsonArray>
#include <QJsonDocument>

std::optional<CallNotice> callOfNotice(const QString& payload)
{
    if (!payload.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const QJsonDocument doc = QJsonDocument::fromJson(payload.toUtf8());
    const QJsonArray a = doc.array();
    // callauto, callstamp, servAuto, tickAuto (keys as texts: a stamp may exceed what a JSON number
    // holds exactly), tickDate, no_abr, displayName, contName, displayNameA, countNameA.
    if (a.size() != 10)
        return std::nullopt;
    const auto key = [&](int i, qint64& to) {
        bool ok = false;
        to = a.at(i).toString().toLongLong(&ok);
        return ok;
    };
    CallNotice n;
    if (!key(0, n.call.callAuto) || !key(1, n.call.stamp) || !key(2, n.call.counter) ||
        !key(3, n.call.ticket))
        return std::nullopt;
    n.day = a.at(4).toString();
    n.call.label = a.at(5).toString();
    n.call.displayName = a.at(6).toString();
    n.call.contName = a.at(7).toString();
    n.call.displayNameA = a.at(8).toString();
    n.call.countNameA = a.at(9).toString();
    return n;
}
