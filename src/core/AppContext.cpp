#include "core/AppContext.h"

#include "core/Database.h"
#include "core/ScreenRegistry.h"
#include "core/Session.h"
#include "core/Settings.h"

#include <QDir>

QString AppContext::installPath(const QString& relative) const
{
    return QDir(installDir).filePath(relative);
}

QString AppContext::configDir() const
{
    return where.config.isEmpty() ? installDir : where.config;
}

QString AppContext::dataDir() const
{
    return where.data.isEmpty() ? installDir : where.data;
}

QString AppContext::programPath(const QString& name) const
{
    return QDir(where.programs.isEmpty() ? installDir : where.programs).filePath(name);
}

bool openConnection(AppContext& ctx)
{
    ConnectionValues values = ctx.session.connection;
    const QString mode = ctx.settings.get(QStringLiteral("Queue"), QStringLiteral("Sql"),
                                          QStringLiteral("aut"), QStringLiteral("SQL Authentication"));
    values.passwordAuthentication = mode == QLatin1String("SQL Authentication");
    if (ctx.db.isOpen() && ctx.db.identity() == identityOf(values, ctx.dataDir()) && ctx.db.ping())
        return true;
    try {
        ctx.db.open(values, ctx.dataDir());
        return true;
    } catch (const DbError&) {
        ctx.screens.open(QStringLiteral("connect"));
        return false;
    }
}
