#include "content/frmEditor.h"

#include "content/RtfText.h"
#include "core/AppContext.h"
#include "ui/Dialogs.h"
#include "ui/PrintSurface.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

// The File menu's commands: New, Open, Print and Exit.

bool frmEditor::confirmDiscard()
{
    if (!RichTextBox1->document()->isModified())
        return true;
    const Dialogs::Answer a = m_ctx.dialogs.message(
        QStringLiteral("The text in the untitled file has changed.\nDo you want to save the changes ?"),
        Dialogs::Buttons::YesNoCancel, Dialogs::Icon::Warning, QStringLiteral("Merrowin"), this);
    if (a == Dialogs::Answer::Cancel)
        return false;
    if (a == Dialogs::Answer::Yes)
        return !saveMessage(); // a stored message closes the editor
    return true;
}

void frmEditor::mnuNew_Click()
{
    if (!confirmDiscard())
        return;
    RichTextBox1->clear();
    RichTextBox1->document()->setModified(false);
    setWindowTitle(QStringLiteral("Untitled - "));
}

void frmEditor::loadFile(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        showError(QStringLiteral("Cannot open %1").arg(QFileInfo(fileName).fileName()));
        return;
    }
    const QString content = QString::fromUtf8(f.readAll());
    RichTextBox1->setPlainText(rtf::plainText(content));
    RichTextBox1->document()->setModified(false);
}

void frmEditor::mnuOpen_Click()
{
    if (!confirmDiscard())
        return;
    const QString file = m_ctx.dialogs.openFileName(
        QStringLiteral("Open"),
        QStringLiteral(
            "Document Files (*.doc);;Text Documents (*.txt);;Rich Text Format (*.rtf);;All Files (*)"),
        {}, this);
    if (file.isEmpty())
        return;
    loadFile(file);
    setWindowTitle(QStringLiteral(" Scroll Editor"));
}

void frmEditor::mnuPrint_Click()
{
    const std::optional<QString> printer = m_ctx.dialogs.printer(this);
    if (!printer)
        return;
    const QTextCursor cursor = RichTextBox1->textCursor();
    QString text = cursor.hasSelection() ? cursor.selectedText() : RichTextBox1->toPlainText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    std::unique_ptr<PrintSurface> surface = m_ctx.printers.open(*printer);
    if (!surface) {
        showError(QStringLiteral("The printer %1 is not available").arg(*printer));
        return;
    }
    surface->setFont(Combo1->currentText(),
                     Combo2->currentText().toDouble() > 0 ? Combo2->currentText().toDouble() : 20,
                     RichTextBox1->font().bold());
    double y = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        surface->printText(0, y, line);
        y += surface->textHeight(line.isEmpty() ? QStringLiteral(" ") : line);
    }
    surface->endDoc();
}

void frmEditor::mnuExit_Click()
{
    // Ending the application goes through the main window's own Exit, so its rules hold: it asks
    // first and never ends the program while the hall display is running.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("MDI")) {
            if (auto* exitAction = w->findChild<QAction*>(QStringLiteral("exit"))) {
                exitAction->trigger();
                return;
            }
        }
    }
    if (m_ctx.endProgram)
        m_ctx.endProgram();
}
