#pragma once

#include <QChar>
#include <QString>
#include <optional>

// The tables the RTF reader looks words up in.
namespace rtf {

// The character a symbol word stands for (\rquote, \emdash, \bullet, \tab, \line ...).
std::optional<QChar> symbolFor(const QString& word);

// Groups whose text is not part of the document (font and colour tables are read separately).
bool isSkippedDestination(const QString& word);

// The Windows code page of a font's \fcharset; 0 when the charset does not name one (use the
// document's \ansicpg).
int codePageOfCharset(int charset);

// Decodes bytes written in a Windows code page; Windows-1252 when the page is unknown here.
QString decodeCodePage(const QByteArray& bytes, int codePage);

} // namespace rtf
