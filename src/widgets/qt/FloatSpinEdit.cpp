#include "widgets/qt/FloatSpinEdit.h"

#include "runtime/FormatSettings.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

namespace lumotrix {

TNumberFormat TNumberFormat::Parse(const QString& picture) {
    TNumberFormat format;
    format.MinIntegerDigits = 0;
    int i = 0;
    auto isPicture = [](QChar c) { return c == QLatin1Char('#') || c == QLatin1Char('0'); };
    while (i < picture.size() && !isPicture(picture[i]) && picture[i] != QLatin1Char('.'))
        format.Prefix += picture[i++];
    while (i < picture.size() && isPicture(picture[i])) {
        if (picture[i] == QLatin1Char('0'))
            ++format.MinIntegerDigits;
        ++i;
    }
    if (i < picture.size() && picture[i] == QLatin1Char('.')) {
        ++i;
        while (i < picture.size() && isPicture(picture[i])) {
            ++format.Decimals;
            ++i;
        }
    }
    format.Suffix = picture.mid(i);
    return format;
}

QString TNumberFormat::Format(double value, QChar decimalSeparator) const {
    QString number = QString::number(std::fabs(value), 'f', Decimals);
    number.replace(QLatin1Char('.'), decimalSeparator);
    // Pad the integer part to the digits the picture insists on.
    int integerDigits = number.indexOf(decimalSeparator);
    if (integerDigits < 0)
        integerDigits = number.size();
    if (integerDigits < MinIntegerDigits)
        number.prepend(QString(MinIntegerDigits - integerDigits, QLatin1Char('0')));
    if (MinIntegerDigits == 0 && number.startsWith(QLatin1Char('0')) && integerDigits == 1 &&
        Decimals > 0)
        number.remove(0, 1);
    bool negative = value < 0 && std::fabs(value) >= 0.5 * std::pow(10.0, -Decimals);
    return Prefix + (negative ? QStringLiteral("-") : QString()) + number + Suffix;
}

namespace {

QString Strip(QString text, const TNumberFormat& a, const TNumberFormat& b) {
    text = text.trimmed();
    for (const TNumberFormat* format : {&a, &b}) {
        if (!format->Prefix.isEmpty() && text.startsWith(format->Prefix))
            text.remove(0, format->Prefix.size());
        if (!format->Suffix.isEmpty() && text.endsWith(format->Suffix))
            text.chop(format->Suffix.size());
    }
    return text.trimmed();
}

bool IsDecimalMark(QChar c) {
    return c == QLatin1Char(',') || c == QLatin1Char('.') || c == FormatSettings().DecimalSeparator;
}

// Either "," or "." is the decimal mark, whatever the locale: the editors' ranges are too small
// for a thousands separator, and users type the one they are used to.
bool ParseNumber(const QString& text, double& value) {
    QString c = text;
    for (QChar& ch : c)
        if (IsDecimalMark(ch))
            ch = QLatin1Char('.');
    QLocale parser = QLocale::c();
    parser.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    value = parser.toDouble(c, &ok);
    return ok && std::isfinite(value);
}

QValidator::State Validate(const QString& stripped, double minimum, double maximum) {
    if (stripped.isEmpty() || stripped == QLatin1String("-") ||
        (stripped.size() == 1 && IsDecimalMark(stripped[0])))
        return QValidator::Intermediate;
    double value = 0;
    if (!ParseNumber(stripped, value))
        return QValidator::Invalid;
    return value >= minimum && value <= maximum ? QValidator::Acceptable : QValidator::Intermediate;
}

} // namespace

template <typename TSpinBox, typename TValue>
TPictureSpinEdit<TSpinBox, TValue>::TPictureSpinEdit(QWidget* parent, TValue largeStep)
    : TSpinBox(parent), FLargeStep(largeStep) {}

template <typename TSpinBox, typename TValue>
QString TPictureSpinEdit<TSpinBox, TValue>::textFromValue(TValue value) const {
    return (this->hasFocus() ? FEdit : FDisplay).Format(value, FormatSettings().DecimalSeparator);
}

template <typename TSpinBox, typename TValue> void TPictureSpinEdit<TSpinBox, TValue>::ShowValue() {
    this->lineEdit()->setText(textFromValue(this->value()));
}

template <typename TSpinBox, typename TValue>
QString TPictureSpinEdit<TSpinBox, TValue>::StripPicture(const QString& text) const {
    return Strip(text, FDisplay, FEdit);
}

template <typename TSpinBox, typename TValue>
void TPictureSpinEdit<TSpinBox, TValue>::focusInEvent(QFocusEvent* event) {
    TSpinBox::focusInEvent(event);
    ShowValue();
    this->selectAll();
}

template <typename TSpinBox, typename TValue>
void TPictureSpinEdit<TSpinBox, TValue>::focusOutEvent(QFocusEvent* event) {
    TSpinBox::focusOutEvent(event);
    ShowValue();
}

template <typename TSpinBox, typename TValue>
void TPictureSpinEdit<TSpinBox, TValue>::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        this->setValue(this->value() + (event->key() == Qt::Key_PageUp ? FLargeStep : -FLargeStep));
        event->accept();
        return;
    }
    TSpinBox::keyPressEvent(event);
}

template <typename TSpinBox, typename TValue>
void TPictureSpinEdit<TSpinBox, TValue>::changeEvent(QEvent* event) {
    // What the user is typing stays as typed; it is read with either mark anyway.
    if (event->type() == QEvent::LanguageChange && !this->hasFocus())
        ShowValue();
    TSpinBox::changeEvent(event);
}

template class TPictureSpinEdit<QDoubleSpinBox, double>;
template class TPictureSpinEdit<QSpinBox, int>;

FloatSpinEdit::FloatSpinEdit(QWidget* parent) : TPictureSpinEdit(parent, 1.0) {
    SetDisplayFormat(QStringLiteral("#0.0"));
    SetEditFormat(QStringLiteral("#0.0"));
    setKeyboardTracking(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

void FloatSpinEdit::SetDisplayFormat(const QString& picture) {
    FDisplay = TNumberFormat::Parse(picture);
    setDecimals(qMax(FDisplay.Decimals, FEdit.Decimals));
    ShowValue();
}

void FloatSpinEdit::SetEditFormat(const QString& picture) {
    FEdit = TNumberFormat::Parse(picture);
    setDecimals(qMax(FDisplay.Decimals, FEdit.Decimals));
    ShowValue();
}

double FloatSpinEdit::valueFromText(const QString& text) const {
    double value = 0;
    if (!ParseNumber(StripPicture(text), value))
        return this->value();
    return qBound(minimum(), value, maximum());
}

QValidator::State FloatSpinEdit::validate(QString& text, int&) const {
    return Validate(StripPicture(text), minimum(), maximum());
}

// Left to itself the spin box would turn an out-of-range entry into the zero of its type.
void FloatSpinEdit::fixup(QString& input) const {
    input = textFromValue(valueFromText(input));
}

IntSpinEdit::IntSpinEdit(QWidget* parent) : TPictureSpinEdit(parent, 5) {
    SetDisplayFormat(QStringLiteral("0"));
    SetEditFormat(QStringLiteral("0"));
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

void IntSpinEdit::SetDisplayFormat(const QString& picture) {
    FDisplay = TNumberFormat::Parse(picture);
    FDisplay.Decimals = 0;
    ShowValue();
}

void IntSpinEdit::SetEditFormat(const QString& picture) {
    FEdit = TNumberFormat::Parse(picture);
    FEdit.Decimals = 0;
    ShowValue();
}

int IntSpinEdit::valueFromText(const QString& text) const {
    double value = 0;
    if (!ParseNumber(StripPicture(text), value))
        return this->value();
    return qBound(minimum(), static_cast<int>(std::lround(qBound(-2e9, value, 2e9))), maximum());
}

QValidator::State IntSpinEdit::validate(QString& text, int&) const {
    QString stripped = StripPicture(text);
    if (std::any_of(stripped.cbegin(), stripped.cend(), IsDecimalMark))
        return QValidator::Invalid;
    return Validate(stripped, minimum(), maximum());
}

void IntSpinEdit::fixup(QString& input) const {
    input = textFromValue(valueFromText(input));
}

} // namespace lumotrix
