#pragma once

#include <QString>
#include <QStringList>

class Settings;

// The languages of a workstation, module settings of their own:
// - Queue / Language / language: the language of its windows, tickets and pages ("hi"); empty or
//   unknown: the language of the machine's locale;
// - Queue / Language / kiosk: the languages its full-screen kiosk offers the visitor ("en,hi,ar"); with
//   two or more the visitor chooses first.
namespace languageSettings {

QString workstation(const Settings& settings);
void setWorkstation(Settings& settings, const QString& code);
// The languages the kiosk offers, the workstation's first where it is one of them; only the
// workstation's when the setting names fewer than two.
QStringList kiosk(const Settings& settings);
void setKiosk(Settings& settings, const QStringList& codes);
// Puts the workstation's language on its windows (Language::use).
void apply(const Settings& settings);

} // namespace languageSettings
