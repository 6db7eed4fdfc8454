#include "ui/Dialogs.h"

#include "ui/ModalLoop.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

QString Dialogs::shownTitle(const QString& title)
{
    return title.trimmed().isEmpty() ? programTitle() : title;
}

Dialogs::Answer Dialogs::cancelled(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
        break;
    }
    return Answer::Cancel;
}

Dialogs::Answer Dialogs::message(const QString& text, Buttons buttons, Icon icon, const QString& title,
                                 QWidget* parent)
{
    ModalLoop loop(parent);
    const Answer answer = showMessage(text, buttons, icon, shownTitle(title), parent);
    return loop.ownerClosed() ? cancelled(buttons) : answer;
}

std::optional<QString> Dialogs::inputBox(const QString& prompt, const QString& title,
                                         const QString& defaultText, QWidget* parent)
{
    ModalLoop loop(parent);
    std::optional<QString> text = showInputBox(prompt, shownTitle(title), defaultText, parent);
    return loop.ownerClosed() ? std::nullopt : text;
}

QString Dialogs::openFileName(const QString& title, const QString& filter, const QString& dir,
                              QWidget* parent)
{
    ModalLoop loop(parent);
    QString file = chooseOpenFile(title, filter, dir, parent);
    return loop.ownerClosed() ? QString() : file;
}

QString Dialogs::saveFileName(const QString& title, const QString& filter, const QString& dir,
                              QWidget* parent)
{
    ModalLoop loop(parent);
    QString file = chooseSaveFile(title, filter, dir, parent);
    return loop.ownerClosed() ? QString() : file;
}

QString Dialogs::folder(const QString& title, const QString& dir, QWidget* parent)
{
    ModalLoop loop(parent);
    QString chosen = chooseFolder(title, dir, parent);
    return loop.ownerClosed() ? QString() : chosen;
}

std::optional<QColor> Dialogs::color(const QColor& initial, QWidget* parent)
{
    ModalLoop loop(parent);
    std::optional<QColor> chosen = chooseColor(initial, parent);
    return loop.ownerClosed() ? std::nullopt : chosen;
}

std::optional<QFont> Dialogs::font(const QFont& initial, QWidget* parent)
{
    ModalLoop loop(parent);
    std::optional<QFont> chosen = chooseFont(initial, parent);
    return loop.ownerClosed() ? std::nullopt : chosen;
}

std::optional<QString> Dialogs::printer(QWidget* parent)
{
    ModalLoop loop(parent);
    std::optional<QString> chosen = choosePrinter(parent);
    return loop.ownerClosed() ? std::nullopt : chosen;
}

bool Dialogs::printSetup(QPrinter& printer, bool offerSelection, QWidget* parent)
{
    ModalLoop loop(parent);
    const bool accepted = runPrintSetup(printer, offerSelection, parent);
    return accepted && !loop.ownerClosed();
}

Dialogs::Answer QtDialogs::showMessage(const QString& text, Buttons buttons, Icon icon, const QString& title,
                                       QWidget* parent)
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
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

std::optional<QString> QtDialogs::showInputBox(const QString& prompt, const QString& title,
                                               const QString& defaultText, QWidget* parent)
{
    bool ok = false;
    QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtDialogs::chooseOpenFile(const QString& title, const QString& filter, const QString& dir,
                                  QWidget* parent)
{
    return QFileDialog::getOpenFileName(parent, title, dir, filter);
}

QString QtDialogs::chooseSaveFile(const QString& title, const QString& filter, const QString& dir,
                                  QWidget* parent)
{
    return QFileDialog::getSaveFileName(parent, title, dir, filter);
}

QString QtDialogs::chooseFolder(const QString& title, const QString& dir, QWidget* parent)
{
    return QFileDialog::getExistingDirectory(parent, title, dir);
}

std::optional<QColor> QtDialogs::chooseColor(const QColor& initial, QWidget* parent)
{
    QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

std::optional<QFont> QtDialogs::chooseFont(const QFont& initial, QWidget* parent)
{
    bool ok = false;
    QFont f = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return f;
}

std::optional<QString> QtDialogs::choosePrinter(QWidget* parent)
{
    QPrinter printer;
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return printer.printerName();
}

bool QtDialogs::runPrintSetup(QPrinter& printer, bool offerSelection, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, offerSelection);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}
