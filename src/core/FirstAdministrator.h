#pragma once

#include <QGroupBox>

class Database;
class QLineEdit;
class QPushButton;

// A database without any user has nobody who could log in: the first administrator is created
// from the log-in screen. Returns the reason it was not created, empty on success. Refused once any
// user exists (another workstation may have been quicker).
QString createFirstAdministrator(Database& db, const QString& name, const QString& password,
                                 const QString& repeated);
// True when the database holds no user yet.
bool noUserYet(Database& db);

// The part of the log-in screen that offers it: name, password twice, Create.
class FirstAdminPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit FirstAdminPanel(QWidget* parent = nullptr);

    QLineEdit* txtNewUser;
    QLineEdit* txtNewPass;
    QLineEdit* txtNewPass2;
    QPushButton* cmdCreate;

Q_SIGNALS:
    void createRequested();
};
