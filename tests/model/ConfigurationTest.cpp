#include "model/Configuration.h"

#include "model/ConfigTables.h"
#include "model/TableRecords.h"
#include "runtime/Exception.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

// 42 timers, eight ports and a temperature record, as a receive followed by a save leaves them.
void Fill(TConfiguration& config) {
    TTimerImage image{};
    for (int k = 0; k < TimerCount; ++k)
        image[size_t(k)] = {k % 24,   k % 60, 0, k % 8 + 1, k % 5, 10, std::uint8_t(k % 2),
                            k % 8 + 1};
    ReplaceRows(config.Timers, BuildTimerRows(config.Timers, image, config.DayNames));
    TPortNames names;
    for (int p = 0; p < PortCount; ++p)
        names[size_t(p)] = AnsiString("Porta ") + AnsiString::number(p + 1);
    ReplaceRows(config.Ports, BuildPortRows(config.Ports, names));
    config.SetTemperatureSettings({true, 20.0, 30.0, 25.5, 2, 1, 2});
}

} // namespace

TEST(Configuration, StartsEmptyWithItsDayNamesAndClearsWhole) {
    TConfiguration config;
    for (const TMemData* table : {&config.Timers, &config.Ports, &config.Temperature}) {
        EXPECT_TRUE(table->Active());
        EXPECT_TRUE(table->IsEmpty());
    }
    EXPECT_EQ(config.DayNames[1], AnsiString("Luned\xEC"));
    EXPECT_EQ(config.TemperatureSettings().TempIdeale, 0); // no record reads as zeros

    Fill(config);
    EXPECT_EQ(config.PortNames().size(), PortCount);
    config.Clear();
    for (const TMemData* table : {&config.Timers, &config.Ports, &config.Temperature}) {
        EXPECT_TRUE(table->Active());
        EXPECT_TRUE(table->IsEmpty());
    }
}

TEST(Configuration, SavedSetLoadsBackAndIsCompleteForASend) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("acquario.tmr"));
    TConfiguration saved;
    Fill(saved);
    saved.Save(file);

    TConfiguration loaded;
    loaded.Load(file);
    EXPECT_EQ(loaded.Timers.SaveToBytes(), saved.Timers.SaveToBytes());
    EXPECT_EQ(loaded.Ports.SaveToBytes(), saved.Ports.SaveToBytes());
    EXPECT_EQ(loaded.TemperatureSettings(), saved.TemperatureSettings());
    EXPECT_NO_THROW(loaded.CheckComplete(file));

    // A setting outside the editors' ranges can't make a send.
    TTemperatureSettings hot = loaded.TemperatureSettings();
    hot.MaxTemp = MaxDegrees + 0.5;
    loaded.SetTemperatureSettings(hot);
    EXPECT_THROW(loaded.CheckComplete(file), Exception);

    TConfiguration missing;
    EXPECT_THROW(missing.Load(dir.filePath(QStringLiteral("none.tmr"))), EResNotFound);
    EXPECT_TRUE(missing.Timers.IsEmpty());
}
