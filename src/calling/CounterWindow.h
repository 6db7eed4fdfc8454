#pragma once

#include "core/FailureMessages.h"

#include <QVariantList>
#include <QWidget>

struct AppContext;
struct CounterState;
class Grid;
class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;
class QVBoxLayout;

// What the counter operator screen and the administrator call desk have in common: the panel with
// the current token, the seven tabs (Call Window with Next, Recall, the third button, Refresh and
// Finish;
// Attended, Cancelled, Transfer, Transfered, Pending; Settings with its two boxes), the closing
// button, the two timers, and the list fills, refresh and settings boxes that work the same on both.
class CounterWindow : public QWidget
{
    Q_OBJECT

public:
    QTabWidget* STab;
    // Call Window tab
    QPushButton* Command2;  // Next   F4
    QPushButton* Command1;  // Recall   F5
    QPushButton* Command3;  // Cancell F6 on the counter screen, Call This F6 on the desk
    QPushButton* Command6;  // Refresh F7
    QPushButton* cmdFinish; // Finish F8: the current token ends, the counter is idle
    QPushButton* Command9;  // Open
    QPushButton* Command8;  // Closed
    // Lists
    Grid* FG;  // Attended
    Grid* FG1; // Cancelled
    Grid* FGR; // Transfered
    Grid* FG4; // Pending
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
    QPushButton* Command7; // Exit on the counter screen, Close on the desk
    QTimer* Timer1;        // re-enables Next and Recall
    QTimer* Timer2;        // Refresh at every 61st tick

    void setFG();
    void setFG1();
    void setFG4();
    void addAttend();
    void addCancelled();
    void addPendings();
    virtual void addTrans() = 0;
    virtual void getPending() = 0;

    void Command4_Click(); // Change Password
    void Command6_Click(); // Refresh
    // After each action of the operator: the labels, tab counts and lists as the store has them now.
    void refreshAll();
    void STab_Click(int tab);
    void chkShort_Click();
    void chkboth_Click();
    void Timer2_Timer();

    int refreshTicks() const { return m_refreshTicks; }

protected:
    struct Look
    {
        QString command3;    // caption of the third button
        QString command7;    // caption of the closing button
        QString chkboth;     // caption of the show-both box
        QString panelColors; // top and bottom colour of the token panel, "#rrggbb, #rrggbb"
    };
    CounterWindow(AppContext& ctx, const Look& look, QWidget* parent);

    // The counter whose lists are shown, and its service.
    virtual qint64 listCounter() const = 0;
    // What the screen's Next can take: a condition on tblticket and its values.
    virtual QString takeableCondition() const = 0;
    virtual QVariantList takeableValues() const = 0;
    // Choosing the Transfer tab; the desk has none.
    virtual void addTokens() {}
    // Lists of the screen's own, filled with the others on Refresh.
    virtual void addOwnLists() {}

    // Ticks the two boxes of the Settings tab from their settings.
    void loadBoxes();
    void showState(const CounterState& st);
    // The ticket key of the list's selected row; 0 for the header, an empty list or an empty row.
    qint64 selectedKey(Grid* list) const;
    // A waiting token double-clicked in a list was called by another counter first: the operator is
    // told, and the lists show the store as it is now.
    void reportCalledByOther(Grid* list);
    // Once started the re-enable timer keeps ticking, so a lock-out lasts until its next tick.
    void startLockOut();
    // Shows a store failure; a store that stays unreachable does not pile one message on another.
    void reportError(const QString& description);

    AppContext& m_ctx;
    QVBoxLayout* m_layout;      // counter row (desk), token panel, tabs, closing button
    QVBoxLayout* m_panelRight;  // right-hand column of the token panel, ending in a stretch
    QWidget* m_transferTab;     // tab 3, filled by the screen
    QVBoxLayout* m_settingsTab; // Settings tab, ending in a stretch

private:
    void buildUi(const Look& look);

    int m_refreshTicks = 0;
    FailureMessages m_failures;
};
