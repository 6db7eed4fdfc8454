#pragma once

#include "reports/ReportLoader.h"
#include "reports/ReportQuery.h"

#include <QWidget>

struct AppContext;
class Grid;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;
class ReportChartView;

// One window for the four ticket reports: a filter list, a date range, "Show All", the ticket grid
// and the average service time, with the totals of every token of the period under them and the
// charts of the same figures on a page beside the grid. Activating it makes it the window Send to
// Excel exports.
class ReportWindow : public QWidget
{
    Q_OBJECT

public:
    ReportWindow(AppContext& ctx, ReportKind kind, QWidget* parent = nullptr);

    ReportKind kind() const { return m_kind; }

    QGroupBox* fraFilter;
    QLabel* lblFilter;
    QComboBox* cmbDept;
    QLabel* lblFrom;
    QDateEdit* dtFrom;
    QLabel* lblTo;
    QDateEdit* DTto;
    QCheckBox* chkAll;
    QPushButton* cmdShow;
    QPushButton* cmdClose;
    Grid* FG;
    QLabel* lblAvg;
    // Under the grid: why a report lists nothing, and the totals per service (or counter).
    QLabel* lblNote;
    QTableWidget* tblTotals;
    // The grid's page and the charts' page.
    QTabWidget* tabView;
    ReportChartView* chartView;

    // The figures of the report shown (empty while it is listed).
    const ReportFigures& figures() const { return m_figures; }

    void Form_Load();
    void setFG();
    // Runs the report for the current filter and dates on the loader's thread; the rows come into
    // the grid while the window keeps answering, and the average follows the last of them. A new
    // addFG stops one still under way.
    void addFG();
    // The average of the grid's Duration column.
    void getAvg();
    // True until the last row of the report asked for is in the grid.
    bool filling() const;
    void addDept();
    void addServ();
    void cmdClose_Click();

protected:
    void changeEvent(QEvent* event) override;
    // The row under the grid: the average, then room for a window's own buttons.
    QHBoxLayout* bottomRow = nullptr;
    AppContext& context() { return m_ctx; }

private:
    void fillFilterList();

    void listed(const ReportSummary& summary);
    void showFigures(const ReportFigures& figures);
    QString emptyReportText() const;

    AppContext& m_ctx;
    ReportKind m_kind;
    ReportLoader* m_loader;
    bool m_loading = true;
    ReportFigures m_figures;
};
