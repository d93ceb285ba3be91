#pragma once

#include "widgets/DataTable.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <functional>

namespace lumotrix {

// A numeric picture such as "#0.0°" or "0%": '0' a digit always shown, '#' a digit shown
// when significant, '.' the decimal separator of the locale; everything else is literal text.
struct TNumberFormat {
    QString Prefix;
    QString Suffix;
    int MinIntegerDigits = 1;
    int Decimals = 0;

    static TNumberFormat Parse(const QString& picture);
    QString Format(double value, const QLocale& locale) const;
};

// A real spin editor: range, step and large step (Page Up / Page Down), a display picture used
// while it is not being edited and an edit picture while it has the focus. Values are kept
// within the range whatever is typed or set.
class FloatSpinEdit : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit FloatSpinEdit(QWidget* parent = nullptr);
    void SetDisplayFormat(const QString& picture);
    void SetEditFormat(const QString& picture);
    void SetLargeIncrement(double step) { FLargeStep = step; }
    double LargeIncrement() const { return FLargeStep; }
    std::function<void()> OnChange;

    QString textFromValue(double value) const override;
    double valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;
    void stepBy(int steps) override;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString StripPicture(const QString& text) const;
    TNumberFormat FDisplay;
    TNumberFormat FEdit;
    double FLargeStep = 1.0;
    bool FLargeStepping = false;
};

// The integer counterpart, e.g. a percentage shown as "0%".
class IntSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit IntSpinEdit(QWidget* parent = nullptr);
    void SetDisplayFormat(const QString& picture);
    void SetEditFormat(const QString& picture);
    void SetLargeIncrement(int step) { FLargeStep = step; }
    int LargeIncrement() const { return FLargeStep; }
    std::function<void()> OnChange;

    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString StripPicture(const QString& text) const;
    TNumberFormat FDisplay;
    TNumberFormat FEdit;
    int FLargeStep = 5;
};

// A fixed drop-down over a lookup table: its value is a key; a key with no row shows an empty
// choice. The list follows the table: renaming a row updates the shown text at once.
class LookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit LookupComboBox(QWidget* parent = nullptr);
    ~LookupComboBox() override;
    void SetLookup(const TLookupSource& lookup);
    QVariant KeyValue() const { return FKey; }
    // Any key is kept, even one with no row (it shows empty until such a row appears).
    void SetKeyValue(const QVariant& key);
    std::function<void()> OnChange;

private:
    void Rebuild();
    void Detach();
    TLookupSource FLookup;
    int FObserver = 0;
    QVariant FKey = 0;
    bool FRebuilding = false;
};

} // namespace lumotrix
