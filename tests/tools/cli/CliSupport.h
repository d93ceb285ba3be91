#pragma once

// Runs the command-line tools as a user would, in a temporary folder.

#include "ToolRun.h"
#include "support/FileBytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace lumotrix::test {

inline QString CliTool() {
    return BuildDir() + QStringLiteral("/tools/lumotrix-cli/lumotrix-cli");
}

inline TRun RunCli(const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.start(CliTool(), args);
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    return Finish(p);
}

inline const QStringList& DayTexts() {
    static const QStringList days = {QStringLiteral("Lunedì"),    QStringLiteral("Martedì"),
                                     QStringLiteral("Mercoledì"), QStringLiteral("Giovedì"),
                                     QStringLiteral("Venerdì"),   QStringLiteral("Sabato"),
                                     QStringLiteral("Domenica"),  QStringLiteral("Tutti i giorni")};
    return days;
}

// A whole configuration with every kind of value: all eight days, starts up to 23:59:59,
// timers on and off, names with "ì", "€" and trailing blanks, an empty name.
inline QJsonObject SampleConfig() {
    QJsonArray timers;
    for (int k = 0; k < 42; ++k) {
        const auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QChar('0')); };
        const QString start =
            k == 41 ? QStringLiteral("23:59:59")
                    : two(k % 24) + ':' + two((k * 7) % 60) + ':' + two((k * 13) % 60);
        timers.append(QJsonObject{{"timer", QStringLiteral("Timer %1").arg(two(k + 1))},
                                  {"port", k % 8 + 1},
                                  {"day", DayTexts()[k % 8]},
                                  {"start", start},
                                  {"duration", two(k % 24) + ':' + two((k * 11) % 60)},
                                  {"on", k % 3 != 0}});
    }
    const QStringList names = {QStringLiteral("Luci"),
                               QStringLiteral("Pompa  "),
                               QStringLiteral("Riscaldatore"),
                               QStringLiteral("Ventola"),
                               QStringLiteral("CO2 5 €"),
                               QStringLiteral("Lunedì porta"),
                               QString(),
                               QStringLiteral("Porta otto")};
    QJsonArray ports;
    for (int n = 1; n <= 8; ++n)
        ports.append(QJsonObject{{"number", n}, {"name", names[n - 1]}});
    return QJsonObject{{"timers", timers},
                       {"ports", ports},
                       {"temperature", QJsonObject{{"sensor", true},
                                                   {"min", 22},
                                                   {"max", 28.5},
                                                   {"ideal", 25.5},
                                                   {"hysteresis", 2},
                                                   {"first_port", 3},
                                                   {"second_port", 4}}}};
}

// Edits one value of a timer, a port or the temperature object.
inline void SetIn(QJsonObject& config, const char* list, int index, const char* key,
                  const QJsonValue& value) {
    QJsonArray array = config[QLatin1String(list)].toArray();
    QJsonObject item = array[index].toObject();
    item[QLatin1String(key)] = value;
    array[index] = item;
    config[QLatin1String(list)] = array;
}
inline void SetTemperature(QJsonObject& config, const char* key, const QJsonValue& value) {
    QJsonObject t = config[QLatin1String("temperature")].toObject();
    t[QLatin1String(key)] = value;
    config[QLatin1String("temperature")] = t;
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QFile::exists(CliTool())) << CliTool().toStdString(); }

    QString Path(const QString& name) const { return Dir.filePath(name); }
    QString Path(const char* name) const { return Path(QString::fromUtf8(name)); }

    QString WriteJson(const QJsonObject& config, const char* name = "config.json") {
        QFile f(Path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QJsonDocument(config).toJson());
        return f.fileName();
    }

    QByteArray Read(const char* name) const { return FileBytes(Path(name)); }

    QStringList Files() const {
        return QDir(Dir.path())
            .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }

    QJsonObject ShowJson(const char* timerFile) {
        const TRun r = RunCli({QStringLiteral("show"), Path(timerFile), QStringLiteral("--json")});
        EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
        return QJsonDocument::fromJson(r.Out.toUtf8()).object();
    }

    QTemporaryDir Dir;
};

} // namespace lumotrix::test
