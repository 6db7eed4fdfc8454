#include "core/FirstAdministrator.h"

#include "core/Database.h"
#include "core/DemoData.h"
#include "core/users/Users.h"
#include "ui/Named.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

bool noUserYet(Database& db)
{
    return users::userCount(db) == 0;
}

QString createFirstAdministrator(Database& db, const QString& name, const QString& password,
                                 const QString& repeated)
{
    if (name.trimmed().isEmpty())
        return QCoreApplication::translate("FirstAdministrator", "Enter a name for the administrator");
    if (password.isEmpty())
        return QCoreApplication::translate("FirstAdministrator", "The administrator needs a password");
    if (password != repeated)
        return QCoreApplication::translate("FirstAdministrator", "The two passwords differ");
    try {
        // Two workstations starting on one empty server must not both create a first administrator.
        Database::Transaction transaction(db);
        if (db.isPostgres())
            db.exec(QStringLiteral("lock table tbluser in share row exclusive mode"));
        if (!noUserYet(db))
            return QCoreApplication::translate("FirstAdministrator",
                                               "An administrator exists already: log in with it");
        demo::createAdministrator(db, name.trimmed(), password);
        transaction.commit();
    } catch (const DbError& e) {
        return e.description();
    }
    return {};
}

FirstAdminPanel::FirstAdminPanel(QWidget* parent) : QGroupBox(tr("First administrator"), parent)
{
    setObjectName(QStringLiteral("FirstAdminPanel"));
    auto* intro = new QLabel(tr("This hall has no administrator yet. Create the first one:"), this);
    intro->setWordWrap(true);
    txtNewUser = named(new QLineEdit(this), "txtNewUser");
    txtNewPass = named(new QLineEdit(this), "txtNewPass");
    txtNewPass2 = named(new QLineEdit(this), "txtNewPass2");
    for (QLineEdit* pass : {txtNewPass, txtNewPass2}) {
        pass->setEchoMode(QLineEdit::Password);
        pass->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    }
    cmdCreate = named(new QPushButton(tr("Create and Log in"), this), "cmdCreate");

    auto* form = new QFormLayout;
    form->addRow(tr("User Name"), txtNewUser);
    form->addRow(tr("Password"), txtNewPass);
    form->addRow(tr("Repeat Password"), txtNewPass2);
    auto* button = new QHBoxLayout;
    button->addStretch();
    button->addWidget(cmdCreate);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addLayout(button);

    connect(txtNewUser, &QLineEdit::returnPressed, txtNewPass, [this] { txtNewPass->setFocus(); });
    connect(txtNewPass, &QLineEdit::returnPressed, txtNewPass2, [this] { txtNewPass2->setFocus(); });
    connect(txtNewPass2, &QLineEdit::returnPressed, cmdCreate, &QPushButton::click);
    connect(cmdCreate, &QPushButton::clicked, this, &FirstAdminPanel::createRequested);
}
