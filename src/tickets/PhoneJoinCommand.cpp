#include "tickets/PhoneJoinCommand.h"

#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/Database.h"
#include "tickets/PhoneJoin.h"

namespace phonejoin {

namespace {

const char* joinUsage = "join SERVICE on|off";

// The service by its name, or by its key when no service has that name; 0 when neither.
ResultSet serviceNamed(Database& db, const QString& text)
{
    ResultSet rs =
        db.query(QStringLiteral(
                     "select servAuto, servName, active from tblService where servName=? order by servAuto"),
                 {text});
    bool numeric = false;
    const qint64 key = text.toLongLong(&numeric);
    if (rs.isEmpty() && numeric)
        rs = db.query(QStringLiteral("select servAuto, servName, active from tblService where servAuto=?"),
                      {key});
    return rs;
}

int joinCommand(AppContext& ctx, const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString state = args.value(1).toLower();
    if (args.size() != 2 || (state != QLatin1String("on") && state != QLatin1String("off"))) {
        err << "usage: brivane-ctl " << joinUsage << Qt::endl;
        return 2;
    }
    const ResultSet rs = serviceNamed(ctx.db, args.first());
    if (rs.isEmpty()) {
        err << "No service is named " << args.first() << Qt::endl;
        return 1;
    }
    const bool open = state == QLatin1String("on");
    const QString name = rs.text(0, 1);
    setOpen(ctx.db, rs.number(0, 0), open);
    if (!open) {
        out << name << ": tokens are no longer taken from phones (tokens already taken stay in the queue)"
            << Qt::endl;
        return 0;
    }
    out << name << ": visitors may take tokens from their phones at /join" << Qt::endl;
    if (rs.text(0, 2) != QLatin1String("1"))
        out << name << " is not active: it is offered on phones once it is active again" << Qt::endl;
    return 0;
}

} // namespace

void registerJoinCommand(CommandRegistry& commands)
{
    commands.add(QStringLiteral("join"), QString::fromLatin1(joinUsage), joinCommand);
}

} // namespace phonejoin
