#pragma once

#include <QString>
#include <QStringList>

class SoundPlayer;

// The voice module: announcements are spoken by playing recordings from a language folder
// (<installation folder>/vs/<language>/) one after another.
//
// The functions below only work out which recordings make up what is said; Player plays them.
namespace vs {

// Each character of text, lower-cased, + ".wav" ("A1" gives a.wav, 1.wav).
QStringList spellLetters(const QString& text);

// A label in the first language: its letters first (spelt), then its digits as a number built from
// the digit, teen and tens recordings with "00.wav" (hundred), "000.wav" (thousand of a four-digit
// number) and the group words thousand/million/billion/trillion. More than fifteen digits speak only
// the letters.
QStringList speakNumber(const QString& label);

// As speakNumber, but two-digit numbers have a recording each ("10.wav" ... "99.wav").
QStringList speakNumber2(const QString& label);

// What a template test says: element 0 names the language folder; "*" and "#" become the sample
// number 12, spoken by rule set 1 (speakNumber) or 2 (speakNumber2); any other element is a
// recording's file name, taken as written.
struct Announcement
{
    QString language;
    QStringList recordings;
};
Announcement templateTest(const QString& voiceTemplate, int ruleSet);

// A template spoken with the given token and counter labels in place of "*" and "#".
Announcement speakTemplate(const QString& voiceTemplate, int ruleSet, const QString& tokenLabel,
                           const QString& counterLabel);

// The two templates offered until a workstation saves its own.
QString defaultTemplate1();
QString defaultTemplate2();

// Plays recordings of the current language, each to its end; a missing file plays nothing.
class Player
{
public:
    Player(SoundPlayer& sound, QString installDir);

    // The language folder recordings are taken from.
    QString language;

    QString pathOf(const QString& recording) const;
    void playVoice(const QString& recording);
    void play(const QStringList& recordings);

    void spellLetters(const QString& text) { play(vs::spellLetters(text)); }
    void speakNumber(const QString& label) { play(vs::speakNumber(label)); }
    void speakNumber2(const QString& label) { play(vs::speakNumber2(label)); }
    // Switches to the template's language and speaks it with the sample number.
    void testTemplate(const QString& voiceTemplate, int ruleSet);

private:
    SoundPlayer& m_sound;
    QString m_installDir;
};

} // namespace vs
