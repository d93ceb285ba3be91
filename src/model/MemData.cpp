#include "model/MemData.h"

#include "model/MemDataLimits.h"
#include "runtime/Exception.h"

#include <algorithm>

namespace lumotrix {

namespace {

const TFieldValue NullValue;

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

} // namespace

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

} // namespace lumotrix
