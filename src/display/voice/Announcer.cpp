#include "display/voice/Announcer.h"

#include "display/voice/vs.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

void PrintingPlayer::play(const vs::CallAnnouncement& announcement, std::function<void()> done)
{
    m_out << vs::printLine(announcement) << Qt::endl;
    done();
}

Announcer::Announcer(RecordingPlayer& player, QString installDir,
                     std::function<vs::AnnouncerSettings()> settings)
    : m_player(player), m_installDir(std::move(installDir)), m_settings(std::move(settings))
{
}

void Announcer::announce(const announcer::ShownCall& call)
{
    const vs::AnnouncerSettings settings = m_settings();
    if (settings.choice == vs::AnnounceChoice::Off)
        return;
    checkFolders(settings);
    m_queue.push_back(
        vs::announceCall(call.tokenLabel, vs::counterLabel(call.caption, call.secondLine), settings));
    startNext();
}

void Announcer::startNext()
{
    // A player that finishes at once calls back from inside play: the loop below goes on instead of
    // nesting one call per announcement.
    if (m_starting)
        return;
    m_starting = true;
    while (!m_speaking && !m_queue.empty()) {
        const vs::CallAnnouncement next = m_queue.front();
        m_queue.pop_front();
        m_speaking = true;
        m_player.play(next, [this] {
            m_speaking = false;
            startNext();
        });
    }
    m_starting = false;
}

namespace {

// The language folder and the recordings a template names itself: what it says with empty labels.
struct TemplateUse
{
    QString language;
    QStringList words;
};

TemplateUse templateUse(const QString& voiceTemplate)
{
    const vs::Announcement spoken = vs::speakTemplate(voiceTemplate, 1, QString(), QString());
    TemplateUse use{spoken.language, {}};
    for (const QString& word : spoken.recordings) {
        if (!word.isEmpty() && !use.words.contains(word))
            use.words << word;
    }
    return use;
}

} // namespace

QStringList Announcer::missingFolders(const QString& installDir, const vs::AnnouncerSettings& settings)
{
    QList<TemplateUse> uses;
    if (settings.choice != vs::AnnounceChoice::Off)
        uses << templateUse(settings.template1);
    if (settings.choice == vs::AnnounceChoice::Both)
        uses << templateUse(settings.template2);
    QStringList messages;
    QStringList seen;
    for (const TemplateUse& use : uses) {
        if (use.words.isEmpty() && use.language.isEmpty())
            continue; // an empty template says nothing and needs no folder
        const QString folder = QDir::cleanPath(installDir + QStringLiteral("/vs/") + use.language);
        if (seen.contains(folder) || QFileInfo(folder).isDir())
            continue;
        seen << folder;
        QString needs = use.words.join(QStringLiteral(", "));
        if (!needs.isEmpty())
            needs += QStringLiteral(", ");
        messages << QStringLiteral("voice: the recordings folder %1 is missing. It should hold the "
                                   "recordings the template names (%2the numbers 1.wav ... 99.wav, "
                                   "00.wav, 000.wav, thousand.wav, million.wav, billion.wav, "
                                   "trillion.wav and the letters a.wav ... z.wav); until then those "
                                   "announcements are silent.")
                        .arg(folder, needs);
    }
    return messages;
}

void Announcer::checkFolders(const vs::AnnouncerSettings& settings)
{
    if (!m_warn)
        return;
    for (const QString& message : missingFolders(m_installDir, settings)) {
        if (m_reported.contains(message))
            continue;
        m_reported.insert(message);
        m_warn(message);
    }
}
