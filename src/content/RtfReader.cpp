#include "content/RtfTables.h"
#include "content/RtfText.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <optional>

namespace rtf {

namespace {

struct Font
{
    QString name;
    int codePage = 0; // 0: the document's
};

// Character formatting; saved and restored with every group.
struct CharState
{
    int font = -1;
    int halfPoints = 0; // 0: not given
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int fore = 0; // colour table index; 0 is the automatic colour
    int back = 0;
};

// Paragraph formatting; it holds until \pard, also across groups (as word processors write it).
struct ParaState
{
    Qt::Alignment alignment = Qt::AlignLeft;
    QList<int> tabs; // twips
    int left = 0, first = 0, right = 0;
    bool bullet = false;
};

enum class Destination { Text, Skip, FontTable, ColorTable, Numbering };

struct Group
{
    CharState chars;
    Destination destination = Destination::Text;
    int uc = 1; // fallback characters after \uN
};

// Document units are pixels at 96 per inch, 15 twips each.
constexpr double TwipsPerUnit = 15.0;

class Reader
{
public:
    Reader(const QString& text, bool rawBytes, QTextDocument& document)
        : m_text(text), m_rawBytes(rawBytes), m_doc(document), m_cursor(&document)
    {
    }

    void run()
    {
        m_doc.clear();
        m_cursor = QTextCursor(&m_doc);
        m_stack.append(Group{});
        const int n = int(m_text.size());
        int i = 0;
        while (i < n) {
            const QChar c = m_text.at(i);
            if (c == QLatin1Char('{')) {
                flushBytes();
                m_stack.append(m_stack.last());
                m_groupStart = true;
                ++i;
                continue;
            }
            if (c == QLatin1Char('}')) {
                flushBytes();
                closeGroup();
                m_skipFallback = 0;
                ++i;
                continue;
            }
            if (c == QLatin1Char('\\')) {
                i = controlAt(i + 1);
                continue;
            }
            m_groupStart = false;
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                ++i;
                continue;
            }
            if (m_rawBytes && c.unicode() > 0x7F && c.unicode() < 0x100)
                byte(char(c.unicode()));
            else
                character(c);
            ++i;
        }
        flushBytes();
        finishBlock();
        // The \par that ends the last paragraph leaves an empty block behind it.
        if (m_endedWithPar && m_doc.blockCount() > 1 && m_doc.lastBlock().length() <= 1) {
            QTextCursor c(m_doc.lastBlock());
            c.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
            c.removeSelectedText();
        }
        m_doc.setModified(false);
    }

private:
    Group& top() { return m_stack.last(); }

    void closeGroup()
    {
        if (m_stack.size() <= 1)
            return;
        const Group closed = m_stack.takeLast();
        if (closed.destination == Destination::FontTable &&
            m_stack.last().destination != Destination::FontTable)
            commitFont();
        m_groupStart = false;
    }

    // Reads the control after a backslash; returns the index after it.
    int controlAt(int i)
    {
        const int n = int(m_text.size());
        if (i >= n)
            return n;
        const QChar d = m_text.at(i);
        if (d == QLatin1Char('\'')) {
            bool ok = false;
            const int value = m_text.mid(i + 1, 2).toInt(&ok, 16);
            if (ok)
                byte(char(value));
            m_groupStart = false;
            return i + 3;
        }
        if (d == QLatin1Char('*')) {
            m_starred = true; // the group's first word names it; the group start still holds
            return i + 1;
        }
        if (!d.isLetter()) {
            m_groupStart = false;
            if (d == QLatin1Char('\\') || d == QLatin1Char('{') || d == QLatin1Char('}'))
                character(d);
            else if (d == QLatin1Char('\n') || d == QLatin1Char('\r'))
                word(QStringLiteral("par"), std::nullopt);
            else
                word(QString(d), std::nullopt);
            return i + 1;
        }
        int j = i;
        while (j < n && m_text.at(j).isLetter() && m_text.at(j).unicode() < 0x80)
            ++j;
        const QString name = m_text.mid(i, j - i);
        std::optional<int> parameter;
        int k = j;
        if (k < n && (m_text.at(k) == QLatin1Char('-') || m_text.at(k).isDigit())) {
            ++k;
            while (k < n && m_text.at(k).isDigit())
                ++k;
            parameter = m_text.mid(j, k - j).toInt();
        }
        if (k < n && m_text.at(k) == QLatin1Char(' '))
            ++k; // the space ends the word and is not text
        if (name == QLatin1String("bin") && parameter) {
            flushBytes();
            return qMin(n, k + qMax(0, *parameter)); // binary data: nothing for us
        }
        word(name, parameter);
        return k;
    }

    void word(const QString& name, std::optional<int> parameter)
    {
        const bool groupStart = m_groupStart;
        const bool starred = m_starred;
        m_groupStart = false;
        m_starred = false;
        Group& g = top();
        if (groupStart) {
            if (name == QLatin1String("fonttbl")) {
                g.destination = Destination::FontTable;
                return;
            }
            if (name == QLatin1String("colortbl")) {
                g.destination = Destination::ColorTable;
                return;
            }
            if (name == QLatin1String("pn")) {
                g.destination = Destination::Numbering;
                return;
            }
            if (starred || isSkippedDestination(name)) {
                g.destination = Destination::Skip;
                return;
            }
        }
        if (g.destination == Destination::Skip)
            return;
        if (g.destination == Destination::FontTable) {
            fontTableWord(name, parameter);
            return;
        }
        if (g.destination == Destination::ColorTable) {
            const int v = qBound(0, parameter.value_or(0), 255);
            if (name == QLatin1String("red"))
                m_color.setRed(v);
            else if (name == QLatin1String("green"))
                m_color.setGreen(v);
            else if (name == QLatin1String("blue"))
                m_color.setBlue(v);
            m_colorGiven = true;
            return;
        }
        if (g.destination == Destination::Numbering) {
            if (name.startsWith(QLatin1String("pnlvl")))
                m_para.bullet = true;
            return;
        }
        if (m_skipFallback > 0) {
            --m_skipFallback;
            return;
        }
        textWord(name, parameter);
    }

    void fontTableWord(const QString& name, std::optional<int> parameter)
    {
        if (name == QLatin1String("f")) {
            commitFont();
            m_fontIndex = parameter.value_or(0);
        } else if (name == QLatin1String("fcharset")) {
            m_fontCodePage = codePageOfCharset(parameter.value_or(0));
        } else if (name == QLatin1String("cpg")) {
            m_fontCodePage = parameter.value_or(0);
        } else if (name == QLatin1String("u") && parameter) {
            m_fontName += QChar(ushort(*parameter < 0 ? *parameter + 65536 : *parameter));
            m_skipFallback = top().uc;
        }
    }

    void commitFont()
    {
        flushBytes();
        if (m_fontIndex < 0)
            return;
        QString name = m_fontName.trimmed();
        if (name.endsWith(QLatin1Char(';')))
            name.chop(1);
        m_fonts[m_fontIndex] = Font{name.trimmed(), m_fontCodePage};
        m_fontIndex = -1;
        m_fontName.clear();
        m_fontCodePage = 0;
    }

    void textWord(const QString& name, std::optional<int> parameter)
    {
        CharState& ch = top().chars;
        const bool on = parameter.value_or(1) != 0;
        const int value = parameter.value_or(0);
        if (const std::optional<QChar> symbol = symbolFor(name)) {
            character(*symbol);
            return;
        }
        flushBytes();
        if (name == QLatin1String("par") || name == QLatin1String("row") ||
            name == QLatin1String("nestrow")) {
            paragraph();
        } else if (name == QLatin1String("u") && parameter) {
            character(QChar(ushort(value < 0 ? value + 65536 : value)));
            m_skipFallback = top().uc;
        } else if (name == QLatin1String("uc")) {
            top().uc = qMax(0, value);
        } else if (name == QLatin1String("ansicpg")) {
            m_codePage = value;
        } else if (name == QLatin1String("deff")) {
            m_defaultFont = value;
        } else if (name == QLatin1String("plain")) {
            ch = CharState{};
        } else if (name == QLatin1String("f")) {
            ch.font = value;
        } else if (name == QLatin1String("fs")) {
            ch.halfPoints = qMax(0, value);
        } else if (name == QLatin1String("b")) {
            ch.bold = on;
        } else if (name == QLatin1String("i")) {
            ch.italic = on;
        } else if (name == QLatin1String("ulnone")) {
            ch.underline = false;
        } else if (name.startsWith(QLatin1String("ul")) && name != QLatin1String("ulc")) {
            ch.underline = on;
        } else if (name == QLatin1String("strike") || name == QLatin1String("striked")) {
            ch.strike = on;
        } else if (name == QLatin1String("cf")) {
            ch.fore = value;
        } else if (name == QLatin1String("highlight") || name == QLatin1String("cb") ||
                   name == QLatin1String("chcbpat")) {
            ch.back = value;
        } else if (name == QLatin1String("pard")) {
            m_para = ParaState{};
        } else if (name == QLatin1String("ql")) {
            m_para.alignment = Qt::AlignLeft;
        } else if (name == QLatin1String("qc")) {
            m_para.alignment = Qt::AlignHCenter;
        } else if (name == QLatin1String("qr")) {
            m_para.alignment = Qt::AlignRight;
        } else if (name == QLatin1String("qj")) {
            m_para.alignment = Qt::AlignJustify;
        } else if (name == QLatin1String("tx") || name == QLatin1String("tb")) {
            m_para.tabs.append(value);
        } else if (name == QLatin1String("li")) {
            m_para.left = value;
        } else if (name == QLatin1String("fi")) {
            m_para.first = value;
        } else if (name == QLatin1String("ri")) {
            m_para.right = value;
        } else if (name == QLatin1String("ls")) {
            m_para.bullet = value > 0;
        }
    }

    void byte(char b)
    {
        if (top().destination == Destination::Skip || top().destination == Destination::Numbering)
            return;
        if (m_skipFallback > 0 && top().destination == Destination::Text) {
            --m_skipFallback;
            return;
        }
        m_bytes.append(b);
    }

    void flushBytes()
    {
        if (m_bytes.isEmpty())
            return;
        const QByteArray bytes = m_bytes;
        m_bytes.clear();
        if (top().destination == Destination::FontTable) {
            m_fontName += decodeCodePage(bytes, m_fontCodePage ? m_fontCodePage : m_codePage);
            return;
        }
        insert(decodeCodePage(bytes, currentCodePage()));
    }

    int currentCodePage() const
    {
        const int f = m_stack.last().chars.font >= 0 ? m_stack.last().chars.font : m_defaultFont;
        const auto it = m_fonts.constFind(f);
        if (it != m_fonts.constEnd() && it->codePage != 0)
            return it->codePage;
        return m_codePage;
    }

    void character(QChar c)
    {
        flushBytes();
        Group& g = top();
        switch (g.destination) {
        case Destination::Skip:
        case Destination::Numbering:
            return;
        case Destination::FontTable:
            if (m_skipFallback > 0) {
                --m_skipFallback;
                return;
            }
            m_fontName += c;
            if (c == QLatin1Char(';'))
                commitFont();
            return;
        case Destination::ColorTable:
            if (c == QLatin1Char(';')) {
                m_colors.append(m_colorGiven ? m_color : QColor());
                m_color = QColor(0, 0, 0);
                m_colorGiven = false;
            }
            return;
        case Destination::Text:
            break;
        }
        if (m_skipFallback > 0) {
            --m_skipFallback;
            return;
        }
        insert(QString(c));
    }

    void insert(const QString& text)
    {
        if (text.isEmpty())
            return;
        m_cursor.insertText(text, charFormat());
        m_endedWithPar = false;
    }

    QTextCharFormat charFormat() const
    {
        const CharState& ch = m_stack.last().chars;
        QTextCharFormat f;
        const int font = ch.font >= 0 ? ch.font : m_defaultFont;
        const auto it = m_fonts.constFind(font);
        if (it != m_fonts.constEnd() && !it->name.isEmpty())
            f.setFontFamilies({it->name});
        if (ch.halfPoints > 0)
            f.setFontPointSize(ch.halfPoints / 2.0);
        f.setFontWeight(ch.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(ch.italic);
        f.setFontUnderline(ch.underline);
        f.setFontStrikeOut(ch.strike);
        if (ch.fore > 0 && ch.fore < m_colors.size() && m_colors[ch.fore].isValid())
            f.setForeground(m_colors[ch.fore]);
        if (ch.back > 0 && ch.back < m_colors.size() && m_colors[ch.back].isValid())
            f.setBackground(m_colors[ch.back]);
        return f;
    }

    void paragraph()
    {
        finishBlock();
        m_cursor.insertBlock(QTextBlockFormat(), charFormat());
        m_endedWithPar = true;
    }

    // The paragraph formatting in force at its end is the paragraph's.
    void finishBlock()
    {
        QTextBlockFormat f;
        f.setAlignment(m_para.alignment);
        QList<QTextOption::Tab> tabs;
        for (int t : m_para.tabs)
            tabs.append(QTextOption::Tab(t / TwipsPerUnit, QTextOption::LeftTab));
        f.setTabPositions(tabs);
        f.setLeftMargin(m_para.left / TwipsPerUnit);
        f.setTextIndent(m_para.first / TwipsPerUnit);
        f.setRightMargin(m_para.right / TwipsPerUnit);
        const QTextBlock block = m_cursor.block();
        if (QTextList* list = block.textList())
            list->remove(block);
        m_cursor.setBlockFormat(f);
        if (m_para.bullet) {
            if (m_list && m_lastBlockBulleted)
                m_list->add(m_cursor.block());
            else
                m_list = m_cursor.createList(QTextListFormat::ListDisc);
            // createList may have changed the margins; keep what the paragraph asked for.
            QTextBlockFormat kept = m_cursor.blockFormat();
            kept.setLeftMargin(f.leftMargin());
            kept.setTextIndent(f.textIndent());
            m_cursor.setBlockFormat(kept);
        }
        m_lastBlockBulleted = m_para.bullet;
    }

    const QString& m_text;
    const bool m_rawBytes;
    QTextDocument& m_doc;
    QTextCursor m_cursor;
    QList<Group> m_stack;
    ParaState m_para;
    bool m_groupStart = false;
    bool m_starred = false;
    int m_skipFallback = 0;
    QByteArray m_bytes;
    int m_codePage = 1252;
    int m_defaultFont = 0;
    QHash<int, Font> m_fonts;
    int m_fontIndex = -1;
    QString m_fontName;
    int m_fontCodePage = 0;
    QList<QColor> m_colors;
    QColor m_color{0, 0, 0};
    bool m_colorGiven = false;
    QTextList* m_list = nullptr;
    bool m_lastBlockBulleted = false;
    bool m_endedWithPar = false;
};

} // namespace

bool looksLikeRtf(const QString& text)
{
    return text.trimmed().startsWith(QLatin1String("{\\rtf"));
}

void toDocument(const QString& rtfText, QTextDocument& document)
{
    if (!looksLikeRtf(rtfText)) {
        document.setPlainText(rtfText);
        return;
    }
    Reader(rtfText, false, document).run();
}

void toDocument(const QByteArray& rtfBytes, QTextDocument& document)
{
    const QString text = QString::fromLatin1(rtfBytes);
    if (!looksLikeRtf(text)) {
        document.setPlainText(QString::fromUtf8(rtfBytes));
        return;
    }
    Reader(text, true, document).run();
}

QString plainText(const QString& rtfText)
{
    if (!looksLikeRtf(rtfText))
        return rtfText;
    QTextDocument document;
    toDocument(rtfText, document);
    QString text = document.toPlainText();
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

} // namespace rtf
