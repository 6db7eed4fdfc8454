// Where the display board and its blocks go on the screen.
#include "display/BoardDrawing.h"
#include "display/frmDisplay.h"

#include "display/BoardTableFit.h"

#include "core/AppContext.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "ui/Grid.h"
#include "ui/Twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWindow>

using namespace boardDrawing;

namespace {

// A layout made for a screen of another size is stretched to the screen the board covers, so that
// its blocks keep their places on it.
BoardLayout onScreen(BoardLayout l, const QSize& screenTwips)
{
    if (l.width <= 0 || l.height <= 0 || screenTwips.isEmpty())
        return l;
    const double sx = double(screenTwips.width()) / l.width;
    const double sy = double(screenTwips.height()) / l.height;
    if (qAbs(sx - 1) < 0.01 && qAbs(sy - 1) < 0.01)
        return l;
    for (QRect* r : {&l.logo, &l.time, &l.table, &l.video, &l.title, &l.news}) {
        *r = QRect(qRound(r->left() * sx), qRound(r->top() * sy), qRound(r->width() * sx),
                   qRound(r->height() * sy));
    }
    l.width = screenTwips.width();
    l.height = screenTwips.height();
    return l;
}

} // namespace

QScreen* frmDisplay::hallScreen(QPoint* at) const
{
    // "Single" puts the board on the primary screen; any other mode on the screen to its right.
    const QString mode = m_ctx.settings.get(QStringLiteral("Queue"), QStringLiteral("theme"),
                                            QStringLiteral("screen"), QStringLiteral("Single"));
    QScreen* primary = QGuiApplication::primaryScreen();
    QPoint left(0, 0);
    if (mode != QLatin1String("Single") && primary)
        left.setX(primary->geometry().width());
    if (at)
        *at = left;
    QScreen* screen = QGuiApplication::screenAt(left);
    return screen ? screen : primary;
}

void frmDisplay::ownScreen()
{
    // The board covers its screen, above every other window (a desktop's panel included), and
    // stays there.
    QPoint at;
    QScreen* screen = hallScreen(&at);
    if (!screen) {
        move(at);
        return;
    }
    setGeometry(screen->geometry());
    if (QWindow* window = windowHandle())
        window->setScreen(screen);
    setWindowState(windowState() | Qt::WindowFullScreen);
}

void frmDisplay::getpos()
{
    QPoint at;
    QScreen* screen = hallScreen(&at);
    const QSize pixels = screen ? screen->geometry().size() : size();
    const QSize screenTwips(int(twips::fromPixels(pixels.width())), int(twips::fromPixels(pixels.height())));

    // A theme without a layout row gets the default layout for that screen.
    m_layout = onScreen(loadBoardLayout(m_ctx.db, m_ctx.session.themeId, screenTwips), screenTwips);
    lblTime->setGeometry(pxRect(m_layout.time));
    move(at);
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

void frmDisplay::placeBlocks()
{
    if (!m_theme.found)
        return; // a bare board keeps its table where it is
    const BoardLayout& l = m_layout;
    // A video block with nothing to play (no video list, live input or picture) gives its place to
    // the calls.
    const VideoArea* video = m_media ? m_media->video() : nullptr;
    QRect table = l.table;
    if (!video || !video->showing())
        table = boardTableFit::overEmptyBlock(l.table, l.video, {l.logo, l.time, l.title, l.news});
    FG->setGeometry(pxRect(table));
    // Without a logo the title starts where the logo would be.
    QRect title = l.title;
    if (!m_media || !m_media->logo())
        title = boardTableFit::overEmptyBlock(l.title, l.logo, {l.time, table, l.video, l.news});
    lblTtl->setGeometry(pxRect(title));
}

QRect frmDisplay::newsBand() const
{
    // The band spans the board; its top and height come from the layout (a bare board without a
    // theme has none and keeps a strip along its bottom).
    if (m_layout.width <= 0)
        return QRect(0, height() - 60, width(), 60);
    const int h = m_layout.news.height() > 0 ? px(m_layout.news.height()) : 60;
    return QRect(0, px(m_layout.news.top()), width(), h);
}
