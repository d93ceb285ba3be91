#include "widgets/SpinEdit.h"

#include "widgets/qt/FloatSpinEdit.h"

#include <cmath>

namespace lumotrix {

TSpinEdit::TSpinEdit(TComponent* owner) : TControl(owner) {
    auto* edit = new FloatSpinEdit;
    edit->setRange(0, 100);
    SetWidget(edit);
    QObject::connect(edit, &QDoubleSpinBox::valueChanged, edit, [this] { Fire(OnChange); });
    SetValueType(vtFloat);
}

FloatSpinEdit* TSpinEdit::Editor() const {
    return static_cast<FloatSpinEdit*>(Widget());
}

void TSpinEdit::SetValueType(TSpinValueType type) {
    FValueType = type;
    if (FDisplayFormat.isEmpty())
        Editor()->SetDisplayFormat(type == vtInt ? QStringLiteral("0") : QStringLiteral("#0.0"));
    if (FEditFormat.isEmpty())
        Editor()->SetEditFormat(type == vtInt ? QStringLiteral("0") : QStringLiteral("#0.0"));
    if (type == vtInt)
        Editor()->setValue(std::round(Editor()->value()));
}

double TSpinEdit::MinValue() const {
    return Editor()->minimum();
}
void TSpinEdit::SetMinValue(double value) {
    Editor()->setMinimum(value);
}
double TSpinEdit::MaxValue() const {
    return Editor()->maximum();
}
void TSpinEdit::SetMaxValue(double value) {
    Editor()->setMaximum(value);
}
double TSpinEdit::Increment() const {
    return Editor()->singleStep();
}
void TSpinEdit::SetIncrement(double value) {
    Editor()->setSingleStep(value);
}
double TSpinEdit::LargeIncrement() const {
    return Editor()->LargeIncrement();
}
void TSpinEdit::SetLargeIncrement(double value) {
    Editor()->SetLargeIncrement(value);
}

void TSpinEdit::SetDisplayFormat(const QString& picture) {
    FDisplayFormat = picture;
    Editor()->SetDisplayFormat(picture);
}

void TSpinEdit::SetEditFormat(const QString& picture) {
    FEditFormat = picture;
    Editor()->SetEditFormat(picture);
}

double TSpinEdit::Value() const {
    return FValueType == vtInt ? std::round(Editor()->value()) : Editor()->value();
}

void TSpinEdit::SetValue(double value) {
    if (!std::isfinite(value))
        throw ERangeError(DeveloperText(QStringLiteral("Not a finite value for %1").arg(Name())));
    Editor()->setValue(FValueType == vtInt ? std::round(value) : value);
}

LUMOTRIX_REGISTER_CLASS(TSpinEdit, TControl) {
    Property("ValueType", &TSpinEdit::ValueType, &TSpinEdit::SetValueType);
    Property("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue);
    Property("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue);
    Property("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement);
    Property("LargeIncrement", &TSpinEdit::LargeIncrement, &TSpinEdit::SetLargeIncrement);
    Property("DisplayFormat", &TSpinEdit::DisplayFormat, &TSpinEdit::SetDisplayFormat);
    Property("EditFormat", &TSpinEdit::EditFormat, &TSpinEdit::SetEditFormat);
    Property("Value", &TSpinEdit::Value, &TSpinEdit::SetValue);
    Property("OnChange", &TSpinEdit::OnChange);
}

} // namespace lumotrix
