#include "display/voice/vs.h"

#include "ui/SoundPlayer.h"

namespace vs {

namespace {

const QString wav = QStringLiteral(".wav");

// Splits a label into its digits and its other characters, each keeping its order.
void splitLabel(const QString& label, QString& digits, QString& letters)
{
    for (const char32_t c : label.toUcs4()) {
        if (c >= U'0' && c <= U'9')
            digits.append(QChar(char16_t(c)));
        else
            letters.append(QString::fromUcs4(&c, 1));
    }
}

// The group word played after the leading digits of a number of `length` digits, and how many
// digits follow it.
struct Group
{
    const char* word;
    qsizetype tail;
};

Group groupFor(qsizetype length)
{
    if (length == 4)
        return {"000", 3};
    if (length <= 6)
        return {"thousand", 3};
    if (length <= 9)
        return {"million", 6};
    if (length <= 12)
        return {"billion", 9};
    return {"trillion", 12};
}

void number(const QString& n, bool secondLanguage, QStringList& out)
{
    const qsizetype length = n.size();
    if (length == 0 || length > 15)
        return;
    const QChar first = n.at(0);
    if (length == 1) {
        if (first != QLatin1Char('0'))
            out << n + wav;
        return;
    }
    if (length == 2) {
        if (first == QLatin1Char('0')) {
            number(n.mid(1), secondLanguage, out);
        } else if (secondLanguage || first == QLatin1Char('1')) {
            out << n + wav;
        } else {
            out << QString(first) + QLatin1Char('0') + wav;
            number(n.mid(1), secondLanguage, out);
        }
        return;
    }
    if (length == 3) {
        if (first != QLatin1Char('0')) {
            number(n.left(1), secondLanguage, out);
            out << QStringLiteral("00") + wav;
        }
        number(n.mid(1), secondLanguage, out);
        return;
    }
    // The group word is said even when the leading group is all zeros.
    const Group group = groupFor(length);
    number(n.left(length - group.tail), secondLanguage, out);
    out << QLatin1String(group.word) + wav;
    number(n.right(group.tail), secondLanguage, out);
}

QStringList speak(const QString& label, bool secondLanguage)
{
    QString digits;
    QString letters;
    splitLabel(label, digits, letters);
    QStringList out = spellLetters(letters);
    number(digits, secondLanguage, out);
    return out;
}

} // namespace

QStringList spellLetters(const QString& text)
{
    QStringList out;
    for (const char32_t c : text.toUcs4())
        out << QString::fromUcs4(&c, 1).toLower() + wav;
    return out;
}

QStringList speakNumber(const QString& label)
{
    return speak(label, false);
}

QStringList speakNumber2(const QString& label)
{
    return speak(label, true);
}

Announcement speakTemplate(const QString& voiceTemplate, int ruleSet, const QString& tokenLabel,
                           const QString& counterLabel)
{
    const QStringList items = voiceTemplate.split(QLatin1Char('|'));
    Announcement a;
    a.language = items.value(0);
    auto spoken = [ruleSet](const QString& label) {
        return ruleSet == 2 ? speakNumber2(label) : speakNumber(label);
    };
    for (qsizetype i = 1; i < items.size(); ++i) {
        const QString& item = items.at(i);
        if (item == QLatin1String("*"))
            a.recordings << spoken(tokenLabel);
        else if (item == QLatin1String("#"))
            a.recordings << spoken(counterLabel);
        else
            a.recordings << item;
    }
    return a;
}

Announcement templateTest(const QString& voiceTemplate, int ruleSet)
{
    const QString sample = QStringLiteral("12");
    return speakTemplate(voiceTemplate, ruleSet, sample, sample);
}

QString defaultTemplate1()
{
    return QStringLiteral("english|ding|token|*|please|roomno|#");
}

QString defaultTemplate2()
{
    return QStringLiteral("hindi|ding|token|*|please|roomno|#|go");
}

Player::Player(SoundPlayer& sound, QString installDir) : m_sound(sound), m_installDir(std::move(installDir))
{
}

QString Player::pathOf(const QString& recording) const
{
    return m_installDir + QStringLiteral("/vs/") + language + QLatin1Char('/') + recording;
}

void Player::playVoice(const QString& recording)
{
    m_sound.playToEnd(pathOf(recording));
}

void Player::play(const QStringList& recordings)
{
    for (const QString& r : recordings)
        playVoice(r);
}

void Player::testTemplate(const QString& voiceTemplate, int ruleSet)
{
    const Announcement a = templateTest(voiceTemplate, ruleSet);
    language = a.language;
    play(a.recordings);
}

} // namespace vs
