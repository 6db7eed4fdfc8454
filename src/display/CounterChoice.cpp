#include "display/CounterChoice.h"

#include "core/Settings.h"

namespace counterChoice {

QStringList load(const Settings& settings, qint64 themeId)
{
    const QString list =
        settings.get(QStringLiteral("Q"), QStringLiteral("CounterList"), QString::number(themeId));
    return list.isEmpty() ? QStringList() : list.split(QLatin1Char(','));
}

void save(Settings& settings, qint64 themeId, const QStringList& counterKeys)
{
    settings.set(QStringLiteral("Q"), QStringLiteral("CounterList"), QString::number(themeId),
                 counterKeys.join(QLatin1Char(',')));
}

} // namespace counterChoice
