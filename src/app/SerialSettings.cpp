#include "app/SerialSettings.h"

#include "runtime/Exception.h"
#include "runtime/MessageIds.h"
#include "runtime/ModuleList.h"
#include "widgets/Application.h"
#include "widgets/ComPort.h"
#include "widgets/Dialogs.h"

namespace lumotrix {

namespace {

// String-table ids of the messages after storing and loading.
constexpr quint16 IdSettingsStored = 65530;
constexpr quint16 IdSettingsLoaded = 65531;

} // namespace

void TSerialSettings::LoadAtStart() {
    try {
        F.ComPort->LoadSettings(TStoreType::stRegistry, SerialSettingsKey);
    } catch (const Exception& error) {
        ShowException(error);
    }
}

void TSerialSettings::ShowDialog(QWidget* parent) {
    F.ComPort->ShowSetupDialog(parent);
}

bool TSerialSettings::Load() {
    const bool loaded = F.ComPort->LoadSettings(TStoreType::stRegistry, SerialSettingsKey);
    MessageBoxes().Show(LoadResString(loaded ? IdSettingsLoaded : quint16(msgNoSettingsStored)),
                        QStringLiteral("Horavel"), TMsgIcon::None);
    return loaded;
}

void TSerialSettings::Store() {
    const QString text = LoadResString(IdSettingsStored);
    F.ComPort->StoreSettings(TStoreType::stRegistry, SerialSettingsKey);
    MessageBoxes().Show(text, QStringLiteral("Horavel"), TMsgIcon::None);
}

} // namespace lumotrix
