#include "widgets/BarManager.h"

#include "runtime/ScopeExit.h"
#include "widgets/Application.h"
#include "widgets/ControlMessages.h"
#include "widgets/qt/Icons.h"
#include "widgets/qt/StatusBarWidget.h"

#include <QLineEdit>
#include <QTabBar>
#include <utility>

namespace lumotrix {

QKeySequence ShortCutToKeySequence(qint32 shortCut) {
    int vk = shortCut & 0xFF;
    int key = 0;
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        key = vk; // Qt's keys for digits and letters are their ASCII codes
    else if (vk >= 0x70 && vk <= 0x87)
        key = Qt::Key_F1 + (vk - 0x70);
    else {
        switch (vk) {
        case 0x08:
            key = Qt::Key_Backspace;
            break;
        case 0x09:
            key = Qt::Key_Tab;
            break;
        case 0x0D:
            key = Qt::Key_Return;
            break;
        case 0x1B:
            key = Qt::Key_Escape;
            break;
        case 0x20:
            key = Qt::Key_Space;
            break;
        case 0x21:
            key = Qt::Key_PageUp;
            break;
        case 0x22:
            key = Qt::Key_PageDown;
            break;
        case 0x23:
            key = Qt::Key_End;
            break;
        case 0x24:
            key = Qt::Key_Home;
            break;
        case 0x25:
            key = Qt::Key_Left;
            break;
        case 0x26:
            key = Qt::Key_Up;
            break;
        case 0x27:
            key = Qt::Key_Right;
            break;
        case 0x28:
            key = Qt::Key_Down;
            break;
        case 0x2D:
            key = Qt::Key_Insert;
            break;
        case 0x2E:
            key = Qt::Key_Delete;
            break;
        default:
            return {};
        }
    }
    int modifiers = 0;
    if (shortCut & 0x2000)
        modifiers |= Qt::SHIFT;
    if (shortCut & 0x4000)
        modifiers |= Qt::CTRL;
    if (shortCut & 0x8000)
        modifiers |= Qt::ALT;
    return QKeySequence(key | modifiers);
}

// --- TScreenTipProps / TBarManager -----------------------------------------------------------

void TScreenTipProps::SetHeader(const QString& text) {
    FTip.Header = text;
    if (OnChange)
        OnChange();
}
void TScreenTipProps::SetText(const QString& text) {
    FTip.Text = text;
    if (OnChange)
        OnChange();
}
void TScreenTipProps::SetFooter(const QString& text) {
    FTip.Footer = text;
    if (OnChange)
        OnChange();
}

LUMOTRIX_REGISTER_CLASS(TScreenTipProps, TPersistent) {
    Property("Header", &TScreenTipProps::Header, &TScreenTipProps::SetHeader);
    Property("Text", &TScreenTipProps::Text, &TScreenTipProps::SetText);
    Property("Footer", &TScreenTipProps::Footer, &TScreenTipProps::SetFooter);
}

TBarManager::TBarManager(TComponent* owner)
    : TComponent(owner), FImageNames(std::make_unique<TStringList>()) {}
TBarManager::~TBarManager() = default;

QString TBarManager::ImageName(int index) const {
    return index >= 0 && index < FImageNames->Count() ? FImageNames->Get(index) : QString();
}

LUMOTRIX_REGISTER_CLASS(TBarManager, TComponent) {
    Property("ImageNames", &TBarManager::ImageNames);
}

// --- TBarItem --------------------------------------------------------------------------------

TBarItem::TBarItem(TComponent* owner)
    : TComponent(owner), FCommand(new RibbonCommand(QString())),
      FScreenTip(std::make_unique<TScreenTipProps>()) {
    FScreenTip->OnChange = [this] { FCommand->SetScreenTip(FScreenTip->Tip()); };
    QObject::connect(FCommand, &QAction::triggered, FCommand, [this] {
        if (OnClick)
            Guarded([&] { OnClick(this); });
    });
}

TBarItem::~TBarItem() {
    delete FCommand;
}

void TBarItem::SetCaption(const QString& caption) {
    FCommand->SetCaption(caption);
}

void TBarItem::SetShortCut(qint32 shortCut) {
    FShortCut = shortCut;
    FCommand->SetShortCut(ShortCutToKeySequence(shortCut));
}

void TBarItem::SetIconName(const QString& name) {
    FIconName = name;
    UpdateIcon();
}

void TBarItem::SetImageIndex(qint32 index) {
    FImageIndex = index;
    UpdateIcon();
}

void TBarItem::SetBarManager(TBarManager* manager) {
    if (FBarManager)
        FBarManager->RemoveFreeNotification(this);
    FBarManager = manager;
    if (manager)
        manager->FreeNotification(this);
    UpdateIcon();
}

void TBarItem::UpdateIcon() {
    // The picture by name wins; else the manager's picture for the index.
    QString name = FIconName;
    if (name.isEmpty() && FBarManager)
        name = FBarManager->ImageName(FImageIndex);
    FCommand->setIcon(name.isEmpty() ? QIcon() : CommandIcon(name));
}

void TBarItem::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FBarManager)
        FBarManager = nullptr;
}

QWidget* TBarItem::CreateGroupWidget(RibbonGroup* group, bool large, bool beginGroup,
                                     bool newColumn) {
    if (large)
        return group->AddLargeButton(FCommand, beginGroup);
    return group->AddSmallButton(FCommand, beginGroup, newColumn);
}

LUMOTRIX_REGISTER_CLASS(TBarItem, TComponent) {
    Property("Caption", &TBarItem::Caption, &TBarItem::SetCaption);
    Property("Hint", &TBarItem::Hint, &TBarItem::SetHint);
    Property("Description", &TBarItem::Description, &TBarItem::SetDescription);
    Property("ShortCut", &TBarItem::ShortCut, &TBarItem::SetShortCut);
    Property("Enabled", &TBarItem::Enabled, &TBarItem::SetEnabled);
    Property("Visible", &TBarItem::Visible, &TBarItem::SetVisible);
    Property("IconName", &TBarItem::IconName, &TBarItem::SetIconName);
    Property("ImageIndex", &TBarItem::ImageIndex, &TBarItem::SetImageIndex);
    Property("BarManager", &TBarItem::BarManager, &TBarItem::SetBarManager);
    Property("ScreenTip", &TBarItem::ScreenTip);
    Property("OnClick", &TBarItem::OnClick);
}

// --- buttons, edit, static -------------------------------------------------------------------

TBarButton::TBarButton(TComponent* owner) : TBarItem(owner) {
    QObject::connect(Command(), &QAction::toggled, Command(), [this](bool down) { Toggled(down); });
}

void TBarButton::Toggled(bool down) {
    if (FGroupIndex == 0 || FReleasing)
        return;
    if (!down) {
        // A click on the pressed button of a group leaves it pressed.
        FReleasing = true;
        const TScopeExit released([this] { FReleasing = false; });
        Command()->setChecked(true);
        return;
    }
    if (!Owner())
        return;
    for (int i = 0; i < Owner()->ComponentCount(); ++i) {
        auto* other = dynamic_cast<TBarButton*>(Owner()->Components(i));
        if (other && other != this && other->FGroupIndex == FGroupIndex && other->Down()) {
            other->FReleasing = true;
            const TScopeExit released([other] { other->FReleasing = false; });
            other->Command()->setChecked(false);
        }
    }
}

void TBarButton::SetButtonStyle(TBarButtonStyle style) {
    FStyle = style;
    Command()->SetCheckStyle(style == bsChecked);
}

void TBarButton::SetDown(bool down) {
    // Only a check-style button stays down; code may release a grouped one.
    if (FStyle != bsChecked)
        return;
    FReleasing = !down;
    Command()->SetDown(down);
    FReleasing = false;
}

void TBarButton::SetGroupIndex(qint32 index) {
    FGroupIndex = index;
    if (index != 0)
        Command()->SetCheckStyle(true);
}

LUMOTRIX_REGISTER_CLASS(TBarButton, TBarItem) {
    Property("ButtonStyle", &TBarButton::ButtonStyle, &TBarButton::SetButtonStyle);
    Property("GroupIndex", &TBarButton::GroupIndex, &TBarButton::SetGroupIndex);
    Property("Down", &TBarButton::Down, &TBarButton::SetDown);
}

LUMOTRIX_REGISTER_CLASS(TBarLargeButton, TBarButton) {}

TBarEdit::TBarEdit(TComponent* owner) : TBarItem(owner) {}

void TBarEdit::SetText(const QString& text) {
    if (FText == text)
        return;
    FText = text;
    for (const QPointer<RibbonEditItem>& editor : FEditors)
        if (editor && editor->Text() != text)
            editor->SetText(text);
    if (OnChange)
        Guarded([&] { OnChange(this); });
}

void TBarEdit::SetWidth(qint32 width) {
    FWidth = width;
    for (const QPointer<RibbonEditItem>& editor : FEditors)
        if (editor)
            editor->SetEditWidth(width);
}

void TBarEdit::SetCaption(const QString& caption) {
    TBarItem::SetCaption(caption);
    for (const QPointer<RibbonEditItem>& editor : FEditors)
        if (editor)
            editor->SetCaption(caption);
}

QWidget* TBarEdit::CreateGroupWidget(RibbonGroup* group, bool, bool beginGroup, bool newColumn) {
    RibbonEditItem* editor = group->AddEditItem(Caption(), FWidth, beginGroup, newColumn);
    editor->SetText(FText);
    // Hint, screen tip and enabled state follow the command, also when a translation sets them.
    const auto followCommand = [this, editor] {
        editor->SetHint(Hint());
        if (!ScreenTip()->Tip().IsEmpty())
            editor->SetScreenTip(ScreenTip()->Tip());
        editor->setEnabled(Enabled());
    };
    followCommand();
    QObject::connect(Command(), &QAction::changed, editor, followCommand);
    editor->OnChange = [this, editor] { SetText(editor->Text()); };
    FEditors.append(editor);
    return editor;
}

QList<RibbonEditItem*> TBarEdit::Editors() const {
    QList<RibbonEditItem*> editors;
    for (const QPointer<RibbonEditItem>& editor : FEditors)
        if (editor)
            editors.append(editor);
    return editors;
}

LUMOTRIX_REGISTER_CLASS(TBarEdit, TBarItem) {
    Property("Text", &TBarEdit::Text, &TBarEdit::SetText);
    Property("Width", &TBarEdit::Width, &TBarEdit::SetWidth);
    Property("OnChange", &TBarEdit::OnChange);
}

void TBarStatic::SetCaption(const QString& caption) {
    TBarItem::SetCaption(caption);
    Sync();
}

void TBarStatic::SetImageIndex(qint32 index) {
    TBarItem::SetImageIndex(index);
    Sync();
}

void TBarStatic::Sync() {
    QString image = IconName();
    if (image.isEmpty() && BarManager())
        image = BarManager()->ImageName(ImageIndex());
    for (const QPointer<StatusItem>& widget : FWidgets)
        if (widget) {
            widget->SetCaption(Caption());
            widget->SetImage(ImageIndex() < 0 && IconName().isEmpty() ? QString() : image);
        }
}

StatusItem* TBarStatic::CreateStatusWidget() {
    auto* widget = new StatusItem;
    FWidgets.append(widget);
    Sync();
    return widget;
}

QWidget* TBarStatic::CreateGroupWidget(RibbonGroup* group, bool, bool beginGroup, bool newColumn) {
    StatusItem* widget = CreateStatusWidget();
    group->AddItem(widget, false, beginGroup, newColumn);
    return widget;
}

LUMOTRIX_REGISTER_CLASS(TBarStatic, TBarItem) {}
LUMOTRIX_REGISTER_CLASS(TBarSeparator, TBarItem) {}

// --- links and bars --------------------------------------------------------------------------

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

// --- ribbon ----------------------------------------------------------------------------------

void TRibbonApplicationButton::SetMenu(TApplicationMenu* menu) {
    FMenu = menu;
}
bool TRibbonApplicationButton::Visible() const {
    return FRibbon->Bar()->AppButtonVisible();
}
void TRibbonApplicationButton::SetVisible(bool visible) {
    FRibbon->Bar()->SetAppButtonVisible(visible);
}

LUMOTRIX_REGISTER_CLASS(TRibbonApplicationButton, TPersistent) {
    Property("Menu", &TRibbonApplicationButton::Menu, &TRibbonApplicationButton::SetMenu);
    Property("Visible", &TRibbonApplicationButton::Visible, &TRibbonApplicationButton::SetVisible);
    Property("ScreenTip", &TRibbonApplicationButton::ScreenTip);
}

void TRibbonQuickAccessToolbar::SetToolbar(TBar* bar) {
    FToolbar = bar;
}
bool TRibbonQuickAccessToolbar::Visible() const {
    return FRibbon->Bar()->QatVisible();
}
void TRibbonQuickAccessToolbar::SetVisible(bool visible) {
    FRibbon->Bar()->SetQatVisible(visible);
}
TRibbonQATPosition TRibbonQuickAccessToolbar::Position() const {
    return FRibbon->Bar()->QatPosition() == RibbonBar::TQatPosition::Above ? qtpAboveRibbon
                                                                           : qtpBelowRibbon;
}
void TRibbonQuickAccessToolbar::SetPosition(TRibbonQATPosition position) {
    FRibbon->Bar()->SetQatPosition(position == qtpAboveRibbon ? RibbonBar::TQatPosition::Above
                                                              : RibbonBar::TQatPosition::Below);
}

LUMOTRIX_REGISTER_CLASS(TRibbonQuickAccessToolbar, TPersistent) {
    Property("Toolbar", &TRibbonQuickAccessToolbar::Toolbar,
             &TRibbonQuickAccessToolbar::SetToolbar);
    Property("Visible", &TRibbonQuickAccessToolbar::Visible,
             &TRibbonQuickAccessToolbar::SetVisible);
    Property("Position", &TRibbonQuickAccessToolbar::Position,
             &TRibbonQuickAccessToolbar::SetPosition);
}

TRibbonTabGroup::TRibbonTabGroup(TCollection* collection) : TCollectionItem(collection) {}

LUMOTRIX_REGISTER_CLASS(TRibbonTabGroup, TCollectionItem) {
    Property("ToolBar", &TRibbonTabGroup::ToolBar, &TRibbonTabGroup::SetToolBar);
}

TRibbonTabGroups::TRibbonTabGroups(TPersistent* owner)
    : TCollection(ClassInfoOf<TRibbonTabGroup>(), owner) {}

TRibbonTabGroup* TRibbonTabGroups::Add(TBar* bar) {
    auto* group = static_cast<TRibbonTabGroup*>(TCollection::Add());
    group->SetToolBar(bar);
    return group;
}

TRibbonTabGroup* TRibbonTabGroups::Group(int index) const {
    return static_cast<TRibbonTabGroup*>(Items(index));
}

TRibbonTab::TRibbonTab(TComponent* owner)
    : TComponent(owner), FGroups(std::make_unique<TRibbonTabGroups>(this)) {
    FGroups->SetPropName(QStringLiteral("Groups"));
}

TRibbonTab::~TRibbonTab() {
    SetRibbon(nullptr);
}

void TRibbonTab::SetCaption(const QString& caption) {
    FCaption = caption;
    if (FRibbon && FPage)
        FRibbon->Bar()->SetTabCaption(FRibbon->Bar()->TabIndex(FPage), caption);
}

void TRibbonTab::SetRibbon(TRibbon* ribbon) {
    if (ribbon == FRibbon)
        return;
    if (FRibbon) {
        FRibbon->FTabs.removeAll(this);
        if (FPage) {
            int index = FRibbon->Bar()->TabIndex(FPage);
            if (index >= 0)
                FRibbon->Bar()->TabBar()->removeTab(index);
            delete FPage.data();
        }
    }
    FRibbon = ribbon;
    if (ribbon) {
        ribbon->FTabs.append(this);
        // A ribbon being read makes its pages once it has been read, with their captions.
        if (!ribbon->IsLoading())
            CreatePage();
    }
}

void TRibbonTab::CreatePage() {
    FPage = FRibbon->Bar()->AddTab(FCaption);
    if (FActivePending)
        FRibbon->Bar()->SetActiveTab(FPage);
}

bool TRibbonTab::Active() const {
    return FRibbon && FRibbon->ActiveTab() == this;
}

void TRibbonTab::SetActive(bool active) {
    FActivePending = active;
    if (active && FRibbon && FPage)
        FRibbon->Bar()->SetActiveTab(FPage);
}

void TRibbonTab::SetParentComponent(TComponent* parent) {
    if (auto* ribbon = dynamic_cast<TRibbon*>(parent))
        SetRibbon(ribbon);
}

TComponent* TRibbonTab::GetParentComponent() const {
    return FRibbon;
}

LUMOTRIX_REGISTER_CLASS(TRibbonTab, TComponent) {
    Property("Caption", &TRibbonTab::Caption, &TRibbonTab::SetCaption);
    Property("Groups", &TRibbonTab::Groups);
    Property("Active", &TRibbonTab::Active, &TRibbonTab::SetActive);
}

TRibbon::TRibbon(TComponent* owner)
    : TControl(owner), FAppButton(std::make_unique<TRibbonApplicationButton>(this)),
      FQat(std::make_unique<TRibbonQuickAccessToolbar>(this)),
      FHelpTip(std::make_unique<TScreenTipProps>()) {
    HearSiblings(); // tabs, the application menu and the toolbar are siblings
    auto* bar = new RibbonBar;
    SetWidget(bar);
    SetHeight(bar->sizeHint().height());
    FAppButton->FScreenTip->OnChange = [this] {
        Bar()->SetAppButtonScreenTip(FAppButton->FScreenTip->Tip());
    };
    FHelpTip->OnChange = [this] { Bar()->SetHelpScreenTip(FHelpTip->Tip()); };
    bar->OnHelpClick = [this] { Fire(OnHelpButtonClick); };
    // Moving the toolbar or minimising changes the ribbon's layout: that is a resize to the
    // window's handlers too.
    bar->OnResize = [this] {
        // The ribbon is as high as its rows: the toolbar's own row below, or only the tabs
        // when minimised. The controls aligned under it move with it.
        const int height = Bar()->sizeHint().height();
        if (height != Height())
            SetHeight(height);
        if (!IsLoading())
            Fire(OnResize);
    };
}

TRibbon::~TRibbon() {
    for (TRibbonTab* tab : FTabs)
        tab->FRibbon = nullptr;
}

RibbonBar* TRibbon::Bar() const {
    return static_cast<RibbonBar*>(Widget());
}

QString TRibbon::ColorSchemeName() const {
    return Bar()->ColorSchemeName();
}
void TRibbon::SetColorSchemeName(const QString& name) {
    Bar()->SetColorSchemeName(name);
}
bool TRibbon::SupportNonClientDrawing() const {
    return FLoadedFrameMode.value_or(Bar()->SupportNonClientDrawing());
}
void TRibbon::SetSupportNonClientDrawing(bool on) {
    // Switching shows or hides the caption bar, which measures its texts; while the form is
    // read, that waits until everything the ribbon holds is there to be measured once.
    if (IsLoading()) {
        FLoadedFrameMode = on;
        return;
    }
    Bar()->SetSupportNonClientDrawing(on);
}

TRibbonTab* TRibbon::ActiveTab() const {
    for (TRibbonTab* tab : FTabs)
        if (tab->FPage && tab->FPage == Bar()->ActiveTab())
            return tab;
    return nullptr;
}

void TRibbon::SetActiveTab(TRibbonTab* tab) {
    if (tab && tab->FPage)
        Bar()->SetActiveTab(tab->FPage);
    else if (tab && IsLoading())
        for (TRibbonTab* each : FTabs)
            each->FActivePending = each == tab;
}

TRibbonTab* TRibbon::Tab(int index) const {
    if (index < 0 || index >= TabCount())
        throw ERangeError(DeveloperText(QStringLiteral("No tab %1").arg(index)));
    return FTabs[index];
}

void TRibbon::Rebuild() {
    for (TRibbonTab* tab : FTabs) {
        if (!tab->FPage)
            continue;
        tab->FPage->ClearGroups();
        for (int i = 0; i < tab->Groups()->Count(); ++i)
            if (TBar* bar = tab->Groups()->Group(i)->ToolBar())
                bar->FillGroup(tab->FPage->AddGroup(bar->Caption()));
    }
    Bar()->Qat()->Clear();
    if (TBar* toolbar = FQat->Toolbar())
        for (int i = 0; i < toolbar->ItemLinks()->Count(); ++i)
            if (TBarItem* item = toolbar->ItemLinks()->Link(i)->Item())
                Bar()->Qat()->AddCommand(item->Command());
    if (TApplicationMenu* menu = FAppButton->Menu())
        menu->Fill(Bar()->AppMenu());
    // Shortcuts work from anywhere in the window, whichever tab is shown.
    for (TComponent* owner = Owner(); owner; owner = nullptr)
        for (int i = 0; i < owner->ComponentCount(); ++i)
            if (auto* item = dynamic_cast<TBarItem*>(owner->Components(i)))
                Bar()->RegisterCommand(item->Command());
    SetHeight(Bar()->sizeHint().height());
}

void TRibbon::Loaded() {
    // Before the ribbon is shown: a hidden tab row does not tell its layout that it grew.
    for (TRibbonTab* tab : FTabs)
        if (!tab->FPage)
            tab->CreatePage();
    TControl::Loaded();
    if (FLoadedFrameMode)
        Bar()->SetSupportNonClientDrawing(*std::exchange(FLoadedFrameMode, std::nullopt));
    Rebuild();
}

void TRibbon::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == FAppButton->FMenu)
        FAppButton->FMenu = nullptr;
    if (component == FQat->FToolbar)
        FQat->FToolbar = nullptr;
    if (auto* tab = dynamic_cast<TRibbonTab*>(component))
        FTabs.removeAll(tab);
}

LUMOTRIX_REGISTER_CLASS(TRibbon, TControl) {
    Property("ColorSchemeName", &TRibbon::ColorSchemeName, &TRibbon::SetColorSchemeName);
    Property("SupportNonClientDrawing", &TRibbon::SupportNonClientDrawing,
             &TRibbon::SetSupportNonClientDrawing);
    Property("ActiveTab", &TRibbon::ActiveTab, &TRibbon::SetActiveTab);
    Property("ApplicationButton", &TRibbon::ApplicationButton);
    Property("QuickAccessToolbar", &TRibbon::QuickAccessToolbar);
    Property("ApplicationButtonScreenTip", &TRibbon::ApplicationButtonScreenTip);
    Property("HelpButtonScreenTip", &TRibbon::HelpButtonScreenTip);
    Property("OnHelpButtonClick", &TRibbon::OnHelpButtonClick);
}

qintptr TRibbon::Perform(quint32 message, qintptr wParam, qintptr lParam) {
    // The ribbon's height follows its content, whatever height a form description stores;
    // new captions may need another.
    if (message == CM_TEXTCHANGED)
        SetHeight(Bar()->sizeHint().height());
    return TControl::Perform(message, wParam, lParam);
}

} // namespace lumotrix
