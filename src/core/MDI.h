#pragma once

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>

struct AppContext;
class QAction;
class QCheckBox;
class QMenu;
class QPushButton;
class QTimeEdit;
class QTimer;

// The administrator's main window: every module as a menu command, the quick buttons, the display
// board's on/off switch, the news ticker switch and the nightly restart of the display.
class MDI : public QMainWindow
{
    Q_OBJECT

public:
    explicit MDI(AppContext& ctx, QWidget* parent = nullptr);

    // Shows the window and performs its load (voice program, connection, theme, auto start, kiosk).
    void showLoaded();

    // Menus and items, named as the menu tree names them.
    QMenu* File;
    QAction* deptLst;
    QAction* Servlst;
    QAction* Counter;
    QAction* servStartNo;
    QAction* thmLst;
    QAction* hallNow; // Modules: the hall now and what comes next
    QAction* scrollnews;
    QAction* Videolst;
    QAction* compdet;
    QAction* sendto;
    QAction* exit;
    QMenu* modules;
    QAction* printTicket;
    QAction* bulk;
    QAction* call;
    QAction* settings;
    QAction* display;
    QAction* startNews;
    QAction* bkup;
    QAction* connect;
    QMenu* usermanage;
    QAction* userLst;
    QAction* chPass;
    QMenu* clearData;
    QAction* clrTickData;
    QAction* ClrCall;
    QMenu* Reports;
    QAction* deptBased;
    QAction* servBase;
    QAction* cntBased;
    QAction* pendRep;
    QMenu* About;
    QAction* abtQ;

    QPushButton* Command1; // Print Ticket
    QPushButton* Command2; // Add Scroll
    QPushButton* Command3; // Transfer App
    QPushButton* Command4; // Call
    QCheckBox* chkStart;   // Enable Scroll
    QTimeEdit* DT;
    QPushButton* Command5;
    QTimer* Timer2;

    bool displayRunning() const;
    QWidget* displayBoard() const { return m_display; }

    void MDIForm_Load();
    void printTicket_Click();
    void display_Click();
    void startNews_Click();
    void chkStart_Click();
    void Command5_Click();
    void exit_Click();
    void abtQ_Click();
    void sendto_Click();
    void Timer2_Timer();

    // Company name and today's figures on the window's background, refreshed on activation.
    void refreshSummary();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QAction* addItem(QMenu* menu, const char* name, const QString& caption);
    void openScreen(const QString& name);
    void updateEnabled();

    AppContext& m_ctx;
    QPointer<QWidget> m_display;
    class QLabel* m_company = nullptr;
    class QLabel* m_today = nullptr;
    QDateTime m_lastTick;
    bool m_loaded = false;
};
