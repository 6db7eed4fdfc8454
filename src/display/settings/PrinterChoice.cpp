#include "display/settings/PrinterChoice.h"

#include "ui/Dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

PrinterChoice::PrinterChoice(QComboBox* box, Dialogs& dialogs, QWidget* dialogParent)
    : QObject(box), m_box(box), m_dialogs(dialogs), m_dialogParent(dialogParent)
{
    connect(m_box, &QComboBox::activated, this, &PrinterChoice::entryActivated);
    connect(m_box, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (text != folderEntry())
            m_before = text;
    });
}

QString PrinterChoice::folderEntry()
{
    return tr("PDF files in a folder…");
}

QString PrinterChoice::noPrinterText()
{
    return tr("(No Printer Installed)");
}

void PrinterChoice::fill(const QStringList& printers)
{
    m_box->clear();
    m_box->addItems(printers);
    m_box->addItem(folderEntry());
    if (QLineEdit* edit = m_box->lineEdit())
        edit->setPlaceholderText(printers.isEmpty() ? noPrinterText() : tr("(the default printer)"));
}

void PrinterChoice::show(const QString& stored)
{
    const QString name = stored == noPrinterText() || stored == folderEntry() ? QString() : stored;
    m_box->setCurrentIndex(name.isEmpty() ? -1 : m_box->findText(name));
    m_box->setEditText(name);
    m_before = name;
}

std::optional<QString> PrinterChoice::chosen() const
{
    const QString text = m_box->currentText().trimmed();
    if (text == folderEntry() || text == noPrinterText())
        return std::nullopt;
    return text;
}

void PrinterChoice::entryActivated(int index)
{
    if (m_box->itemText(index) != folderEntry())
        return;
    const QString before = m_before;
    const QString start = QFileInfo(before).isDir() ? before : QDir::homePath();
    const QString folder = m_dialogs.folder(tr("Folder for the tickets' PDF files"), start, m_dialogParent);
    // Cancelled: the printer shown before stays.
    show(folder.isEmpty() ? before : folder);
}
