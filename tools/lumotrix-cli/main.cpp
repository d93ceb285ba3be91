// lumotrix-cli: the configuration files and the controller link without the window.
//   show FILE.tmr [--json]
//   week FILE.tmr [--json | --svg OUT | --pdf OUT | --png OUT]
//   diff A.tmr B.tmr
//   import CONFIG.json FILE.tmr
//   send FILE.tmr --port DEVICE [--delay SECONDS] [--no-clock]
//   receive --port DEVICE --out FILE.tmr [--timeout SECONDS]
// Exit status: 0 done, 1 failed (one line on standard error), 2 wrong usage; diff: 0 equal,
// 1 different, 2 trouble.

#include "ConfigDiff.h"
#include "ConfigImport.h"
#include "ConfigView.h"
#include "EnglishMessages.h"
#include "WeekPicture.h"
#include "WeekView.h"
#include "link/ControllerLink.h"
#include "link/LinkMessageIds.h"
#include "model/ConfigFiles.h"
#include "model/Configuration.h"
#include "model/WeekModel.h"
#include "runtime/Exception.h"
#include "runtime/SerialEngine.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QMap>
#include <QTimer>
#include <cstdio>
#include <exception>

using namespace lumotrix;

namespace {

const char* const UsageText =
    "usage:\n"
    "  lumotrix-cli show FILE.tmr [--json]\n"
    "      print the configuration as tables, or as the JSON that import reads\n"
    "  lumotrix-cli week FILE.tmr [--json | --svg OUT | --pdf OUT | --png OUT]\n"
    "      print when each port is on during the week and what is wrong with the schedule,\n"
    "      or draw it as the window's week page does\n"
    "  lumotrix-cli diff A.tmr B.tmr\n"
    "      list what the controller would hold differently (0: same, 1: different, 2: error)\n"
    "  lumotrix-cli import CONFIG.json FILE.tmr\n"
    "      write FILE.tmr and its port and temperature files from JSON (\"-\": standard input)\n"
    "  lumotrix-cli send FILE.tmr --port DEVICE [--delay SECONDS] [--no-clock]\n"
    "      send the configuration and set the controller's clock (--no-clock: leave it);\n"
    "      --delay is the pause before the transfer and after each port name (default 1)\n"
    "  lumotrix-cli receive --port DEVICE --out FILE.tmr [--timeout SECONDS]\n"
    "      wait for the controller's dump (default 60 s, 0: no limit) and write its files\n";

const char* const WeekUsageText =
    "usage: lumotrix-cli week FILE.tmr [--json | --svg OUT | --pdf OUT | --png OUT]\n"
    "  For each of the 8 ports and each day from Monday to Sunday: the times the port is on,\n"
    "  the timers that switch it on (label and row) and the day's total; then the problems:\n"
    "  a timer \"On\" with a zero duration, a timer \"On\" for a port or a day that does not\n"
    "  exist, two timers switching one port at overlapping times, a port that the temperature\n"
    "  regulation drives while a timer switches it too.\n"
    "  A timer counts when its state is \"On\" and its duration is above zero; a timer \"Off\"\n"
    "  is inactive: it switches nothing. A run past midnight goes on the next day (Sunday's on\n"
    "  Monday). The temperature settings come from the temperature file beside FILE.tmr.\n"
    "  --json  the same as JSON: \"ports\" (port, name, regulated, daily, on) and \"problems\"\n"
    "          (kind, timers, rows, ports)\n"
    "  --svg OUT, --pdf OUT (an A4 landscape page), --png OUT  write the chart of the window's\n"
    "          week page with its problems to OUT instead, in English\n";

const char* const DiffUsageText =
    "usage: lumotrix-cli diff A.tmr B.tmr\n"
    "  Lists what the controller would hold differently with B instead of A: each timer's port,\n"
    "  day, start, duration and state by row, the port names (without their trailing blanks)\n"
    "  and the temperature settings, as they are sent. Timer labels, which the controller never\n"
    "  sees, are listed apart and do not count.\n"
    "  Exit status: 0 the same, 1 different, 2 a file could not be read or wrong usage.\n";

struct TUsageError {
    QString Message;
};

// The arguments after the sub-command: positionals in order, and the options the command
// allows, each given at most once.
struct TArguments {
    QStringList Positional;
    QMap<QString, QString> Options;

    bool Has(const char* name) const { return Options.contains(QLatin1String(name)); }
    QString Value(const char* name) const { return Options.value(QLatin1String(name)); }
};

TArguments Parse(const QStringList& args, int positionals, const QStringList& withValue,
                 const QStringList& flags) {
    TArguments parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg.startsWith(QLatin1String("--"))) {
            if (parsed.Options.contains(arg))
                throw TUsageError{QStringLiteral("%1 is given twice").arg(arg)};
            if (withValue.contains(arg)) {
                if (i + 1 >= args.size())
                    throw TUsageError{QStringLiteral("%1 needs a value").arg(arg)};
                parsed.Options.insert(arg, args[++i]);
            } else if (flags.contains(arg)) {
                parsed.Options.insert(arg, QString());
            } else {
                throw TUsageError{QStringLiteral("unknown option %1").arg(arg)};
            }
        } else {
            parsed.Positional << arg;
        }
    }
    if (parsed.Positional.size() != positionals)
        throw TUsageError{QStringLiteral("expected %1 file argument%2, got %3")
                              .arg(positionals)
                              .arg(positionals == 1 ? "" : "s")
                              .arg(parsed.Positional.size())};
    return parsed;
}

QString Required(const TArguments& args, const char* option) {
    if (!args.Has(option) || args.Value(option).isEmpty())
        throw TUsageError{QStringLiteral("%1 is required").arg(QLatin1String(option))};
    return args.Value(option);
}

int Seconds(const TArguments& args, const char* option, int fallback) {
    if (!args.Has(option))
        return fallback;
    bool ok = false;
    const int seconds = args.Value(option).toInt(&ok);
    if (!ok || seconds < 0 || seconds > 24 * 3600)
        throw TUsageError{QStringLiteral("%1 takes whole seconds from 0 to 86400, not \"%2\"")
                              .arg(QLatin1String(option), args.Value(option))};
    return seconds;
}

void Print(const QString& text) {
    std::fputs(text.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

QString FileList(const QString& timerFile) {
    const TConfigurationFiles files = ConfigurationFilesOf(timerFile);
    return QStringLiteral("%1, %2, %3").arg(files.TimerFile, files.PortFile, files.TemperatureFile);
}

// The failure line stays one line whatever the message holds.
QByteArray OneLine(const QString& message) {
    QString line = message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return line.toUtf8();
}

int Show(const TArguments& args) {
    TConfiguration config;
    config.Load(args.Positional[0]);
    if (args.Has("--json"))
        Print(
            QString::fromUtf8(QJsonDocument(ConfigToJson(config)).toJson(QJsonDocument::Indented)));
    else
        Print(ConfigToText(config));
    return 0;
}

int Week(const TArguments& args) {
    TConfiguration config;
    config.Load(args.Positional[0]);
    const TWeekModel week = BuildWeekModel(config, config.TemperatureSettings());
    QStringList pictures;
    for (const char* option : WeekPictureOptions)
        if (args.Has(option))
            pictures << QLatin1String(option);
    if (pictures.size() + (args.Has("--json") ? 1 : 0) > 1)
        throw TUsageError{QStringLiteral("--json, --svg, --pdf and --png exclude each other")};
    if (!pictures.isEmpty()) {
        const QString out = Required(args, pictures[0].toLatin1().constData());
        WriteWeekPicture(week, args.Positional[0], pictures[0], out);
        Print(QStringLiteral("wrote %1\n").arg(out));
        return 0;
    }
    if (args.Has("--json"))
        Print(QString::fromUtf8(QJsonDocument(WeekToJson(week)).toJson(QJsonDocument::Indented)));
    else
        Print(WeekToText(week));
    return 0;
}

// As diff does: 0 the same, 1 different, 2 trouble (here too, not 1, so that a script cannot
// take an unreadable file for a difference).
int Diff(const TArguments& args) {
    try {
        TConfiguration first;
        first.Load(args.Positional[0]);
        TConfiguration second;
        second.Load(args.Positional[1]);
        const TConfigDiff diff = DiffConfigurations(first, second);
        Print(DiffToText(diff));
        return diff.Controller.isEmpty() ? 0 : 1;
    } catch (const Exception& e) {
        std::fprintf(stderr, "lumotrix-cli: %s\n", OneLine(e.Message()).constData());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lumotrix-cli: %s\n",
                     OneLine(QString::fromUtf8(e.what())).constData());
    }
    return 2;
}

// "COMMAND --help" prints the command's own usage.
bool AsksHelp(const QStringList& args) {
    return args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"));
}

int Import(const TArguments& args) {
    const QString source = args.Positional[0];
    QFile file;
    const bool fromStdin = source == QLatin1String("-");
    const bool opened = fromStdin ? file.open(stdin, QIODevice::ReadOnly)
                                  : (file.setFileName(source), file.open(QIODevice::ReadOnly));
    if (!opened)
        throw EResNotFound(
            QStringLiteral("Cannot read \"%1\": %2").arg(source, file.errorString()));
    const QByteArray json = file.readAll();
    TConfiguration config;
    ConfigFromJson(json, fromStdin ? QStringLiteral("standard input") : source, config);
    config.Save(args.Positional[1]);
    Print(QStringLiteral("wrote %1\n").arg(FileList(args.Positional[1])));
    return 0;
}

// The controller's line settings on `device`, taken as a path.
void UseDevice(TSerialEngine& port, const QString& device) {
    TComSettings settings;
    settings.Port = device;
    port.SetSettings(settings);
}

// Runs `step`, which may open the port, reporting a failed open in this tool's words.
template <typename F> void OpeningPort(const QString& device, F&& step) {
    try {
        step();
    } catch (const EPortOpenError& e) {
        throw EResNotFound(
            QStringLiteral("Cannot open the port %1: %2").arg(device, MessageText(e.Reason())));
    }
}

int Send(const TArguments& args) {
    const QString timerFile = args.Positional[0];
    const QString device = Required(args, "--port");
    const int delay = Seconds(args, "--delay", 1);
    TConfiguration config;
    config.Load(timerFile);
    config.CheckComplete(timerFile);

    TSerialEngine port;
    UseDevice(port, device);
    TEventPause pause(port);
    TSystemClock clock;
    TControllerLink link(port, pause, clock, config);
    TSendRequest request;
    request.DelayText = QString::number(delay);
    request.SyncDate = !args.Has("--no-clock");
    request.Temperature = config.TemperatureSettings();
    OpeningPort(device, [&] { link.Send(request); });
    port.Drain();
    port.Close();
    Print(QStringLiteral("sent %1 to %2%3\n")
              .arg(timerFile, device,
                   request.SyncDate ? QStringLiteral(", clock set") : QStringLiteral("")));
    return 0;
}

// Without a window a received temperature record goes into the configuration's temperature
// table, and a refused dump is remembered for the exit status.
class TReceiveWindow : public TLinkWindow {
public:
    explicit TReceiveWindow(TConfiguration& config) : FConfig(config) {}
    void StoreTemperature(const TTemperatureSettings& received) override {
        FConfig.SetTemperatureSettings(received);
    }
    void ShowError(const QString&) override { Refused = true; }
    bool Refused = false;

private:
    TConfiguration& FConfig;
};

int Receive(const TArguments& args) {
    const QString device = Required(args, "--port");
    const QString out = Required(args, "--out");
    const int timeout = Seconds(args, "--timeout", 60);

    TConfiguration config;
    TSerialEngine port;
    UseDevice(port, device);
    TEventPause pause(port);
    TSystemClock clock;
    TReceiveWindow window(config);
    TControllerLink link(port, pause, clock, config, &window);

    // Exceptions must not cross the event loop: they are kept and raised after it.
    QEventLoop loop;
    std::exception_ptr failure;
    bool ended = false;
    const auto guarded = [&](const auto& step) {
        try {
            step();
        } catch (...) {
            failure = std::current_exception();
            loop.quit();
        }
    };
    port.OnRxChar = [&](int count) { guarded([&] { link.ComPortRxChar(count); }); };
    port.OnRxFlag = [&] {
        if (ended)
            return;
        ended = true;
        guarded([&] { link.ComPortRxFlag(); });
        loop.quit();
    };
    port.OnError = [&](const TMessage& message) { guarded([&] { throw EReadError(message); }); };
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);

    OpeningPort(device, [&] { link.ReceiveCommand(); });
    Print(QStringLiteral("listening on %1\n").arg(device));
    if (timeout > 0)
        timer.start(timeout * 1000);
    loop.exec();
    port.Close();

    if (failure)
        std::rethrow_exception(failure);
    if (!ended)
        throw Exception(
            QStringLiteral("No dump arrived on %1 within %2 s").arg(device).arg(timeout));
    if (window.Refused) {
        std::fprintf(stderr, "%s\n", MessageText(msgSerialError).toUtf8().constData());
        return 1;
    }
    config.Save(out);
    Print(QStringLiteral("wrote %1\n").arg(FileList(out)));
    return 0;
}

int Run(const QStringList& args) {
    if (args.isEmpty())
        throw TUsageError{QStringLiteral("no command given")};
    const QString command = args[0];
    const QStringList rest = args.mid(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        Print(QString::fromLatin1(UsageText));
        return 0;
    }
    if (command == QLatin1String("show"))
        return Show(Parse(rest, 1, {}, {QStringLiteral("--json")}));
    if (command == QLatin1String("week")) {
        if (AsksHelp(rest)) {
            Print(QString::fromLatin1(WeekUsageText));
            return 0;
        }
        return Week(Parse(
            rest, 1, {QStringLiteral("--svg"), QStringLiteral("--pdf"), QStringLiteral("--png")},
            {QStringLiteral("--json")}));
    }
    if (command == QLatin1String("diff")) {
        if (AsksHelp(rest)) {
            Print(QString::fromLatin1(DiffUsageText));
            return 0;
        }
        return Diff(Parse(rest, 2, {}, {}));
    }
    if (command == QLatin1String("import"))
        return Import(Parse(rest, 2, {}, {}));
    if (command == QLatin1String("send"))
        return Send(Parse(rest, 1, {QStringLiteral("--port"), QStringLiteral("--delay")},
                          {QStringLiteral("--no-clock")}));
    if (command == QLatin1String("receive"))
        return Receive(Parse(
            rest, 0,
            {QStringLiteral("--port"), QStringLiteral("--out"), QStringLiteral("--timeout")}, {}));
    throw TUsageError{QStringLiteral("unknown command \"%1\"").arg(command)};
}

} // namespace

int main(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> app = MakeApplication(argc, argv);
    SetMessageTexts(&EnglishMessageText);
    try {
        return Run(app->arguments().mid(1));
    } catch (const TUsageError& e) {
        std::fprintf(stderr, "lumotrix-cli: %s\n%s", OneLine(e.Message).constData(), UsageText);
        return 2;
    } catch (const Exception& e) {
        std::fprintf(stderr, "lumotrix-cli: %s\n", OneLine(e.Message()).constData());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lumotrix-cli: %s\n",
                     OneLine(QString::fromUtf8(e.what())).constData());
    }
    return 1;
}
