#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QTimer;

// Pieces the two kiosks share: touch-sized buttons, the page a kiosk shows while it cannot serve, and
// the retry that fills a kiosk's page again once the server answers.
namespace kioskSizes {

// Nine millimetres in pixels at that many dots per inch: the least size of anything a finger must hit.
int nineMillimetres(double dotsPerInch);

// The least height of a touch button on a screen of that height: 80 pixels on a 1080-line screen,
// and never under nine millimetres at the screen's physical resolution (when known, above 0).
int minimumButtonPixels(int screenHeight, double physicalDotsPerInch = 0);

// The height of each service button of the full-screen kiosk: at least the row height setting and
// the touch minimum, and as tall as the screen allows (up to an eighth of it) for `buttons` buttons
// under a half-height heading, with `headings` half-height department headings among them.
int fullScreenButtonPixels(int rowHeightPixels, int screenHeight, int buttons, int headings = 0,
                           double physicalDotsPerInch = 0);

} // namespace kioskSizes

class Settings;

// The kiosk's look for visitors who see little: one setting (Queue / Ticket / largeText = 1) makes the
// buttons' text larger and the screen white and yellow on black.
namespace kioskLook {
bool largeHighContrast(Settings& settings);
void setLargeHighContrast(Settings& settings, bool on);
// How much larger the buttons' text and height are in that mode.
constexpr double largeScale = 1.4;
} // namespace kioskLook

// "Out of service", over the whole kiosk, for a visitor; a smaller line says why, for the staff. It
// has no button: the kiosk's corner and exit code stay the only way out.
class OutOfServicePage : public QWidget
{
    Q_OBJECT

public:
    explicit OutOfServicePage(QWidget* kiosk);

    QLabel* lblTitle;
    QLabel* lblVisitor;
    QLabel* lblReason;

    void setReason(const QString& reason);
    // The visitor's texts again, in the language now in use.
    void retranslate();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

// Runs `attempt` every few seconds until it reports success: a kiosk page that could not be filled
// while the server was away fills itself again when it answers.
class KioskRetry : public QObject
{
    Q_OBJECT

public:
    static constexpr int intervalMs = 3000;

    explicit KioskRetry(QObject* parent);

    // Starts (or restarts) trying; a running retry is replaced.
    void start(std::function<bool()> attempt);
    void stop();
    bool active() const;
    // One attempt now, as the timer makes it; true when it succeeded (the retry then stops).
    bool retryNow();

    QTimer* timer;

private:
    std::function<bool()> m_attempt;
};
