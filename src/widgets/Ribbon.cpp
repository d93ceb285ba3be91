#include "widgets/Ribbon.h"

#include "widgets/ControlMessages.h"

#include <QTabBar>
#include <utility>

namespace lumotrix {

void TRibbonApplicationButton::SetMenu(TApplicationMenu* menu) {
    FMenu = menu;
}
bool TRibbonApplicationButton::Visible() const {
    return FRibbon->Bar()->AppButtonVisible();
}
void TRibbonApplicationButton::SetVisible(bool visible) {
    FRibbon->Bar()->SetAppButtonVisible(visible);
}

quint16 TRibbonApplicationButton::KeyTipId() const {
    return FRibbon->Bar()->AppButtonKeyTipId();
}
void TRibbonApplicationButton::SetKeyTipId(quint16 id) {
    FRibbon->Bar()->SetAppButtonKeyTipId(id);
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
    Property("CustomizeToolbar", &TRibbonQuickAccessToolbar::CustomizeToolbar,
             &TRibbonQuickAccessToolbar::SetCustomizeToolbar);
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
    FPage->SetKeyTipId(FKeyTipId);
    if (FActivePending)
        FRibbon->Bar()->SetActiveTab(FPage);
}

void TRibbonTab::SetKeyTipId(quint16 id) {
    FKeyTipId = id;
    if (FPage)
        FPage->SetKeyTipId(id);
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
    QObject::connect(bar, &RibbonBar::helpClicked, bar, [this] { Fire(OnHelpButtonClick); });
    // Moving the toolbar or minimising changes the ribbon's layout: that is a resize to the
    // window's handlers too.
    QObject::connect(bar, &RibbonBar::sizeChanged, bar, [this] {
        // The ribbon is as high as its rows: the toolbar's own row below, or only the tabs
        // when minimised. The controls aligned under it move with it.
        const int height = Bar()->sizeHint().height();
        if (height != Height())
            SetHeight(height);
        if (!IsLoading())
            Fire(OnResize);
    });
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
    QList<RibbonCommand*> choices;
    for (TBar* bar : {FQat->Toolbar(), FQat->CustomizeToolbar()})
        for (int i = 0; bar && i < bar->ItemLinks()->Count(); ++i)
            if (TBarItem* item = bar->ItemLinks()->Link(i)->Item()) {
                if (bar == FQat->Toolbar())
                    Bar()->Qat()->AddCommand(item->Command());
                if (!choices.contains(item->Command()))
                    choices.append(item->Command());
            }
    Bar()->Qat()->SetChoices(choices);
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
    if (component == FQat->FCustomizeToolbar)
        FQat->FCustomizeToolbar = nullptr;
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
