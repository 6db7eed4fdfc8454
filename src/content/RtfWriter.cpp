#include "content/RtfText.h"

#include <QColor>
#include <QList>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextList>

#include <cmath>

namespace rtf {

namespace {

constexpr double TwipsPerUnit = 15.0; // document units are pixels at 96 per inch

QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c == QLatin1Char('\t')) {
            out += QStringLiteral("\\tab ");
        } else if (c == QChar::LineSeparator || c == QLatin1Char('\n')) {
            out += QStringLiteral("\\line ");
        } else if (u < 0x80) {
            out += c;
        } else {
            // \uN takes a signed 16-bit number; the "?" is what readers without Unicode show.
            out += QStringLiteral("\\u%1?").arg(int(qint16(u)));
        }
    }
    return out;
}

int twips(double units)
{
    return int(std::lround(units * TwipsPerUnit));
}

class Writer
{
public:
    explicit Writer(const QTextDocument& doc) : m_doc(doc) {}

    QString run()
    {
        QString body;
        for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next())
            body += paragraph(block);
        QString fonts;
        for (int i = 0; i < m_fonts.size(); ++i)
            fonts += QStringLiteral("{\\f%1\\fnil\\fcharset0 %2;}").arg(i).arg(escaped(m_fonts[i]));
        QString colors = QStringLiteral(";");
        for (const QColor& c : m_colors)
            colors += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(c.red()).arg(c.green()).arg(c.blue());
        return QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl") + fonts +
               QStringLiteral("}{\\colortbl ") + colors + QStringLiteral("}\n\\viewkind4") + body +
               QStringLiteral("}\n");
    }

private:
    int fontIndex(const QString& family)
    {
        int i = int(m_fonts.indexOf(family));
        if (i < 0) {
            m_fonts.append(family);
            i = int(m_fonts.size()) - 1;
        }
        return i;
    }

    int colorIndex(const QColor& color)
    {
        const QRgb rgb = color.rgb();
        for (int i = 0; i < m_colors.size(); ++i) {
            if (m_colors[i].rgb() == rgb)
                return i + 1;
        }
        m_colors.append(color);
        return int(m_colors.size());
    }

    QString paragraph(const QTextBlock& block)
    {
        const QTextBlockFormat f = block.blockFormat();
        QString out = QStringLiteral("\n\\pard");
        const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignHCenter)
            out += QStringLiteral("\\qc");
        else if (a & Qt::AlignRight)
            out += QStringLiteral("\\qr");
        else if (a & Qt::AlignJustify)
            out += QStringLiteral("\\qj");
        for (const QTextOption::Tab& tab : f.tabPositions())
            out += QStringLiteral("\\tx%1").arg(twips(tab.position));
        if (f.leftMargin() != 0)
            out += QStringLiteral("\\li%1").arg(twips(f.leftMargin()));
        if (f.textIndent() != 0)
            out += QStringLiteral("\\fi%1").arg(twips(f.textIndent()));
        if (f.rightMargin() != 0)
            out += QStringLiteral("\\ri%1").arg(twips(f.rightMargin()));
        if (block.textList())
            out += QStringLiteral("{\\pntext\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb\\'B7}}");
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid())
                out += run(fragment.text(), fragment.charFormat());
        }
        return out + QStringLiteral("\\par");
    }

    QString run(const QString& text, const QTextCharFormat& f)
    {
        QString family = m_doc.defaultFont().family();
        if (f.hasProperty(QTextFormat::FontFamilies)) {
            const QStringList families = f.fontFamilies().toStringList();
            if (!families.isEmpty())
                family = families.first();
        }
        double points = m_doc.defaultFont().pointSizeF();
        if (f.hasProperty(QTextFormat::FontPointSize))
            points = f.fontPointSize();
        QString out = QStringLiteral("{\\f%1").arg(fontIndex(family));
        if (points > 0)
            out += QStringLiteral("\\fs%1").arg(std::lround(points * 2));
        if (f.fontWeight() >= QFont::Bold)
            out += QStringLiteral("\\b");
        if (f.fontItalic())
            out += QStringLiteral("\\i");
        if (f.fontUnderline())
            out += QStringLiteral("\\ul");
        if (f.fontStrikeOut())
            out += QStringLiteral("\\strike");
        if (f.foreground().style() != Qt::NoBrush)
            out += QStringLiteral("\\cf%1").arg(colorIndex(f.foreground().color()));
        if (f.background().style() != Qt::NoBrush)
            out += QStringLiteral("\\highlight%1").arg(colorIndex(f.background().color()));
        return out + QLatin1Char(' ') + escaped(text) + QLatin1Char('}');
    }

    const QTextDocument& m_doc;
    QStringList m_fonts;
    QList<QColor> m_colors;
};

} // namespace

QString fromDocument(const QTextDocument& document)
{
    return Writer(document).run();
}

} // namespace rtf
