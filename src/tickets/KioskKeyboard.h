#pragma once

#include "tickets/KioskKeys.h"

#include <QObject>
#include <QWidget>
#include <functional>

struct AppContext;
class Grid;
class QKeyEvent;
class QTimer;

// The mark around the button that has the keyboard's focus: a thick yellow frame inside a black one,
// plain to see on a light button and on a dark screen alike. Touches pass through it.
class KioskFocusMark : public QWidget
{
public:
    explicit KioskFocusMark(QWidget* parent);
    static constexpr int thickness = 8;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A kiosk's buttons from the keyboard, spoken: the keys of KioskKeys move the mark over the grid's
// buttons and each move says the focused button; the take key hands its row to the kiosk, which issues
// and then tells sayIssued. After a quiet minute the kiosk sleeps again (the next visitor is told the
// keys anew). Nothing is said until a key is pressed, so a kiosk used by touch stays silent.
class KioskKeyboard : public QObject
{
    Q_OBJECT

public:
    static constexpr int quietMs = 60000;

    KioskKeyboard(AppContext& ctx, Grid* grid, std::function<void(int row)> take);

    KioskKeys keys;
    KioskFocusMark* mark;
    QTimer* quiet;

    // The grid's buttons now: each a row and its words.
    void setChoices(const QList<KioskKeys::Choice>& choices);
    // A key the kiosk window got; true when it was one of the kiosk's keys.
    bool keyPressed(QKeyEvent* event);
    // The ticket just issued from a key: its number and what to do next.
    void sayIssued(const QString& label, bool printed, const QString& wait);
    void sayNotIssued();
    // A new list came up from a key (a department's services, the departments again): its heading
    // and the focused button.
    void sayListed(const QString& heading);
    void sayServerLost();
    // The visitor has gone (the quiet timer's end): the next key wakes the kiosk again.
    void sleep();
    // Puts the mark over the focused button (after the grid moved or changed size).
    void placeMark();

private:
    void say(const QString& text);
    void sayFocused(const QString& before = {});
    void sayNowServing();

    AppContext& m_ctx;
    Grid* m_grid;
    std::function<void(int)> m_take;
};
