#include "core/LanguageSettings.h"

#include "core/Settings.h"
#include "ui/Language.h"

namespace languageSettings {

namespace {
const QString App = QStringLiteral("Queue");
const QString Section = QStringLiteral("Language");
} // namespace

QString workstation(const Settings& settings)
{
    const QString code = Language::known(settings.get(App, Section, QStringLiteral("language")));
    return code.isEmpty() ? Language::systemCode() : code;
}

void setWorkstation(Settings& settings, const QString& code)
{
    settings.set(App, Section, QStringLiteral("language"), Language::known(code));
}

QStringList kiosk(const Settings& settings)
{
    const QString own = workstation(settings);
    QStringList codes = Language::listFrom(settings.get(App, Section, QStringLiteral("kiosk")));
    if (codes.size() < 2)
        return {own};
    if (codes.contains(own))
        codes.move(codes.indexOf(own), 0);
    return codes;
}

void setKiosk(Settings& settings, const QStringList& codes)
{
    settings.set(App, Section, QStringLiteral("kiosk"),
                 Language::listFrom(codes.join(QLatin1Char(','))).join(QLatin1Char(',')));
}

void apply(const Settings& settings)
{
    Language::use(workstation(settings));
}

} // namespace languageSettings
