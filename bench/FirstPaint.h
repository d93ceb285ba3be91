#pragma once

// What the start-up benchmark's children share: the clock, the wait for the first paint and the
// one line of report the parent reads.
//     MAIN_MS PAINT_MS CPU_MS PEAK_MB WIDTH HEIGHT PLATFORM

#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace lumotrix::bench {

// CLOCK_MONOTONIC is one clock for every process, so a child's time stamps compare with the
// parent's.
inline double NowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

// Runs the event loop until `window` has painted once and that paint has finished.
inline void WaitForFirstPaint(QWidget* window) {
    struct TPaintWatch : QObject {
        QEventLoop Loop;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                QMetaObject::invokeMethod(&Loop, &QEventLoop::quit, Qt::QueuedConnection);
            return false;
        }
    } watch;
    window->installEventFilter(&watch);
    watch.Loop.exec();
    window->removeEventFilter(&watch);
}

// Waits for the first paint of the shown `window` and prints the report line.
inline void ReportFirstPaint(double mainMs, QWidget* window) {
    WaitForFirstPaint(window);
    const double paintMs = NowMs();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1000.0 + t.tv_usec / 1000.0; };
    std::printf("%.3f %.3f %.3f %.3f %d %d %s\n", mainMs, paintMs,
                ms(usage.ru_utime) + ms(usage.ru_stime), double(usage.ru_maxrss) / 1024.0,
                window->width(), window->height(), qPrintable(QGuiApplication::platformName()));
    std::fflush(stdout);
}

} // namespace lumotrix::bench
