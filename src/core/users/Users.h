#pragma once

#include "core/users/Credentials.h"

#include <QString>
#include <QWidget>

struct AppContext;
class Database;
class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace users {

enum class AddResult { Added, MissingDetails, NameTaken };
enum class RemoveResult { Removed, LastUser, NotFound };

// Adds an administrator log-in. The name and type are required, the password may be empty.
AddResult addUser(Database& db, const QString& name, const QString& password, const QString& type);

// The administrator log-ins stored, whatever a screen shows.
qint64 userCount(Database& db);
// Removes that log-in unless it is the last one left; two workstations removing the last two at once
// leave one.
RemoveResult removeUser(Database& db, qint64 userAuto);

} // namespace users

// The administrator log-ins: add one, remove one (never the last).
class frmUserLst : public QWidget
{
    Q_OBJECT

public:
    explicit frmUserLst(AppContext& ctx, QWidget* parent = nullptr);

    QListWidget* lstUser;
    QLineEdit* Text1;      // user name
    QLineEdit* Text2;      // password
    QComboBox* Combo1;     // user type
    QPushButton* Command1; // Add
    QPushButton* Command3; // Delete
    QPushButton* Command2; // Close

    void Form_Load();
    void fillList();
    void lstUser_Click(QListWidgetItem* item);
    void Command1_Click();
    void Command3_Click();
    void Command2_Click();

    // The key of the user the list shows highlighted; 0 when none (as after the list is filled again).
    qint64 tag() const;

private:
    AppContext& m_ctx;
};

// The three password boxes and the change button both password screens share.
class PasswordScreen : public QWidget
{
    Q_OBJECT

public:
    PasswordScreen(AppContext& ctx, const QString& name, const QString& caption, QWidget* parent);

    QLineEdit* txtOld;
    QLineEdit* Text1; // new password
    QLineEdit* Text2; // new password again
    QPushButton* Command1;

    void Command1_Click();

protected:
    virtual bool change(const QString& oldPassword, const QString& newPassword,
                        users::LoginRefusal& refusal) = 0;
    AppContext& m_ctx;
};

// The logged-in administrator's password.
class frmAdminPass : public PasswordScreen
{
    Q_OBJECT

public:
    explicit frmAdminPass(AppContext& ctx, QWidget* parent = nullptr);

protected:
    bool change(const QString& oldPassword, const QString& newPassword,
                users::LoginRefusal& refusal) override;
};

// The password of the counter whose tokens the counter screen shows.
class frmChPass : public PasswordScreen
{
    Q_OBJECT

public:
    explicit frmChPass(AppContext& ctx, QWidget* parent = nullptr);

protected:
    bool change(const QString& oldPassword, const QString& newPassword,
                users::LoginRefusal& refusal) override;
};
