#include "display/frmDisplay.h"

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
#include <QMovie>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <thread>

namespace {

int px(double twipsValue)
{
    return twips::toPixels(twipsValue);
}

QRect pxRect(const QRect& twipsRect)
{
    return QRect(px(twipsRect.left()), px(twipsRect.top()), px(twipsRect.width()), px(twipsRect.height()));
}

QString cssColor(const QColor& c)
{
    return c.name(QColor::HexRgb);
}

QFont makeFont(const QString& family, double size, bool bold, const QFont& base)
{
    QFont f = base;
    if (!family.isEmpty())
        f.setFamily(family);
    if (size > 0)
        f.setPointSizeF(size);
    f.setBold(bold);
    return f;
}

// Texts keep the CR LF of a two-line caption; the grid breaks the line at the LF.
QString shown(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

} // namespace

BoardTitle::BoardTitle(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void BoardTitle::setText(const QString& text)
{
    m_text = text;
    update();
}

void BoardTitle::setTextColor(const QColor& color)
{
    m_color = color;
    update();
}

void BoardTitle::setBackground(const QColor& color)
{
    m_background = color;
    update();
}

void BoardTitle::setScrollX(int twipsX)
{
    m_x = twipsX;
    update();
}

void BoardTitle::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_background.isValid())
        p.fillRect(rect(), m_background);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font());
    p.setPen(m_color);
    const QRect r(px(m_x), 0, qMax(width(), fontMetrics().horizontalAdvance(m_text) + 4), height());
    p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_text);
}

BoardFrame::BoardFrame(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BoardFrame::setLine(const QColor& color, int width)
{
    m_color = color;
    m_width = qMax(1, width);
    update();
}

void BoardFrame::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QPen pen(m_color);
    pen.setWidth(m_width);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const int half = m_width / 2;
    p.drawRect(rect().adjusted(half, half, -half - (m_width % 2 ? 1 : 0), -half - (m_width % 2 ? 1 : 0)));
}

frmDisplay::frmDisplay(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmDisplay"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Display"));
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

    Flash1 = named(new QLabel(this), "Flash1");
    Flash1->setAlignment(Qt::AlignCenter);
    Flash1->hide();

    auto timer = [this](const char* name, int interval) {
        auto* t = named(new QTimer(this), name);
        t->setInterval(interval);
        return t;
    };
    Timer1 = timer("Timer1", 10);
    Timer2 = timer("Timer2", 5);
    Timer3 = timer("Timer3", 100);
    Timer4 = timer("Timer4", 5);
    Timer5 = timer("Timer5", 5);
    Timer9 = timer("Timer9", 5000);
    Timer10 = timer("Timer10", 2000);
    connect(Timer1, &QTimer::timeout, this, &frmDisplay::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &frmDisplay::Timer2_Timer);
    connect(Timer3, &QTimer::timeout, this, &frmDisplay::Timer3_Timer);
    connect(Timer10, &QTimer::timeout, this, &frmDisplay::Timer10_Timer);
    connect(Timer4, &QTimer::timeout, this, &frmDisplay::Timer4_Timer);
    connect(Timer5, &QTimer::timeout, this, &frmDisplay::Timer5_Timer);

    Form_Load();
}

frmDisplay::~frmDisplay() = default;

bool frmDisplay::reconnect()
{
    ConnectionValues values = m_ctx.session.connection;
    values.passwordAuthentication =
        m_ctx.settings.get(QStringLiteral("Queue"), QStringLiteral("Sql"), QStringLiteral("aut"),
                           QStringLiteral("SQL Authentication")) == QLatin1String("SQL Authentication");
    const auto reopen = [&] {
        try {
            m_ctx.db.open(values, m_ctx.dataDir());
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
                db.open(values, dir);
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
    const qint64 duration =
        s.getNumber(QStringLiteral("Queue"), QStringLiteral("Pic"), QStringLiteral("Duration"), 5);
    Timer9->setInterval(int(qBound(qint64(1), duration, qint64(86400)) * 1000));
    openConnection(m_ctx);

    m_engine = std::make_unique<CallBoardEngine>(m_ctx.db, m_ctx.session, m_ctx.clock, m_table);
    m_engine->setReconnect([this] { return reconnect(); });
    m_ticker = std::make_unique<NewsTicker>(m_ctx.db, [this](const NewsTicker::Item& item) {
        QFont f = makeFont(item.font, item.size, item.bold, font());
        f.setItalic(item.italic);
        return int(twips::fromPixels(QFontMetrics(f).horizontalAdvance(item.text)));
    });

    start();
    getData();
    addFirst();
    Timer1_Timer();
    Timer1->start();
}

void frmDisplay::start()
{
    m_theme = loadBoardTheme(m_ctx.db, m_ctx.session.themeId);
    if (m_theme.found)
        getpos();

    // Title
    if (!m_theme.title.isEmpty()) {
        lblTtl->setText(m_theme.title);
        lblTtl->setFont(makeFont(m_theme.titleFont, m_theme.titleSize, true, font()));
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
    Flash1->hide();
    if (!m_theme.logo.isEmpty()) {
        auto* movie = new QMovie(m_theme.logo, QByteArray(), Flash1);
        if (movie->isValid() && movie->frameCount() > 1) {
            movie->setScaledSize(Flash1->size());
            Flash1->setMovie(movie);
            movie->start();
            Flash1->show();
        } else {
            delete movie;
            const QPixmap logo(m_theme.logo);
            if (!logo.isNull()) {
                Flash1->setPixmap(logo.scaled(Flash1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
                Flash1->show();
            }
        }
        Flash1->raise();
    }

    // Background
    m_background = m_theme.bgImage.isEmpty() ? QPixmap() : QPixmap(m_theme.bgImage);
    lblTtl->setBackground(m_theme.screenBg);

    // The table
    m_table.reset(m_theme.dataRows + 1, m_theme.cols);
    for (int c = 1; c < m_theme.cols && c < m_theme.headers.size(); ++c)
        m_table.setText(0, c, m_theme.headers.at(c));
    styleTable();

    // Video area: the playlist plays there when the theme enables it.
    vidArea->setVisible(m_theme.movie && m_layout.found && !m_layout.video.isEmpty());

    // Title scrolling
    lblTtl->setScrollX(0);
    if (m_theme.scrollTitle && !m_theme.title.isEmpty())
        Timer2->start();
    else
        Timer2->stop();

    QPalette news = imgBG->palette();
    news.setColor(QPalette::Window, m_theme.newsBg);
    imgBG->setPalette(news);
    showTable();
    update();
}

void frmDisplay::getpos()
{
    m_layout = loadBoardLayout(m_ctx.db, m_ctx.session.themeId);
    if (!m_layout.found)
        return;
    Flash1->setGeometry(pxRect(m_layout.logo));
    lblTime->setGeometry(pxRect(m_layout.time));
    const QString mode = m_ctx.settings.get(QStringLiteral("Queue"), QStringLiteral("theme"),
                                            QStringLiteral("screen"), QStringLiteral("Single"));
    int left = 0;
    if (mode != QLatin1String("Single")) {
        if (QScreen* primary = QGuiApplication::primaryScreen())
            left = primary->geometry().width();
    }
    move(left, 0);
    if (m_layout.width > 0 && m_layout.height > 0)
        resize(px(m_layout.width), px(m_layout.height));
    FG->setGeometry(pxRect(m_layout.table));
    lblTtl->setGeometry(pxRect(m_layout.title));
    vidArea->setGeometry(pxRect(m_layout.video));
    if (m_layout.newsBg.isValid()) {
        QPalette news = imgBG->palette();
        news.setColor(QPalette::Window, m_layout.newsBg);
        imgBG->setPalette(news);
    }
}

void frmDisplay::styleTable()
{
    const BoardTheme& t = m_theme;
    FG->setCols(t.cols);
    FG->setRows(t.dataRows + 1);

    FG->setStyleSheet(
        QStringLiteral("QTableWidget { background-color: %1; gridline-color: %2; border: none; }"
                       "QTableWidget::item { padding-left: 10px; padding-right: 10px; }"
                       "QHeaderView { background-color: %1; border: none; }"
                       "QHeaderView::section { background-color: %3; color: %4; border: none;"
                       " border-right: 1px solid %2; border-bottom: 1px solid %2;"
                       " padding-left: 10px; padding-right: 10px; }")
            .arg(cssColor(t.tableBg), cssColor(t.lineColor), cssColor(t.headerBg),
                 // The header's text colour is the theme's only when the theme enables the header.
                 cssColor(t.headerOn ? t.headerFore : QColor(Qt::black))));
    FG->setShowGrid(t.lineWidth > 0);

    FG->setColWidth(0, t.colWidths.value(0, 1));

    const QFont tokenFont = makeFont(t.tokenFont, t.tokenSize, true, font());
    const QFont valueFont = makeFont(t.valueFont, t.valueSize, true, font());
    const QFont headerFont = makeFont(t.headerFont, t.headerSize, true, font());
    for (int r = 1; r <= t.dataRows; ++r) {
        const QColor back = (r % 2 == 1) ? t.altColor : t.tableBg;
        for (int c = 1; c < t.cols; ++c) {
            FG->setCellBackColor(r, c, back);
            FG->setCellAlignment(r, c, Qt::AlignLeft | Qt::AlignVCenter);
            if (c == 1) {
                FG->setCellFont(r, c, tokenFont);
                FG->setCellForeColor(r, c, t.tokenColor);
            } else {
                FG->setCellFont(r, c, valueFont);
                FG->setCellForeColor(r, c, t.valueColor);
            }
        }
    }
    for (int c = 1; c < t.cols; ++c) {
        FG->setCellAlignment(0, c, Qt::AlignLeft | Qt::AlignVCenter);
        if (t.headerOn) {
            FG->setCellFont(0, c, headerFont);
            FG->setCellForeColor(0, c, t.headerFore);
        }
    }

    // Rows are at least the theme's height, and never lower than one line of their largest font.
    const int minRow = px(t.rowHeight);
    const int dataLine = qMax(QFontMetrics(tokenFont).height(), QFontMetrics(valueFont).height()) + 4;
    const int headerLine = QFontMetrics(t.headerOn ? headerFont : font()).height() + 4;
    FG->horizontalHeader()->setMinimumHeight(qMax(minRow, headerLine));
    FG->horizontalHeader()->setMaximumHeight(qMax(minRow, headerLine));
    for (int r = 1; r <= t.dataRows; ++r)
        FG->QTableWidget::setRowHeight(r - 1, qMax(minRow, dataLine));

    m_detailPicture = t.img2.isEmpty() ? QPixmap() : QPixmap(t.img2);
    applyColumnFormats();

    // The frame: the table's rectangle, 10 twips further out on the left and top, 23 twips larger.
    const QRect table = FG->geometry();
    const int out = px(10);
    const int grow = px(23);
    Shape1->setGeometry(table.left() - out, table.top() - out, table.width() + grow, table.height() + grow);
    Shape1->setLine(t.lineColor, t.lineWidth);
    Shape1->lower();
    if (imgBG)
        imgBG->lower();
}

void frmDisplay::applyColumnFormats()
{
    // Widths and detail pictures belong to a column and go with it when the caption columns trade
    // places; a column whose width the theme does not give keeps the grid's own.
    const BoardTheme& t = m_theme;
    const int defaultWidth = int(twips::fromPixels(FG->horizontalHeader()->defaultSectionSize()));
    for (int c = 1; c < t.cols && c < FG->cols(); ++c) {
        const int source = m_table.columnShownAt(c);
        const int width = t.colWidths.value(source, 0);
        FG->setColWidth(c, width > 0 ? width : defaultWidth);
        // The detail picture lies under the token and the first caption column only.
        const QPixmap picture = source <= 2 ? m_detailPicture : QPixmap();
        for (int r = 1; r <= t.dataRows; ++r)
            FG->setCellPicture(r, c, picture);
    }
}

void frmDisplay::getData()
{
    applyHeaderCaptions(m_ctx.db, m_ctx.session.themeId, m_theme);
    for (int c = 1; c < m_theme.cols && c < m_theme.headers.size(); ++c)
        m_table.setText(0, c, m_theme.headers.at(c));
    showTable();
}

void frmDisplay::addFirst()
{
    m_engine->addFirst();
    showTable();
}

void frmDisplay::showTable()
{
    const int rows = qMin(m_table.rows(), FG->rows());
    const int cols = qMin(m_table.cols(), FG->cols());
    const QFont valueFont = makeFont(m_theme.valueFont, m_theme.valueSize, true, font());
    for (int r = 0; r < rows; ++r) {
        for (int c = 1; c < cols; ++c) {
            const QString text = shown(m_table.text(r, m_table.columnShownAt(c)));
            if (FG->text(r, c) == text)
                continue;
            FG->setText(r, c, text);
            if (r > 0 && c >= 2)
                FG->setCellFont(r, c, captionFont(valueFont, text, FG->rowHeight(r)));
        }
    }
}

QFont frmDisplay::captionFont(const QFont& base, const QString& text, int rowTwips) const
{
    // A caption with a second line is set smaller so that both lines fit the row.
    const int lines = int(text.count(QLatin1Char('\n'))) + 1;
    if (lines < 2)
        return base;
    const double available = twips::toPixels(rowTwips) - 4;
    const double needed = double(QFontMetricsF(base).lineSpacing()) * lines;
    if (needed <= available || needed <= 0)
        return base;
    QFont f = base;
    f.setPointSizeF(qMax(base.pointSizeF() * 0.5, base.pointSizeF() * available / needed));
    return f;
}

void frmDisplay::Timer1_Timer()
{
    if (m_engine->Timer1_Timer())
        showTable();
}

void frmDisplay::Timer2_Timer()
{
    const int w = int(twips::fromPixels(QFontMetrics(lblTtl->font()).horizontalAdvance(lblTtl->text())));
    const int x = lblTtl->scrollX();
    if (x > -w)
        lblTtl->setScrollX(x - int(m_ctx.session.scrollSpeed));
    else
        lblTtl->setScrollX(int(twips::fromPixels(lblTtl->width())));
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

QRect frmDisplay::newsBand() const
{
    // The band spans the board; its top and height come from the layout.
    const int top = m_layout.found ? px(m_layout.news.top()) : height() - 60;
    const int h = m_layout.found && m_layout.news.height() > 0 ? px(m_layout.news.height()) : 60;
    return QRect(0, top, width(), h);
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
    Timer5->stop();
    Timer4->start();
}

void frmDisplay::stopNews()
{
    Timer4->stop();
    Timer5->stop();
    imgBG->hide();
    m_ticker->stop();
    showNews();
}

void frmDisplay::tickNews()
{
    m_ticker->tick();
    const bool left = m_ticker->phase() == NewsTicker::Phase::Left;
    if (left && !Timer4->isActive()) {
        Timer5->stop();
        Timer4->start();
    } else if (!left && !Timer5->isActive()) {
        Timer4->stop();
        Timer5->start();
    }
    showNews();
}

void frmDisplay::Timer4_Timer()
{
    tickNews();
}
void frmDisplay::Timer5_Timer()
{
    tickNews();
}

void frmDisplay::showNews()
{
    const QVector<NewsTicker::Item>& items = m_ticker->items();
    if (m_labelGeneration != m_ticker->generation()) {
        m_labelGeneration = m_ticker->generation();
        qDeleteAll(m_labels);
        m_labels.clear();
        for (const NewsTicker::Item& item : items) {
            auto* label = new QLabel(item.text, this);
            QFont f = makeFont(item.font, item.size, item.bold, font());
            f.setItalic(item.italic);
            label->setFont(f);
            label->setStyleSheet(
                QStringLiteral("color: %1; background: transparent;").arg(cssColor(item.color)));
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
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
