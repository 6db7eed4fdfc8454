#pragma once

#include "reports/ReportWindow.h"

// "Clear Data": the department report with one more button, "Delete Selected", which deletes the
// tickets of the highlighted rows.
class frmClearData : public ReportWindow
{
    Q_OBJECT

public:
    explicit frmClearData(AppContext& ctx, QWidget* parent = nullptr);

    QPushButton* cmdDelete = nullptr;

    void cmdDelete_Click();
};
