#pragma once

#include <QString>

class Dialogs;
class QWidget;

// How a long-lived screen tells the operator that an action failed on the store: one message per
// action, never a second one on top while the first is still up (hot keys and timers go on running
// under it), and none for work a timer started, whose next run or the operator's next press tells.
class FailureMessages
{
public:
    FailureMessages(Dialogs& dialogs, QWidget* owner) : m_dialogs(dialogs), m_owner(owner) {}

    void report(const QString& description);

    // While one is alive, failures are not shown.
    class Quiet
    {
    public:
        explicit Quiet(FailureMessages& messages) : m_messages(messages) { ++m_messages.m_quiet; }
        ~Quiet() { --m_messages.m_quiet; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        FailureMessages& m_messages;
    };

private:
    Dialogs& m_dialogs;
    QWidget* m_owner;
    bool m_showing = false;
    int m_quiet = 0;
};
