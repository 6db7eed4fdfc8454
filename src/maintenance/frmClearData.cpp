#include "maintenance/frmClearData.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Session.h"
#include "maintenance/Maintenance.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/Named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct Column
{
    const char* heading;
    int width;
};

const Column columns[] = {{"", 1},         {"SN", 1200},       {"Dept.", 1900},   {"Service", 1900},
                          {"Token", 1200}, {"Date", 1200},     {"Counter", 1900}, {"From", 1200},
                          {"To", 1200},    {"Duration", 1200}, {"", 5000}};

} // namespace

frmClearData::frmClearData(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmClearData"));
    setWindowTitle(QStringLiteral("Clear Data"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* filter = named(new QGroupBox(this), "fraFilter");
    cmbDept = named(new QComboBox(filter), "cmbDept");
    cmbDept->setEditable(true);
    cmbDept->setInsertPolicy(QComboBox::NoInsert);
    cmbDept->setMinimumWidth(180);
    dtFrom = named(new QDateEdit(filter), "dtFrom");
    DTto = named(new QDateEdit(filter), "DTto");
    for (QDateEdit* d : {dtFrom, DTto}) {
        d->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
        d->setCalendarPopup(true);
    }
    chkAll = named(new QCheckBox(QStringLiteral("Show All"), filter), "chkAll");
    cmdShow = named(new QPushButton(QStringLiteral("Show"), filter), "cmdShow");
    auto* filterRow = new QHBoxLayout(filter);
    filterRow->addWidget(new QLabel(QStringLiteral("Select Department"), filter));
    filterRow->addWidget(cmbDept);
    filterRow->addSpacing(12);
    filterRow->addWidget(new QLabel(QStringLiteral("Date From"), filter));
    filterRow->addWidget(dtFrom);
    filterRow->addWidget(new QLabel(QStringLiteral("To"), filter));
    filterRow->addWidget(DTto);
    filterRow->addSpacing(12);
    filterRow->addWidget(chkAll);
    filterRow->addStretch();
    filterRow->addWidget(cmdShow);

    FG = named(new Grid(this), "FG");
    FG->setSelectionMode(QAbstractItemView::ExtendedSelection);

    lblAvg = named(new QLabel(this), "lblAvg");
    lblAvg->setMinimumWidth(260);
    cmdDelete = named(new QPushButton(QStringLiteral("Delete Selected"), this), "cmdDelete");
    cmdClose = named(new QPushButton(QStringLiteral("Close"), this), "cmdClose");
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblAvg);
    bottom->addStretch();
    bottom->addWidget(cmdDelete);
    bottom->addWidget(cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(filter);
    layout->addWidget(FG, 1);
    layout->addLayout(bottom);
    resize(980, 560);

    auto refresh = [this] {
        if (!m_loading)
            addFG();
    };
    connect(cmbDept, &QComboBox::editTextChanged, this, refresh);
    connect(cmbDept, &QComboBox::activated, this, refresh);
    connect(dtFrom, &QDateEdit::dateChanged, this, refresh);
    connect(DTto, &QDateEdit::dateChanged, this, refresh);
    connect(chkAll, &QCheckBox::clicked, this, refresh);
    connect(cmdShow, &QPushButton::clicked, this, refresh);
    connect(cmdDelete, &QPushButton::clicked, this, &frmClearData::cmdDelete_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    Form_Load();
}

void frmClearData::Form_Load()
{
    m_loading = true;
    openConnection(m_ctx);
    addDept();
    dtFrom->setDate(m_ctx.clock.today());
    DTto->setDate(m_ctx.clock.today());
    m_loading = false;
    addFG();
}

void frmClearData::addDept()
{
    cmbDept->clear();
    try {
        const ResultSet rs =
            m_ctx.db.query(QStringLiteral("select deptName from tblDept where active='1' order by deptAuto"));
        for (int i = 0; i < rs.size(); ++i)
            cmbDept->addItem(rs.text(i, 0));
    } catch (const DbError&) {
        // The list stays short; the listing itself reports nothing either.
    }
    cmbDept->addItem(QStringLiteral("All"));
    cmbDept->setCurrentIndex(-1);
    cmbDept->setEditText(QString());
}

void frmClearData::setFG()
{
    FG->setCols(int(std::size(columns)));
    FG->clearRows();
    for (int c = 0; c < int(std::size(columns)); ++c) {
        FG->setText(0, c, QString::fromLatin1(columns[c].heading));
        FG->setColWidth(c, columns[c].width);
    }
    FG->styleHeader();
}

void frmClearData::addFG()
{
    setFG();
    try {
        const QList<maintenance::TicketRow> rows = maintenance::departmentTickets(
            m_ctx.db, cmbDept->currentText(), dtFrom->date(), DTto->date(), chkAll->isChecked());
        int sn = 0;
        for (const maintenance::TicketRow& r : rows) {
            FG->addRow({QString::number(r.tickAuto), QString::number(++sn), r.deptName, r.servName, r.label,
                        r.tickDate, r.counter, r.attTime, r.finished, r.duration});
        }
    } catch (const DbError&) {
        // A listing that cannot be read stays empty, as the reports do.
    }
    if (chkAll->isChecked())
        lblAvg->clear();
    else
        getAvg();
}

void frmClearData::getAvg()
{
    QStringList durations;
    for (int r = 1; r < FG->rows(); ++r)
        durations << FG->text(r, 9);
    const QString average = maintenance::averageText(durations);
    if (!average.isEmpty())
        lblAvg->setText(QStringLiteral("Average Time : ") + average);
}

void frmClearData::cmdDelete_Click()
{
    if (!m_ctx.dialogs.askYesNo(QStringLiteral("Are you want to Delete?              "),
                                Dialogs::Icon::Question, {}, this))
        return;
    QList<qint64> keys;
    for (int r : maintenance::rowsToDelete(FG->row(), FG->rowSel())) {
        if (r < 1 || r >= FG->rows())
            continue;
        bool ok = false;
        const qint64 key = FG->text(r, 0).toLongLong(&ok);
        if (ok && key > 0)
            keys << key;
    }
    try {
        maintenance::deleteTickets(m_ctx.db, keys);
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
    addFG();
}

void frmClearData::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_ctx.session.activeReport = this;
}
