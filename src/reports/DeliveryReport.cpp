#include "reports/DeliveryReport.h"

#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/DeliveryListing.h"

namespace {

const char* Usage = "report delivery --from D --to D";

int reportDeliveryCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const QDate from = dayArgument(takeOption(args, QStringLiteral("--from")));
    const QDate to = dayArgument(takeOption(args, QStringLiteral("--to")));
    if (!args.isEmpty() || !from.isValid() || !to.isValid() || to < from) {
        err << "usage: brivane-ctl " << Usage << Qt::endl;
        return 2;
    }
    if (!delivery::present(ctx.db)) {
        err << delivery::NoRecordYet << Qt::endl;
        return 1;
    }
    delivery::printMisses(delivery::missesPerScreen(ctx.db, from, to), out);
    return 0;
}

} // namespace

void registerDeliveryReport(CommandRegistry& commands)
{
    // A command of two words: brivane-ctl looks for "report delivery" before "report".
    commands.add(QStringLiteral("report delivery"), QString::fromLatin1(Usage), reportDeliveryCommand);
}
