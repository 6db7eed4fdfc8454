#include "core/frmSql.h"

#include "core/AppContext.h"
#include "core/ConnectionFiles.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString Queue = QStringLiteral("Queue");
const QString Sql = QStringLiteral("Sql");
} // namespace

frmSql::frmSql(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmSql"));
    setWindowTitle(QStringLiteral("SQL Settings"));
    Combo1 = named(new QComboBox(this), "Combo1");
    Combo1->setEditable(true);
    Combo1->addItems({QStringLiteral("Windows Authentication"), QStringLiteral("SQL Authentication")});
    Combo1->setToolTip(
        QStringLiteral("Windows Authentication connects as the operating-system user without a password"));
    txthost = named(new QLineEdit(this), "txthost");
    txthost->setPlaceholderText(QStringLiteral("empty: the embedded database file"));
    txtData = named(new QLineEdit(this), "txtData");
    txtUser = named(new QLineEdit(this), "txtUser");
    txtPass = named(new QLineEdit(this), "txtPass");
    txtPass->setEchoMode(QLineEdit::Password);
    Command1 = named(new QPushButton(QStringLiteral("Save"), this), "Command1");
    Command2 = named(new QPushButton(QStringLiteral("Test Connection"), this), "Command2");
    lblReason = named(new QLabel(this), "lblReason");
    lblReason->setWordWrap(true);
    lblReason->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblReason->setStyleSheet(QStringLiteral("color: #a00000;"));
    lblReason->hide();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Authentication"), Combo1);
    form->addRow(QStringLiteral("Host"), txthost);
    form->addRow(QStringLiteral("Database"), txtData);
    form->addRow(QStringLiteral("Username"), txtUser);
    form->addRow(QStringLiteral("Password"), txtPass);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblReason);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(460, 250);

    connect(Command1, &QPushButton::clicked, this, &frmSql::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmSql::Command2_Click);
    Form_Load();
}

void frmSql::Form_Load()
{
    const QString error = connectionFiles::readPathFile(m_ctx.configDir(), m_ctx.session.connection);
    if (!error.isEmpty())
        m_ctx.dialogs.message(error, Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
    Combo1->setCurrentText(
        m_ctx.settings.get(Queue, Sql, QStringLiteral("aut"), QStringLiteral("SQL Authentication")));
    txthost->setText(m_ctx.session.connection.host);
    txtData->setText(m_ctx.session.connection.database);
    txtUser->setText(m_ctx.session.connection.user);
    txtPass->setText(m_ctx.session.connection.password);
}

void frmSql::Command1_Click()
{
    // path.txt is read at every start: values it cannot hold are refused before anything is stored.
    const QString refused = connectionFiles::unwritableValue(typedValues());
    if (!refused.isEmpty()) {
        m_ctx.dialogs.message(refused, Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
        return;
    }
    Settings& s = m_ctx.settings;
    s.set(Queue, Sql, QStringLiteral("host"), txthost->text());
    s.set(Queue, Sql, QStringLiteral("database"), txtData->text());
    s.set(Queue, Sql, QStringLiteral("user"), txtUser->text());
    s.set(Queue, Sql, QStringLiteral("password"), txtPass->text());
    ConnectionValues& v = m_ctx.session.connection;
    v.host = s.get(Queue, Sql, QStringLiteral("host"));
    v.database = s.get(Queue, Sql, QStringLiteral("database"));
    v.user = s.get(Queue, Sql, QStringLiteral("user"));
    v.password = s.get(Queue, Sql, QStringLiteral("password"));
    s.set(Queue, Sql, QStringLiteral("aut"), Combo1->currentText());
    // Kept for the next start too, for every user of this installation.
    const QString error = connectionFiles::writePathFile(m_ctx.configDir(), v);
    if (!error.isEmpty())
        m_ctx.dialogs.message(QStringLiteral("The connection holds until the program ends; it could not be "
                                             "kept for the next start.\n") +
                                  error,
                              Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
}

ConnectionValues frmSql::typedValues() const
{
    ConnectionValues values;
    values.host = txthost->text();
    values.database = txtData->text();
    values.user = txtUser->text();
    values.password = txtPass->text();
    values.passwordAuthentication = Combo1->currentText() == QLatin1String("SQL Authentication");
    return values;
}

void frmSql::Command2_Click()
{
    // What is typed is tested, on a connection of its own: the program's connection stays as it is.
    QString reason;
    try {
        Database probe;
        probe.open(typedValues(), m_ctx.dataDir());
    } catch (const DbError& e) {
        reason = e.description();
    }
    showReason(reason);
    m_ctx.dialogs.message(reason.isEmpty() ? QStringLiteral("Connection Success")
                                           : QStringLiteral("Connection Failed"),
                          Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
}

void frmSql::showReason(const QString& reason)
{
    lblReason->setText(reason);
    lblReason->setVisible(!reason.isEmpty());
}
