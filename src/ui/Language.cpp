#include "ui/Language.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>
#include <QMutex>
#include <QRegularExpression>
#include <QTranslator>
#include <memory>

namespace {

const QString English = QStringLiteral("en");

QMutex& lock()
{
    static QMutex m;
    return m;
}

QString& inUseCode()
{
    static QString code = English;
    return code;
}

// The translations of one language, loaded once from the program's resources; null for English
// and for a language whose file is missing.
QTranslator* translatorOf(const QString& code)
{
    static QHash<QString, std::shared_ptr<QTranslator>> loaded;
    if (code == English)
        return nullptr;
    auto it = loaded.find(code);
    if (it == loaded.end()) {
        auto translator = std::make_shared<QTranslator>();
        if (!translator->load(QStringLiteral(":/i18n/brivane_%1.qm").arg(code)))
            translator.reset();
        it = loaded.insert(code, translator);
    }
    return it.value().get();
}

// The translator installed for the windows, owned here.
std::unique_ptr<QTranslator>& installed()
{
    static std::unique_ptr<QTranslator> t;
    return t;
}

} // namespace

Language::Language(const QString& code) : m_code(known(code))
{
    if (m_code.isEmpty())
        m_code = inUse();
}

bool Language::rightToLeft() const
{
    return locale().textDirection() == Qt::RightToLeft;
}

Qt::LayoutDirection Language::direction() const
{
    return rightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
}

QString Language::nativeName() const
{
    const QString name = locale().nativeLanguageName();
    // Qt names English "American English" after its default country.
    return m_code == English ? QStringLiteral("English") : name;
}

QString Language::voiceName() const
{
    return QLocale::languageToString(locale().language()).toLower();
}

QLocale Language::locale() const
{
    return QLocale(m_code);
}

QString Language::translate(const char* context, const char* source, const char* disambiguation, int n) const
{
    QString text;
    {
        QMutexLocker locker(&lock());
        if (QTranslator* t = translatorOf(m_code))
            text = t->translate(context, source, disambiguation, n);
    }
    if (text.isEmpty())
        text = QString::fromUtf8(source);
    if (n >= 0)
        text.replace(QStringLiteral("%n"), QString::number(n));
    return text;
}

QStringList Language::shipped()
{
    return {English, QStringLiteral("hi"), QStringLiteral("ar")};
}

QString Language::known(const QString& code)
{
    const QString base =
        code.trimmed().toLower().section(QLatin1Char('_'), 0, 0).section(QLatin1Char('-'), 0, 0);
    return shipped().contains(base) ? base : QString();
}

QString Language::systemCode()
{
    for (const QString& ui : QLocale::system().uiLanguages()) {
        const QString code = known(ui);
        if (!code.isEmpty())
            return code;
    }
    return English;
}

QStringList Language::listFrom(const QString& text)
{
    QStringList codes;
    for (const QString& item :
         text.split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts)) {
        const QString code = known(item);
        if (!code.isEmpty() && !codes.contains(code))
            codes.append(code);
    }
    return codes;
}

void Language::use(const QString& code)
{
    QString chosen = known(code);
    if (chosen.isEmpty())
        chosen = systemCode();
    std::unique_ptr<QTranslator>& current = installed();
    if (current) {
        QCoreApplication::removeTranslator(current.get());
        current.reset();
    }
    if (chosen != English) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(QStringLiteral(":/i18n/brivane_%1.qm").arg(chosen))) {
            QCoreApplication::installTranslator(translator.get());
            current = std::move(translator);
        }
    }
    {
        QMutexLocker locker(&lock());
        inUseCode() = chosen;
    }
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::setLayoutDirection(Language(chosen).direction());
}

QString Language::inUse()
{
    QMutexLocker locker(&lock());
    return inUseCode();
}
