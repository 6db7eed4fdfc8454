#pragma once

#include "calling/CallEngine.h"

#include "core/FailureMessages.h"
#include <QList>

#include <QWidget>

struct AppContext;
class Grid;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTimer;

// The counter operator screen: the token being served in large letters, Next, Recall, Cancel and
// Refresh (also on F4..F7, system-wide), the day's attended, cancelled, transferred and pending
// tokens of the counter, and the transfer of a waiting token to another counter.
class frmCall : public QWidget
{
    Q_OBJECT

public:
    explicit frmCall(AppContext& ctx, QWidget* parent = nullptr);
    ~frmCall() override;

    QTabWidget* STab;
    // Call Window tab
    QPushButton* Command2; // Next   F4
    QPushButton* Command1; // Recall   F5
    QPushButton* Command3; // Cancell F6
    QPushButton* Command6; // Refresh F7
    QPushButton* Command9; // Open
    QPushButton* Command8; // Closed
    // Lists
    Grid* FG;  // Attended
    Grid* FG1; // Cancelled
    Grid* FGR; // Transfered
    Grid* FG4; // Pending
    // Transfer tab
    QComboBox* cmbToken;
    QComboBox* cmbService;
    QLabel* lblService;
    QLineEdit* txtRef;
    QPushButton* Command5; // Update
    // Settings tab
    QPushButton* Command4; // Change Password
    QCheckBox* chkShort;
    QCheckBox* chkboth;
    // Outside the tabs
    QLabel* Label1;
    QLabel* lblToken;
    QLabel* lblNo;
    QLabel* lblLast;
    QLabel* lblTotal;
    QLabel* Label4;
    QLabel* Label3;
    QLabel* lblTransfered;
    QPushButton* Command7; // Exit
    QTimer* Timer1;
    QTimer* Timer2;

    CallEngine engine;

    void Form_Load();

    // The engine's routines, acting on this screen's labels.
    void callNext();
    void callThis(qint64 ticketKey, const QString& kind);
    void updateRc();
    void setFinish();
    void getPending();
    void getLast();

    void addAttend();
    void addCancelled();
    void addTrans();
    void addPendings();
    void addTokens();
    void addCount();
    void setFG();
    void setFG1();
    void setFG2();
    void setFG4();
    void regHkeys();

    void Command1_Click(); // Recall
    void Command2_Click(); // Next
    void Command3_Click(); // Cancel
    void Command4_Click(); // Change Password
    void Command5_Click(); // Update (transfer)
    void Command6_Click(); // Refresh
    void Command7_Click(); // Exit
    void STab_Click(int tab);
    void FG_DblClick();
    void FG1_DblClick();
    void FGR_DblClick();
    void FG4_DblClick();
    void FGR_Click();
    void cmbService_Click();
    void chkShort_Click();
    void chkboth_Click();
    void Timer1_Timer();
    void Timer2_Timer();

    // Hot keys this screen holds (Qt::Key_F4 ..).
    const QList<int>& registeredKeys() const { return m_registered; }
    int refreshTicks() const { return m_refreshTicks; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildUi();
    void showState();
    void callFromList(Grid* list, const QString& kind);
    void startLockOut();
    void releaseHotKeys();
    void endProgram();
    void reportError(const QString& description);

    AppContext& m_ctx;
    QList<int> m_registered;
    int m_refreshTicks = 0;
    bool m_ending = false;
    FailureMessages m_failures;
};
