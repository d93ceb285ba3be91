#include "widgets/ControlMessages.h"

#include "widgets/BarManager.h"
#include "widgets/Label.h"
#include "widgets/qt/RibbonBar.h"

#include <QLabel>

namespace lumotrix {

qintptr TControl::Perform(quint32 message, qintptr, qintptr) {
    // Aligned siblings take their heights from size hints that follow the text.
    if (message == CM_TEXTCHANGED && Parent())
        Parent()->AlignControls();
    return 0;
}

qintptr TLabel::Perform(quint32 message, qintptr wParam, qintptr lParam) {
    // The caption and the font may both have changed since the label last fitted itself.
    if (message == CM_TEXTCHANGED && FAutoSize && !WordWrap() && Label())
        Label()->resize(Label()->sizeHint());
    return TControl::Perform(message, wParam, lParam);
}

qintptr TRibbon::Perform(quint32 message, qintptr wParam, qintptr lParam) {
    // The ribbon's height follows its content, whatever height a form description stores;
    // new captions may need another.
    if (message == CM_TEXTCHANGED)
        SetHeight(Bar()->sizeHint().height());
    return TControl::Perform(message, wParam, lParam);
}

} // namespace lumotrix
