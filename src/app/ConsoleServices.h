#pragma once

#include "ui/Dialogs.h"
#include "ui/SoundPlayer.h"

#include <QTextStream>

// The services of a program that runs without a person at a screen (brivane-ctl, benchmarks).

// Messages go to standard error; questions are answered No; nothing waits for a person.
class ConsoleDialogs : public Dialogs
{
public:
    explicit ConsoleDialogs(QTextStream& err) : m_err(err) {}

protected:
    Answer showMessage(const QString& text, Buttons buttons, Icon, const QString&, QWidget*) override
    {
        m_err << text << Qt::endl;
        return buttons == Buttons::Ok ? Answer::Ok
                                      : (buttons == Buttons::OkCancel ? Answer::Cancel : Answer::No);
    }
    std::optional<QString> showInputBox(const QString&, const QString&, const QString&, QWidget*) override
    {
        return std::nullopt;
    }
    QString chooseOpenFile(const QString&, const QString&, const QString&, QWidget*) override { return {}; }
    QString chooseSaveFile(const QString&, const QString&, const QString&, QWidget*) override { return {}; }
    QString chooseFolder(const QString&, const QString&, QWidget*) override { return {}; }
    std::optional<QColor> chooseColor(const QColor&, QWidget*) override { return std::nullopt; }
    std::optional<QFont> chooseFont(const QFont&, QWidget*) override { return std::nullopt; }
    std::optional<QString> choosePrinter(QWidget*) override { return std::nullopt; }
    bool runPrintSetup(QPrinter&, bool, QWidget*) override { return false; }

private:
    QTextStream& m_err;
};

class NoSound : public SoundPlayer
{
public:
    void playToEnd(const QString&) override {}
};
