#include "display/design/frmDesign.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "display/design/BlockFit.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"
#include "ui/Twips.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>
#include <cmath>

namespace {

// Handles are small squares centred on the corners and edge middles of the selected block.
constexpr int HandleSize = 7;

// The pointer of each handle, clockwise from the top-left corner.
constexpr Qt::CursorShape HandleCursors[8] = {Qt::SizeFDiagCursor, Qt::SizeVerCursor,   Qt::SizeBDiagCursor,
                                              Qt::SizeHorCursor,   Qt::SizeFDiagCursor, Qt::SizeVerCursor,
                                              Qt::SizeBDiagCursor, Qt::SizeHorCursor};

// The edges each handle drags.
struct HandleEdges
{
    bool left, top, right, bottom;
};
constexpr HandleEdges Edges[8] = {{true, true, false, false}, {false, true, false, false},
                                  {false, true, true, false}, {false, false, true, false},
                                  {false, false, true, true}, {false, false, false, true},
                                  {true, false, false, true}, {true, false, false, false}};

QPoint globalPos(const QEvent* event)
{
    return static_cast<const QMouseEvent*>(event)->globalPosition().toPoint();
}

bool leftButton(const QEvent* event)
{
    return static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}

} // namespace

DragFrame::DragFrame(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void DragFrame::paintEvent(QPaintEvent*)
{
    // Two pixels wide, black dashes over white, so it shows on any block and on the surface.
    QPainter p(this);
    const QRect r = rect().adjusted(1, 1, -1, -1);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 2));
    p.drawRect(r);
    p.setPen(QPen(Qt::black, 2, Qt::DashLine));
    p.drawRect(r);
}

frmDesign::frmDesign(AppContext& ctx, QWidget* owner) : QMainWindow(owner), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmDesign"));
    setWindowFlags(Qt::Window);
    setWindowTitle(tr("Vertical Display"));
    setAttribute(Qt::WA_DeleteOnClose);
    openConnection(m_ctx);

    QMenu* menu = menuBar()->addMenu(tr("Menu"));
    mnuDesign = named(menu->addAction(tr("Design")), "mnuDesign");
    mnuDesign->setCheckable(true);
    mnuFit = named(menu->addAction(tr("Fit to Content")), "mnuFit");
    mnuSave = named(menu->addAction(tr("Save")), "mnuSave");
    mnuExit = named(menu->addAction(tr("Exit")), "mnuExit");
    connect(mnuDesign, &QAction::triggered, this, [this] { mnuDesign_Click(); });
    connect(mnuFit, &QAction::triggered, this, [this] { mnuFit_Click(); });
    connect(mnuSave, &QAction::triggered, this, [this] { mnuSave_Click(); });
    connect(mnuExit, &QAction::triggered, this, [this] { mnuExit_Click(); });

    // The surface keeps its exact size inside the window, however wide the menu and status lines.
    auto* inner = new QWidget(this);
    auto* box = new QVBoxLayout(inner);
    box->setContentsMargins(0, 0, 0, 0);
    // The layout is made for the hall's screen, not this one.
    auto* targetRow = new QHBoxLayout;
    targetRow->setContentsMargins(6, 4, 6, 4);
    targetRow->addWidget(new QLabel(tr("Hall screen (pixels):"), inner));
    cmbTarget = named(new QComboBox(inner), "cmbTarget");
    cmbTarget->setEditable(true);
    cmbTarget->setInsertPolicy(QComboBox::NoInsert);
    cmbTarget->addItems({QStringLiteral("1920x1080"), QStringLiteral("1280x720"), QStringLiteral("1366x768"),
                         QStringLiteral("2560x1440"), QStringLiteral("3840x2160"),
                         QStringLiteral("1080x1920")});
    targetRow->addWidget(cmbTarget);
    targetRow->addStretch();
    box->addLayout(targetRow);
    const auto takeTarget = [this] {
        const QSize size = targetSizeFromText(cmbTarget->currentText());
        if (size.isValid())
            setTarget(size);
        else
            showTarget();
    };
    connect(cmbTarget, &QComboBox::textActivated, this, takeTarget);
    connect(cmbTarget->lineEdit(), &QLineEdit::editingFinished, this, takeTarget);
    surface = named(new QWidget(inner), "surface");
    surface->setAutoFillBackground(true);
    surface->setPalette(QPalette(QColor(0x4a, 0x54, 0x60)));
    box->addWidget(surface, 0, Qt::AlignLeft | Qt::AlignTop);
    setCentralWidget(inner);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    surface->installEventFilter(this);

    lblRef = named(new QLabel(this), "lblRef");
    lblRef->hide();

    lblLogo = makeBlock("lblLogo", tr("Comp-Logo"), QColor(0xf3, 0xd3, 0x8b));
    lblTime = makeBlock("lblTime", tr("Time-Date"), QColor(0xa9, 0xd6, 0xe5));
    lblTable = makeBlock("lblTable", tr("Token Table"), QColor(0xf7, 0xf7, 0xf7));
    lblVideo = makeBlock("lblVideo", tr("Video"), QColor(0x2b, 0x2b, 0x2b));
    lblTtl = makeBlock("lblTtl", tr("Title"), QColor(0xc3, 0xe0, 0xb4));
    lblNews = makeBlock("lblNews", tr("News"), QColor(0xf2, 0xa9, 0xa0));
    lblVideo->setStyleSheet(lblVideo->styleSheet() + QStringLiteral("QLabel { color: white; }"));

    for (int k = 0; k < 8; ++k) {
        QWidget* h = new QWidget(surface);
        h->setObjectName(QStringLiteral("picHandle%1").arg(k));
        h->setFixedSize(HandleSize, HandleSize);
        h->setAutoFillBackground(true);
        h->setPalette(QPalette(Qt::black));
        h->setCursor(HandleCursors[k]);
        h->installEventFilter(this);
        h->hide();
        picHandle[size_t(k)] = h;
    }
    dragFrame = named(new DragFrame(surface), "dragFrame");

    statusBar()->setSizeGripEnabled(false); // the window keeps the size of the screen it stands for
    m_screen = QSize(1024, 768);
    if (const QScreen* s = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen())
        m_screen = s->availableGeometry().size();
    setTarget(QSize(1920, 1080));
    showHint();
}

QLabel* frmDesign::makeBlock(const char* name, const QString& caption, const QColor& color)
{
    auto* b = named(new QLabel(caption, surface), name);
    b->setAlignment(Qt::AlignCenter);
    b->setStyleSheet(
        QStringLiteral("QLabel { background-color: %1; color: #202020; border: 1px solid #101010;"
                       " font-weight: bold; }")
            .arg(color.name()));
    b->installEventFilter(this);
    m_blocks.append(b);
    return b;
}

frmDesign* frmDesign::openFor(AppContext& ctx, QWidget* owner, const QString& themeKey, bool vertical)
{
    if (themeKey.trimmed().isEmpty()) {
        ctx.dialogs.message(tr("Please save the theme first"), Dialogs::Buttons::Ok,
                            Dialogs::Icon::Information, {}, owner);
        return nullptr;
    }
    if (owner) {
        for (frmDesign* open : owner->findChildren<frmDesign*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!open->isVisible())
                continue;
            if (open->lblRef->text() == themeKey) {
                open->raise();
                open->activateWindow();
                return open;
            }
            open->close();
        }
    }
    auto* w = new frmDesign(ctx, owner);
    w->lblRef->setText(themeKey);
    w->getData();
    if (vertical)
        w->ver();
    else
        w->hor();
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

void frmDesign::setTarget(const QSize& pixels)
{
    if (!pixels.isValid() || pixels.isEmpty())
        return;
    const QSize before = m_target;
    const Layout places = positions();
    m_target = pixels;
    // Half the hall screen, as the board doubles every value, or smaller where this screen has not
    // the room for that; the values stored stay those of the hall screen.
    double scale = 0.5;
    if (m_screen.isValid() && !m_screen.isEmpty()) {
        scale = qMin(scale, 0.85 * m_screen.width() / pixels.width());
        scale = qMin(scale, 0.8 * m_screen.height() / pixels.height());
    }
    const QSize shown(qMax(1, int(std::lround(pixels.width() * scale))),
                      qMax(1, int(std::lround(pixels.height() * scale))));
    surface->setFixedSize(shown);
    m_rect = cRect(twips::fromPixels(pixels.width()) / 2.0 / shown.width());
    // The window takes the surface's new size at once, not at the next turn of the event loop.
    if (QLayout* inner = centralWidget()->layout())
        inner->activate();
    layout()->activate();
    adjustSize();
    const QSize stored(int(std::lround(twips::fromPixels(pixels.width()) / 2)),
                       int(std::lround(twips::fromPixels(pixels.height()) / 2)));
    if (m_defaultPlaces || !before.isValid()) {
        applyLayout(defaultLayout(stored));
    } else if (before != pixels) {
        // The blocks keep their places on the new screen.
        const double sx = double(pixels.width()) / before.width();
        const double sy = double(pixels.height()) / before.height();
        Layout l = places;
        for (QRect& r : l.rects) {
            r = QRect(int(std::lround(r.left() * sx)), int(std::lround(r.top() * sy)),
                      int(std::lround(r.width() * sx)), int(std::lround(r.height() * sy)));
        }
        applyLayout(l);
    } else {
        applyLayout(places);
    }
    if (m_selected)
        placeHandles();
    showTarget();
}

void frmDesign::showTarget()
{
    cmbTarget->setEditText(QStringLiteral("%1x%2").arg(m_target.width()).arg(m_target.height()));
}

void frmDesign::hor()
{
    if (m_target.width() < m_target.height())
        setTarget(m_target.transposed());
}

void frmDesign::ver()
{
    if (m_target.width() > m_target.height())
        setTarget(m_target.transposed());
}

void frmDesign::mnuFit_Click()
{
    if (!m_selected) {
        statusBar()->showMessage(tr("Select a block first (Menu, Design)"), 5000);
        return;
    }
    const int i = int(m_blocks.indexOf(m_selected));
    const auto block = LayoutBlock(i < int(LayoutBlock::Window) ? i : i + 1);
    const QRect now = positions()[block];
    const QSize fitted = fittedBlockSize(m_ctx.db, lblRef->text().toLongLong(), block, now.size());
    cRect r(now.left(), now.top(), now.left() + fitted.width(), now.top() + fitted.height(),
            m_rect.twipsPerPixel());
    r.SetCtrlToRect(m_selected);
    placeHandles();
    statusBar()->showMessage(tr("%1: %2 × %3 pixels on the board")
                                 .arg(m_selected->text())
                                 .arg(2 * m_selected->width())
                                 .arg(2 * m_selected->height()),
                             5000);
}

void frmDesign::applyLayout(const Layout& layout)
{
    for (int i = 0; i < m_blocks.size(); ++i) {
        // The blocks are numbered as the layout's blocks, the window's own rectangle left out.
        const int b = i < int(LayoutBlock::Window) ? i : i + 1;
        const QRect& r = layout.rects[size_t(b)];
        cRect c(r.left(), r.top(), r.left() + r.width(), r.top() + r.height(), m_rect.twipsPerPixel());
        c.SetCtrlToRect(m_blocks.at(i));
    }
}

Layout frmDesign::positions() const
{
    Layout l;
    for (int i = 0; i < m_blocks.size(); ++i) {
        const int b = i < int(LayoutBlock::Window) ? i : i + 1;
        cRect c(m_rect.twipsPerPixel());
        c.SetRectToCtrl(m_blocks.at(i));
        l.rects[size_t(b)] = QRect(c.Left, c.Top, c.Width(), c.Height());
    }
    const double tpp = m_rect.twipsPerPixel();
    const auto tw = [tpp](int pixels) { return int(std::lround(pixels * tpp)); };
    // The board doubles the size into the hall screen's.
    const auto half = [](int pixels) { return int(std::lround(twips::fromPixels(pixels) / 2)); };
    const QSize size = m_target.isValid() ? QSize(half(m_target.width()), half(m_target.height()))
                                          : QSize(tw(surface->width()), tw(surface->height()));
    l[LayoutBlock::Window] = QRect(tw(pos().x()), tw(pos().y()), size.width(), size.height());
    return l;
}

void frmDesign::getData()
{
    const LayoutRow row = readLayoutRow(m_ctx.db, lblRef->text().toLongLong());
    if (!row.found)
        return;
    // The layout was made for the hall screen its own size gives.
    const auto& width = row.values[size_t(2 + 4 * int(LayoutBlock::Window) + 2)];
    const auto& height = row.values[size_t(2 + 4 * int(LayoutBlock::Window) + 3)];
    if (width && height && *width > 0 && *height > 0)
        setTarget(QSize(twips::toPixels(2.0 * *width), twips::toPixels(2.0 * *height)));
    m_defaultPlaces = false;
    Layout l = positions();
    row.applyTo(l);
    applyLayout(l);
    // The window goes back where it was saved, when that place is still on a screen.
    const double tpp = m_rect.twipsPerPixel();
    const QPoint at(int(std::lround(l[LayoutBlock::Window].left() / tpp)),
                    int(std::lround(l[LayoutBlock::Window].top() / tpp)));
    if (at != pos() && QGuiApplication::screenAt(at + QPoint(HandleSize, HandleSize)))
        move(at);
    if (m_selected)
        placeHandles();
}

void frmDesign::saveData()
{
    if (lblRef->text().isEmpty())
        return;
    try {
        saveLayoutRow(m_ctx.db, lblRef->text().toLongLong(), positions());
        statusBar()->showMessage(tr("Layout saved"), 5000);
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
}

void frmDesign::mnuDesign_Click()
{
    m_design = !m_design;
    mnuDesign->setChecked(m_design);
    for (QLabel* b : std::as_const(m_blocks))
        b->setCursor(m_design ? Qt::SizeAllCursor : Qt::ArrowCursor);
    if (!m_design)
        clearSelection();
    showHint();
}

void frmDesign::mnuSave_Click()
{
    mnuDesign_Click();
    saveData();
}

void frmDesign::mnuExit_Click()
{
    close();
}

void frmDesign::showHint()
{
    statusBar()->showMessage(m_design ? tr("Drag a block to move it, its handles to size it")
                                      : tr("Menu, Design: move and size the blocks"));
}

void frmDesign::clearSelection()
{
    if (m_dragState != 0) {
        dragFrame->hide();
        surface->releaseMouse();
        m_dragState = 0;
    }
    for (QWidget* h : picHandle)
        h->hide();
    m_selected = nullptr;
}

void frmDesign::placeHandles()
{
    if (!m_selected)
        return;
    const QRect g = m_selected->geometry();
    const int l = g.left(), t = g.top(), r = g.left() + g.width(), b = g.top() + g.height();
    const int cx = l + g.width() / 2, cy = t + g.height() / 2;
    const QPoint centres[8] = {{l, t}, {cx, t}, {r, t}, {r, cy}, {r, b}, {cx, b}, {l, b}, {l, cy}};
    for (int k = 0; k < 8; ++k) {
        QWidget* h = picHandle[size_t(k)];
        h->move(centres[k] - QPoint(HandleSize / 2, HandleSize / 2));
        h->show();
        h->raise();
    }
}

QPoint frmDesign::confined(const QPoint& global) const
{
    // While a drag runs the pointer counts as staying inside the surface.
    const QRect area(surface->mapToGlobal(QPoint(0, 0)), surface->size());
    return QPoint(qBound(area.left(), global.x(), area.right()),
                  qBound(area.top(), global.y(), area.bottom()));
}

void frmDesign::showFrame()
{
    QRect r(surface->mapFromGlobal(QPoint(m_rect.Left, m_rect.Top)), QSize(m_rect.Width(), m_rect.Height()));
    r = r.normalized();
    dragFrame->setGeometry(r.adjusted(-1, -1, 1, 1));
    dragFrame->show();
    dragFrame->raise();
    if (m_selected) {
        statusBar()->showMessage(tr("%1: %2 × %3 pixels on the board")
                                     .arg(m_selected->text())
                                     .arg(2 * r.width())
                                     .arg(2 * r.height()));
    }
}

void frmDesign::selectAndMove(QLabel* block, const QPoint& global)
{
    for (QWidget* h : picHandle)
        h->hide();
    m_selected = block;
    m_rect.SetRectToCtrl(block);
    m_rect.TwipsToScreen(block);
    m_offset = global - QPoint(m_rect.Left, m_rect.Top);
    m_dragState = 1;
    showFrame();
    surface->grabMouse(Qt::SizeAllCursor);
}

void frmDesign::startResize(int handle, const QPoint&)
{
    if (!m_selected)
        return;
    m_rect.SetRectToCtrl(m_selected);
    m_rect.TwipsToScreen(m_selected);
    for (QWidget* h : picHandle)
        h->hide();
    m_handle = handle;
    m_dragState = 2;
    showFrame();
    surface->grabMouse(HandleCursors[handle]);
}

void frmDesign::dragTo(const QPoint& global)
{
    const QPoint p = confined(global);
    if (m_dragState == 1) {
        const int w = m_rect.Width(), h = m_rect.Height();
        m_rect.Left = p.x() - m_offset.x();
        m_rect.Top = p.y() - m_offset.y();
        m_rect.setWidth(w);
        m_rect.setHeight(h);
    } else {
        const HandleEdges& e = Edges[m_handle];
        if (e.left)
            m_rect.Left = p.x();
        if (e.top)
            m_rect.Top = p.y();
        if (e.right)
            m_rect.Right = p.x();
        if (e.bottom)
            m_rect.Bottom = p.y();
    }
    showFrame();
}

void frmDesign::endDrag()
{
    dragFrame->hide();
    m_rect.ScreenToTwips(m_selected);
    m_rect.NormalizeRect();
    m_rect.SetCtrlToRect(m_selected);
    placeHandles();
    surface->releaseMouse();
    m_dragState = 0;
    showHint();
}

bool frmDesign::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick)
        return QMainWindow::eventFilter(watched, event);
    if (!m_design)
        return false; // outside design mode the blocks ignore the mouse

    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        if (!leftButton(event) || m_dragState != 0)
            return true;
        const QPoint global = globalPos(event);
        for (int k = 0; k < 8; ++k) {
            if (watched == picHandle[size_t(k)]) {
                startResize(k, global);
                return true;
            }
        }
        if (auto* block = qobject_cast<QLabel*>(watched); block && m_blocks.contains(block)) {
            selectAndMove(block, global);
            return true;
        }
        if (watched == surface) {
            const QPoint at = surface->mapFromGlobal(global);
            for (QLabel* b : std::as_const(m_blocks)) {
                const QRect g = b->geometry();
                const cRect r(g.left(), g.top(), g.left() + g.width(), g.top() + g.height(),
                              m_rect.twipsPerPixel());
                if (b->isVisible() && r.PtInRect(at.x(), at.y())) {
                    selectAndMove(b, global);
                    return true;
                }
            }
            clearSelection();
            showHint();
        }
        return true;
    }
    if (m_dragState == 0)
        return true;
    if (type == QEvent::MouseMove) {
        dragTo(globalPos(event));
        return true;
    }
    if (leftButton(event)) {
        dragTo(globalPos(event));
        endDrag();
    }
    return true;
}
