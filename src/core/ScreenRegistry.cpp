#include "core/ScreenRegistry.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "ui/Dialogs.h"
#include "ui/WindowPlacement.h"

QWidget* ScreenRegistry::create(const QString& name)
{
    auto it = m_factories.constFind(name.toLower());
    if (it == m_factories.constEnd() || !m_ctx || !permits(name))
        return nullptr;
    QWidget* w = (*it)(*m_ctx);
    if (!w)
        return nullptr;
    w->setAttribute(Qt::WA_DeleteOnClose);
    m_all.append(w);
    return w;
}

QWidget* ScreenRegistry::open(const QString& name)
{
    QPointer<QWidget> current = m_single.value(name.toLower());
    if (!current) {
        current = create(name);
        if (!current)
            return nullptr;
        m_single.insert(name.toLower(), current);
    }
    if (current->isMinimized())
        current->showNormal();
    showOnScreen(current);
    current->raise();
    current->activateWindow();
    return current;
}

QWidget* ScreenRegistry::openNew(const QString& name)
{
    QWidget* w = create(name);
    if (w) {
        showOnScreen(w);
        w->raise();
        w->activateWindow();
    }
    return w;
}

QWidget* ScreenRegistry::existing(const QString& name) const
{
    return m_single.value(name.toLower());
}

void ScreenRegistry::closeAll()
{
    const auto all = m_all;
    for (const QPointer<QWidget>& w : all) {
        if (w)
            w->close();
    }
    m_all.clear();
}

bool ScreenRegistry::run(const QString& name)
{
    auto it = m_actions.constFind(name.toLower());
    if (it == m_actions.constEnd() || !m_ctx || !permits(name))
        return false;
    (*it)(*m_ctx);
    return true;
}

bool ScreenRegistry::allowed(const QString& name) const
{
    const Needs needs = m_needs.value(name.toLower(), WorkstationRights::Act::Manage);
    return !m_ctx || !needs || m_ctx->db.rights().allows(*needs);
}

bool ScreenRegistry::permits(const QString& name) const
{
    if (allowed(name))
        return true;
    m_ctx->dialogs.message(m_ctx->db.rights().refusal(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
    return false;
}
