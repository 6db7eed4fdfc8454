#include "testsupport/AccessibilityWalk.h"

#include <QAccessible>
#include <QWidget>

namespace accessibilitywalk {

namespace {

QString describe(QWidget* w)
{
    const QString name =
        w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    return name;
}

void walk(QAccessibleInterface* node, QStringList& unnamed, int depth)
{
    if (!node || depth > 40)
        return;
    const QAccessible::State state = node->state();
    if (state.invisible)
        return;
    if (state.focusable && node->text(QAccessible::Name).trimmed().isEmpty()) {
        QWidget* w = qobject_cast<QWidget*>(node->object());
        // Items inside a view (the cells of a list) take their names from their text; the view itself
        // is what the walk asks about.
        if (w)
            unnamed << QStringLiteral("%1 (role %2)").arg(describe(w)).arg(int(node->role()));
    }
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        // The cells of item views are named by their text; a view's own name is checked above.
        if (child && child->object() && !qobject_cast<QWidget*>(child->object()))
            continue;
        walk(child, unnamed, depth + 1);
    }
}

bool reachedByTab(QWidget* w, QWidget* window)
{
    return w->isVisibleTo(window) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
           w->window() == window && !w->focusProxy();
}

} // namespace

QStringList unnamedControls(QWidget* window)
{
    QStringList unnamed;
    walk(QAccessible::queryAccessibleInterface(window), unnamed, 0);
    return unnamed;
}

QList<QWidget*> tabOrder(QWidget* window)
{
    QList<QWidget*> order;
    QWidget* w = window;
    for (int guard = 0; guard < 1000; ++guard) {
        w = w->nextInFocusChain();
        if (!w || w == window)
            break;
        if (reachedByTab(w, window) && !order.contains(w))
            order.append(w);
    }
    return order;
}

QStringList outOfVisualOrder(QWidget* window)
{
    QStringList wrong;
    const QList<QWidget*> order = tabOrder(window);
    for (int i = 1; i < order.size(); ++i) {
        const QRect a(order[i - 1]->mapTo(window, QPoint(0, 0)), order[i - 1]->size());
        const QRect b(order[i]->mapTo(window, QPoint(0, 0)), order[i]->size());
        const bool sameLine = a.top() < b.bottom() && b.top() < a.bottom();
        // A line is read from its start: the left in a left-to-right window, the right otherwise.
        const bool rightToLeft = window->layoutDirection() == Qt::RightToLeft;
        const bool backwards =
            sameLine ? (rightToLeft ? b.right() > a.right() : b.left() < a.left()) : b.top() < a.top();
        if (backwards)
            wrong << describe(order[i - 1]) + QStringLiteral(" before ") + describe(order[i]);
    }
    return wrong;
}

} // namespace accessibilitywalk
