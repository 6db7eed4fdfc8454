#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

struct AppContext;

// The screens and commands each subsystem offers, by name (the main window's menu item names and
// the form names). The main window enables a command only when its screen is here, so nothing
// pretends to work. Screens are single instances unless opened with openNew.
class ScreenRegistry
{
public:
    using Factory = std::function<QWidget*(AppContext&)>;
    using Action = std::function<void(AppContext&)>;

    void setContext(AppContext* ctx) { m_ctx = ctx; }

    void add(const QString& name, Factory factory) { m_factories.insert(name.toLower(), std::move(factory)); }
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
    }
    bool hasAction(const QString& name) const { return m_actions.contains(name.toLower()); }
    // Runs the action; false when there is none of that name.
    bool run(const QString& name);

private:
    QWidget* create(const QString& name);

    AppContext* m_ctx = nullptr;
    QHash<QString, Factory> m_factories;
    QHash<QString, Action> m_actions;
    QHash<QString, QPointer<QWidget>> m_single;
    QList<QPointer<QWidget>> m_all;
};
