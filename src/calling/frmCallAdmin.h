#pragma once

#include "calling/CallDesk.h"

#include "core/FailureMessages.h"

#include <QWidget>

struct AppContext;
class Grid;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;

// The administrator's call desk: works as a chosen counter without a counter log-in, calling the
// lowest waiting number of that counter's service, and may show another counter ("My Counter") on
// the display boards. Each press of the main window's Call button opens another desk.
class frmCallAdmin : public QWidget
{
    Q_OBJECT

public:
    explicit frmCallAdmin(AppContext& ctx, QWidget* parent = nullptr);

    QComboBox* cmbCounter; // the counter this desk calls for
    QLabel* lblDr;         // its display name
    QTabWidget* STab;
    // Call Window tab
    QPushButton* Command2; // Next   F4
    QPushButton* Command1; // Recall   F5
    QPushButton* Command3; // Call This F6 (cancels the current token)
    QPushButton* Command6; // Refresh F7
    QPushButton* Command9; // Open
    QPushButton* Command8; // Closed
    // Lists
    Grid* FG;  // Attended
    Grid* FG1; // Cancelled
    Grid* FGR; // Transfered
    Grid* FG4; // Pending
    // Transfer tab, switched off on the desk
    QComboBox* cmbService;
    // Settings tab
    QPushButton* Command4; // Change Password
    QCheckBox* chkShort;
    QCheckBox* chkboth;
    QComboBox* cmbMyCounter;
    // Outside the tabs
    QLabel* Label1;
    QLabel* lblToken;
    QLabel* lblNo;
    QLabel* lblLast;
    QLabel* lblTotal;
    QPushButton* Command7; // Close
    QTimer* Timer1;
    QTimer* Timer2;

    CallDesk desk;

    void Form_Load();
    void Form_Activate();

    void callNext();
    void callThis(qint64 ticketKey);
    void getPending();
    void getLast();
    void getDetails();
    void addCntr();
    void addCount();
    void addAttend();
    void addCancelled();
    void addTrans();
    void addPendings();
    void setFG();
    void setFG1();
    void setFG2();
    void setFG4();

    void cmbCounter_Change();
    void cmbMyCounter_Change();
    void Command1_Click(); // Recall
    void Command2_Click(); // Next
    void Command3_Click(); // cancels the current token
    void Command4_Click(); // Change Password
    void Command6_Click(); // Refresh
    void Command7_Click(); // Close
    void STab_Click(int tab);
    void FG_DblClick();
    void FG1_DblClick();
    void FGR_DblClick();
    void chkShort_Click();
    void chkboth_Click();
    void Timer1_Timer();
    void Timer2_Timer();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildUi();
    void showState();
    void setCallButtons(bool enabled);
    void callFromList(Grid* list);
    void reportError(const QString& description);

    AppContext& m_ctx;
    int m_refreshTicks = 0;
    bool m_loaded = false;
    bool m_counterValid = false; // the text of cmbCounter names a counter
    FailureMessages m_failures;
};
