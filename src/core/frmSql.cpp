#include "core/frmSql.h"

#include "core/AppContext.h"
#include "core/ConnectionFiles.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"
#include "ui/StoredChoice.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QString Queue = QStringLiteral("Queue");
const QString Sql = QStringLiteral("Sql");
// How often the screen looks for a server that did not answer.
constexpr int retryMs = 3000;
} // namespace

frmSql::frmSql(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmSql"));
    setWindowTitle(tr("SQL Settings"));
    Combo1 = named(new QComboBox(this), "Combo1");
    Combo1->setEditable(true);
    // The settings keep the English name of the choice.
    storedchoice::fill(Combo1, {QT_TR_NOOP("Windows Authentication"), QT_TR_NOOP("SQL Authentication")},
                       [](const char* text) { return tr(text); });
    Combo1->setToolTip(tr("Windows Authentication connects as the operating-system user without a password"));
    txthost = named(new QLineEdit(this), "txthost");
    txthost->setPlaceholderText(tr("empty: the embedded database file"));
    txtData = named(new QLineEdit(this), "txtData");
    txtUser = named(new QLineEdit(this), "txtUser");
    txtPass = named(new QLineEdit(this), "txtPass");
    txtPass->setEchoMode(QLineEdit::Password);
    Command1 = named(new QPushButton(tr("Save"), this), "Command1");
    Command2 = named(new QPushButton(tr("Test Connection"), this), "Command2");
    Command3 = named(new QPushButton(tr("Create"), this), "Command3");
    Command3->setToolTip(tr("Makes a new, empty hall database where the test found none"));
    Command3->setEnabled(false);
    lblReason = named(new QLabel(this), "lblReason");
    lblReason->setWordWrap(true);
    lblReason->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblReason->setStyleSheet(QStringLiteral("color: #a00000;"));
    lblReason->hide();
    tmrRetry = named(new QTimer(this), "tmrRetry");
    tmrRetry->setInterval(retryMs);

    auto* form = new QFormLayout;
    form->addRow(tr("Authentication"), Combo1);
    form->addRow(tr("Host"), txthost);
    form->addRow(tr("Database"), txtData);
    form->addRow(tr("Username"), txtUser);
    form->addRow(tr("Password"), txtPass);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command3);
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
    connect(Command3, &QPushButton::clicked, this, &frmSql::Command3_Click);
    connect(tmrRetry, &QTimer::timeout, this, &frmSql::retryNow);
    connect(txtPass, &QLineEdit::textEdited, this, [this] { m_passwordTyped = true; });
    connect(txthost, &QLineEdit::textChanged, this, &frmSql::valuesEdited);
    connect(txtUser, &QLineEdit::textChanged, this, &frmSql::valuesEdited);
    connect(txtData, &QLineEdit::textChanged, this, [this] { Command3->setEnabled(false); });
    Form_Load();
}

frmSql::~frmSql() = default;

void frmSql::Form_Load()
{
    const QString error = connectionFiles::readPathFile(m_ctx.configDir(), m_ctx.session.connection);
    if (!error.isEmpty())
        m_ctx.dialogs.message(error, Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
    storedchoice::show(
        Combo1, m_ctx.settings.get(Queue, Sql, QStringLiteral("aut"), QStringLiteral("SQL Authentication")));
    m_storedHost = m_ctx.session.connection.host.trimmed();
    m_storedUser = m_ctx.session.connection.user.trimmed();
    txthost->setText(m_ctx.session.connection.host);
    txtData->setText(m_ctx.session.connection.database);
    txtUser->setText(m_ctx.session.connection.user);
    txtPass->setText(m_ctx.session.connection.password);
    m_passwordTyped = false;
}

void frmSql::valuesEdited()
{
    Command3->setEnabled(false);
    // The stored password belongs to the server and user it was stored for; for any other, the
    // password is typed.
    if (!m_passwordTyped && !txtPass->text().isEmpty() &&
        (txthost->text().trimmed() != m_storedHost || txtUser->text().trimmed() != m_storedUser))
        txtPass->clear();
}

void frmSql::Command1_Click()
{
    // path.txt is read at every start: values it cannot hold are refused before anything is stored.
    const ConnectionValues typed = typedValues();
    const QString refused = connectionFiles::unwritableValue(typed);
    if (!refused.isEmpty()) {
        m_ctx.dialogs.message(refused, Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
        return;
    }
    // Before anyone logged in, whoever stands at this PC proves they know the database password.
    if (!m_ctx.session.loggedIn && typed.passwordAuthentication && !typed.host.trimmed().isEmpty() &&
        !m_passwordTyped) {
        m_ctx.dialogs.message(tr("Type the database password to save the connection."), Dialogs::Buttons::Ok,
                              Dialogs::Icon::Warning, {}, this);
        txtPass->setFocus();
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
    s.set(Queue, Sql, QStringLiteral("aut"), storedchoice::value(Combo1));
    m_storedHost = v.host.trimmed();
    m_storedUser = v.user.trimmed();
    m_passwordTyped = false;
    // Kept for the next start too, for every user of this installation.
    const QString error = connectionFiles::writePathFile(m_ctx.configDir(), v);
    if (!error.isEmpty())
        m_ctx.dialogs.message(tr("The connection holds until the program ends; it could not be "
                                 "kept for the next start.\n") +
                                  error,
                              Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
    // The saved values are used from now on: the program connects as soon as they answer.
    retryNow();
}

ConnectionValues frmSql::typedValues() const
{
    ConnectionValues values;
    values.host = txthost->text();
    values.database = txtData->text();
    values.user = txtUser->text();
    values.password = txtPass->text();
    values.passwordAuthentication = storedchoice::value(Combo1) == QLatin1String("SQL Authentication");
    values.options = m_ctx.session.connection.options;
    return values;
}

void frmSql::Command2_Click()
{
    // What is typed is looked at, on a connection of its own, and nothing is created or changed there.
    const ConnectionValues typed = typedValues();
    const StoreFinding found = probeStore(typed, m_ctx.dataDir());
    const bool ready = found.state == StoreFinding::State::Ready;
    // A new hall's database can be made where nothing is yet: a missing file, or an empty database.
    const bool canCreate = found.state == StoreFinding::State::NoTables ||
                           (found.state == StoreFinding::State::NoDatabase &&
                            typed.host.trimmed().isEmpty() && !typed.database.trimmed().isEmpty());
    m_tested = typed;
    Command3->setEnabled(canCreate);
    m_ctx.dialogs.message((ready ? tr("Connection Success") : tr("Connection Failed")) + QLatin1Char('\n') +
                              found.detail,
                          Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
}

void frmSql::Command3_Click()
{
    const ConnectionValues typed = typedValues();
    if (!Command3->isEnabled() || identityOf(typed, {}) != identityOf(m_tested, {}))
        return;
    const QString where =
        typed.host.trimmed().isEmpty() ? typed.database : tr("%1 on %2").arg(typed.database, typed.host);
    if (!m_ctx.dialogs.askYesNo(tr("Create a new, empty hall database in %1?\nIt holds no departments, "
                                   "services, counters or users until you add them.")
                                    .arg(where),
                                Dialogs::Icon::Question, tr("Create"), this))
        return;
    try {
        Database fresh;
        fresh.open(typed, m_ctx.dataDir(), Database::Creation::Allowed);
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
        return;
    }
    Command3->setEnabled(false);
    m_ctx.dialogs.message(tr("The new hall's database is ready. Save the connection to use it."),
                          Dialogs::Buttons::Ok, Dialogs::Icon::Information, {}, this);
}

void frmSql::showReason(const QString& reason)
{
    lblReason->setText(reason);
    lblReason->setVisible(!reason.isEmpty());
    if (reason.isEmpty())
        tmrRetry->stop();
    else if (!tmrRetry->isActive())
        tmrRetry->start();
}

void frmSql::retryNow()
{
    if (m_looking)
        return;
    ConnectionValues values = m_ctx.session.connection;
    values.passwordAuthentication =
        m_ctx.settings.get(Queue, Sql, QStringLiteral("aut"), QStringLiteral("SQL Authentication")) ==
        QLatin1String("SQL Authentication");
    const QString dataDir = m_ctx.dataDir();
    m_looking = true;
    // A server behind a cut cable takes seconds to time out: the window is not made to wait for it.
    QPointer<frmSql> self(this);
    QThread* look = QThread::create([self, values, dataDir] {
        const StoreFinding found = probeStore(values, dataDir);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, found] {
                if (self) {
                    self->m_looking = false;
                    self->takeFinding(found);
                }
            },
            Qt::QueuedConnection);
    });
    connect(look, &QThread::finished, look, &QObject::deleteLater);
    look->start();
}

void frmSql::takeFinding(const StoreFinding& finding)
{
    if (finding.state != StoreFinding::State::Ready) {
        showReason(finding.detail);
        return;
    }
    QString reason;
    if (openConnection(m_ctx, &reason)) {
        showReason(QString());
        Q_EMIT connectionRestored();
    } else {
        showReason(reason);
    }
}
