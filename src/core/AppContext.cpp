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

bool openConnection(AppContext& ctx)
{
    ConnectionValues values = ctx.session.connection;
    const QString mode = ctx.settings.get(QStringLiteral("Queue"), QStringLiteral("Sql"),
                                          QStringLiteral("aut"), QStringLiteral("SQL Authentication"));
    values.passwordAuthentication = mode == QLatin1String("SQL Authentication");
    if (ctx.db.isOpen() && ctx.db.identity() == identityOf(values, ctx.installDir) && ctx.db.ping())
        return true;
    try {
        ctx.db.open(values, ctx.installDir);
        return true;
    } catch (const DbError&) {
        ctx.screens.open(QStringLiteral("connect"));
        return false;
    }
}
