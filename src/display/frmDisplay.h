#pragma once

#include "core/DisplayControl.h"
#include "display/BoardReceipts.h"
#include "display/BoardTheme.h"
#include "display/BoardWidgets.h"
#include "display/CallBoardEngine.h"
#include "display/CallWakeup.h"
#include "display/NewestCallMark.h"
#include "display/NewsTicker.h"
#include "display/media/BoardMedia.h"
#include "display/media/FrameSteps.h"

#include <QPixmap>
#include <QWidget>
#include <atomic>
#include <memory>

struct AppContext;
class Grid;
class QLabel;
class QScreen;
class QTimer;

// The display board of a hall screen: a frameless window with the title line, the table of the
// latest calls and the areas of the clock, logo, video and news band. The work of taking calls is
// done by CallBoardEngine; this window shows its table.
class frmDisplay : public QWidget, public DisplayControl
{
    Q_OBJECT

public:
    explicit frmDisplay(AppContext& ctx, QWidget* parent = nullptr);
    ~frmDisplay() override;

    BoardTitle* lblTtl;
    Grid* FG;
    BoardFrame* Shape1;
    QLabel* lblTime;    // the text clock
    QWidget* vidArea;   // where the video plays
    QWidget* imgBG;     // the news band
    QLabel* lblOffline; // in a corner while the database cannot be reached
    QTimer* Timer1;     // paces the reads of new calls (the wake-up's poll or safety read)
    QTimer* Timer3;     // text clock
    QTimer* Timer10;    // swaps the caption columns

    void Form_Load();
    void start();
    void getpos();
    void getData();
    void addFirst();
    void Timer1_Timer();
    void Timer3_Timer();
    void Timer10_Timer();

    // One screen frame: the title and the news band move by the steps that have passed.
    void frameTick(int steps);
    bool titleRuns() const { return m_titleRuns; }
    bool newsRuns() const { return m_newsRuns; }

    void startNews() override;
    void stopNews() override;

    const BoardTable& table() const { return m_table; }
    const BoardTheme& theme() const { return m_theme; }
    const BoardLayout& layout() const { return m_layout; }
    CallBoardEngine& engine() { return *m_engine; }
    // What records the calls this board shows (none for a board whose counter filter it cannot read).
    BoardReceipts* receipts() { return m_receipts.get(); }
    CallWakeup& wakeup() { return *m_wakeup; }
    const NewsTicker& ticker() const { return *m_ticker; }
    // The messages of the news band, in the order of the ticker's messages.
    const QVector<BoardNewsItem*>& lblScroll() const { return m_labels; }
    // The grid shows the table's texts (after a change of the table).
    void showTable();
    // The top row's colours for the newest call at the clock's time: marked, or lit while it flashes.
    void showNewestMark();
    const NewestCallMark& newestMark() const { return m_newest; }
    QTimer* newestMarkTimer() const { return m_markTimer; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void styleTable();
    // The rows share the table's height and the columns its width; fonts too large for a row are set
    // smaller.
    void fitTable();
    bool headerShown() const;
    void watchNewestCall();
    void recordReceipts(bool follows);
    void applyColumnFormats();
    QFont captionFont(const QFont& base, const QString& text, int rowTwips) const;
    void showNews();
    QRect newsBand() const;
    // The table's block, grown over the video's when that has nothing to play; the title's over the
    // logo's when the theme has no logo.
    void placeBlocks();
    // The screen the board is placed on; `at` gets the left-top corner the mode gives.
    QScreen* hallScreen(QPoint* at) const;
    void ownScreen();
    void askMainWindow(const char* actionName);
    bool reconnect();
    void showOffline(bool offline);

    // A connection attempt made away from the board's thread.
    struct ConnectionProbe
    {
        std::atomic<bool> done{false};
        std::atomic<bool> reachable{false};
    };

    AppContext& m_ctx;
    std::shared_ptr<ConnectionProbe> m_probe;
    BoardTable m_table;
    BoardTheme m_theme;
    BoardLayout m_layout;
    std::unique_ptr<BoardReceipts> m_receipts; // outlives the engine that tells it
    std::unique_ptr<CallBoardEngine> m_engine;
    CallWakeup* m_wakeup = nullptr;
    std::unique_ptr<NewsTicker> m_ticker;
    std::unique_ptr<BoardMedia> m_media;
    FrameSteps* m_frames = nullptr;
    bool m_titleRuns = false; // the title scrolls
    bool m_newsRuns = false;  // the news band runs
    QVector<BoardNewsItem*> m_labels;
    int m_labelGeneration = -1;
    QPixmap m_background;
    QPixmap m_detailPicture;
    QVector<int> m_columnPixels; // the width of each of the table's own columns, in pixels
    QFont m_valueFont;           // the caption font as it fits the rows
    NewestCallMark m_newest;
    QTimer* m_markTimer = nullptr;
};
