#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <Qt>

// A language the program's texts are shown, printed, served or spoken in, named by its code ("en",
// "hi", "ar"). English is the source text of every translation, so its translation is the text itself.
// Windows use tr() and the language installed with Language::use; what is printed, served or spoken
// for one visitor (a ticket, the ticket's page, its announcement) asks that visitor's Language.
class Language
{
public:
    // An empty or unknown code: the language the program's windows are in.
    explicit Language(const QString& code = QString());

    QString code() const { return m_code; }
    bool rightToLeft() const;
    Qt::LayoutDirection direction() const;
    // The language's own name for itself, as a visitor choosing it reads it.
    QString nativeName() const;
    // The lower-case English name of the language ("english", "hindi"): the folder of its recordings.
    QString voiceName() const;
    QLocale locale() const;

    // The text in this language: its translation, or the source text where there is none. lupdate
    // reads every call of it as it reads QCoreApplication::translate.
    QString translate(const char* context, const char* source, const char* disambiguation = nullptr,
                      int n = -1) const;

    // The languages the program has texts for, English first.
    static QStringList shipped();
    // A code the program has texts for: "hi_IN", "HI" and "hi-in" give "hi"; anything else "".
    static QString known(const QString& code);
    // The language of the machine's locale when the program has texts for it; English otherwise.
    static QString systemCode();
    // A list of codes as a setting holds it ("en, hi,ar"): the known ones, in order, each once.
    static QStringList listFrom(const QString& text);

    // Makes the language of code (the machine's when empty or unknown) the one of the program's
    // windows: its translations are installed and its layout direction set.
    static void use(const QString& code);
    // The code of the language the windows are in ("en" until use is called).
    static QString inUse();

private:
    QString m_code;
};
