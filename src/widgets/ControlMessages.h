#pragma once

#include <QtGlobal>

namespace lumotrix {

// Messages a control is sent through TControl::Perform.

// The control's text was changed from outside (a language switch rewrote its caption): what
// depends on the text, such as an auto-sized label's size, is brought up to date.
constexpr quint32 CM_TEXTCHANGED = 0xB012;

} // namespace lumotrix
