#include "content/frmEditor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>

// The editor's menu bar and its two toolbars.

void frmEditor::buildMenus()
{
    auto add = [this](QMenu* menu, const QString& text, const QKeySequence& keys, auto slot) {
        QAction* a = menu->addAction(text);
        if (!keys.isEmpty())
            a->setShortcut(keys);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* newAct =
        add(file, tr("&New"), QKeySequence(QStringLiteral("Ctrl+N")), [this] { mnuNew_Click(); });
    QAction* openAct =
        add(file, tr("&Open ..."), QKeySequence(QStringLiteral("Ctrl+O")), [this] { mnuOpen_Click(); });
    file->addSeparator();
    QAction* saveAct =
        add(file, tr("&Save"), QKeySequence(QStringLiteral("Ctrl+S")), [this] { saveMessage(); });
    QAction* saveAsAct = add(file, tr("Save &As ..."), QKeySequence(), [this] { mnuSaveAs_Click(); });
    file->addSeparator();
    add(file, tr("&Print"), QKeySequence(QStringLiteral("Ctrl+P")), [this] { mnuPrint_Click(); });
    file->addSeparator();
    add(file, tr("E&xit"), QKeySequence(), [this] { mnuExit_Click(); });

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* undoAct =
        add(edit, tr("Undo"), QKeySequence(QStringLiteral("Ctrl+Z")), [this] { RichTextBox1->undo(); });
    edit->addSeparator();
    QAction* cutAct = add(edit, tr("C&ut"), QKeySequence(QStringLiteral("Ctrl+X")), [this] {
        QString text = RichTextBox1->textCursor().selectedText();
        if (text.isEmpty())
            return;
        QApplication::clipboard()->setText(text.replace(QChar::ParagraphSeparator, QLatin1Char('\n')));
        RichTextBox1->textCursor().removeSelectedText();
    });
    QAction* copyAct = add(edit, tr("&Copy"), QKeySequence(QStringLiteral("Ctrl+C")), [this] {
        QString text = RichTextBox1->textCursor().selectedText();
        if (!text.isEmpty())
            QApplication::clipboard()->setText(text.replace(QChar::ParagraphSeparator, QLatin1Char('\n')));
    });
    QAction* pasteAct = add(edit, tr("&Paste"), QKeySequence(QStringLiteral("Ctrl+V")),
                            [this] { RichTextBox1->insertPlainText(QApplication::clipboard()->text()); });
    QAction* deleteAct =
        add(edit, tr("&Delete"), QKeySequence(QStringLiteral("Ctrl+D")), [this] { deleteSelection(); });
    add(edit, tr("&Select All"), QKeySequence(QStringLiteral("Ctrl+A")),
        [this] { RichTextBox1->selectAll(); });
    edit->addSeparator();
    add(edit, tr("&Find"), QKeySequence(QStringLiteral("Ctrl+F")), [this] { mnuFind_Click(); });
    add(edit, tr("Find &Next"), QKeySequence(Qt::Key_F3), [this] { findNext(); });
    add(edit, tr("Replace"), QKeySequence(QStringLiteral("Ctrl+H")), [this] { mnuReplace_Click(); });
    add(edit, tr("Remove && Replace"), QKeySequence(), [this] { mnuReplaceAll_Click(); });

    QMenu* format = menuBar()->addMenu(tr("Fo&rmat"));
    m_bold = add(format, tr("&Bold"), QKeySequence(QStringLiteral("Ctrl+B")), [this] { setBold(); });
    m_italic = add(format, tr("&Italic"), QKeySequence(QStringLiteral("Ctrl+I")), [this] { setItalic(); });
    m_underline =
        add(format, tr("&Underline"), QKeySequence(QStringLiteral("Ctrl+U")), [this] { setUnderline(); });
    m_strike =
        add(format, tr("&Strikeout"), QKeySequence(QStringLiteral("Ctrl+W")), [this] { setStrikeout(); });
    format->addSeparator();
    m_bullets = add(format, tr("&Bullets"), QKeySequence(QStringLiteral("Ctrl+T")), [this] { setBullets(); });
    format->addSeparator();
    QMenu* para = format->addMenu(tr("&Paragraph ..."));
    m_left = add(para, tr("Left Align"), QKeySequence(QStringLiteral("Ctrl+L")),
                 [this] { setAlignment(Qt::AlignLeft); });
    m_center = add(para, tr("Center Align"), QKeySequence(QStringLiteral("Ctrl+M")),
                   [this] { setAlignment(Qt::AlignHCenter); });
    m_right = add(para, tr("Right Align"), QKeySequence(QStringLiteral("Ctrl+R")),
                  [this] { setAlignment(Qt::AlignRight); });
    format->addSeparator();
    add(format, tr("Font ..."), QKeySequence(), [this] { chooseFont(); });
    format->addSeparator();
    QMenu* wordCase = format->addMenu(tr("Word Case"));
    add(wordCase, tr("Upper Case"), QKeySequence(QStringLiteral("Ctrl+J")), [this] { setUpperCase(true); });
    add(wordCase, tr("Lower Case"), QKeySequence(QStringLiteral("Ctrl+K")), [this] { setUpperCase(false); });
    format->addSeparator();
    QMenu* colour = format->addMenu(tr("Colour"));
    add(colour, tr("&Fore Colour"), QKeySequence(Qt::Key_F5), [this] { chooseForeColour(); });
    QAction* backAct =
        add(colour, tr("&Back Colour"), QKeySequence(Qt::Key_F6), [this] { chooseBackColour(); });
    format->addSeparator();
    add(format, tr("Tabs ..."), QKeySequence(), [this] { mnuTabs_Click(); });

    for (QAction* a : {m_bold, m_italic, m_underline, m_strike, m_bullets, m_left, m_center, m_right})
        a->setCheckable(true);
    m_left->setChecked(true);

    QToolBar* files = addToolBar(tr("File"));
    files->setObjectName(QStringLiteral("fileToolbar"));
    newAct->setIconText(tr("New"));
    openAct->setIconText(tr("Open"));
    saveAct->setIconText(tr("Save"));
    saveAsAct->setIconText(tr("SaveAs"));
    for (QAction* a : {newAct, openAct, saveAct, saveAsAct})
        files->addAction(a);
    files->addSeparator();
    for (QAction* a : {cutAct, copyAct, pasteAct, deleteAct, undoAct})
        files->addAction(a);
    addToolBarBreak();
    QToolBar* fmt = addToolBar(tr("Format"));
    fmt->setObjectName(QStringLiteral("formatToolbar"));
    for (QAction* a : {m_bold, m_italic, m_underline, m_strike, m_bullets})
        fmt->addAction(a);
    fmt->addSeparator();
    m_left->setIconText(tr("Left"));
    m_center->setIconText(tr("Center"));
    m_right->setIconText(tr("Right"));
    for (QAction* a : {m_left, m_center, m_right})
        fmt->addAction(a);
    fmt->addSeparator();
    backAct->setIconText(tr("Back"));
    fmt->addAction(backAct);
    // Files dropped on a toolbar open as on the window.
    for (QToolBar* bar : {files, fmt}) {
        bar->setAcceptDrops(true);
        bar->installEventFilter(this);
    }
}
