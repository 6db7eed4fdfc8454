#pragma once

#include <QComboBox>
#include <QString>

#include <initializer_list>

// A combo box whose items show translated captions and carry the English value that is stored and
// compared. What is typed into an editable box and matches no caption is taken as it is.
namespace storedchoice {

// Fills the box: each item shows the translation of its value.
template <typename Translate>
void fill(QComboBox* box, std::initializer_list<const char*> values, Translate tr)
{
    for (const char* value : values)
        box->addItem(tr(value), QString::fromLatin1(value));
}

inline QString value(const QComboBox* box)
{
    const int item = box->findText(box->currentText());
    return item >= 0 ? box->itemData(item).toString() : box->currentText();
}

inline void show(QComboBox* box, const QString& value)
{
    const int item = box->findData(value);
    if (item >= 0)
        box->setCurrentIndex(item);
    else
        box->setCurrentText(value);
}

} // namespace storedchoice
