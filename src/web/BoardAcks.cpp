#include "web/BoardAcks.h"

#include "core/CallDelivery.h"
#include "core/Database.h"
#include "web/WebLimits.h"

#include <QVector>
#include <QtDebug>

namespace {

// Keys a screen remembers as written: more than a board's rows, so two pages of one screen that tell
// the same showings a little apart still write it once.
constexpr int WrittenKept = 256;

QVector<qint64> counterList(const CounterSet& counters)
{
    QVector<qint64> list;
    if (counters.all)
        return list; // every counter
    for (qint64 key : counters.keys)
        list.append(key);
    std::sort(list.begin(), list.end());
    return list;
}

} // namespace

BoardAcks::BoardAcks(Database& db, const Clock& clock) : m_db(db), m_clock(clock) {}

QString BoardAcks::cleanName(const QString& text)
{
    QString kept;
    kept.reserve(qMin(text.size(), qsizetype(4 * weblimits::MaxScreenName)));
    for (const QChar c : text) {
        if (kept.size() >= 4 * weblimits::MaxScreenName)
            break;
        // Control, format (bidirectional marks, zero-width), unassigned and lone surrogate characters
        // would make names that look alike differ, or turn a listing around.
        switch (c.category()) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_NotAssigned:
        case QChar::Other_PrivateUse:
        case QChar::Other_Surrogate:
            kept.append(QLatin1Char(' '));
            break;
        default:
            kept.append(c);
        }
    }
    QString name = kept.simplified();
    if (name.size() > weblimits::MaxScreenName) {
        name.truncate(weblimits::MaxScreenName);
        if (name.back().isHighSurrogate())
            name.chop(1);
        name = name.trimmed();
    }
    return name;
}

QString BoardAcks::fallbackName(const QString& client, const QString& theme)
{
    const QString base = QStringLiteral("Web board ") + client;
    const QString themeName = cleanName(theme);
    return cleanName(themeName.isEmpty() ? base : base + QLatin1Char(' ') + themeName);
}

bool BoardAcks::desktopScreen(const QString& name)
{
    for (const delivery::Screen& s : delivery::screens(m_db)) {
        if (s.name == name)
            return s.kind != delivery::ScreenKind::Web;
    }
    return false;
}

QString BoardAcks::admit(const QString& client, const QString& asked, const QString& theme,
                         const CounterSet& counters)
{
    QString name = cleanName(asked);
    if (name.isEmpty())
        name = fallbackName(client, theme);
    if (name.isEmpty())
        return QString();
    QHash<QString, int>& mine = m_open[client];
    const bool newHere = !mine.contains(name);
    if ((newHere && mine.size() >= weblimits::AckScreensPerClient) ||
        (!m_known.contains(name) && m_known.size() >= weblimits::AckScreensInAll)) {
        if (mine.isEmpty())
            m_open.remove(client);
        return QString();
    }
    try {
        if (desktopScreen(name)) {
            if (mine.isEmpty())
                m_open.remove(client);
            return QString();
        }
        delivery::announceScreen(m_db, m_clock, name, delivery::ScreenKind::Web, counterList(counters));
        m_counters.insert(name, counterList(counters));
    } catch (const DbError& e) {
        // A hall without the table, or a login that may not write it: the page is shown as ever and
        // tells nothing.
        if (!m_warned)
            qWarning().noquote() << "brivane-web: the screens' showings are not recorded:" << e.what();
        m_warned = true;
        if (mine.isEmpty())
            m_open.remove(client);
        return QString();
    }
    m_known.insert(name);
    mine[name] += 1;
    return name;
}

void BoardAcks::release(const QString& client, const QString& screen)
{
    const auto it = m_open.find(client);
    if (it == m_open.end() || !it->contains(screen))
        return;
    if (--(*it)[screen] <= 0)
        it->remove(screen);
    if (it->isEmpty())
        m_open.erase(it);
}

void BoardAcks::heartbeat()
{
    QSet<QString> open;
    for (const QHash<QString, int>& names : std::as_const(m_open)) {
        for (auto it = names.cbegin(); it != names.cend(); ++it)
            open.insert(it.key());
    }
    try {
        for (const QString& name : std::as_const(open))
            delivery::announceScreen(m_db, m_clock, name, delivery::ScreenKind::Web, m_counters.value(name));
    } catch (const DbError&) {
        // The next beat tries again.
    }
}

bool BoardAcks::record(const QString& screen, const QString& key)
{
    const qsizetype dot = key.indexOf(QLatin1Char('.'));
    bool callOk = false;
    bool stampOk = true;
    const qint64 callAuto = (dot < 0 ? key : key.left(dot)).toLongLong(&callOk);
    const qint64 stamp = dot < 0 ? 0 : key.mid(dot + 1).toLongLong(&stampOk);
    if (!callOk || !stampOk || callAuto <= 0 || stamp < 0)
        return false;
    QStringList& written = m_written[screen];
    if (written.contains(key))
        return false;
    try {
        delivery::recordShown(m_db, m_clock, screen, callAuto, stamp, delivery::ScreenKind::Web);
    } catch (const DbError& e) {
        if (!m_warned)
            qWarning().noquote() << "brivane-web: a showing was not recorded:" << e.what();
        m_warned = true;
        return false;
    }
    written.append(key);
    if (written.size() > WrittenKept)
        written.removeFirst();
    return true;
}
