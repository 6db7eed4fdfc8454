#include "core/Settings.h"

#include "core/PrivateFile.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace {

// A value as the text it is. The INI reader takes an unquoted value with commas, as other tools
// write it ("3,5"), for a list of items; those are joined again so that nothing of it is lost.
QString textOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

} // namespace

Settings::Settings(const QString& iniFile)
    : m_store(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

Settings::~Settings() = default;

QString Settings::defaultFile()
{
    const QString fromEnv = qEnvironmentVariable("BRIVANE_SETTINGS");
    if (!fromEnv.isEmpty())
        return fromEnv;
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (dir.isEmpty())
        dir = QDir::homePath() + QStringLiteral("/.config");
    return dir + QStringLiteral("/brivane/settings.ini");
}

QString Settings::fileName() const
{
    return m_store->fileName();
}

QString Settings::path(const QString& app, const QString& section, const QString& key)
{
    // INI groups are case-sensitive; the program's names are not.
    return app.toLower() + QLatin1Char('/') + section.toLower() + QLatin1Char('/') + key.toLower();
}

QVariant Settings::fresh(const QString& app, const QString& section, const QString& key) const
{
    // Other screens' stores, other programs (the announcer, brivane-ctl) and other runs write the same
    // file: take their writes first. Without them the store answers from what it read earlier, and a
    // long-running program would print to a printer that was changed an hour ago. When the file is
    // unchanged this costs one look at its size and time.
    m_store->sync();
    return m_store->value(path(app, section, key));
}

QString Settings::get(const QString& app, const QString& section, const QString& key,
                      const QString& defaultValue) const
{
    const QVariant v = fresh(app, section, key);
    return v.isValid() ? textOf(v) : defaultValue;
}

qint64 Settings::getNumber(const QString& app, const QString& section, const QString& key,
                           qint64 defaultValue) const
{
    const QVariant v = fresh(app, section, key);
    if (!v.isValid())
        return defaultValue;
    bool ok = false;
    const qint64 n = textOf(v).trimmed().toLongLong(&ok);
    return ok ? n : defaultValue;
}

bool Settings::contains(const QString& app, const QString& section, const QString& key) const
{
    return fresh(app, section, key).isValid();
}

void Settings::set(const QString& app, const QString& section, const QString& key, const QString& value)
{
    // The file holds remembered passwords: owner only, before and after the store rewrites it.
    privatefile::keepPrivate(m_store->fileName());
    m_store->setValue(path(app, section, key), value);
    m_store->sync();
    privatefile::keepPrivate(m_store->fileName());
}

void Settings::set(const QString& app, const QString& section, const QString& key, qint64 value)
{
    set(app, section, key, QString::number(value));
}
