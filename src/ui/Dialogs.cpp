#include "ui/Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

Dialogs::Answer QtDialogs::message(const QString& text, Buttons buttons, Icon icon, const QString& title,
                                   QWidget* parent)
{
    QMessageBox box(parent);
    box.setWindowTitle(title.isEmpty() ? programTitle() : title);
    box.setText(text);
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

std::optional<QString> QtDialogs::inputBox(const QString& prompt, const QString& title,
                                           const QString& defaultText, QWidget* parent)
{
    bool ok = false;
    QString text = QInputDialog::getText(parent, title.isEmpty() ? programTitle() : title, prompt,
                                         QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtDialogs::openFileName(const QString& title, const QString& filter, const QString& dir,
                                QWidget* parent)
{
    return QFileDialog::getOpenFileName(parent, title, dir, filter);
}

QString QtDialogs::saveFileName(const QString& title, const QString& filter, const QString& dir,
                                QWidget* parent)
{
    return QFileDialog::getSaveFileName(parent, title, dir, filter);
}

QString QtDialogs::folder(const QString& title, const QString& dir, QWidget* parent)
{
    return QFileDialog::getExistingDirectory(parent, title, dir);
}

std::optional<QColor> QtDialogs::color(const QColor& initial, QWidget* parent)
{
    QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

std::optional<QFont> QtDialogs::font(const QFont& initial, QWidget* parent)
{
    bool ok = false;
    QFont f = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return f;
}

std::optional<QString> QtDialogs::printer(QWidget* parent)
{
    QPrinter printer;
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return printer.printerName();
}

bool QtDialogs::printSetup(QPrinter& printer, bool offerSelection, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, offerSelection);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}
