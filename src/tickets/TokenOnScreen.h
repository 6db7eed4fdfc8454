#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The issued token, large on the kiosk's screen for a few seconds, for a visitor whose ticket could
// not be printed (no printer, or the printer failed). It stays its full time whatever is touched;
// the next token replaces the one shown.
class TokenOnScreen : public QWidget
{
    Q_OBJECT

public:
    static constexpr int shownMs = 6000;

    // Shows the token over the kiosk window that issued it, with the estimated wait when one is given.
    // printed: the ticket was printed, so the note about remembering the number is left out.
    static TokenOnScreen* showToken(const QString& label, const QString& serviceName, QWidget* kiosk,
                                    const QString& waitText = {}, bool printed = false);

    QLabel* lblToken;
    QLabel* lblService;
    QLabel* lblHint;
    QLabel* lblNote;
    QLabel* lblWait; // the estimated wait; hidden when there is none
    QTimer* closeTimer;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    explicit TokenOnScreen(QWidget* kiosk);
    void placeOver(QWidget* kiosk);
};
