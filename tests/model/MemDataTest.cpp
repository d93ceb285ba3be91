#include "model/ConfigTables.h"
#include "model/DataSource.h"

#include "runtime/Exception.h"

#include <functional>
#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

std::vector<TFieldValue> TimerRow(int n, qint32 port, const char* day, qint32 start,
                                  qint32 duration, bool on) {
    return {n, TimerLabel(n), port, AnsiString(day), start, duration, on};
}

using TKind = TTableChange::TKind;

struct TEventLog : ITableObserver {
    std::vector<TTableChange> Events;
    std::function<void()> OnChange;
    void TableChanged(const TTableChange& change) override {
        Events.push_back(change);
        if (OnChange)
            OnChange();
    }
    int Count(TKind kind) const {
        int n = 0;
        for (const auto& e : Events)
            n += e.Kind == kind;
        return n;
    }
};

} // namespace

TEST(ConfigTables, FieldDefinitionsAsTheControllerTablesNeedThem) {
    TMemData timers(QStringLiteral("MemData1"));
    DefineTimerTable(timers);
    ASSERT_EQ(timers.FieldCount(), 7);
    EXPECT_EQ(timers.FieldDefs()[0], (TFieldDef{"RecId", TFieldType::ftRecId, 0}));
    EXPECT_EQ(timers.FieldDefs()[1], (TFieldDef{"Timer", TFieldType::ftString, 20}));
    EXPECT_EQ(timers.FieldDefs()[2], (TFieldDef{"Uscita", TFieldType::ftSmallint, 0}));
    EXPECT_EQ(timers.FieldDefs()[3], (TFieldDef{"Giorno", TFieldType::ftString, 20}));
    EXPECT_EQ(timers.FieldDefs()[4], (TFieldDef{"Inizio", TFieldType::ftTime, 0}));
    EXPECT_EQ(timers.FieldDefs()[5], (TFieldDef{"Durata", TFieldType::ftDuration, 0}));
    EXPECT_EQ(timers.FieldDefs()[6], (TFieldDef{"Stato", TFieldType::ftBoolean, 0}));
    EXPECT_TRUE(timers.SortFieldName().isEmpty());
    EXPECT_TRUE(timers.Active());
    EXPECT_TRUE(timers.IsEmpty());

    TMemData ports;
    DefinePortTable(ports);
    ASSERT_EQ(ports.FieldCount(), 3);
    EXPECT_EQ(ports.FieldDefs()[1], (TFieldDef{"Nporta", TFieldType::ftSmallint, 0}));
    EXPECT_EQ(ports.FieldDefs()[2], (TFieldDef{"Descrizione", TFieldType::ftString, 32}));
    EXPECT_EQ(ports.SortFieldName(), QStringLiteral("Nporta"));

    TMemData temperature;
    DefineTemperatureTable(temperature);
    QStringList names;
    for (const TFieldDef& d : temperature.FieldDefs())
        names << d.Name;
    EXPECT_EQ(names.join(' '),
              "RecId SensEnabled TempMin TempMax IdealeTemp Isteresi PrimaPt SecondaPt");
    EXPECT_EQ(temperature.FieldDefs()[1].DataType, TFieldType::ftSmallint);
    EXPECT_EQ(temperature.FieldDefs()[4].DataType, TFieldType::ftFloat);
    EXPECT_EQ(temperature.FieldDefs()[7].DataType, TFieldType::ftInteger);

    EXPECT_EQ(TimerLabel(9), QByteArray("Timer 09"));
    EXPECT_EQ(TimerLabel(10), QByteArray("Timer 10"));
}

TEST(MemData, RowsAreWalkedInInsertionOrderAndReadAsEveryType) {
    TMemData t(QStringLiteral("MemData1"));
    DefineTimerTable(t);
    t.AppendRecord(TimerRow(1, 3, "Luned\xEC", EncodeTime(7, 30, 15), EncodeTime(1, 45, 0), true));
    t.AppendRecord(TimerRow(2, 1, "Sabato", EncodeTime(23, 0, 0), EncodeTime(0, 5, 0), false));
    t.AppendRecord({std::monostate{}, std::monostate{}, std::monostate{}, std::monostate{},
                    std::monostate{}, std::monostate{}, std::monostate{}});
    ASSERT_EQ(t.RecordCount(), 3);

    t.First();
    EXPECT_EQ(t.RecNo(), 1);
    EXPECT_FALSE(t.Eof());
    EXPECT_EQ(t.FieldByName("recid").AsInteger(), 1); // names ignore case
    EXPECT_EQ(t.FieldByName("Timer").AsString(), QByteArray("Timer 01"));
    EXPECT_EQ(t.FieldByName("Giorno").AsString(), QByteArray("Luned\xEC"));
    EXPECT_EQ(t.FieldByName("Uscita").AsInteger(), 3);
    const TTimeParts start = DecodeTime(t.FieldByName("Inizio").AsTime());
    EXPECT_EQ(start.Hour, 7);
    EXPECT_EQ(start.Minute, 30);
    EXPECT_EQ(start.Second, 15);
    EXPECT_EQ(t.FieldByName("Inizio").AsString(), QByteArray("07:30:15"));
    EXPECT_DOUBLE_EQ(t.FieldByName("Durata").AsFloat(), 1.75 / 24);
    EXPECT_TRUE(t.FieldByName("Stato").AsBoolean());
    EXPECT_EQ(t.FieldByName("Stato").AsInteger(), 1);

    t.Next();
    EXPECT_EQ(t.FieldByName("Timer").AsString(), QByteArray("Timer 02"));
    EXPECT_FALSE(t.FieldByName("Stato").AsBoolean());

    // An empty row: RecId is numbered on, every other field reads as empty, 0 or false.
    t.Next();
    EXPECT_EQ(t.FieldByName("RecId").AsInteger(), 3);
    EXPECT_TRUE(t.FieldByName("Giorno").IsNull());
    EXPECT_EQ(t.FieldByName("Giorno").AsString(), QByteArray());
    EXPECT_EQ(t.FieldByName("Uscita").AsInteger(), 0);
    EXPECT_EQ(t.FieldByName("Inizio").AsTime(), 0);
    EXPECT_FALSE(t.FieldByName("Stato").AsBoolean());

    // Moving past the last row stays there.
    EXPECT_FALSE(t.Eof());
    t.Next();
    EXPECT_TRUE(t.Eof());
    EXPECT_EQ(t.RecNo(), 3);

    EXPECT_THROW(t.FieldByName("Nporta"), Exception);
    t.First();
    EXPECT_THROW(t.FieldByName("Inizio").AsInteger(), EInvalidCast);
}

TEST(MemData, ValuesAreCutAndCheckedAgainstTheFieldType) {
    TMemData t;
    DefineTimerTable(t);
    // Longer than 20 characters: kept to 20.
    t.AppendRecord(
        {1, AnsiString("Timer with a very long label"), 1, AnsiString("Sabato"), 0, 0, false});
    EXPECT_EQ(t.FieldByName("Timer").AsString(), QByteArray("Timer with a very lo"));

    auto row = [](TFieldValue port, TFieldValue start, TFieldValue duration) {
        return std::vector<TFieldValue>{1,     AnsiString("x"), port, AnsiString("y"),
                                        start, duration,        true};
    };
    EXPECT_THROW(t.AppendRecord(row(40000, 0, 0)), ERangeError); // 16-bit port
    EXPECT_THROW(t.AppendRecord(row(AnsiString("tre"), 0, 0)), EConvertError);
    EXPECT_THROW(t.AppendRecord(row(1, MSecsPerDay, 0)), ERangeError);
    EXPECT_THROW(t.AppendRecord(row(1, AnsiString("7:61"), 0)), EConvertError);
    EXPECT_THROW(t.AppendRecord(row(1, -1, 0)), ERangeError);
    EXPECT_THROW(t.AppendRecord({1, AnsiString("short row")}), Exception);
    EXPECT_EQ(t.RecordCount(), 1); // refused rows leave nothing behind

    // Texts are converted to the field's type; a duration may pass 24 hours.
    t.AppendRecord(row(AnsiString(" 7 "), AnsiString("8:05"), AnsiString("25:00:00")));
    EXPECT_EQ(t.FieldByName("Uscita").AsInteger(), 7);
    EXPECT_EQ(t.FieldByName("Inizio").AsTime(), EncodeTime(8, 5, 0));
    EXPECT_EQ(t.FieldByName("Durata").AsTime(), 25 * 3600 * 1000);
    EXPECT_THROW(EncodeTime(24, 0, 0), EConvertError);

    TMemData temp;
    DefineTemperatureTable(temp);
    temp.AppendRecord({std::monostate{}, 1, 20.5, AnsiString("30,5"), 25.0, 2.6, 3, 4});
    EXPECT_DOUBLE_EQ(temp.FieldByName("TempMax").AsFloat(), 30.5);
    EXPECT_EQ(temp.FieldByName("Isteresi").AsInteger(), 3); // rounded
    EXPECT_EQ(temp.FieldByName("IdealeTemp").AsString(), QByteArray("25"));
    EXPECT_EQ(temp.FieldByName("RecId").AsInteger(), 1);
    EXPECT_THROW(temp.AppendRecord({1, 1, std::nan(""), 0.0, 0.0, 0, 0, 0}), EConvertError);
}

TEST(MemData, PortTableStaysSortedOnNportaWhateverTheOrderOfInsertion) {
    TMemData ports;
    DefinePortTable(ports);
    for (int n : {5, 2, 8, 1, 7, 3, 6, 4})
        ports.AppendRecord({n, n, AnsiString("Porta ") + AnsiString::number(n)});
    ports.First();
    for (int n = 1; n <= 8; ++n, ports.Next())
        EXPECT_EQ(ports.FieldByName("Nporta").AsInteger(), n);
    EXPECT_EQ(ports.CellValue(7, 2), TFieldValue(AnsiString("Porta 8")));

    // A renumbered port moves to its place when the row is committed, and stays current.
    ports.SetRecNo(1);
    ports.Edit();
    ports.FieldByName("Nporta").SetAsInteger(9);
    ports.Post();
    EXPECT_EQ(ports.RecNo(), 8);
    EXPECT_EQ(ports.FieldByName("Descrizione").AsString(), QByteArray("Porta 1"));
    ports.First();
    EXPECT_EQ(ports.FieldByName("Nporta").AsInteger(), 2);
}

TEST(MemData, CloseDiscardsRowsAndDeleteRemovesTheCurrentRow) {
    TMemData temp(QStringLiteral("MemData3"));
    DefineTemperatureTable(temp);
    EXPECT_THROW(temp.Delete(), Exception); // empty: the caller falls back to Open
    temp.AppendRecord({std::monostate{}, 1, 1.0, 2.0, 3.0, 4, 5, 6});
    temp.Delete();
    EXPECT_TRUE(temp.IsEmpty());
    EXPECT_TRUE(temp.Eof());

    temp.AppendRecord({std::monostate{}, 1, 1.0, 2.0, 3.0, 4, 5, 6});
    temp.Close();
    EXPECT_FALSE(temp.Active());
    EXPECT_THROW(temp.Delete(), Exception);
    EXPECT_THROW(temp.AppendRecord({1, 1, 1.0, 2.0, 3.0, 4, 5, 6}), Exception);
    temp.Open();
    EXPECT_TRUE(temp.IsEmpty());
    EXPECT_EQ(temp.FieldByName("TempMin").AsFloat(), 0.0);
}

TEST(MemData, PendingChangeLastsFromAChangedValueUntilCommitOrCancel) {
    TMemData t;
    DefineTimerTable(t);
    TDataSource source(QStringLiteral("DataSource1"), &t);
    for (int n = 1; n <= 3; ++n)
        t.AppendRecord(TimerRow(n, n, "Sabato", 0, 0, false));
    t.First();
    EXPECT_EQ(source.State(), TDataSetState::dsBrowse);

    // Edit alone is no change.
    t.Edit();
    EXPECT_EQ(source.State(), TDataSetState::dsEdit);
    EXPECT_FALSE(t.HasPendingChange());
    t.FieldByName("Uscita").SetAsInteger(1); // the value it had
    EXPECT_FALSE(t.HasPendingChange());
    t.FieldByName("Uscita").SetAsInteger(4);
    EXPECT_TRUE(t.HasPendingChange());
    EXPECT_EQ(t.CellValue(0, 2), TFieldValue(qint32(4))); // views see the edit buffer

    // Cancel drops it.
    t.Cancel();
    EXPECT_FALSE(t.HasPendingChange());
    EXPECT_EQ(source.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(t.FieldByName("Uscita").AsInteger(), 1);

    // Moving to another row commits it.
    t.Edit();
    t.FieldByName("Giorno").SetAsString("Domenica");
    EXPECT_TRUE(t.HasPendingChange());
    t.Next();
    EXPECT_FALSE(t.HasPendingChange());
    EXPECT_EQ(t.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(t.CellValue(0, 3), TFieldValue(AnsiString("Domenica")));

    // A grid write edits the row it targets and stays pending until the row is left.
    t.SetCellValue(2, 6, true);
    EXPECT_EQ(t.RecNo(), 3);
    EXPECT_TRUE(t.HasPendingChange());
    EXPECT_THROW(t.SetCellValue(0, 2, AnsiString("x")), EConvertError);
    EXPECT_EQ(t.RecNo(), 3); // a refused value moves nothing
    EXPECT_TRUE(t.HasPendingChange());
    t.SetCellValue(0, 6, true);
    EXPECT_EQ(t.CellValue(2, 6), TFieldValue(true));
    EXPECT_EQ(t.RecNo(), 1);

    // Setting a field outside edit state is refused; closing ends everything.
    t.Post();
    EXPECT_THROW(t.FieldByName("Stato").SetAsBoolean(false), Exception);
    t.Edit();
    t.FieldByName("Stato").SetAsBoolean(false);
    t.Close();
    EXPECT_FALSE(t.HasPendingChange());
    EXPECT_EQ(source.State(), TDataSetState::dsInactive);
}

TEST(MemData, DisabledControlsGetOneRefreshAfterTheOutermostEnable) {
    TEventLog tableLog, sourceLog; // outlive the table, which reports its destruction
    TMemData t;
    DefinePortTable(t);
    TDataSource source(QStringLiteral("DataSource2"), &t);
    t.AttachObserver(&tableLog);
    source.AttachObserver(&sourceLog);

    t.DisableControls();
    t.DisableControls();
    t.Close();
    t.Open();
    for (int n = 1; n <= 8; ++n)
        t.AppendRecord({n, n, AnsiString("P")});
    t.First();
    t.EnableControls();
    EXPECT_TRUE(t.ControlsDisabled());
    EXPECT_TRUE(tableLog.Events.empty());
    t.EnableControls();
    EXPECT_FALSE(t.ControlsDisabled());
    ASSERT_EQ(tableLog.Events.size(), 1u);
    EXPECT_EQ(tableLog.Events[0].Kind, TKind::Reset);
    ASSERT_EQ(sourceLog.Events.size(), 1u);
    t.EnableControls(); // unbalanced: harmless
    EXPECT_EQ(tableLog.Events.size(), 1u);

    // With controls enabled every step is reported.
    tableLog.Events.clear();
    t.Next();
    t.SetCellValue(1, 2, AnsiString("Luci"));
    EXPECT_EQ(tableLog.Count(TKind::CurrentChanged), 1);
    EXPECT_EQ(tableLog.Count(TKind::StateChanged), 1);
    EXPECT_EQ(tableLog.Count(TKind::RowChanged), 1);
    EXPECT_EQ(tableLog.Events.back().Row, 1);
}

TEST(MemData, ObserversMayLeaveWhileBeingToldAndSourcesOutliveTheirTable) {
    TDataSource source(QStringLiteral("DataSource1"));
    TEventLog log;
    source.AttachObserver(&log);
    {
        TMemData t;
        DefineTimerTable(t);
        TEventLog leaving, staying;
        leaving.OnChange = [&] { t.DetachObserver(&leaving); };
        // One that leaves while being told must not cost the next one its news.
        t.AttachObserver(&leaving);
        t.AttachObserver(&staying);
        source.SetDataSet(&t);
        t.AppendRecord(TimerRow(1, 1, "Sabato", 0, 0, false));
        t.AppendRecord(TimerRow(2, 1, "Sabato", 0, 0, false));
        ASSERT_EQ(leaving.Events.size(), 1u);
        ASSERT_GE(staying.Events.size(), 2u);
        EXPECT_EQ(staying.Events[0], leaving.Events[0]);
        EXPECT_EQ(source.State(), TDataSetState::dsBrowse);
        t.DetachObserver(&staying);
    }
    EXPECT_EQ(source.DataSet(), nullptr);
    EXPECT_EQ(source.State(), TDataSetState::dsInactive);
    EXPECT_EQ(log.Events.back().Kind, TKind::Reset);
}
