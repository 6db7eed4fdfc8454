#pragma once

#include <QHash>
#include <QString>
#include <functional>

// Recordings of counter names that hold no digit ("Pharmacy"), made with the same synthesizer the
// shipped recordings come from (espeak-ng) in the voice of each language folder, the first time an
// announcement needs them, and kept in a cache folder for every later call.
class NameRecordings
{
public:
    // cacheDir: where the recordings are kept (<cacheDir>/<language>/...wav). warn hears about a
    // synthesizer that is missing or fails (once per reason).
    NameRecordings(QString installDir, QString cacheDir, std::function<void(const QString&)> warn = {});

    // The recording of text spoken in the language folder's voice: its absolute path, made now when
    // it is not in the cache yet; "" when text is empty or no recording can be made.
    QString recording(const QString& language, const QString& text);

    // The synthesizer's voice for a language folder: the first line of <folder>/voice when the folder
    // has one, else "en" for english and "hi" for hindi, else the folder's own name.
    QString voiceOf(const QString& language) const;

    // The file a recording is (or would be) kept in.
    QString cachedPath(const QString& language, const QString& text) const;

    // The synthesizer program ("espeak-ng" on the search path unless set).
    void setProgram(QString program) { m_program = std::move(program); }
    int made() const { return m_made; }

    // The default cache folder of this user.
    static QString defaultCacheDir();

private:
    QString m_installDir;
    QString m_cacheDir;
    std::function<void(const QString&)> m_warn;
    QString m_program = QStringLiteral("espeak-ng");
    QHash<QString, QString> m_failed; // file -> reason already told
    int m_made = 0;
};
