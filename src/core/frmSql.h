#pragma once

#include "core/Database.h"
#include "core/StoreProbe.h"

#include <QWidget>

struct AppContext;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// SQL Settings: the connection values, saved per user and in path.txt, and a test of what is typed.
// The stored database password goes only to the server it was stored for: a changed host (with its
// port) or user empties the password box. While the program has no connection, the screen looks for
// the stored server every few seconds and connects as soon as it answers.
class frmSql : public QWidget
{
    Q_OBJECT

public:
    explicit frmSql(AppContext& ctx, QWidget* parent = nullptr);
    ~frmSql() override;

    QComboBox* Combo1;
    QLineEdit* txthost;
    QLineEdit* txtData;
    QLineEdit* txtUser;
    QLineEdit* txtPass;
    QPushButton* Command1; // Save
    QPushButton* Command2; // Test Connection
    QPushButton* Command3; // Create: a new hall's database, after a test found none
    QLabel* lblReason;     // why the store refused the last connection; hidden when it did not
    QTimer* tmrRetry;      // looks for the stored server again while there is no connection

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    // Shows the store's own description of a failed connection (empty hides it) and watches for the
    // server while there is one.
    void showReason(const QString& reason);
    // The connection values and the authentication mode as typed.
    ConnectionValues typedValues() const;
    // One look for the stored server (on a thread of its own); connects when it answers.
    void retryNow();
    // What a look found: connects the program when the store is ready (tests call it directly).
    void takeFinding(const StoreFinding& finding);

Q_SIGNALS:
    // The program's connection works again after it had failed.
    void connectionRestored();

private:
    void valuesEdited();

    AppContext& m_ctx;
    QString m_storedHost;
    QString m_storedUser;
    bool m_passwordTyped = false;
    bool m_looking = false;
    ConnectionValues m_tested; // what the last test found no hall at
};
