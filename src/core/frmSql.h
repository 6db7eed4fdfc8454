#pragma once

#include <QWidget>

struct AppContext;
class QComboBox;
class QLineEdit;
class QPushButton;

// SQL Settings: the connection values, saved per user, and a connection test.
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

    void Form_Load();
    void Command1_Click();
    void Command2_Click();

private:
    AppContext& m_ctx;
};
