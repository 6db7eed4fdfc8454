#include "display/voice/VoiceProgram.h"

#include "core/Settings.h"
#include "display/voice/AudioRecordingPlayer.h"

#include <QDir>
#include <QTextStream>

VoiceProgram::VoiceProgram(QString installDir, QString settingsFile, QTextStream& out, QTextStream& err)
    : m_installDir(std::move(installDir)), m_settingsFile(std::move(settingsFile)), m_out(out), m_err(err)
{
}

VoiceProgram::~VoiceProgram() = default;

QString VoiceProgram::helpText()
{
    return QStringLiteral(
        "usage: voice [--print]\n"
        "\n"
        "The hall announcer. It speaks every call this workstation's display board shows, in the\n"
        "order the board shows them, from the recordings in <installation folder>/vs/<language>/:\n"
        "template 1 (Voice Lang.1 in the module settings) with the first-language number rules, then\n"
        "template 2 (Voice Lang 2) with the second-language rules, as the setting \"Announce Calls\"\n"
        "says (both languages, first language only, or off). In a template \"*\" is the token label\n"
        "and \"#\" the counter label: the last word of the counter's display name that holds a digit\n"
        "(\"Room 3\" says 3, \"C12\" says C 12). A counter whose names hold no digit (\"Pharmacy\") is\n"
        "said by its name, without the \"roomno\" before \"#\": its recording is made with espeak-ng in\n"
        "the voice of the language folder (the first line of vs/<language>/voice, else en or hi) the\n"
        "first time it is needed, and kept in ~/.cache/brivane/voice.\n"
        "Calls that come while one is spoken wait their turn; while others wait, an announcement says\n"
        "only template 1. A call the board has pushed off its table, or that waited longer than\n"
        "queue/scroll/vsMaxWait seconds (default 30), is left out and named on standard error; a\n"
        "recall replaces the same token's waiting announcement.\n"
        "The main window starts it; only one announcer runs per installation folder and user, a\n"
        "second one says so and ends.\n"
        "\n"
        "  --print   write one line per announcement to standard output instead of playing it: the\n"
        "            token label, the counter label (- when empty), then every recording in the order\n"
        "            it would be played, as paths relative to the installation folder (a\n"
        "            counter name's recording by its full path)\n"
        "  --help    show this text\n");
}

std::optional<int> VoiceProgram::start(const QStringList& arguments)
{
    bool print = false;
    for (const QString& a : arguments) {
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            m_out << helpText() << Qt::flush;
            return 0;
        }
        if (a == QLatin1String("--print")) {
            print = true;
            continue;
        }
        m_err << "voice: unknown argument " << a << Qt::endl
              << "usage: voice [--print]   (voice --help tells more)" << Qt::endl;
        return 2;
    }

    auto warn = [this](const QString& message) { m_err << message << Qt::endl; };
    if (!m_player) {
        if (print)
            m_player = std::make_unique<PrintingPlayer>(m_out);
        else
            m_player = std::make_unique<AudioRecordingPlayer>(m_installDir, warn);
    }
    const QString settingsFile = m_settingsFile;
    m_announcer = std::make_unique<Announcer>(
        *m_player, m_installDir, [settingsFile] { return vs::announcerSettings(Settings(settingsFile)); });
    m_announcer->setWarn(warn);
    m_names = std::make_unique<NameRecordings>(
        m_installDir, m_nameCache.isEmpty() ? NameRecordings::defaultCacheDir() : m_nameCache, warn);
    m_announcer->setNameRecordings(m_names.get());
    m_server = std::make_unique<AnnouncerServer>(*m_announcer, m_installDir);

    QString error;
    switch (m_server->start(&error)) {
    case AnnouncerServer::Start::AlreadyRunning:
        m_err << "voice: an announcer is already running for " << QDir::toNativeSeparators(m_installDir)
              << "; this one ends" << Qt::endl;
        return 0;
    case AnnouncerServer::Start::Failed:
        m_err << "voice: " << error << Qt::endl;
        return 1;
    case AnnouncerServer::Start::Listening:
        break;
    }

    // Say at once what the recordings lack, not only when the first call comes.
    m_announcer->reportMissingFolders();
    return std::nullopt;
}
