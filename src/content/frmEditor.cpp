#include "content/frmEditor.h"

#include "content/EditorHelpers.h"
#include "content/EditorRuler.h"
#include "content/RtfText.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/DbError.h"
#include "core/Settings.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/KeyboardState.h"
#include "ui/Named.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

// Building the window, loading a message and storing it. The menus, the formatting commands and the
// file commands live in their own files.

frmEditor::frmEditor(AppContext& ctx, QWidget* parent) : QMainWindow(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmEditor"));
    setWindowTitle(tr(" Scroll Editor."));

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
    Combo3->addItems({tr("Normal"), tr("Heading1"), tr("Heading2"), tr("Heading3")});
    Picture1 = named(new QPushButton(central), "Picture1");
    Picture1->setFixedSize(28, 22);
    Picture1->setToolTip(tr("Text colour"));
    Picture2 = named(new QPushButton(central), "Picture2");
    Picture2->setFixedSize(28, 22);
    Picture2->setToolTip(tr("Back colour"));
    chkActive = named(new QCheckBox(tr("Active"), central), "chkActive");
    cmbSpeed = named(new QComboBox(central), "cmbSpeed");
    for (int s = 10; s <= 100; s += 10)
        cmbSpeed->addItem(QString::number(s));
    cmbDir = named(new QComboBox(central), "cmbDir");
    // The direction is stored in English; only the shown text is translated.
    cmbDir->addItem(tr("Left"), QStringLiteral("Left"));
    cmbDir->addItem(tr("Right"), QStringLiteral("Right"));
    Command1 = named(new QPushButton(tr("Close"), central), "Command1");
    lblRef = named(new QLabel(central), "lblRef");
    lblRef->hide();

    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(Combo1);
    fontRow->addWidget(Combo2);
    fontRow->addWidget(Combo3);
    fontRow->addWidget(Picture1);
    fontRow->addWidget(Picture2);
    fontRow->addStretch();

    auto* options = new QHBoxLayout;
    options->addWidget(chkActive);
    options->addSpacing(16);
    options->addWidget(new QLabel(tr("Speed"), central));
    options->addWidget(cmbSpeed);
    options->addSpacing(16);
    options->addWidget(new QLabel(tr("Direction"), central));
    options->addWidget(cmbDir);
    options->addStretch();
    options->addWidget(Command1);

    auto* unicodeRow = new QHBoxLayout;
    unicodeRow->addWidget(new QLabel(tr("Unicode News"), central));
    unicodeRow->addWidget(Text1, 1);

    auto* layout = new QVBoxLayout(central);
    layout->addLayout(fontRow);
    ruler = new EditorRuler(central);
    layout->addWidget(ruler);
    layout->setSpacing(4);
    layout->addWidget(RichTextBox1, 1);
    layout->addLayout(unicodeRow);
    layout->addLayout(options);
    layout->addWidget(lblRef);
    setCentralWidget(central);

    status = named(new QLabel(this), "status");
    statusBar()->addWidget(status, 1);
    capsPanel = named(new QLabel(this), "capsPanel");
    datePanel = named(new QLabel(this), "datePanel");
    timePanel = named(new QLabel(this), "timePanel");
    for (QLabel* panel : {capsPanel, datePanel, timePanel}) {
        panel->setMinimumWidth(80);
        panel->setAlignment(Qt::AlignCenter);
        statusBar()->addPermanentWidget(panel);
    }
    auto* panelTimer = new QTimer(this);
    connect(panelTimer, &QTimer::timeout, this, &frmEditor::updateStatusPanels);
    panelTimer->start(1000);

    buildMenus();
    // Nearly as wide as the screen, 1000 twips narrower.
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1024, 768);
    resize(qMax(640, screen.width() - twips::toPixels(1000)), qMin(560, screen.height()));

    // A file dropped on the window or its text box is opened (toolbars: see buildMenus).
    setAcceptDrops(true);
    installEventFilter(this);
    RichTextBox1->viewport()->installEventFilter(this);
    RichTextBox1->viewport()->setMouseTracking(true); // the ruler's guide line follows the mouse
    connect(ruler, &EditorRuler::indentMoved, this, [this](double units) {
        QTextBlockFormat f;
        f.setLeftMargin(units);
        RichTextBox1->textCursor().mergeBlockFormat(f);
    });

    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    connect(Picture1, &QPushButton::clicked, this, &frmEditor::chooseForeColour);
    connect(Picture2, &QPushButton::clicked, this, &frmEditor::chooseBackColour);
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

void frmEditor::Form_Load()
{
    editor::selectText(cmbSpeed, m_ctx.settings.get(editor::SpeedApp, editor::SpeedSection, editor::SpeedKey,
                                                    QStringLiteral("30")));
    cmbDir->setCurrentIndex(0);
    openConnection(m_ctx);
    setSwatchColor(Qt::black);
    setBackSwatchColor(Qt::white);
    updateStatusPanels();

    status->setText(tr("Please Wait... (Loading Fonts)"));
    for (const QString& family : QFontDatabase::families()) {
        if (!family.isEmpty())
            Combo1->addItem(family);
    }
    for (int s = 2; s <= 100; s += 2)
        Combo2->addItem(QString::number(s));
    editor::selectText(Combo1, QStringLiteral("Arial"));
    editor::selectText(Combo2, QStringLiteral("20"));
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
    // A message only in the Unicode News box is stored in the swatch colour: the box shows it so.
    QPalette p = Text1->palette();
    p.setColor(QPalette::Text, color);
    p.setColor(QPalette::Base, color.lightness() > 200 ? QColor(0x40, 0x40, 0x40) : QColor(Qt::white));
    Text1->setPalette(p);
    Picture1->setStyleSheet(
        QStringLiteral("background-color: %1; border: 1px solid #808080;").arg(color.name()));
}

void frmEditor::setBackSwatchColor(const QColor& color)
{
    m_backColor = color;
    Picture2->setStyleSheet(
        QStringLiteral("background-color: %1; border: 1px solid #808080;").arg(color.name()));
}

void frmEditor::updateStatusPanels()
{
    const std::optional<bool> caps = keyboard::capsLockOn();
    capsPanel->setText(caps ? (*caps ? tr("CAPS") : QString()) : QString());
    const QDateTime now = m_ctx.clock.now();
    datePanel->setText(now.date().toString(QStringLiteral("dd-MM-yyyy")));
    timePanel->setText(now.time().toString(QStringLiteral("HH:mm")));
}

void frmEditor::setPlainTextColor(const QColor& color)
{
    m_plainColor = color;
    // Light text gets a dark ground, so that a white message is seen as the board will show it.
    const QColor ground = color.lightness() > 200 ? QColor(0x40, 0x40, 0x40) : QColor(Qt::white);
    QPalette p = RichTextBox1->palette();
    p.setColor(QPalette::Text, color);
    p.setColor(QPalette::Base, ground);
    RichTextBox1->setPalette(p);
}

void frmEditor::beginAdd()
{
    m_editMode = false;
    lblRef->clear();
    RichTextBox1->clear();
    Text1->clear();
    setPlainTextColor(Qt::black);
    QFont base = RichTextBox1->font();
    base.setBold(false);
    base.setItalic(false);
    RichTextBox1->setFont(base);
    RichTextBox1->document()->setDefaultFont(base);
    QFont unicodeFont = Text1->font();
    unicodeFont.setBold(false);
    unicodeFont.setItalic(false);
    Text1->setFont(unicodeFont);
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
            QStringLiteral(
                "select msgrtf,active,direction,message,font,size,color,bold,italic from tblScroll "
                "where scrollAuto=?"),
            {key});
    } catch (const DbError& e) {
        showError(e.description());
        return;
    }
    if (rs.isEmpty())
        return; // a message deleted meanwhile leaves the boxes as they are
    const QString stored = rs.text(0, QStringLiteral("msgrtf"));
    rtf::toDocument(stored, *RichTextBox1->document());
    const QString font = rs.text(0, QStringLiteral("font"));
    const int size = int(rs.number(0, QStringLiteral("size")));
    if (!font.isEmpty())
        editor::selectText(Combo1, font);
    if (size > 0)
        editor::selectText(Combo2, QString::number(size));
    if (!rs.isNull(0, 6)) {
        setSwatchColor(colorNumber::toColor(rs.number(0, QStringLiteral("color"))));
        // Text the message does not colour itself is shown, and kept, in the stored colour.
        setPlainTextColor(m_textColor);
    }
    // The board draws the whole message bold or italic from these columns: they stay as stored.
    QFont base = RichTextBox1->font();
    base.setBold(Database::flag(rs.value(0, QStringLiteral("bold"))) == QLatin1String("1"));
    base.setItalic(Database::flag(rs.value(0, QStringLiteral("italic"))) == QLatin1String("1"));
    RichTextBox1->setFont(base);
    RichTextBox1->document()->setDefaultFont(base);
    if (!stored.isEmpty() && !rtf::looksLikeRtf(stored)) {
        // Plain text carries no formatting of its own: show it as the board will.
        QTextCharFormat f;
        if (!font.isEmpty())
            f.setFontFamilies({font});
        if (size > 0)
            f.setFontPointSize(size);
        f.setForeground(m_textColor);
        QTextCursor all(RichTextBox1->document());
        all.select(QTextCursor::Document);
        all.mergeCharFormat(f);
    }
    Text1->setText(rs.text(0, QStringLiteral("message")));
    QFont unicodeFont = Text1->font();
    if (!font.isEmpty())
        unicodeFont.setFamily(font);
    if (size > 0)
        unicodeFont.setPointSize(size);
    unicodeFont.setBold(base.bold()); // as the board draws the message
    unicodeFont.setItalic(base.italic());
    Text1->setFont(unicodeFont);
    chkActive->setChecked(rs.text(0, QStringLiteral("active")).trimmed() == QLatin1String("1"));
    const QString dir = rs.text(0, QStringLiteral("direction"));
    const int d = cmbDir->findData(dir.trimmed(), Qt::UserRole, Qt::MatchFixedString);
    if (d >= 0)
        cmbDir->setCurrentIndex(d);
}

bool frmEditor::saveMessage()
{
    if (storeMessage() != Stored::Yes)
        return false;
    close();
    return true;
}

bool frmEditor::holdsUnsavedText() const
{
    return RichTextBox1->document()->isModified() || Text1->isModified();
}

QString frmEditor::unsavedQuestion() const
{
    return m_editMode ? tr("The changes to the message in the news editor are not saved.\n"
                           "Do you want to save them first?")
                      : tr("The new message in the news editor is not saved.\n"
                           "Do you want to save it first?");
}

QString frmEditor::deletedMeanwhileText()
{
    return tr("This message was deleted on another workstation after it was opened here.\n"
              "Do you want to save your text as a new message?");
}

frmEditor::Stored frmEditor::storeMessage()
{
    // The colour of the text at the cursor, as the editor shows it: text without a colour of its own
    // is in the plain text colour. A message only in the Unicode News box takes the swatch colour.
    QColor color = m_textColor;
    if (!RichTextBox1->toPlainText().isEmpty()) {
        const QTextCharFormat f = RichTextBox1->textCursor().charFormat();
        color = f.foreground().style() != Qt::NoBrush ? f.foreground().color() : m_plainColor;
    }

    // The message is stored as written: the board shows it as plain text.
    const QString plain = RichTextBox1->toPlainText();
    if (plain.isEmpty() && Text1->text().isEmpty())
        return Stored::NothingToStore;

    bool sizeOk = false;
    const int size = Combo2->currentText().toInt(&sizeOk);
    if (!sizeOk || size <= 0) {
        m_ctx.dialogs.message(tr("Please select a font size"), Dialogs::Buttons::Ok, Dialogs::Icon::Warning,
                              {}, this);
        Combo2->setFocus();
        return Stored::No;
    }

    const QString richText = rtf::fromDocument(*RichTextBox1->document());
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
        {QStringLiteral("direction"), cmbDir->currentData().toString()},
    };
    try {
        bool insert = !m_editMode;
        if (m_editMode &&
            m_ctx.db.update(QStringLiteral("tblscroll"), lblRef->text().toLongLong(), values) == 0) {
            // Another workstation deleted the message: nothing was changed. The text stays here
            // unless the user keeps it as a new message.
            if (!m_ctx.dialogs.askYesNo(deletedMeanwhileText(), Dialogs::Icon::Warning, {}, this))
                return Stored::No;
            insert = true;
        }
        if (insert) {
            const qint64 key = m_ctx.db.insert(QStringLiteral("tblscroll"), values);
            m_ctx.settings.set(editor::SpeedApp, editor::SpeedSection, editor::SpeedKey,
                               cmbSpeed->currentText());
            // Stored once; saving again changes that row.
            m_editMode = true;
            lblRef->setText(QString::number(key));
        }
    } catch (const DbError& e) {
        // Nothing typed is lost: the editor stays open.
        showError(e.description());
        return Stored::No;
    }
    RichTextBox1->document()->setModified(false);
    Text1->setModified(false);
    return Stored::Yes;
}

void frmEditor::closeEvent(QCloseEvent* event)
{
    if (holdsUnsavedText()) {
        switch (m_ctx.dialogs.message(unsavedQuestion(), Dialogs::Buttons::YesNoCancel,
                                      Dialogs::Icon::Warning, QStringLiteral("Merrowin"), this)) {
        case Dialogs::Answer::Yes:
            if (storeMessage() == Stored::No) {
                event->ignore(); // refused or failed: the text stays for another try
                return;
            }
            break;
        case Dialogs::Answer::No:
            break;
        default:
            event->ignore();
            return;
        }
    }
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closedEditor();
}

QAction* frmEditor::ownActionFor(const QKeyEvent& key) const
{
    const QKeySequence pressed(key.keyCombination());
    for (QAction* a : menuBar()->findChildren<QAction*>()) {
        if (!a->shortcut().isEmpty() && a->shortcut() == pressed && a->isEnabled())
            return a;
    }
    return nullptr;
}

bool frmEditor::event(QEvent* event)
{
    // Reached when the control with the focus did not claim the key itself. Claiming it here keeps
    // it from the program-wide shortcuts; it then comes back as a key press (below).
    if (event->type() == QEvent::ShortcutOverride && ownActionFor(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QMainWindow::event(event);
}

void frmEditor::keyPressEvent(QKeyEvent* event)
{
    if (QAction* a = ownActionFor(*event)) {
        a->trigger();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void frmEditor::showError(const QString& text)
{
    m_ctx.dialogs.message(text, Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
}
