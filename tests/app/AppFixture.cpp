#include "AppFixture.h"

#include "app/Startup.h"
#include "model/TableRecords.h"
#include "runtime/FormatSettings.h"
#include "runtime/Registry.h"

namespace lumotrix::test {

namespace {

// The program's environment as an Italian user starts it, read the way the program reads it.
class AppEnvironment : public TTestApplication {
public:
    AppEnvironment() : TTestApplication("app_tests", ApplicationTitleText) {}

protected:
    void BeforeStart() override {
        qputenv("LC_ALL", "it_IT.UTF-8");
        InitialiseRuntime();
    }
};

[[maybe_unused]] testing::Environment* const GEnvironment =
    testing::AddGlobalTestEnvironment(new AppEnvironment);

} // namespace

void MainWindowTest::SetUp() {
    ASSERT_TRUE(Folder.isValid());
    ResetDialogs();
    // Each window starts from an empty settings store of its own.
    TRegistry::SetStorePath(Folder.filePath(QStringLiteral("config/registry.json")));
    Form.reset(CreateForm<TForm1>());
}

void MainWindowTest::TearDown() {
    Form.reset();
}

void MainWindowTest::FillConfiguration() {
    TPortNames names;
    for (int p = 0; p < PortCount; ++p)
        names[size_t(p)] = AnsiString("Porta ") + AnsiString::number(p + 1);
    ReplaceRows(Form->MemData2(), BuildPortRows(Form->MemData2(), names));
    TTimerImage image{};
    for (int k = 0; k < TimerCount; ++k) {
        TimerRecord& r = image[size_t(k)];
        r.StartHour = k % 24;
        r.StartMinute = (k * 7) % 60;
        r.StartSecond = k % 60;
        r.Day = k % 8 + 1;
        r.DurationHour = k % 5;
        r.DurationMinute = (k * 11) % 60;
        r.IsOn = k % 2;
        r.OutputPort = k % 8 + 1;
    }
    ReplaceRows(Form->MemData1(), BuildTimerRows(Form->MemData1(), image, Form->DayNames()));
}

void MainWindowTest::MakePendingChange() {
    TMemData& timers = Form->MemData1();
    timers.SetCellValue(0, timers.FieldIndex(QStringLiteral("Timer")), AnsiString("Luce alba"));
    ASSERT_TRUE(timers.HasPendingChange());
}

} // namespace lumotrix::test
