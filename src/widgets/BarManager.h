#pragma once

#include "runtime/Classes.h"
#include "widgets/qt/RibbonCommand.h"

#include <QKeySequence>
#include <functional>
#include <memory>

namespace lumotrix {

// The platform's shortcut numbers: a virtual-key code in the low byte plus 0x2000 Shift,
// 0x4000 Ctrl, 0x8000 Alt (Ctrl+O is 16463). Unknown key codes give an empty sequence.
QKeySequence ShortCutToKeySequence(qint32 shortCut);

// Header, text and footer of an item's screen tip, as a form describes them.
class TScreenTipProps : public TPersistent {
public:
    QString Header() const { return FTip.Header; }
    void SetHeader(const QString& text);
    QString Text() const { return FTip.Text; }
    void SetText(const QString& text);
    QString Footer() const { return FTip.Footer; }
    void SetFooter(const QString& text);
    const TScreenTip& Tip() const { return FTip; }
    std::function<void()> OnChange;

private:
    TScreenTip FTip;
};

// The pictures of the bar items by index (ImageIndex), as names of the program's pictures.
class TBarManager : public TComponent {
public:
    explicit TBarManager(TComponent* owner = nullptr);
    ~TBarManager() override;
    TStringList* ImageNames() const { return FImageNames.get(); }
    QString ImageName(int index) const;

private:
    std::unique_ptr<TStringList> FImageNames;
};

} // namespace lumotrix
