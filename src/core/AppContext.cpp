#include "core/AppContext.h"

#include "core/Database.h"
#include "core/PersonalData.h"
#include "core/ScreenRegistry.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "core/frmSql.h"
#include "ui/Clock.h"

#include <QDir>

QString AppContext::installPath(const QString& relative) const
{
    return QDir(installDir).filePath(relative);
}

QString AppContext::configDir() const
{
    return where.config.isEmpty() ? installDir : where.config;
}

QString AppContext::connectionFile() const
{
    return where.pathFile.isEmpty() ? QDir(configDir()).filePath(QStringLiteral("path.txt")) : where.pathFile;
}

QString AppContext::dataDir() const
{
    return where.data.isEmpty() ? installDir : where.data;
}

QString AppContext::programPath(const QString& name) const
{
    return QDir(where.programs.isEmpty() ? installDir : where.programs).filePath(name);
}

bool openConnection(AppContext& ctx, QString* why)
{
    ConnectionValues values = ctx.session.connection;
    const QString mode = ctx.settings.get(QStringLiteral("Queue"), QStringLiteral("Sql"),
                                          QStringLiteral("aut"), QStringLiteral("SQL Authentication"));
    values.passwordAuthentication = mode == QLatin1String("SQL Authentication");
    QString reason;
    if (!ctx.db.isOpen() || ctx.db.identity() != identityOf(values, ctx.dataDir()) || !ctx.db.ping()) {
        try {
            ctx.db.open(values, ctx.dataDir(), Database::Creation::Refused);
            // A phone number never outlives its day, even in a hall whose web server is not running.
            personaldata::eraseAtOpen(ctx.db, ctx.clock.today());
        } catch (const DbError& e) {
            reason = e.description();
        }
    }
    // The store's own words are all an operator has to go on (a refused password, a schema that does
    // not fit), so the SQL settings screen shows them, and forgets them once the connection works.
    QWidget* screen = reason.isEmpty() ? ctx.screens.existing(QStringLiteral("connect"))
                                       : ctx.screens.open(QStringLiteral("connect"));
    if (auto* sql = qobject_cast<frmSql*>(screen))
        sql->showReason(reason);
    if (why)
        *why = reason;
    return reason.isEmpty();
}
