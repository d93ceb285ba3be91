#pragma once

#include "runtime/TableObserver.h"

// In-memory tables of the configuration: typed fields, rows kept in memory, a current row with
// an edit buffer, observers for the views, and a binary file format of their own.

#include "model/FieldValue.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <variant>
#include <vector>

namespace lumotrix {

enum class TDataSetState { dsInactive, dsBrowse, dsEdit };

class TMemData;

// Reads and writes one field of the current row, going through the edit buffer while the table
// is in edit state. Owned by the table; valid as long as the table's field definitions are.
class TField {
public:
    TField(TMemData& table, int index) : FTable(&table), FIndex(index) {}

    const TFieldDef& Def() const;
    const QString& FieldName() const { return Def().Name; }
    TFieldType DataType() const { return Def().DataType; }
    int Size() const { return Def().Size; }
    int Index() const { return FIndex; }

    const TFieldValue& Value() const;
    bool IsNull() const;
    AnsiString AsString() const;
    qint32 AsInteger() const;
    double AsFloat() const;
    bool AsBoolean() const;
    qint32 AsTime() const; // milliseconds

    // Setters need the edit state (Edit first); they mark the row modified when the value
    // differs.
    void SetValue(const TFieldValue& value);
    void SetAsString(const AnsiString& value) { SetValue(value); }
    void SetAsInteger(qint32 value) { SetValue(value); }
    void SetAsFloat(double value) { SetValue(value); }
    void SetAsBoolean(bool value) { SetValue(value); }
    void SetAsTime(qint32 msecs);
    void Clear() { SetValue(std::monostate{}); }

private:
    TMemData* FTable;
    int FIndex;
};

class TMemData {
public:
    explicit TMemData(QString name = {});
    ~TMemData();
    TMemData(const TMemData&) = delete;
    TMemData& operator=(const TMemData&) = delete;

    const QString& Name() const { return FName; }
    void SetName(const QString& name) { FName = name; }

    // --- definitions (only while the table is closed) ---
    // Removes every field but RecId, and the sort field.
    void ClearFieldDefs();
    // Appends a field after the existing ones; throws on a duplicate name (case-insensitive), a
    // string without a size or a size on any other type.
    void AddFieldDef(const QString& name, TFieldType type, int size = 0);
    const std::vector<TFieldDef>& FieldDefs() const { return FDefs; }
    int FieldCount() const { return static_cast<int>(FDefs.size()); }
    int FieldIndex(const QString& name) const; // case-insensitive; -1 when unknown
    // Rows stay in ascending order of this field (null first, stable); empty: insertion order.
    void SetSortFieldName(const QString& name);
    const QString& SortFieldName() const { return FSortFieldName; }

    // --- lifecycle ---
    void Open();
    void Close(); // discards every row
    bool Active() const { return FState != TDataSetState::dsInactive; }
    void SetActive(bool active) { active ? Open() : Close(); }
    TDataSetState State() const { return FState; }

    // --- rows ---
    // A whole row: one value per field in field order, RecId included. Null RecId gets the
    // next number. The row becomes current. Posts a pending edit first.
    void AppendRecord(const std::vector<TFieldValue>& values);
    int RecordCount() const { return static_cast<int>(FRows.size()); }
    bool IsEmpty() const { return FRows.empty(); }

    // --- navigation (moving posts a pending edit) ---
    void First();
    void Last();
    void Next(); // past the last row: stays there and sets Eof
    void Prior();
    bool Eof() const { return FEof; }
    bool Bof() const { return FBof; }
    int RecNo() const { return FCurrent + 1; } // 1-based; 0 with no row
    void SetRecNo(int recNo);
    int CurrentRow() const { return FCurrent; } // 0-based; -1 with no row

    TField& FieldByName(const QString& name); // throws Exception for an unknown name
    const TField& FieldByName(const QString& name) const;
    TField& Fields(int index);
    const TField& Fields(int index) const;

    // --- editing ---
    void Edit();            // browse -> edit on the current row; no effect on an empty table
    void Post();            // edit -> browse, keeps the buffer
    void Cancel();          // edit -> browse, drops the buffer
    void Delete();          // removes the current row; throws on a closed or empty table
    void CheckBrowseMode(); // posts a pending edit
    bool Modified() const { return FModified; }
    // A row is being edited and one of its values has been changed and not committed.
    bool HasPendingChange() const { return FState == TDataSetState::dsEdit && FModified; }

    // --- views ---
    void DisableControls();
    void EnableControls(); // the outermost call sends one Reset to the observers
    bool ControlsDisabled() const { return FDisableCount > 0; }
    void AttachObserver(ITableObserver* observer);
    void DetachObserver(ITableObserver* observer);

    // Cell access for grids. Reading the row under edit gives the edit buffer. Writing moves to
    // the row (posting any other pending edit), enters edit state and sets the value, so a
    // grid edit counts as a pending change until the row is left.
    const TFieldValue& CellValue(int row, int field) const;
    void SetCellValue(int row, int field, const TFieldValue& value);

    // Binary table file (little-endian):
    //   8 bytes   signature "LMXTABLE"
    //   u16       format version (1)
    //   u16       field count N (1..256), RecId included
    //   N times   u8 name length (1..64), name bytes (Windows-1252), u8 field type, u16 size
    //   u32       row count
    //   rows      per field: u8 0 (null) or 1 (value), then the value:
    //             record number, 16/32-bit integer, time, duration: i32
    //             double: 8 bytes IEEE 754; boolean: u8 0 or 1
    //             string: u16 length (<= field size), the bytes
    //   u32       CRC-32 (IEEE) of every byte before it
    // Saving posts a pending edit first and writes through a temporary file that replaces the
    // old one only when complete. Loading checks every length, count and value, and replaces the
    // table's rows only when the whole file has been read; a table without declared fields takes
    // the file's definitions, any other table accepts only a file with its own definitions.
    // Failures throw EWriteError / EReadError naming the file.
    void SaveToBinaryFile(const QString& fileName);
    void LoadFromBinaryFile(const QString& fileName);
    QByteArray SaveToBytes();
    void LoadFromBytes(const QByteArray& bytes, const QString& sourceName);

private:
    friend class TField;
    using TRow = std::vector<TFieldValue>;

    void CheckInactive(const char* operation) const;
    void CheckActive(const char* operation) const;
    void RebuildFields();
    const TFieldValue& CurrentValue(int field) const;
    void SetCurrentValue(int field, const TFieldValue& value);
    void MoveTo(int row);
    void SetState(TDataSetState state);
    void SortRows();
    int RowOfIdentity(const TRow* row) const;
    void Notify(TTableChange::TKind kind, int row = -1);
    QString Describe() const;

    QString FName;
    std::vector<TFieldDef> FDefs;
    std::vector<std::unique_ptr<TField>> FFields;
    QString FSortFieldName;
    std::vector<std::unique_ptr<TRow>> FRows;
    TRow FBuffer;
    TDataSetState FState = TDataSetState::dsInactive;
    int FCurrent = -1;
    bool FEof = true;
    bool FBof = true;
    bool FModified = false;
    int FDisableCount = 0;
    TTableObservers FObservers;
};

} // namespace lumotrix
