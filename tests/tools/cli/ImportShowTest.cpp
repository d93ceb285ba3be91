#include "CliSupport.h"

#include "model/ConfigTables.h"
#include "model/MemData.h"

#include <functional>

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

using ImportShow = CliTest;

TEST_F(ImportShow, JsonComesBackAsItWentInWithWindows1252InTheFiles) {
    const QJsonObject config = SampleConfig();
    const TRun r = RunCli({QStringLiteral("import"), WriteJson(config), Path("acquario.tmr")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(Files(), (QStringList{"Pacquario", "Tacquario", "acquario.tmr", "config.json"}));

    // "ì" is one byte in the files, never UTF-8; "€" is 0x80.
    const QByteArray timers = Read("acquario.tmr");
    EXPECT_TRUE(timers.contains("Luned\xEC")) << "day name not in Windows-1252";
    EXPECT_FALSE(timers.contains("\xC3\xAC"));
    const QByteArray ports = Read("Pacquario");
    EXPECT_TRUE(ports.contains("Luned\xEC porta"));
    EXPECT_TRUE(ports.contains("CO2 5 \x80"));

    EXPECT_EQ(ShowJson("acquario.tmr"), config);
}

TEST_F(ImportShow, ReadableTableShowsEveryValueAndKeepsTrailingBlanksVisible) {
    ASSERT_EQ(RunCli({"import", WriteJson(SampleConfig()), Path("a.tmr")}).ExitCode, 0);
    const TRun r = RunCli({"show", Path("a.tmr")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    const QStringList lines = r.Out.split('\n');
    const auto lineWith = [&](const QString& text) {
        for (const QString& line : lines)
            if (line.contains(text))
                return line.simplified();
        return QString();
    };
    EXPECT_EQ(lineWith("Timer 02"), "2 Timer 02 2 Martedì 01:07:13 01:11 yes");
    EXPECT_EQ(lineWith("Timer 42"), "42 Timer 42 2 Martedì 23:59:59 17:31 yes");
    EXPECT_TRUE(r.Out.contains("\"Pompa  \"")) << r.Out.toStdString();
    EXPECT_TRUE(r.Out.contains("\"Lunedì porta\""));
    EXPECT_EQ(lineWith("Maximum:"), "Maximum: 28.5 °C");
    EXPECT_EQ(lineWith("Port below:"), "Port below: 3 \"Riscaldatore\"");
}

TEST_F(ImportShow, ImportFromStandardInput) {
    const QByteArray json = QJsonDocument(SampleConfig()).toJson();
    const TRun r = RunCli({"import", "-", Path("a.tmr")}, json);
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(ShowJson("a.tmr"), SampleConfig());
}

TEST_F(ImportShow, ShowOfASetWithoutCompanionsShowsWhatIsThere) {
    ASSERT_EQ(RunCli({"import", WriteJson(SampleConfig()), Path("a.tmr")}).ExitCode, 0);
    ASSERT_TRUE(QFile::remove(Path("Pa")));
    ASSERT_TRUE(QFile::remove(Path("Ta")));
    const QJsonObject shown = ShowJson("a.tmr");
    EXPECT_EQ(shown["timers"].toArray().size(), 42);
    EXPECT_TRUE(shown["ports"].toArray().isEmpty());
    EXPECT_TRUE(shown["temperature"].isNull());

    const TRun missing = RunCli({"show", Path("none.tmr")});
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_TRUE(missing.Err.contains("none.tmr"));
}

// The window saves empty cells as they are; show reports them instead of inventing values.
TEST_F(ImportShow, EmptyCellsShowAsNullAndDash) {
    TMemData timers;
    DefineTimerTable(timers);
    timers.AppendRecord({qint32(1), AnsiString("Timer 01"), std::monostate{}, AnsiString(),
                         std::monostate{}, std::monostate{}, std::monostate{}});
    timers.SaveToBinaryFile(Path("w.tmr"));

    const QJsonArray shown = ShowJson("w.tmr")["timers"].toArray();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].toObject(), (QJsonObject{{"timer", "Timer 01"},
                                                {"port", QJsonValue::Null},
                                                {"day", ""},
                                                {"start", QJsonValue::Null},
                                                {"duration", QJsonValue::Null},
                                                {"on", QJsonValue::Null}}));
    const TRun text = RunCli({"show", Path("w.tmr")});
    EXPECT_TRUE(text.Out.contains(QRegularExpression("1  Timer 01 +-  +-  +-  +-\\n")))
        << text.Out.toStdString();

    // What is not a timer file is refused, naming it.
    const TRun foreign = RunCli({"show", WriteJson(SampleConfig())});
    EXPECT_EQ(foreign.ExitCode, 1);
    EXPECT_TRUE(foreign.Err.contains("Cannot read the table file \"" + Path("config.json")))
        << foreign.Err.toStdString();
}

// Every refusal: status 1, one line naming what is wrong, no file written.
struct TBadCase {
    const char* Name;
    std::function<void(QJsonObject&)> Spoil;
    const char* Expected; // part of the message
};

TEST_F(ImportShow, RefusesBadConfigurationsWithAClearMessageAndWritesNothing) {
    const std::vector<TBadCase> cases = {
        {"41 timers",
         [](QJsonObject& c) {
             QJsonArray t = c["timers"].toArray();
             t.removeLast();
             c["timers"] = t;
         },
         "\"timers\" holds 41 entries; the controller has exactly 42 timers"},
        {"7 ports",
         [](QJsonObject& c) {
             QJsonArray p = c["ports"].toArray();
             p.removeLast();
             c["ports"] = p;
         },
         "\"ports\" holds 7 entries"},
        {"unknown day", [](QJsonObject& c) { SetIn(c, "timers", 3, "day", "Lunedi"); },
         "timers[3].day is \"Lunedi\", none of the day names: Lunedì,"},
        {"hour 24", [](QJsonObject& c) { SetIn(c, "timers", 0, "start", "24:00:00"); },
         "timers[0].start is \"24:00:00\""},
        {"one-digit hour", [](QJsonObject& c) { SetIn(c, "timers", 0, "start", "8:30:00"); },
         "timers[0].start"},
        {"duration of a day", [](QJsonObject& c) { SetIn(c, "timers", 1, "duration", "24:00"); },
         "timers[1].duration is \"24:00\""},
        {"duration with seconds",
         [](QJsonObject& c) { SetIn(c, "timers", 1, "duration", "01:00:00"); },
         "timers[1].duration"},
        {"port 9", [](QJsonObject& c) { SetIn(c, "timers", 2, "port", 9); },
         "timers[2].port is 9; expected a whole number from 1 to 8"},
        {"fractional port", [](QJsonObject& c) { SetIn(c, "timers", 2, "port", 1.5); },
         "timers[2].port is 1.5"},
        {"port as text", [](QJsonObject& c) { SetIn(c, "timers", 2, "port", "3"); },
         "timers[2].port must be a number"},
        {"on as text", [](QJsonObject& c) { SetIn(c, "timers", 4, "on", "yes"); },
         "timers[4].on must be true or false"},
        {"missing key",
         [](QJsonObject& c) {
             QJsonArray t = c["timers"].toArray();
             QJsonObject o = t[5].toObject();
             o.remove("timer");
             t[5] = o;
             c["timers"] = t;
         },
         "timers[5] has no \"timer\""},
        {"unknown key", [](QJsonObject& c) { SetIn(c, "timers", 5, "colour", "red"); },
         "timers[5] has the unknown key \"colour\""},
        {"label too long", [](QJsonObject& c) { SetIn(c, "timers", 6, "timer", QString(21, 'x')); },
         "timers[6].timer"},
        {"port twice", [](QJsonObject& c) { SetIn(c, "ports", 7, "number", 1); },
         "ports[7].number repeats port 1"},
        {"name of 33", [](QJsonObject& c) { SetIn(c, "ports", 0, "name", QString(33, 'n')); },
         "is 33 characters long, more than 32"},
        {"control byte in a name",
         [](QJsonObject& c) { SetIn(c, "ports", 0, "name", QStringLiteral("a\x03z")); },
         "ports[0].name holds the control character U+0003"},
        {"not Windows-1252",
         [](QJsonObject& c) { SetIn(c, "ports", 0, "name", QStringLiteral("Luce \u2192")); },
         "ports[0].name \"Luce \u2192\" holds a character that Windows-1252 lacks"},
        {"minimum above 90", [](QJsonObject& c) { SetTemperature(c, "min", 90.5); },
         "temperature.min is 90.5; expected degrees from 0 to 90 in tenths"},
        {"hundredths", [](QJsonObject& c) { SetTemperature(c, "ideal", 25.55); },
         "temperature.ideal is 25.55"},
        {"negative", [](QJsonObject& c) { SetTemperature(c, "max", -1); }, "temperature.max"},
        {"hysteresis 101", [](QJsonObject& c) { SetTemperature(c, "hysteresis", 101); },
         "temperature.hysteresis is 101; expected a whole number from 0 to 100"},
        {"second port 9", [](QJsonObject& c) { SetTemperature(c, "second_port", 9); },
         "temperature.second_port"},
        {"sensor as number", [](QJsonObject& c) { SetTemperature(c, "sensor", 1); },
         "temperature.sensor must be true or false"},
        {"no temperature", [](QJsonObject& c) { c.remove("temperature"); },
         "the document has no \"temperature\""},
    };
    for (const TBadCase& c : cases) {
        SCOPED_TRACE(c.Name);
        QJsonObject config = SampleConfig();
        c.Spoil(config);
        const TRun r = RunCli({"import", WriteJson(config), Path("a.tmr")});
        EXPECT_EQ(r.ExitCode, 1);
        EXPECT_TRUE(r.Err.contains(QString::fromUtf8(c.Expected))) << r.Err.toStdString();
        EXPECT_TRUE(r.Err.startsWith("lumotrix-cli: " + Path("config.json") + ": "))
            << r.Err.toStdString();
        EXPECT_EQ(r.Err.count('\n'), 1);
        EXPECT_EQ(Files(), QStringList{"config.json"});
    }
}

TEST_F(ImportShow, RefusesWhatIsNotJson) {
    WriteFileBytes(Path("bad.json"), "{\"timers\": [ }");
    const TRun r = RunCli({"import", Path("bad.json"), Path("a.tmr")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains("bad.json: not valid JSON at byte")) << r.Err.toStdString();

    const TRun array = RunCli({"import", "-", Path("a.tmr")}, "[1, 2]");
    EXPECT_EQ(array.ExitCode, 1);
    EXPECT_TRUE(array.Err.contains("standard input: the document must be one object"))
        << array.Err.toStdString();
    EXPECT_EQ(Files(), QStringList{"bad.json"});
}

// A set whose third file can't be put in place: the first two go back to what they were.
TEST_F(ImportShow, FailedImportLeavesTheOldSetWhole) {
    QJsonObject old = SampleConfig();
    SetIn(old, "ports", 0, "name", "old name");
    ASSERT_EQ(RunCli({"import", WriteJson(old), Path("a.tmr")}).ExitCode, 0);
    const QByteArray oldTimers = Read("a.tmr");
    const QByteArray oldPorts = Read("Pa");
    // The temperature file's place is taken by a folder.
    ASSERT_TRUE(QFile::remove(Path("Ta")));
    ASSERT_TRUE(QDir(Dir.path()).mkpath("Ta/inside"));

    QJsonObject fresh = SampleConfig();
    SetIn(fresh, "timers", 0, "on", true);
    const TRun r = RunCli({"import", WriteJson(fresh), Path("a.tmr")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains("Cannot write \"" + Path("Ta") + "\"")) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains("the files are as they were"));
    EXPECT_EQ(Read("a.tmr"), oldTimers);
    EXPECT_EQ(Read("Pa"), oldPorts);
    EXPECT_EQ(Files(), (QStringList{"Pa", "Ta", "a.tmr", "config.json"}));
}

TEST_F(ImportShow, FailedFirstImportLeavesNoFiles) {
    ASSERT_TRUE(QDir(Dir.path()).mkpath("Pa/inside"));
    const TRun r = RunCli({"import", WriteJson(SampleConfig()), Path("a.tmr")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains("Cannot write \"" + Path("Pa") + "\"")) << r.Err.toStdString();
    EXPECT_EQ(Files(), (QStringList{"Pa", "config.json"}));

    const TRun noFolder = RunCli({"import", Path("config.json"), Path("missing/folder/a.tmr")});
    EXPECT_EQ(noFolder.ExitCode, 1);
    EXPECT_TRUE(noFolder.Err.contains("Nothing written")) << noFolder.Err.toStdString();
}

} // namespace
