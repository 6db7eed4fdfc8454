#pragma once

#include <QPointer>
#include <QWidget>

// A window outlives every modal loop it started. A message box is a child of its window, and after
// exec() returns the code goes on in the window's own function; a window deleted during the loop
// takes both with it. So, while any loop of the program's dialogs runs, a widget closed for good
// (Qt::WA_DeleteOnClose, deleteLater()) is kept: the dialogs open over it are ended (answered as
// cancelled), and it is deleted once the outermost loop has returned, from the event loop that was
// running before it.
class ModalLoop
{
public:
    // The loop about to run over `parent` (none: a loop of no window).
    explicit ModalLoop(QWidget* parent);
    ~ModalLoop();
    ModalLoop(const ModalLoop&) = delete;
    ModalLoop& operator=(const ModalLoop&) = delete;

    // The window the loop runs over, or one it sits in, was closed for good while the loop ran.
    bool ownerClosed() const { return m_ownerClosed; }
    // How many loops of the program's dialogs are running, one inside the other.
    static int running();

private:
    friend class ModalLoopKeeper;
    QPointer<QWidget> m_parent;
    bool m_kept = false;
    bool m_ownerClosed = false;
};
