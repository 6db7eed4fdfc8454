#include "display/voice/AnnounceCommand.h"

#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/Database.h"
#include "display/voice/AudioRecordingPlayer.h"
#include "display/voice/NameRecordings.h"
#include "ui/Clock.h"
#include "ui/Language.h"

#include <QEventLoop>

int announceCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const bool print = takeFlag(args, QStringLiteral("--print"));
    const bool hasCounter = args.contains(QStringLiteral("--counter"));
    const QString counter = takeOption(args, QStringLiteral("--counter"));
    const bool hasLanguage = args.contains(QStringLiteral("--lang"));
    QString language = Language::known(takeOption(args, QStringLiteral("--lang")));
    if (args.size() != 1 || args.first().isEmpty() || !hasCounter || counter.isEmpty()) {
        err << "usage: brivane-ctl " << AnnounceUsage << Qt::endl;
        return 2;
    }
    if (hasLanguage && language.isEmpty()) {
        err << "No texts in that language; known: " << Language::shipped().join(QStringLiteral(", "))
            << Qt::endl;
        return 2;
    }
    // Without --lang, the language the visitor chose for today's ticket of that label, as the hall's
    // announcer says it.
    if (!hasLanguage) {
        const ResultSet ticket = ctx.db.query(
            QStringLiteral(
                "select lang from tblTicket where no_abr=? and tickDate=? order by tickAuto desc limit 1"),
            {args.first(), ctx.clock.todayText()});
        if (!ticket.isEmpty())
            language = ticket.text(0, 0);
    }

    ResultSet rs = ctx.db.query(
        QStringLiteral("select displayName, contName, displayNameA from tblCounter where contName=?"),
        {counter});
    if (rs.isEmpty())
        rs = ctx.db.query(
            QStringLiteral("select displayName, contName, displayNameA from tblCounter where displayName=?"),
            {counter});
    if (rs.isEmpty()) {
        err << "No counter is named " << counter << Qt::endl;
        return 1;
    }
    const vs::AnnouncerSettings settings = vs::announcerSettings(ctx.settings);
    if (settings.choice == vs::AnnounceChoice::Off) {
        err << "Announcing calls is switched off in this workstation's module settings" << Qt::endl;
        return 1;
    }
    auto warn = [&err](const QString& message) { err << message << Qt::endl; };
    // A counter named without a digit is said by its name, as the announcer says it.
    NameRecordings names(ctx.installDir, NameRecordings::defaultCacheDir(), warn);
    const QString caption = rs.text(0, 0), captionA = rs.text(0, 2);
    const vs::CallAnnouncement announcement = vs::announceCall(
        args.first(), vs::counterLabel(caption, rs.text(0, 1)), settings,
        [&](const QString& language, int templateNumber) {
            return names.recording(language,
                                   templateNumber == 2 && !captionA.trimmed().isEmpty() ? captionA : caption);
        },
        language);

    for (const QString& message : Announcer::missingFolders(ctx.installDir, settings))
        warn(message);
    if (print) {
        out << vs::printLine(announcement) << Qt::endl;
        return 0;
    }
    AudioRecordingPlayer player(ctx.installDir, warn);
    QEventLoop loop;
    bool over = false;
    player.play(announcement, [&] {
        over = true;
        loop.quit();
    });
    if (!over)
        loop.exec();
    return 0;
}
