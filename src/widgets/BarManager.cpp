#include "widgets/BarManager.h"

namespace lumotrix {

QKeySequence ShortCutToKeySequence(qint32 shortCut) {
    int vk = shortCut & 0xFF;
    int key = 0;
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        key = vk; // Qt's keys for digits and letters are their ASCII codes
    else if (vk >= 0x70 && vk <= 0x87)
        key = Qt::Key_F1 + (vk - 0x70);
    else {
        switch (vk) {
        case 0x08:
            key = Qt::Key_Backspace;
            break;
        case 0x09:
            key = Qt::Key_Tab;
            break;
        case 0x0D:
            key = Qt::Key_Return;
            break;
        case 0x1B:
            key = Qt::Key_Escape;
            break;
        case 0x20:
            key = Qt::Key_Space;
            break;
        case 0x21:
            key = Qt::Key_PageUp;
            break;
        case 0x22:
            key = Qt::Key_PageDown;
            break;
        case 0x23:
            key = Qt::Key_End;
            break;
        case 0x24:
            key = Qt::Key_Home;
            break;
        case 0x25:
            key = Qt::Key_Left;
            break;
        case 0x26:
            key = Qt::Key_Up;
            break;
        case 0x27:
            key = Qt::Key_Right;
            break;
        case 0x28:
            key = Qt::Key_Down;
            break;
        case 0x2D:
            key = Qt::Key_Insert;
            break;
        case 0x2E:
            key = Qt::Key_Delete;
            break;
        default:
            return {};
        }
    }
    int modifiers = 0;
    if (shortCut & 0x2000)
        modifiers |= Qt::SHIFT;
    if (shortCut & 0x4000)
        modifiers |= Qt::CTRL;
    if (shortCut & 0x8000)
        modifiers |= Qt::ALT;
    return QKeySequence(key | modifiers);
}

void TScreenTipProps::SetHeader(const QString& text) {
    FTip.Header = text;
    if (OnChange)
        OnChange();
}
void TScreenTipProps::SetText(const QString& text) {
    FTip.Text = text;
    if (OnChange)
        OnChange();
}
void TScreenTipProps::SetFooter(const QString& text) {
    FTip.Footer = text;
    if (OnChange)
        OnChange();
}

LUMOTRIX_REGISTER_CLASS(TScreenTipProps, TPersistent) {
    Property("Header", &TScreenTipProps::Header, &TScreenTipProps::SetHeader);
    Property("Text", &TScreenTipProps::Text, &TScreenTipProps::SetText);
    Property("Footer", &TScreenTipProps::Footer, &TScreenTipProps::SetFooter);
}

TBarManager::TBarManager(TComponent* owner)
    : TComponent(owner), FImageNames(std::make_unique<TStringList>()) {}
TBarManager::~TBarManager() = default;

QString TBarManager::ImageName(int index) const {
    return index >= 0 && index < FImageNames->Count() ? FImageNames->Get(index) : QString();
}

LUMOTRIX_REGISTER_CLASS(TBarManager, TComponent) {
    Property("ImageNames", &TBarManager::ImageNames);
}

} // namespace lumotrix
