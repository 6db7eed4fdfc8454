// Where the display board and its blocks go on the screen.
#include "display/BoardDrawing.h"
#include "display/frmDisplay.h"

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
    m_layout = loadBoardLayout(m_ctx.db, m_ctx.session.themeId, screenTwips);
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

QRect frmDisplay::newsBand() const
{
    // The band spans the board; its top and height come from the layout (a bare board without a
    // theme has none and keeps a strip along its bottom).
    if (m_layout.width <= 0)
        return QRect(0, height() - 60, width(), 60);
    const int h = m_layout.news.height() > 0 ? px(m_layout.news.height()) : 60;
    return QRect(0, px(m_layout.news.top()), width(), h);
}
