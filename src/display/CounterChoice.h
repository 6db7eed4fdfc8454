#pragma once

#include <QStringList>

class Settings;

// The counters whose calls the displays of a theme show: setting Q / CounterList / <theme key>,
// the counter keys in decimal separated by "," ("" for every counter).
namespace counterChoice {

QStringList load(const Settings& settings, qint64 themeId);
void save(Settings& settings, qint64 themeId, const QStringList& counterKeys);

} // namespace counterChoice
