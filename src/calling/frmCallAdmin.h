#pragma once

#include "calling/CallDesk.h"
#include "calling/CounterWindow.h"

class DbError;
class QComboBox;

// The administrator's call desk: works as a chosen counter without a counter log-in, calling the
// lowest waiting number of that counter's service, and may show another counter ("My Counter") on
// the display boards. Each press of the main window's Call button opens another desk.
class frmCallAdmin : public CounterWindow
{
    Q_OBJECT

public:
    explicit frmCallAdmin(AppContext& ctx, QWidget* parent = nullptr);

    QComboBox* cmbCounter; // the counter this desk calls for
    QLabel* lblDr;         // its display name
    QComboBox* cmbService; // transfer targets, on the switched-off Transfer tab
    QComboBox* cmbMyCounter;

    CallDesk desk;

    void Form_Load();
    void Form_Activate();

    void callNext();
    CallEngine::CallResult callThis(qint64 ticketKey, CallEngine::Take take = CallEngine::Take::Again);
    void getPending() override;
    void getLast();
    void getDetails();
    void addCntr();
    void addCount();
    void addTrans() override;
    void setFG2();

    void cmbCounter_Change();
    void cmbMyCounter_Change();
    void Command1_Click();  // Recall
    void Command2_Click();  // Next
    void Command3_Click();  // cancels the current token
    void Command7_Click();  // Close
    void cmdFinish_Click(); // Finish
    void FG_DblClick();
    void FG1_DblClick();
    void FGR_DblClick();
    void Timer1_Timer();

protected:
    qint64 listCounter() const override;
    QString takeableCondition() const override;
    QVariantList takeableValues() const override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showState();
    void setCallButtons(bool enabled);
    void callFromList(Grid* list, CallEngine::Take take);
    void reportFailure(const DbError& e);

    bool m_loaded = false;
    bool m_counterValid = false; // the text of cmbCounter names a counter
};
