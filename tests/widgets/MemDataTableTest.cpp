#include "model/MemDataTable.h"
#include "model/MemData.h"
#include "runtime/Exception.h"
#include "support/TestApplication.h"
#include "widgets/qt/GridView.h"
#include "widgets/qt/LookupComboBox.h"

#include <QTime>
#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

// The port and timer tables as the configuration declares them, bound to a grid.
struct DataSetFixture : testing::Test {
    TMemData ports{QStringLiteral("MemData2")};
    TMemData timers{QStringLiteral("MemData1")};
    void SetUp() override {
        test::App();
        ports.AddFieldDef(QStringLiteral("Nporta"), TFieldType::ftSmallint);
        ports.AddFieldDef(QStringLiteral("Descrizione"), TFieldType::ftString, 32);
        ports.SetSortFieldName(QStringLiteral("Nporta"));
        ports.Open();
        timers.AddFieldDef(QStringLiteral("Timer"), TFieldType::ftString, 20);
        timers.AddFieldDef(QStringLiteral("Uscita"), TFieldType::ftSmallint);
        timers.AddFieldDef(QStringLiteral("Inizio"), TFieldType::ftTime);
        timers.AddFieldDef(QStringLiteral("Durata"), TFieldType::ftDuration);
        timers.AddFieldDef(QStringLiteral("Stato"), TFieldType::ftBoolean);
        timers.Open();
        ports.AppendRecord({std::monostate{}, qint32(1), AnsiString("Luce")});
        ports.AppendRecord({std::monostate{}, qint32(2), AnsiString("Pompa")});
        timers.AppendRecord({std::monostate{}, AnsiString("Timer 01"), qint32(2),
                             EncodeTime(8, 30, 0), EncodeTime(12, 0, 0), true});
    }
};

} // namespace

TEST_F(DataSetFixture, GridReadsAndWritesTheTableThroughTheAdapter) {
    TMemDataTable timerTable(timers), portTable(ports);
    GridModel model;
    model.SetTable(&timerTable);
    TGridColumn port;
    port.FieldName = QStringLiteral("Uscita");
    port.Kind = TColumnKind::Lookup;
    port.Lookup = {&portTable, QStringLiteral("Nporta"), QStringLiteral("Descrizione")};
    int p = model.AddColumn(port);
    TGridColumn start;
    start.FieldName = QStringLiteral("Inizio");
    start.Kind = TColumnKind::Time;
    int s = model.AddColumn(start);
    TGridColumn bar;
    bar.FieldName = QStringLiteral("Durata");
    bar.Kind = TColumnKind::Progress;
    int b = model.AddColumn(bar);

    EXPECT_EQ(model.index(0, p).data().toString(), QStringLiteral("Pompa"));
    EXPECT_EQ(model.index(0, s).data().toString(), QStringLiteral("08:30:00"));
    EXPECT_EQ(model.index(0, b).data().toString(), QStringLiteral("50%"));

    // Renaming the port in the port table shows at once in the timer grid.
    ports.SetCellValue(1, 2, AnsiString("Filtro esterno"));
    ports.Post();
    EXPECT_EQ(model.index(0, p).data().toString(), QStringLiteral("Filtro esterno"));

    // An edit through the grid is a pending change of the timer table, in its own types.
    EXPECT_TRUE(model.setData(model.index(0, s), QTime(9, 15, 30)));
    EXPECT_TRUE(timers.HasPendingChange());
    EXPECT_EQ(timers.CellValue(0, 3), TFieldValue(EncodeTime(9, 15, 30)));
    EXPECT_TRUE(model.setData(model.index(0, p), 1));
    EXPECT_EQ(model.index(0, p).data().toString(), QStringLiteral("Luce"));

    // A value the table refuses is reported and leaves the cell as it was.
    QStringList refused;
    QObject::connect(&model, &GridModel::valueRefused,
                     [&](const Exception& error) { refused << error.Message(); });
    TGridColumn label;
    label.FieldName = QStringLiteral("Uscita");
    int u = model.AddColumn(label);
    EXPECT_FALSE(model.setData(model.index(0, u), QStringLiteral("tre")));
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(refused[0].contains(QStringLiteral("Uscita")));
    EXPECT_EQ(timers.CellValue(0, 2), TFieldValue(qint32(1)));

    // A port number with no port row shows empty.
    timers.SetCellValue(0, 2, qint32(0));
    EXPECT_EQ(model.index(0, p).data().toString(), QString());
}

TEST_F(DataSetFixture, TextsCrossAsUnicodeAndBadValuesAreRefused) {
    TMemDataTable timerTable(timers);
    timerTable.SetValue(0, 1, QStringLiteral("Lunedì"));
    EXPECT_EQ(timers.CellValue(0, 1), TFieldValue(AnsiString("Luned\xEC")));
    EXPECT_EQ(timerTable.Value(0, 1).toString(), QStringLiteral("Lunedì"));
    EXPECT_THROW(timerTable.SetValue(0, 2, QStringLiteral("abc")), EConvertError);
    EXPECT_THROW(timerTable.Value(5, 0), ERangeError);
    EXPECT_FALSE(timerTable.Value(0, 0).isNull()); // RecId numbered by the table
}

TEST_F(DataSetFixture, LookupEditorFollowsTheTableAndItsEnd) {
    auto portTable = std::make_unique<TMemDataTable>(ports);
    LookupComboBox combo;
    combo.SetLookup({portTable.get(), QStringLiteral("Nporta"), QStringLiteral("Descrizione")});
    combo.SetKeyValue(2);
    EXPECT_EQ(combo.currentText(), QStringLiteral("Pompa"));
    ports.Close();
    ports.Open();
    EXPECT_EQ(combo.count(), 0); // emptied table: no choice
    portTable.reset();
    EXPECT_EQ(combo.count(), 0);
}
