#pragma once

#include "widgets/Bar.h"

namespace lumotrix {

class TRibbon;
class TRibbonTab;

class TRibbonApplicationButton : public TPersistent {
public:
    explicit TRibbonApplicationButton(TRibbon* ribbon) : FRibbon(ribbon) {}
    TApplicationMenu* Menu() const { return FMenu; }
    void SetMenu(TApplicationMenu* menu);
    bool Visible() const;
    void SetVisible(bool visible);
    TScreenTipProps* ScreenTip() const { return FScreenTip.get(); }
    // The string-table message holding the letter that opens the menu from the keyboard.
    quint16 KeyTipId() const;
    void SetKeyTipId(quint16 id);

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
    // Further commands the customise menu offers, after those of Toolbar.
    TBar* CustomizeToolbar() const { return FCustomizeToolbar; }
    void SetCustomizeToolbar(TBar* bar) { FCustomizeToolbar = bar; }
    bool Visible() const;
    void SetVisible(bool visible);
    TRibbonQATPosition Position() const;
    void SetPosition(TRibbonQATPosition position);

private:
    friend class TRibbon;
    TRibbon* FRibbon;
    TBar* FToolbar = nullptr;
    TBar* FCustomizeToolbar = nullptr;
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
    // The string-table message holding the letter that opens the tab from the keyboard.
    quint16 KeyTipId() const { return FKeyTipId; }
    void SetKeyTipId(quint16 id);

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
    quint16 FKeyTipId = 0;
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
