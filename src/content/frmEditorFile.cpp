#include "content/frmEditor.h"

#include "content/EditorFiles.h"
#include "content/EditorRuler.h"
#include "core/AppContext.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QUrl>

// The File menu's commands (New, Open, Save As, Print, Exit) and files dropped on the window.

bool frmEditor::confirmDiscard()
{
    if (!RichTextBox1->document()->isModified())
        return true;
    const Dialogs::Answer a = m_ctx.dialogs.message(
        tr("The text in the untitled file has changed.\nDo you want to save the changes ?"),
        Dialogs::Buttons::YesNoCancel, Dialogs::Icon::Warning, QStringLiteral("Merrowin"), this);
    if (a == Dialogs::Answer::Cancel)
        return false;
    if (a != Dialogs::Answer::Yes)
        return true;
    switch (storeMessage()) {
    case Stored::Yes:
        close(); // as Save does
        return false;
    case Stored::NothingToStore:
        return true;
    case Stored::No:
        break; // refused or failed: the text stays for another try
    }
    return false;
}

void frmEditor::mnuNew_Click()
{
    if (!confirmDiscard())
        return;
    // A new message: Save then adds it and leaves the one that was open as it is.
    beginAdd();
    setWindowTitle(tr("Untitled - "));
}

bool frmEditor::loadFile(const QString& fileName)
{
    const QString error = editorfiles::load(fileName, *RichTextBox1->document());
    if (!error.isEmpty()) {
        showError(error);
        return false;
    }
    RichTextBox1->document()->setModified(false);
    return true;
}

void frmEditor::mnuOpen_Click()
{
    if (!confirmDiscard())
        return;
    const QString file = m_ctx.dialogs.openFileName(
        tr("Open"),
        tr("Document Files (*.doc);;Text Documents (*.txt);;Rich Text Format (*.rtf);;All Files (*)"), {},
        this);
    if (file.isEmpty())
        return;
    if (loadFile(file))
        setWindowTitle(tr(" Scroll Editor"));
}

void frmEditor::mnuSaveAs_Click()
{
    const QString file = m_ctx.dialogs.saveFileName(
        tr("Save As"), tr("Rich Text Format (*.rtf);;Text Documents (*.txt)"), {}, this);
    if (file.isEmpty())
        return;
    const QString error = editorfiles::save(file, *RichTextBox1->document());
    if (!error.isEmpty())
        showError(error);
    else
        status->setText(tr("Saved as %1").arg(QFileInfo(file).fileName()));
}

void frmEditor::dropFile(const QString& fileName)
{
    if (!confirmDiscard())
        return;
    if (loadFile(fileName))
        setWindowTitle(QStringLiteral(" - ") + QFileInfo(fileName).fileName());
}

namespace {

QString droppedFile(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

} // namespace

bool frmEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == RichTextBox1->viewport()) {
        if (event->type() == QEvent::MouseMove)
            ruler->setGuide(
                ruler->mapFromGlobal(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()).x());
        else if (event->type() == QEvent::Leave)
            ruler->setGuide(-1);
    }
    // A file dropped on the window, its text box or a toolbar is opened; other drops (text) go on
    // as usual.
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!droppedFile(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString file = droppedFile(drop->mimeData());
        if (!file.isEmpty()) {
            drop->acceptProposedAction();
            dropFile(file);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmEditor::mnuPrint_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    const QTextCursor cursor = RichTextBox1->textCursor();
    if (!m_ctx.dialogs.printSetup(printer, cursor.hasSelection(), this))
        return;
    // The document (or the selection) as shown, wrapped to the page and broken into pages; the
    // dialog's printer or file, copies and page range apply.
    QTextDocument page;
    page.setDefaultFont(RichTextBox1->document()->defaultFont());
    QTextCursor into(&page);
    if (printer.printRange() == QPrinter::Selection && cursor.hasSelection())
        into.insertFragment(cursor.selection());
    else
        into.insertFragment(QTextDocumentFragment(RichTextBox1->document()));
    page.print(&printer);
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
