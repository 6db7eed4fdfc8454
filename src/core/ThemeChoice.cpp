#include "core/ThemeChoice.h"

#include "core/Database.h"
#include "core/Settings.h"

namespace themechoice {

QList<HallTheme> hallThemes(Database& db)
{
    // Themes are the boards': a kiosk or a counter has none to choose from, and does not ask.
    if (!db.rights().allows(WorkstationRights::Act::ShowCalls))
        return {};
    const ResultSet rs =
        db.query(QStringLiteral("select themeauto, themename from tbltheme order by themeauto"));
    QList<HallTheme> themes;
    themes.reserve(rs.size());
    for (int i = 0; i < rs.size(); ++i)
        themes.append(HallTheme{rs.number(i, 0), rs.text(i, 1)});
    return themes;
}

HallTheme themeNamed(const QList<HallTheme>& themes, const QString& name)
{
    for (const HallTheme& theme : themes) {
        if (theme.name == name)
            return theme;
    }
    return themes.size() == 1 ? themes.first() : HallTheme{};
}

HallTheme boardTheme(Database& db, const QString& name)
{
    return themeNamed(hallThemes(db), name);
}

QString storedThemeName(const Settings& settings)
{
    return settings.get(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("theme"));
}

HallTheme workstationTheme(Database& db, const Settings& settings)
{
    return boardTheme(db, storedThemeName(settings));
}

} // namespace themechoice
