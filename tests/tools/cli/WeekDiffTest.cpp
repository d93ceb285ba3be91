#include "CliSupport.h"

#include <functional>

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

// Every timer off but a few: lights every day, a zero duration, two timers overlapping past
// Saturday's midnight, one on the regulated port 4.
QJsonObject WeekConfig() {
    QJsonObject config = SampleConfig();
    for (int k = 0; k < 42; ++k)
        SetIn(config, "timers", k, "on", false);
    const auto timer = [&](int row, int port, const QString& day, const char* start,
                           const char* duration) {
        SetIn(config, "timers", row - 1, "port", port);
        SetIn(config, "timers", row - 1, "day", day);
        SetIn(config, "timers", row - 1, "start", start);
        SetIn(config, "timers", row - 1, "duration", duration);
        SetIn(config, "timers", row - 1, "on", true);
    };
    timer(1, 1, DayTexts()[7], "08:30:00", "10:30");
    timer(7, 3, DayTexts()[0], "09:00:00", "00:00");
    timer(10, 2, DayTexts()[5], "22:00:00", "04:00");
    timer(11, 2, DayTexts()[6], "01:00:00", "02:00");
    timer(12, 4, DayTexts()[2], "12:00:00", "01:00");
    SetIn(config, "ports", 0, "name", "Luci   ");
    SetTemperature(config, "sensor", true);
    SetTemperature(config, "first_port", 4);
    SetTemperature(config, "second_port", 0);
    return config;
}

QJsonObject On(int day, const char* from, const char* to, const QJsonArray& timers,
               const QJsonArray& rows) {
    return {{"day", day}, {"from", from}, {"to", to}, {"timers", timers}, {"rows", rows}};
}

using Week = CliTest;

TEST_F(Week, JsonAndTextFollowTheWeekModel) {
    ASSERT_EQ(RunCli({"import", WriteJson(WeekConfig()), Path("a.tmr")}).ExitCode, 0);

    const QStringList names = {"Luci",         "Pompa", "Riscaldatore", "Ventola", "CO2 5 €",
                               "Lunedì porta", "",      "Porta otto"};
    QJsonArray ports;
    for (int p = 1; p <= 8; ++p) {
        QJsonArray daily;
        for (int d = 0; d < 7; ++d)
            daily.append("00:00:00");
        ports.append(QJsonObject{{"port", p},
                                 {"name", names[p - 1]},
                                 {"regulated", p == 4},
                                 {"daily", daily},
                                 {"on", QJsonArray()}});
    }
    const auto set = [&](int port, const char* key, const QJsonValue& value) {
        QJsonObject o = ports[port - 1].toObject();
        o[QLatin1String(key)] = value;
        ports[port - 1] = o;
    };
    QJsonArray lights;
    for (int d = 1; d <= 7; ++d)
        lights.append(On(d, "08:30:00", "19:00:00", {"Timer 01"}, {1}));
    set(1, "on", lights);
    set(1, "daily",
        QJsonArray{"10:30:00", "10:30:00", "10:30:00", "10:30:00", "10:30:00", "10:30:00",
                   "10:30:00"});
    set(2, "on",
        QJsonArray{On(6, "22:00:00", "24:00:00", {"Timer 10"}, {10}),
                   On(7, "00:00:00", "03:00:00", {"Timer 10", "Timer 11"}, {10, 11})});
    set(2, "daily",
        QJsonArray{"00:00:00", "00:00:00", "00:00:00", "00:00:00", "00:00:00", "02:00:00",
                   "03:00:00"});
    set(4, "on", QJsonArray{On(3, "12:00:00", "13:00:00", {"Timer 12"}, {12})});
    set(4, "daily",
        QJsonArray{"00:00:00", "00:00:00", "01:00:00", "00:00:00", "00:00:00", "00:00:00",
                   "00:00:00"});
    const QJsonArray problems = {QJsonObject{{"kind", "zero-duration"},
                                             {"timers", QJsonArray{"Timer 07"}},
                                             {"rows", QJsonArray{7}},
                                             {"ports", QJsonArray{3}}},
                                 QJsonObject{{"kind", "overlap"},
                                             {"timers", QJsonArray{"Timer 10", "Timer 11"}},
                                             {"rows", QJsonArray{10, 11}},
                                             {"ports", QJsonArray{2}}},
                                 QJsonObject{{"kind", "regulated-port"},
                                             {"timers", QJsonArray{"Timer 12"}},
                                             {"rows", QJsonArray{12}},
                                             {"ports", QJsonArray{4}}}};

    const TRun json = RunCli({"week", Path("a.tmr"), "--json"});
    ASSERT_EQ(json.ExitCode, 0) << json.Err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(json.Out.toUtf8()).object(),
              (QJsonObject{{"ports", ports}, {"problems", problems}}))
        << json.Out.toStdString();

    const TRun text = RunCli({"week", Path("a.tmr")});
    ASSERT_EQ(text.ExitCode, 0) << text.Err.toStdString();
    for (const char* expected :
         {"Port 1 \"Luci\"\n  Monday    10:30:00 on\n    08:30:00-19:00:00  Timer 01 (row 1)\n",
          "  Sunday    03:00:00 on\n"
          "    00:00:00-03:00:00  Timer 10 (row 10), Timer 11 (row 11)  (overlap)\n",
          "Port 4 \"Ventola\", regulated by the temperature\n", "Port 5 \"CO2 5 €\"\n  never on\n",
          "Problems (3)\n"
          "  Zero duration: Timer 07 (row 7) is \"On\" but lasts 00:00, so it never switches "
          "on port 3 (Riscaldatore).\n"
          "  Overlap: Timer 10 (row 10) and Timer 11 (row 11) switch on port 2 (Pompa) at "
          "overlapping times.\n"
          "  Regulated port: port 4 (Ventola) is driven by the temperature regulation but is "
          "also switched on by Timer 12 (row 12).\n"})
        EXPECT_TRUE(text.Out.contains(QString::fromUtf8(expected))) << expected << "\nin\n"
                                                                    << text.Out.toStdString();

    // Without the temperature file nothing is regulated.
    ASSERT_TRUE(QFile::remove(Path("Ta")));
    const QJsonObject bare =
        QJsonDocument::fromJson(RunCli({"week", Path("a.tmr"), "--json"}).Out.toUtf8()).object();
    EXPECT_FALSE(bare["ports"].toArray()[3].toObject()["regulated"].toBool());
    EXPECT_EQ(bare["problems"].toArray().size(), 2);

    const TRun help = RunCli({"week", "--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_TRUE(help.Out.contains("a timer \"Off\"\n  is inactive")) << help.Out.toStdString();
}

struct TDiffCase {
    const char* Name;
    std::function<void(QJsonObject&)> Change;
    int Status;
    const char* Output;
};

TEST_F(Week, DiffListsWhatTheControllerWouldHoldDifferently) {
    const std::vector<TDiffCase> cases = {
        {"the same", [](QJsonObject&) {}, 0, ""},
        {"port names without the fill",
         [](QJsonObject& c) { SetIn(c, "ports", 0, "name", "Luci        "); }, 0, ""},
        {"labels only",
         [](QJsonObject& c) {
             SetIn(c, "timers", 4, "timer", "Alba");
             SetIn(c, "timers", 40, "timer", "");
         },
         0,
         "Timer labels (the controller never sees them):\n"
         "  timer 5 label: \"Timer 05\" -> \"Alba\"\n"
         "  timer 41 label: \"Timer 41\" -> \"\"\n"},
        {"what is sent, and labels apart",
         [](QJsonObject& c) {
             SetIn(c, "timers", 2, "start", "08:00:00");
             SetIn(c, "timers", 2, "day", "Tutti i giorni");
             SetIn(c, "timers", 2, "on", false);
             SetIn(c, "timers", 41, "duration", "00:05");
             SetIn(c, "timers", 41, "port", 1);
             SetIn(c, "timers", 0, "timer", "Luci");
             SetIn(c, "ports", 1, "name", "Filtro");
             SetTemperature(c, "max", 29);
             SetTemperature(c, "second_port", 0);
         },
         1,
         "timer 3 day: Mercoledì -> Tutti i giorni\n"
         "timer 3 start: 02:14:26 -> 08:00:00\n"
         "timer 3 state: On -> Off\n"
         "timer 42 port: 2 -> 1\n"
         "timer 42 duration: 17:31 -> 00:05\n"
         "port 2 name: \"Pompa\" -> \"Filtro\"\n"
         "temperature maximum: 28.5 °C -> 29.0 °C\n"
         "temperature port above: 4 -> none\n"
         "\nTimer labels (the controller never sees them):\n"
         "  timer 1 label: \"Timer 01\" -> \"Luci\"\n"},
    };
    ASSERT_EQ(RunCli({"import", WriteJson(SampleConfig()), Path("a.tmr")}).ExitCode, 0);
    for (const TDiffCase& c : cases) {
        SCOPED_TRACE(c.Name);
        QJsonObject changed = SampleConfig();
        c.Change(changed);
        ASSERT_EQ(RunCli({"import", WriteJson(changed), Path("b.tmr")}).ExitCode, 0);
        const TRun r = RunCli({"diff", Path("a.tmr"), Path("b.tmr")});
        EXPECT_EQ(r.ExitCode, c.Status) << r.Err.toStdString();
        EXPECT_EQ(r.Out, QString::fromUtf8(c.Output));
    }

    // Trouble is 2, never taken for a difference.
    const TRun missing = RunCli({"diff", Path("a.tmr"), Path("none.tmr")});
    EXPECT_EQ(missing.ExitCode, 2);
    EXPECT_TRUE(missing.Err.contains("none.tmr")) << missing.Err.toStdString();
    EXPECT_TRUE(missing.Out.isEmpty());
}

} // namespace
