#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Settings;

// What the hall announcer says for one call the board shows. Pure functions: they only work out the
// recordings; playing them is the announcer's job.
namespace vs {

// Which templates a workstation speaks for a call (setting queue / scroll / vsAnnounce).
enum class AnnounceChoice { Both, FirstOnly, Off };

// The choices in the order the settings screen offers them.
QList<AnnounceChoice> announceChoices();
// The English text the setting stores for a choice.
QString announceChoiceText(AnnounceChoice choice);
// The same text in the screen's language, for showing only.
QString announceChoiceLabel(AnnounceChoice choice);
// A stored text back to its choice; anything unknown speaks both languages.
AnnounceChoice announceChoiceFrom(const QString& text);

// What the workstation's settings say about announcing.
struct AnnouncerSettings
{
    QString template1;
    QString template2;
    AnnounceChoice choice = AnnounceChoice::Both;
    // A call that waited longer than this for its turn is left out (0: never); setting
    // queue / scroll / vsMaxWait.
    int maxWaitSeconds = 30;
};
AnnouncerSettings announcerSettings(const Settings& settings);

// The counter's label spoken for "#": the last word of the counter's caption that holds a digit
// (0-9), keeping only its letters and digits, so "Room 3" gives 3, "C12" gives C12 and "Desk 4-B"
// gives 4B. A caption without a digit falls back to the same rule on the call's second line (the
// counter's name, when the call carries it); with no digit there either the label is empty and "#"
// says nothing.
QString counterLabel(const QString& caption, const QString& secondLine = QString());

// The recording of the counter's name for a counter whose names hold no digit: given the language
// folder and the template (1 or 2) it is for, the recording's absolute path, or "" when there is none.
using CounterName = std::function<QString(const QString& language, int templateNumber)>;

// One template spoken for a call: element 0 names the language folder; "*" is the token label and
// "#" the counter label, spoken by rule set 1 (speakNumber) or 2 (speakNumber2); any other element is
// a recording's file name as written; empty elements are silent and left out. The result holds paths
// relative to the installation folder ("vs/english/ding").
// A counter without a label is spoken by the recording counterName gives instead, and the "roomno"
// just before its "#" is left out ("please go to Pharmacy"), so no announcement ends in "room number"
// and silence.
QStringList templateRecordings(const QString& voiceTemplate, int ruleSet, const QString& tokenLabel,
                               const QString& counterLabel, const CounterName& counterName = {},
                               int templateNumber = 1);

// One announcement: the label, the counter label and every recording in the order it is played.
struct CallAnnouncement
{
    QString tokenLabel;
    QString counterLabel;
    QStringList recordings;
    // How many of the recordings are template 1's (the rest are template 2's).
    qsizetype firstTemplate = 0;
};

// Template 1 with the first-language rules, then (unless the choice is first only) template 2 with
// the second-language rules. The choice Off gives no recordings. A ticket of a visitor's language
// (a code, "hi") whose recordings template 2 names (its element 0 is the language's name, "hindi") is
// said in template 2 first, then template 1: "first only" then says template 2 alone.
CallAnnouncement announceCall(const QString& tokenLabel, const QString& counterLabel,
                              const AnnouncerSettings& settings, const CounterName& counterName = {},
                              const QString& language = QString());

// The line `voice --print` writes: label, counter label ("-" when empty), then the recordings.
QString printLine(const CallAnnouncement& announcement);

} // namespace vs
