#include "content/frmEditor.h"

#include "content/RtfText.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/DbError.h"
#include "core/Settings.h"
#include "ui/Dialogs.h"
#include "ui/PrintSurface.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

template <typename T> T* named(T* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

const QString kApp = QStringLiteral("display");
const QString kSection = QStringLiteral("scroll");
const QString kKey = QStringLiteral("speed");

void selectText(QComboBox* box, const QString& text)
{
    int i = box->findText(text, Qt::MatchFixedString);
    if (i < 0 && !text.isEmpty()) {
        box->addItem(text);
        i = box->count() - 1;
    }
    if (i >= 0)
        box->setCurrentIndex(i);
    if (box->isEditable())
        box->setEditText(text);
}

} // namespace

frmEditor::frmEditor(AppContext& ctx, QWidget* parent) : QMainWindow(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmEditor"));
    setWindowTitle(QStringLiteral(" Scroll Editor."));

    auto* central = new QWidget(this);
    RichTextBox1 = named(new QTextEdit(central), "RichTextBox1");
    RichTextBox1->setAcceptRichText(false);
    RichTextBox1->setTabChangesFocus(false);
    Text1 = named(new QLineEdit(central), "Text1");
    Combo1 = named(new QComboBox(central), "Combo1");
    Combo1->setMinimumContentsLength(22);
    Combo1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Combo2 = named(new QComboBox(central), "Combo2");
    Combo2->setEditable(true);
    Combo2->setValidator(new QIntValidator(1, 1638, Combo2));
    Combo3 = named(new QComboBox(central), "Combo3");
    Combo3->addItems({QStringLiteral("Normal"), QStringLiteral("Heading1"), QStringLiteral("Heading2"),
                      QStringLiteral("Heading3")});
    Picture1 = named(new QPushButton(central), "Picture1");
    Picture1->setFixedSize(28, 22);
    Picture1->setToolTip(QStringLiteral("Text colour"));
    chkActive = named(new QCheckBox(QStringLiteral("Active"), central), "chkActive");
    cmbSpeed = named(new QComboBox(central), "cmbSpeed");
    for (int s = 10; s <= 100; s += 10)
        cmbSpeed->addItem(QString::number(s));
    cmbDir = named(new QComboBox(central), "cmbDir");
    cmbDir->addItems({QStringLiteral("Left"), QStringLiteral("Right")});
    Command1 = named(new QPushButton(QStringLiteral("Close"), central), "Command1");
    lblRef = named(new QLabel(central), "lblRef");
    lblRef->hide();

    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(Combo1);
    fontRow->addWidget(Combo2);
    fontRow->addWidget(Combo3);
    fontRow->addWidget(Picture1);
    fontRow->addStretch();

    auto* options = new QHBoxLayout;
    options->addWidget(chkActive);
    options->addSpacing(16);
    options->addWidget(new QLabel(QStringLiteral("Speed"), central));
    options->addWidget(cmbSpeed);
    options->addSpacing(16);
    options->addWidget(new QLabel(QStringLiteral("Direction"), central));
    options->addWidget(cmbDir);
    options->addStretch();
    options->addWidget(Command1);

    auto* unicodeRow = new QHBoxLayout;
    unicodeRow->addWidget(new QLabel(QStringLiteral("Unicode News"), central));
    unicodeRow->addWidget(Text1, 1);

    auto* layout = new QVBoxLayout(central);
    layout->addLayout(fontRow);
    layout->addWidget(RichTextBox1, 1);
    layout->addLayout(unicodeRow);
    layout->addLayout(options);
    layout->addWidget(lblRef);
    setCentralWidget(central);

    status = named(new QLabel(this), "status");
    statusBar()->addWidget(status, 1);

    buildMenus();
    resize(820, 520);

    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    connect(Picture1, &QPushButton::clicked, this, &frmEditor::chooseForeColour);
    connect(Combo1, &QComboBox::activated, this, &frmEditor::Combo1_Click);
    connect(Combo2, &QComboBox::activated, this, &frmEditor::Combo2_Click);
    connect(Combo2->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        // Enter applies the size to the selection only.
        QTextCharFormat f;
        f.setFontPointSize(Combo2->currentText().toInt());
        if (f.fontPointSize() > 0)
            RichTextBox1->mergeCurrentCharFormat(f);
    });
    connect(Combo3, &QComboBox::activated, this, &frmEditor::Combo3_Click);
    connect(cmbSpeed, &QComboBox::activated, this, &frmEditor::cmbSpeed_Click);
    connect(RichTextBox1, &QTextEdit::cursorPositionChanged, this, &frmEditor::updateFromCursor);

    Form_Load();
}

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

    for (QAction* a : {m_bold, m_italic, m_underline, m_strike, m_bullets, m_left, m_center, m_right})
        a->setCheckable(true);
    m_left->setChecked(true);

    QToolBar* files = addToolBar(QStringLiteral("File"));
    files->setObjectName(QStringLiteral("fileToolbar"));
    newAct->setIconText(QStringLiteral("New"));
    openAct->setIconText(QStringLiteral("Open"));
    saveAct->setIconText(QStringLiteral("Save"));
    for (QAction* a : {newAct, openAct, saveAct})
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
}

void frmEditor::Form_Load()
{
    selectText(cmbSpeed, m_ctx.settings.get(kApp, kSection, kKey, QStringLiteral("30")));
    cmbDir->setCurrentIndex(0);
    openConnection(m_ctx);
    setSwatchColor(Qt::black);

    status->setText(QStringLiteral("Please Wait... (Loading Fonts)"));
    for (const QString& family : QFontDatabase::families()) {
        if (!family.isEmpty())
            Combo1->addItem(family);
    }
    for (int s = 2; s <= 100; s += 2)
        Combo2->addItem(QString::number(s));
    selectText(Combo1, QStringLiteral("Arial"));
    selectText(Combo2, QStringLiteral("20"));
    QFont base(QStringLiteral("Arial"));
    base.setPointSize(20);
    RichTextBox1->setFont(base);
    RichTextBox1->document()->setDefaultFont(base);
    RichTextBox1->document()->setModified(false);
    status->clear();
}

void frmEditor::setSwatchColor(const QColor& color)
{
    m_textColor = color;
    Picture1->setStyleSheet(
        QStringLiteral("background-color: %1; border: 1px solid #808080;").arg(color.name()));
}

void frmEditor::beginAdd()
{
    m_editMode = false;
    lblRef->clear();
    RichTextBox1->clear();
    Text1->clear();
    chkActive->setChecked(false);
    cmbDir->setCurrentIndex(0);
    RichTextBox1->document()->setModified(false);
    Text1->setModified(false);
}

void frmEditor::beginEdit(qint64 key)
{
    beginAdd();
    m_editMode = true;
    lblRef->setText(QString::number(key));
    getheadDetails(key);
    RichTextBox1->document()->setModified(false);
    Text1->setModified(false);
}

void frmEditor::getheadDetails(qint64 key)
{
    ResultSet rs;
    try {
        rs = m_ctx.db.query(
            QStringLiteral("select msgrtf,active,direction,message,font,size,color from tblScroll "
                           "where scrollAuto=?"),
            {key});
    } catch (const DbError& e) {
        showError(e.description());
        return;
    }
    if (rs.isEmpty())
        return; // a message deleted meanwhile leaves the boxes as they are
    const QString stored = rs.text(0, QStringLiteral("msgrtf"));
    RichTextBox1->setPlainText(rtf::plainText(stored));
    const QString font = rs.text(0, QStringLiteral("font"));
    const int size = int(rs.number(0, QStringLiteral("size")));
    if (!font.isEmpty())
        selectText(Combo1, font);
    if (size > 0)
        selectText(Combo2, QString::number(size));
    if (!rs.isNull(0, 6))
        setSwatchColor(colorNumber::toColor(rs.number(0, QStringLiteral("color"))));
    Text1->setText(rs.text(0, QStringLiteral("message")));
    QFont unicodeFont = Text1->font();
    if (!font.isEmpty())
        unicodeFont.setFamily(font);
    if (size > 0)
        unicodeFont.setPointSize(size);
    Text1->setFont(unicodeFont);
    Text1->setStyleSheet(QStringLiteral("color: %1;").arg(m_textColor.name()));
    chkActive->setChecked(rs.text(0, QStringLiteral("active")).trimmed() == QLatin1String("1"));
    const QString dir = rs.text(0, QStringLiteral("direction"));
    const int d = cmbDir->findText(dir, Qt::MatchFixedString);
    if (d >= 0)
        cmbDir->setCurrentIndex(d);
}

bool frmEditor::saveMessage()
{
    // The colour the user gave the text, read before the formatting is dropped below; text without a
    // colour of its own takes the swatch colour.
    QColor color = m_textColor;
    {
        const QTextCharFormat f = RichTextBox1->textCursor().charFormat();
        if (!RichTextBox1->toPlainText().isEmpty() && f.foreground().style() != Qt::NoBrush)
            color = f.foreground().color();
    }

    // The ticker shows plain text: markup characters are taken out.
    QString plain = RichTextBox1->toPlainText();
    for (const QChar c : {u'>', u'<', u'/'})
        plain.remove(c);
    {
        // Replacing the text moves the cursor; the font boxes keep what the user chose.
        const QSignalBlocker quiet(RichTextBox1);
        RichTextBox1->setPlainText(plain);
    }

    if (plain.isEmpty() && Text1->text().isEmpty())
        return false;

    bool sizeOk = false;
    const int size = Combo2->currentText().toInt(&sizeOk);
    if (!sizeOk || size <= 0) {
        m_ctx.dialogs.message(QStringLiteral("Please select a font size"), Dialogs::Buttons::Ok,
                              Dialogs::Icon::Warning, {}, this);
        Combo2->setFocus();
        return false;
    }

    const QString richText = rtf::write(plain, Combo1->currentText(), size, color);
    const QVariantMap values{
        {QStringLiteral("message"), plain.isEmpty() ? Text1->text() : plain},
        {QStringLiteral("msgrtf"), richText},
        {QStringLiteral("msgrtf2"), richText},
        {QStringLiteral("active"), chkActive->isChecked()},
        {QStringLiteral("font"), Combo1->currentText()},
        {QStringLiteral("size"), size},
        {QStringLiteral("color"), colorNumber::fromColor(color)},
        {QStringLiteral("bold"), RichTextBox1->font().bold()},
        {QStringLiteral("italic"), RichTextBox1->font().italic()},
        {QStringLiteral("direction"), cmbDir->currentText()},
    };
    try {
        if (m_editMode) {
            // A message deleted meanwhile from another workstation is not there to change.
            m_ctx.db.update(QStringLiteral("tblscroll"), lblRef->text().toLongLong(), values);
        } else {
            m_ctx.db.insert(QStringLiteral("tblscroll"), values);
            m_ctx.settings.set(kApp, kSection, kKey, cmbSpeed->currentText());
        }
    } catch (const DbError& e) {
        // Nothing typed is lost: the editor stays open.
        showError(e.description());
        return false;
    }
    RichTextBox1->document()->setModified(false);
    Text1->setModified(false);
    close();
    return true;
}

void frmEditor::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closedEditor();
}

void frmEditor::showError(const QString& text)
{
    m_ctx.dialogs.message(text, Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
}

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

namespace {

void mergeFormat(QTextEdit* edit, const QTextCharFormat& format)
{
    QTextCursor cursor = edit->textCursor();
    if (cursor.hasSelection())
        cursor.mergeCharFormat(format);
    edit->mergeCurrentCharFormat(format);
    edit->setFocus();
}

} // namespace

void frmEditor::setBold()
{
    QTextCharFormat f;
    f.setFontWeight(RichTextBox1->currentCharFormat().fontWeight() >= QFont::Bold ? QFont::Normal
                                                                                  : QFont::Bold);
    mergeFormat(RichTextBox1, f);
    updateFromCursor();
}

void frmEditor::setItalic()
{
    QTextCharFormat f;
    f.setFontItalic(!RichTextBox1->currentCharFormat().fontItalic());
    mergeFormat(RichTextBox1, f);
    updateFromCursor();
}

void frmEditor::setUnderline()
{
    QTextCharFormat f;
    f.setFontUnderline(!RichTextBox1->currentCharFormat().fontUnderline());
    mergeFormat(RichTextBox1, f);
    updateFromCursor();
}

void frmEditor::setStrikeout()
{
    QTextCharFormat f;
    f.setFontStrikeOut(!RichTextBox1->currentCharFormat().fontStrikeOut());
    mergeFormat(RichTextBox1, f);
    updateFromCursor();
}

void frmEditor::setBullets()
{
    QTextCursor cursor = RichTextBox1->textCursor();
    if (QTextList* list = cursor.currentList()) {
        // Take the selected paragraphs out of the list.
        QTextBlockFormat plain;
        plain.setIndent(0);
        const QTextBlock first = RichTextBox1->document()->findBlock(cursor.selectionStart());
        const QTextBlock last = RichTextBox1->document()->findBlock(cursor.selectionEnd());
        for (QTextBlock b = first; b.isValid(); b = b.next()) {
            list->remove(b);
            QTextCursor c(b);
            c.setBlockFormat(plain);
            if (b == last)
                break;
        }
    } else {
        cursor.createList(QTextListFormat::ListDisc);
    }
    updateFromCursor();
}

void frmEditor::setAlignment(Qt::Alignment alignment)
{
    RichTextBox1->setAlignment(alignment);
    updateFromCursor();
}

void frmEditor::chooseFont()
{
    QFont initial = RichTextBox1->currentFont();
    const std::optional<QFont> font = m_ctx.dialogs.font(initial, this);
    if (!font)
        return;
    QTextCharFormat f;
    f.setFont(*font);
    mergeFormat(RichTextBox1, f);
    selectText(Combo1, font->family());
    if (font->pointSize() > 0)
        selectText(Combo2, QString::number(font->pointSize()));
}

void frmEditor::chooseForeColour()
{
    const std::optional<QColor> color = m_ctx.dialogs.color(m_textColor, this);
    if (!color || !color->isValid())
        return;
    QTextCharFormat f;
    f.setForeground(*color);
    mergeFormat(RichTextBox1, f);
    setSwatchColor(*color);
}

void frmEditor::setUpperCase(bool upper)
{
    QTextCursor cursor = RichTextBox1->textCursor();
    if (!cursor.hasSelection())
        return;
    const QString text = cursor.selectedText();
    cursor.insertText(upper ? text.toUpper() : text.toLower());
}

void frmEditor::deleteSelection()
{
    RichTextBox1->textCursor().removeSelectedText();
}

void frmEditor::Combo1_Click()
{
    QTextCharFormat f;
    f.setFontFamilies({Combo1->currentText()});
    const int size = Combo2->currentText().toInt();
    if (size > 0)
        f.setFontPointSize(size);
    mergeFormat(RichTextBox1, f);
    QFont font = Text1->font();
    font.setFamily(Combo1->currentText());
    Text1->setFont(font);
}

void frmEditor::Combo2_Click()
{
    const int size = Combo2->currentText().toInt();
    if (size <= 0)
        return;
    QTextCharFormat f;
    f.setFontPointSize(size);
    mergeFormat(RichTextBox1, f);
    QFont font = Text1->font();
    font.setPointSize(size);
    Text1->setFont(font);
}

void frmEditor::Combo3_Click()
{
    struct Style
    {
        int points;
        bool bold;
        int shown;
    };
    static const Style styles[] = {{8, false, 8}, {16, true, 12}, {14, true, 10}, {13, true, 9}};
    const int i = Combo3->currentIndex();
    if (i < 0 || i > 3)
        return;
    QTextCharFormat f;
    f.setFontPointSize(styles[i].points);
    f.setFontWeight(styles[i].bold ? QFont::Bold : QFont::Normal);
    mergeFormat(RichTextBox1, f);
    QFont shown = Combo3->font();
    shown.setPointSize(styles[i].shown);
    shown.setBold(styles[i].bold);
    Combo3->setFont(shown);
}

void frmEditor::cmbSpeed_Click()
{
    m_ctx.settings.set(kApp, kSection, kKey, cmbSpeed->currentText());
}

void frmEditor::updateFromCursor()
{
    const QTextCharFormat f = RichTextBox1->currentCharFormat();
    m_bold->setChecked(f.fontWeight() >= QFont::Bold);
    m_italic->setChecked(f.fontItalic());
    m_underline->setChecked(f.fontUnderline());
    m_strike->setChecked(f.fontStrikeOut());
    m_bullets->setChecked(RichTextBox1->textCursor().currentList() != nullptr);
    const Qt::Alignment a = RichTextBox1->alignment();
    m_center->setChecked(a & Qt::AlignHCenter);
    m_right->setChecked(a & Qt::AlignRight);
    m_left->setChecked(!(a & (Qt::AlignHCenter | Qt::AlignRight)));
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty())
        selectText(Combo1, families.first());
    if (f.fontPointSize() > 0)
        selectText(Combo2, QString::number(int(f.fontPointSize())));
    const int line = RichTextBox1->textCursor().blockNumber() + 1;
    status->setText(QStringLiteral("Line : ") + QLocale(QLocale::English).toString(line));
}
