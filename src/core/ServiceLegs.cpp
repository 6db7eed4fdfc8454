#include "core/ServiceLegs.h"

namespace serviceLegs {

QString appendCurrentSql()
{
    return QStringLiteral("legs=coalesce(legs,'') || ';' || cast(coalesce(attended,0) as text) || ',' || "
                          "coalesce(attTime,'') || ',' || ?");
}

QVector<Leg> parse(const QString& text)
{
    QVector<Leg> legs;
    if (text.isEmpty())
        return legs;
    for (const QStringView entry : QStringView(text).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QList<QStringView> parts = entry.split(QLatin1Char(','));
        if (parts.size() != 3)
            continue;
        bool ok = false;
        const qint64 counter = parts[0].toLongLong(&ok);
        if (!ok)
            continue;
        legs.append({counter, parts[1].toString(), parts[2].toString()});
    }
    return legs;
}

} // namespace serviceLegs
