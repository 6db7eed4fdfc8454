#include "core/ShownSettings.h"

#include "core/Settings.h"

QString ShownSettings::keyOf(const QString& app, const QString& section, const QString& key)
{
    // The store's names are case-insensitive.
    return app.toLower() + QLatin1Char('/') + section.toLower() + QLatin1Char('/') + key.toLower();
}

void ShownSettings::shown(const QString& app, const QString& section, const QString& key,
                          const QString& value)
{
    m_shown.insert(keyOf(app, section, key), value);
}

bool ShownSettings::store(const QString& app, const QString& section, const QString& key,
                          const QString& value)
{
    const QString name = keyOf(app, section, key);
    const auto was = m_shown.constFind(name);
    if (was != m_shown.constEnd() && *was == value)
        return false;
    m_store.set(app, section, key, value);
    m_shown.insert(name, value);
    return true;
}

bool ShownSettings::store(const QString& app, const QString& section, const QString& key, qint64 value)
{
    return store(app, section, key, QString::number(value));
}
