// Prints how long the program takes from process start to its main window shown, and its
// peak memory. Runs the program's own start-up offscreen.

#include "app/HoravelForm.h"
#include "app/Startup.h"
#include "widgets/Application.h"

#include <QFile>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Seconds since boot, as the kernel counts process start times.
double BootSeconds() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// The process's start, in seconds since boot (field 22 of /proc/self/stat), or -1.
double ProcessStartSeconds() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // The command name may hold spaces; the fields after it follow the last ')'.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    // Field 3 (state) is fields[0], so field 22 is fields[19].
    if (fields.size() < 20)
        return -1;
    return fields[19].toDouble() / double(sysconf(_SC_CLK_TCK));
}

} // namespace

int main(int argc, char** argv) {
    const auto mainEntered = std::chrono::steady_clock::now();
    const double bootAtMain = BootSeconds();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    std::unique_ptr<lumotrix::TProgram> program = lumotrix::StartProgram(argc, argv);
    program->MainForm->Show();
    while (!program->MainForm->Widget()->isVisible())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents(); // the first layout and paint
    const auto shown = std::chrono::steady_clock::now();
    const double bootAtShown = BootSeconds();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double sinceMain = std::chrono::duration<double, std::milli>(shown - mainEntered).count();
    const double start = ProcessStartSeconds();
    const double sinceStart = start < 0 ? -1 : (bootAtShown - start) * 1000.0;
    std::printf("main window shown: %.1f ms after process start (clock-tick resolution), "
                "%.1f ms after main()\n",
                sinceStart, sinceMain);
    std::printf("process start to main(): %.1f ms\n",
                start < 0 ? -1.0 : (bootAtMain - start) * 1000.0);
    std::printf("peak memory: %.1f MB\n", double(usage.ru_maxrss) / 1024.0);
    return 0;
}
