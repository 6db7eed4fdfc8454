#include "core/MDI.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/DisplayControl.h"
#include "core/Lookups.h"
#include "core/ModuleSettingsSave.h"
#include "core/ScreenRegistry.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "core/ThemeChoice.h"
#include "core/ThemeCounters.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"
#include "ui/ProgramLauncher.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimeEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const char* const StartDisplay = QT_TRANSLATE_NOOP("MDI", "Start Display");
const char* const StopDisplay = QT_TRANSLATE_NOOP("MDI", "Stop Display");

// The display item's caption says what it does next; its data says whether the board runs.
void showDisplayRunning(QAction* item, bool running)
{
    item->setText(MDI::tr(running ? StopDisplay : StartDisplay));
    item->setData(running);
}
} // namespace

MDI::MDI(AppContext& ctx, QWidget* parent) : QMainWindow(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("MDI"));
    setWindowTitle(QStringLiteral("Brivane"));

    File = named(menuBar()->addMenu(tr("File")), "File");
    deptLst = addItem(File, "deptLst", tr("Department List"));
    Servlst = addItem(File, "Servlst", tr("Service List"));
    Counter = addItem(File, "Counter", tr("Manage Counter"));
    servStartNo = addItem(File, "servStartNo", tr("Service Start No."));
    thmLst = addItem(File, "thmLst", tr("Theme List"));
    scrollnews = addItem(File, "scrollnews", tr("Scroll News"));
    Videolst = addItem(File, "Videolst", tr("Video List"));
    compdet = addItem(File, "compdet", tr("Company Details"));
    sendto = addItem(File, "sendto", tr("Send to Excel"));
    File->addSeparator();
    exit = addItem(File, "exit", tr("Exit"));

    modules = named(menuBar()->addMenu(tr("Modules")), "modules");
    printTicket = addItem(modules, "printTicket", tr("Print Ticket"));
    bulk = addItem(modules, "bulk", tr("Bulk Token"));
    call = addItem(modules, "call", tr("Call"));
    hallNow = addItem(modules, "hallNow", tr("Hall now"));
    settings = addItem(modules, "settings", tr("Settings"));
    display = addItem(modules, "display", tr(StartDisplay));
    display->setData(false);
    // Only in this window: the board handles its own keys, and the kiosk's keyboard belongs to the
    // visitors (and the news editor's Ctrl+D and Ctrl+N to the editor).
    display->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    display->setShortcutContext(Qt::WindowShortcut);
    startNews = addItem(modules, "startNews", tr("Start/Stop News"));
    startNews->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    startNews->setShortcutContext(Qt::WindowShortcut);
    // A single "&" would mark a mnemonic and vanish from the menu; "&&" shows one.
    bkup = addItem(modules, "bkup", tr("Backup && Restore"));
    connect = addItem(modules, "connect", tr("Connection"));

    usermanage = named(menuBar()->addMenu(tr("User Manage")), "usermanage");
    userLst = addItem(usermanage, "userLst", tr("User List"));
    chPass = addItem(usermanage, "chPass", tr("Change Password"));

    clearData = named(menuBar()->addMenu(tr("Clear Data")), "clearData");
    clrTickData = addItem(clearData, "clrTickData", tr("Clear Ticket Data"));
    ClrCall = addItem(clearData, "ClrCall", tr("Clear Call Data"));

    Reports = named(menuBar()->addMenu(tr("Reports")), "Reports");
    deptBased = addItem(Reports, "deptBased", tr("Department Based"));
    servBase = addItem(Reports, "servBase", tr("Service Based"));
    cntBased = addItem(Reports, "cntBased", tr("Counter Based"));
    pendRep = addItem(Reports, "pendRep", tr("Pending Report"));

    About = named(menuBar()->addMenu(tr("About")), "About");
    abtQ = addItem(About, "abtQ", tr("About Brivane"));

    // Commands that open a screen of the same name.
    for (QAction* a : {deptLst, Servlst,   Counter,  servStartNo, thmLst,  scrollnews, Videolst, compdet,
                       bulk,    call,      settings, bkup,        connect, userLst,    chPass,   clrTickData,
                       ClrCall, deptBased, servBase, cntBased,    pendRep, hallNow}) {
        const QString name = a->objectName();
        QObject::connect(a, &QAction::triggered, this, [this, name] { openScreen(name); });
    }
    QObject::connect(exit, &QAction::triggered, this, &MDI::exit_Click);
    QObject::connect(printTicket, &QAction::triggered, this, &MDI::printTicket_Click);
    QObject::connect(display, &QAction::triggered, this, &MDI::display_Click);
    QObject::connect(startNews, &QAction::triggered, this, &MDI::startNews_Click);
    QObject::connect(abtQ, &QAction::triggered, this, &MDI::abtQ_Click);
    QObject::connect(sendto, &QAction::triggered, this, &MDI::sendto_Click);

    // The quick buttons and the appointment check.
    auto* central = named(new QWidget(this), "mdiBackground");
    central->setStyleSheet(QStringLiteral("#mdiBackground { background: qlineargradient(x1:0, y1:0, x2:0, "
                                          "y2:1, stop:0 #e9eef3, stop:1 #cfd9e3); }"
                                          "QPushButton { min-height: 34px; padding: 2px 16px; }"));
    Command1 = named(new QPushButton(tr("Print Ticket"), central), "Command1");
    Command2 = named(new QPushButton(tr("Add Scroll"), central), "Command2");
    Command3 = named(new QPushButton(tr("Transfer App"), central), "Command3");
    Command4 = named(new QPushButton(tr("Call"), central), "Command4");
    chkStart = named(new QCheckBox(tr("Enable Scroll"), central), "chkStart");
    DT = named(new QTimeEdit(central), "DT");
    DT->setDisplayFormat(QStringLiteral("HH:mm"));
    Command5 = named(new QPushButton(tr("Check"), central), "Command5");
    Command5->setToolTip(tr("Count the tokens whose appointment time is earlier than this time"));

    auto* bar = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(Command1), static_cast<QWidget*>(Command2),
                       static_cast<QWidget*>(Command3), static_cast<QWidget*>(Command4)})
        bar->addWidget(w);
    bar->addSpacing(12);
    bar->addWidget(chkStart);
    bar->addStretch();
    bar->addWidget(new QLabel(tr("Appointments before"), central));
    bar->addWidget(DT);
    bar->addWidget(Command5);

    auto* brand = new QLabel(QStringLiteral("Brivane"), central);
    brand->setAlignment(Qt::AlignCenter);
    brand->setStyleSheet(QStringLiteral("font-size: 40pt; font-weight: bold; color: rgba(47,79,111,110);"));
    m_company = named(new QLabel(central), "lblCompany");
    m_company->setAlignment(Qt::AlignCenter);
    m_company->setStyleSheet(QStringLiteral("font-size: 16pt; color: #2f4f6f;"));
    m_today = named(new QLabel(central), "lblToday");
    m_today->setAlignment(Qt::AlignCenter);
    m_today->setStyleSheet(QStringLiteral("font-size: 12pt; color: #3d556d;"));
    auto* layout = new QVBoxLayout(central);
    layout->addLayout(bar);
    layout->addStretch();
    layout->addWidget(brand);
    layout->addWidget(m_company);
    layout->addSpacing(16);
    layout->addWidget(m_today);
    layout->addStretch();
    setCentralWidget(central);
    statusBar()->showMessage(tr("Ready"));

    QObject::connect(Command1, &QPushButton::clicked, this, &MDI::printTicket_Click);
    QObject::connect(Command2, &QPushButton::clicked, this,
                     [this] { openScreen(QStringLiteral("scrollnews")); });
    // The transfer-only counter picker, and the administrator call desk: a new desk at every press.
    QObject::connect(Command3, &QPushButton::clicked, this,
                     [this] { openScreen(QStringLiteral("frmSelService")); });
    QObject::connect(Command4, &QPushButton::clicked, this,
                     [this] { m_ctx.screens.openNew(QStringLiteral("frmCallAdmin")); });
    QObject::connect(chkStart, &QCheckBox::clicked, this, &MDI::chkStart_Click);
    QObject::connect(Command5, &QPushButton::clicked, this, &MDI::Command5_Click);

    Timer2 = named(new QTimer(this), "Timer2");
    Timer2->setInterval(1000);
    QObject::connect(Timer2, &QTimer::timeout, this, &MDI::Timer2_Timer);

    resize(980, 620);
    updateEnabled();
}

QAction* MDI::addItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* a = named(menu->addAction(caption), name);
    return a;
}

void MDI::updateEnabled()
{
    const ScreenRegistry& r = m_ctx.screens;
    for (QAction* a : {deptLst,     Servlst, Counter,   thmLst,   scrollnews, Videolst, compdet,
                       bulk,        call,    settings,  bkup,     connect,    userLst,  chPass,
                       clrTickData, ClrCall, deptBased, servBase, cntBased,   pendRep,  hallNow})
        a->setEnabled(r.has(a->objectName()));
    servStartNo->setEnabled(false); // switched off as delivered
    sendto->setEnabled(r.hasAction(QStringLiteral("sendto")));
    printTicket->setEnabled(r.has(QStringLiteral("frmTicket")));
    Command1->setEnabled(printTicket->isEnabled());
    Command2->setEnabled(r.has(QStringLiteral("scrollnews")));
    Command3->setEnabled(r.has(QStringLiteral("frmSelService")));
    Command4->setEnabled(r.has(QStringLiteral("frmCallAdmin")));
    display->setEnabled(r.has(QStringLiteral("frmDisplay")));
}

void MDI::openScreen(const QString& name)
{
    m_ctx.screens.open(name);
}

void MDI::showLoaded()
{
    show();
    MDIForm_Load();
}

void MDI::MDIForm_Load()
{
    m_loaded = true;
    // 1. The separate voice program, when it is installed with us.
    const QString voice = m_ctx.programPath(QStringLiteral("voice"));
    // It ends when this program ends.
    if (QFileInfo(voice).isExecutable())
        m_ctx.launcher.startDetached(
            voice, {QStringLiteral("--parent"), QString::number(QCoreApplication::applicationPid())});
    // 2.
    openConnection(m_ctx);
    // 3.
    try {
        m_ctx.session.themeId = themechoice::workstationTheme(m_ctx.db, m_ctx.settings).id;
    } catch (const DbError&) {
    }
    // A database without any theme: the administrator is offered a ready hall (on a workstation that
    // may change the hall).
    if (m_ctx.session.isAdmin && m_ctx.screens.allowed(QStringLiteral("newHall")))
        m_ctx.screens.run(QStringLiteral("newHall"));
    // 4. The display is still off, so the click only stores the state again.
    const bool scroll = m_ctx.settings.getNumber(QStringLiteral("Queue"), QStringLiteral("theme"),
                                                 QStringLiteral("scroll"), 0) == 1;
    if (chkStart->isChecked() != scroll) {
        chkStart->setChecked(scroll);
        chkStart_Click();
    }
    // 5.
    m_ctx.session.scrollSpeed = m_ctx.settings.getNumber(QStringLiteral("queue"), QStringLiteral("scroll"),
                                                         QStringLiteral("speed"), 30);
    m_lastTick = m_ctx.clock.now();
    Timer2->start();
    refreshSummary();
    // 6.
    if (m_ctx.settings.getNumber(QStringLiteral("Queue"), QStringLiteral("Display"), QStringLiteral("Auto"),
                                 0) == 1) {
        display_Click();
        showMinimized();
    }
    // 7.
    if (m_ctx.settings.get(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen")) ==
        QLatin1String("Full Screen")) {
        if (QWidget* kiosk = m_ctx.screens.open(QStringLiteral("frmTicketF")))
            kiosk->showFullScreen();
        printTicket_Click();
    }
}

void MDI::printTicket_Click()
{
    performModuleSettingsSave(m_ctx);
    const QString screen = m_ctx.settings.get(QStringLiteral("queue"), QStringLiteral("Ticket"),
                                              QStringLiteral("screen"), QStringLiteral("Normal"));
    if (screen == QLatin1String("Normal")) {
        m_ctx.screens.open(QStringLiteral("frmTicket"));
    } else if (QWidget* kiosk = m_ctx.screens.open(QStringLiteral("frmTicketF"))) {
        kiosk->showFullScreen();
    }
}

bool MDI::displayRunning() const
{
    // The state is kept in the item's data, not read back from its (translated) caption.
    return display->data().toBool();
}

void MDI::display_Click()
{
    // Only starting needs a theme: a board whose theme was renamed or deleted meanwhile still stops.
    if (displayRunning()) {
        if (m_display)
            m_display->close();
        m_display = nullptr;
        showDisplayRunning(display, false);
        return;
    }
    if (!m_ctx.screens.permits(QStringLiteral("frmDisplay")))
        return;
    // The theme is looked up now: one set up or chosen since the log-in (here, on another workstation
    // or with brivane-ctl) counts.
    try {
        m_ctx.session.themeId = themechoice::workstationTheme(m_ctx.db, m_ctx.settings).id;
    } catch (const DbError&) {
    }
    if (m_ctx.session.themeId == 0) {
        m_ctx.dialogs.message(tr("Please select a theme\nGo to Modules > Settings, Theme"),
                              Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
        return;
    }
    buildCounterFilter(m_ctx.db, m_ctx.settings, m_ctx.session);
    m_display = m_ctx.screens.openNew(QStringLiteral("frmDisplay"));
    if (!m_display)
        return;
    showDisplayRunning(display, true);
    // A board closed by other means (the window manager, say) is no longer running; a board closed by a
    // restart has been replaced by then and changes nothing.
    QWidget* board = m_display;
    QObject::connect(board, &QObject::destroyed, this, [this, board] {
        if (!m_display || m_display.data() == board)
            showDisplayRunning(display, false);
    });
    if (chkStart->isChecked()) {
        if (auto* control = dynamic_cast<DisplayControl*>(m_display.data()))
            control->startNews();
    }
}

void MDI::startNews_Click()
{
    chkStart->setChecked(!chkStart->isChecked());
    chkStart_Click();
}

void MDI::chkStart_Click()
{
    m_ctx.settings.set(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("scroll"),
                       chkStart->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    if (!displayRunning() || !m_display)
        return;
    if (auto* control = dynamic_cast<DisplayControl*>(m_display.data())) {
        if (chkStart->isChecked())
            control->startNews();
        else
            control->stopNews();
    }
}

void MDI::Command5_Click()
{
    try {
        const ResultSet rs =
            m_ctx.db.query(QStringLiteral("select count(*) from tblticket where substr(apptime,1,5) < ?"),
                           {DT->time().toString(QStringLiteral("HH:mm"))});
        m_ctx.dialogs.message(QString::number(rs.isEmpty() ? 0 : rs.number(0, 0)), Dialogs::Buttons::Ok,
                              Dialogs::Icon::None, {}, this);
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
    }
}

void MDI::exit_Click()
{
    if (!m_ctx.dialogs.askYesNo(tr("Do you want to exit "), Dialogs::Icon::Question, {}, this))
        return;
    if (displayRunning())
        return;
    if (m_ctx.endProgram)
        m_ctx.endProgram();
}

void MDI::abtQ_Click()
{
    m_ctx.dialogs.message(tr("Brivane\nQueue management for service halls\nVersion %1")
                              .arg(QCoreApplication::applicationVersion().isEmpty()
                                       ? QStringLiteral("1.0.0")
                                       : QCoreApplication::applicationVersion()),
                          Dialogs::Buttons::Ok, Dialogs::Icon::Information, tr("About Brivane"), this);
}

void MDI::sendto_Click()
{
    if (!m_ctx.screens.run(QStringLiteral("sendto")))
        m_ctx.dialogs.message(tr("Error. Cannot Continue "), Dialogs::Buttons::Ok, Dialogs::Icon::None, {},
                              this);
}

void MDI::Timer2_Timer()
{
    // The display restarts once a night, when the clock first passes 01:01:00, even if no tick
    // fell in that very second.
    const QDateTime now = m_ctx.clock.now();
    const QDateTime mark(now.date(), QTime(1, 1, 0));
    const bool crossed = m_lastTick.isValid() && m_lastTick < mark && now >= mark;
    m_lastTick = now;
    // Without a theme to start again with, the running board is left as it is.
    if (crossed && displayRunning() && m_ctx.session.themeId != 0) {
        display_Click();
        display_Click();
    }
}

void MDI::refreshSummary()
{
    try {
        const ResultSet company =
            m_ctx.db.query(QStringLiteral("select compName, compAddress from tblComp where compAuto=1"));
        m_company->setText(company.isEmpty() ? QString()
                                             : company.text(0, 0) + QLatin1Char('\n') + company.text(0, 1));
        const ResultSet today = m_ctx.db.query(
            QStringLiteral(
                "select count(*), sum(case when call='0' then 1 else 0 end) from tblTicket where tickDate=?"),
            {m_ctx.clock.todayText()});
        const qint64 issued = today.isEmpty() ? 0 : today.number(0, 0);
        const qint64 waiting = today.isEmpty() ? 0 : today.number(0, 1);
        m_today->setText(tr("Today, %1:   %2 tokens issued   ·   %3 waiting   ·   %4 called")
                             .arg(m_ctx.clock.today().toString(QStringLiteral("dd-MM-yyyy")))
                             .arg(issued)
                             .arg(waiting)
                             .arg(issued - waiting));
    } catch (const DbError&) {
        m_today->clear();
    }
}

void MDI::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_loaded)
        refreshSummary();
}

void MDI::closeEvent(QCloseEvent* event)
{
    if (displayRunning()) {
        m_ctx.dialogs.message(tr("Please stop the display first"), Dialogs::Buttons::Ok, Dialogs::Icon::None,
                              {}, this);
        event->ignore();
        return;
    }
    event->accept();
    Timer2->stop();
    if (m_ctx.endProgram)
        m_ctx.endProgram();
}
