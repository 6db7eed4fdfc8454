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

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* newAct =
        add(file, QStringLiteral("&New"), QKeySequence(QStringLiteral("Ctrl+N")), [this] { mnuNew_Click(); });
    QAction* openAct = add(file, QStringLiteral("&Open ..."), QKeySequence(QStringLiteral("Ctrl+O")),
                           [this] { mnuOpen_Click(); });
    file->addSeparator();
    QAction* saveAct =
        add(file, QStringLiteral("&Save"), QKeySequence(QStringLiteral("Ctrl+S")), [this] { saveMessage(); });
    QAction* saveAsAct =
        add(file, QStringLiteral("Save &As ..."), QKeySequence(), [this] { mnuSaveAs_Click(); });
    file->addSeparator();
    add(file, QStringLiteral("&Print"), QKeySequence(QStringLiteral("Ctrl+P")), [this] { mnuPrint_Click(); });
    file->addSeparator();
    add(file, QStringLiteral("E&xit"), QKeySequence(), [this] { mnuExit_Click(); });

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    QAction* undoAct = add(edit, QStringLiteral("Undo"), QKeySequence(QStringLiteral("Ctrl+Z")),
                           [this] { RichTextBox1->undo(); });
    edit->addSeparator();
    QAction* cutAct = add(edit, QStringLiteral("C&ut"), QKeySequence(QStringLiteral("Ctrl+X")), [this] {
        QString text = RichTextBox1->textCursor().selectedText();
        if (text.isEmpty())
            return;
        QApplication::clipboard()->setText(text.replace(QChar::ParagraphSeparator, QLatin1Char('\n')));
        RichTextBox1->textCursor().removeSelectedText();
    });
    QAction* copyAct = add(edit, QStringLiteral("&Copy"), QKeySequence(QStringLiteral("Ctrl+C")), [this] {
        QString text = RichTextBox1->textCursor().selectedText();
        if (!text.isEmpty())
            QApplication::clipboard()->setText(text.replace(QChar::ParagraphSeparator, QLatin1Char('\n')));
    });
    QAction* pasteAct = add(edit, QStringLiteral("&Paste"), QKeySequence(QStringLiteral("Ctrl+V")),
                            [this] { RichTextBox1->insertPlainText(QApplication::clipboard()->text()); });
    QAction* deleteAct = add(edit, QStringLiteral("&Delete"), QKeySequence(QStringLiteral("Ctrl+D")),
                             [this] { deleteSelection(); });
    add(edit, QStringLiteral("&Select All"), QKeySequence(QStringLiteral("Ctrl+A")),
        [this] { RichTextBox1->selectAll(); });
    edit->addSeparator();
    add(edit, QStringLiteral("&Find"), QKeySequence(QStringLiteral("Ctrl+F")), [this] { mnuFind_Click(); });
    add(edit, QStringLiteral("Find &Next"), QKeySequence(Qt::Key_F3), [this] { findNext(); });
    add(edit, QStringLiteral("Replace"), QKeySequence(QStringLiteral("Ctrl+H")),
        [this] { mnuReplace_Click(); });
    add(edit, QStringLiteral("Remove && Replace"), QKeySequence(), [this] { mnuReplaceAll_Click(); });

    QMenu* format = menuBar()->addMenu(QStringLiteral("Fo&rmat"));
    m_bold =
        add(format, QStringLiteral("&Bold"), QKeySequence(QStringLiteral("Ctrl+B")), [this] { setBold(); });
    m_italic = add(format, QStringLiteral("&Italic"), QKeySequence(QStringLiteral("Ctrl+I")),
                   [this] { setItalic(); });
    m_underline = add(format, QStringLiteral("&Underline"), QKeySequence(QStringLiteral("Ctrl+U")),
                      [this] { setUnderline(); });
    m_strike = add(format, QStringLiteral("&Strikeout"), QKeySequence(QStringLiteral("Ctrl+W")),
                   [this] { setStrikeout(); });
    format->addSeparator();
    m_bullets = add(format, QStringLiteral("&Bullets"), QKeySequence(QStringLiteral("Ctrl+T")),
                    [this] { setBullets(); });
    format->addSeparator();
    QMenu* para = format->addMenu(QStringLiteral("&Paragraph ..."));
    m_left = add(para, QStringLiteral("Left Align"), QKeySequence(QStringLiteral("Ctrl+L")),
                 [this] { setAlignment(Qt::AlignLeft); });
    m_center = add(para, QStringLiteral("Center Align"), QKeySequence(QStringLiteral("Ctrl+M")),
                   [this] { setAlignment(Qt::AlignHCenter); });
    m_right = add(para, QStringLiteral("Right Align"), QKeySequence(QStringLiteral("Ctrl+R")),
                  [this] { setAlignment(Qt::AlignRight); });
    format->addSeparator();
    add(format, QStringLiteral("Font ..."), QKeySequence(), [this] { chooseFont(); });
    format->addSeparator();
    QMenu* wordCase = format->addMenu(QStringLiteral("Word Case"));
    add(wordCase, QStringLiteral("Upper Case"), QKeySequence(QStringLiteral("Ctrl+J")),
        [this] { setUpperCase(true); });
    add(wordCase, QStringLiteral("Lower Case"), QKeySequence(QStringLiteral("Ctrl+K")),
        [this] { setUpperCase(false); });
    format->addSeparator();
    QMenu* colour = format->addMenu(QStringLiteral("Colour"));
    add(colour, QStringLiteral("&Fore Colour"), QKeySequence(Qt::Key_F5), [this] { chooseForeColour(); });
    QAction* backAct =
        add(colour, QStringLiteral("&Back Colour"), QKeySequence(Qt::Key_F6), [this] { chooseBackColour(); });
    format->addSeparator();
    add(format, QStringLiteral("Tabs ..."), QKeySequence(), [this] { mnuTabs_Click(); });

    for (QAction* a : {m_bold, m_italic, m_underline, m_strike, m_bullets, m_left, m_center, m_right})
        a->setCheckable(true);
    m_left->setChecked(true);

    QToolBar* files = addToolBar(QStringLiteral("File"));
    files->setObjectName(QStringLiteral("fileToolbar"));
    newAct->setIconText(QStringLiteral("New"));
    openAct->setIconText(QStringLiteral("Open"));
    saveAct->setIconText(QStringLiteral("Save"));
    saveAsAct->setIconText(QStringLiteral("SaveAs"));
    for (QAction* a : {newAct, openAct, saveAct, saveAsAct})
        files->addAction(a);
    files->addSeparator();
    for (QAction* a : {cutAct, copyAct, pasteAct, deleteAct, undoAct})
        files->addAction(a);
    addToolBarBreak();
    QToolBar* fmt = addToolBar(QStringLiteral("Format"));
    fmt->setObjectName(QStringLiteral("formatToolbar"));
    for (QAction* a : {m_bold, m_italic, m_underline, m_strike, m_bullets})
        fmt->addAction(a);
    fmt->addSeparator();
    m_left->setIconText(QStringLiteral("Left"));
    m_center->setIconText(QStringLiteral("Center"));
    m_right->setIconText(QStringLiteral("Right"));
    for (QAction* a : {m_left, m_center, m_right})
        fmt->addAction(a);
    fmt->addSeparator();
    backAct->setIconText(QStringLiteral("Back"));
    fmt->addAction(backAct);
    // Files dropped on a toolbar open as on the window.
    for (QToolBar* bar : {files, fmt}) {
        bar->setAcceptDrops(true);
        bar->installEventFilter(this);
    }
}
