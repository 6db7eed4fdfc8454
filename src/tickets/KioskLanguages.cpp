#include "tickets/KioskLanguages.h"

#include "ui/Language.h"

#include <QHBoxLayout>
#include <QPushButton>

KioskLanguageRow::KioskLanguageRow(const QStringList& codes, QWidget* parent)
    : QWidget(parent), m_codes(codes)
{
    setObjectName(QStringLiteral("languageRow"));
    setStyleSheet(
        QStringLiteral("QPushButton { background-color: #f2f5f8; color: #10283f; border: 3px solid #2f4f6f; "
                       "border-radius: 10px;"
                       " padding: 0 24px; }"
                       "QPushButton:checked { background-color: #ffd54a; border-color: #ffffff; }"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(16);
    for (const QString& code : codes) {
        const Language language(code);
        auto* button = new QPushButton(language.nativeName(), this);
        button->setObjectName(QStringLiteral("lang_") + code);
        button->setCheckable(true);
        // The name is read in its own language and direction, whatever the kiosk's is.
        button->setLayoutDirection(language.direction());
        button->setLocale(language.locale());
        connect(button, &QPushButton::clicked, this, [this, code] {
            setChosen(code);
            Q_EMIT languageChosen(code);
        });
        layout->addWidget(button, 1);
        buttons.append(button);
    }
}

void KioskLanguageRow::setChosen(const QString& code)
{
    m_chosen = code;
    for (qsizetype i = 0; i < buttons.size(); ++i)
        buttons.at(i)->setChecked(m_codes.at(i) == code);
}

void KioskLanguageRow::setButtonHeight(int pixels)
{
    QFont font = this->font();
    font.setBold(true);
    font.setPixelSize(qMax(12, int(pixels * 0.4)));
    for (QPushButton* button : buttons) {
        button->setFixedHeight(pixels);
        button->setFont(font);
    }
    setFixedHeight(pixels);
}
