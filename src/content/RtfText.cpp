#include "content/RtfText.h"

#include <QStringDecoder>

namespace rtf {

namespace {

QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c == QLatin1Char('\n')) {
            out += QStringLiteral("\\par\n");
        } else if (c == QLatin1Char('\t')) {
            out += QStringLiteral("\\tab ");
        } else if (u < 0x80) {
            out += c;
        } else {
            // \uN takes a signed 16-bit number; the "?" is what readers without Unicode show.
            out += QStringLiteral("\\u%1?").arg(int(qint16(u)));
        }
    }
    return out;
}

// Groups whose text is not part of the document.
bool isDestination(const QString& word)
{
    static const QStringList skipped = {QStringLiteral("fonttbl"),
                                        QStringLiteral("colortbl"),
                                        QStringLiteral("stylesheet"),
                                        QStringLiteral("info"),
                                        QStringLiteral("pict"),
                                        QStringLiteral("header"),
                                        QStringLiteral("footer"),
                                        QStringLiteral("generator"),
                                        QStringLiteral("listtable"),
                                        QStringLiteral("listoverridetable"),
                                        QStringLiteral("xmlnstbl"),
                                        QStringLiteral("themedata"),
                                        QStringLiteral("colorschememapping"),
                                        QStringLiteral("latentstyles"),
                                        QStringLiteral("datastore"),
                                        QStringLiteral("rsidtbl"),
                                        QStringLiteral("pntext"),
                                        QStringLiteral("pntxtb"),
                                        QStringLiteral("pntxta")};
    return skipped.contains(word);
}

} // namespace

QString write(const QString& plain, const QString& fontName, int points, const QColor& color)
{
    QString text = plain;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil %1;}}"
                          "{\\colortbl ;\\red%2\\green%3\\blue%4;}\n"
                          "\\viewkind4\\uc1\\pard\\cf1\\f0\\fs%5 %6\\par\n}")
        .arg(escaped(fontName))
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(points * 2)
        .arg(escaped(text));
}

bool looksLikeRtf(const QString& text)
{
    return text.trimmed().startsWith(QLatin1String("{\\rtf"));
}

QString plainText(const QString& rtfText)
{
    if (!looksLikeRtf(rtfText))
        return rtfText;

    QString out;
    QByteArray pendingBytes; // \'hh bytes, decoded as Windows-1252 together
    auto flushBytes = [&] {
        if (pendingBytes.isEmpty())
            return;
        QStringDecoder decoder("Windows-1252");
        out += decoder.isValid() ? decoder.decode(pendingBytes) : QString::fromLatin1(pendingBytes);
        pendingBytes.clear();
    };

    struct Group
    {
        bool skip = false;
        int uc = 1;
    };
    QList<Group> stack{Group{}};
    int skipChars = 0; // fallback characters still to drop after a \uN
    const int n = int(rtfText.size());
    int i = 0;
    bool groupStart = false;
    while (i < n) {
        const QChar c = rtfText.at(i);
        if (c == QLatin1Char('{')) {
            flushBytes();
            stack.append(stack.last());
            groupStart = true;
            ++i;
            continue;
        }
        if (c == QLatin1Char('}')) {
            flushBytes();
            if (stack.size() > 1)
                stack.removeLast();
            groupStart = false;
            ++i;
            continue;
        }
        if (c == QLatin1Char('\\')) {
            ++i;
            if (i >= n)
                break;
            const QChar d = rtfText.at(i);
            if (d == QLatin1Char('\'')) {
                const bool ok = i + 2 < n + 1;
                bool hexOk = false;
                const int byte = ok ? rtfText.mid(i + 1, 2).toInt(&hexOk, 16) : 0;
                i += 3;
                if (stack.last().skip)
                    continue;
                if (skipChars > 0) {
                    --skipChars;
                    continue;
                }
                if (hexOk)
                    pendingBytes.append(char(byte));
                continue;
            }
            if (!d.isLetter()) {
                // Control symbols: \\ \{ \} stand for themselves, \* marks an optional destination.
                ++i;
                if (d == QLatin1Char('*')) {
                    if (groupStart)
                        stack.last().skip = true;
                    continue;
                }
                flushBytes();
                if (stack.last().skip)
                    continue;
                if (d == QLatin1Char('~'))
                    out += QChar(0x00A0);
                else if (d == QLatin1Char('\\') || d == QLatin1Char('{') || d == QLatin1Char('}'))
                    out += d;
                groupStart = false;
                continue;
            }
            int start = i;
            while (i < n && rtfText.at(i).isLetter())
                ++i;
            const QString word = rtfText.mid(start, i - start);
            start = i;
            if (i < n && (rtfText.at(i) == QLatin1Char('-') || rtfText.at(i).isDigit())) {
                ++i;
                while (i < n && rtfText.at(i).isDigit())
                    ++i;
            }
            const QString numText = rtfText.mid(start, i - start);
            const bool hasNum = !numText.isEmpty();
            const int num = numText.toInt();
            if (i < n && rtfText.at(i) == QLatin1Char(' '))
                ++i; // the delimiter belongs to the control word
            flushBytes();
            const bool wasGroupStart = groupStart;
            groupStart = false;
            if (wasGroupStart && isDestination(word)) {
                stack.last().skip = true;
                continue;
            }
            if (stack.last().skip)
                continue;
            if (word == QLatin1String("uc") && hasNum) {
                stack.last().uc = num;
            } else if (word == QLatin1String("u") && hasNum) {
                out += QChar(ushort(num < 0 ? num + 65536 : num));
                skipChars = stack.last().uc;
            } else if (word == QLatin1String("par") || word == QLatin1String("line")) {
                out += QLatin1Char('\n');
            } else if (word == QLatin1String("tab")) {
                out += QLatin1Char('\t');
            }
            continue;
        }
        groupStart = false;
        ++i;
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            continue;
        if (stack.last().skip)
            continue;
        if (skipChars > 0) {
            --skipChars;
            continue;
        }
        flushBytes();
        out += c;
    }
    flushBytes();
    // A document ends with a paragraph mark; the message does not.
    while (out.endsWith(QLatin1Char('\n')))
        out.chop(1);
    return out;
}

} // namespace rtf
