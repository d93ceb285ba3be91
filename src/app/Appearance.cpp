#include "app/Appearance.h"

#include "widgets/Ribbon.h"
#include "widgets/StatusBar.h"

namespace lumotrix {

void TAppearance::ApplyColorScheme(const QString& name) {
    F.Ribbon->SetColorSchemeName(name);
    F.StatusBar->Repaint();
}

void TAppearance::ToggleFormMode() {
    TRibbon* ribbon = F.Ribbon;
    ribbon->SetSupportNonClientDrawing(!ribbon->SupportNonClientDrawing());
    F.BarLargeButton7->SetEnabled(ribbon->SupportNonClientDrawing());
}

void TAppearance::ToggleApplicationButton() {
    auto* button = F.Ribbon->ApplicationButton();
    button->SetVisible(!button->Visible());
}

void TAppearance::ToggleQuickAccessToolbar() {
    auto* toolbar = F.Ribbon->QuickAccessToolbar();
    toolbar->SetVisible(!toolbar->Visible());
    F.BarLargeButton8->SetEnabled(toolbar->Visible());
    F.BarLargeButton9->SetEnabled(toolbar->Visible());
}

void TAppearance::SetToolbarAbove(bool above) {
    F.Ribbon->QuickAccessToolbar()->SetPosition(above ? qtpAboveRibbon : qtpBelowRibbon);
}

void TAppearance::ShowToolbarPosition() {
    if (F.Ribbon->QuickAccessToolbar()->Position() == qtpAboveRibbon)
        F.BarLargeButton8->SetDown(true);
    else
        F.BarLargeButton9->SetDown(true);
}

} // namespace lumotrix
