#include "app/SerialSettings.h"

#include "app/AppMessageIds.h"
#include "runtime/Exception.h"
#include "runtime/ModuleList.h"
#include "widgets/Application.h"
#include "widgets/ComPort.h"
#include "widgets/Dialogs.h"

namespace lumotrix {

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
    MessageBoxes().Show(LoadResString(loaded ? msgSettingsLoaded : msgNoSettingsStored),
                        QStringLiteral("Horavel"), TMsgIcon::None);
    return loaded;
}

void TSerialSettings::Store() {
    const QString text = LoadResString(msgSettingsStored);
    F.ComPort->StoreSettings(TStoreType::stRegistry, SerialSettingsKey);
    MessageBoxes().Show(text, QStringLiteral("Horavel"), TMsgIcon::None);
}

} // namespace lumotrix
