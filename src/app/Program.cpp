#include "app/Program.h"

#include "app/AllScreens.h"
#include "core/ConnectionFiles.h"
#include "core/Locations.h"
#include "core/PersonalData.h"
#include "ui/Clock.h"

#include <QDir>
#include <QFileInfo>

Program::Program(Dialogs& dialogs, SoundPlayer& sound) : Program(dialogs, sound, locationsOfThisProgram()) {}

Program::Program(Dialogs& dialogs, SoundPlayer& sound, const Locations& where)
    : printers(createSystemPrinters()), hotKeys(createSystemHotKeys()),
      ctx{db,        settings, session, clock,           dialogs, launcher,      sound,
          *printers, *hotKeys, screens, where.resources, {},      &mediaPlayers, where}
{
    screens.setContext(&ctx);
    registerAll(screens, commands);
}

void useConnectionFile(AppContext& ctx, const QString& pathFile)
{
    if (pathFile.isEmpty())
        return;
    ctx.where.config = ctx.where.data = QFileInfo(pathFile).absolutePath();
    ctx.where.pathFile = QFileInfo(pathFile).absoluteFilePath();
}

QString openCommandLineDatabase(AppContext& ctx, const QString& dbFile, const QString& pathFile,
                                Database::Creation creation)
{
    try {
        if (!dbFile.isEmpty()) {
            if (creation != Database::Creation::Allowed && !QFileInfo::exists(dbFile))
                return QStringLiteral("There is no database file %1 (brivane-ctl init or demo makes one)")
                    .arg(QDir::toNativeSeparators(QFileInfo(dbFile).absoluteFilePath()));
            const QFileInfo file(dbFile);
            if (creation == Database::Creation::AsItIs) {
                ConnectionValues values;
                values.database = file.absoluteFilePath();
                ctx.db.open(values, file.absolutePath(), creation);
            } else {
                ctx.db.openSqlite(file.absoluteFilePath());
            }
            personaldata::eraseAtOpen(ctx.db, ctx.clock.today());
            return QString();
        }
        const QFileInfo file(pathFile.isEmpty() ? QDir(ctx.configDir()).filePath(QStringLiteral("path.txt"))
                                                : pathFile);
        const QString error =
            connectionFiles::readConnectionFile(file.absoluteFilePath(), ctx.session.connection);
        if (!error.isEmpty())
            return error;
        ConnectionValues values = ctx.session.connection;
        values.passwordAuthentication =
            ctx.settings.get(QStringLiteral("Queue"), QStringLiteral("Sql"), QStringLiteral("aut"),
                             QStringLiteral("SQL Authentication")) == QLatin1String("SQL Authentication");
        ctx.db.open(values, pathFile.isEmpty() ? ctx.dataDir() : file.absolutePath(), creation);
        personaldata::eraseAtOpen(ctx.db, ctx.clock.today());
        return QString();
    } catch (const DbError& e) {
        return e.description();
    }
}
