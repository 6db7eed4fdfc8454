#pragma once

#include <QComboBox>
#include <QString>

// What the news editor's parts share.
namespace editor {

// The editor's own scroll speed setting: ("display", "scroll", "speed").
inline const QString SpeedApp = QStringLiteral("display");
inline const QString SpeedSection = QStringLiteral("scroll");
inline const QString SpeedKey = QStringLiteral("speed");

// Shows `text` in the box, adding it to the list when it is not there yet.
inline void selectText(QComboBox* box, const QString& text)
{
    int i = box->findText(text, Qt::MatchFixedString);
    if (i < 0 && !text.isEmpty()) {
        box->addItem(text);
        i = box->count() - 1;
    }
    if (i >= 0)
        box->setCurrentIndex(i);
    if (box->isEditable())
        box->setEditText(text);
}

} // namespace editor
