#include "content/frmScroll.h"

#include "content/ContentStore.h"
#include "content/frmEditor.h"
#include "core/AppContext.h"
#include "core/DbError.h"
#include "core/ScreenRegistry.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

template <typename T> T* named(T* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

frmScroll::frmScroll(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmScroll"));
    setWindowTitle(tr("Scroll News"));

    FG = named(new Grid(this), "FG");
    FG->setSelectionMode(QAbstractItemView::SingleSelection);
    FG->horizontalHeader()->setStretchLastSection(true);
    FG->styleHeader();

    auto* findLabel = new QLabel(tr("Find"), this);
    txtFind = named(new QLineEdit(this), "txtFind");
    findLabel->setBuddy(txtFind);
    Command5 = named(new QPushButton(tr("Find"), this), "Command5");
    chkActive = named(new QCheckBox(tr("Show All"), this), "chkActive");
    chkActive->setToolTip(tr("When ticked, only active messages are listed"));

    Command4 = named(new QPushButton(tr("Add New"), this), "Command4");
    Command3 = named(new QPushButton(tr("Edit"), this), "Command3");
    Command2 = named(new QPushButton(tr("Delete"), this), "Command2");
    Command1 = named(new QPushButton(tr("Close"), this), "Command1");
    for (QPushButton* b : {Command4, Command3, Command2, Command1})
        b->setMinimumWidth(90);
    Command5->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(findLabel);
    top->addWidget(txtFind, 1);
    top->addWidget(Command5);
    top->addSpacing(12);
    top->addWidget(chkActive);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {Command4, Command3, Command2, Command1})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(FG, 1);
    layout->addLayout(buttons);
    resize(720, 420);

    connect(Command5, &QPushButton::clicked, this, &frmScroll::Command5_Click);
    connect(txtFind, &QLineEdit::returnPressed, this, &frmScroll::Command5_Click);
    connect(chkActive, &QCheckBox::clicked, this, &frmScroll::chkActive_Click);
    connect(Command4, &QPushButton::clicked, this, &frmScroll::Command4_Click);
    connect(Command3, &QPushButton::clicked, this, &frmScroll::Command3_Click);
    connect(FG, &Grid::dblClick, this, &frmScroll::FG_DblClick);
    connect(Command2, &QPushButton::clicked, this, &frmScroll::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &frmScroll::Command1_Click);

    Form_Load();
}

void frmScroll::Form_Load()
{
    openConnection(m_ctx);
    addFG();
}

void frmScroll::setFG()
{
    FG->clearRows();
    FG->setCols(6);
    static const char* headers[] = {
        "", QT_TR_NOOP("SN"), QT_TR_NOOP("Message"), QT_TR_NOOP("Active"), QT_TR_NOOP("Direction"), ""};
    for (int c = 0; c < 6; ++c)
        FG->setText(0, c, *headers[c] ? tr(headers[c]) : QString());
    FG->setColWidth(0, 1); // the key, never seen
    FG->setColWidth(1, 500);
    FG->setColWidth(2, 4500);
    FG->setColWidth(3, 700);
    FG->setColWidth(4, 2700);
}

void frmScroll::addFG()
{
    fill(QString());
}

void frmScroll::fill(const QString& search)
{
    setFG();
    try {
        const QVector<content::NewsRow> rows = content::listNews(m_ctx.db, chkActive->isChecked(), search);
        int p = 0;
        for (const content::NewsRow& row : rows) {
            ++p;
            FG->addRow({QString::number(row.key), QString::number(p), row.message, content::yesNo(row.active),
                        row.direction});
        }
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
    FG->setRow(-1);
}

void frmScroll::Command5_Click()
{
    const QString search = txtFind->text();
    if (search.isEmpty())
        return;
    fill(search);
}

void frmScroll::chkActive_Click()
{
    addFG();
}

qint64 frmScroll::selectedKey() const
{
    const int row = FG->row();
    if (row < 1 || row >= FG->rows() || !FG->selectionModel()->isRowSelected(row - 1, QModelIndex()))
        return 0;
    return FG->text(row, 0).toLongLong();
}

frmEditor* frmScroll::openEditor()
{
    auto* editor = qobject_cast<frmEditor*>(m_ctx.screens.open(QStringLiteral("frmEditor")));
    if (editor)
        connect(editor, &frmEditor::closedEditor, this, &frmScroll::addFG, Qt::UniqueConnection);
    return editor;
}

bool frmScroll::editorMayChange(frmEditor* editor)
{
    if (!editor->holdsUnsavedText())
        return true;
    const Dialogs::Answer answer = m_ctx.dialogs.message(
        editor->unsavedQuestion(), Dialogs::Buttons::YesNoCancel, Dialogs::Icon::Warning, {}, editor);
    if (answer == Dialogs::Answer::Cancel)
        return false;
    if (answer == Dialogs::Answer::No)
        return true;
    switch (editor->storeMessage()) {
    case frmEditor::Stored::Yes:
        addFG();
        return true;
    case frmEditor::Stored::NothingToStore:
        return true; // only emptied: nothing to keep
    case frmEditor::Stored::No:
        break; // told why; the text stays
    }
    return false;
}

void frmScroll::Command4_Click()
{
    frmEditor* editor = openEditor();
    if (editor && editorMayChange(editor))
        editor->beginAdd();
}

void frmScroll::Command3_Click()
{
    const qint64 key = selectedKey();
    if (!key)
        return;
    frmEditor* editor = openEditor();
    if (!editor)
        return;
    // The message already in the editor is only brought forward, with whatever was typed.
    if (editor->editMode() && editor->lblRef->text().toLongLong() == key && editor->holdsUnsavedText())
        return;
    if (editorMayChange(editor))
        editor->beginEdit(key);
}

void frmScroll::FG_DblClick()
{
    Command3_Click();
}

void frmScroll::Command2_Click()
{
    const qint64 key = selectedKey();
    if (!key)
        return;
    if (!m_ctx.dialogs.askYesNo(tr("Do you want to delete the selected"), Dialogs::Icon::Question, {}, this))
        return;
    try {
        content::deleteNews(m_ctx.db, key);
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
    addFG();
}

void frmScroll::Command1_Click()
{
    close();
}
