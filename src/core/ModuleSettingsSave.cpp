#include "core/ModuleSettingsSave.h"

#include "core/AppContext.h"
#include "core/DbError.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "core/ThemeChoice.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace modulesettings {

std::optional<double> numberIn(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

qint64 wholeNumber(double value)
{
    return qRound64(
        std::clamp(value, double(std::numeric_limits<int>::min()), double(std::numeric_limits<int>::max())));
}

} // namespace modulesettings

void applyModuleSettings(Database& db, const Settings& settings, Session& session)
{
    using modulesettings::numberIn;
    using modulesettings::wholeNumber;
    const QString copies =
        settings.get(QStringLiteral("queue"), QStringLiteral("print"), QStringLiteral("nos"));
    session.printCopies = wholeNumber(numberIn(copies).value_or(1));
    const QString speed =
        settings.get(QStringLiteral("queue"), QStringLiteral("scroll"), QStringLiteral("speed"));
    session.scrollSpeed = wholeNumber(numberIn(speed).value_or(30));
    // Without the store the board keeps the theme it had.
    try {
        session.themeId = themechoice::workstationTheme(db, settings).id;
    } catch (const DbError&) {
    }
}

void performModuleSettingsSave(AppContext& ctx)
{
    applyModuleSettings(ctx.db, ctx.settings, ctx.session);
}
