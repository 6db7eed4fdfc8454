#include "display/frmDisplay.h"

#include "display/BoardDrawing.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "ui/Clock.h"
#include "ui/Grid.h"
#include "ui/Named.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <thread>

using namespace boardDrawing;

frmDisplay::frmDisplay(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmDisplay"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(tr("Display"));
    setFocusPolicy(Qt::StrongFocus);
    resize(1024, 640);

    imgBG = named(new QWidget(this), "imgBG");
    imgBG->setAutoFillBackground(true);
    imgBG->hide();

    vidArea = named(new QWidget(this), "vidArea");
    vidArea->setAutoFillBackground(true);
    vidArea->setPalette(QPalette(Qt::black));
    vidArea->hide();

    lblTtl = named(new BoardTitle(this), "lblTtl");
    lblTtl->setGeometry(0, 0, width(), 60);

    Shape1 = named(new BoardFrame(this), "Shape1");

    FG = named(new Grid(this), "FG");
    FG->setGeometry(40, 90, width() - 80, height() - 180);
    FG->setFocusPolicy(Qt::NoFocus);
    FG->setSelectionMode(QAbstractItemView::NoSelection);
    FG->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FG->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FG->setFrameShape(QFrame::NoFrame);
    FG->setAttribute(Qt::WA_TransparentForMouseEvents);
    FG->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FG->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    lblTime = named(new QLabel(this), "lblTime");
    lblTime->setAlignment(Qt::AlignCenter);
    lblTime->hide();

    lblOffline = named(new QLabel(QStringLiteral("offline"), this), "lblOffline");
    lblOffline->setStyleSheet(QStringLiteral("QLabel { background: rgba(150, 0, 0, 210); color: white; "
                                             "font: bold 10pt; padding: 2px 8px; border-radius: 3px; }"));
    lblOffline->hide();

    auto timer = [this](const char* name, int interval) {
        auto* t = named(new QTimer(this), name);
        t->setInterval(interval);
        return t;
    };
    // Calls are read when the server tells of them (PostgreSQL) or every 10 ms (SQLite).
    m_wakeup = new CallWakeup(m_ctx.db, m_ctx.clock, this);
    connect(m_wakeup, &CallWakeup::readDone, this,
            [this] { showOffline(m_engine->connectionLost() || m_wakeup->offline()); });
    Timer1 = m_wakeup->timer();
    Timer3 = timer("Timer3", 100);
    Timer10 = timer("Timer10", 2000);
    connect(Timer3, &QTimer::timeout, this, &frmDisplay::Timer3_Timer);
    connect(Timer10, &QTimer::timeout, this, &frmDisplay::Timer10_Timer);
    m_frames = new FrameSteps(this);
    connect(m_frames, &FrameSteps::frame, this, &frmDisplay::frameTick);

    Form_Load();
}

frmDisplay::~frmDisplay()
{
    // The video stops before the table it would hand its place back to is gone.
    if (m_media && m_media->video())
        disconnect(m_media->video(), nullptr, this, nullptr);
    m_media.reset();
}

bool frmDisplay::reconnect()
{
    ConnectionValues values = m_ctx.session.connection;
    values.passwordAuthentication =
        m_ctx.settings.get(QStringLiteral("Queue"), QStringLiteral("Sql"), QStringLiteral("aut"),
                           QStringLiteral("SQL Authentication")) == QLatin1String("SQL Authentication");
    // The hall's store is only ever reopened here, never made anew: a board whose database file went
    // away stays offline rather than show an empty hall.
    const auto reopen = [&] {
        try {
            m_ctx.db.open(values, m_ctx.dataDir(), Database::Creation::Refused);
            return true;
        } catch (const DbError&) {
            return false;
        }
    };
    if (values.host.trimmed().isEmpty())
        return reopen(); // a local file opens at once or not at all

    // A server that cannot be reached may keep a connection attempt waiting for its whole time-out,
    // so the attempt is tried first on a thread of its own; the board goes on while it waits.
    if (m_probe && !m_probe->done.load())
        return false;
    if (m_probe && m_probe->reachable.load()) {
        m_probe.reset();
        return reopen();
    }
    m_probe = std::make_shared<ConnectionProbe>();
    std::thread([probe = m_probe, values, dir = m_ctx.dataDir()] {
        {
            Database db;
            try {
                db.open(values, dir, Database::Creation::Refused);
                probe->reachable = true;
            } catch (const DbError&) {
                probe->reachable = false;
            }
        }
        probe->done = true;
    }).detach();
    return false;
}

void frmDisplay::Form_Load()
{
    const Settings& s = m_ctx.settings;
    if (s.getNumber(QStringLiteral("q"), QStringLiteral("multi"), QStringLiteral("caption"), 0) == 1)
        Timer10->start();
    else
        Timer10->stop();
    openConnection(m_ctx);

    // A board that shows every call of its counters follows them without taking them from the hall's
    // other boards; the settings name the one of them that speaks.
    const bool follows =
        s.getNumber(QStringLiteral("Queue"), QStringLiteral("display"), QStringLiteral("mirror"), 0) == 1;
    m_engine = std::make_unique<CallBoardEngine>(m_ctx.db, m_ctx.session, m_ctx.clock, m_table,
                                                 follows ? CallBoardEngine::Mode::Follow
                                                         : CallBoardEngine::Mode::Take);
    const QString speaks =
        s.get(QStringLiteral("Queue"), QStringLiteral("display"), QStringLiteral("speaks"), QString());
    if (!speaks.isEmpty())
        m_engine->setAnnounces(speaks == QLatin1String("1"));
    m_engine->setReconnect([this] { return reconnect(); });
    recordReceipts(follows);
    m_wakeup->serve(*m_engine, [this] { showTable(); });
    watchNewestCall();
    m_ticker = std::make_unique<NewsTicker>(m_ctx.db, [this](const NewsTicker::Item& item) {
        QFont f = makeFont(item.font, item.size, item.bold, font());
        f.setItalic(item.italic);
        return int(twips::fromPixels(QFontMetrics(f).horizontalAdvance(item.text)));
    });

    start();
    getData();
    addFirst();
    m_wakeup->start();
    m_wakeup->readNow();
}

void frmDisplay::recordReceipts(bool follows)
{
    // Each call shown is recorded, so the counter that made it sees it arrived; a filter the board
    // cannot read shows nothing and records nothing.
    bool ok = false;
    const QVector<qint64> counters = counterKeysOfFilter(m_ctx.session.counterFilter, &ok);
    m_receipts.reset();
    if (!ok)
        return;
    m_receipts = std::make_unique<BoardReceipts>(
        m_ctx.db, m_ctx.clock, BoardReceipts::screenName(m_ctx.settings),
        follows ? delivery::ScreenKind::Mirror : delivery::ScreenKind::Board, counters);
    m_engine->setReceiptSink(m_receipts.get(), m_receipts->screen());
    m_receipts->start();
}

void frmDisplay::start()
{
    m_theme = loadBoardTheme(m_ctx.db, m_ctx.session.themeId);
    if (m_theme.found)
        getpos();
    ownScreen();

    // Title
    if (!m_theme.title.isEmpty()) {
        lblTtl->setText(m_theme.title);
        // Bold only when the theme's font is a bold face.
        lblTtl->setFont(
            makeFont(m_theme.titleFont, m_theme.titleSize, namesBoldFace(m_theme.titleFont), font()));
        lblTtl->setTextColor(m_theme.titleColor);
        lblTtl->show();
    } else {
        lblTtl->hide();
    }

    // Clock and logo
    Timer3->stop();
    lblTime->hide();
    if (m_theme.showTime && m_theme.clockFile.isEmpty()) {
        lblTime->setFont(makeFont(m_theme.timeFont, m_theme.timeSize, true, font()));
        lblTime->setStyleSheet(
            QStringLiteral("color: %1; background: transparent;").arg(cssColor(m_theme.timeColor)));
        lblTime->show();
        lblTime->raise();
        Timer3_Timer();
        Timer3->start();
    }
    // Clock face, logo and the video area (video list or live input)
    m_media.reset();
    m_media = std::make_unique<BoardMedia>(
        this, BoardMedia::Areas{pxRect(m_layout.logo), pxRect(m_layout.time), pxRect(m_layout.video)},
        m_theme,
        BoardMedia::Services{m_ctx.db, m_ctx.settings, m_ctx.clock, *m_ctx.mediaPlayers, m_ctx.installDir});
    placeBlocks();

    // Background
    m_background = m_theme.bgImage.isEmpty() ? QPixmap() : QPixmap(m_theme.bgImage);
    lblTtl->setBackground(m_theme.screenBg);

    // The table
    m_table.reset(m_theme.dataRows + 1, m_theme.cols);
    for (int c = 1; c < m_theme.cols && c < m_theme.headers.size(); ++c)
        m_table.setText(0, c, m_theme.headers.at(c));
    styleTable();

    // The video list or live input plays in the media's own widget over this black area, which shows
    // only while there is something to play.
    vidArea->hide();
    if (VideoArea* video = m_media->video()) {
        vidArea->setVisible(video->showing());
        connect(video, &VideoArea::showingChanged, vidArea, &QWidget::setVisible);
        // The calls take the video's place while it has nothing to play, and give it back.
        connect(video, &VideoArea::showingChanged, this, [this] {
            placeBlocks();
            fitTable();
            showTable();
        });
    }

    // Title and news move with the screen's frames, by the steps that have passed.
    lblTtl->setScrollX(0);
    m_titleRuns = m_theme.scrollTitle && !m_theme.title.isEmpty();
    m_frames->start();

    QPalette news = imgBG->palette();
    news.setColor(QPalette::Window, m_theme.newsBg);
    imgBG->setPalette(news);
    showTable();
    m_media->raise();
    update();
}

void frmDisplay::frameTick(int steps)
{
    if (m_titleRuns) {
        const int w = int(twips::fromPixels(QFontMetrics(lblTtl->font()).horizontalAdvance(lblTtl->text())));
        lblTtl->setScrollX(titleScrollX(lblTtl->scrollX(), w, int(twips::fromPixels(lblTtl->width())),
                                        int(m_ctx.session.scrollSpeed), steps));
    }
    if (m_newsRuns) {
        m_ticker->advance(steps);
        showNews();
    }
}

void frmDisplay::getData()
{
    applyHeaderCaptions(m_ctx.db, m_ctx.session.themeId, m_theme);
    for (int c = 1; c < m_theme.cols && c < m_theme.headers.size(); ++c)
        m_table.setText(0, c, m_theme.headers.at(c));
    fitTable(); // captions may bring the header row
    showTable();
}

void frmDisplay::addFirst()
{
    m_engine->addFirst();
    showTable();
}

void frmDisplay::Timer1_Timer()
{
    if (m_engine->Timer1_Timer())
        showTable();
    showOffline(m_engine->connectionLost() || m_wakeup->offline());
}

void frmDisplay::showOffline(bool offline)
{
    // Boards of other workstations go stale without anyone noticing otherwise.
    if (offline) {
        lblOffline->adjustSize();
        lblOffline->move(width() - lblOffline->width() - 6, 6);
        lblOffline->raise();
    }
    lblOffline->setVisible(offline);
}

void frmDisplay::Timer3_Timer()
{
    lblTime->setText(m_ctx.clock.now().toString(m_theme.timeFormat));
}

void frmDisplay::Timer10_Timer()
{
    const bool wasSwapped = m_table.swapped();
    m_engine->Timer10_Timer();
    if (m_table.swapped() != wasSwapped)
        applyColumnFormats();
    showTable();
}

void frmDisplay::startNews()
{
    imgBG->setGeometry(newsBand());
    imgBG->show();
    imgBG->lower();
    m_ticker->setBoardWidth(int(twips::fromPixels(width())));
    m_ticker->setSpeed(int(m_ctx.session.scrollSpeed));
    m_ticker->start();
    showNews();
    m_newsRuns = true;
}

void frmDisplay::stopNews()
{
    m_newsRuns = false;
    imgBG->hide();
    m_ticker->stop();
    showNews();
}

void frmDisplay::showNews()
{
    const QVector<NewsTicker::Item>& items = m_ticker->items();
    if (m_labelGeneration != m_ticker->generation()) {
        m_labelGeneration = m_ticker->generation();
        qDeleteAll(m_labels);
        m_labels.clear();
        for (const NewsTicker::Item& item : items) {
            QFont f = makeFont(item.font, item.size, item.bold, font());
            f.setItalic(item.italic);
            // A message colour too close to the band's would not read: black or white instead.
            const QColor band = imgBG->palette().color(QPalette::Window);
            auto* label = new BoardNewsItem(item.text, f, readableOn(item.color, band), band, this);
            label->show();
            m_labels.append(label);
        }
    }
    const QRect band = newsBand();
    for (int i = 0; i < m_labels.size() && i < items.size(); ++i) {
        const NewsTicker::Item& item = items.at(i);
        m_labels[i]->setGeometry(px(item.left), band.top(), px(item.width) + 4, band.height());
    }
}

void frmDisplay::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_theme.screenBg);
    if (!m_background.isNull())
        p.drawPixmap(0, 0, m_background);
}

void frmDisplay::askMainWindow(const char* actionName)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() != QLatin1String("MDI"))
            continue;
        if (auto* action = w->findChild<QAction*>(QString::fromLatin1(actionName))) {
            if (action->isEnabled())
                action->trigger();
        }
        return;
    }
}

void frmDisplay::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->key() == Qt::Key_D) {
            askMainWindow("display");
            return;
        }
        if (event->key() == Qt::Key_N) {
            askMainWindow("startNews");
            return;
        }
    }
    // No other key does anything on the board; Esc does not close it.
    event->accept();
}
