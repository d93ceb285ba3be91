#include "model/MemData.h"

#include "runtime/AtomicFile.h"
#include "runtime/CappedRead.h"
#include "runtime/Exception.h"
#include "runtime/MessageIds.h"
#include "runtime/SystemReason.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace lumotrix {
namespace {

const TFieldValue NullValue;

constexpr char Signature[8] = {'L', 'M', 'X', 'T', 'A', 'B', 'L', 'E'};
constexpr quint16 FormatVersion = 1;
constexpr int MaxFieldCount = 256;
constexpr int MaxFieldNameLength = 64;
constexpr int MaxStringSize = 8192;
// The configuration tables are a few kilobytes; anything this large is not one of ours. The cell
// limit bounds the memory a hostile file can make the reader take (a null cell is one byte on
// disk but a whole value in memory).
constexpr qint64 MaxFileSize = 8 * 1024 * 1024;
constexpr quint64 MaxCellCount = 1024 * 1024;

QString Quoted(const QString& text) {
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

// `id` is a "Field %1: %2 is not ..." message, `value` what was refused.
[[noreturn]] void ConvertFail(const TFieldDef& def, TMessageId id, const TMessageArg& value) {
    throw EConvertError(TMessage(id, {Quoted(def.Name), value}));
}

[[noreturn]] void ConvertFail(const TFieldDef& def, TMessageId id, const AnsiString& text) {
    ConvertFail(def, id, Quoted(FromAnsi(text)));
}

bool IsTimeType(TFieldType t) {
    return t == TFieldType::ftTime || t == TFieldType::ftDuration;
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

// Orders values of one field for the sort; null first.
bool ValueLess(const TFieldValue& a, const TFieldValue& b) {
    if (a.index() != b.index())
        return a.index() < b.index();
    return std::visit(
        [&](const auto& x) -> bool {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return false;
            else
                return x < std::get<T>(b);
        },
        a);
}

quint32 Crc32(const char* data, qsizetype size) {
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < size; ++i)
        crc = table[(crc ^ static_cast<unsigned char>(data[i])) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

class TByteWriter {
public:
    void U8(quint8 v) { FBytes.append(static_cast<char>(v)); }
    void U16(quint16 v) { Raw(qToLittleEndian(v)); }
    void U32(quint32 v) { Raw(qToLittleEndian(v)); }
    void I32(qint32 v) { Raw(qToLittleEndian(v)); }
    void F64(double v) {
        quint64 bits;
        std::memcpy(&bits, &v, sizeof bits);
        Raw(qToLittleEndian(bits));
    }
    void Bytes(const QByteArray& b) { FBytes.append(b); }
    QByteArray& Data() { return FBytes; }

private:
    template <typename T> void Raw(T v) {
        FBytes.append(reinterpret_cast<const char*>(&v), sizeof v);
    }
    QByteArray FBytes;
};

class TByteReader {
public:
    TByteReader(const QByteArray& bytes, qsizetype end, QString source)
        : FBytes(bytes), FEnd(end), FSource(std::move(source)) {}

    [[noreturn]] void Fail(const TMessage& what) const {
        throw EReadError(TMessage(msgTableFileRefused, {FSource, what, FPos}));
    }
    qsizetype Remaining() const { return FEnd - FPos; }
    qsizetype Pos() const { return FPos; }
    const char* Take(qsizetype n) {
        if (n < 0 || n > Remaining())
            Fail({msgTableCutShort});
        const char* p = FBytes.constData() + FPos;
        FPos += n;
        return p;
    }
    quint8 U8() { return static_cast<quint8>(*Take(1)); }
    quint16 U16() { return qFromLittleEndian<quint16>(Take(2)); }
    quint32 U32() { return qFromLittleEndian<quint32>(Take(4)); }
    qint32 I32() { return qFromLittleEndian<qint32>(Take(4)); }
    double F64() {
        const quint64 bits = qFromLittleEndian<quint64>(Take(8));
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }

private:
    const QByteArray& FBytes;
    qsizetype FEnd;
    QString FSource;
    qsizetype FPos = 0;
};

// The field names, for a message: the types are the developer's words.
QString FieldList(const std::vector<TFieldDef>& defs) {
    QStringList names;
    for (const TFieldDef& d : defs)
        names << d.Name;
    return names.join(QStringLiteral(", "));
}

bool SameDefs(const std::vector<TFieldDef>& a, const std::vector<TFieldDef>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].Name.compare(b[i].Name, Qt::CaseInsensitive) != 0 ||
            a[i].DataType != b[i].DataType || a[i].Size != b[i].Size)
            return false;
    return true;
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

// --- TField ---

const TFieldDef& TField::Def() const {
    return FTable->FDefs[static_cast<std::size_t>(FIndex)];
}
const TFieldValue& TField::Value() const {
    return FTable->CurrentValue(FIndex);
}
bool TField::IsNull() const {
    return std::holds_alternative<std::monostate>(Value());
}
AnsiString TField::AsString() const {
    return ValueAsString(Def(), Value());
}
qint32 TField::AsInteger() const {
    return ValueAsInteger(Def(), Value());
}
double TField::AsFloat() const {
    return ValueAsFloat(Def(), Value());
}
bool TField::AsBoolean() const {
    return ValueAsBoolean(Def(), Value());
}
qint32 TField::AsTime() const {
    return ValueAsTime(Def(), Value());
}
void TField::SetValue(const TFieldValue& value) {
    FTable->SetCurrentValue(FIndex, value);
}

void TField::SetAsTime(qint32 msecs) {
    if (!IsTimeType(DataType()))
        throw EInvalidCast(DeveloperText(QStringLiteral("Field %1: a %2 cannot be set from a time")
                                             .arg(Quoted(FieldName()), FieldTypeName(DataType()))));
    SetValue(msecs);
}

// --- TMemData ---

TMemData::TMemData(QString name) : FName(std::move(name)) {
    FDefs.push_back({QStringLiteral("RecId"), TFieldType::ftRecId, 0});
    RebuildFields();
}

TMemData::~TMemData() {
    FDisableCount = 0;
    Notify(TTableChange::TKind::Destroyed);
}

QString TMemData::Describe() const {
    return FName.isEmpty() ? QStringLiteral("The table") : QStringLiteral("Table ") + FName;
}

void TMemData::CheckInactive(const char* operation) const {
    if (Active())
        throw Exception(DeveloperText(
            QStringLiteral("%1 is open: cannot %2").arg(Describe(), QLatin1String(operation))));
}

void TMemData::CheckActive(const char* operation) const {
    if (!Active())
        throw Exception(DeveloperText(
            QStringLiteral("%1 is closed: cannot %2").arg(Describe(), QLatin1String(operation))));
}

void TMemData::RebuildFields() {
    while (FFields.size() > FDefs.size())
        FFields.pop_back();
    while (FFields.size() < FDefs.size())
        FFields.push_back(std::make_unique<TField>(*this, static_cast<int>(FFields.size())));
}

void TMemData::ClearFieldDefs() {
    CheckInactive("change its fields");
    FDefs.resize(1);
    FSortFieldName.clear();
    RebuildFields();
}

void TMemData::AddFieldDef(const QString& name, TFieldType type, int size) {
    CheckInactive("change its fields");
    const TFieldDef def{name, type, size};
    if (name.isEmpty() || name.size() > MaxFieldNameLength || !IsAnsiRepresentable(name))
        throw Exception(DeveloperText(
            QStringLiteral("%1: %2 is not a valid field name").arg(Describe(), Quoted(name))));
    if (FieldIndex(name) >= 0)
        throw Exception(DeveloperText(
            QStringLiteral("%1 has a field %2 already").arg(Describe(), Quoted(name))));
    if (type == TFieldType::ftRecId)
        throw Exception(
            DeveloperText(QStringLiteral("%1: only RecId is a record number").arg(Describe())));
    const bool isString = type == TFieldType::ftString;
    if (isString ? (size < 1 || size > MaxStringSize) : size != 0)
        throw Exception(DeveloperText(QStringLiteral("%1: size %2 is not valid for field %3")
                                          .arg(Describe())
                                          .arg(size)
                                          .arg(Quoted(name))));
    if (static_cast<int>(FDefs.size()) >= MaxFieldCount)
        throw Exception(DeveloperText(QStringLiteral("%1 has too many fields").arg(Describe())));
    FDefs.push_back(def);
    RebuildFields();
}

int TMemData::FieldIndex(const QString& name) const {
    for (std::size_t i = 0; i < FDefs.size(); ++i)
        if (FDefs[i].Name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

void TMemData::SetSortFieldName(const QString& name) {
    if (!name.isEmpty() && FieldIndex(name) < 0)
        throw Exception(
            DeveloperText(QStringLiteral("%1 has no field %2").arg(Describe(), Quoted(name))));
    if (Active())
        CheckBrowseMode();
    FSortFieldName = name;
    if (Active() && !FRows.empty()) {
        const TRow* current =
            FCurrent >= 0 ? FRows[static_cast<std::size_t>(FCurrent)].get() : nullptr;
        SortRows();
        FCurrent = RowOfIdentity(current);
        Notify(TTableChange::TKind::Reset);
    }
}

void TMemData::SortRows() {
    const int field = FSortFieldName.isEmpty() ? -1 : FieldIndex(FSortFieldName);
    if (field < 0)
        return;
    const auto f = static_cast<std::size_t>(field);
    std::stable_sort(FRows.begin(), FRows.end(),
                     [f](const auto& a, const auto& b) { return ValueLess((*a)[f], (*b)[f]); });
}

int TMemData::RowOfIdentity(const TRow* row) const {
    for (std::size_t i = 0; i < FRows.size(); ++i)
        if (FRows[i].get() == row)
            return static_cast<int>(i);
    return -1;
}

void TMemData::Open() {
    if (Active())
        return;
    FRows.clear();
    FCurrent = -1;
    FEof = FBof = true;
    FModified = false;
    SetState(TDataSetState::dsBrowse);
    Notify(TTableChange::TKind::Reset);
}

void TMemData::Close() {
    if (!Active())
        return;
    FBuffer.clear();
    FRows.clear();
    FCurrent = -1;
    FEof = FBof = true;
    FModified = false;
    SetState(TDataSetState::dsInactive);
    Notify(TTableChange::TKind::Reset);
}

void TMemData::SetState(TDataSetState state) {
    if (FState == state)
        return;
    FState = state;
    Notify(TTableChange::TKind::StateChanged);
}

void TMemData::AppendRecord(const std::vector<TFieldValue>& values) {
    CheckActive("append a row");
    if (values.size() != FDefs.size())
        throw Exception(DeveloperText(QStringLiteral("%1: a row needs %2 values, %3 given")
                                          .arg(Describe())
                                          .arg(FDefs.size())
                                          .arg(values.size())));
    auto row = std::make_unique<TRow>(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        (*row)[i] = ConvertValue(FDefs[i], values[i]);
    CheckBrowseMode();
    if (std::holds_alternative<std::monostate>((*row)[0])) {
        qint32 next = 1;
        for (const auto& r : FRows)
            if (const auto* id = std::get_if<qint32>(&(*r)[0]);
                id && *id >= next && *id < INT32_MAX)
                next = *id + 1;
        (*row)[0] = next;
    }
    const TRow* added = row.get();
    FRows.push_back(std::move(row));
    SortRows();
    FCurrent = RowOfIdentity(added);
    FEof = FBof = false;
    Notify(TTableChange::TKind::Reset);
}

void TMemData::MoveTo(int row) {
    if (row == FCurrent)
        return;
    FCurrent = row;
    Notify(TTableChange::TKind::CurrentChanged, row);
}

void TMemData::First() {
    CheckActive("go to the first row");
    CheckBrowseMode();
    MoveTo(FRows.empty() ? -1 : 0);
    FBof = true;
    FEof = FRows.empty();
}

void TMemData::Last() {
    CheckActive("go to the last row");
    CheckBrowseMode();
    MoveTo(RecordCount() - 1);
    FEof = true;
    FBof = FRows.empty();
}

void TMemData::Next() {
    CheckActive("go to the next row");
    CheckBrowseMode();
    FBof = false;
    if (FCurrent + 1 < RecordCount()) {
        MoveTo(FCurrent + 1);
        FEof = false;
    } else {
        FEof = true;
    }
}

void TMemData::Prior() {
    CheckActive("go to the previous row");
    CheckBrowseMode();
    FEof = false;
    if (FCurrent > 0) {
        MoveTo(FCurrent - 1);
        FBof = false;
    } else {
        FBof = true;
    }
}

void TMemData::SetRecNo(int recNo) {
    CheckActive("change the current row");
    if (recNo < 1 || recNo > RecordCount())
        throw ERangeError(
            DeveloperText(QStringLiteral("%1: row %2 does not exist").arg(Describe()).arg(recNo)));
    CheckBrowseMode();
    MoveTo(recNo - 1);
    FEof = FBof = false;
}

const TField& TMemData::FieldByName(const QString& name) const {
    return const_cast<TMemData*>(this)->FieldByName(name);
}

const TField& TMemData::Fields(int index) const {
    return const_cast<TMemData*>(this)->Fields(index);
}

TField& TMemData::FieldByName(const QString& name) {
    const int i = FieldIndex(name);
    if (i < 0)
        throw Exception(
            DeveloperText(QStringLiteral("%1: field %2 not found").arg(Describe(), Quoted(name))));
    return *FFields[static_cast<std::size_t>(i)];
}

TField& TMemData::Fields(int index) {
    if (index < 0 || index >= FieldCount())
        throw ERangeError(DeveloperText(
            QStringLiteral("%1: field index %2 out of range").arg(Describe()).arg(index)));
    return *FFields[static_cast<std::size_t>(index)];
}

const TFieldValue& TMemData::CurrentValue(int field) const {
    if (FCurrent < 0)
        return NullValue;
    const auto f = static_cast<std::size_t>(field);
    if (FState == TDataSetState::dsEdit)
        return FBuffer[f];
    return (*FRows[static_cast<std::size_t>(FCurrent)])[f];
}

void TMemData::SetCurrentValue(int field, const TFieldValue& value) {
    const auto f = static_cast<std::size_t>(field);
    if (FState != TDataSetState::dsEdit)
        throw Exception(DeveloperText(QStringLiteral("%1 is not in edit state: cannot set field %2")
                                          .arg(Describe(), Quoted(FDefs[f].Name))));
    TFieldValue converted = ConvertValue(FDefs[f], value);
    if (converted == FBuffer[f])
        return;
    FBuffer[f] = std::move(converted);
    FModified = true;
    Notify(TTableChange::TKind::RowChanged, FCurrent);
}

void TMemData::Edit() {
    CheckActive("edit");
    if (FState == TDataSetState::dsEdit || FCurrent < 0)
        return;
    FBuffer = *FRows[static_cast<std::size_t>(FCurrent)];
    FModified = false;
    SetState(TDataSetState::dsEdit);
}

void TMemData::Post() {
    if (FState != TDataSetState::dsEdit)
        return;
    const bool changed = FModified;
    TRow* row = FRows[static_cast<std::size_t>(FCurrent)].get();
    *row = std::move(FBuffer);
    FBuffer.clear();
    FModified = false;
    SetState(TDataSetState::dsBrowse);
    if (!changed)
        return;
    const int before = FCurrent;
    SortRows();
    FCurrent = RowOfIdentity(row);
    if (FCurrent != before) {
        Notify(TTableChange::TKind::Reset);
        Notify(TTableChange::TKind::CurrentChanged, FCurrent);
    } else {
        Notify(TTableChange::TKind::RowChanged, FCurrent);
    }
}

void TMemData::Cancel() {
    if (FState != TDataSetState::dsEdit)
        return;
    const bool changed = FModified;
    FBuffer.clear();
    FModified = false;
    SetState(TDataSetState::dsBrowse);
    if (changed)
        Notify(TTableChange::TKind::RowChanged, FCurrent);
}

void TMemData::CheckBrowseMode() {
    Post();
}

void TMemData::Delete() {
    CheckActive("delete a row");
    if (FCurrent < 0)
        throw Exception(
            DeveloperText(QStringLiteral("%1 is empty: no row to delete").arg(Describe())));
    Cancel();
    FRows.erase(FRows.begin() + FCurrent);
    FCurrent = std::min(FCurrent, RecordCount() - 1);
    FEof = FRows.empty();
    FBof = FRows.empty() || FCurrent == 0;
    Notify(TTableChange::TKind::Reset);
    Notify(TTableChange::TKind::CurrentChanged, FCurrent);
}

void TMemData::DisableControls() {
    ++FDisableCount;
}

void TMemData::EnableControls() {
    if (FDisableCount == 0)
        return;
    if (--FDisableCount == 0)
        Notify(TTableChange::TKind::Reset);
}

void TMemData::AttachObserver(ITableObserver* observer) {
    FObservers.Attach(observer);
}

void TMemData::DetachObserver(ITableObserver* observer) {
    FObservers.Detach(observer);
}

void TMemData::Notify(TTableChange::TKind kind, int row) {
    if (FDisableCount > 0)
        return;
    using K = TTableChange::TKind;
    FObservers.Notify({kind, kind == K::CurrentChanged || kind == K::RowChanged ? row : -1});
}

const TFieldValue& TMemData::CellValue(int row, int field) const {
    if (row < 0 || row >= RecordCount() || field < 0 || field >= FieldCount())
        throw ERangeError(DeveloperText(
            QStringLiteral("%1: cell (%2, %3) out of range").arg(Describe()).arg(row).arg(field)));
    if (row == FCurrent && FState == TDataSetState::dsEdit)
        return FBuffer[static_cast<std::size_t>(field)];
    return (*FRows[static_cast<std::size_t>(row)])[static_cast<std::size_t>(field)];
}

void TMemData::SetCellValue(int row, int field, const TFieldValue& value) {
    if (row < 0 || row >= RecordCount() || field < 0 || field >= FieldCount())
        throw ERangeError(DeveloperText(
            QStringLiteral("%1: cell (%2, %3) out of range").arg(Describe()).arg(row).arg(field)));
    // Convert first: a refused value must not post or move anything.
    const TFieldValue converted = ConvertValue(FDefs[static_cast<std::size_t>(field)], value);
    if (row != FCurrent) {
        CheckBrowseMode();
        const TRow* target = FRows[static_cast<std::size_t>(row)].get();
        MoveTo(RowOfIdentity(target)); // the post may have re-sorted the rows
        FEof = FBof = false;
    }
    Edit();
    SetCurrentValue(field, converted);
}

// --- files ---

QByteArray TMemData::SaveToBytes() {
    if (Active())
        CheckBrowseMode();
    TByteWriter w;
    w.Bytes(QByteArray(Signature, sizeof Signature));
    w.U16(FormatVersion);
    w.U16(static_cast<quint16>(FDefs.size()));
    for (const TFieldDef& d : FDefs) {
        const AnsiString name = ToAnsi(d.Name);
        w.U8(static_cast<quint8>(name.size()));
        w.Bytes(name);
        w.U8(static_cast<quint8>(d.DataType));
        w.U16(static_cast<quint16>(d.Size));
    }
    w.U32(static_cast<quint32>(FRows.size()));
    for (const auto& row : FRows) {
        for (std::size_t f = 0; f < FDefs.size(); ++f) {
            const TFieldValue& v = (*row)[f];
            if (std::holds_alternative<std::monostate>(v)) {
                w.U8(0);
                continue;
            }
            w.U8(1);
            if (const auto* i = std::get_if<qint32>(&v))
                w.I32(*i);
            else if (const auto* d = std::get_if<double>(&v))
                w.F64(*d);
            else if (const auto* b = std::get_if<bool>(&v))
                w.U8(*b ? 1 : 0);
            else {
                const AnsiString& s = std::get<AnsiString>(v);
                w.U16(static_cast<quint16>(s.size()));
                w.Bytes(s);
            }
        }
    }
    const quint32 crc = Crc32(w.Data().constData(), w.Data().size());
    w.U32(crc);
    return w.Data();
}

void TMemData::SaveToBinaryFile(const QString& fileName) {
    const QByteArray bytes = SaveToBytes();
    TMessage reason;
    if (!WriteFileAtomically(fileName, bytes, reason))
        throw EWriteError(TMessage(msgTableFileUnwritable, {fileName, reason}));
}

void TMemData::LoadFromBinaryFile(const QString& fileName) {
    QFile file(fileName);
    auto fail = [&](const TMessage& reason) {
        throw EReadError(TMessage(msgTableFileUnreadable, {fileName, reason}));
    };
    // A pipe would block the open and a device give endless bytes: only a file is read.
    std::error_code error;
    const auto status =
        std::filesystem::status(std::filesystem::path(fileName.toStdU16String()), error);
    if (!error && status.type() != std::filesystem::file_type::regular)
        fail(ReadFailureReason(fileName, 0));
    if (!file.open(QIODevice::ReadOnly))
        fail(ReadFailureReason(fileName, errno));
    const std::optional<QByteArray> bytes = ReadAllUpTo(file, MaxFileSize);
    if (!bytes)
        fail({msgTableTooLarge});
    if (file.error() != QFileDevice::NoError)
        fail(SystemReason(EIO));
    LoadFromBytes(*bytes, fileName);
}

void TMemData::LoadFromBytes(const QByteArray& bytes, const QString& sourceName) {
    // The trailing CRC is checked once the header is known to be ours, so that a foreign file
    // is called foreign rather than damaged.
    TByteReader r(bytes, bytes.size(), sourceName);
    if (bytes.size() < qsizetype(sizeof Signature) ||
        std::memcmp(bytes.constData(), Signature, sizeof Signature) != 0)
        r.Fail({msgTableNotTableFile});
    r.Take(sizeof Signature);
    const quint16 version = r.U16();
    if (version != FormatVersion)
        r.Fail({msgTableVersion, {version}});
    if (bytes.size() < r.Pos() + 4)
        r.Fail({msgTableCutShort});
    const qsizetype bodyEnd = bytes.size() - 4;
    if (qFromLittleEndian<quint32>(bytes.constData() + bodyEnd) !=
        Crc32(bytes.constData(), bodyEnd))
        r.Fail({msgTableDamaged});

    TByteReader body(bytes, bodyEnd, sourceName);
    body.Take(r.Pos());
    const quint16 fieldCount = body.U16();
    if (fieldCount < 1 || fieldCount > MaxFieldCount)
        body.Fail({msgTableFieldCount, {fieldCount}});
    std::vector<TFieldDef> defs;
    for (int i = 0; i < fieldCount; ++i) {
        const quint8 nameLength = body.U8();
        if (nameLength < 1 || nameLength > MaxFieldNameLength)
            body.Fail({msgTableFieldName, {i + 1, nameLength}});
        TFieldDef def;
        def.Name = FromAnsi(QByteArray(body.Take(nameLength), nameLength));
        const quint8 type = body.U8();
        if (type < quint8(TFieldType::ftRecId) || type > quint8(TFieldType::ftBoolean))
            body.Fail({msgTableFieldType, {Quoted(def.Name), type}});
        def.DataType = static_cast<TFieldType>(type);
        def.Size = body.U16();
        const bool isString = def.DataType == TFieldType::ftString;
        if (isString ? (def.Size < 1 || def.Size > MaxStringSize) : def.Size != 0)
            body.Fail({msgTableFieldSize, {Quoted(def.Name), def.Size}});
        if ((i == 0) != (def.DataType == TFieldType::ftRecId))
            body.Fail({msgTableRecordNumber});
        for (const TFieldDef& other : defs)
            if (other.Name.compare(def.Name, Qt::CaseInsensitive) == 0)
                body.Fail({msgTableFieldTwice, {Quoted(def.Name)}});
        defs.push_back(def);
    }

    const bool adopt = FDefs.size() == 1;
    if (!adopt && !SameDefs(defs, FDefs))
        body.Fail({msgTableOtherFields, {FieldList(defs), FieldList(FDefs)}});

    const quint32 rowCount = body.U32();
    // Every field of a row takes at least its one-byte null flag.
    if (rowCount > quint64(body.Remaining()) / defs.size())
        body.Fail({msgTableRowsDoNotFit, {rowCount}});
    if (quint64(rowCount) * defs.size() > MaxCellCount)
        body.Fail({msgTableTooManyRows, {rowCount}});
    std::vector<std::unique_ptr<TRow>> rows;
    rows.reserve(rowCount);
    for (quint32 n = 0; n < rowCount; ++n) {
        auto row = std::make_unique<TRow>(defs.size());
        for (std::size_t f = 0; f < defs.size(); ++f) {
            const TFieldDef& def = defs[f];
            const quint8 flag = body.U8();
            if (flag == 0)
                continue;
            if (flag != 1)
                body.Fail({msgTableNullFlag, {n + 1, Quoted(def.Name), flag}});
            TFieldValue v;
            switch (def.DataType) {
            case TFieldType::ftString: {
                const quint16 length = body.U16();
                if (length == 0 || length > def.Size)
                    body.Fail({msgTableTextTooLong, {n + 1, Quoted(def.Name), length, def.Size}});
                v = AnsiString(body.Take(length), length);
                break;
            }
            case TFieldType::ftFloat:
                v = body.F64();
                break;
            case TFieldType::ftBoolean: {
                const quint8 b = body.U8();
                if (b > 1)
                    body.Fail({msgTableBoolean, {n + 1, Quoted(def.Name), b}});
                v = b == 1;
                break;
            }
            default:
                v = body.I32();
                break;
            }
            try {
                (*row)[f] = ConvertValue(def, v);
            } catch (const Exception& e) {
                body.Fail({msgTableRowValue, {n + 1, e.Argument()}});
            }
        }
        rows.push_back(std::move(row));
    }
    if (body.Remaining() != 0)
        body.Fail({msgTableTrailingBytes, {body.Remaining()}});

    // Everything read: replace the table's content in one go.
    FBuffer.clear();
    FModified = false;
    if (adopt) {
        FDefs = std::move(defs);
        RebuildFields();
    }
    FRows = std::move(rows);
    SortRows();
    FCurrent = FRows.empty() ? -1 : 0;
    FBof = true;
    FEof = FRows.empty();
    const bool stateChanged = FState != TDataSetState::dsBrowse;
    FState = TDataSetState::dsBrowse;
    if (stateChanged)
        Notify(TTableChange::TKind::StateChanged);
    Notify(TTableChange::TKind::Reset);
}

// --- TDataSource ---

TDataSource::TDataSource(QString name, TMemData* dataSet) : FName(std::move(name)) {
    SetDataSet(dataSet);
}

TDataSource::~TDataSource() {
    if (FDataSet)
        FDataSet->DetachObserver(this);
}

void TDataSource::SetDataSet(TMemData* dataSet) {
    if (dataSet == FDataSet)
        return;
    if (FDataSet)
        FDataSet->DetachObserver(this);
    FDataSet = dataSet;
    if (FDataSet)
        FDataSet->AttachObserver(this);
    TableChanged({TTableChange::TKind::Reset, -1});
}

TDataSetState TDataSource::State() const {
    return FDataSet ? FDataSet->State() : TDataSetState::dsInactive;
}

void TDataSource::AttachObserver(ITableObserver* observer) {
    FObservers.Attach(observer);
}

void TDataSource::DetachObserver(ITableObserver* observer) {
    FObservers.Detach(observer);
}

void TDataSource::TableChanged(const TTableChange& change) {
    if (change.Kind == TTableChange::TKind::Destroyed) {
        // The table goes; the source stays, bound to nothing.
        FDataSet = nullptr;
        FObservers.Notify({TTableChange::TKind::Reset, -1});
        return;
    }
    FObservers.Notify(change);
}

} // namespace lumotrix
