#pragma once

#include "app/HoravelFormFields.h"

#include <QString>

class QWidget;

namespace lumotrix {

// The key under which the serial settings are kept.
inline const QString SerialSettingsKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Velmoran");

// The port's settings as the window offers them: the setup dialog, and keeping them in the
// settings store and reading them back.
class TSerialSettings {
public:
    explicit TSerialSettings(const TForm1Fields& fields) : F(fields) {}

    // At start: a damaged store must not keep the program from starting; the error is shown
    // and the defaults stay.
    void LoadAtStart();
    void ShowDialog(QWidget* parent);
    // Each says in a message box what it did; Load is true when there were settings to load.
    bool Load();
    void Store();

private:
    const TForm1Fields& F;
};

} // namespace lumotrix
