#pragma once

#include "core/Database.h"

#include <QWidget>

struct AppContext;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// SQL Settings: the connection values, saved per user and in path.txt, and a test of what is typed.
class frmSql : public QWidget
{
    Q_OBJECT

public:
    explicit frmSql(AppContext& ctx, QWidget* parent = nullptr);

    QComboBox* Combo1;
    QLineEdit* txthost;
    QLineEdit* txtData;
    QLineEdit* txtUser;
    QLineEdit* txtPass;
    QPushButton* Command1; // Save
    QPushButton* Command2; // Test Connection
    QLabel* lblReason;     // why the store refused the last connection; hidden when it did not

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    // Shows the store's own description of a failed connection (empty hides it).
    void showReason(const QString& reason);
    // The connection values and the authentication mode as typed.
    ConnectionValues typedValues() const;

private:
    AppContext& m_ctx;
};
