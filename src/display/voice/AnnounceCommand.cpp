#include "display/voice/AnnounceCommand.h"

#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/Database.h"
#include "display/voice/AudioRecordingPlayer.h"

#include <QEventLoop>

int announceCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const bool print = takeFlag(args, QStringLiteral("--print"));
    const bool hasCounter = args.contains(QStringLiteral("--counter"));
    const QString counter = takeOption(args, QStringLiteral("--counter"));
    if (args.size() != 1 || args.first().isEmpty() || !hasCounter || counter.isEmpty()) {
        err << "usage: brivane-ctl " << AnnounceUsage << Qt::endl;
        return 2;
    }

    ResultSet rs = ctx.db.query(
        QStringLiteral("select displayName, contName from tblCounter where contName=?"), {counter});
    if (rs.isEmpty())
        rs = ctx.db.query(QStringLiteral("select displayName, contName from tblCounter where displayName=?"),
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
    const vs::CallAnnouncement announcement =
        vs::announceCall(args.first(), vs::counterLabel(rs.text(0, 0), rs.text(0, 1)), settings);

    auto warn = [&err](const QString& message) { err << message << Qt::endl; };
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
