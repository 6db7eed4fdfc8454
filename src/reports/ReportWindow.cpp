#include "reports/ReportWindow.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Session.h"
#include "reports/ReportChartView.h"
#include "reports/ReportColumns.h"
#include "reports/modExcel.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/Named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

ReportWindow::ReportWindow(AppContext& ctx, ReportKind kind, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx), m_kind(kind), m_loader(new ReportLoader(this))
{
    const ReportKindInfo& info = reportKindInfo(kind);
    setObjectName(info.screenName);
    setWindowTitle(QCoreApplication::translate("ReportQuery", qPrintable(info.caption)));
    setProperty(modExcel::ExportNameProperty, info.exportName);

    fraFilter = named(new QGroupBox(this), "fraFilter");
    lblFilter =
        named(new QLabel(QCoreApplication::translate("ReportQuery", qPrintable(info.filterLabel)), fraFilter),
              "lblFilter");
    cmbDept = named(new QComboBox(fraFilter), "cmbDept");
    cmbDept->setEditable(true);
    cmbDept->setInsertPolicy(QComboBox::NoInsert);
    cmbDept->setMinimumWidth(200);
    lblFrom = named(new QLabel(tr("Date From"), fraFilter), "lblFrom");
    dtFrom = named(new QDateEdit(fraFilter), "dtFrom");
    lblTo = named(new QLabel(tr("To"), fraFilter), "lblTo");
    DTto = named(new QDateEdit(fraFilter), "DTto");
    for (QDateEdit* picker : {dtFrom, DTto}) {
        picker->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
        picker->setCalendarPopup(true);
    }
    chkAll = named(new QCheckBox(tr("Show All"), fraFilter), "chkAll");
    cmdShow = named(new QPushButton(tr("Show"), fraFilter), "cmdShow");
    cmdClose = named(new QPushButton(tr("Close"), fraFilter), "cmdClose");

    auto* filterRow = new QHBoxLayout(fraFilter);
    filterRow->addWidget(lblFilter);
    filterRow->addWidget(cmbDept, 1);
    filterRow->addSpacing(12);
    filterRow->addWidget(lblFrom);
    filterRow->addWidget(dtFrom);
    filterRow->addWidget(lblTo);
    filterRow->addWidget(DTto);
    filterRow->addSpacing(12);
    filterRow->addWidget(chkAll);
    filterRow->addStretch();
    filterRow->addWidget(cmdShow);
    filterRow->addWidget(cmdClose);

    FG = named(new Grid(this), "FG");
    FG->styleHeader();
    FG->horizontalHeader()->setStretchLastSection(true); // the filler column takes the spare width
    lblAvg = named(new QLabel(this), "lblAvg");
    QFont avgFont = lblAvg->font();
    avgFont.setBold(true);
    lblAvg->setFont(avgFont);
    lblNote = named(new QLabel(this), "lblNote");
    lblNote->setWordWrap(true);
    lblNote->setVisible(false);
    tblTotals = named(new QTableWidget(this), "tblTotals");
    const QStringList headings = totalsHeadings(kind);
    tblTotals->setColumnCount(int(headings.size()));
    tblTotals->setHorizontalHeaderLabels(headings);
    tblTotals->verticalHeader()->setVisible(false);
    tblTotals->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblTotals->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tblTotals->horizontalHeader()->setStretchLastSection(false);

    tabView = named(new QTabWidget(this), "tabView");
    chartView = named(new ReportChartView(ctx.dialogs, tabView), "chartView");
    tabView->addTab(FG, tr("Tickets"));
    tabView->addTab(chartView, tr("Charts"));
    tabView->setDocumentMode(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraFilter);
    layout->addWidget(tabView, 1);
    layout->addWidget(lblNote);
    layout->addWidget(tblTotals);
    bottomRow = new QHBoxLayout;
    bottomRow->addWidget(lblAvg);
    bottomRow->addStretch();
    layout->addLayout(bottomRow);
    resize(1100, 600);

    m_loader->onRows = [this](std::vector<GridRow>&& rows) { FG->appendRows(std::move(rows)); };
    m_loader->onFinished = [this](const ReportSummary& summary) { listed(summary); };
    m_loader->onStopped = [this] {
        // A restore took the store away while the rows came in: what is listed is not all of it.
        setProperty(modExcel::StillFillingProperty, false);
        setFG();
        showFigures({});
        lblNote->setText(tr("The listing was stopped for a restore. Press Show to list again."));
        lblNote->setVisible(true);
    };

    connect(cmbDept, &QComboBox::currentTextChanged, this, [this] { addFG(); });
    connect(dtFrom, &QDateEdit::dateChanged, this, [this] { addFG(); });
    connect(DTto, &QDateEdit::dateChanged, this, [this] { addFG(); });
    connect(chkAll, &QCheckBox::clicked, this, [this] { addFG(); });
    connect(cmdShow, &QPushButton::clicked, this, [this] { addFG(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });

    Form_Load();
}

void ReportWindow::Form_Load()
{
    m_loading = true;
    openConnection(m_ctx);
    setFG();
    fillFilterList();
    dtFrom->setDate(m_ctx.clock.today());
    DTto->setDate(m_ctx.clock.today());
    // Every report opens on the day's tickets of all its departments, services or counters.
    cmbDept->setCurrentIndex(cmbDept->findText(QStringLiteral("All")));
    m_loading = false;
    addFG();
}

void ReportWindow::fillFilterList()
{
    if (m_kind == ReportKind::Department)
        addDept();
    else
        addServ();
}

void ReportWindow::addDept()
{
    const QSignalBlocker block(cmbDept);
    cmbDept->clear();
    try {
        cmbDept->addItems(reportFilterNames(m_ctx.db, m_kind));
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
    cmbDept->setCurrentIndex(-1);
    cmbDept->clearEditText();
}

void ReportWindow::addServ()
{
    addDept(); // the list's contents follow the window's kind
}

void ReportWindow::setFG()
{
    const std::vector<ReportColumn>& columns = reportColumns();
    FG->setCols(int(columns.size()));
    FG->clearRows();
    for (int c = 0; c < FG->cols(); ++c) {
        const char* heading = columns[size_t(c)].heading;
        FG->setText(0, c, *heading ? QCoreApplication::translate("ReportColumns", heading) : QString());
        FG->setColWidth(c, columns[size_t(c)].twips);
    }
}

void ReportWindow::addFG()
{
    if (m_loading)
        return;
    setFG();
    lblAvg->clear(); // an earlier report's figure does not stand beside this one's rows
    showFigures({});
    lblNote->setVisible(false);
    setProperty(modExcel::StillFillingProperty, true);
    m_loader->start(StoreAddress::of(m_ctx.db),
                    {m_kind, cmbDept->currentText(), dtFrom->date(), DTto->date(), chkAll->isChecked()});
}

void ReportWindow::listed(const ReportSummary& summary)
{
    setProperty(modExcel::StillFillingProperty, false);
    if (!summary.error.isEmpty()) {
        setFG(); // part of a listing would pass for all of it
        m_ctx.dialogs.message(summary.error, Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
        return;
    }
    if (chkAll->isChecked() || summary.rows == 0)
        lblAvg->clear(); // an average of no tickets would only repeat an earlier report's figure
    else
        lblAvg->setText(averageText(double(summary.durationSum) / double(summary.rows)));
    showFigures(summary.figures);
    const QString note = summary.rows == 0 ? emptyReportText() : QString();
    lblNote->setText(note);
    lblNote->setVisible(!note.isEmpty());
}

QString ReportWindow::emptyReportText() const
{
    const QString filter = cmbDept->currentText().trimmed();
    QString what;
    switch (m_kind) {
    case ReportKind::Department:
        what = tr("department");
        break;
    case ReportKind::Counter:
        what = tr("counter");
        break;
    case ReportKind::Service:
    case ReportKind::Pending:
        what = tr("service");
        break;
    }
    if (filter.isEmpty())
        return tr("No tickets are shown: choose a %1, or All, in the list above.").arg(what);
    const bool known = filter == QLatin1String("All") || cmbDept->findText(filter, Qt::MatchFixedString) >= 0;
    if (!known)
        return tr("No tickets are shown: there is no active %1 called \"%2\".").arg(what, filter);
    const QString days = dtFrom->date() == DTto->date()
                             ? tr("on %1").arg(dtFrom->date().toString(QStringLiteral("dd-MM-yyyy")))
                             : tr("from %1 to %2")
                                   .arg(dtFrom->date().toString(QStringLiteral("dd-MM-yyyy")),
                                        DTto->date().toString(QStringLiteral("dd-MM-yyyy")));
    if (dtFrom->date() > DTto->date())
        return tr("No tickets are shown: the first date is after the second.");
    if (m_kind == ReportKind::Pending)
        return tr("No token is waiting %1.").arg(days);
    if (m_kind == ReportKind::Counter && chkAll->isChecked())
        return tr("No ticket was attended by a counter %1.").arg(days);
    if (!chkAll->isChecked())
        return tr("No token was called %1. Tick Show All to see the tokens still waiting too.").arg(days);
    return tr("No tickets were issued %1.").arg(days);
}

void ReportWindow::showFigures(const ReportFigures& figures)
{
    m_figures = figures;
    chartView->setFigures(figures);
    const QVector<TotalsLine>& lines = figures.totals;
    tblTotals->setRowCount(figures.isEmpty() ? 0 : int(lines.size()));
    for (int r = 0; r < tblTotals->rowCount(); ++r) {
        const TotalsLine& l = lines[r];
        const QString cells[] = {l.name,
                                 QString::number(l.tokens),
                                 QString::number(l.served),
                                 QString::number(l.cancelled),
                                 QString::number(l.waitingNow),
                                 ReportTotals::minutesText(l.averageWaiting),
                                 ReportTotals::minutesText(l.waiting90),
                                 ReportTotals::minutesText(l.averageService),
                                 ReportTotals::shareText(l.withinTarget),
                                 QString::number(l.notArrived)};
        for (int c = 0; c < int(std::size(cells)); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (r == lines.size() - 1) { // "All"
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            tblTotals->setItem(r, c, item);
        }
    }
    tblTotals->setVisible(tblTotals->rowCount() > 0);
    // As high as its lines, up to a few of them; the grid or the chart takes the rest.
    int height = tblTotals->horizontalHeader()->sizeHint().height() + 2 * tblTotals->frameWidth();
    for (int r = 0; r < tblTotals->rowCount(); ++r)
        height += tblTotals->rowHeight(r);
    tblTotals->setFixedHeight(qMin(height, 180));
}

bool ReportWindow::filling() const
{
    return m_loader->busy();
}

void ReportWindow::getAvg()
{
    QStringList durations;
    for (int r = 1; r < FG->rows(); ++r)
        durations.append(FG->text(r, ReportDurationColumn));
    if (const std::optional<double> average = averageDuration(durations))
        lblAvg->setText(averageText(*average));
    else
        lblAvg->clear();
}

void ReportWindow::cmdClose_Click()
{
    close();
}

void ReportWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_ctx.session.activeReport = this;
}
