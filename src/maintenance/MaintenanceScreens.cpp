#include "maintenance/MaintenanceScreens.h"

#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/Database.h"
#include "core/ScreenRegistry.h"
#include "maintenance/BackupFiles.h"
#include "maintenance/Maintenance.h"
#include "maintenance/ServerBackup.h"
#include "maintenance/frmBackup.h"
#include "maintenance/frmClearData.h"
#include "maintenance/frmcallDelete.h"
#include "ui/Clock.h"

#include <QDate>
#include <memory>

namespace {

int clearCallsCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const QString text = takeOption(args, QStringLiteral("--before"));
    const QDate before = dayArgument(text);
    if (!args.isEmpty() || !before.isValid()) {
        err << "usage: brivane-ctl clear-calls --before yyyy-MM-dd" << Qt::endl;
        return 2;
    }
    const qint64 removed = maintenance::deleteCallsBefore(ctx.db, before);
    out << "Deleted " << removed << " call rows dated before "
        << before.toString(QStringLiteral("yyyy-MM-dd")) << Qt::endl;
    return 0;
}

// Progress of the server's tools on the error stream, one line each time a table is done.
serverbackup::Progress progressTo(QTextStream& err, const char* doing)
{
    auto last = std::make_shared<int>(-1);
    return [&err, doing, last](int done, int total) {
        if (done == *last)
            return;
        *last = done;
        err << doing << ": " << done << " of " << total << " tables" << Qt::endl;
    };
}

const char* BackupUsage = "backup DIR [--keep N]";

int backupCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const bool hasKeep = args.contains(QStringLiteral("--keep"));
    const QString keepText = takeOption(args, QStringLiteral("--keep"));
    bool keepOk = false;
    const int keep = keepText.toInt(&keepOk);
    if (args.size() != 1 || args.first().isEmpty() || args.first().startsWith(QLatin1Char('-')) ||
        (hasKeep && (!keepOk || keep < 1))) {
        err << "usage: brivane-ctl " << BackupUsage << Qt::endl;
        return 2;
    }
    const QString folder = args.first();
    const bool server = maintenance::onServer(ctx);
    QString written;
    QString error;
    if (server) {
        error = serverbackup::backup(ctx.db, folder, progressTo(err, "backing up"), &written);
    } else {
        if (maintenance::sameFile(maintenance::backupFileIn(folder), maintenance::databaseFile(ctx))) {
            err << "Select a different folder " << Qt::endl;
            return 1;
        }
        error = maintenance::backupDatabase(ctx.db, folder, &written);
    }
    if (!error.isEmpty()) {
        err << error << Qt::endl;
        return 1;
    }
    out << "Backup Completed Successfully: " << written << Qt::endl;
    if (hasKeep) {
        const QStringList removed =
            backupfiles::keepNewest(folder, server ? QStringLiteral("dump") : QStringLiteral("mdb"), keep);
        for (const QString& file : removed)
            out << "Removed the older backup " << file << Qt::endl;
    }
    return 0;
}

const char* ClearTicketsUsage = "clear-tickets --before yyyy-MM-dd";

int clearTicketsCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const QString text = takeOption(args, QStringLiteral("--before"));
    const QDate before = dayArgument(text);
    if (!args.isEmpty() || !before.isValid()) {
        err << "usage: brivane-ctl " << ClearTicketsUsage << Qt::endl;
        return 2;
    }
    if (const QString refused = maintenance::clearBeforeRefusal(before, ctx.clock.today());
        !refused.isEmpty()) {
        err << refused << Qt::endl;
        return 1;
    }
    out << maintenance::clearedText(maintenance::deleteTicketsBefore(ctx.db, before), before) << Qt::endl;
    return 0;
}

int restoreCommand(AppContext& ctx, const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 1 || args.first().isEmpty()) {
        err << "usage: brivane-ctl restore FILE" << Qt::endl;
        return 2;
    }
    const QString source = args.first();
    if (maintenance::onServer(ctx)) {
        QString kept;
        const QString error = serverbackup::restore(ctx.db, source, progressTo(err, "restoring"), &kept);
        if (!error.isEmpty()) {
            err << error << Qt::endl;
            return 1;
        }
        out << "Restore Complete! The database it replaced is kept in " << kept << Qt::endl;
        return 0;
    }
    const QString target = maintenance::databaseFile(ctx);
    if (maintenance::sameFile(source, target)) {
        err << "Source file should not be same" << Qt::endl;
        return 1;
    }
    ctx.db.close();
    const QString error = maintenance::restoreDatabase(source, target);
    // Opening the restored file also brings its schema up to date.
    ctx.db.openSqlite(target);
    if (!error.isEmpty()) {
        err << error << Qt::endl;
        return 1;
    }
    out << "Restore Complete! " << target << " (the database it replaced is kept in "
        << maintenance::keptBeforeRestore(target) << ")" << Qt::endl;
    return 0;
}

} // namespace

void registerMaintenance(ScreenRegistry& screens, CommandRegistry& commands)
{
    screens.add(QStringLiteral("bkup"), [](AppContext& ctx) { return new frmBackup(ctx); });
    screens.add(QStringLiteral("clrTickData"), [](AppContext& ctx) { return new frmClearData(ctx); });
    screens.add(QStringLiteral("ClrCall"), [](AppContext& ctx) { return new frmcallDelete(ctx); });

    commands.add(QStringLiteral("clear-calls"), QStringLiteral("clear-calls --before yyyy-MM-dd"),
                 clearCallsCommand);
    commands.add(QStringLiteral("clear-tickets"), QString::fromLatin1(ClearTicketsUsage),
                 clearTicketsCommand);
    commands.add(QStringLiteral("backup"), QString::fromLatin1(BackupUsage), backupCommand);
    commands.add(QStringLiteral("restore"), QStringLiteral("restore FILE"), restoreCommand);
}
