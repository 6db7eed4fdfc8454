#pragma once

#include "reports/ReportWindow.h"

class QDateEdit;

// "Clear Data": the department report with one more button, "Delete Selected", which deletes the
// tickets of the highlighted rows; and "Delete Before" with its date, which deletes every ticket
// dated before that day with its call rows, after saying how many.
class frmClearData : public ReportWindow
{
    Q_OBJECT

public:
    explicit frmClearData(AppContext& ctx, QWidget* parent = nullptr);

    QPushButton* cmdDelete = nullptr;
    QDateEdit* dtBefore = nullptr;
    QPushButton* cmdDeleteBefore = nullptr;

    void cmdDelete_Click();
    void cmdDeleteBefore_Click();
};
