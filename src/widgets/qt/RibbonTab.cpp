#include "widgets/qt/RibbonTab.h"

#include <QHBoxLayout>

namespace lumotrix {

RibbonTab::RibbonTab(QWidget* parent) : QWidget(parent), FLayout(new QHBoxLayout(this)) {
    FLayout->setContentsMargins(4, 3, 4, 3);
    FLayout->setSpacing(3);
    FLayout->addStretch();
}

void RibbonTab::FitGroups() {
    if (FFitting)
        return;
    FFitting = true;
    const QList<RibbonGroup*> groups = Groups();
    // Groups fit when their items do; their captions give way before any button shrinks.
    auto fits = [&] {
        FLayout->invalidate();
        return FLayout->minimumSize().width() <= width();
    };
    for (RibbonGroup* group : groups) {
        group->SetReduction(0);
        // A new caption or item changes the group's needs without telling the page's caches.
        group->layout()->invalidate();
        group->updateGeometry();
    }
    // Reduce one step at a time, the rightmost groups first, until the groups fit. A step that
    // would widen a group (a large button beside its own column of small ones) is left out.
    for (int level = 1; level <= RibbonGroup::MaxReduction && !fits(); ++level)
        for (qsizetype i = groups.size() - 1; i >= 0 && !fits(); --i) {
            RibbonGroup* group = groups[i];
            const int before = group->minimumSizeHint().width();
            group->SetReduction(level);
            if (level < RibbonGroup::MaxReduction && group->minimumSizeHint().width() > before)
                group->SetReduction(level - 1);
        }
    // The last group takes the room to spare instead of a gap at the end of the page.
    for (RibbonGroup* group : groups)
        FLayout->setStretchFactor(group, group == groups.constLast() ? 1 : 0);
    if (FLayout->count() > 0 && FLayout->itemAt(FLayout->count() - 1)->spacerItem())
        FLayout->itemAt(FLayout->count() - 1)
            ->spacerItem()
            ->changeSize(0, 0, groups.isEmpty() ? QSizePolicy::Expanding : QSizePolicy::Fixed);
    FLayout->invalidate();
    FFitting = false;
}

void RibbonTab::RequestFit() {
    // Captions change many at a time (a language switch): fit once, after the last.
    if (FFitRequested)
        return;
    FFitRequested = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FFitRequested = false;
            FitGroups();
        },
        Qt::QueuedConnection);
}

QSize RibbonTab::minimumSizeHint() const {
    // The page fits its groups to whatever width it gets, so it never holds the window wide.
    return QSize(0, QWidget::minimumSizeHint().height());
}

void RibbonTab::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitGroups();
}

void RibbonTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FitGroups();
}

RibbonGroup* RibbonTab::AddGroup(const QString& caption) {
    auto* group = new RibbonGroup(caption, this);
    AddGroup(group);
    return group;
}

void RibbonTab::AddGroup(RibbonGroup* group) {
    group->setParent(this);
    FLayout->insertWidget(FLayout->count() - 1, group);
}

void RibbonTab::ClearGroups() {
    for (RibbonGroup* group : Groups())
        delete group;
}

QList<RibbonGroup*> RibbonTab::Groups() const {
    QList<RibbonGroup*> groups;
    for (int i = 0; i < FLayout->count(); ++i)
        if (auto* group = qobject_cast<RibbonGroup*>(FLayout->itemAt(i)->widget()))
            groups.append(group);
    return groups;
}

} // namespace lumotrix
