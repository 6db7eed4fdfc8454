#include "display/voice/Announcer.h"

#include "display/voice/NameRecordings.h"
#include "display/voice/vs.h"
#include "ui/Clock.h"

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

QDateTime Announcer::now() const
{
    static const SystemClock system;
    return (m_clock ? m_clock : &system)->now();
}

QStringList Announcer::waitingLabels() const
{
    QStringList labels;
    for (const Waiting& w : m_queue)
        labels << w.announcement.tokenLabel;
    return labels;
}

void Announcer::announce(const announcer::ShownCall& call, std::function<void()> spoken)
{
    // The board pushes its table down for every call but one for the label already on top.
    if (m_pushes == 0 || call.tokenLabel != m_top)
        ++m_pushes;
    m_top = call.tokenLabel;

    const vs::AnnouncerSettings settings = m_settings();
    if (settings.choice == vs::AnnounceChoice::Off)
        return;
    checkFolders(settings);
    const vs::CounterName counterName = [this, call](const QString& language, int templateNumber) {
        if (!m_names)
            return QString();
        // Template 2 speaks the second-language name where the counter has one.
        const QString name = templateNumber == 2 && !call.captionA.trimmed().isEmpty() ? call.captionA
                             : !call.caption.trimmed().isEmpty()                       ? call.caption
                                                                                       : call.secondLine;
        return m_names->recording(language, name);
    };
    Waiting entry{vs::announceCall(call.tokenLabel, vs::counterLabel(call.caption, call.secondLine), settings,
                                   counterName, call.language),
                  call.caption,
                  now(),
                  m_pushes,
                  call.boardRows,
                  settings.maxWaitSeconds,
                  std::move(spoken)};
    // A recall takes the place of the same token's announcement that is still waiting.
    bool replaced = false;
    for (Waiting& w : m_queue) {
        if (w.announcement.tokenLabel == call.tokenLabel) {
            w = entry;
            replaced = true;
            break;
        }
    }
    if (!replaced)
        m_queue.push_back(std::move(entry));
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
        const Waiting next = m_queue.front();
        m_queue.pop_front();
        const QString who = QStringLiteral("%1 (%2)").arg(next.announcement.tokenLabel, next.counter);
        if (next.boardRows > 0 && m_pushes - next.pushes >= next.boardRows) {
            if (m_warn)
                m_warn(QStringLiteral("voice: %1 not announced: the board has pushed it off its table")
                           .arg(who));
            continue;
        }
        const qint64 waited = next.since.secsTo(now());
        if (next.maxWaitSeconds > 0 && waited > next.maxWaitSeconds) {
            if (m_warn)
                m_warn(QStringLiteral("voice: %1 not announced: it waited %2 s, longer than %3 s")
                           .arg(who)
                           .arg(waited)
                           .arg(next.maxWaitSeconds));
            continue;
        }
        vs::CallAnnouncement said = next.announcement;
        // Others are waiting: the first template only, so the hall hears every call sooner.
        if (!m_queue.empty() && said.firstTemplate > 0 && said.firstTemplate < said.recordings.size())
            said.recordings = said.recordings.mid(0, said.firstTemplate);
        m_speaking = true;
        m_player.play(said, [this, spoken = next.spoken] {
            m_speaking = false;
            if (spoken)
                spoken();
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
