#pragma once

#include <QDoubleSpinBox>
#include <QSpinBox>

namespace lumotrix {

// A numeric picture such as "#0.0°" or "0%": '0' a digit always shown, '#' a digit shown
// when significant, '.' the decimal separator; everything else is literal text.
struct TNumberFormat {
    QString Prefix;
    QString Suffix;
    int MinIntegerDigits = 1;
    int Decimals = 0;

    static TNumberFormat Parse(const QString& picture);
    QString Format(double value, QChar decimalSeparator) const;
};

// What the real and the integer spin editors share: a display picture used while the editor is
// not being edited and an edit picture while it has the focus, a large step taken with Page Up /
// Page Down. A change of the value is the spin box's own valueChanged.
template <typename TSpinBox, typename TValue> class TPictureSpinEdit : public TSpinBox {
public:
    TPictureSpinEdit(QWidget* parent, TValue largeStep);
    void SetLargeIncrement(TValue step) { FLargeStep = step; }
    TValue LargeIncrement() const { return FLargeStep; }

    QString textFromValue(TValue value) const override;

protected:
    // Shows the value in the picture that now applies.
    void ShowValue();
    QString StripPicture(const QString& text) const;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The decimal mark follows the interface language's format settings.
    void changeEvent(QEvent* event) override;

    TNumberFormat FDisplay;
    TNumberFormat FEdit;

private:
    TValue FLargeStep;
};

extern template class TPictureSpinEdit<QDoubleSpinBox, double>;
extern template class TPictureSpinEdit<QSpinBox, int>;

// A real spin editor: range, step and large step, display and edit pictures. Values are kept
// within the range whatever is typed or set.
class FloatSpinEdit : public TPictureSpinEdit<QDoubleSpinBox, double> {
    Q_OBJECT
public:
    explicit FloatSpinEdit(QWidget* parent = nullptr);
    void SetDisplayFormat(const QString& picture);
    void SetEditFormat(const QString& picture);

    double valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;
    void fixup(QString& input) const override;
};

// The integer counterpart, e.g. a percentage shown as "0%".
class IntSpinEdit : public TPictureSpinEdit<QSpinBox, int> {
    Q_OBJECT
public:
    explicit IntSpinEdit(QWidget* parent = nullptr);
    void SetDisplayFormat(const QString& picture);
    void SetEditFormat(const QString& picture);

    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;
    void fixup(QString& input) const override;
};

// A fixed drop-down over a lookup table: its value is a key; a key with no row shows an empty

} // namespace lumotrix
