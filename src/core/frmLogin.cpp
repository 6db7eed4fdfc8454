#include "core/frmLogin.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/FirstAdministrator.h"
#include "core/MDI.h"
#include "core/ModuleSettingsSave.h"
#include "core/ScreenRegistry.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "core/frmSql.h"
#include "core/users/Credentials.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"
#include "ui/WindowPlacement.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QString Queue = QStringLiteral("Queue");
const QString Login = QStringLiteral("Login");
} // namespace

frmLogin::frmLogin(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(tr("Login Here"));

    optAdmin = named(new QRadioButton(tr("Admin"), this), "optAdmin");
    optCounter = named(new QRadioButton(tr("Counter"), this), "optCounter");
    Label1 = named(new QLabel(tr("Select Counter"), this), "Label1");
    cmbCounter = named(new QComboBox(this), "cmbCounter");
    cmbCounter->setEditable(true);
    cmbCounter->setInsertPolicy(QComboBox::NoInsert);
    txtUser = named(new QLineEdit(this), "txtUser");
    txtPass = named(new QLineEdit(this), "txtPass");
    txtPass->setEchoMode(QLineEdit::Password);
    txtPass->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // shown as "*"
    chkRem = named(new QCheckBox(tr("Memorize "), this), "chkRem");
    Command1 = named(new QPushButton(tr("Login"), this), "Command1");
    Command1->setDefault(true);
    Command2 = named(new QPushButton(tr("Exit"), this), "Command2");
    firstAdmin = new FirstAdminPanel(this);
    firstAdmin->hide();
    lblWait = named(new QLabel(this), "lblWait");
    lblWait->setStyleSheet(QStringLiteral("color: #a00000;"));
    lblWait->hide();
    tmrWait = named(new QTimer(this), "tmrWait");
    tmrWait->setInterval(250);
    connect(tmrWait, &QTimer::timeout, this, &frmLogin::updateWait);

    auto* title = new QLabel(QStringLiteral("Brivane"), this);
    title->setStyleSheet(QStringLiteral("font-size: 22pt; font-weight: bold; color: #2f4f6f;"));
    auto* subtitle = new QLabel(tr("Queue management"), this);
    subtitle->setStyleSheet(QStringLiteral("color: #5a6b7c;"));

    auto* roles = new QHBoxLayout;
    roles->addWidget(optAdmin);
    roles->addWidget(optCounter);
    roles->addStretch();

    auto* grid = new QGridLayout;
    grid->addLayout(roles, 0, 1);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(cmbCounter, 1, 1);
    // Each label is its field's buddy: a screen reader names the field by it.
    Label1->setBuddy(cmbCounter);
    cmbCounter->lineEdit()->setAccessibleName(tr("Select Counter"));
    auto* userLabel = new QLabel(tr("User Name"), this);
    userLabel->setBuddy(txtUser);
    grid->addWidget(userLabel, 2, 0);
    grid->addWidget(txtUser, 2, 1);
    auto* passLabel = new QLabel(tr("Password"), this);
    passLabel->setBuddy(txtPass);
    grid->addWidget(passLabel, 3, 0);
    grid->addWidget(txtPass, 3, 1);
    grid->addWidget(chkRem, 4, 1);
    grid->setColumnMinimumWidth(1, 220);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    // The window follows its contents: it grows when the counter list shows.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addSpacing(10);
    layout->addWidget(firstAdmin);
    layout->addLayout(grid);
    layout->addWidget(lblWait);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    cmbCounter->installEventFilter(this);
    txtUser->installEventFilter(this);
    txtPass->installEventFilter(this);

    connect(optAdmin, &QRadioButton::clicked, this, &frmLogin::optAdmin_Click);
    connect(optCounter, &QRadioButton::clicked, this, &frmLogin::optCounter_Click);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { close(); });
    connect(firstAdmin, &FirstAdminPanel::createRequested, this, [this] { createFirstAdmin(); });

    optAdmin->setChecked(true);
    adjustSize();
    centerOnScreen(this);
    Form_Load();
}

void frmLogin::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (!m_loggedIn && m_ctx.endProgram)
        m_ctx.endProgram();
}

bool frmLogin::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == cmbCounter) {
                txtUser->setFocus();
                return true;
            }
            if (watched == txtUser) {
                txtPass->setFocus();
                return true;
            }
            if (watched == txtPass) {
                Command1->click();
                return true;
            }
        }
    } else if (event->type() == QEvent::FocusIn && watched == txtUser) {
        QTimer::singleShot(0, txtUser, [this] { txtUser->selectAll(); });
    }
    return QWidget::eventFilter(watched, event);
}

void frmLogin::Form_Load()
{
    connected();
    try {
        firstAdmin->setVisible(noUserYet(m_ctx.db));
    } catch (const DbError&) {
        // No connection: the SQL settings screen is up; the panel waits for a database.
    }
    if (firstAdmin->isVisible())
        QTimer::singleShot(0, firstAdmin->txtNewUser, [this] { firstAdmin->txtNewUser->setFocus(); });
    Settings& s = m_ctx.settings;
    chkRem->setChecked(s.getNumber(Queue, Login, QStringLiteral("Rem"), 0) == 1);
    if (chkRem->isChecked()) {
        txtUser->setText(s.get(Queue, Login, QStringLiteral("Name")));
        txtPass->setText(s.get(Queue, Login, QStringLiteral("Pass")));
        const QString type = s.get(Queue, Login, QStringLiteral("type"), QStringLiteral("optAdmin"));
        if (type.compare(QLatin1String("optCounter"), Qt::CaseInsensitive) == 0) {
            optCounter->setChecked(true);
            optCounter_Click();
        } else if (type.compare(QLatin1String("optAdmin"), Qt::CaseInsensitive) == 0) {
            optAdmin->setChecked(true);
        }
    }
    if (optAdmin->isChecked()) {
        Label1->hide();
        cmbCounter->hide();
    } else if (chkRem->isChecked()) {
        txtUser->setText(s.get(Queue, Login, QStringLiteral("Name")));
        txtPass->setText(s.get(Queue, Login, QStringLiteral("Pass")));
        cmbCounter->setCurrentText(s.get(Queue, Login, tr("Counter")));
    }
}

void frmLogin::optAdmin_Click()
{
    Label1->hide();
    cmbCounter->hide();
    txtUser->setFocus();
}

void frmLogin::optCounter_Click()
{
    Label1->show();
    cmbCounter->show();
    fillCounters();
    cmbCounter->setFocus();
}

void frmLogin::fillCounters()
{
    cmbCounter->clear();
    try {
        const ResultSet rs = m_ctx.db.query(
            QStringLiteral("select contName from tblcounter where active='1' order by cntAuto"));
        for (int i = 0; i < rs.size(); ++i)
            cmbCounter->addItem(rs.text(i, 0));
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
    }
}

bool frmLogin::connected(QString* reason)
{
    const bool ok = openConnection(m_ctx, reason);
    // The connection screen, if it came up, tells this screen when the database answers again.
    if (auto* sql = qobject_cast<frmSql*>(m_ctx.screens.existing(QStringLiteral("connect"))))
        connect(sql, &frmSql::connectionRestored, this, &frmLogin::connectionRestored, Qt::UniqueConnection);
    return ok;
}

void frmLogin::connectionRestored()
{
    if (m_loggedIn)
        return;
    try {
        firstAdmin->setVisible(noUserYet(m_ctx.db));
    } catch (const DbError&) {
        return;
    }
    if (optCounter->isChecked()) {
        const QString counter = cmbCounter->currentText();
        fillCounters();
        cmbCounter->setCurrentText(counter);
    }
    if (m_retryWhenConnected) {
        m_retryWhenConnected = false;
        Command1_Click();
    }
}

QWidget* frmLogin::Command1_Click()
{
    const qint64 wait = m_ctx.session.loginTries.remainingSeconds(m_ctx.clock.now());
    if (wait > 0) {
        updateWait();
        m_ctx.dialogs.message(tr("Please wait %1 seconds before the next try.").arg(wait),
                              Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
        return nullptr;
    }
    QString reason;
    if (!connected(&reason)) {
        // Tried again by itself as soon as the connection screen finds the database.
        m_retryWhenConnected = true;
        m_ctx.dialogs.message(reason.isEmpty() ? DbError::notConnectedText() : reason, Dialogs::Buttons::Ok,
                              Dialogs::Icon::Warning, {}, this);
        return nullptr;
    }
    try {
        return optAdmin->isChecked() ? loginAdmin() : loginCounter();
    } catch (const DbError& e) {
        m_retryWhenConnected = e.isConnectionFailure();
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
        return nullptr;
    }
}

void frmLogin::wrongPassword(const QString& message, const users::LoginRefusal& refusal)
{
    // The store keeps the name's wait (on every workstation); the screen counts it down.
    WrongTries& tries = m_ctx.session.loginTries;
    if (!refusal.tooEarly)
        tries.failed(m_ctx.clock.now());
    tries.waitFor(m_ctx.clock.now(), refusal.waitMs);
    m_ctx.dialogs.message(refusal.tooEarly ? QStringLiteral("Please wait %1 seconds before the next try.")
                                                 .arg(tries.remainingSeconds(m_ctx.clock.now()))
                                           : message,
                          Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
    updateWait();
}

void frmLogin::succeeded()
{
    m_ctx.session.loginTries.succeeded();
    m_ctx.session.loggedIn = true;
    m_loggedIn = true;
    tmrWait->stop();
}

void frmLogin::updateWait()
{
    const int seconds = m_ctx.session.loginTries.remainingSeconds(m_ctx.clock.now());
    Command1->setEnabled(seconds == 0);
    lblWait->setVisible(seconds > 0);
    if (seconds > 0) {
        lblWait->setText(tr("Wrong password: the next try is possible in %1 s.").arg(seconds));
        if (!tmrWait->isActive())
            tmrWait->start();
    } else {
        tmrWait->stop();
    }
}

QWidget* frmLogin::loginAdmin()
{
    Settings& s = m_ctx.settings;
    users::LoginRefusal refusal;
    const std::optional<qint64> user =
        users::checkAdministrator(m_ctx.db, txtUser->text(), txtPass->text(), &refusal);
    if (!user) {
        if (!refusal.tooEarly && noUserYet(m_ctx.db)) {
            firstAdmin->show();
            firstAdmin->txtNewUser->setFocus();
            m_ctx.dialogs.message(tr("There is no administrator yet: create the first one."),
                                  Dialogs::Buttons::Ok, Dialogs::Icon::Information, {}, this);
        } else {
            wrongPassword(tr("Please enter a valid username and password"), refusal);
        }
        return nullptr;
    }
    if (chkRem->isChecked()) {
        s.set(Queue, Login, QStringLiteral("Rem"), QStringLiteral("1"));
        s.set(Queue, Login, QStringLiteral("type"), QStringLiteral("optAdmin"));
        s.set(Queue, Login, QStringLiteral("Name"), txtUser->text());
        s.set(Queue, Login, QStringLiteral("Pass"), txtPass->text());
    } else {
        s.set(Queue, Login, QStringLiteral("Name"), QString());
        s.set(Queue, Login, QStringLiteral("Pass"), QString());
    }
    m_ctx.session.isAdmin = true;
    m_ctx.session.adminUserId = *user;
    succeeded();
    close();
    auto* mdi = new MDI(m_ctx);
    mdi->setAttribute(Qt::WA_DeleteOnClose);
    mdi->showLoaded();
    performModuleSettingsSave(m_ctx);
    mdi->call->setEnabled(false);
    return mdi;
}

QWidget* frmLogin::loginCounter()
{
    // A workstation that may not call (a kiosk or a board) says so before any password is looked at.
    if (m_ctx.screens.has(QStringLiteral("frmCall")) && !m_ctx.screens.permits(QStringLiteral("frmCall")))
        return nullptr;
    Settings& s = m_ctx.settings;
    users::LoginRefusal refusal;
    const std::optional<users::CounterLogin> counter =
        users::checkCounter(m_ctx.db, cmbCounter->currentText(), txtUser->text(), txtPass->text(), &refusal);
    if (!counter) {
        wrongPassword(tr("Please enter a valid Username and Password"), refusal);
        return nullptr;
    }
    if (chkRem->isChecked()) {
        s.set(Queue, Login, QStringLiteral("Name"), txtUser->text());
        s.set(Queue, Login, QStringLiteral("Rem"), QStringLiteral("1"));
        s.set(Queue, Login, QStringLiteral("type"), QStringLiteral("optCounter"));
        s.set(Queue, Login, QStringLiteral("Pass"), txtPass->text());
        s.set(Queue, Login, tr("Counter"), cmbCounter->currentText());
    } else {
        // Unticked on a shared counter PC: the operator's password is not offered to the next one.
        s.set(Queue, Login, QStringLiteral("Pass"), QString());
    }
    Session& session = m_ctx.session;
    session.counterId = counter->cntAuto;
    session.servingCounterId = counter->cntAuto;
    session.serviceId = counter->servAuto;
    session.counterNameA = counter->countNameA;
    session.counterDisplayNameA = counter->displayNameA;
    session.isAdmin = false;
    succeeded();
    close();
    QWidget* screen = m_ctx.screens.open(QStringLiteral("frmCall"));
    if (!screen) {
        m_ctx.dialogs.message(tr("The counter screen is not installed with this program."),
                              Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
        if (m_ctx.endProgram)
            m_ctx.endProgram();
    }
    return screen;
}

QWidget* frmLogin::createFirstAdmin()
{
    const QString name = firstAdmin->txtNewUser->text().trimmed();
    const QString error = createFirstAdministrator(m_ctx.db, name, firstAdmin->txtNewPass->text(),
                                                   firstAdmin->txtNewPass2->text());
    if (!error.isEmpty()) {
        m_ctx.dialogs.message(error, Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
        if (error.startsWith(QLatin1String("An administrator exists")))
            firstAdmin->hide();
        return nullptr;
    }
    optAdmin->setChecked(true);
    optAdmin_Click();
    txtUser->setText(name);
    txtPass->setText(firstAdmin->txtNewPass->text());
    firstAdmin->hide();
    return Command1_Click();
}
