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
class Dialogs
{
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Dialogs() = default;

    // Title defaults to the program's name.
    virtual Answer message(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                           const QString& title = QString(), QWidget* parent = nullptr) = 0;
    // nullopt when the user cancels.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title = QString(),
                                            const QString& defaultText = QString(),
                                            QWidget* parent = nullptr) = 0;
    // Empty text when cancelled.
    virtual QString openFileName(const QString& title, const QString& filter, const QString& dir = QString(),
                                 QWidget* parent = nullptr) = 0;
    virtual QString saveFileName(const QString& title, const QString& filter, const QString& dir = QString(),
                                 QWidget* parent = nullptr) = 0;
    virtual QString folder(const QString& title, const QString& dir = QString(),
                           QWidget* parent = nullptr) = 0;
    virtual std::optional<QColor> color(const QColor& initial, QWidget* parent = nullptr) = 0;
    virtual std::optional<QFont> font(const QFont& initial, QWidget* parent = nullptr) = 0;
    // Name of the chosen printer, nullopt when cancelled.
    virtual std::optional<QString> printer(QWidget* parent = nullptr) = 0;
    // The print dialog on this printer: printer or PDF file, copies, pages and, when offered, the
    // selection. False when cancelled.
    virtual bool printSetup(QPrinter& printer, bool offerSelection, QWidget* parent = nullptr) = 0;

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
};

// The real dialogs, shown modally over the given parent.
class QtDialogs : public Dialogs
{
public:
    Answer message(const QString& text, Buttons buttons, Icon icon, const QString& title,
                   QWidget* parent) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultText,
                                    QWidget* parent) override;
    QString openFileName(const QString& title, const QString& filter, const QString& dir,
                         QWidget* parent) override;
    QString saveFileName(const QString& title, const QString& filter, const QString& dir,
                         QWidget* parent) override;
    QString folder(const QString& title, const QString& dir, QWidget* parent) override;
    std::optional<QColor> color(const QColor& initial, QWidget* parent) override;
    std::optional<QFont> font(const QFont& initial, QWidget* parent) override;
    std::optional<QString> printer(QWidget* parent) override;
    bool printSetup(QPrinter& printer, bool offerSelection, QWidget* parent) override;
};
