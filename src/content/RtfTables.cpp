#include "content/RtfTables.h"

#include <QStringDecoder>

#include <algorithm>
#include <iterator>

namespace rtf {

namespace {

struct Symbol
{
    const char* word;
    char16_t ch;
};

const Symbol Symbols[] = {
    {"tab", u'\t'},
    {"line", u'\u2028'},
    {"rquote", u'\u2019'},
    {"lquote", u'\u2018'},
    {"rdblquote", u'\u201D'},
    {"ldblquote", u'\u201C'},
    {"emdash", u'\u2014'},
    {"endash", u'\u2013'},
    {"bullet", u'\u2022'},
    {"emspace", u'\u2003'},
    {"enspace", u'\u2002'},
    {"qmspace", u'\u2005'},
    {"~", u'\u00A0'},
    {"_", u'\u2011'},
    {"zwj", u'\u200D'},
    {"zwnj", u'\u200C'},
    {"ltrmark", u'\u200E'},
    {"rtlmark", u'\u200F'},
    // A table's cells stay apart as tab-separated text (its rows end as paragraphs).
    {"cell", u'\t'},
    {"nestcell", u'\t'},
};

const char* const SkippedDestinations[] = {
    "stylesheet",
    "info",
    "pict",
    "object",
    "header",
    "footer",
    "headerl",
    "headerr",
    "headerf",
    "footerl",
    "footerr",
    "footerf",
    "footnote",
    "annotation",
    "generator",
    "listtable",
    "listoverridetable",
    "xmlnstbl",
    "themedata",
    "colorschememapping",
    "latentstyles",
    "datastore",
    "rsidtbl",
    "pntext",
    "pntxtb",
    "pntxta",
    "fldinst",
    "bkmkstart",
    "bkmkend",
    "filetbl",
    "revtbl",
    "mmathPr",
    "nonshppict",
    "shp",
    "template",
};

struct Charset
{
    int charset;
    int codePage;
};

const Charset Charsets[] = {
    {0, 1252},   {2, 1252},   {77, 10000}, {128, 932},  {129, 949},  {130, 1361}, {134, 936},
    {136, 950},  {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257},
    {204, 1251}, {222, 874},  {238, 1250}, {254, 437},  {255, 850},
};

struct CodePageName
{
    int codePage;
    const char* name;
};

const CodePageName CodePageNames[] = {
    {437, "IBM437"},        {850, "IBM850"},        {866, "IBM866"},        {874, "windows-874"},
    {932, "Shift_JIS"},     {936, "GBK"},           {949, "windows-949"},   {950, "Big5"},
    {1250, "windows-1250"}, {1251, "windows-1251"}, {1252, "windows-1252"}, {1253, "windows-1253"},
    {1254, "windows-1254"}, {1255, "windows-1255"}, {1256, "windows-1256"}, {1257, "windows-1257"},
    {1258, "windows-1258"}, {1361, "johab"},        {10000, "macintosh"},   {65001, "UTF-8"},
};

} // namespace

std::optional<QChar> symbolFor(const QString& word)
{
    for (const Symbol& s : Symbols) {
        if (word == QLatin1String(s.word))
            return QChar(s.ch);
    }
    return std::nullopt;
}

bool isSkippedDestination(const QString& word)
{
    return std::any_of(std::begin(SkippedDestinations), std::end(SkippedDestinations),
                       [&word](const char* d) { return word == QLatin1String(d); });
}

int codePageOfCharset(int charset)
{
    for (const Charset& c : Charsets) {
        if (c.charset == charset)
            return c.codePage;
    }
    return 0;
}

QString decodeCodePage(const QByteArray& bytes, int codePage)
{
    const char* name = "windows-1252";
    for (const CodePageName& c : CodePageNames) {
        if (c.codePage == codePage)
            name = c.name;
    }
    QStringDecoder decoder(name);
    if (decoder.isValid())
        return decoder.decode(bytes);
    QStringDecoder ansi("windows-1252");
    if (ansi.isValid())
        return ansi.decode(bytes);
    return QString::fromLatin1(bytes);
}

} // namespace rtf
