#pragma once

#include <QAccessible>
#include <QAccessibleInterface>
#include <QList>

#include <functional>

namespace lumotrix::test {

using TAccessibleMatch = std::function<bool(QAccessibleInterface*)>;

// The accessibles below `root`, itself included, that `matches`, depth first: what a screen
// reader or a UI-automation tool finds in a window.
inline QList<QAccessibleInterface*> AccessiblesMatching(QAccessibleInterface* root,
                                                        const TAccessibleMatch& matches) {
    QList<QAccessibleInterface*> found;
    if (!root)
        return found;
    if (matches(root))
        found.append(root);
    for (int i = 0; i < root->childCount(); ++i)
        found.append(AccessiblesMatching(root->child(i), matches));
    return found;
}

// The first of them; nullptr when there is none.
inline QAccessibleInterface* FindAccessible(QAccessibleInterface* root,
                                            const TAccessibleMatch& matches) {
    const QList<QAccessibleInterface*> found = AccessiblesMatching(root, matches);
    return found.isEmpty() ? nullptr : found.first();
}

// An accessible by its name.
inline TAccessibleMatch AccessibleNamed(const QString& name) {
    return [name](QAccessibleInterface* a) { return a->text(QAccessible::Name) == name; };
}

} // namespace lumotrix::test
