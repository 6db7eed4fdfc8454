#pragma once

#include "reports/ReportQuery.h"

#include <QWidget>

struct AppContext;
class Grid;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;

// One window for the four ticket reports: a filter list, a date range, "Show All", the ticket grid
// and the average service time. Activating it makes it the window Send to Excel exports.
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

    void Form_Load();
    void setFG();
    // Runs the report for the current filter and dates and fills the grid, then the average.
    void addFG();
    void getAvg();
    void addDept();
    void addServ();
    void cmdClose_Click();

protected:
    void changeEvent(QEvent* event) override;

private:
    void fillFilterList();

    AppContext& m_ctx;
    ReportKind m_kind;
    bool m_loading = true;
};
