#include "tickets/frmTicketF.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/LanguageSettings.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "tickets/HallTicket.h"
#include "tickets/KioskDepartments.h"
#include "tickets/KioskKeyboard.h"
#include "tickets/KioskLanguages.h"
#include "tickets/KioskPages.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/Language.h"
#include "ui/Named.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QDateEdit>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cmath>

namespace {
constexpr int gridTwips = 9000;
constexpr int languageGap = 16; // between the language row and the services
constexpr int cornerPixels = 72;
} // namespace

frmTicketF::frmTicketF(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmTicketF"));
    setWindowTitle(tr("Print Ticket"));
    largeText = kioskLook::largeHighContrast(ctx.settings);
    setStyleSheet(largeText ? QStringLiteral("#frmTicketF { background-color: black; }")
                            : QStringLiteral("#frmTicketF { background-color: #1f3b57; }"));
    // The kiosk's keys reach the window itself: no control inside takes the focus from it.
    setFocusPolicy(Qt::StrongFocus);

    Image1 = named(new QLabel(this), "Image1");
    Image1->setScaledContents(true);
    Image1->hide();

    FG = named(new Grid(this), "FG");
    FG->setSelectionMode(QAbstractItemView::SingleSelection);
    FG->setFocusPolicy(Qt::NoFocus);
    FG->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FG->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FG->horizontalHeader()->setStretchLastSection(true);
    if (largeText)
        FG->setStyleSheet(
            QStringLiteral("QTableView { background: black; border: 0px; gridline-color: white; color: white;"
                           " selection-background-color: black; selection-color: white; }"
                           "QHeaderView::section { background-color: black; color: #ffd400; font-weight: "
                           "bold; border: 0px; }"));
    else
        FG->setStyleSheet(QStringLiteral(
            "QTableView { background: transparent; border: 0px; gridline-color: rgba(255,255,255,90); color: "
            "#10283f;"
            " selection-background-color: rgba(61,122,184,120); }"
            "QHeaderView::section { background-color: #2f4f6f; color: white; font-weight: bold; border: 0px; "
            "}"));
    FG->setAccessibleName(tr("Services"));
    QFont buttons = FG->font();
    buttons.setPointSize(20);
    buttons.setBold(true);
    FG->setFont(buttons);
    QFont headerFont = buttons;
    headerFont.setPointSize(14);
    FG->horizontalHeader()->setFont(headerFont);

    lblTouch = named(new QLabel(this), "lblTouch");
    lblTouch->setFixedSize(cornerPixels, cornerPixels);
    lblTouch->installEventFilter(this);
    Label21 = named(new QLabel(this), "Label21");
    Label21->setStyleSheet(QStringLiteral("color: rgba(255,255,255,60);"));
    Label21->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label21->setFixedSize(cornerPixels, 20);
    picLogo = named(new QLabel(this), "picLogo");
    picLogo->hide();
    DT = named(new QDateEdit(this), "DT");
    DT->hide();
    cmdExit = named(new QPushButton(tr("Exit"), this), "cmdExit");
    m_languages = languageSettings::kiosk(ctx.settings);
    m_language = m_languages.first();
    languageRow = new KioskLanguageRow(m_languages, this);
    languageRow->setChosen(m_language);
    languageRow->setVisible(m_languages.size() > 1);
    connect(languageRow, &KioskLanguageRow::languageChosen, this, &frmTicketF::chooseLanguage);
    outOfService = new OutOfServicePage(this);
    outOfService->hide();
    retry = new KioskRetry(this);
    keyboard = new KioskKeyboard(ctx, FG, [this](int row) { issueRow(row, true); });
    lblTouch->setAccessibleName(tr("Staff corner"));

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(5000);

    connect(FG, &Grid::cellClicked, this, [this](int, int) { FG_Click(); });
    connect(Timer1, &QTimer::timeout, this, &frmTicketF::Timer1_Timer);
    connect(cmdExit, &QPushButton::clicked, this, &frmTicketF::cmdExit_Click);
    resize(1024, 768);
    setWindowState(Qt::WindowFullScreen);
    Form_Load();
}

void frmTicketF::Form_Load()
{
    // 2. Which departments it offers is read with its services (fillServices): a workstation that
    // names none offers the hall's Walk-In and Report departments.
    // 3.
    m_ctx.session.printCopies =
        m_ctx.settings.getNumber(QStringLiteral("queue"), QStringLiteral("print"), QStringLiteral("nos"), 1);
    const QString back = m_ctx.installPath(QStringLiteral("back.jpg"));
    if (!largeText && QFileInfo::exists(back)) {
        m_background = QPixmap(back);
        if (!m_background.isNull()) {
            Image1->setPixmap(m_background);
            Image1->show();
            Image1->lower();
        }
    }
    // 4.
    clkCount = 0;
    Timer1->start();
    if (m_ctx.settings.get(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                           QStringLiteral("Normal")) != QLatin1String("Normal"))
        makeCenter();
    // 5.
    DT->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    DT->setDate(m_ctx.clock.today());
    // The kiosk opens in its first language.
    if (m_languages.size() > 1)
        chooseLanguage(m_language);
    // 6.
    openConnection(m_ctx);
    rh = int(m_ctx.settings.getNumber(QStringLiteral("queue"), QStringLiteral("printer"),
                                      QStringLiteral("row"), 500));
    if (!fillServices())
        retry->start([this] { return fillServices(); });
    // 7. The company's lines and logo.
    header = ticketHeader(m_ctx);
    picLogo->setPixmap(QPixmap::fromImage(header.logo));
    layoutScreen();
}

void frmTicketF::addServ(const QList<kioskDepartments::Department>& departments)
{
    FG->clearRows();
    FG->setCols(2);
    FG->setColWidth(0, 1);
    FG->setColWidth(1, gridTwips);
    FG->setText(0, 1, tr("Select Service"));
    m_rowKinds = {QString()};
    // Several departments: each under a heading of its name, which issues nothing.
    const bool headed = departments.size() > 1;
    QList<int> headings;
    QList<KioskKeys::Choice> choices;
    for (const kioskDepartments::Department& department : departments) {
        if (headed) {
            headings.append(FG->addRow({QString(), department.name}));
            m_rowKinds.append(QString());
        }
        for (const kioskDepartments::Service& service : department.services) {
            const int row = FG->addRow(
                {QString::number(service.id), service.name + QLatin1Char('\n') + service.description});
            FG->setCellAlignment(row, 1, Qt::AlignCenter);
            m_rowKinds.append(department.kind);
            const QString description = service.description.trimmed();
            choices.append({row, description.isEmpty()
                                     ? service.name.trimmed()
                                     : service.name.trimmed() + QStringLiteral(". ") + description});
        }
    }
    FG->setCellAlignment(0, 1, Qt::AlignCenter);
    // Buttons a finger finds: the row height setting, but never below the touch minimum for the
    // screen, and taller where the screen has room.
    // The kiosk covers its screen: the buttons are sized for the screen, not for the window before it
    // is shown full screen.
    const QScreen* shownOn = screen();
    const int screenHeight =
        (shownOn ? qMax(shownOn->geometry().height(), height()) : height()) - languageRoom();
    const double scale = largeText ? kioskLook::largeScale : 1.0;
    m_buttonPixels = kioskSizes::fullScreenButtonPixels(
        int(twips::toPixels(rh) * scale), screenHeight, FG->rows() - 1 - int(headings.size()),
        int(headings.size()), shownOn ? shownOn->physicalDotsPerInchY() : 0);
    // Larger words need taller buttons where the screen is crowded.
    if (largeText)
        m_buttonPixels = qMax(
            m_buttonPixels,
            int(kioskSizes::minimumButtonPixels(screenHeight, shownOn ? shownOn->physicalDotsPerInchY() : 0) *
                scale));
    const int buttonTwips = int(std::lround(twips::fromPixels(m_buttonPixels)));
    const int headingTwips = qMax(int(std::lround(rh / 2.0)), buttonTwips / 2);
    FG->setRowHeight(0, headingTwips);
    for (int r = 1; r < FG->rows(); ++r)
        FG->setRowHeight(r, headings.contains(r) ? headingTwips : buttonTwips);
    // Name and description share a button: two lines fit its height.
    QFont buttons = FG->font();
    buttons.setPixelSize(qMax(10, int(m_buttonPixels * (largeText ? 0.36 : 0.3))));
    // Large, but every line whole within the button's width.
    const int room = twips::toPixels(gridTwips) - 24;
    int widest = 0;
    for (int r = 1; r < FG->rows(); ++r) {
        if (headings.contains(r))
            continue;
        for (const QString& line : FG->text(r, 1).split(QLatin1Char('\n')))
            widest = qMax(widest, QFontMetrics(buttons).horizontalAdvance(line));
    }
    if (widest > room)
        buttons.setPixelSize(qMax(10, buttons.pixelSize() * room / widest));
    FG->setFont(buttons);
    QFont heading = FG->horizontalHeader()->font();
    heading.setPixelSize(qMax(9, int(m_buttonPixels * 0.22)));
    FG->horizontalHeader()->setFont(heading);
    // The kiosk's style sheet gives the heading its colours; its size comes from here.
    FG->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { font-size: %1px; }").arg(heading.pixelSize()));
    addimg(m_ctx.installPath(QStringLiteral("design/01.jpg")));
    // A department's heading: the colours of the list's heading, a little larger, over no picture.
    QFont departmentFont = heading;
    departmentFont.setBold(true);
    departmentFont.setPixelSize(qMax(10, int(m_buttonPixels * 0.26)));
    for (const int r : headings) {
        FG->setCellPicture(r, 1, QPixmap());
        FG->setCellBackColor(r, 1, QColor(0x16, 0x2d, 0x44));
        FG->setCellForeColor(r, 1, Qt::white);
        FG->setCellFont(r, 1, departmentFont);
        FG->setCellAlignment(r, 1, Qt::AlignCenter);
    }
    if (largeText) {
        FG->setGridLines(Qt::white, 3);
        for (const int r : headings) {
            FG->setCellBackColor(r, 1, Qt::black);
            FG->setCellForeColor(r, 1, QColor(0xff, 0xd4, 0x00));
        }
    }
    keyboard->setChoices(choices);
}

void frmTicketF::addimg(const QString& picture)
{
    const QPixmap source(picture);
    const int width = twips::toPixels(FG->colWidth(1));
    for (int r = 1; r < FG->rows(); ++r) {
        FG->setCellAlignment(r, 1, Qt::AlignCenter);
        if (largeText) {
            // No picture under the words: white on black reads best.
            FG->setCellBackColor(r, 1, Qt::black);
            FG->setCellForeColor(r, 1, Qt::white);
            continue;
        }
        if (source.isNull()) {
            // Plain buttons: the dark screen would swallow the dark captions.
            FG->setCellBackColor(r, 1, QColor(0xf2, 0xf5, 0xf8));
            continue;
        }
        FG->setCellPicture(r, 1,
                           source.scaled(qMax(1, width), qMax(1, twips::toPixels(FG->rowHeight(r))),
                                         Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    double total = 0;
    for (int r = 0; r < FG->rows(); ++r)
        total += FG->rowHeight(r);
    // A list longer than the screen scrolls rather than running off its bottom edge.
    const int wanted = twips::toPixels(total) + 2 * FG->frameWidth();
    const QScreen* shownOn = screen();
    const int room =
        int((shownOn ? qMax(shownOn->geometry().height(), height()) : height()) * 0.94) - languageRoom();
    FG->setVerticalScrollBarPolicy(wanted > room ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    FG->setFixedHeight(qMax(1, qMin(wanted, room)));
}

bool frmTicketF::fillServices()
{
    QList<kioskDepartments::Department> departments;
    try {
        departments = kioskDepartments::offered(m_ctx.db, m_ctx.settings);
    } catch (const DbError&) {
        showOutOfService(tr("Waiting for the server to answer..."));
        return false;
    }
    if (departments.isEmpty()) {
        const QStringList names = kioskDepartments::named(m_ctx.settings);
        if (names.isEmpty())
            showOutOfService(tr("No Walk-In or Report department offers an active service "
                                "(Modules > Settings, Default Department)."));
        else if (names.size() == 1)
            showOutOfService(tr("The department \"%1\" offers no active service.").arg(names.first()));
        else
            showOutOfService(
                tr("The departments %1 offer no active service.").arg(names.join(QStringLiteral(", "))));
        return false;
    }
    addServ(departments);
    outOfService->hide();
    FG->show();
    layoutScreen();
    return true;
}

QString frmTicketF::kindOfRow(int row) const
{
    return row >= 0 && row < m_rowKinds.size() ? m_rowKinds.at(row) : QString();
}

bool frmTicketF::serving() const
{
    return !outOfService->isVisibleTo(this) && FG->rows() > 1;
}

void frmTicketF::showOutOfService(const QString& reason)
{
    outOfService->setReason(reason);
    outOfService->show();
    FG->hide();
    layoutScreen();
}

void frmTicketF::makeCenter()
{
    centred = true;
    DT->move(-DT->width() - 1000, DT->y());
    layoutScreen();
}

void frmTicketF::layoutScreen()
{
    const int w = width();
    const int h = height();
    Image1->setGeometry(0, 0, w, h);
    lblTouch->move(w - lblTouch->width(), 0);
    Label21->move(w - Label21->width() - 4, lblTouch->height());
    const int gridWidth = twips::toPixels(gridTwips) + 2 * FG->frameWidth();
    FG->setFixedWidth(gridWidth);
    const int above = languageRoom();
    if (above > 0) {
        languageRow->setButtonHeight(above - languageGap);
        languageRow->setFixedWidth(gridWidth);
    }
    if (centred) {
        FG->move((w - gridWidth) / 2, qMax(0, (h - FG->height() - above) / 2) + above);
        cmdExit->hide();
    } else {
        FG->move(12, 12 + above);
        cmdExit->adjustSize();
        cmdExit->move(12, qMin(h - cmdExit->height() - 12, FG->y() + FG->height() + 12));
        cmdExit->show();
    }
    languageRow->move(FG->x(), FG->y() - above);
    // Out of service there is no way out but the corner and the exit code.
    if (!outOfService->isHidden()) {
        cmdExit->hide();
        outOfService->setGeometry(0, 0, w, h);
        outOfService->raise();
    }
    lblTouch->raise();
    Label21->raise();
    keyboard->placeMark();
}

void frmTicketF::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutScreen();
}

qint64 frmTicketF::getEnd(qint64 number)
{
    const int row = FG->row();
    numbering::IssueRequest request;
    request.serviceId = FG->text(row, 0).toLongLong();
    request.number = number;
    // The kiosk has no visible date: its tickets are always for the day they are taken.
    request.issueDate = m_ctx.clock.today();
    request.writeAppTime = false;
    request.language = m_language;
    // Each button issues its department's kind of token.
    request.direction =
        kioskDepartments::directionFor(m_ctx.db, m_ctx.clock, kindOfRow(row), request.serviceId);
    TicketStyle style;
    style.layout = TicketLayout::FullScreen;
    style.header = header;
    // The picture asks for the ticket only when one came out of the printer.
    const numbering::IssuedTicket ticket = issueAndPrint(
        m_ctx, request, m_loads, style, QString(), this,
        [this] {
            auto* picture = new frmTT(m_ctx, this);
            picture->show();
            picture->raise();
        },
        &m_lastPrinted);
    m_lastIssued = ticket;
    // The picture asking to take the ticket stays in front of the token and its wait until it closes.
    for (frmTT* picture : findChildren<frmTT*>(QString(), Qt::FindDirectChildrenOnly))
        picture->raise();
    DT->setDate(m_ctx.clock.today());
    // The next visitor finds the kiosk in its first language.
    if (ticket.issued() && m_language != m_languages.first())
        chooseLanguage(m_languages.first());
    return ticket.issued() ? ticket.tickAuto : 0;
}

int frmTicketF::languageRoom() const
{
    if (m_languages.size() < 2)
        return 0;
    const QScreen* shownOn = screen();
    const int screenHeight = shownOn ? qMax(shownOn->geometry().height(), height()) : height();
    return kioskSizes::minimumButtonPixels(screenHeight) + languageGap;
}

void frmTicketF::chooseLanguage(const QString& code)
{
    if (!m_languages.contains(code))
        return;
    m_language = code;
    languageRow->setChosen(code);
    // The whole program speaks the visitor's language while the kiosk serves them (the kiosk is the
    // workstation's only window), laid out in its direction.
    Language::use(code);
    retranslate();
}

void frmTicketF::retranslate()
{
    setWindowTitle(tr("Print Ticket"));
    cmdExit->setText(tr("Exit"));
    if (serving())
        FG->setText(0, 1, tr("Select Service"));
    outOfService->retranslate();
}

void frmTicketF::FG_Click()
{
    issueRow(FG->row(), false);
}

void frmTicketF::issueRow(int row, bool spoken)
{
    if (row < 1 || row >= FG->rows() || FG->text(row, 0).isEmpty())
        return;
    FG->setRow(row);
    try {
        m_lastIssued = {};
        // The day's next number, taken by the issue itself where it numbers (what numbering::getToken
        // would read at that instant).
        getEnd(numbering::nextNumber);
        if (spoken && m_lastIssued.issued())
            keyboard->sayIssued(m_lastIssued.label, m_lastPrinted, waitLine(m_lastIssued.estimate));
        else if (spoken)
            keyboard->sayNotIssued();
    } catch (const DbError&) {
        // No box a visitor would have to close: the page says the kiosk is out of service and fills
        // itself again when the server answers.
        showOutOfService(tr("Waiting for the server to answer..."));
        retry->start([this] { return fillServices(); });
        if (spoken)
            keyboard->sayServerLost();
    }
    FG->clearSelection();
}

void frmTicketF::keyPressEvent(QKeyEvent* event)
{
    if (serving() && keyboard->keyPressed(event))
        return;
    QWidget::keyPressEvent(event);
}

bool frmTicketF::focusNextPrevChild(bool next)
{
    // Tab moves between the service buttons, which are the kiosk's keys, not Qt's focus chain.
    if (serving())
        return false;
    return QWidget::focusNextPrevChild(next);
}

void frmTicketF::lblTouch_Click()
{
    ++clkCount;
    if (!Timer1->isActive())
        Timer1->start();
    Label21->setText(QString::number(clkCount));
    if (clkCount == 4) {
        auto* pad = new frmPass(m_ctx, this);
        m_pad = pad;
        pad->show();
        pad->raise();
        pad->activateWindow();
    }
}

void frmTicketF::Timer1_Timer()
{
    clkCount = 0;
    Label21->setText(QString());
}

void frmTicketF::cmdExit_Click()
{
    leave();
}

void frmTicketF::leave()
{
    m_leaving = true;
    close();
}

void frmTicketF::closeEvent(QCloseEvent* event)
{
    // A close the window system asks for (Alt+F4, a window manager's menu) is a visitor's; only the
    // exit pad, the staff's Exit button and the program itself close the kiosk.
    if (event->spontaneous() && !m_leaving) {
        event->ignore();
        return;
    }
    Timer1->stop();
    // The program speaks the workstation's language again.
    if (m_languages.size() > 1)
        languageSettings::apply(m_ctx.settings);
    event->accept();
}

void frmTicketF::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A kiosk often runs without a window manager to honour the full-screen state: it takes the whole
    // screen itself, and keeps the state for a window manager that does.
    if (QScreen* s = screen(); s && geometry() != s->geometry()) {
        setGeometry(s->geometry());
        setWindowState(Qt::WindowFullScreen);
    }
}

void frmTicketF::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    // Nothing of the desktop shows through: a kiosk minimised or restored by the window manager
    // covers the screen again.
    if (event->type() == QEvent::WindowStateChange && !m_leaving && isVisible() &&
        windowState() != Qt::WindowFullScreen)
        QTimer::singleShot(0, this, [this] {
            if (!m_leaving)
                setWindowState(Qt::WindowFullScreen);
        });
}

bool frmTicketF::eventFilter(QObject* watched, QEvent* event)
{
    // Quick taps arrive as double clicks; each one is a touch.
    if (watched == lblTouch &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        lblTouch_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
