#pragma once

// lumotrix-sim, the virtual controller, run on its pseudo-terminal by the link, window and
// command-line tests.

#include "ToolRun.h"

#include <QStringList>
#include <ctime>

namespace lumotrix::test {

// Processor time this process has used, in ms.
inline double CpuMs() {
    timespec used{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return double(used.tv_sec) * 1e3 + double(used.tv_nsec) / 1e6;
}

// A lost line is reported within this long, and leaves the program idle: less than IdleCpuMs
// of processor time in the second after (one that spins on the dead line takes far more).
constexpr int LossReportMs = 1000;
constexpr double IdleCpuMs = 50;

inline QString SimTool() {
    return BuildDir() + QStringLiteral("/tools/lumotrix-sim/lumotrix-sim");
}

// The simulator with its report lines; told to quit (or killed) when it goes.
struct TSimulator {
    QProcess Process;
    QString Device; // the pseudo-terminal it listens on
    int LineTimeoutMs = 10000;

    // Starts the simulator and reads the device it announces.
    bool Start() {
        Process.start(SimTool());
        if (!Process.waitForStarted(5000))
            return false;
        Device = QString::fromUtf8(ReadLine()).trimmed();
        return Device.startsWith(QLatin1String("/dev/"));
    }
    QByteArray ReadLine() { return test::ReadLine(Process, LineTimeoutMs); }
    // The lines of the next transfer report, up to and including "end".
    QStringList Report() {
        QStringList lines;
        while (lines.isEmpty() || (lines.back() != QLatin1String("end") && !lines.back().isEmpty()))
            lines << QString::fromUtf8(ReadLine()).trimmed();
        return lines;
    }
    ~TSimulator() {
        Process.write("quit\n");
        Process.waitForBytesWritten(1000);
        if (!Process.waitForFinished(3000))
            Process.kill();
        Process.waitForFinished(3000);
    }
};

} // namespace lumotrix::test
