#include "core/GrantCommand.h"

#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/Database.h"
#include "core/WorkstationKinds.h"

#include <QCoreApplication>

namespace {

const char* grantUsage = "grant KIND LOGIN   (KIND: kiosk, board, counter or office)";

int grantCommand(AppContext& ctx, const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 2) {
        err << "usage: brivane-ctl " << grantUsage << Qt::endl;
        return 2;
    }
    const std::optional<kinds::Kind> kind = kinds::fromName(args.at(0));
    if (!kind) {
        err << QCoreApplication::translate("kinds", "There is no kind of workstation named %1: kiosk, board, "
                                                    "counter or office.")
                   .arg(args.at(0))
            << Qt::endl;
        return 1;
    }
    const QString refusal = kinds::grantKind(ctx.db, *kind, args.at(1));
    if (!refusal.isEmpty()) {
        err << refusal << Qt::endl;
        return 1;
    }
    out << QCoreApplication::translate("kinds", "%1 is now a %2 workstation.")
               .arg(args.at(1), kinds::name(*kind))
        << Qt::endl;
    return 0;
}

} // namespace

void registerGrantCommand(CommandRegistry& commands)
{
    commands.add(QStringLiteral("grant"), QString::fromLatin1(grantUsage), grantCommand);
}
