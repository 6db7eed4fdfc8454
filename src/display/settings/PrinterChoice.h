#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

class Dialogs;
class QComboBox;
class QWidget;

// The printer list of the module settings: the machine's printers and "PDF files in a folder…",
// which asks for the folder. A folder stored as the printer's name makes the kiosk write each ticket
// as a PDF file into it. Texts that only describe the list ("(No Printer Installed)") are shown as
// the box's placeholder and are never a printer's name.
class PrinterChoice : public QObject
{
    Q_OBJECT

public:
    PrinterChoice(QComboBox* box, Dialogs& dialogs, QWidget* dialogParent);

    static QString folderEntry();
    static QString noPrinterText();

    // Lists these printers and the folder entry.
    void fill(const QStringList& printers);
    // Shows a stored printer name (a name no longer installed too); a placeholder stored by an
    // earlier version shows as no printer chosen.
    void show(const QString& stored);
    // The printer's name to store ("" for the default printer); nothing when the box holds a text
    // that names no printer.
    std::optional<QString> chosen() const;

private:
    void entryActivated(int index);

    QComboBox* m_box;
    Dialogs& m_dialogs;
    QWidget* m_dialogParent;
    QString m_before; // the text shown before the folder entry was picked
};
