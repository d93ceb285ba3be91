#include "widgets/qt/RibbonGroup.h"

#include "widgets/qt/ElidedLabel.h"
#include "widgets/qt/RibbonSupport.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace lumotrix {

RibbonGroup::RibbonGroup(const QString& caption, QWidget* parent)
    : QFrame(parent), FCaption(new ElidedLabel(caption, this)), FColumns(new QHBoxLayout) {
    setObjectName(QStringLiteral("RibbonGroup"));
    setAccessibleName(caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 2, 1, 0);
    layout->setSpacing(1);
    FColumns->setContentsMargins(2, 0, 2, 0);
    FColumns->setSpacing(2);
    layout->addLayout(FColumns, 1);
    // A group wider than its items (the last one, stretched) keeps them at its left.
    layout->setAlignment(FColumns, Qt::AlignLeft);
    FCaption->setObjectName(QStringLiteral("RibbonGroupCaption"));
    FCaption->setAlignment(Qt::AlignCenter);
    FCaption->setFixedHeight(17);
    layout->addWidget(FCaption);
}

QString RibbonGroup::Caption() const {
    return FCaption->FullText();
}

void RibbonGroup::SetCaption(const QString& caption) {
    FCaption->SetFullText(caption);
    setAccessibleName(caption);
    RefitTabOf(this);
}

void RibbonGroup::AddItem(QWidget* item, bool large, bool beginGroup, bool newColumn) {
    FItems.append({item, large, beginGroup, newColumn});
    Place(FItems.constLast());
}

void RibbonGroup::Place(const TItem& entry) {
    QWidget* item = entry.Widget;
    const bool beginGroup = entry.BeginGroup;
    const bool newColumn = entry.NewColumn;
    // Reduced, a large button stacks with the small items.
    const bool large = entry.Large && FReduction == 0;
    if (beginGroup && FColumns->count() > 0) {
        auto* separator = new QFrame(this);
        separator->setObjectName(QStringLiteral("RibbonGroupSeparator"));
        separator->setFixedWidth(1);
        // Shown now rather than when the layout gets round to it, so the page measures it. A
        // separator of a group not yet shown is not hidden: showing it would only polish it.
        if (separator->isHidden())
            separator->show();
        FColumns->addWidget(separator);
        FCurrentColumn = nullptr;
    }
    if (large) {
        FColumns->addWidget(item);
        FCurrentColumn = nullptr;
        return;
    }
    if (!FCurrentColumn || newColumn || FCurrentColumnCount >= 3) {
        FCurrentColumn = new QVBoxLayout;
        FCurrentColumn->setSpacing(1);
        FCurrentColumn->setContentsMargins(0, 0, 0, 0);
        FCurrentColumn->addStretch();
        FColumns->addLayout(FCurrentColumn);
        FCurrentColumnCount = 0;
    }
    // Keep the trailing stretch last so that small items sit at the top of their column.
    FCurrentColumn->insertWidget(FCurrentColumn->count() - 1, item);
    ++FCurrentColumnCount;
}

void RibbonGroup::SetReduction(int reduction) {
    reduction = qBound(0, reduction, MaxReduction);
    if (reduction == FReduction)
        return;
    FReduction = reduction;
    Relayout();
}

void RibbonGroup::Relayout() {
    // Empty the columns (the items stay children of the group) and lay the items out afresh.
    while (QLayoutItem* entry = FColumns->takeAt(0)) {
        if (auto* column = qobject_cast<QVBoxLayout*>(entry->layout())) {
            while (QLayoutItem* inner = column->takeAt(0))
                delete inner;
        } else if (QWidget* widget = entry->widget();
                   widget && widget->objectName() == QLatin1String("RibbonGroupSeparator")) {
            delete widget;
        }
        delete entry;
    }
    FCurrentColumn = nullptr;
    FCurrentColumnCount = 0;
    for (const TItem& item : FItems) {
        if (auto* button = qobject_cast<RibbonButton*>(item.Widget)) {
            using TSize = RibbonButton::TSize;
            TSize size = item.Large ? TSize::Large : TSize::Small;
            if (FReduction == 1)
                size = TSize::Small;
            else if (FReduction == 2)
                size = TSize::IconOnly;
            button->SetSize(size);
        }
        Place(item);
    }
    // A nested layout's change does not reach the caches above it; the page measures the
    // group right after this.
    layout()->invalidate();
    updateGeometry();
}

RibbonButton* RibbonGroup::AddLargeButton(RibbonCommand* command, bool beginGroup) {
    auto* button = new RibbonButton(command, RibbonButton::TSize::Large, this);
    AddItem(button, true, beginGroup, false);
    return button;
}

RibbonButton* RibbonGroup::AddSmallButton(RibbonCommand* command, bool beginGroup, bool newColumn) {
    auto* button = new RibbonButton(command, RibbonButton::TSize::Small, this);
    AddItem(button, false, beginGroup, newColumn);
    return button;
}

RibbonEditItem* RibbonGroup::AddEditItem(const QString& caption, int editWidth, bool beginGroup,
                                         bool newColumn) {
    auto* item = new RibbonEditItem(caption, editWidth, this);
    AddItem(item, false, beginGroup, newColumn);
    return item;
}

QList<QWidget*> RibbonGroup::Items() const {
    QList<QWidget*> items;
    for (const TItem& item : FItems)
        items.append(item.Widget);
    return items;
}

QList<RibbonButton*> RibbonGroup::Buttons() const {
    return findChildren<RibbonButton*>();
}

} // namespace lumotrix
