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

protected:
    void Loaded() override;

private:
    QLabel* Label() const;
    bool FAutoSize = true;
};

} // namespace lumotrix
