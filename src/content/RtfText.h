#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// The news editor's rich text in RTF. The writer stores what the editor offers: per run the font,
// size, bold, italic, underline, strikeout, text and back colour; per paragraph the alignment, tab
// stops, indents and bullets. The reader takes back all of it, and reads what word processors write:
// \'hh in the document's or the font's code page (\ansicpg, \fcharset, \cpg), \uN with its fallback
// (\ucN), the common symbol words; groups that hold no text (pictures, style sheets ...) are skipped.
namespace rtf {

QString fromDocument(const QTextDocument& document);

// Replaces the document's content by the rich text. Text that is not RTF is put in as plain text.
void toDocument(const QString& rtfText, QTextDocument& document);
// A file's bytes: characters above 127 that are not escaped count in the document's code page.
void toDocument(const QByteArray& rtfBytes, QTextDocument& document);

QString plainText(const QString& rtfText);
bool looksLikeRtf(const QString& text);

} // namespace rtf
