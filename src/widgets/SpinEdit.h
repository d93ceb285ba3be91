#pragma once

#include "widgets/Control.h"

namespace lumotrix {

class FloatSpinEdit;

enum TSpinValueType { vtInt, vtFloat };
LUMOTRIX_ENUM_NAMES(TSpinValueType, "vtInt", "vtFloat")

// A spin editor, integer or real: range, step, large step, display and edit pictures.
class TSpinEdit : public TControl {
public:
    explicit TSpinEdit(TComponent* owner = nullptr);
    TSpinValueType ValueType() const { return FValueType; }
    void SetValueType(TSpinValueType type);
    double MinValue() const;
    void SetMinValue(double value);
    double MaxValue() const;
    void SetMaxValue(double value);
    double Increment() const;
    void SetIncrement(double value);
    double LargeIncrement() const;
    void SetLargeIncrement(double value);
    QString DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const QString& picture);
    QString EditFormat() const { return FEditFormat; }
    void SetEditFormat(const QString& picture);
    // The value, kept within the range (and whole for vtInt).
    double Value() const;
    void SetValue(double value);
    FloatSpinEdit* Editor() const;
    TNotifyEvent OnChange;

private:
    TSpinValueType FValueType = vtFloat;
    QString FDisplayFormat, FEditFormat;
};

} // namespace lumotrix
