#include "app/KeyTips.h"

#include "app/AppMessageIds.h"
#include "app/HoravelFormFields.h"
#include "widgets/BarItem.h"
#include "widgets/Ribbon.h"

#include <utility>

namespace lumotrix {

void AssignKeyTips(const TForm1Fields& form) {
    form.Ribbon->ApplicationButton()->SetKeyTipId(msgKeyTipAppButton);
    form.tabHome->SetKeyTipId(msgKeyTipTabHome);
    form.tabAppearance->SetKeyTipId(msgKeyTipTabAppearance);
    const std::pair<TBarItem*, quint16> commands[] = {
        {form.BarButtonOpen, msgKeyTipOpen},
        {form.BarButtonSave, msgKeyTipSave},
        {form.BarButton8, msgKeyTipSaveAs},
        {form.BarButtonPrint, msgKeyTipPrint},
        {form.BarButtonClear, msgKeyTipClear},
        {form.BarButtonExit, msgKeyTipExit},
        {form.BarButtonInvio, msgKeyTipSend},
        {form.BarButtonRicevi, msgKeyTipReceive},
        {form.buttonDate, msgKeyTipDateSync},
        {form.BarButtonSettings, msgKeyTipSerialSettings},
        {form.BarButtonLoadSet, msgKeyTipLoadSettings},
        {form.BarButtonSaveSet, msgKeyTipSaveSettings},
        {form.BarEdit1, msgKeyTipDelay},
        {form.BarLargeButton3, msgKeyTipBlue},
        {form.BarLargeButton4, msgKeyTipBlack},
        {form.BarLargeButton5, msgKeyTipSilver},
        {form.BarLargeButton6, msgKeyTipRibbonForm},
        {form.BarLargeButton12, msgKeyTipLanguage},
        {form.BarLargeButton10, msgKeyTipQatVisible},
        {form.BarLargeButton8, msgKeyTipQatAbove},
        {form.BarLargeButton9, msgKeyTipQatBelow},
    };
    for (const auto& [item, id] : commands)
        item->SetKeyTipId(id);
}

} // namespace lumotrix
