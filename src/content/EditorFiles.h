#pragma once

#include <QString>

class QTextDocument;

// Files the news editor opens and saves.
namespace editorfiles {

// Reads a file into the document: rich text with its formatting, text in its encoding (UTF-8 or
// UTF-16 by their byte-order mark, else UTF-8 when it reads as such, else Windows-1252). A binary
// file (a word processor's .doc, a picture) is refused and the document left as it was. Returns an
// empty text on success, else what to tell the user.
QString load(const QString& file, QTextDocument& document);

// Writes the document: as plain UTF-8 text for a .txt name, as rich text otherwise. Returns an empty
// text on success, else what to tell the user.
QString save(const QString& file, const QTextDocument& document);

} // namespace editorfiles
