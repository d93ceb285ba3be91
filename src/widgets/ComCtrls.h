#pragma once

#include "widgets/BarManager.h"
#include "widgets/Control.h"

namespace lumotrix {

class PageControlWidget;
class StatusBarWidget;
class TPageControl;

// A page of a page control; its parent in a form description is the page control.
class TTabSheet : public TControl {
public:
    explicit TTabSheet(TComponent* owner = nullptr);
    ~TTabSheet() override;
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* control);
    int PageIndex() const;
    void SetParentComponent(TComponent* parent) override;

private:
    QString FCaption;
    TPageControl* FPageControl = nullptr;
};

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
LUMOTRIX_ENUM_NAMES(TTabPosition, "tpTop", "tpBottom", "tpLeft", "tpRight")

// Pages with tabs; tabs along the bottom by default.
class TPageControl : public TControl {
public:
    explicit TPageControl(TComponent* owner = nullptr);
    ~TPageControl() override;
    PageControlWidget* Pages() const;
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition position);
    TTabSheet* ActivePage() const;
    void SetActivePage(TTabSheet* page);
    int PageCount() const { return static_cast<int>(FSheets.size()); }
    TTabSheet* Page(int index) const;
    TNotifyEvent OnChange;

protected:
    void Loaded() override;

private:
    friend class TTabSheet;
    void AddPage(TTabSheet* sheet);
    TTabPosition FTabPosition = tpBottom;
    QList<TTabSheet*> FSheets;
    TTabSheet* FPendingActive = nullptr;
};

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
LUMOTRIX_ENUM_NAMES(TStatusPanelBevel, "pbNone", "pbLowered", "pbRaised")

// A status-bar panel: a width and either a text, a control or a bar shown inside.
class TStatusPanel : public TCollectionItem {
public:
    explicit TStatusPanel(TCollection* collection);
    qint32 Width() const { return FWidth; }
    void SetWidth(qint32 width) { FWidth = width; }
    QString Text() const { return FText; }
    void SetText(const QString& text);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel bevel) { FBevel = bevel; }
    TControl* Control() const { return FControl; }
    void SetControl(TControl* control) { FControl = control; }
    TBar* Bar() const { return FBar; }
    void SetBar(TBar* bar) { FBar = bar; }

private:
    friend class TStatusBar;
    qint32 FWidth = 50;
    QString FText;
    TStatusPanelBevel FBevel = pbLowered;
    TControl* FControl = nullptr;
    TBar* FBar = nullptr;
    QPointer<QLabel> FLabel;
};

class TStatusPanels : public TCollection {
public:
    explicit TStatusPanels(TPersistent* owner);
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TStatusPanel* Panel(int index) const { return static_cast<TStatusPanel*>(Items(index)); }
};

// The status bar. Its panels are built once the form is read (or by Rebuild); it takes its
// colours from the ribbon it follows (Ribbon), asked at every paint, so Repaint after a scheme
// change is enough.
class TStatusBar : public TControl {
public:
    explicit TStatusBar(TComponent* owner = nullptr);
    ~TStatusBar() override;
    StatusBarWidget* Bar() const;
    TStatusPanels* Panels() const { return FPanels.get(); }
    TRibbon* Ribbon() const { return FRibbon; }
    void SetRibbon(TRibbon* ribbon);
    void Rebuild();
    void Repaint();

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::unique_ptr<TStatusPanels> FPanels;
    TRibbon* FRibbon = nullptr;
};

} // namespace lumotrix
