#include "ui/ModalLoop.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QList>
#include <QThread>

// Holds back the deferred deletion of widgets while a loop runs, and hands it on when the last one
// has returned. It watches the whole application only while a loop runs.
class ModalLoopKeeper : public QObject
{
public:
    static ModalLoopKeeper& instance()
    {
        static ModalLoopKeeper keeper;
        return keeper;
    }

    void begin(ModalLoop* loop)
    {
        if (m_loops.isEmpty())
            QCoreApplication::instance()->installEventFilter(this);
        m_loops.append(loop);
    }

    void end(ModalLoop* loop)
    {
        m_loops.removeOne(loop);
        if (!m_loops.isEmpty())
            return;
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeEventFilter(this);
        const QList<QPointer<QObject>> held = std::exchange(m_held, {});
        for (const QPointer<QObject>& object : held) {
            if (object)
                object->deleteLater();
        }
    }

    int running() const { return int(m_loops.size()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::DeferredDelete || !watched->isWidgetType() || m_loops.isEmpty())
            return false;
        if (!m_held.contains(watched))
            m_held.append(watched);
        // The loops over this widget, or over anything inside it, are told; their dialogs end.
        for (ModalLoop* loop : std::as_const(m_loops)) {
            for (QObject* up = loop->m_parent; up; up = up->parent()) {
                if (up == watched) {
                    loop->m_ownerClosed = true;
                    break;
                }
            }
        }
        const QList<QDialog*> dialogs = watched->findChildren<QDialog*>();
        for (QDialog* dialog : dialogs) {
            if (dialog->isVisible())
                dialog->reject();
        }
        return true;
    }

private:
    QList<ModalLoop*> m_loops;
    QList<QPointer<QObject>> m_held;
};

namespace {
// Windows live in the program's main thread only; a console program's messages from other threads
// hold nothing back.
bool inMainThread()
{
    return QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
}
} // namespace

ModalLoop::ModalLoop(QWidget* parent) : m_parent(parent), m_kept(inMainThread())
{
    if (m_kept)
        ModalLoopKeeper::instance().begin(this);
}

ModalLoop::~ModalLoop()
{
    if (m_kept)
        ModalLoopKeeper::instance().end(this);
}

int ModalLoop::running()
{
    return ModalLoopKeeper::instance().running();
}
