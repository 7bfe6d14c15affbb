#pragma once

#include <QQuickItem>
#include <QQuickWindow>
#include <QString>

// Items found by objectName along the visual tree, which also holds what a Repeater made (its
// items have no QObject parent, so findChild misses them). A visible item wins over a hidden
// one of the same name.
namespace VisualTree {

inline QQuickItem* find(QQuickItem* from, const QString& name, bool visibleOnly)
{
    for (QQuickItem* child : from->childItems()) {
        if (child->objectName() == name && (!visibleOnly || child->isVisible()))
            return child;
        if (QQuickItem* found = find(child, name, visibleOnly))
            return found;
    }
    return nullptr;
}

inline QQuickItem* item(QObject* root, const QString& name)
{
    auto* window = qobject_cast<QQuickWindow*>(root);
    QQuickItem* top = window ? window->contentItem() : qobject_cast<QQuickItem*>(root);
    if (!top)
        return nullptr;
    QQuickItem* visible = find(top, name, true);
    return visible ? visible : find(top, name, false);
}

} // namespace VisualTree
