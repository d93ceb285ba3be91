#pragma once

#include "widgets/BarManager.h"
#include "widgets/Control.h"
#include "widgets/qt/RibbonBar.h"

#include <optional>

namespace lumotrix {

class StatusItem;

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
    // The string-table message holding the letter that runs the item from the keyboard.
    quint16 KeyTipId() const { return FCommand->KeyTipId(); }
    virtual void SetKeyTipId(quint16 id) { FCommand->SetKeyTipId(id); }

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
    void SetKeyTipId(quint16 id) override;
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

} // namespace lumotrix
