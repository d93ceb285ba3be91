#pragma once

#include "widgets/Control.h"
#include "widgets/qt/RibbonBar.h"

#include <QKeySequence>
#include <optional>

namespace lumotrix {

class TBar;
class TBarManager;
class TRibbon;
class StatusItem;

// The platform's shortcut numbers: a virtual-key code in the low byte plus 0x2000 Shift,
// 0x4000 Ctrl, 0x8000 Alt (Ctrl+O is 16463). Unknown key codes give an empty sequence.
QKeySequence ShortCutToKeySequence(qint32 shortCut);

// Header, text and footer of an item's screen tip, as a form describes them.
class TScreenTipProps : public TPersistent {
public:
    QString Header() const { return FTip.Header; }
    void SetHeader(const QString& text);
    QString Text() const { return FTip.Text; }
    void SetText(const QString& text);
    QString Footer() const { return FTip.Footer; }
    void SetFooter(const QString& text);
    const TScreenTip& Tip() const { return FTip; }
    std::function<void()> OnChange;

private:
    TScreenTip FTip;
};

// The pictures of the bar items by index (ImageIndex), as names of the program's pictures.
class TBarManager : public TComponent {
public:
    explicit TBarManager(TComponent* owner = nullptr);
    ~TBarManager() override;
    TStringList* ImageNames() const { return FImageNames.get(); }
    QString ImageName(int index) const;

private:
    std::unique_ptr<TStringList> FImageNames;
};

enum TBarButtonStyle { bsDefault, bsChecked, bsDropDown };
LUMOTRIX_ENUM_NAMES(TBarButtonStyle, "bsDefault", "bsChecked", "bsDropDown")
enum TBarItemViewSize { vsAuto, vsSmall, vsLarge };
LUMOTRIX_ENUM_NAMES(TBarItemViewSize, "vsAuto", "vsSmall", "vsLarge")

// A command of the bars. One item may be shown by several links (a ribbon group, the quick
// access toolbar, the application menu); all of them follow the item's state.
class TBarItem : public TComponent {
public:
    explicit TBarItem(TComponent* owner = nullptr);
    ~TBarItem() override;

    RibbonCommand* Command() const { return FCommand; }

    QString Caption() const { return FCommand->text(); }
    virtual void SetCaption(const QString& caption);
    QString Hint() const { return FCommand->Hint(); }
    void SetHint(const QString& hint) { FCommand->SetHint(hint); }
    QString Description() const { return FCommand->Description(); }
    void SetDescription(const QString& text) { FCommand->SetDescription(text); }
    qint32 ShortCut() const { return FShortCut; }
    void SetShortCut(qint32 shortCut);
    bool Enabled() const { return FCommand->isEnabled(); }
    void SetEnabled(bool enabled) { FCommand->setEnabled(enabled); }
    bool Visible() const { return FCommand->isVisible(); }
    void SetVisible(bool visible) { FCommand->setVisible(visible); }
    QString IconName() const { return FIconName; }
    void SetIconName(const QString& name);
    qint32 ImageIndex() const { return FImageIndex; }
    virtual void SetImageIndex(qint32 index);
    TBarManager* BarManager() const { return FBarManager; }
    void SetBarManager(TBarManager* manager);
    TScreenTipProps* ScreenTip() const { return FScreenTip.get(); }

    // Runs the item as a click would: OnClick (guarded), check state handled by the command.
    void Click() { FCommand->trigger(); }
    // The widget that shows the item in a group; nullptr for items shown only as buttons.
    virtual QWidget* CreateGroupWidget(RibbonGroup* group, bool large, bool beginGroup,
                                       bool newColumn);
    virtual bool DefaultLarge() const { return false; }

    TNotifyEvent OnClick;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void UpdateIcon();

private:
    RibbonCommand* FCommand;
    qint32 FShortCut = 0;
    QString FIconName;
    qint32 FImageIndex = -1;
    TBarManager* FBarManager = nullptr;
    std::unique_ptr<TScreenTipProps> FScreenTip;
};

class TBarButton : public TBarItem {
public:
    explicit TBarButton(TComponent* owner = nullptr);
    TBarButtonStyle ButtonStyle() const { return FStyle; }
    void SetButtonStyle(TBarButtonStyle style);
    bool Down() const { return Command()->isChecked(); }
    void SetDown(bool down);
    // Buttons of one owner with the same non-zero group index are exclusive: pressing one
    // releases the others, and pressing the down one keeps it down.
    qint32 GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(qint32 index);

private:
    void Toggled(bool down);
    TBarButtonStyle FStyle = bsDefault;
    qint32 FGroupIndex = 0;
    bool FReleasing = false;
};

// A button shown large (picture above the caption) unless its link asks for small.
class TBarLargeButton : public TBarButton {
public:
    using TBarButton::TBarButton;
    bool DefaultLarge() const override { return true; }
};

// A caption with a text field. Text is shared by every link.
class TBarEdit : public TBarItem {
public:
    explicit TBarEdit(TComponent* owner = nullptr);
    QString Text() const { return FText; }
    void SetText(const QString& text);
    qint32 Width() const { return FWidth; }
    void SetWidth(qint32 width);
    void SetCaption(const QString& caption) override;
    QWidget* CreateGroupWidget(RibbonGroup* group, bool large, bool beginGroup,
                               bool newColumn) override;
    QList<RibbonEditItem*> Editors() const;
    TNotifyEvent OnChange;

private:
    QString FText;
    qint32 FWidth = 100;
    QList<QPointer<RibbonEditItem>> FEditors;
};

// A status text with a picture (e.g. "Modified").
class TBarStatic : public TBarItem {
public:
    using TBarItem::TBarItem;
    void SetCaption(const QString& caption) override;
    void SetImageIndex(qint32 index) override;
    QWidget* CreateGroupWidget(RibbonGroup* group, bool large, bool beginGroup,
                               bool newColumn) override;
    StatusItem* CreateStatusWidget();

private:
    void Sync();
    QList<QPointer<StatusItem>> FWidgets;
};

// A separator line in menus; in groups and toolbars it starts a new group.
class TBarSeparator : public TBarItem {
public:
    using TBarItem::TBarItem;
};

// One place where an item is shown.
class TBarItemLink : public TCollectionItem {
public:
    explicit TBarItemLink(TCollection* collection);
    TBarItem* Item() const { return FItem; }
    void SetItem(TBarItem* item) { FItem = item; }
    bool BeginGroup() const { return FBeginGroup; }
    void SetBeginGroup(bool on) { FBeginGroup = on; }
    bool NewColumn() const { return FNewColumn; }
    void SetNewColumn(bool on) { FNewColumn = on; }
    TBarItemViewSize ViewSize() const { return FViewSize; }
    void SetViewSize(TBarItemViewSize size) { FViewSize = size; }

private:
    TBarItem* FItem = nullptr;
    bool FBeginGroup = false;
    bool FNewColumn = false;
    TBarItemViewSize FViewSize = vsAuto;
};

// The links of a bar or menu; dropped when their item goes away.
class TBarItemLinks : public TCollection {
public:
    explicit TBarItemLinks(TPersistent* owner);
    TBarItemLink* AddItem(TBarItem* item, bool beginGroup = false, bool newColumn = false,
                          TBarItemViewSize size = vsAuto);
    TBarItemLink* Link(int index) const;
    void ItemRemoved(TBarItem* item);
};

// A bar: a captioned row of item links. A ribbon tab shows it as a group, the ribbon as its
// quick access toolbar, the status bar inside a panel.
class TBar : public TComponent {
public:
    explicit TBar(TComponent* owner = nullptr);
    ~TBar() override;
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    TBarItemLinks* ItemLinks() const { return FLinks.get(); }
    TBarManager* BarManager() const { return FBarManager; }
    void SetBarManager(TBarManager* manager) { FBarManager = manager; }
    // Fills a ribbon group with the bar's links.
    void FillGroup(RibbonGroup* group);
    QList<QPointer<RibbonGroup>> Groups() const { return FGroups; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    QString FCaption;
    std::unique_ptr<TBarItemLinks> FLinks;
    TBarManager* FBarManager = nullptr;
    QList<QPointer<RibbonGroup>> FGroups;
};

// The application button's menu: item links and the recent-files pane.
class TApplicationMenu : public TComponent {
public:
    explicit TApplicationMenu(TComponent* owner = nullptr);
    ~TApplicationMenu() override;
    TBarItemLinks* ItemLinks() const { return FLinks.get(); }
    QString RecentCaption() const { return FRecentCaption; }
    void SetRecentCaption(const QString& caption);
    qint32 MaxRecentFiles() const { return FMaxRecent; }
    void SetMaxRecentFiles(qint32 count);
    // Fills the ribbon's pop-up with the links.
    void Fill(ApplicationMenu* menu);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::unique_ptr<TBarItemLinks> FLinks;
    QString FRecentCaption = QStringLiteral("Documenti recenti");
    qint32 FMaxRecent = 9;
    // The pop-up last filled: a caption set later (a language switch) reaches it at once.
    QPointer<ApplicationMenu> FMenu;
};

class TRibbonTab;

class TRibbonApplicationButton : public TPersistent {
public:
    explicit TRibbonApplicationButton(TRibbon* ribbon) : FRibbon(ribbon) {}
    TApplicationMenu* Menu() const { return FMenu; }
    void SetMenu(TApplicationMenu* menu);
    bool Visible() const;
    void SetVisible(bool visible);
    TScreenTipProps* ScreenTip() const { return FScreenTip.get(); }

private:
    friend class TRibbon;
    TRibbon* FRibbon;
    TApplicationMenu* FMenu = nullptr;
    std::unique_ptr<TScreenTipProps> FScreenTip = std::make_unique<TScreenTipProps>();
};

enum TRibbonQATPosition { qtpAboveRibbon, qtpBelowRibbon };
LUMOTRIX_ENUM_NAMES(TRibbonQATPosition, "qtpAboveRibbon", "qtpBelowRibbon")

class TRibbonQuickAccessToolbar : public TPersistent {
public:
    explicit TRibbonQuickAccessToolbar(TRibbon* ribbon) : FRibbon(ribbon) {}
    TBar* Toolbar() const { return FToolbar; }
    void SetToolbar(TBar* bar);
    bool Visible() const;
    void SetVisible(bool visible);
    TRibbonQATPosition Position() const;
    void SetPosition(TRibbonQATPosition position);

private:
    friend class TRibbon;
    TRibbon* FRibbon;
    TBar* FToolbar = nullptr;
};

// One group of a ribbon tab: the bar it shows.
class TRibbonTabGroup : public TCollectionItem {
public:
    explicit TRibbonTabGroup(TCollection* collection);
    TBar* ToolBar() const { return FToolBar; }
    void SetToolBar(TBar* bar) { FToolBar = bar; }

private:
    TBar* FToolBar = nullptr;
};

class TRibbonTabGroups : public TCollection {
public:
    explicit TRibbonTabGroups(TPersistent* owner);
    TRibbonTabGroup* Add(TBar* bar);
    TRibbonTabGroup* Group(int index) const;
};

// A ribbon tab; its parent in a form description is the ribbon.
class TRibbonTab : public TComponent {
public:
    explicit TRibbonTab(TComponent* owner = nullptr);
    ~TRibbonTab() override;
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    TRibbonTabGroups* Groups() const { return FGroups.get(); }
    TRibbon* Ribbon() const { return FRibbon; }
    void SetRibbon(TRibbon* ribbon);
    RibbonTab* Page() const { return FPage; }
    bool Active() const;
    void SetActive(bool active);

    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }

private:
    friend class TRibbon;
    void CreatePage();
    QString FCaption;
    std::unique_ptr<TRibbonTabGroups> FGroups;
    TRibbon* FRibbon = nullptr;
    QPointer<RibbonTab> FPage;
    bool FActivePending = false;
};

// The ribbon control. Groups, the quick access toolbar and the application menu are built from
// the bars when the form has been read (or by Rebuild after changes from code).
class TRibbon : public TControl {
public:
    explicit TRibbon(TComponent* owner = nullptr);
    ~TRibbon() override;
    RibbonBar* Bar() const;

    QString ColorSchemeName() const;
    void SetColorSchemeName(const QString& name);
    bool SupportNonClientDrawing() const;
    void SetSupportNonClientDrawing(bool on);
    TRibbonTab* ActiveTab() const;
    void SetActiveTab(TRibbonTab* tab);
    TRibbonApplicationButton* ApplicationButton() const { return FAppButton.get(); }
    TRibbonQuickAccessToolbar* QuickAccessToolbar() const { return FQat.get(); }
    TScreenTipProps* HelpButtonScreenTip() const { return FHelpTip.get(); }
    // The application button's screen tip one property below the ribbon, as the help button's
    // is: a translation reaches a value through one object-valued property only.
    TScreenTipProps* ApplicationButtonScreenTip() const { return FAppButton->ScreenTip(); }
    int TabCount() const { return static_cast<int>(FTabs.size()); }
    TRibbonTab* Tab(int index) const;

    void Rebuild();
    qintptr Perform(quint32 message, qintptr wParam, qintptr lParam) override;
    TNotifyEvent OnHelpButtonClick;

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TRibbonTab;
    QList<TRibbonTab*> FTabs;
    std::unique_ptr<TRibbonApplicationButton> FAppButton;
    std::unique_ptr<TRibbonQuickAccessToolbar> FQat;
    std::unique_ptr<TScreenTipProps> FHelpTip;
    // The frame mode read from a form description, applied once the form has been read.
    std::optional<bool> FLoadedFrameMode;
};

} // namespace lumotrix
