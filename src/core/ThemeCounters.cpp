#include "core/ThemeCounters.h"

#include "core/Database.h"
#include "core/Lookups.h"
#include "core/Session.h"
#include "core/Settings.h"

namespace {

QString oldSettingKey(qint64 themeId)
{
    return QString::number(themeId);
}

QStringList keysOf(const QString& text, QChar separator)
{
    QStringList keys;
    for (const QString& item : text.split(separator)) {
        const QString key = item.trimmed();
        if (!key.isEmpty())
            keys.append(key);
    }
    return keys;
}

} // namespace

namespace themeCounters {

QStringList load(Database& db, Settings& settings, qint64 themeId)
{
    const ResultSet rs =
        db.query(QStringLiteral("select counters from tbltheme where themeauto=?"), {themeId});
    if (rs.isEmpty())
        return {};
    if (!rs.isNull(0, 0))
        return keysOf(rs.text(0, 0), QLatin1Char(';'));
    // Never chosen with the theme: what this workstation chose before goes into the theme.
    const QStringList before =
        keysOf(settings.get(QStringLiteral("Q"), QStringLiteral("CounterList"), oldSettingKey(themeId)),
               QLatin1Char(','));
    if (!before.isEmpty())
        save(db, settings, themeId, before);
    return before;
}

void save(Database& db, Settings& settings, qint64 themeId, const QStringList& counterKeys)
{
    // An empty text (not a missing value) says "every counter was chosen".
    QString text = counterKeys.join(QLatin1Char(';'));
    if (text.isNull())
        text = QStringLiteral("");
    db.exec(QStringLiteral("update tbltheme set counters=? where themeauto=?"), {text, themeId});
    // The theme holds the choice from now on; the workstation's own copy is not used again.
    if (settings.contains(QStringLiteral("Q"), QStringLiteral("CounterList"), oldSettingKey(themeId)))
        settings.set(QStringLiteral("Q"), QStringLiteral("CounterList"), oldSettingKey(themeId), QString());
}

} // namespace themeCounters

void buildCounterFilter(Database& db, Settings& settings, Session& session)
{
    QStringList keys;
    try {
        keys = themeCounters::load(db, settings, session.themeId);
    } catch (const DbError&) {
        // The store cannot say: the board shows every counter, as with no choice.
    }
    session.counterFilter = counterFilterFor(keys.join(QLatin1Char(',')));
}
