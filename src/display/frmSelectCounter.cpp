#include "display/frmSelectCounter.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/ThemeCounters.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/Named.h"
#include "ui/Twips.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

// The tick is the colour of the row-number cell; the selection highlight must not cover it, or the
// row just clicked would not show whether it is now ticked.
class TickCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem plain(option);
        plain.state &= ~QStyle::State_Selected;
        QStyledItemDelegate::paint(painter, plain, index);
    }
};

} // namespace

frmSelectCounter::frmSelectCounter(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmSelectCounter"));
    setWindowFlags(Qt::Window);
    setWindowTitle(tr(" Select Counter to Display"));

    lblTheme = named(new QLabel(this), "lblTheme");
    lblTheme->hide();

    FG = named(new Grid(this), "FG");
    FG->setSelectionMode(QAbstractItemView::SingleSelection);
    FG->styleHeader();
    FG->setAlternatingRowColors(false);
    FG->installEventFilter(this);
    FG->setItemDelegateForColumn(1, new TickCellDelegate(FG));

    auto button = [this](const char* name, const QString& caption) {
        auto* b = named(new QPushButton(caption, this), name);
        return b;
    };
    cmdSelectAll = button("cmdSelectAll", tr("Select All"));
    cmdRemoveAll = button("cmdRemoveAll", tr("Remove All"));
    cmdSave = button("cmdSave", tr("Save"));

    auto* hint = new QLabel(tr("Click a row or press Space to tick or clear it."), this);
    auto* commands = new QHBoxLayout;
    commands->addWidget(cmdSelectAll);
    commands->addWidget(cmdRemoveAll);
    commands->addStretch(1);
    commands->addWidget(cmdSave);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(FG, 1);
    layout->addLayout(commands);

    connect(FG, &Grid::cellPressed, this, [this](int, int) { toggleSelected(); });
    connect(cmdSelectAll, &QPushButton::clicked, this, &frmSelectCounter::cmdSelectAll_Click);
    connect(cmdRemoveAll, &QPushButton::clicked, this, &frmSelectCounter::cmdRemoveAll_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmSelectCounter::cmdSave_Click);

    resize(760, 420);
    addFG();
}

void frmSelectCounter::setFG()
{
    FG->setRows(1);
    FG->setCols(7);
    const int widths[] = {1, 600, 2000, 2000, 2000, 1000, 2000};
    const QStringList captions = {QString(),          tr("SN"),     tr("Department"), tr("Service Name"),
                                  tr("Counter Name"), tr("Active"), QString()};
    for (int c = 0; c < 7; ++c) {
        FG->setColWidth(c, widths[c]);
        FG->setText(0, c, captions.at(c));
    }
}

void frmSelectCounter::addFG()
{
    setFG();
    try {
        const ResultSet rs = m_ctx.db.query(QStringLiteral(
            "SELECT tblCounter.cntAuto, tblService.ServName, tblDept.deptName, tblCounter.contName, "
            "tblCounter.active "
            "FROM (tblCounter INNER JOIN tblService ON tblCounter.servAuto = tblService.servAuto) "
            "INNER JOIN tblDept ON tblService.deptAuto = tblDept.deptAuto order by contName asc"));
        for (int n = 0; n < rs.size(); ++n) {
            const int row = FG->addRow({rs.text(n, 0), QString::number(n + 1), rs.text(n, 2), rs.text(n, 1),
                                        rs.text(n, 3), rs.text(n, 4)});
            setTicked(row, false);
        }
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
}

void frmSelectCounter::setTheme(qint64 themeId)
{
    const QString key = QString::number(themeId);
    if (lblTheme->text() != key) {
        // Another theme's choice starts from its own saved ticks, not from what was ticked before.
        lblTheme->setText(key);
        addFG();
    }
    getList();
}

void frmSelectCounter::getList()
{
    if (lblTheme->text().isEmpty())
        return;
    QStringList keys;
    try {
        keys = themeCounters::load(m_ctx.db, m_ctx.settings, lblTheme->text().toLongLong());
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
        return;
    }
    for (const QString& key : keys) {
        for (int r = 1; r < FG->rows(); ++r) {
            if (FG->text(r, 0) == key)
                setTicked(r, true);
        }
    }
}

bool frmSelectCounter::isTicked(int row) const
{
    const QColor c = FG->cellBackColor(row, 1);
    return c.isValid() && colorNumber::fromColor(c) == Ticked;
}

void frmSelectCounter::setTicked(int row, bool ticked)
{
    if (row < 1 || row >= FG->rows())
        return;
    FG->setCellBackColor(row, 1, colorNumber::toColor(ticked ? Ticked : Unticked));
}

void frmSelectCounter::toggleSelected()
{
    const int row = FG->row();
    if (row < 1 || row >= FG->rows())
        return;
    setTicked(row, !isTicked(row));
}

void frmSelectCounter::cmdSelectAll_Click()
{
    for (int r = 1; r < FG->rows(); ++r)
        setTicked(r, true);
}

void frmSelectCounter::cmdRemoveAll_Click()
{
    for (int r = 1; r < FG->rows(); ++r)
        setTicked(r, false);
}

void frmSelectCounter::cmdSave_Click()
{
    QStringList keys;
    for (int r = 1; r < FG->rows(); ++r) {
        if (isTicked(r))
            keys.append(FG->text(r, 0));
    }
    try {
        themeCounters::save(m_ctx.db, m_ctx.settings, lblTheme->text().toLongLong(), keys);
    } catch (const DbError& e) {
        // Nothing was saved: the window stays open with the ticks.
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
        return;
    }
    close();
}

bool frmSelectCounter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FG && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        toggleSelected();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmSelectCounter::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        getList();
    QWidget::changeEvent(event);
}
