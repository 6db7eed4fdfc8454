#include "ui/HotKeys.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>
#include <QPointer>
#include <vector>

namespace {

// Application-wide shortcuts: the keys work while any window of the program has the focus.
class ShortcutHotKeys : public HotKeys
{
public:
    bool grab(int key, std::function<void()> handler, QWidget* window) override
    {
        auto* shortcut = new QShortcut(QKeySequence(key), window);
        shortcut->setContext(Qt::ApplicationShortcut);
        QObject::connect(shortcut, &QShortcut::activated, window, [handler] { handler(); });
        m_shortcuts.emplace_back(shortcut);
        return true;
    }
    void releaseAll() override
    {
        for (auto& s : m_shortcuts)
            delete s.data();
        m_shortcuts.clear();
    }

private:
    std::vector<QPointer<QShortcut>> m_shortcuts;
};

} // namespace

std::unique_ptr<HotKeys> createSystemHotKeys() { return std::make_unique<ShortcutHotKeys>(); }
