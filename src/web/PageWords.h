#pragma once

#include <QByteArray>
#include <QStringList>

class Language;

// The web pages in a visitor's language. A page marks each text a person reads as {{t:English text}};
// the scripts' own texts are handed to them as a JSON object (English text: translation) in the
// element #words, which BrivaneLive.word() reads. Every such text is listed here for lupdate (context
// "WebPages"), so a page's text without a translation shows in the untranslated check.
namespace pagewords {

// The page with its marks translated (HTML-escaped), {{lang}} and {{dir}} set for the <html> element,
// and {{words}} replaced by the scripts' texts.
QByteArray translated(const QByteArray& page, const Language& language);

// The English texts the pages and their scripts show.
QStringList texts();

} // namespace pagewords
