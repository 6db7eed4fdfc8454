#pragma once

#include <QColor>
#include <QString>

// The small part of RTF the news editor needs: a message is stored as one run of plain text in one
// font, size and colour, and read back as its plain text. Stored rich text from elsewhere is read
// leniently: control words and destination groups are skipped, paragraphs become line breaks,
// \'hh and \uN escapes become their characters.
namespace rtf {

QString write(const QString& plain, const QString& fontName, int points, const QColor& color);
QString plainText(const QString& rtfText);
bool looksLikeRtf(const QString& text);

} // namespace rtf
