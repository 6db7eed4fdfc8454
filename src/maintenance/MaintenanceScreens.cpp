#include "maintenance/MaintenanceScreens.h"

#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/Database.h"
#include "core/ScreenRegistry.h"
#include "maintenance/Maintenance.h"
#include "maintenance/frmBackup.h"
#include "maintenance/frmClearData.h"
#include "maintenance/frmcallDelete.h"

#include <QDate>

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

int backupCommand(AppContext& ctx, const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 1 || args.first().isEmpty()) {
        err << "usage: brivane-ctl backup DIR" << Qt::endl;
        return 2;
    }
    if (maintenance::onServer(ctx)) {
        err << maintenance::serverStoreMessage() << Qt::endl;
        return 1;
    }
    const QString folder = args.first();
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
    if (maintenance::onServer(ctx)) {
        err << maintenance::serverStoreMessage() << Qt::endl;
        return 1;
    }
    const QString target = maintenance::databaseFile(ctx);
    const QString source = args.first();
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
    out << "Restore Complete! " << target << Qt::endl;
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
