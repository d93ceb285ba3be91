#pragma once

#include "widgets/Control.h"

class QLabel;

namespace lumotrix {

class TLabel : public TControl {
public:
    explicit TLabel(TComponent* owner = nullptr);
    QString Caption() const;
    void SetCaption(const QString& caption);
    bool WordWrap() const;
    void SetWordWrap(bool wrap);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);
    bool Transparent() const { return true; }
    void SetTransparent(bool) {}
    qintptr Perform(quint32 message, qintptr wParam, qintptr lParam) override;
    // The editor the label names: its buddy, and its accessible name is the caption.
    TControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TControl* control);

protected:
    void Loaded() override;
    void Shown() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    QLabel* Label() const;
    void NameFocusControl();
    // An auto-sized label takes the size of its text, now or when it is first shown.
    void Fit();
    bool FAutoSize = true;
    bool FFitPending = false;
    TControl* FFocusControl = nullptr;
};

} // namespace lumotrix
