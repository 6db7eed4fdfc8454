#pragma once

#include "core/WorkstationRights.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

struct AppContext;

// The screens and commands each subsystem offers, by name (the main window's menu item names and
// the form names). The main window enables a command only when its screen is here, so nothing
// pretends to work. Screens are single instances unless opened with openNew.
// Each screen and action names what the workstation's login must be allowed (the office's rights
// unless it says otherwise): on a workstation of another kind it is refused before it opens, in the
// workstation's one sentence, and nothing is changed.
class ScreenRegistry
{
public:
    using Factory = std::function<QWidget*(AppContext&)>;
    using Action = std::function<void(AppContext&)>;

    void setContext(AppContext* ctx) { m_ctx = ctx; }

    using Needs = std::optional<WorkstationRights::Act>; // nullopt: any workstation (its own settings)

    // A screen of the office.
    void add(const QString& name, Factory factory)
    {
        add(name, WorkstationRights::Act::Manage, std::move(factory));
    }
    // A screen a workstation of another kind uses too: the act it needs.
    void add(const QString& name, Needs needs, Factory factory)
    {
        m_factories.insert(name.toLower(), std::move(factory));
        m_needs.insert(name.toLower(), needs);
    }
    bool has(const QString& name) const { return m_factories.contains(name.toLower()); }
    // Shows the screen, bringing an open instance forward instead of opening a second one.
    QWidget* open(const QString& name);
    // Always a new instance.
    QWidget* openNew(const QString& name);
    // The open instance, if any.
    QWidget* existing(const QString& name) const;
    void closeAll();

    void addAction(const QString& name, Action action)
    {
        m_actions.insert(name.toLower(), std::move(action));
        m_needs.insert(name.toLower(), WorkstationRights::Act::Manage);
    }
    bool hasAction(const QString& name) const { return m_actions.contains(name.toLower()); }
    // Runs the action; false when there is none of that name or this workstation may not run it.
    bool run(const QString& name);

    // Whether this workstation's login may open the screen or run the action of that name.
    bool allowed(const QString& name) const;
    // The same, telling the workstation's one sentence when it may not.
    bool permits(const QString& name) const;

private:
    QWidget* create(const QString& name);

    AppContext* m_ctx = nullptr;
    QHash<QString, Factory> m_factories;
    QHash<QString, Action> m_actions;
    QHash<QString, Needs> m_needs;
    QHash<QString, QPointer<QWidget>> m_single;
    QList<QPointer<QWidget>> m_all;
};
