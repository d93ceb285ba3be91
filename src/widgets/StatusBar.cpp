#include "widgets/StatusBar.h"

#include "widgets/Ribbon.h"
#include "widgets/qt/StatusBarWidget.h"

#include <QHBoxLayout>
#include <QLabel>

namespace lumotrix {

TStatusPanel::TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}

void TStatusPanel::SetText(const QString& text) {
    FText = text;
    ShowText();
}

QLabel* TStatusPanel::Label() const {
    return FLabel;
}

// Assistive tools read a text panel by its name, which they are told about when it changes.
void TStatusPanel::ShowText() {
    if (!FLabel)
        return;
    FLabel->setText(FText);
    FLabel->setAccessibleName(FText);
}

LUMOTRIX_REGISTER_CLASS(TStatusPanel, TCollectionItem) {
    Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth);
    Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
    Property("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel);
    Property("Control", &TStatusPanel::Control, &TStatusPanel::SetControl);
    Property("Bar", &TStatusPanel::Bar, &TStatusPanel::SetBar);
}

TStatusPanels::TStatusPanels(TPersistent* owner)
    : TCollection(ClassInfoOf<TStatusPanel>(), owner) {}

TStatusBar::TStatusBar(TComponent* owner)
    : TControl(owner), FPanels(std::make_unique<TStatusPanels>(this)) {
    HearSiblings(); // panels hold sibling controls and bars
    FPanels->SetPropName(QStringLiteral("Panels"));
    auto* bar = new StatusBarWidget;
    SetWidget(bar);
    SetHeight(34);
}

TStatusBar::~TStatusBar() = default;

StatusBarWidget* TStatusBar::Bar() const {
    return static_cast<StatusBarWidget*>(Widget());
}

void TStatusBar::SetRibbon(TRibbon* ribbon) {
    if (FRibbon)
        FRibbon->RemoveFreeNotification(this);
    FRibbon = ribbon;
    if (ribbon) {
        ribbon->FreeNotification(this);
        Bar()->FollowScheme(ribbon->Bar());
    } else {
        Bar()->FollowScheme(nullptr);
    }
}

void TStatusBar::Rebuild() {
    // Panels are built once; a control keeps its own widget and only moves into the panel.
    for (int i = 0; i < FPanels->Count(); ++i) {
        TStatusPanel* panel = FPanels->Panel(i);
        bool bevel = panel->Bevel() != pbNone;
        if (panel->Control() && panel->Control()->Widget()) {
            Bar()->AddPanel(panel->Control()->Widget(), panel->Width(), bevel);
        } else if (panel->Bar()) {
            auto* host = new QWidget;
            auto* layout = new QHBoxLayout(host);
            layout->setContentsMargins(0, 0, 0, 0);
            TBarItemLinks* links = panel->Bar()->ItemLinks();
            for (int l = 0; l < links->Count(); ++l)
                if (auto* item = dynamic_cast<TBarStatic*>(links->Link(l)->Item()))
                    layout->addWidget(item->CreateStatusWidget());
            Bar()->AddPanel(host, panel->Width(), bevel);
        } else {
            panel->FLabel = Bar()->AddTextPanel(panel->Width(), bevel);
            panel->ShowText();
        }
    }
}

void TStatusBar::Repaint() {
    Bar()->update();
}

void TStatusBar::Loaded() {
    TControl::Loaded();
    Rebuild();
}

void TStatusBar::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == FRibbon)
        SetRibbon(nullptr);
    for (int i = 0; i < FPanels->Count(); ++i) {
        TStatusPanel* panel = FPanels->Panel(i);
        if (panel->FControl == component)
            panel->FControl = nullptr;
        if (panel->FBar == component)
            panel->FBar = nullptr;
    }
}

LUMOTRIX_REGISTER_CLASS(TStatusBar, TControl) {
    Property("Panels", &TStatusBar::Panels);
    Property("Ribbon", &TStatusBar::Ribbon, &TStatusBar::SetRibbon);
}

} // namespace lumotrix
