#pragma once

#include "app/HoravelFormFields.h"

#include <QString>

namespace lumotrix {

// The window's look, as the appearance tab sets it: colour scheme, the ribbon drawn into the
// frame, the application button and the quick access toolbar.
class TAppearance {
public:
    explicit TAppearance(const TForm1Fields& fields) : F(fields) {}

    // The ribbon's scheme; the status bar takes its colours from the ribbon.
    void ApplyColorScheme(const QString& name);
    // The application button can only be hidden while the ribbon draws the frame.
    void ToggleFormMode();
    void ToggleApplicationButton();
    // The position commands are offered only while the toolbar shows.
    void ToggleQuickAccessToolbar();
    void SetToolbarAbove(bool above);
    // The position commands show where the toolbar is.
    void ShowToolbarPosition();

private:
    const TForm1Fields& F;
};

} // namespace lumotrix
