#include "content/RtfText.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <gtest/gtest.h>

namespace {

// One run as the editor shows it: the text with its resolved character formatting.
struct TextRun
{
    QString text, family;
    double points = 0;
    bool bold = false, italic = false, underline = false, strike = false;
    QColor fore = QColor();
    QColor back = QColor();

    bool operator==(const TextRun&) const = default;
};

void PrintTo(const TextRun& r, std::ostream* os)
{
    *os << r.text.toStdString() << " [" << r.family.toStdString() << " " << r.points << (r.bold ? " b" : "")
        << (r.italic ? " i" : "") << (r.underline ? " u" : "") << (r.strike ? " s" : "") << " "
        << r.fore.name().toStdString() << (r.fore.isValid() ? "" : "(none)") << " / "
        << r.back.name().toStdString() << (r.back.isValid() ? "" : "(none)") << "]";
}

QList<TextRun> runs(const QTextDocument& doc)
{
    QList<TextRun> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            TextRun r;
            r.text = it.fragment().text();
            const QStringList families = f.fontFamilies().toStringList();
            r.family = families.isEmpty() ? QString() : families.first();
            r.points = f.fontPointSize();
            r.bold = f.fontWeight() >= QFont::Bold;
            r.italic = f.fontItalic();
            r.underline = f.fontUnderline();
            r.strike = f.fontStrikeOut();
            if (f.foreground().style() != Qt::NoBrush)
                r.fore = f.foreground().color();
            if (f.background().style() != Qt::NoBrush)
                r.back = f.background().color();
            out.append(r);
        }
    }
    return out;
}

QTextCharFormat format(const TextRun& r)
{
    QTextCharFormat f;
    f.setFontFamilies({r.family});
    f.setFontPointSize(r.points);
    f.setFontWeight(r.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(r.italic);
    f.setFontUnderline(r.underline);
    f.setFontStrikeOut(r.strike);
    if (r.fore.isValid())
        f.setForeground(r.fore);
    if (r.back.isValid())
        f.setBackground(r.back);
    return f;
}

QTextDocument* readBack(const QString& rtfText, QTextDocument* into)
{
    rtf::toDocument(rtfText, *into);
    return into;
}

} // namespace

// Every character format the editor offers survives writing and reading, one run at a time and
// mixed in one paragraph.
TEST(RtfText, EveryCharacterFormatRoundTrips)
{
    const TextRun plain{QStringLiteral("plain "), QStringLiteral("Arial"), 20};
    QList<TextRun> cases = {
        plain,
        {QStringLiteral("bold "), QStringLiteral("Arial"), 20, true},
        {QStringLiteral("italic "), QStringLiteral("Arial"), 20, false, true},
        {QStringLiteral("underline "), QStringLiteral("Arial"), 20, false, false, true},
        {QStringLiteral("strike "), QStringLiteral("Arial"), 20, false, false, false, true},
        {QStringLiteral("courier 9.5 "), QStringLiteral("Courier New"), 9.5},
        {QStringLiteral("green on yellow "), QStringLiteral("Arial"), 20, false, false, false, false,
         QColor(0, 128, 0), QColor(255, 255, 0)},
        {QStringLiteral("black on white "), QStringLiteral("Arial"), 20, false, false, false, false,
         QColor(0, 0, 0), QColor(255, 255, 255)},
        {QStringLiteral("all at once"), QStringLiteral("DejaVu Serif"), 36, true, true, true, true,
         QColor(200, 10, 30), QColor(10, 20, 240)},
        {QStringLiteral(" {braces} \\back\\slash 25/12 <b>tag</b>\tTab \u00e9\u20ac\u041f\u0440\u0438"),
         QStringLiteral("Arial"), 20},
        {QStringLiteral("\u65e5\u672c Font"), QStringLiteral("Fonte \u00e9t\u00e9"), 14},
    };
    for (const TextRun& r : cases) {
        QTextDocument doc;
        QTextCursor(&doc).insertText(r.text, format(r));
        QTextDocument back;
        EXPECT_EQ(runs(*readBack(rtf::fromDocument(doc), &back)), QList<TextRun>{r});
    }

    QTextDocument mixed;
    QTextCursor c(&mixed);
    for (const TextRun& r : cases)
        c.insertText(r.text, format(r));
    QTextDocument back;
    EXPECT_EQ(runs(*readBack(rtf::fromDocument(mixed), &back)), cases);
}

TEST(RtfText, ParagraphsKeepAlignmentTabsIndentsAndBullets)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(centred);
    c.insertText(QStringLiteral("Centred"));
    QTextBlockFormat tabbed;
    tabbed.setAlignment(Qt::AlignRight);
    tabbed.setTabPositions(
        {QTextOption::Tab(48, QTextOption::LeftTab), QTextOption::Tab(96, QTextOption::LeftTab)});
    tabbed.setLeftMargin(30);
    tabbed.setTextIndent(-10);
    c.insertBlock(tabbed);
    c.insertText(QStringLiteral("a\tb\tc"));
    c.insertBlock(QTextBlockFormat());
    c.insertText(QStringLiteral("first point"));
    c.createList(QTextListFormat::ListDisc);
    c.insertBlock();
    c.insertText(QStringLiteral("second point"));
    c.insertBlock(QTextBlockFormat());
    if (QTextList* l = c.currentList())
        l->remove(c.block());
    c.setBlockFormat(QTextBlockFormat());
    c.insertText(QStringLiteral("after\u2028the break"));
    c.insertBlock(QTextBlockFormat()); // an empty last paragraph stays

    QTextDocument back;
    readBack(rtf::fromDocument(doc), &back);
    ASSERT_EQ(back.blockCount(), doc.blockCount());
    EXPECT_EQ(back.toPlainText(), doc.toPlainText());
    const QTextBlock b0 = back.begin();
    const QTextBlock b1 = b0.next();
    const QTextBlock b2 = b1.next();
    const QTextBlock b3 = b2.next();
    const QTextBlock b4 = b3.next();
    EXPECT_EQ(b0.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(b1.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    ASSERT_EQ(b1.blockFormat().tabPositions().size(), 2);
    EXPECT_EQ(b1.blockFormat().tabPositions().at(1).position, 96);
    EXPECT_EQ(b1.blockFormat().leftMargin(), 30);
    EXPECT_EQ(b1.blockFormat().textIndent(), -10);
    ASSERT_TRUE(b2.textList());
    EXPECT_EQ(b2.textList(), b3.textList()) << "consecutive bullets are one list";
    EXPECT_EQ(b2.textList()->format().style(), QTextListFormat::ListDisc);
    EXPECT_FALSE(b4.textList());
    EXPECT_EQ(b4.text(), QStringLiteral("after\u2028the break"));
    EXPECT_EQ(b4.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

// Rich text written elsewhere: code pages, \u with its fallback, symbols, skipped groups.
TEST(RtfText, ReadsWhatWordProcessorsWrite)
{
    struct Case
    {
        const char* rtf;
        QString text;
    };
    const Case cases[] = {
        // \'hh in the document's code page.
        {R"({\rtf1\ansi\ansicpg1251\deff0{\fonttbl{\f0\fnil Arial;}}\f0 \'cf\'f0\'e8\'e2\'e5\'f2\par})",
         QStringLiteral("\u041f\u0440\u0438\u0432\u0435\u0442")},
        // A font's \fcharset decides over the document's page: Cyrillic and Greek in one text.
        {R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fswiss\fcharset204 Arial;}{\f1\froman\fcharset161 Times;}})"
         R"(\f0 \'c4\'e0 \f1\'e1\'e1\par})",
         QStringLiteral("\u0414\u0430 \u03b1\u03b1")},
        // Windows-1252 by default, with the bytes only 1252 has.
        {R"({\rtf1\ansi Caf\'e9 \'80 \'93q\'94\par})", QStringLiteral("Caf\u00e9 \u20ac \u201cq\u201d")},
        // Shift_JIS: two bytes a character.
        {R"({\rtf1\ansi\ansicpg932 \'93\'fa\'96\'7b\par})", QStringLiteral("\u65e5\u672c")},
        // \u with a one-character fallback, with \uc2 and a two-byte fallback, with \uc0.
        {R"({\rtf1\ansi \u8364?5 {\uc2\u1055\'cf\'cf!} {\uc0\u1056 x}\par})",
         QStringLiteral("\u20ac5 \u041f! \u0420x")},
        {R"({\rtf1\ansi Don\rquote t \lquote x\rquote  \ldblquote y\rdblquote  a\emdash b\endash c \bullet\~d\par})",
         QStringLiteral("Don\u2019t \u2018x\u2019 \u201cy\u201d a\u2014b\u2013c \u2022 d")},
        // (A no-break space reads as a space in plain text.)
        // Destinations without text, starred groups, a picture, fields' instructions, binary data.
        {R"({\rtf1\ansi{\*\generator Writer 1.0;}{\stylesheet{\s0 Normal;}}{\info{\title T}})"
         R"({\pict\pngblip 89504e47}{\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}} {\*\unknown z}one\bin3 abctwo\par})",
         QStringLiteral("link onetwo")},
        // A table keeps its cells apart (tabs) and its rows (paragraphs).
        {R"({\rtf1\ansi\trowd\cellx1000\cellx2000 A\cell B\cell\row C\par})", QStringLiteral("A\tB\t\nC")},
        // Not rich text: left as it is.
        {"plain {text} \\x", QStringLiteral("plain {text} \\x")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rtf::plainText(QString::fromLatin1(c.rtf)), c.text) << c.rtf;

    // A file's raw 8-bit characters count in its code page too.
    QTextDocument doc;
    rtf::toDocument(QByteArray("{\\rtf1\\ansi\\ansicpg1251 \xcf\xf0\xe8\\par}"), doc);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("\u041f\u0440\u0438"));
}

TEST(RtfText, ReadsFormattingAsWordProcessorsWriteIt)
{
    // State carried from word to word, \plain, \ulnone, \b0, a WordPad bullet list, an old stored
    // message in one run.
    const QString wordpad = QStringLiteral(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}{\\f1\\fnil\\fcharset2 Symbol;}}"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\n"
        "\\viewkind4\\uc1\\pard\\qc\\f0\\fs22 Title \\b bold\\b0  \\ul under\\ulnone  \\cf1 red\\cf0\\par\n"
        "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li720 "
        "one\\par\n"
        "{\\pntext\\f1\\'B7\\tab}\\highlight2 two\\plain\\par\n\\pard\\fs48 end\\par\n}");
    QTextDocument doc;
    rtf::toDocument(wordpad, doc);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Title bold under red\none\ntwo\nend"));
    const QList<TextRun> r = runs(doc);
    ASSERT_GE(r.size(), 8);
    EXPECT_EQ(r[0], (TextRun{QStringLiteral("Title "), QStringLiteral("Calibri"), 11}));
    EXPECT_TRUE(r[1].bold);
    EXPECT_EQ(r[3].text, QStringLiteral("under"));
    EXPECT_TRUE(r[3].underline);
    EXPECT_FALSE(r[4].underline);
    EXPECT_EQ(r[5].fore, QColor(255, 0, 0));
    EXPECT_EQ(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextBlock one = doc.begin().next();
    ASSERT_TRUE(one.textList());
    EXPECT_EQ(one.next().textList(), one.textList());
    EXPECT_EQ(runs(doc).at(7).back, QColor(0, 0, 255));
    EXPECT_FALSE(doc.lastBlock().textList());
    EXPECT_EQ(doc.lastBlock().begin().fragment().charFormat().fontPointSize(), 24);
}
