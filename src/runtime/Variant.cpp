#include "runtime/Variant.h"

#include "runtime/Exception.h"

#include <cmath>
#include <limits>

namespace lumotrix {

const char* VarTypeName(TVarType type) {
    switch (type) {
    case varEmpty:
        return "Empty";
    case varNull:
        return "Null";
    case varInteger:
        return "Integer";
    case varWord:
        return "Word";
    case varInt64:
        return "Int64";
    case varDouble:
        return "Double";
    case varCurrency:
        return "Currency";
    case varBoolean:
        return "Boolean";
    case varString:
        return "String";
    case varWideString:
        return "WideString";
    case varArray:
        return "Array";
    }
    return "Unknown";
}

namespace {

[[noreturn]] void CastError(TVarType from, const char* to) {
    throw EInvalidCast(QStringLiteral("Could not convert variant of type (%1) into type (%2)")
                           .arg(QLatin1String(VarTypeName(from)), QLatin1String(to)));
}

// The number a text stands for; EConvertError when it stands for none.
double TextToDouble(const QString& text) {
    double value = 0;
    if (!TryTextToDouble(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid number").arg(text));
    return value;
}

bool IsIntegral(TVarType t) {
    return t == varInteger || t == varWord || t == varInt64 || t == varBoolean;
}

QString CurrencyText(qint64 units) {
    const bool negative = units < 0;
    // Work in unsigned so that the most negative value survives.
    const quint64 magnitude = negative ? 0 - static_cast<quint64>(units) : quint64(units);
    QString text = QString::number(magnitude / 10000);
    quint64 fraction = magnitude % 10000;
    if (fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

QString DoubleText(double value) {
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 15);
}

bool TryTextToInt64(const QString& text, qint64& value) {
    const QString t = text.trimmed();
    bool ok = false;
    if (t.startsWith(QLatin1Char('$')))
        value = static_cast<qint64>(t.mid(1).toULongLong(&ok, 16));
    else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = static_cast<qint64>(t.mid(2).toULongLong(&ok, 16));
    else
        value = t.toLongLong(&ok, 10);
    return ok;
}

qint64 DoubleToInt64(double value) {
    const double rounded = std::nearbyint(value); // half to even in the default mode
    if (!std::isfinite(rounded) || rounded < -9223372036854775808.0 ||
        rounded >= 9223372036854775808.0)
        throw ERangeError(QStringLiteral("Value %1 is out of range for a 64-bit integer")
                              .arg(QString::number(value, 'g', 17)));
    return static_cast<qint64>(rounded);
}

} // namespace

bool TryTextToDouble(const QString& text, double& value) {
    qint64 whole = 0;
    if (TryTextToInt64(text, whole)) {
        value = static_cast<double>(whole);
        return true;
    }
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    // QString::toDouble is locale independent ('.' separator) and rejects trailing garbage.
    value = t.toDouble(&ok);
    return ok && std::isfinite(value);
}

Variant::Variant(const QList<Variant>& items)
    : FType(varArray), FItems(items.begin(), items.end()) {}

Variant Variant::Null() {
    Variant v;
    v.FType = varNull;
    return v;
}

Variant Variant::FromCurrency(qint64 units) {
    Variant v;
    v.FType = varCurrency;
    v.FInt = units;
    return v;
}

bool Variant::IsNumeric() const {
    return IsIntegral(FType) || FType == varDouble || FType == varCurrency;
}

double Variant::ToDouble() const {
    switch (FType) {
    case varEmpty:
        return 0;
    case varInteger:
    case varWord:
    case varInt64:
        return static_cast<double>(FInt);
    case varBoolean:
        return FInt ? -1 : 0;
    case varDouble:
        return FDouble;
    case varCurrency:
        return static_cast<double>(FInt) / 10000.0;
    case varString:
    case varWideString:
        return TextToDouble(ToWideString());
    case varNull:
    case varArray:
        break;
    }
    CastError(FType, "Double");
}

qint64 Variant::ToInt64() const {
    switch (FType) {
    case varEmpty:
        return 0;
    case varInteger:
    case varWord:
    case varInt64:
        return FInt;
    case varBoolean:
        return FInt ? -1 : 0;
    case varDouble:
        return DoubleToInt64(FDouble);
    case varCurrency: {
        // Round half to even on the units, without going through double.
        qint64 whole = FInt / 10000;
        const qint64 rest = FInt % 10000;
        if (rest > 5000 || (rest == 5000 && (whole & 1)))
            ++whole;
        else if (rest < -5000 || (rest == -5000 && (whole & 1)))
            --whole;
        return whole;
    }
    case varString:
    case varWideString: {
        const QString text = ToWideString();
        qint64 whole = 0;
        if (TryTextToInt64(text, whole))
            return whole;
        return DoubleToInt64(TextToDouble(text));
    }
    case varNull:
    case varArray:
        break;
    }
    CastError(FType, "Int64");
}

qint32 Variant::ToInteger() const {
    const qint64 value = ToInt64();
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        throw ERangeError(
            QStringLiteral("Value %1 is out of range for a 32-bit integer").arg(value));
    return static_cast<qint32>(value);
}

qint64 Variant::ToCurrency() const {
    switch (FType) {
    case varCurrency:
        return FInt;
    case varInteger:
    case varWord:
    case varInt64:
    case varBoolean: {
        const qint64 v = ToInt64();
        if (v > std::numeric_limits<qint64>::max() / 10000 ||
            v < std::numeric_limits<qint64>::min() / 10000)
            throw ERangeError(QStringLiteral("Value %1 is out of range for a currency").arg(v));
        return v * 10000;
    }
    default: {
        const double scaled = ToDouble() * 10000.0;
        return DoubleToInt64(scaled);
    }
    }
}

bool Variant::ToBoolean() const {
    switch (FType) {
    case varEmpty:
        return false;
    case varString:
    case varWideString: {
        const QString text = ToWideString().trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
        double value = 0;
        if (!TryTextToDouble(text, value))
            throw EConvertError(QStringLiteral("'%1' is not a valid Boolean value").arg(text));
        return value != 0;
    }
    case varDouble:
        return FDouble != 0;
    case varInteger:
    case varWord:
    case varInt64:
    case varBoolean:
    case varCurrency:
        return FInt != 0;
    case varNull:
    case varArray:
        break;
    }
    CastError(FType, "Boolean");
}

WideString Variant::ToWideString() const {
    switch (FType) {
    case varEmpty:
        return {};
    case varString:
        return lumotrix::FromAnsi(FAnsi);
    case varWideString:
        return FWide;
    case varInteger:
    case varWord:
    case varInt64:
        return QString::number(FInt);
    case varBoolean:
        return FInt ? QStringLiteral("True") : QStringLiteral("False");
    case varDouble:
        return DoubleText(FDouble);
    case varCurrency:
        return CurrencyText(FInt);
    case varNull:
    case varArray:
        break;
    }
    CastError(FType, "WideString");
}

AnsiString Variant::ToAnsiString() const {
    if (FType == varString)
        return FAnsi;
    if (FType == varNull || FType == varArray)
        CastError(FType, "String");
    return ToAnsi(ToWideString());
}

QList<Variant> Variant::ToArray() const {
    if (FType != varArray)
        CastError(FType, "Array");
    return QList<Variant>(FItems.begin(), FItems.end());
}

qsizetype Variant::ArrayCount() const {
    return FType == varArray ? static_cast<qsizetype>(FItems.size()) : 0;
}

const Variant& Variant::ArrayItem(qsizetype index) const {
    if (index < 0 || index >= ArrayCount())
        throw ERangeError(QStringLiteral("Variant array index %1 out of bounds").arg(index));
    return FItems[static_cast<size_t>(index)];
}

bool VariantsDiffer(const Variant& a, const Variant& b) {
    if (a.IsNull() || b.IsNull())
        return !(a.IsNull() && b.IsNull());
    if (a.IsArray() || b.IsArray()) {
        if (!(a.IsArray() && b.IsArray()) || a.FItems.size() != b.FItems.size())
            return true;
        for (size_t i = 0; i < a.FItems.size(); ++i)
            if (VariantsDiffer(a.FItems[i], b.FItems[i]))
                return true;
        return false;
    }
    if (a.IsEmpty() && b.IsEmpty())
        return false;
    // Empty stands for the zero value of whatever it is compared with.
    if (a.IsEmpty() || b.IsEmpty()) {
        const Variant& other = a.IsEmpty() ? b : a;
        if (other.IsString())
            return !other.ToWideString().isEmpty();
        return other.ToDouble() != 0;
    }
    if (a.IsString() && b.IsString()) {
        if (a.FType == varString && b.FType == varString)
            return a.FAnsi != b.FAnsi;
        return a.ToWideString() != b.ToWideString();
    }
    if (a.IsString() || b.IsString()) {
        const Variant& text = a.IsString() ? a : b;
        const Variant& other = a.IsString() ? b : a;
        if (other.FType == varBoolean)
            return text.ToBoolean() != other.ToBoolean();
        return text.ToDouble() != other.ToDouble();
    }
    if (IsIntegral(a.FType) && IsIntegral(b.FType))
        return a.ToInt64() != b.ToInt64();
    if (a.FType == varCurrency && b.FType == varCurrency)
        return a.FInt != b.FInt;
    return a.ToDouble() != b.ToDouble();
}

} // namespace lumotrix
