#include "maintenance/MaintenanceScreens.h"

#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/Database.h"
#include "core/ScreenRegistry.h"
#include "maintenance/Maintenance.h"
#include "maintenance/ServerBackup.h"
#include "maintenance/frmBackup.h"
#include "maintenance/frmClearData.h"
#include "maintenance/frmcallDelete.h"

#include <QDate>
#include <memory>

namespace {

int clearCallsCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const QString text = takeOption(args, QStringLiteral("--before"));
    const QDate before = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
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

int backupCommand(AppContext& ctx, const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 1 || args.first().isEmpty()) {
        err << "usage: brivane-ctl backup DIR" << Qt::endl;
        return 2;
    }
    const QString folder = args.first();
    if (maintenance::onServer(ctx)) {
        const QString error = serverbackup::backup(ctx.db, folder, progressTo(err, "backing up"));
        if (!error.isEmpty()) {
            err << error << Qt::endl;
            return 1;
        }
        out << "Backup Completed Successfully: " << serverbackup::backupFileIn(folder) << Qt::endl;
        return 0;
    }
    const QString target = maintenance::backupFileIn(folder);
    if (maintenance::sameFile(target, maintenance::databaseFile(ctx))) {
        err << "Select a different folder " << Qt::endl;
        return 1;
    }
    const QString error = maintenance::backupDatabase(ctx.db, folder);
    if (!error.isEmpty()) {
        err << error << Qt::endl;
        return 1;
    }
    out << "Backup Completed Successfully: " << target << Qt::endl;
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
    commands.add(QStringLiteral("backup"), QStringLiteral("backup DIR"), backupCommand);
    commands.add(QStringLiteral("restore"), QStringLiteral("restore FILE"), restoreCommand);
}
