#include "masterdata/MasterScreens.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/ScreenRegistry.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/Named.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace masterdata {

bool readsAsNumber(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    return number.match(text).hasMatch();
}

bool readsAsWholeNumber(const QString& text, qint64* value)
{
    static const QRegularExpression whole(QStringLiteral("^\\s*[+-]?\\d+\\s*$"));
    if (!whole.match(text).hasMatch())
        return false;
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    if (ok && value)
        *value = n;
    return ok;
}

QString cleanPrefix(const QString& prefix)
{
    for (const QChar c : {u'-', u'#', u'.', u'_', u'*', u','}) {
        if (prefix.contains(c))
            return QString();
    }
    return prefix;
}

QString stored(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

void clearChoice(QComboBox* box)
{
    box->setCurrentIndex(-1);
    box->setEditText(QString());
}

void chooseKey(QComboBox* box, qint64 key, const QString& name)
{
    int index = box->findData(key);
    if (index < 0 && key != 0) {
        box->addItem(name, key);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
    if (index < 0)
        box->setEditText(name);
}

qint64 chosenKey(const QComboBox* box, const std::function<qint64(const QString&)>& byName)
{
    const QString text = box->currentText();
    const int index = box->currentIndex();
    if (index >= 0 && box->itemText(index) == text && box->itemData(index).isValid())
        return box->itemData(index).toLongLong();
    // Typed: the entry of that name, if the list holds one; the store's answer otherwise.
    const int typed = box->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (typed >= 0 && box->itemData(typed).isValid())
        return box->itemData(typed).toLongLong();
    return byName(text);
}

} // namespace masterdata

// ---------------------------------------------------------------------------------------------------

MasterList::MasterList(AppContext& ctx, const QString& name, const QString& caption,
                       const QString& editScreen, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx), m_editScreen(editScreen)
{
    setObjectName(name);
    setWindowTitle(caption);

    FG = named(new Grid(this), "FG");
    FG->setSelectionMode(QAbstractItemView::SingleSelection);
    FG->horizontalHeader()->setStretchLastSection(true);
    FG->styleHeader();
    Command3 = named(new QPushButton(tr("Add"), this), "Command3");
    Command2 = named(new QPushButton(tr("Delete"), this), "Command2");
    Command1 = named(new QPushButton(tr("Close"), this), "Command1");
    for (QPushButton* b : {Command3, Command2, Command1})
        b->setMinimumWidth(90);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command3);
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FG, 1);
    layout->addLayout(buttons);
    resize(760, 440);

    connect(FG, &Grid::dblClick, this, &MasterList::FG_DblClick);
    connect(Command3, &QPushButton::clicked, this, &MasterList::Command3_Click);
    connect(Command2, &QPushButton::clicked, this, &MasterList::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &MasterList::Command1_Click);
}

void MasterList::Form_Load()
{
    openConnection(m_ctx);
    refresh();
}

void MasterList::setFG()
{
    const QVector<Column> cols = columns();
    FG->clearRows();
    FG->setCols(int(cols.size()) + 1);
    FG->setText(0, 0, QString());
    FG->setColWidth(0, 1); // the key, hidden
    for (int c = 0; c < cols.size(); ++c) {
        FG->setText(0, c + 1, cols.at(c).header);
        FG->setColWidth(c + 1, cols.at(c).twips);
    }
}

void MasterList::addEntry(qint64 key, const QStringList& texts)
{
    const int row = FG->rows();
    FG->addRow(QStringList{QString::number(key), QString::number(row)} + texts);
}

void MasterList::refresh()
{
    const qint64 kept = selectedKey();
    try {
        setFG();
        addFG();
    } catch (const DbError& e) {
        // The message box takes the activation away; coming back from it must not read (and fail) again.
        m_skipActivationRefresh = true;
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
    if (!kept || !selectKey(kept))
        FG->setRow(-1);
}

qint64 MasterList::selectedKey() const
{
    // Only a row the user sees highlighted counts: the grid's current cell alone (as set when it merely
    // takes the focus) must never pick a row to delete.
    const int row = FG->row();
    if (row < 1 || row >= FG->rows() || !FG->selectionModel()->isRowSelected(row - 1, QModelIndex()))
        return 0;
    return FG->text(row, 0).toLongLong();
}

bool MasterList::selectKey(qint64 key)
{
    for (int r = 1; r < FG->rows(); ++r) {
        if (FG->text(r, 0).toLongLong() == key) {
            FG->setRow(r);
            return true;
        }
    }
    return false;
}

MasterEdit* MasterList::openEditScreen()
{
    auto* edit = qobject_cast<MasterEdit*>(m_ctx.screens.open(m_editScreen));
    if (edit) {
        connect(edit, &MasterEdit::saved, this, &MasterList::refresh, Qt::UniqueConnection);
        connect(edit, &MasterEdit::rowMissing, this, &MasterList::refresh, Qt::UniqueConnection);
    }
    return edit;
}

void MasterList::FG_DblClick()
{
    const qint64 key = selectedKey();
    if (!key)
        return;
    if (MasterEdit* edit = openEditScreen())
        edit->edit(key);
}

void MasterList::Command3_Click()
{
    // Add always starts a new row. The edit screen is a single window: still open on a row of the list,
    // it is emptied first; already holding a new row, it keeps what was typed there, so pressing Add
    // again gives neither a second window nor a second row. Edits whose row was deleted meanwhile are
    // kept too: Save then stores them as a new row, as the message about the deleted row says.
    MasterEdit* edit = openEditScreen();
    if (!edit)
        return;
    if (edit->rowDeletedMeanwhile())
        edit->keepAsNew();
    else if (!edit->isNewRow())
        edit->startNew();
}

void MasterList::Command2_Click()
{
    const qint64 key = selectedKey();
    if (!key) {
        m_ctx.dialogs.message(tr("Please select an entry"), Dialogs::Buttons::Ok, Dialogs::Icon::None, {},
                              this);
        return;
    }
    try {
        if (deleteEntry(key))
            refresh();
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
}

void MasterList::Command1_Click()
{
    close();
}

void MasterList::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    if (m_skipActivationRefresh)
        m_skipActivationRefresh = false;
    else
        refresh();
}

// ---------------------------------------------------------------------------------------------------

MasterEdit::MasterEdit(AppContext& ctx, const QString& name, const QString& caption, const QString& table,
                       const QString& kind, const QString& listTitle, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx), m_table(table), m_kind(kind), m_listTitle(listTitle)
{
    setObjectName(name);
    setWindowTitle(caption);

    lblRef = named(new QLabel(this), "lblRef");
    lblRef->hide();
    Command2 = named(new QPushButton(tr("&Save"), this), "Command2");
    Command2->setDefault(true);
    Command1 = named(new QPushButton(tr("&Close"), this), "Command1");
    for (QPushButton* b : {Command2, Command1})
        b->setMinimumWidth(90);

    m_form = new QFormLayout;
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(Command2, &QPushButton::clicked, this, &MasterEdit::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &MasterEdit::Command1_Click);
}

qint64 MasterEdit::ref() const
{
    return lblRef->text().trimmed().toLongLong();
}

bool MasterEdit::isNewRow() const
{
    return lblRef->text().trimmed().isEmpty();
}

void MasterEdit::startNew()
{
    m_rowDeleted = false;
    lblRef->clear();
    clearFields();
}

void MasterEdit::keepAsNew()
{
    m_rowDeleted = false;
    lblRef->clear();
}

void MasterEdit::edit(qint64 key)
{
    m_rowDeleted = false;
    clearFields();
    lblRef->setText(QString::number(key));
    try {
        getData();
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
}

void MasterEdit::Command2_Click()
{
    bool ok = false;
    try {
        if (!checkInput())
            return;
        ok = isNewRow() ? saveData() : updateData();
    } catch (const DbError& e) {
        showFailure(e);
        return;
    }
    if (!ok)
        return;
    Q_EMIT saved();
    close();
}

void MasterEdit::Command1_Click()
{
    close();
}

bool MasterEdit::saveData()
{
    try {
        const qint64 key = m_ctx.db.insert(m_table, values());
        lblRef->setText(QString::number(key));
        return true;
    } catch (const DbError& e) {
        showFailure(e);
        return false;
    }
}

bool MasterEdit::updateData()
{
    qint64 written = 0;
    try {
        written = m_ctx.db.update(m_table, ref(), values());
    } catch (const DbError& e) {
        showFailure(e);
        return false;
    }
    if (written > 0)
        return true;
    // The row is gone (deleted in the list, here or on another workstation). Nothing is written and
    // nothing is made anew behind the user's back: the screen keeps what was typed, and the list
    // drops the row.
    m_rowDeleted = true;
    Q_EMIT rowMissing();
    m_ctx.dialogs.message(tr("The %1 \"%2\" has been deleted meanwhile, so the changes were not "
                             "saved. To keep them, choose Add in the %3 and save again.")
                              .arg(m_kind, rowName(), m_listTitle),
                          Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
    return false;
}

void MasterEdit::showFailure(const DbError& error)
{
    m_ctx.dialogs.message(error.description(), Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
}
