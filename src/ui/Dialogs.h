#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QPrinter;
class QWidget;

// Every message box and standard dialog of the program goes through Dialogs, so that tests can
// answer them in advance and read back what the user was shown. No screen calls QMessageBox or
// QFileDialog directly.
//
// Each dialog runs as a ModalLoop over its parent: a window closed for good while its dialog is open
// is deleted only after the dialog has returned, and the dialog then answers as cancelled (No,
// Cancel, nothing chosen), whatever was pressed.
class Dialogs
{
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Dialogs() = default;

    // A blank title becomes the program's name.
    Answer message(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                   const QString& title = QString(), QWidget* parent = nullptr);
    // nullopt when the user cancels.
    std::optional<QString> inputBox(const QString& prompt, const QString& title = QString(),
                                    const QString& defaultText = QString(), QWidget* parent = nullptr);
    // Empty text when cancelled.
    QString openFileName(const QString& title, const QString& filter, const QString& dir = QString(),
                         QWidget* parent = nullptr);
    QString saveFileName(const QString& title, const QString& filter, const QString& dir = QString(),
                         QWidget* parent = nullptr);
    QString folder(const QString& title, const QString& dir = QString(), QWidget* parent = nullptr);
    std::optional<QColor> color(const QColor& initial, QWidget* parent = nullptr);
    std::optional<QFont> font(const QFont& initial, QWidget* parent = nullptr);
    // Name of the chosen printer, nullopt when cancelled.
    std::optional<QString> printer(QWidget* parent = nullptr);
    // The print dialog on this printer: printer or PDF file, copies, pages and, when offered, the
    // selection. False when cancelled.
    bool printSetup(QPrinter& printer, bool offerSelection, QWidget* parent = nullptr);

    // Shorthands.
    void info(const QString& text, QWidget* parent = nullptr)
    {
        message(text, Buttons::Ok, Icon::None, {}, parent);
    }
    bool askYesNo(const QString& text, Icon icon = Icon::Question, const QString& title = QString(),
                  QWidget* parent = nullptr)
    {
        return message(text, Buttons::YesNo, icon, title, parent) == Answer::Yes;
    }

    static QString programTitle() { return QStringLiteral("Brivane"); }
    // The title a box is shown with: the program's name when the given one is blank.
    static QString shownTitle(const QString& title);
    // What a box with these buttons answers when it is closed without a choice.
    static Answer cancelled(Buttons buttons);

protected:
    // What each kind of dialog does; called inside the ModalLoop, with the title as shown.
    virtual Answer showMessage(const QString& text, Buttons buttons, Icon icon, const QString& title,
                               QWidget* parent) = 0;
    virtual std::optional<QString> showInputBox(const QString& prompt, const QString& title,
                                                const QString& defaultText, QWidget* parent) = 0;
    virtual QString chooseOpenFile(const QString& title, const QString& filter, const QString& dir,
                                   QWidget* parent) = 0;
    virtual QString chooseSaveFile(const QString& title, const QString& filter, const QString& dir,
                                   QWidget* parent) = 0;
    virtual QString chooseFolder(const QString& title, const QString& dir, QWidget* parent) = 0;
    virtual std::optional<QColor> chooseColor(const QColor& initial, QWidget* parent) = 0;
    virtual std::optional<QFont> chooseFont(const QFont& initial, QWidget* parent) = 0;
    virtual std::optional<QString> choosePrinter(QWidget* parent) = 0;
    virtual bool runPrintSetup(QPrinter& printer, bool offerSelection, QWidget* parent) = 0;
};

// The real dialogs, shown modally over the given parent.
class QtDialogs : public Dialogs
{
protected:
    Answer showMessage(const QString& text, Buttons buttons, Icon icon, const QString& title,
                       QWidget* parent) override;
    std::optional<QString> showInputBox(const QString& prompt, const QString& title,
                                        const QString& defaultText, QWidget* parent) override;
    QString chooseOpenFile(const QString& title, const QString& filter, const QString& dir,
                           QWidget* parent) override;
    QString chooseSaveFile(const QString& title, const QString& filter, const QString& dir,
                           QWidget* parent) override;
    QString chooseFolder(const QString& title, const QString& dir, QWidget* parent) override;
    std::optional<QColor> chooseColor(const QColor& initial, QWidget* parent) override;
    std::optional<QFont> chooseFont(const QFont& initial, QWidget* parent) override;
    std::optional<QString> choosePrinter(QWidget* parent) override;
    bool runPrintSetup(QPrinter& printer, bool offerSelection, QWidget* parent) override;
};
