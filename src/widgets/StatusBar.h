#pragma once

#include "widgets/Control.h"

#include <QPointer>
#include <memory>

class QLabel;

namespace lumotrix {

class StatusBarWidget;
class TBar;
class TRibbon;

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
    // A text panel's label once the bar is built; null for other panels.
    QLabel* Label() const;

private:
    friend class TStatusBar;
    void ShowText();
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
