#pragma once

#include <QStringList>
#include <QWidget>

class QButtonGroup;
class QPushButton;

// The row of languages on the kiosk's first page: one large button per language, each named in its
// own language, the one in use marked. The visitor touches theirs before choosing a service.
class KioskLanguageRow : public QWidget
{
    Q_OBJECT

public:
    KioskLanguageRow(const QStringList& codes, QWidget* parent);

    QList<QPushButton*> buttons; // in the order of the codes, each named "lang_<code>"

    QStringList codes() const { return m_codes; }
    QString chosen() const { return m_chosen; }
    // Marks the language in use, without telling anyone.
    void setChosen(const QString& code);
    // The buttons' height in pixels (a touch target) and the font that fits it.
    void setButtonHeight(int pixels);

Q_SIGNALS:
    void languageChosen(const QString& code);

private:
    QStringList m_codes;
    QString m_chosen;
};
