#include "tickets/frmTicket.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/ScreenRegistry.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "tickets/HallTicket.h"
#include "tickets/KioskKeyboard.h"
#include "tickets/KioskPages.h"
#include "tickets/frmTransfer.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/Language.h"
#include "ui/Named.h"
#include "ui/Twips.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>

namespace {
const QString WalkIn = QStringLiteral("Walk-In");
// Shown texts, translated where they are shown; the department kinds stay the stored words.
const char* const Back = QT_TRANSLATE_NOOP("frmTicket", "<-Back");
const char* const WaitingForServer =
    QT_TRANSLATE_NOOP("frmTicket", "Please wait: the server does not answer");
} // namespace

frmTicket::frmTicket(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmTicket"));
    setWindowTitle(tr("Print Ticket"));

    auto* types = new QGroupBox(tr("Token Type"), this);
    optWalkIn = named(new QRadioButton(tr("Walk-In"), types), "optWalkIn");
    optReport = named(new QRadioButton(tr("Report"), types), "optReport");
    optAppointment = named(new QRadioButton(tr("Appointment"), types), "optAppointment");
    optEmergency = named(new QRadioButton(tr("Emergency "), types), "optEmergency");
    auto* typeLayout = new QVBoxLayout(types);
    auto* group = new QButtonGroup(this);
    for (QRadioButton* o : {optWalkIn, optReport, optAppointment, optEmergency}) {
        typeLayout->addWidget(o);
        group->addButton(o);
        connect(o, &QRadioButton::clicked, this, [this, o] { option_Click(o); });
    }
    optWalkIn->setChecked(true);
    // Each option lists the departments of its kind, whatever language its caption is in.
    optWalkIn->setProperty("kind", WalkIn);
    optReport->setProperty("kind", QStringLiteral("Report"));
    optAppointment->setProperty("kind", QStringLiteral("Appointment"));
    optEmergency->setProperty("kind", QStringLiteral("Emergency"));

    lblSelectDate = named(new QLabel(tr(" Select Date: "), this), "lblSelectDate");
    DT = named(new QDateEdit(this), "DT");
    DT->setCalendarPopup(true);
    cmdExit = named(new QPushButton(tr("Exit"), this), "cmdExit");
    picLogo = named(new QLabel(this), "picLogo");
    picLogo->hide();

    // Made after the side column: Tab goes down the side column, then to the buttons on the right.
    FG = named(new Grid(this), "FG");
    retry = new KioskRetry(this);
    largeText = kioskLook::largeHighContrast(ctx.settings);
    FG->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab reaches the buttons after the ticket types and the date; the kiosk's keys work inside.
    FG->setFocusPolicy(Qt::StrongFocus);
    FG->setAccessibleName(tr("Departments and services"));
    FG->styleHeader();
    FG->setAlternatingRowColors(false);
    FG->setShowGrid(true);
    QFont buttons = FG->font();
    buttons.setBold(true);
    FG->setFont(buttons);
    if (largeText) {
        setStyleSheet(
            QStringLiteral("#frmTicket, #frmTicket QGroupBox, #frmTicket QRadioButton, "
                           "#frmTicket QLabel { background: black; color: white; }"
                           "#frmTicket QHeaderView::section { background: black; color: #ffd400; }"));
        setAttribute(Qt::WA_StyledBackground, true);
        QFont large = font();
        large.setPointSizeF(large.pointSizeF() * kioskLook::largeScale);
        setFont(large);
    }
    keyboard = new KioskKeyboard(ctx, FG, [this](int row) { takeRow(row, true); });
    FG->horizontalHeader()->setStretchLastSection(true);

    lblSelectDate->setBuddy(DT);

    auto* side = new QVBoxLayout;
    side->addWidget(types);
    side->addSpacing(12);
    side->addWidget(lblSelectDate);
    side->addWidget(DT);
    side->addStretch();
    side->addWidget(cmdExit);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(side);
    layout->addStretch(1);
    layout->addWidget(FG, 0, Qt::AlignHCenter);
    layout->addStretch(1);

    connect(FG, &Grid::cellClicked, this, [this](int, int) { FG_Click(); });
    FG->viewport()->installEventFilter(this);
    FG->installEventFilter(this);
    connect(cmdExit, &QPushButton::clicked, this, &frmTicket::cmdExit_Click);
    resize(900, 600);
    Form_Load();
}

void frmTicket::Form_Load()
{
    // 2.
    if (m_ctx.settings.get(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                           QStringLiteral("Normal")) != QLatin1String("Normal")) {
        lblSelectDate->hide();
        DT->hide();
    }
    // 3.
    DT->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    DT->setDate(m_ctx.clock.today());
    // 4.
    stg = 0;
    openConnection(m_ctx);
    rh = int(m_ctx.settings.getNumber(QStringLiteral("queue"), QStringLiteral("printer"),
                                      QStringLiteral("row"), 500));
    addDept(WalkIn);
    // 6. The company's lines and logo.
    header = ticketHeader(m_ctx);
    picLogo->setPixmap(QPixmap::fromImage(header.logo));
}

void frmTicket::gridChanged()
{
    m_gridChangedAt = m_ctx.clock.now();
}

bool frmTicket::eventFilter(QObject* watched, QEvent* event)
{
    // Keys on the buttons: the kiosk's keys, but Tab and Shift+Tab leave the list as in any window.
    if (watched == FG && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab && keyboard->keyPressed(key))
            return true;
    }
    if (watched == FG && event->type() == QEvent::FocusOut)
        keyboard->mark->hide();
    if (watched == FG && event->type() == QEvent::FocusIn)
        keyboard->placeMark();
    // An impatient double tap: the first tap changes the grid and the second would land on whatever
    // button is now under the finger. Its double click and the release after it are not touches.
    if (watched == FG->viewport()) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            m_skipRelease = true;
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease && m_skipRelease) {
            m_skipRelease = false;
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress)
            m_skipRelease = false;
    }
    return QWidget::eventFilter(watched, event);
}

void frmTicket::applyRowHeights()
{
    // Touch buttons: the row height setting, never below the touch minimum for the screen.
    const QScreen* shownOn = screen();
    const int least = kioskSizes::minimumButtonPixels(shownOn ? shownOn->geometry().height() : 1080,
                                                      shownOn ? shownOn->physicalDotsPerInchY() : 0);
    const double scale = largeText ? kioskLook::largeScale : 1.0;
    const int buttonTwips = qMax(int(rh * scale), int(std::lround(twips::fromPixels(least))));
    FG->setRowHeight(0, rh + 100);
    for (int r = 1; r < FG->rows(); ++r) {
        FG->setRowHeight(r, buttonTwips);
        FG->setCellAlignment(r, 1, Qt::AlignCenter);
    }
    QFont buttons = FG->font();
    buttons.setPixelSize(qMax(
        10, qMin(int(twips::toPixels(buttonTwips) * 0.4), largeText ? int(36 * kioskLook::largeScale) : 36)));
    FG->setFont(buttons);
    // The grid is as wide as its buttons, centred in the window.
    FG->setFixedWidth(twips::toPixels(FG->colWidth(1)) + 2 * FG->frameWidth() +
                      FG->verticalScrollBar()->sizeHint().width());
}

void frmTicket::addDept(const QString& category)
{
    FG->clearRows();
    FG->setCols(2);
    FG->setColWidth(0, 1);
    FG->setColWidth(1, 5000);
    FG->setText(0, 1, tr("Select Department"));
    try {
        const ResultSet rs = m_ctx.db.query(
            QStringLiteral("select * from tblDept where deptdesc=? and active='1' order by deptAuto"),
            {category});
        for (int r = 0; r < rs.size(); ++r)
            FG->addRow({rs.text(r, 0), rs.text(r, 1)});
        // A row that does nothing says why the list is empty: a department's Type puts it here.
        if (rs.isEmpty())
            FG->addRow({QString(), tr("No department of the type \"%1\"").arg(category.trimmed())});
        retry->stop();
    } catch (const DbError&) {
        // No box a visitor would have to close: the list fills itself when the server answers.
        FG->setText(0, 1, tr(WaitingForServer));
        retry->start([this, category] {
            addDept(category);
            return !retry->active();
        });
    }
    applyRowHeights();
    addimg(m_ctx.installPath(QStringLiteral("design/01.jpg")));
    gridChanged();
}

void frmTicket::addServ(qint64 deptId)
{
    FG->clearRows();
    FG->setColWidth(1, 4000);
    FG->setText(0, 1, tr("Select Service"));
    try {
        const ResultSet rs = m_ctx.db.query(
            QStringLiteral(
                "select servauto,servName from tblservice where deptAuto=? and active='1' order by servauto"),
            {deptId});
        for (int r = 0; r < rs.size(); ++r)
            FG->addRow({rs.text(r, 0), rs.text(r, 1)});
        retry->stop();
    } catch (const DbError&) {
        FG->setText(0, 1, tr(WaitingForServer));
        retry->start([this, deptId] {
            // "<-Back" meanwhile went back to the departments: nothing is left to fill.
            if (stg != 1)
                return true;
            addServ(deptId);
            return !retry->active();
        });
    }
    FG->addRow({QString(), tr(Back)});
    applyRowHeights();
    addimg(m_ctx.installPath(QStringLiteral("design/01.jpg")));
    gridChanged();
}

void frmTicket::listChoices()
{
    QList<KioskKeys::Choice> choices;
    for (int r = 1; r < FG->rows(); ++r) {
        if (FG->text(r, 1) == tr(Back))
            choices.append({r, tr("Back to the departments")});
        else if (!FG->text(r, 0).isEmpty())
            choices.append({r, FG->text(r, 1).trimmed()});
    }
    keyboard->setChoices(choices);
}

void frmTicket::addimg(const QString& picture)
{
    listChoices();
    const QPixmap source(picture);
    const int width = twips::toPixels(FG->colWidth(1));
    for (int r = 1; r < FG->rows(); ++r) {
        if (largeText) {
            FG->setCellPicture(r, 1, QPixmap());
            FG->setCellBackColor(r, 1, Qt::black);
            FG->setCellForeColor(r, 1, Qt::white);
            continue;
        }
        if (source.isNull()) {
            FG->setCellPicture(r, 1, QPixmap());
            continue;
        }
        const int height = twips::toPixels(FG->rowHeight(r));
        FG->setCellPicture(
            r, 1,
            source.scaled(qMax(1, width), qMax(1, height), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
}

void frmTicket::getType()
{
    if (optWalkIn->isChecked())
        ticketType = QStringLiteral("N");
    if (optReport->isChecked())
        ticketType = QStringLiteral("R");
    if (optAppointment->isChecked())
        ticketType = QStringLiteral("A");
    if (optEmergency->isChecked())
        ticketType = QStringLiteral("E");
}

QDate frmTicket::issueDate() const
{
    return DT->date();
}

qint64 frmTicket::getEnd(qint64 number)
{
    const int row = FG->row();
    const qint64 serviceId = FG->text(row, 0).toLongLong();
    numbering::IssueRequest request;
    request.serviceId = serviceId;
    request.number = number;
    request.issueDate = issueDate();
    request.language = Language::inUse();
    request.writeAppTime = true;
    TicketStyle style;
    style.layout = TicketLayout::Windowed;
    style.header = header;
    const QString printedName = FG->text(row, 1);
    if (ticketType != QLatin1String("N")) {
        // Emergency, appointment and report tokens are issued once the transfer window has directed
        // them: until then they are in no queue, and a window closed by its close box issues nothing.
        openTransfer(request, style, printedName);
        DT->setDate(m_ctx.clock.today());
        return 0;
    }
    const numbering::IssuedTicket ticket =
        issueAndPrint(m_ctx, request, m_loads, style, printedName, this, {}, &m_lastPrinted);
    m_lastIssued = ticket;
    if (!ticket.issued())
        return 0;
    DT->setDate(m_ctx.clock.today());
    return ticket.tickAuto;
}

void frmTicket::openTransfer(const numbering::IssueRequest& request, const TicketStyle& style,
                             const QString& printedName)
{
    auto* transfer = qobject_cast<frmTransfer*>(m_ctx.screens.openNew(QStringLiteral("frmTransfer")));
    if (!transfer) {
        transfer = new frmTransfer(m_ctx);
        transfer->setAttribute(Qt::WA_DeleteOnClose);
    }
    transfer->ticketType = ticketType;
    AppContext& ctx = m_ctx;
    QPointer<frmTicket> kiosk(this);
    transfer->issue = [&ctx, request, style, printedName, kiosk](const numbering::Direction& to) {
        numbering::IssueRequest directed = request;
        // The number is taken afresh: others may have been issued while the window was open.
        directed.number = numbering::nextNumber;
        directed.direction = to;
        return issueAndPrint(ctx, directed, style, printedName, kiosk.data());
    };
    connect(transfer, &frmTransfer::updated, this, [kiosk] {
        if (!kiosk)
            return;
        kiosk->optWalkIn->setChecked(true);
        kiosk->option_Click(kiosk->optWalkIn);
    });
    m_transfer = transfer;
    transfer->show();
    transfer->raise();
    transfer->activateWindow();
}

void frmTicket::issueFromRow(int row, bool spoken)
{
    try {
        getType();
        m_lastIssued = {};
        // The day's next number, taken by the issue itself where it numbers (what numbering::getToken
        // would read at that instant).
        getEnd(numbering::nextNumber);
        // A token the transfer window still has to direct is the desk's to tell.
        if (spoken && m_lastIssued.issued())
            keyboard->sayIssued(m_lastIssued.label, m_lastPrinted, waitLine(m_lastIssued.estimate));
        else if (spoken && ticketType == QLatin1String("N"))
            keyboard->sayNotIssued();
    } catch (const DbError& e) {
        if (spoken)
            keyboard->sayServerLost();
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
    }
    addDept(WalkIn);
    stg = 0;
}

void frmTicket::FG_Click()
{
    const int row = FG->row();
    if (row < 1 || row >= FG->rows())
        return;
    // A touch right after the grid changed was meant for the buttons that were there before.
    if (m_gridChangedAt.isValid() && m_ctx.clock.now() < m_gridChangedAt.addMSecs(touchSettleMs))
        return;
    takeRow(row, false);
}

void frmTicket::takeRow(int row, bool spoken)
{
    if (row < 1 || row >= FG->rows())
        return;
    FG->setRow(row);
    if (FG->text(row, 1) == tr(Back)) {
        addDept(WalkIn);
        stg = 0;
        if (spoken)
            keyboard->sayListed(FG->text(0, 1));
        return;
    }
    if (FG->text(row, 0).isEmpty())
        return;
    if (stg == 0) {
        addServ(FG->text(row, 0).toLongLong());
        stg = 1;
        if (spoken)
            keyboard->sayListed(FG->text(0, 1));
    } else {
        issueFromRow(row, spoken);
    }
}

void frmTicket::option_Click(QRadioButton* option)
{
    addDept(option->property("kind").toString());
    stg = 0;
}

void frmTicket::cmdExit_Click()
{
    close();
}
