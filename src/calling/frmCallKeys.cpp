#include "calling/frmCall.h"

#include "core/AppContext.h"
#include "core/Session.h"
#include "ui/Dialogs.h"
#include "ui/HotKeys.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPointer>
#include <QTimer>

// The counter screen's system-wide hot keys, and how it is left.

namespace {

QString hotKeyMessage(const QString& key)
{
    return QStringLiteral(
               "Can not register all or one of the hotkeys %1 ... Try other keys this key is already "
               "registered by some other running applications.")
        .arg(key);
}

} // namespace

void frmCall::regHkeys()
{
    struct Key
    {
        int key;
        const char* name;
        void (frmCall::*handler)();
    };
    const Key keys[] = {{Qt::Key_F4, "F4", &frmCall::Command2_Click},
                        {Qt::Key_F5, "F5", &frmCall::Command1_Click},
                        {Qt::Key_F6, "F6", &frmCall::Command3_Click},
                        {Qt::Key_F7, "F7", &frmCall::Command6_Click},
                        {Qt::Key_F8, "F8", &frmCall::cmdFinish_Click}};
    for (const Key& k : keys) {
        if (m_registered.contains(k.key))
            continue;
        QPointer<frmCall> self(this);
        auto handler = k.handler;
        const bool ok = m_ctx.hotKeys.grab(
            k.key,
            [self, handler] {
                if (self)
                    (self.data()->*handler)();
            },
            this);
        if (ok)
            m_registered.append(k.key);
        else
            m_ctx.dialogs.message(hotKeyMessage(QString::fromLatin1(k.name)), Dialogs::Buttons::Ok,
                                  Dialogs::Icon::Critical, QString(), this);
    }
}

void frmCall::releaseHotKeys()
{
    if (m_registered.isEmpty())
        return;
    m_ctx.hotKeys.releaseAll();
    m_registered.clear();
}

void frmCall::Command7_Click()
{
    if (m_ctx.session.isAdmin) {
        close();
        return;
    }
    if (!m_ctx.dialogs.askYesNo(tr("Do you want to Close"), Dialogs::Icon::Question, QString(), this))
        return;
    if (chkShort->isChecked())
        releaseHotKeys();
    hide();
    endProgram();
}

void frmCall::endProgram()
{
    if (m_ending)
        return;
    m_ending = true;
    if (m_ctx.endProgram)
        m_ctx.endProgram();
}

void frmCall::closeEvent(QCloseEvent* event)
{
    Timer1->stop();
    Timer2->stop();
    if (!m_ctx.session.isAdmin && !m_ending) {
        // A counter workstation has nothing but this screen: closing it ends the program.
        releaseHotKeys();
        event->accept();
        endProgram();
        return;
    }
    releaseHotKeys();
    event->accept();
}
