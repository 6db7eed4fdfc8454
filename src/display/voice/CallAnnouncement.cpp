#include "display/voice/CallAnnouncement.h"

#include "core/Settings.h"
#include "display/voice/vs.h"
#include "ui/Language.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

namespace vs {

namespace {

bool holdsDigit(const QString& word)
{
    for (const QChar c : word) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            return true;
    }
    return false;
}

QString lastWordWithDigit(const QString& text)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    const QStringList words = text.split(space, Qt::SkipEmptyParts);
    for (auto it = words.crbegin(); it != words.crend(); ++it) {
        if (!holdsDigit(*it))
            continue;
        QString kept;
        for (const QChar c : *it) {
            if (c.isLetterOrNumber())
                kept.append(c);
        }
        return kept;
    }
    return QString();
}

// The stored texts; the settings screen shows them translated.
const char* announceChoiceKey(AnnounceChoice choice)
{
    switch (choice) {
    case AnnounceChoice::FirstOnly:
        return QT_TRANSLATE_NOOP("CallAnnouncement", "First Language Only");
    case AnnounceChoice::Off:
        return QT_TRANSLATE_NOOP("CallAnnouncement", "Off");
    case AnnounceChoice::Both:
        break;
    }
    return QT_TRANSLATE_NOOP("CallAnnouncement", "Both Languages");
}

} // namespace

QList<AnnounceChoice> announceChoices()
{
    return {AnnounceChoice::Both, AnnounceChoice::FirstOnly, AnnounceChoice::Off};
}

QString announceChoiceText(AnnounceChoice choice)
{
    return QString::fromLatin1(announceChoiceKey(choice));
}

QString announceChoiceLabel(AnnounceChoice choice)
{
    return QCoreApplication::translate("CallAnnouncement", announceChoiceKey(choice));
}

AnnounceChoice announceChoiceFrom(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(announceChoiceText(AnnounceChoice::Off), Qt::CaseInsensitive) == 0)
        return AnnounceChoice::Off;
    if (t.compare(announceChoiceText(AnnounceChoice::FirstOnly), Qt::CaseInsensitive) == 0)
        return AnnounceChoice::FirstOnly;
    return AnnounceChoice::Both;
}

AnnouncerSettings announcerSettings(const Settings& settings)
{
    const QString app = QStringLiteral("queue");
    const QString section = QStringLiteral("scroll");
    AnnouncerSettings a;
    a.template1 = settings.get(app, section, QStringLiteral("vsFormat1"), defaultTemplate1());
    a.template2 = settings.get(app, section, QStringLiteral("vsFormat2"), defaultTemplate2());
    a.choice = announceChoiceFrom(settings.get(app, section, QStringLiteral("vsAnnounce")));
    a.maxWaitSeconds =
        int(qBound(qint64(0), settings.getNumber(app, section, QStringLiteral("vsMaxWait"), a.maxWaitSeconds),
                   qint64(3600)));
    return a;
}

QString counterLabel(const QString& caption, const QString& secondLine)
{
    const QString fromCaption = lastWordWithDigit(caption);
    return fromCaption.isEmpty() ? lastWordWithDigit(secondLine) : fromCaption;
}

QStringList templateRecordings(const QString& voiceTemplate, int ruleSet, const QString& tokenLabel,
                               const QString& counterLabel, const CounterName& counterName,
                               int templateNumber)
{
    // A counter without a label: "#" stands for its name's recording, without "room number" before it.
    static const QString nameMark = QStringLiteral("\x01counter-name");
    QString spokenTemplate = voiceTemplate;
    if (counterLabel.isEmpty()) {
        const QStringList items = voiceTemplate.split(QLatin1Char('|'));
        QStringList kept;
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (i > 0 && items.at(i) == QLatin1String("#")) {
                if (kept.size() > 1 && QFileInfo(kept.last()).completeBaseName() == QLatin1String("roomno"))
                    kept.removeLast();
                kept << nameMark;
            } else {
                kept << items.at(i);
            }
        }
        spokenTemplate = kept.join(QLatin1Char('|'));
    }
    const Announcement spoken = speakTemplate(spokenTemplate, ruleSet, tokenLabel, counterLabel);
    const QString folder = QStringLiteral("vs/") + spoken.language + QLatin1Char('/');
    QStringList paths;
    for (const QString& name : spoken.recordings) {
        if (name == nameMark) {
            const QString recording = counterName ? counterName(spoken.language, templateNumber) : QString();
            if (!recording.isEmpty())
                paths << recording;
        } else if (!name.isEmpty()) {
            paths << folder + name;
        }
    }
    return paths;
}

CallAnnouncement announceCall(const QString& tokenLabel, const QString& counterLabel,
                              const AnnouncerSettings& settings, const CounterName& counterName,
                              const QString& language)
{
    CallAnnouncement a{tokenLabel, counterLabel, {}, 0};
    if (settings.choice == AnnounceChoice::Off)
        return a;
    const auto folderOf = [](const QString& voiceTemplate) {
        return voiceTemplate.section(QLatin1Char('|'), 0, 0).trimmed().toLower();
    };
    const QString visitors = Language::known(language).isEmpty() ? QString() : Language(language).voiceName();
    const bool secondFirst = !visitors.isEmpty() && folderOf(settings.template2) == visitors &&
                             folderOf(settings.template1) != visitors;
    const int first = secondFirst ? 2 : 1;
    const int second = secondFirst ? 1 : 2;
    const auto spoken = [&](int number) {
        return templateRecordings(number == 1 ? settings.template1 : settings.template2, number, tokenLabel,
                                  counterLabel, counterName, number);
    };
    a.recordings = spoken(first);
    a.firstTemplate = a.recordings.size();
    if (settings.choice == AnnounceChoice::Both)
        a.recordings << spoken(second);
    return a;
}

QString printLine(const CallAnnouncement& announcement)
{
    auto field = [](const QString& text) { return text.isEmpty() ? QStringLiteral("-") : text; };
    QStringList parts{field(announcement.tokenLabel), field(announcement.counterLabel)};
    parts << announcement.recordings;
    return parts.join(QLatin1Char(' '));
}

} // namespace vs
