#pragma once

#include <QString>
#include <memory>

class QSettings;
class QVariant;

// Per-user settings: text values by application, section and key, all three case-insensitive.
// Kept in an INI file in the user's configuration folder, or in the file BRIVANE_SETTINGS names.
// Every read sees what other programs and workstations wrote to the file until then; every write
// stores that one value at once and leaves the file's other values as they are on disk.
class Settings
{
public:
    explicit Settings(const QString& iniFile = defaultFile());
    ~Settings();

    static QString defaultFile();
    QString fileName() const;

    QString get(const QString& app, const QString& section, const QString& key,
                const QString& defaultValue = QString()) const;
    // The stored text as a number; the default when the key is absent or its text is not a number.
    qint64 getNumber(const QString& app, const QString& section, const QString& key,
                     qint64 defaultValue) const;
    bool contains(const QString& app, const QString& section, const QString& key) const;
    void set(const QString& app, const QString& section, const QString& key, const QString& value);
    void set(const QString& app, const QString& section, const QString& key, qint64 value);

private:
    QVariant fresh(const QString& app, const QString& section, const QString& key) const;
    static QString path(const QString& app, const QString& section, const QString& key);
    std::unique_ptr<QSettings> m_store;
};
