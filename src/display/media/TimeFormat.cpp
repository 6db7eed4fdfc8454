#include "display/media/TimeFormat.h"

#include <QVector>

namespace {

struct Token
{
    enum Kind { Literal, Field, AmPm } kind = Literal;
    QChar letter; // lower case, for fields
    int count = 0;
    QString text; // the literal, or the AM/PM field as written
};

bool startsWithAt(const QString& s, int i, const char* what)
{
    return s.mid(i).startsWith(QLatin1String(what), Qt::CaseInsensitive);
}

// Length of an AM/PM field at position i (AM/PM, AMPM, A/P, or Qt's AP), 0 when there is none.
int amPmLength(const QString& f, int i)
{
    if (startsWithAt(f, i, "am/pm"))
        return 5;
    if (startsWithAt(f, i, "ampm"))
        return 4;
    if (startsWithAt(f, i, "a/p"))
        return 3;
    if (startsWithAt(f, i, "ap") && (i + 2 >= f.size() || !f.at(i + 2).isLetter()))
        return 2;
    return 0;
}

QVector<Token> tokenize(const QString& f)
{
    QVector<Token> out;
    const auto literal = [&](const QString& text) {
        if (!out.isEmpty() && out.last().kind == Token::Literal)
            out.last().text += text;
        else
            out.append(Token{Token::Literal, {}, 0, text});
    };
    for (int i = 0; i < f.size();) {
        const QChar c = f.at(i);
        if (const int len = amPmLength(f, i); len > 0) {
            out.append(Token{Token::AmPm, {}, 0, f.mid(i, len)});
            i += len;
        } else if (c == QLatin1Char('"')) {
            const int end = f.indexOf(QLatin1Char('"'), i + 1);
            literal(f.mid(i + 1, end < 0 ? -1 : end - i - 1));
            i = end < 0 ? int(f.size()) : end + 1;
        } else if (c == QLatin1Char('\\') && i + 1 < f.size()) {
            literal(f.mid(i + 1, 1));
            i += 2;
        } else if (QStringLiteral("dmnhsyDMNHSY").contains(c)) {
            int n = 1;
            while (i + n < f.size() && f.at(i + n).toLower() == c.toLower())
                ++n;
            out.append(Token{Token::Field, c.toLower(), n, {}});
            i += n;
        } else {
            literal(QString(c));
            ++i;
        }
    }
    return out;
}

QString quoted(const QString& literal)
{
    // Letters are quoted so Qt does not read them as fields; quotes are doubled.
    QString out;
    QString run;
    const auto flush = [&] {
        if (!run.isEmpty())
            out += QLatin1Char('\'') + run + QLatin1Char('\'');
        run.clear();
    };
    for (const QChar c : literal) {
        if (c == QLatin1Char('\'')) {
            flush();
            out += QStringLiteral("''");
        } else if (c.isLetter()) {
            run += c;
        } else {
            flush();
            out += c;
        }
    }
    flush();
    return out;
}

bool qtStyle(const QString& f)
{
    bool inQuote = false;
    for (int i = 0; i < f.size(); ++i) {
        const QChar c = f.at(i);
        if (c == QLatin1Char('\''))
            inQuote = !inQuote;
        else if (inQuote)
            continue;
        else if (const int len = amPmLength(f, i); len > 0)
            i += len - 1;
        else if (c == QLatin1Char('M') || c == QLatin1Char('H'))
            return true;
    }
    return false;
}

} // namespace

QString qtTimeFormat(const QString& format)
{
    if (format.isEmpty() || qtStyle(format))
        return format;
    const QVector<Token> tokens = tokenize(format);
    bool twelveHour = false;
    for (const Token& t : tokens)
        twelveHour = twelveHour || t.kind == Token::AmPm;

    QString out;
    QChar previousField;
    for (int i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens.at(i);
        if (t.kind == Token::Literal) {
            out += quoted(t.text);
            continue;
        }
        if (t.kind == Token::AmPm) {
            out += t.text.at(0).isUpper() ? QStringLiteral("AP") : QStringLiteral("ap");
            continue;
        }
        const int n = t.count;
        switch (t.letter.unicode()) {
        case 'd':
            out += n <= 4   ? QString(n, QLatin1Char('d'))
                   : n == 5 ? QStringLiteral("dd/MM/yyyy")
                            : QStringLiteral("dddd, MMMM d, yyyy");
            break;
        case 'm': {
            QChar nextField;
            for (int j = i + 1; j < tokens.size() && nextField.isNull(); ++j) {
                if (tokens.at(j).kind == Token::Field)
                    nextField = tokens.at(j).letter;
            }
            const bool minutes =
                n <= 2 && (previousField == QLatin1Char('h') || nextField == QLatin1Char('s'));
            out += minutes ? QString(n, QLatin1Char('m')) : QString(qMin(n, 4), QLatin1Char('M'));
            break;
        }
        case 'n':
            out += QString(qMin(n, 2), QLatin1Char('m'));
            break;
        case 'h':
            out += QString(qMin(n, 2), twelveHour ? QLatin1Char('h') : QLatin1Char('H'));
            break;
        case 's':
            out += QString(qMin(n, 2), QLatin1Char('s'));
            break;
        case 'y':
            out += n <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
            break;
        default:
            break;
        }
        previousField = t.letter;
    }
    return out;
}

QString boardTimeFormat(const QString& stored)
{
    return stored.isEmpty() ? QStringLiteral("dd-MMM-yyyy HH:mm") : qtTimeFormat(stored);
}
