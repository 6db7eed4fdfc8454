#pragma once

#include <QHash>
#include <QString>

class Settings;

// What a settings screen showed, so that its Save stores only what its user changed there: a value
// another screen, workstation or `brivane-ctl setting` wrote while the screen was open stays as that
// writer left it, and a Save nobody changed anything for writes nothing.
class ShownSettings
{
public:
    explicit ShownSettings(Settings& store) : m_store(store) {}

    // The screen shows this value for the setting (as its Save would store it).
    void shown(const QString& app, const QString& section, const QString& key, const QString& value);
    // Stores the value unless the screen showed (or last stored) exactly that; true when stored.
    // A setting the screen never showed is always stored.
    bool store(const QString& app, const QString& section, const QString& key, const QString& value);
    bool store(const QString& app, const QString& section, const QString& key, qint64 value);

private:
    static QString keyOf(const QString& app, const QString& section, const QString& key);

    Settings& m_store;
    QHash<QString, QString> m_shown;
};
