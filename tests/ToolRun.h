#pragma once

// Runs the programs the build makes (the tools, test probes) as a user would.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace lumotrix::test {

// The build directory: from the environment ctest sets, else from where this test runs
// (<build>/tests/<folder>/<folder>_tests).
inline QString BuildDir() {
    const QString fromEnvironment = qEnvironmentVariable("LUMOTRIX_BUILD_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    QDir dir = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).dir();
    dir.cd(QStringLiteral("../.."));
    return dir.absolutePath();
}

struct TRun {
    int ExitCode = -1; // -1 when the program crashed
    QString Out;
    QString Err;
};

// Waits for a started program to end and collects what it printed.
inline TRun Finish(QProcess& p, int timeoutMs = 30000) {
    EXPECT_TRUE(p.waitForFinished(timeoutMs)) << "the tool did not finish";
    TRun r;
    r.ExitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.Out = QString::fromUtf8(p.readAllStandardOutput());
    r.Err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Waits for one whole line of the process's standard output.
inline QByteArray ReadLine(QProcess& p, int timeoutMs = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!p.canReadLine() && timer.elapsed() < timeoutMs && p.state() != QProcess::NotRunning)
        p.waitForReadyRead(100);
    return p.readLine();
}

} // namespace lumotrix::test
