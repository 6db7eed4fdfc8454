#pragma once

#include "core/users/Credentials.h"

#include <QWidget>

struct AppContext;
class FirstAdminPanel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

// "Login Here": decides whether this run is an administrator's (main window) or a counter's
// (counter operator screen).
class frmLogin : public QWidget
{
    Q_OBJECT

public:
    explicit frmLogin(AppContext& ctx, QWidget* parent = nullptr);

    QRadioButton* optAdmin;
    QRadioButton* optCounter;
    QLabel* Label1;
    QComboBox* cmbCounter;
    QLineEdit* txtUser;
    QLineEdit* txtPass;
    QCheckBox* chkRem;
    QPushButton* Command1;       // Login
    QPushButton* Command2;       // Exit
    FirstAdminPanel* firstAdmin; // shown while the database has no user at all
    QLabel* lblWait;             // the wait after wrong passwords
    QTimer* tmrWait;             // lets Login be pressed again when the wait is over

    void Form_Load();
    void optAdmin_Click();
    void optCounter_Click();
    // Returns the window shown after a successful log-in (main window or counter screen), else nullptr.
    QWidget* Command1_Click();
    // Creates the first administrator from the panel and logs in with it; the window then shown.
    QWidget* createFirstAdmin();
    // Shows how long the wait after wrong passwords still lasts, by the program's clock; Login is
    // pressed again once it is over.
    void updateWait();
    // The connection works again: what the screen shows from the database is read again, and a
    // log-in that failed for want of it is tried again.
    void connectionRestored();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Closing the log-in without logging in ends the program, as Exit does: nothing else is open.
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* loginAdmin();
    QWidget* loginCounter();
    void fillCounters();
    // The connection for the log-in; false (with the reason shown) when the database cannot be reached.
    bool connected(QString* reason = nullptr);
    void wrongPassword(const QString& message, const users::LoginRefusal& refusal);
    void succeeded();

    AppContext& m_ctx;
    bool m_loggedIn = false;
    bool m_retryWhenConnected = false;
};
