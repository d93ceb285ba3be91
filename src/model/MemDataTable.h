#pragma once

#include "runtime/CodePage.h"
#include "runtime/DataTable.h"
#include "runtime/Exception.h"

#include <QTime>
#include <type_traits>
#include <variant>

namespace lumotrix {

// Binds an in-memory table of the configuration to the grids and lookup editors.
//
// A template over the table's type so that this layer stays free of the model: the program
// instantiates it with its table class. The table must offer RecordCount, FieldDefs (Name,
// DataType), CellValue / SetCellValue with a variant value (monostate, qint32, double, bool,
// AnsiString), SetRecNo, Delete, Subscribe / Unsubscribe with events Reset, RowChanged and
// Destroying. Texts cross as Unicode (Windows-1252 in the table), times of day and durations
// as QTime (a duration of a day or more as a fraction of a day, double), null as an invalid
// QVariant.
template <typename TTable> class TDataSetTable : public IDataTable {
public:
    explicit TDataSetTable(TTable& table) : FTable(&table) {
        FHandle = table.Subscribe([this](const auto& event) { OnEvent(event); });
    }
    ~TDataSetTable() override {
        if (FTable)
            FTable->Unsubscribe(FHandle);
    }

    TTable* Table() const { return FTable; }

    int RowCount() const override { return FTable ? FTable->RecordCount() : 0; }

    QStringList FieldNames() const override {
        QStringList names;
        if (FTable)
            for (const auto& def : FTable->FieldDefs())
                names << def.Name;
        return names;
    }

    QVariant Value(int row, int field) const override {
        CheckCell(row, field);
        const auto& def = FTable->FieldDefs()[static_cast<size_t>(field)];
        const auto& value = FTable->CellValue(row, field);
        using TType = std::decay_t<decltype(def.DataType)>;
        if (std::holds_alternative<std::monostate>(value))
            return {};
        switch (def.DataType) {
        case TType::ftString:
            return FromAnsi(std::get<AnsiString>(value));
        case TType::ftTime:
        case TType::ftDuration: {
            qint32 msecs = std::get<qint32>(value);
            if (msecs >= 0 && msecs < 24 * 60 * 60 * 1000)
                return QTime::fromMSecsSinceStartOfDay(msecs);
            return msecs / double(24 * 60 * 60 * 1000);
        }
        case TType::ftBoolean:
            return std::get<bool>(value);
        case TType::ftFloat:
            return std::get<double>(value);
        default:
            return std::get<qint32>(value);
        }
    }

    void SetValue(int row, int field, const QVariant& value) override {
        CheckCell(row, field);
        const auto& def = FTable->FieldDefs()[static_cast<size_t>(field)];
        using TType = std::decay_t<decltype(def.DataType)>;
        using TValue = std::decay_t<decltype(FTable->CellValue(row, field))>;
        TValue stored;
        if (value.isValid() && !value.isNull()) {
            switch (def.DataType) {
            case TType::ftString:
                stored = ToAnsi(value.toString());
                break;
            case TType::ftTime:
            case TType::ftDuration:
                if (value.typeId() == QMetaType::QTime)
                    stored = static_cast<qint32>(value.toTime().msecsSinceStartOfDay());
                else
                    stored = static_cast<qint32>(qRound(value.toDouble() * 24 * 60 * 60 * 1000));
                break;
            case TType::ftBoolean:
                stored = value.toBool();
                break;
            case TType::ftFloat:
                stored = value.toDouble();
                break;
            default: {
                bool ok = false;
                qint32 number = value.toInt(&ok);
                if (!ok)
                    throw EConvertError(QStringLiteral("'%1' non è un numero intero valido per %2")
                                            .arg(value.toString(), def.Name));
                stored = number;
            }
            }
        }
        FTable->SetCellValue(row, field, stored);
    }

    bool CanDeleteRows() const override { return true; }

    void DeleteRow(int row) override {
        CheckCell(row, 0);
        FTable->SetRecNo(row + 1);
        FTable->Delete();
    }

private:
    void CheckCell(int row, int field) const {
        if (!FTable)
            throw EAbstractError(QStringLiteral("La tabella non esiste più"));
        if (row < 0 || row >= RowCount() || field < 0 ||
            field >= static_cast<int>(FTable->FieldDefs().size()))
            throw ERangeError(
                QStringLiteral("Cella %1,%2 fuori dalla tabella").arg(row).arg(field));
    }

    template <typename TEvent> void OnEvent(const TEvent& event) {
        switch (event.Kind) {
        case TEvent::Destroying:
            FTable = nullptr;
            NotifyChanged({TTableChange::TKind::Reset, -1});
            break;
        case TEvent::RowChanged:
            NotifyChanged({TTableChange::TKind::RowChanged, event.Row});
            break;
        case TEvent::Reset:
            NotifyChanged({TTableChange::TKind::Reset, -1});
            break;
        default:
            break;
        }
    }

    TTable* FTable;
    int FHandle = 0;
};

} // namespace lumotrix
