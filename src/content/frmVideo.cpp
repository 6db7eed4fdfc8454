#include "content/frmVideo.h"

#include "content/ContentStore.h"
#include "content/VideoFormats.h"
#include "core/AppContext.h"
#include "core/DbError.h"
#include "core/ScreenRegistry.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <typename T> T* named(T* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

void showError(AppContext& ctx, const DbError& e, QWidget* parent)
{
    ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, parent);
}

} // namespace

frmVideoLst::frmVideoLst(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmVideoLst"));
    setWindowTitle(tr("Video List"));

    FG = named(new Grid(this), "FG");
    FG->setSelectionMode(QAbstractItemView::SingleSelection);
    FG->horizontalHeader()->setStretchLastSection(true);
    FG->styleHeader();
    Command4 = named(new QPushButton(tr("&Add New"), this), "Command4");
    Command1 = named(new QPushButton(tr("&Edit"), this), "Command1");
    Command2 = named(new QPushButton(tr("&Delete"), this), "Command2");
    Command3 = named(new QPushButton(tr("&Close"), this), "Command3");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {Command4, Command1, Command2, Command3}) {
        b->setMinimumWidth(90);
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FG, 1);
    layout->addLayout(buttons);
    resize(760, 400);

    connect(Command4, &QPushButton::clicked, this, &frmVideoLst::Command4_Click);
    connect(Command1, &QPushButton::clicked, this, &frmVideoLst::Command1_Click);
    connect(FG, &Grid::dblClick, this, &frmVideoLst::FG_DblClick);
    connect(Command2, &QPushButton::clicked, this, &frmVideoLst::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmVideoLst::Command3_Click);

    Form_Load();
}

void frmVideoLst::Form_Load()
{
    openConnection(m_ctx);
    addFG();
}

void frmVideoLst::setFG()
{
    FG->clearRows();
    FG->setCols(6);
    static const char* headers[] = {
        "", QT_TR_NOOP("SN"), QT_TR_NOOP("Video Description"), QT_TR_NOOP("Active"), "", ""};
    for (int c = 0; c < 6; ++c)
        FG->setText(0, c, *headers[c] ? tr(headers[c]) : QString());
    FG->setColWidth(0, 1); // the key, never seen
    FG->setColWidth(1, 500);
    FG->setColWidth(2, 2000);
    FG->setColWidth(3, 2000);
    FG->setColWidth(4, 4000);
}

void frmVideoLst::addFG()
{
    setFG();
    try {
        const QVector<content::VideoEntry> rows = content::listVideos(m_ctx.db);
        int p = 0;
        for (const content::VideoEntry& row : rows) {
            ++p;
            FG->addRow(
                {QString::number(row.key), QString::number(p), row.desc, row.active ? tr("Yes") : tr("No")});
        }
    } catch (const DbError& e) {
        showError(m_ctx, e, this);
    }
    FG->setRow(-1);
}

qint64 frmVideoLst::selectedKey() const
{
    const int row = FG->row();
    if (row < 1 || row >= FG->rows() || !FG->selectionModel()->isRowSelected(row - 1, QModelIndex()))
        return 0;
    return FG->text(row, 0).toLongLong();
}

frmVideo* frmVideoLst::openEntry()
{
    auto* entry = qobject_cast<frmVideo*>(m_ctx.screens.open(QStringLiteral("frmVideo")));
    if (entry) {
        connect(entry, &frmVideo::saved, this, &frmVideoLst::addFG, Qt::UniqueConnection);
        connect(entry, &frmVideo::entryMissing, this, &frmVideoLst::addFG, Qt::UniqueConnection);
    }
    return entry;
}

void frmVideoLst::Command4_Click()
{
    if (frmVideo* entry = openEntry())
        entry->startNew();
}

void frmVideoLst::Command1_Click()
{
    const qint64 key = selectedKey();
    if (!key)
        return;
    if (frmVideo* entry = openEntry())
        entry->editEntry(key);
}

void frmVideoLst::FG_DblClick()
{
    Command1_Click();
}

void frmVideoLst::Command2_Click()
{
    if (!m_ctx.dialogs.askYesNo(tr("Do you want to delete the selected"), Dialogs::Icon::Question, {}, this))
        return;
    const qint64 key = selectedKey();
    if (!key)
        return;
    try {
        content::deleteVideo(m_ctx.db, key);
    } catch (const DbError& e) {
        showError(m_ctx, e, this);
    }
    addFG();
}

void frmVideoLst::Command3_Click()
{
    close();
}

// ---------------------------------------------------------------------------------------------------

frmVideo::frmVideo(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmVideo"));
    setWindowTitle(tr("Select Video"));

    txtName = named(new QLineEdit(this), "txtName");
    Command1 = named(new QPushButton(QStringLiteral("--"), this), "Command1");
    Command1->setToolTip(tr("Browse"));
    Command1->setFixedWidth(40);
    txtDesc = named(new QLineEdit(this), "txtDesc");
    chkActive = named(new QCheckBox(tr("Active"), this), "chkActive");
    Command2 = named(new QPushButton(tr("Save"), this), "Command2");
    Command2->setMinimumWidth(90);
    Command2->setDefault(true);
    lblRef = named(new QLabel(this), "lblRef");
    lblRef->hide();

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(txtName, 1);
    pathRow->addWidget(Command1);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(tr("Select Video"), pathRow);
    form->addRow(tr("Description"), txtDesc);
    form->addRow(QString(), chkActive);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(520, 160);

    connect(Command1, &QPushButton::clicked, this, &frmVideo::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmVideo::Command2_Click);
}

void frmVideo::clearEntry()
{
    m_entryDeleted = false;
    lblRef->clear();
    txtName->clear();
    txtDesc->clear();
    chkActive->setChecked(false);
}

void frmVideo::startNew()
{
    if (!m_entryDeleted) {
        clearEntry();
        return;
    }
    m_entryDeleted = false;
    lblRef->clear();
}

void frmVideo::editEntry(qint64 key)
{
    clearEntry();
    lblRef->setText(QString::number(key));
    getData();
}

void frmVideo::getData()
{
    try {
        const std::optional<content::VideoEntry> entry =
            content::videoById(m_ctx.db, lblRef->text().toLongLong());
        if (!entry)
            return;
        txtName->setText(entry->name);
        txtDesc->setText(entry->desc);
        chkActive->setChecked(entry->active);
    } catch (const DbError& e) {
        showError(m_ctx, e, this);
    }
}

void frmVideo::Command1_Click()
{
    // What this workstation's media back end plays and the board shows as pictures; asked once.
    static const QString offered = videoformats::filter(videoformats::installedPatterns());
    const QString file = m_ctx.dialogs.openFileName(tr("Select Video"), offered, {}, this);
    if (!file.isEmpty())
        txtName->setText(file);
}

void frmVideo::saveData()
{
    content::addVideo(m_ctx.db, {0, txtName->text(), txtDesc->text(), chkActive->isChecked()});
}

bool frmVideo::updateData()
{
    return content::updateVideo(
        m_ctx.db, {lblRef->text().toLongLong(), txtName->text(), txtDesc->text(), chkActive->isChecked()});
}

QString frmVideo::entryName() const
{
    return txtDesc->text().trimmed().isEmpty() ? txtName->text().trimmed() : txtDesc->text();
}

void frmVideo::Command2_Click()
{
    if (txtName->text().trimmed().isEmpty()) {
        m_ctx.dialogs.message(tr("Please select a video"), Dialogs::Buttons::Ok, Dialogs::Icon::None, {},
                              this);
        return;
    }
    bool written = true;
    try {
        if (lblRef->text().isEmpty())
            saveData();
        else
            written = updateData();
    } catch (const DbError& e) {
        // Nothing typed is lost: the entry stays open for another try.
        showError(m_ctx, e, this);
        return;
    }
    if (!written) {
        // Deleted in the list, here or on another workstation: nothing is made anew behind the user's
        // back. The boxes keep what was typed and the list drops the entry.
        m_entryDeleted = true;
        Q_EMIT entryMissing();
        m_ctx.dialogs.message(tr("The video \"%1\" has been deleted meanwhile, so the changes were "
                                 "not saved. To keep them, choose Add New in the Video List and "
                                 "save again.")
                                  .arg(entryName()),
                              Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
        return;
    }
    Q_EMIT saved();
    close();
}
