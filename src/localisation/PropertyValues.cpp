#include "localisation/PropertyValues.h"

#include "localisation/TranslateSettings.h"
#include "runtime/Classes.h"

#include <cmath>

namespace lumotrix {

namespace {

[[noreturn]] void RangeError(const QString& value, qint64 min, qint64 max) {
    throw ERangeError(
        QStringLiteral("Range check error: %1 is not within %2..%3").arg(value).arg(min).arg(max));
}

qint64 CheckRange(qint64 value, qint64 min, qint64 max) {
    if (value < min || value > max)
        RangeError(QString::number(value), min, max);
    return value;
}

// The range of an integer type; an unsigned 32-bit type stores its maximum as -1.
void IntegerRange(const TTypeData& data, qint64& min, qint64& max) {
    if (data.MaxValue > data.MinValue) {
        min = data.MinValue;
        max = data.MaxValue;
    } else {
        min = static_cast<quint32>(data.MinValue);
        max = static_cast<quint32>(data.MaxValue);
    }
}

Variant AsInteger(qint64 ordinal) {
    // Ordinals travel as 32-bit integers; an unsigned 32-bit value wraps as it does in a stream.
    return Variant(static_cast<qint32>(ordinal));
}

} // namespace

Variant GetPropertyValue(TObject* instance, const TPropInfo* propInfo) {
    switch (propInfo->Kind()) {
    case tkInteger:
    case tkSet:
        return AsInteger(GetOrdProp(instance, propInfo));
    case tkClass:
        return AsInteger(reinterpret_cast<qintptr>(GetObjectProp(instance, propInfo)));
    case tkChar:
        return Variant(AnsiString(1, static_cast<char>(GetOrdProp(instance, propInfo))));
    case tkEnumeration: {
        const qint64 ordinal = GetOrdProp(instance, propInfo);
        if (propInfo->PropType->Data.IsBoolean)
            return Variant(ordinal != 0);
        return AsInteger(ordinal);
    }
    case tkFloat:
        return Variant(GetFloatProp(instance, propInfo));
    case tkString:
    case tkLString:
        return Variant(GetStrProp(instance, propInfo));
    case tkMethod:
        return Variant(ToAnsi(propInfo->PropType->Name));
    case tkWChar:
        return Variant(static_cast<quint16>(GetOrdProp(instance, propInfo)));
    case tkWString:
        return Variant(GetWideStrProp(instance, propInfo));
    case tkVariant:
        return GetVariantProp(instance, propInfo);
    case tkInt64:
        return Variant(GetInt64Prop(instance, propInfo));
    case tkDynArray:
        return GetDynArrayProp(instance, propInfo);
    case tkUnknown:
    case tkArray:
    case tkRecord:
    case tkInterface:
        break;
    }
    return Variant::Null();
}

bool AreComparable(const Variant& current, const Variant& newValue) {
    return current.VarType() == newValue.VarType() || (current.IsString() && newValue.IsString());
}

bool IsExcluded(TComponent* root, TObject* instance, const TPropInfo* propInfo,
                const QString& propName, const Variant& current, const Variant& newValue) {
    bool excluded = false;
    if (propName != QLatin1String("Charset") && !TranslateKinds.IsEmpty())
        excluded = !TranslateKinds.Contains(propInfo->Kind());
    if (!excluded) {
        if (instance == root)
            excluded = !TranslateRootPosition &&
                       (propName == QLatin1String("Position") ||
                        propName == QLatin1String("Left") || propName == QLatin1String("Top"));
        else
            excluded = propName == QLatin1String("ConnectionString");
    }
    return DoBeforeTranslate(root, instance, propInfo, current, newValue, excluded);
}

qint64 RangedValue(const Variant& newValue, qint64 min, qint64 max) {
    const double number = std::trunc(newValue.ToDouble());
    // Beyond 64 bits (or not a number) no conversion is defined: out of any range.
    if (!(number >= -9223372036854775808.0 && number < 9223372036854775808.0))
        RangeError(newValue.ToWideString(), min, max);
    return CheckRange(static_cast<qint64>(number), min, max);
}

qint64 RangedCharValue(const Variant& newValue, qint64 min, qint64 max) {
    if (newValue.VarType() == varWideString) {
        const QString text = newValue.ToWideString();
        return CheckRange(text.size() == 1 ? text.at(0).unicode() : min - 1, min, max);
    }
    if (newValue.VarType() == varString) {
        const AnsiString text = newValue.ToAnsiString();
        return CheckRange(text.size() == 1 ? static_cast<unsigned char>(text.at(0)) : min - 1, min,
                          max);
    }
    return RangedValue(newValue, min, max);
}

void SetPropertyValue(TObject* instance, const TPropInfo* propInfo, const Variant& newValue) {
    const TTypeData& data = propInfo->PropType->Data;
    switch (propInfo->Kind()) {
    case tkInteger: {
        qint64 min = 0;
        qint64 max = 0;
        IntegerRange(data, min, max);
        SetOrdProp(instance, propInfo, RangedValue(newValue, min, max));
        break;
    }
    case tkChar:
    case tkWChar:
        SetOrdProp(instance, propInfo, RangedCharValue(newValue, data.MinValue, data.MaxValue));
        break;
    case tkEnumeration:
        if (newValue.IsString())
            SetEnumProp(instance, propInfo, newValue.ToWideString());
        else if (newValue.VarType() == varBoolean)
            SetOrdProp(instance, propInfo,
                       static_cast<qint64>(std::fabs(std::trunc(newValue.ToDouble()))));
        else
            SetOrdProp(instance, propInfo, RangedValue(newValue, data.MinValue, data.MaxValue));
        break;
    case tkSet:
        if (newValue.VarType() == varInteger)
            SetOrdProp(instance, propInfo, static_cast<quint32>(newValue.ToInteger()));
        else
            SetSetProp(instance, propInfo, newValue.ToWideString());
        break;
    case tkFloat:
        SetFloatProp(instance, propInfo, newValue.ToDouble());
        break;
    case tkString:
    case tkLString:
        SetStrProp(instance, propInfo, newValue.ToAnsiString());
        break;
    case tkWString:
        SetWideStrProp(instance, propInfo, newValue.ToWideString());
        break;
    case tkVariant:
        SetVariantProp(instance, propInfo, newValue);
        break;
    case tkInt64:
        SetInt64Prop(instance, propInfo,
                     RangedValue(newValue, data.MinInt64Value, data.MaxInt64Value));
        break;
    case tkDynArray:
        SetDynArrayProp(instance, propInfo, newValue);
        break;
    case tkUnknown:
    case tkClass:
    case tkMethod:
    case tkArray:
    case tkRecord:
    case tkInterface:
        break;
    }
}

} // namespace lumotrix
