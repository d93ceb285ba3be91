#pragma once

#include "widgets/Application.h"
#include "widgets/Dialogs.h"

namespace lumotrix::test {

// The widget tests share one application object (ours, so that its notify() is the one under
// test) and answer message boxes from a script.
Application& App();
ScriptedMessageBoxes& Boxes();

} // namespace lumotrix::test
