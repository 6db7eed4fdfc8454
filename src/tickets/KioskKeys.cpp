#include "tickets/KioskKeys.h"

void KioskKeys::setChoices(const QList<Choice>& choices)
{
    const Choice* before = focusedChoice();
    const int row = before ? before->row : -1;
    const QString spoken = before ? before->spoken : QString();
    m_choices = choices;
    m_focused = m_choices.isEmpty() ? -1 : 0;
    for (int i = 0; i < m_choices.size(); ++i) {
        if (m_choices.at(i).row == row && m_choices.at(i).spoken == spoken)
            m_focused = i;
    }
}

const KioskKeys::Choice* KioskKeys::focusedChoice() const
{
    return m_focused >= 0 && m_focused < m_choices.size() ? &m_choices.at(m_focused) : nullptr;
}

int KioskKeys::focusedRow() const
{
    const Choice* choice = focusedChoice();
    return choice ? choice->row : -1;
}

void KioskKeys::sleep()
{
    m_awake = false;
    m_focused = m_choices.isEmpty() ? -1 : 0;
}

void KioskKeys::move(int step)
{
    if (m_choices.isEmpty())
        return;
    const int n = int(m_choices.size());
    m_focused = ((m_focused < 0 ? 0 : m_focused + step) % n + n) % n;
}

KioskKeys::Action KioskKeys::press(int key, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    enum class Kind { Other, Previous, Next, First, Last, Take, NowServing, Help } kind = Kind::Other;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_Backtab:
        kind = Kind::Previous;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        kind = Kind::Next;
        break;
    case Qt::Key_Tab:
        kind = modifiers.testFlag(Qt::ShiftModifier) ? Kind::Previous : Kind::Next;
        break;
    case Qt::Key_Home:
        kind = Kind::First;
        break;
    case Qt::Key_End:
        kind = Kind::Last;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        kind = Kind::Take;
        break;
    case Qt::Key_N:
    case Qt::Key_Asterisk:
        kind = Kind::NowServing;
        break;
    case Qt::Key_H:
    case Qt::Key_F1:
    case Qt::Key_Question:
        kind = Kind::Help;
        break;
    // A keypad with NumLock on sends digits: its arrows, its middle key and its 0.
    case Qt::Key_8:
    case Qt::Key_4:
        kind = keypad ? Kind::Previous : Kind::Other;
        break;
    case Qt::Key_2:
    case Qt::Key_6:
        kind = keypad ? Kind::Next : Kind::Other;
        break;
    case Qt::Key_5:
        kind = keypad ? Kind::Help : Kind::Other;
        break;
    case Qt::Key_0:
    case Qt::Key_Insert:
        kind = keypad ? Kind::NowServing : Kind::Other;
        break;
    default:
        break;
    }
    if (kind == Kind::Other)
        return Action::None;
    if (!m_awake) {
        m_awake = true;
        if (m_focused < 0 && !m_choices.isEmpty())
            m_focused = 0;
        return Action::Wake;
    }
    switch (kind) {
    case Kind::Previous:
        move(-1);
        return Action::Moved;
    case Kind::Next:
        move(1);
        return Action::Moved;
    case Kind::First:
        m_focused = m_choices.isEmpty() ? -1 : 0;
        return Action::Moved;
    case Kind::Last:
        m_focused = int(m_choices.size()) - 1;
        return Action::Moved;
    case Kind::Take:
        return m_focused < 0 ? Action::None : Action::Take;
    case Kind::NowServing:
        return Action::NowServing;
    case Kind::Help:
        return Action::Help;
    case Kind::Other:
        break;
    }
    return Action::None;
}
