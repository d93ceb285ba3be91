#pragma once

#include "widgets/Control.h"

class QProgressBar;

namespace lumotrix {

class TProgressBar : public TControl {
public:
    explicit TProgressBar(TComponent* owner = nullptr);
    qint32 Min() const;
    void SetMin(qint32 value);
    qint32 Max() const;
    void SetMax(qint32 value);
    qint32 Position() const;
    void SetPosition(qint32 value);

private:
    QProgressBar* Bar() const;
};

} // namespace lumotrix
