#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <map>
#include <vector>

namespace lumotrix {

// What a change to a table was, for the views bound to it.
struct TTableChange {
    enum class TKind { Reset, RowChanged, Destroyed };
    TKind Kind = TKind::Reset;
    int Row = -1;
};

// What the grids and lookup editors need of a table: rows of named fields, read and written
// as variants (strings as Unicode, times as QTime, booleans as bool), and change notification.
// The in-memory tables of the configuration are bound through an adapter of this interface.
class IDataTable {
public:
    using TObserver = std::function<void(const TTableChange&)>;

    IDataTable() = default;
    IDataTable(const IDataTable&) = delete;
    IDataTable& operator=(const IDataTable&) = delete;
    virtual ~IDataTable();

    virtual int RowCount() const = 0;
    virtual QStringList FieldNames() const = 0;
    virtual QVariant Value(int row, int field) const = 0;
    // Raises an Exception when the value is refused; the table is then unchanged.
    virtual void SetValue(int row, int field, const QVariant& value) = 0;
    virtual bool CanDeleteRows() const { return false; }
    virtual void DeleteRow(int row);

    // Field index by name, ignoring case; -1 when there is no such field.
    int FieldIndex(const QString& name) const;

    // Observers are called after every change; the id removes the observer again. A table
    // that goes away tells its observers (TKind::Destroyed) so that none keeps a stale pointer.
    int AddObserver(TObserver observer);
    void RemoveObserver(int id);

protected:
    void NotifyChanged(const TTableChange& change);

private:
    std::map<int, TObserver> FObservers;
    int FNextObserver = 1;
};

// A plain table of variants: the views' own table for lists that live only in the GUI, and
// the stand-in table of tests and demos.
class TVariantTable : public IDataTable {
public:
    explicit TVariantTable(QStringList fieldNames);
    int RowCount() const override { return static_cast<int>(FRows.size()); }
    QStringList FieldNames() const override { return FFields; }
    QVariant Value(int row, int field) const override;
    void SetValue(int row, int field, const QVariant& value) override;
    bool CanDeleteRows() const override { return true; }
    void DeleteRow(int row) override;
    void AppendRow(const QVariantList& values);
    void Clear();

private:
    void CheckCell(int row, int field) const;
    QStringList FFields;
    std::vector<QVariantList> FRows;
};

// A lookup: the value of `KeyField` found in a table, shown as that row's `ListField`.
struct TLookupSource {
    IDataTable* Table = nullptr;
    QString KeyField;
    QString ListField;

    bool IsValid() const;
    // The shown text for a key; empty when no row has that key.
    QString TextFor(const QVariant& key) const;
    // (key, text) of every row, in the table's order.
    std::vector<std::pair<QVariant, QString>> Items() const;
};

} // namespace lumotrix
