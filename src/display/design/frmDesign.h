#pragma once

#include "display/design/BoardLayoutRow.h"
#include "display/design/cRect.h"

#include <QLabel>
#include <QMainWindow>
#include <QVector>
#include <array>

struct AppContext;
class QAction;
class QComboBox;

// The frame that shows where a dragged block is going, drawn above the blocks.
class DragFrame : public QWidget
{
    Q_OBJECT

public:
    explicit DragFrame(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The layout designer of one theme: the display board at half the screen's size, each block a
// captioned rectangle that can be moved and sized with the mouse in design mode, stored in the
// theme's tblpos row on "Save". The theme's key is in the hidden label lblRef.
class frmDesign : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmDesign(AppContext& ctx, QWidget* owner = nullptr);

    // Opens the designer of a saved theme, owned by the editor `owner`, upright when `vertical`; a
    // theme without a key gets a message instead. Returns the window (or nullptr).
    static frmDesign* openFor(AppContext& ctx, QWidget* owner, const QString& themeKey, bool vertical);

    QLabel* lblRef;
    QWidget* surface; // the window's inner area, on which the blocks lie
    QLabel* lblLogo;
    QLabel* lblTime;
    QLabel* lblTable;
    QLabel* lblVideo;
    QLabel* lblTtl;
    QLabel* lblNews;
    std::array<QWidget*, 8> picHandle;
    DragFrame* dragFrame;
    QComboBox* cmbTarget; // the hall screen's size in pixels
    QAction* mnuDesign;
    QAction* mnuFit;
    QAction* mnuSave;
    QAction* mnuExit;

    // The hall screen lying or turned upright.
    void hor();
    void ver();
    // The hall screen the layout is made for, in pixels (1920 x 1080 unless the theme's layout was
    // made for another). The surface shows it at half size, or smaller when this screen is too small
    // for that; the blocks keep their places on it.
    void setTarget(const QSize& pixels);
    QSize target() const { return m_target; }
    // Sizes the selected block to fit what it shows.
    void mnuFit_Click();
    void getData();
    void saveData();
    void mnuDesign_Click();
    void mnuSave_Click();
    void mnuExit_Click();

    bool designMode() const { return m_design; }
    QLabel* selectedBlock() const { return m_selected; }
    int dragState() const { return m_dragState; }
    // The blocks in the window's control order, as LayoutBlock numbers them (without Window).
    const QVector<QLabel*>& blocks() const { return m_blocks; }
    // What "Save" writes: every block's rectangle and the window's own, in twips.
    Layout positions() const;
    // The screen the window is shown on, in pixels (the owner's screen unless set): the surface fits
    // on it.
    void setScreenSize(const QSize& pixels) { m_screen = pixels; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* makeBlock(const char* name, const QString& caption, const QColor& color);
    void showTarget();
    void applyLayout(const Layout& layout);
    void selectAndMove(QLabel* block, const QPoint& global);
    void startResize(int handle, const QPoint& global);
    void dragTo(const QPoint& global);
    void endDrag();
    void clearSelection();
    void placeHandles();
    void showFrame();
    QPoint confined(const QPoint& global) const;
    void showHint();

    AppContext& m_ctx;
    QVector<QLabel*> m_blocks;
    QSize m_screen;
    QSize m_target;
    bool m_defaultPlaces = true; // no layout row was loaded: the blocks follow the surface's size
    bool m_design = false;
    QLabel* m_selected = nullptr;
    int m_dragState = 0; // 0 idle, 1 moving, 2 sizing
    int m_handle = 0;
    QPoint m_offset; // cursor offset inside the block when a move starts, in screen pixels
    cRect m_rect;
};
