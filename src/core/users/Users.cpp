#include "core/users/Users.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/PasswordHash.h"
#include "core/Session.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"
#include "ui/StoredChoice.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// An empty box is stored and compared as an empty text, never as a missing value.
QString stored(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

QLineEdit* passwordBox(QWidget* parent, const char* name)
{
    auto* box = named(new QLineEdit(parent), name);
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // shown as "*"
    return box;
}

} // namespace

namespace users {

AddResult addUser(Database& db, const QString& name, const QString& password, const QString& type)
{
    if (type.isEmpty() || name.isEmpty())
        return AddResult::MissingDetails;
    Database::Transaction transaction(db);
    if (!db.query(QStringLiteral("select * from tbluser where username=?"), {name}).isEmpty())
        return AddResult::NameTaken;
    db.insert(QStringLiteral("tbluser"), {{QStringLiteral("username"), name},
                                          {QStringLiteral("password"), passwords::hash(stored(password))},
                                          {QStringLiteral("userType"), type}});
    transaction.commit();
    return AddResult::Added;
}

qint64 userCount(Database& db)
{
    return db.query(QStringLiteral("select count(*) from tbluser")).number(0, 0);
}

RemoveResult removeUser(Database& db, qint64 userAuto)
{
    Database::Transaction transaction(db);
    // SQLite holds its write lock from the transaction's start; PostgreSQL needs the table held, or two
    // removals could each count the other's user as still there.
    if (db.isPostgres())
        db.exec(QStringLiteral("lock table tbluser in share row exclusive mode"));
    if (userCount(db) <= 1)
        return RemoveResult::LastUser;
    if (db.exec(QStringLiteral("delete from tbluser where userAuto=?"), {userAuto}) != 1)
        return RemoveResult::NotFound;
    transaction.commit();
    return RemoveResult::Removed;
}

} // namespace users

// ---------------------------------------------------------------------------------------------------

frmUserLst::frmUserLst(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmUserLst"));
    setWindowTitle(tr("User List"));

    lstUser = named(new QListWidget(this), "lstUser");
    Text1 = named(new QLineEdit(this), "Text1");
    Text2 = passwordBox(this, "Text2");
    Combo1 = named(new QComboBox(this), "Combo1");
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    // The table keeps the English user type.
    storedchoice::fill(Combo1, {QT_TR_NOOP("Admin"), QT_TR_NOOP("User")},
                       [](const char* text) { return tr(text); });
    Command1 = named(new QPushButton(tr("&Add"), this), "Command1");
    Command3 = named(new QPushButton(tr("&Delete"), this), "Command3");
    Command2 = named(new QPushButton(tr("&Close"), this), "Command2");
    for (QPushButton* b : {Command1, Command3, Command2})
        b->setMinimumWidth(90);

    auto* listBox = new QGroupBox(tr("User List"), this);
    auto* listLayout = new QVBoxLayout(listBox);
    listLayout->addWidget(lstUser);

    auto* newBox = new QGroupBox(tr("New User"), this);
    auto* form = new QFormLayout(newBox);
    form->addRow(tr("User Name"), Text1);
    form->addRow(tr("Password"), Text2);
    form->addRow(tr("User Type"), Combo1);

    auto* right = new QVBoxLayout;
    right->addWidget(newBox);
    right->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command3);
    buttons->addWidget(Command2);
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(listBox, 1);
    layout->addLayout(right, 2);
    resize(620, 300);
    move(0, 0);

    connect(lstUser, &QListWidget::itemClicked, this, &frmUserLst::lstUser_Click);
    connect(Command1, &QPushButton::clicked, this, &frmUserLst::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmUserLst::Command3_Click);
    connect(Command2, &QPushButton::clicked, this, &frmUserLst::Command2_Click);
    Form_Load();
}

void frmUserLst::Form_Load()
{
    storedchoice::show(Combo1, QStringLiteral("Admin"));
    openConnection(m_ctx);
    fillList();
}

void frmUserLst::fillList()
{
    lstUser->clear();
    try {
        const ResultSet rs = m_ctx.db.query(QStringLiteral("select * from tbluser order by userAuto"));
        for (int i = 0; i < rs.size(); ++i) {
            auto* item = new QListWidgetItem(rs.text(i, 1), lstUser);
            item->setData(Qt::UserRole, rs.number(i, 0));
        }
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
}

void frmUserLst::lstUser_Click(QListWidgetItem* item)
{
    if (item && !item->isSelected())
        lstUser->setCurrentItem(item);
}

qint64 frmUserLst::tag() const
{
    // The highlighted entry is the one Delete acts on, however it was reached (click, arrow keys). Each
    // entry carries its own key, so two rows that share a name are still told apart.
    const QList<QListWidgetItem*> selected = lstUser->selectedItems();
    return selected.isEmpty() ? 0 : selected.first()->data(Qt::UserRole).toLongLong();
}

void frmUserLst::Command1_Click()
{
    try {
        switch (users::addUser(m_ctx.db, Text1->text(), Text2->text(), storedchoice::value(Combo1))) {
        case users::AddResult::MissingDetails:
            m_ctx.dialogs.message(tr("Enter all Details                "), Dialogs::Buttons::Ok,
                                  Dialogs::Icon::None, {}, this);
            return;
        case users::AddResult::NameTaken:
            m_ctx.dialogs.message(tr("Existing User, select another Name"), Dialogs::Buttons::Ok,
                                  Dialogs::Icon::None, {}, this);
            return;
        case users::AddResult::Added:
            break;
        }
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
        return;
    }
    fillList();
    Text1->clear();
    Text2->clear();
}

void frmUserLst::Command3_Click()
{
    // The last administrator stays, or nobody could log in as one again. The table decides, not a list
    // another workstation may have made out of date.
    const qint64 key = tag();
    try {
        if (users::userCount(m_ctx.db) <= 1)
            return;
        if (!m_ctx.dialogs.askYesNo(tr("Do you want to Remove the Selected User"), Dialogs::Icon::Question,
                                    {}, this))
            return;
        if (key)
            users::removeUser(m_ctx.db, key);
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
    fillList();
}

void frmUserLst::Command2_Click()
{
    close();
}

// ---------------------------------------------------------------------------------------------------

PasswordScreen::PasswordScreen(AppContext& ctx, const QString& name, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(name);
    setWindowTitle(caption);
    txtOld = passwordBox(this, "txtOld");
    Text1 = passwordBox(this, "Text1");
    Text2 = passwordBox(this, "Text2");
    Command1 = named(new QPushButton(tr("Chanage"), this), "Command1");
    Command1->setMinimumWidth(90);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(tr("Old Password"), txtOld);
    form->addRow(tr("New Password"), Text1);
    form->addRow(tr("Conf. Password"), Text2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(360, 160);

    connect(Command1, &QPushButton::clicked, this, &PasswordScreen::Command1_Click);
    connect(Text2, &QLineEdit::returnPressed, this, &PasswordScreen::Command1_Click);
}

void PasswordScreen::Command1_Click()
{
    if (Text1->text() != Text2->text()) {
        m_ctx.dialogs.message(tr("Passwords are not same"), Dialogs::Buttons::Ok, Dialogs::Icon::None, {},
                              this);
        return;
    }
    try {
        users::LoginRefusal refusal;
        if (!change(txtOld->text(), Text1->text(), refusal)) {
            // A wrong old password makes the name wait, as a wrong log-in does.
            m_ctx.dialogs.message(
                refusal.tooEarly
                    ? tr("Please wait %1 seconds before the next try.").arg((refusal.waitMs + 999) / 1000)
                    : tr("Please enter a valid old password"),
                Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
            return;
        }
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
        return;
    }
    m_ctx.dialogs.message(tr("Password Changed "), Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
    close();
}

frmAdminPass::frmAdminPass(AppContext& ctx, QWidget* parent)
    : PasswordScreen(ctx, QStringLiteral("frmAdminPass"), tr("Change Admin Password"), parent)
{
}

bool frmAdminPass::change(const QString& oldPassword, const QString& newPassword,
                          users::LoginRefusal& refusal)
{
    return users::changeAdminPassword(m_ctx.db, m_ctx.session.adminUserId, oldPassword, newPassword,
                                      &refusal);
}

frmChPass::frmChPass(AppContext& ctx, QWidget* parent)
    : PasswordScreen(ctx, QStringLiteral("frmChPass"), tr("Change Password"), parent)
{
}

bool frmChPass::change(const QString& oldPassword, const QString& newPassword, users::LoginRefusal& refusal)
{
    return users::changeCounterPassword(m_ctx.db, m_ctx.session.servingCounterId, oldPassword, newPassword,
                                        &refusal);
}
