#pragma once

#include <QList>
#include <QString>
#include <Qt>

// The kiosk from a keyboard or a keypad: which button has the focus, and what a key asks for.
//
// Arrows, Tab and the keypad's 8, 2, 4, 6 move the focus from button to button (round from the last to
// the first); Enter, Space and the keypad's Enter take the focused button; N, "*" and the keypad's 0
// ask for the numbers being served; H, F1 and the keypad's 5 repeat the help and the focused button.
// The first key after a quiet while only wakes the kiosk: it is told what the keys do before any key
// can issue a ticket.
class KioskKeys
{
public:
    struct Choice
    {
        int row = 0;    // the grid row of the button
        QString spoken; // what the button says when it gets the focus
    };
    enum class Action { None, Wake, Moved, Take, NowServing, Help };

    // A new list of buttons: the focus stays on the same button when it is still there, else goes to
    // the first one.
    void setChoices(const QList<Choice>& choices);
    const QList<Choice>& choices() const { return m_choices; }

    Action press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // The focused button's index in choices(); -1 when there is none.
    int focused() const { return m_focused; }
    const Choice* focusedChoice() const;
    // The focused button's grid row; -1 when there is none.
    int focusedRow() const;

    bool awake() const { return m_awake; }
    // The visitor has gone: the next key wakes the kiosk again, the focus on the first button.
    void sleep();

private:
    void move(int step);

    QList<Choice> m_choices;
    int m_focused = -1;
    bool m_awake = false;
};
