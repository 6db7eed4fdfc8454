#include "core/CommandRegistry.h"

#include "core/AppContext.h"
#include "core/Database.h"

#include <QRegularExpression>

int runCommand(const CommandRegistry::Command& command, AppContext& ctx, const QStringList& args,
               QTextStream& out, QTextStream& err)
{
    if (command.needsDatabase && !ctx.db.rights().allows(command.needs)) {
        err << ctx.db.rights().refusal() << Qt::endl;
        return 1;
    }
    try {
        return command.run(ctx, args, out, err);
    } catch (const DbError& e) {
        err << e.description() << Qt::endl;
        return 1;
    }
}

QString takeOption(QStringList& args, const QString& name)
{
    const int i = int(args.indexOf(name));
    if (i < 0)
        return QString();
    QString value;
    if (i + 1 < args.size())
        value = args.at(i + 1);
    args.removeAt(i);
    if (i < args.size())
        args.removeAt(i);
    return value;
}

bool takeFlag(QStringList& args, const QString& name)
{
    return args.removeAll(name) > 0;
}

QDate dayArgument(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
    if (!form.match(text).hasMatch())
        return {};
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}
