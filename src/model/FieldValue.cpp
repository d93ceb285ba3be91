#include "model/FieldValue.h"

#include "model/MemDataLimits.h"
#include "model/ModelMessageIds.h"
#include "runtime/Exception.h"

#include <cmath>

namespace lumotrix {

namespace {

// `id` is a "Field %1: %2 is not ..." message, `value` what was refused.
[[noreturn]] void ConvertFail(const TFieldDef& def, TModelMessageId id, const TMessageArg& value) {
    throw EConvertError(TMessage(id, {Quoted(def.Name), value}));
}

[[noreturn]] void ConvertFail(const TFieldDef& def, TModelMessageId id, const AnsiString& text) {
    ConvertFail(def, id, Quoted(FromAnsi(text)));
}

qint32 CheckedInteger(const TFieldDef& def, qint64 value) {
    const qint64 lo = def.DataType == TFieldType::ftSmallint ? -32768 : INT32_MIN;
    const qint64 hi = def.DataType == TFieldType::ftSmallint ? 32767 : INT32_MAX;
    if (value < lo || value > hi)
        throw ERangeError(TMessage(msgFieldOutOfRange, {Quoted(def.Name), value, lo, hi}));
    return static_cast<qint32>(value);
}

qint32 CheckedTime(const TFieldDef& def, qint64 msecs) {
    const qint64 hi = def.DataType == TFieldType::ftTime ? MSecsPerDay - 1 : MaxDurationMSecs;
    if (msecs < 0 || msecs > hi)
        throw ERangeError(TMessage(def.DataType == TFieldType::ftTime ? msgFieldBadTimeOfDay
                                                                      : msgFieldBadDuration,
                                   {Quoted(def.Name), msecs}));
    return static_cast<qint32>(msecs);
}

qint32 RoundedInteger(const TFieldDef& def, double value) {
    if (!std::isfinite(value) || std::fabs(value) > 4e9)
        ConvertFail(def, msgFieldNotInteger, value);
    return CheckedInteger(def, std::llround(value));
}

qint64 ParseInteger(const TFieldDef& def, const AnsiString& text) {
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok)
        ConvertFail(def, msgFieldNotInteger, text);
    return v;
}

double ParseFloat(const TFieldDef& def, const AnsiString& text) {
    AnsiString t = text.trimmed();
    if (!t.contains('.'))
        t.replace(',', '.');
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        ConvertFail(def, msgFieldNotNumber, text);
    return v;
}

bool ParseBoolean(const TFieldDef& def, const AnsiString& text) {
    const AnsiString t = text.trimmed().toLower();
    if (t == "true" || t == "1")
        return true;
    if (t == "false" || t == "0")
        return false;
    ConvertFail(def, msgFieldNotBoolean, text);
}

// h:mm, h:mm:ss or h:mm:ss.zzz; one or two hour digits.
qint64 ParseTime(const TFieldDef& def, const AnsiString& text) {
    const AnsiString t = text.trimmed();
    const QList<QByteArray> parts = t.split(':');
    auto fail = [&]() -> qint64 { ConvertFail(def, msgFieldNotTime, text); };
    if (parts.size() < 2 || parts.size() > 3)
        return fail();
    auto number = [&](const QByteArray& p, int maxDigits) -> int {
        if (p.isEmpty() || p.size() > maxDigits)
            fail();
        for (char c : p)
            if (c < '0' || c > '9')
                fail();
        return p.toInt();
    };
    const int h = number(parts[0], 2);
    const int m = number(parts[1], 2);
    int s = 0, ms = 0;
    if (parts.size() == 3) {
        const QList<QByteArray> sec = parts[2].split('.');
        if (sec.size() > 2)
            return fail();
        s = number(sec[0], 2);
        if (sec.size() == 2) {
            const QByteArray frac = sec[1];
            ms = number(frac, 3);
            for (qsizetype i = frac.size(); i < 3; ++i)
                ms *= 10;
        }
    }
    if (m > 59 || s > 59)
        return fail();
    return ((qint64(h) * 60 + m) * 60 + s) * 1000 + ms;
}

AnsiString FormatTime(qint32 msecs) {
    const TTimeParts p = DecodeTime(msecs);
    return QStringLiteral("%1:%2:%3")
        .arg(p.Hour, 2, 10, QLatin1Char('0'))
        .arg(p.Minute, 2, 10, QLatin1Char('0'))
        .arg(p.Second, 2, 10, QLatin1Char('0'))
        .toLatin1();
}

AnsiString FormatFloat(double v) {
    return QByteArray::number(v, 'g', 15);
}

} // namespace

QString FieldTypeName(TFieldType type) {
    switch (type) {
    case TFieldType::ftRecId:
        return QStringLiteral("record number");
    case TFieldType::ftString:
        return QStringLiteral("string");
    case TFieldType::ftSmallint:
        return QStringLiteral("16-bit integer");
    case TFieldType::ftInteger:
        return QStringLiteral("32-bit integer");
    case TFieldType::ftFloat:
        return QStringLiteral("double");
    case TFieldType::ftTime:
        return QStringLiteral("time of day");
    case TFieldType::ftDuration:
        return QStringLiteral("duration");
    case TFieldType::ftBoolean:
        return QStringLiteral("boolean");
    }
    return QStringLiteral("unknown");
}

qint32 EncodeTime(int hour, int minute, int second, int msec) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        msec < 0 || msec > 999)
        throw EConvertError(TMessage(msgBadTimeOfDay, {hour, minute, second, msec}));
    return ((hour * 60 + minute) * 60 + second) * 1000 + msec;
}

TTimeParts DecodeTime(qint32 msecs) {
    TTimeParts p;
    if (msecs < 0)
        msecs = 0;
    p.MSec = msecs % 1000;
    p.Second = msecs / 1000 % 60;
    p.Minute = msecs / 60000 % 60;
    p.Hour = msecs / 3600000;
    return p;
}

TFieldValue ConvertValue(const TFieldDef& def, const TFieldValue& value) {
    if (std::holds_alternative<std::monostate>(value))
        return value;
    if (const auto* s = std::get_if<AnsiString>(&value); s && s->isEmpty())
        return std::monostate{};

    switch (def.DataType) {
    case TFieldType::ftString: {
        AnsiString text;
        if (const auto* s = std::get_if<AnsiString>(&value))
            text = *s;
        else if (const auto* i = std::get_if<qint32>(&value))
            text = AnsiString::number(*i);
        else if (const auto* d = std::get_if<double>(&value))
            text = FormatFloat(*d);
        else
            text = std::get<bool>(value) ? "True" : "False";
        return text.left(def.Size);
    }
    case TFieldType::ftRecId:
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
        if (const auto* i = std::get_if<qint32>(&value))
            return CheckedInteger(def, *i);
        if (const auto* d = std::get_if<double>(&value))
            return RoundedInteger(def, *d);
        if (const auto* b = std::get_if<bool>(&value))
            return qint32(*b ? 1 : 0);
        return CheckedInteger(def, ParseInteger(def, std::get<AnsiString>(value)));
    case TFieldType::ftFloat:
        if (const auto* d = std::get_if<double>(&value)) {
            if (!std::isfinite(*d))
                ConvertFail(def, msgFieldNotNumber, *d);
            return *d;
        }
        if (const auto* i = std::get_if<qint32>(&value))
            return double(*i);
        if (const auto* b = std::get_if<bool>(&value))
            return *b ? 1.0 : 0.0;
        return ParseFloat(def, std::get<AnsiString>(value));
    case TFieldType::ftTime:
    case TFieldType::ftDuration:
        if (const auto* i = std::get_if<qint32>(&value))
            return CheckedTime(def, *i);
        if (const auto* d = std::get_if<double>(&value)) {
            if (!std::isfinite(*d) || std::fabs(*d) > 1e6)
                ConvertFail(def, msgFieldNotTime, *d);
            return CheckedTime(def, std::llround(*d * MSecsPerDay));
        }
        if (std::holds_alternative<bool>(value))
            throw EConvertError(DeveloperText(
                QStringLiteral("Field %1: a boolean is not a time").arg(Quoted(def.Name))));
        return CheckedTime(def, ParseTime(def, std::get<AnsiString>(value)));
    case TFieldType::ftBoolean:
        if (const auto* b = std::get_if<bool>(&value))
            return *b;
        if (const auto* i = std::get_if<qint32>(&value))
            return *i != 0;
        if (const auto* d = std::get_if<double>(&value))
            return *d != 0.0;
        return ParseBoolean(def, std::get<AnsiString>(value));
    }
    throw EConvertError(
        DeveloperText(QStringLiteral("Field %1: unknown field type").arg(Quoted(def.Name))));
}

AnsiString ValueAsString(const TFieldDef& def, const TFieldValue& value) {
    if (std::holds_alternative<std::monostate>(value))
        return {};
    if (const auto* s = std::get_if<AnsiString>(&value))
        return *s;
    if (const auto* b = std::get_if<bool>(&value))
        return *b ? "True" : "False";
    if (const auto* d = std::get_if<double>(&value))
        return FormatFloat(*d);
    const qint32 i = std::get<qint32>(value);
    return IsTimeType(def.DataType) ? FormatTime(i) : AnsiString::number(i);
}

qint32 ValueAsInteger(const TFieldDef& def, const TFieldValue& value) {
    if (std::holds_alternative<std::monostate>(value))
        return 0;
    if (IsTimeType(def.DataType))
        throw EInvalidCast(DeveloperText(
            QStringLiteral("Field %1: a time cannot be read as an integer").arg(Quoted(def.Name))));
    if (const auto* i = std::get_if<qint32>(&value))
        return *i;
    if (const auto* b = std::get_if<bool>(&value))
        return *b ? 1 : 0;
    TFieldDef asInt = def;
    asInt.DataType = TFieldType::ftInteger;
    if (const auto* d = std::get_if<double>(&value))
        return RoundedInteger(asInt, *d);
    return CheckedInteger(asInt, ParseInteger(def, std::get<AnsiString>(value)));
}

double ValueAsFloat(const TFieldDef& def, const TFieldValue& value) {
    if (std::holds_alternative<std::monostate>(value))
        return 0.0;
    if (const auto* d = std::get_if<double>(&value))
        return *d;
    if (const auto* b = std::get_if<bool>(&value))
        return *b ? 1.0 : 0.0;
    if (const auto* i = std::get_if<qint32>(&value))
        return IsTimeType(def.DataType) ? double(*i) / MSecsPerDay : double(*i);
    return ParseFloat(def, std::get<AnsiString>(value));
}

bool ValueAsBoolean(const TFieldDef& def, const TFieldValue& value) {
    if (std::holds_alternative<std::monostate>(value))
        return false;
    if (IsTimeType(def.DataType))
        throw EInvalidCast(DeveloperText(
            QStringLiteral("Field %1: a time cannot be read as a boolean").arg(Quoted(def.Name))));
    if (const auto* b = std::get_if<bool>(&value))
        return *b;
    if (const auto* i = std::get_if<qint32>(&value))
        return *i != 0;
    if (const auto* d = std::get_if<double>(&value))
        return *d != 0.0;
    return ParseBoolean(def, std::get<AnsiString>(value));
}

qint32 ValueAsTime(const TFieldDef& def, const TFieldValue& value) {
    if (std::holds_alternative<std::monostate>(value))
        return 0;
    if (IsTimeType(def.DataType))
        return std::get<qint32>(value);
    TFieldDef asDuration = def;
    asDuration.DataType = TFieldType::ftDuration;
    if (const auto* s = std::get_if<AnsiString>(&value))
        return CheckedTime(asDuration, ParseTime(def, *s));
    if (const auto* d = std::get_if<double>(&value))
        return std::get<qint32>(ConvertValue(asDuration, *d));
    throw EInvalidCast(DeveloperText(QStringLiteral("Field %1: a %2 cannot be read as a time")
                                         .arg(Quoted(def.Name), FieldTypeName(def.DataType))));
}

} // namespace lumotrix
