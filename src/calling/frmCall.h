#pragma once

#include "calling/CallEngine.h"
#include "calling/CounterWindow.h"

#include <QList>

class DbError;
class QComboBox;
class QLineEdit;

// The counter operator screen: the token being served in large letters, Next, Recall, Cancel,
// Refresh and Finish (also on F4..F8, system-wide), the day's attended, cancelled, transferred and pending
// tokens of the counter, and the transfer of a waiting token to another counter.
class frmCall : public CounterWindow
{
    Q_OBJECT

public:
    explicit frmCall(AppContext& ctx, QWidget* parent = nullptr);
    ~frmCall() override;

    // Transfer tab
    QComboBox* cmbToken;
    QComboBox* cmbService;
    QLabel* lblService;
    QLineEdit* txtRef;
    QPushButton* Command5; // Update
    // Outside the tabs, besides the shared ones
    QLabel* Label4; // walk-in call count
    QLabel* Label3; // appointment time of the transferred token last clicked
    QLabel* lblTransfered;
    // A visitor who does not come: the button (after the token's recalls) and today's list of them
    QPushButton* cmdNotArrived;
    Grid* FGN;

    CallEngine engine;

    void Form_Load();

    // The engine's routines, acting on this screen's labels.
    void callNext();
    CallEngine::CallResult callThis(qint64 ticketKey, const QString& kind,
                                    CallEngine::Take take = CallEngine::Take::Again);
    void updateRc();
    void setFinish();
    void getPending() override;
    void getLast();

    void addTrans() override;
    void addTokens() override;
    void addCount();
    void setFG2();
    void regHkeys();

    void Command1_Click();  // Recall
    void Command2_Click();  // Next
    void Command3_Click();  // Cancel
    void Command5_Click();  // Update (transfer)
    void Command7_Click();  // Exit
    void cmdFinish_Click(); // Finish
    void FG_DblClick();
    void FG1_DblClick();
    void FGR_DblClick();
    void FG4_DblClick();
    void cmdNotArrived_Click();
    void FGN_DblClick();
    void setFGN();
    void addNotArrived();
    void FGR_Click();
    void cmbService_Click();
    void Timer1_Timer();

    // Hot keys this screen holds (Qt::Key_F4 ..).
    const QList<int>& registeredKeys() const { return m_registered; }

protected:
    qint64 listCounter() const override;
    QString takeableCondition() const override;
    QVariantList takeableValues() const override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTransferTab();
    void buildNotArrived();
    // Enabled once the current token has had its recalls; its tooltip says why not before.
    void showNotArrivedButton();
    void addOwnLists() override;
    void showState();
    void callFromList(Grid* list, const QString& kind, CallEngine::Take take);
    // Reports a failed action: the counter is idle rather than claiming a call the store lacks.
    void reportFailure(const DbError& e);
    void transferCurrent(qint64 target);
    void releaseHotKeys();
    void endProgram();

    QList<int> m_registered;
    bool m_ending = false;
};
