#include "localisation/TranslateSettings.h"

namespace lumotrix {

TSet<TTypeKind> TranslateKinds;
bool TranslateRootPosition = false;
TBeforeTranslateEvent BeforeTranslate;
TAfterTranslateEvent AfterTranslate;

bool DoBeforeTranslate(TComponent* component, TObject* instance, const TPropInfo* propInfo,
                       const Variant& currentValue, const Variant& newValue, bool skip) {
    if (BeforeTranslate)
        BeforeTranslate(component, instance, propInfo, currentValue, newValue, skip);
    return skip;
}

void DoAfterTranslate(TComponent* component, TObject* instance, const TPropInfo* propInfo) {
    if (AfterTranslate)
        AfterTranslate(component, instance, propInfo);
}

} // namespace lumotrix
