#pragma once

// The settings and hooks of a language switch's re-translation, shared by the translator, its
// property-value layer and the translation modules. Process-wide; what they hold at start is
// the working configuration.

#include "runtime/TypInfo.h"

#include <functional>

namespace lumotrix {

class TComponent;

// Called just before a value is written: `component` is the one being translated (for
// string-list lines, the one whose section is read), `propInfo` nullptr for string-list lines.
// `skip` arrives with the caller's own decision; true on return prevents the write.
using TBeforeTranslateEvent =
    std::function<void(TComponent* component, TObject* instance, const TPropInfo* propInfo,
                       const Variant& currentValue, const Variant& newValue, bool& skip)>;
// Called just after a value was written.
using TAfterTranslateEvent =
    std::function<void(TComponent* component, TObject* instance, const TPropInfo* propInfo)>;

// The property kinds the translator may write; empty means every kind.
extern TSet<TTypeKind> TranslateKinds;
// When false, the component being translated keeps its "Position", "Left" and "Top".
extern bool TranslateRootPosition;
extern TBeforeTranslateEvent BeforeTranslate;
extern TAfterTranslateEvent AfterTranslate;

// Runs BeforeTranslate when set; returns the final skip decision.
bool DoBeforeTranslate(TComponent* component, TObject* instance, const TPropInfo* propInfo,
                       const Variant& currentValue, const Variant& newValue, bool skip);
void DoAfterTranslate(TComponent* component, TObject* instance, const TPropInfo* propInfo);

} // namespace lumotrix
