#include "widgets/Bar.h"

namespace lumotrix {

TBarItemLink::TBarItemLink(TCollection* collection) : TCollectionItem(collection) {}

LUMOTRIX_REGISTER_CLASS(TBarItemLink, TCollectionItem) {
    Property("Item", &TBarItemLink::Item, &TBarItemLink::SetItem);
    Property("BeginGroup", &TBarItemLink::BeginGroup, &TBarItemLink::SetBeginGroup);
    Property("NewColumn", &TBarItemLink::NewColumn, &TBarItemLink::SetNewColumn);
    Property("ViewSize", &TBarItemLink::ViewSize, &TBarItemLink::SetViewSize);
}

TBarItemLinks::TBarItemLinks(TPersistent* owner)
    : TCollection(ClassInfoOf<TBarItemLink>(), owner) {}

TBarItemLink* TBarItemLinks::AddItem(TBarItem* item, bool beginGroup, bool newColumn,
                                     TBarItemViewSize size) {
    auto* link = static_cast<TBarItemLink*>(Add());
    link->SetItem(item);
    link->SetBeginGroup(beginGroup);
    link->SetNewColumn(newColumn);
    link->SetViewSize(size);
    return link;
}

TBarItemLink* TBarItemLinks::Link(int index) const {
    return static_cast<TBarItemLink*>(Items(index));
}

void TBarItemLinks::ItemRemoved(TBarItem* item) {
    for (int i = Count() - 1; i >= 0; --i)
        if (Link(i)->Item() == item)
            Delete(i);
}

TBar::TBar(TComponent* owner) : TComponent(owner), FLinks(std::make_unique<TBarItemLinks>(this)) {
    HearSiblings(); // its links name sibling items
    FLinks->SetPropName(QStringLiteral("ItemLinks"));
}

TBar::~TBar() = default;

void TBar::SetCaption(const QString& caption) {
    FCaption = caption;
    for (const QPointer<RibbonGroup>& group : FGroups)
        if (group)
            group->SetCaption(caption);
}

void TBar::FillGroup(RibbonGroup* group) {
    group->SetCaption(FCaption);
    FGroups.removeAll(nullptr);
    FGroups.append(group);
    bool pendingGroup = false;
    for (int i = 0; i < FLinks->Count(); ++i) {
        TBarItemLink* link = FLinks->Link(i);
        TBarItem* item = link->Item();
        if (!item)
            continue;
        if (dynamic_cast<TBarSeparator*>(item)) {
            pendingGroup = true;
            continue;
        }
        bool large =
            link->ViewSize() == vsLarge || (link->ViewSize() == vsAuto && item->DefaultLarge());
        item->CreateGroupWidget(group, large, link->BeginGroup() || pendingGroup,
                                link->NewColumn());
        pendingGroup = false;
    }
}

void TBar::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (auto* item = dynamic_cast<TBarItem*>(component))
        FLinks->ItemRemoved(item);
    if (component == FBarManager)
        FBarManager = nullptr;
}

LUMOTRIX_REGISTER_CLASS(TBar, TComponent) {
    Property("Caption", &TBar::Caption, &TBar::SetCaption);
    Property("ItemLinks", &TBar::ItemLinks);
    Property("BarManager", &TBar::BarManager, &TBar::SetBarManager);
}

TApplicationMenu::TApplicationMenu(TComponent* owner)
    : TComponent(owner), FLinks(std::make_unique<TBarItemLinks>(this)) {
    HearSiblings(); // its links name sibling items
    FLinks->SetPropName(QStringLiteral("ItemLinks"));
}

TApplicationMenu::~TApplicationMenu() = default;

void TApplicationMenu::SetRecentCaption(const QString& caption) {
    FRecentCaption = caption;
    if (FMenu)
        FMenu->SetRecentCaption(caption);
}
void TApplicationMenu::SetMaxRecentFiles(qint32 count) {
    FMaxRecent = qMax(0, count);
}

void TApplicationMenu::Fill(ApplicationMenu* menu) {
    FMenu = menu;
    menu->ClearCommands();
    menu->SetRecentCaption(FRecentCaption);
    menu->SetMaxRecentFiles(FMaxRecent);
    for (int i = 0; i < FLinks->Count(); ++i) {
        TBarItem* item = FLinks->Link(i)->Item();
        if (!item)
            continue;
        if (dynamic_cast<TBarSeparator*>(item)) {
            menu->AddSeparator();
            continue;
        }
        if (FLinks->Link(i)->BeginGroup() && i > 0)
            menu->AddSeparator();
        menu->AddCommand(item->Command());
    }
}

void TApplicationMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove)
        if (auto* item = dynamic_cast<TBarItem*>(component))
            FLinks->ItemRemoved(item);
}

LUMOTRIX_REGISTER_CLASS(TApplicationMenu, TComponent) {
    Property("ItemLinks", &TApplicationMenu::ItemLinks);
    Property("RecentCaption", &TApplicationMenu::RecentCaption,
             &TApplicationMenu::SetRecentCaption);
    Property("MaxRecentFiles", &TApplicationMenu::MaxRecentFiles,
             &TApplicationMenu::SetMaxRecentFiles);
}

} // namespace lumotrix
