// Where the display board and its blocks go on the screen.
#include "display/BoardDrawing.h"
#include "display/frmDisplay.h"

#include "core/AppContext.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "ui/Grid.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

using namespace boardDrawing;

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

QRect frmDisplay::newsBand() const
{
    // The band spans the board; its top and height come from the layout.
    const int top = m_layout.found ? px(m_layout.news.top()) : height() - 60;
    const int h = m_layout.found && m_layout.news.height() > 0 ? px(m_layout.news.height()) : 60;
    return QRect(0, top, width(), h);
}
