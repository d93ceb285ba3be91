#pragma once

// Timing and reporting shared by the micro-benchmarks: the median of several batches, so that
// one disturbed batch on a busy machine does not move the figure. Each figure is given as
// wall-clock time and as the process's CPU time: on a machine shared with other work the wall
// clock also counts the time spent waiting for a core, the CPU time does not (but leaves out
// waits for the disk).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

namespace lumotrix::bench {

// Seconds since `start` on the steady clock: the stopwatch of the benchmarks that time one run.
inline double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct TFigure {
    double WallMicros = 0; // per call
    double CpuMicros = 0;
};

inline double CpuMicrosNow() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1e3;
}

// Per call of `work`: the medians over `batches` batches of `perBatch` calls.
template <typename Work> TFigure MedianPerCall(Work&& work, int batches, int perBatch) {
    std::vector<double> wall, cpu;
    for (int b = 0; b < batches; ++b) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = CpuMicrosNow();
        for (int i = 0; i < perBatch; ++i)
            work();
        const double cpuEnd = CpuMicrosNow();
        const auto end = std::chrono::steady_clock::now();
        wall.push_back(std::chrono::duration<double, std::micro>(end - start).count() / perBatch);
        cpu.push_back((cpuEnd - cpuStart) / perBatch);
    }
    const auto median = [](std::vector<double>& v) {
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
        return v[v.size() / 2];
    };
    return {median(wall), median(cpu)};
}

// Two lines, wall clock and CPU time: the figure, its target and the ratio figure / target (at
// most 1 meets it).
inline void PrintAgainstTarget(const char* what, const TFigure& figure, double targetMicros) {
    const bool millis = targetMicros >= 1000;
    const double scale = millis ? 1000.0 : 1.0;
    const char* unit = millis ? "ms" : "us";
    for (const auto& [clock, micros] :
         {std::pair{"wall", figure.WallMicros}, std::pair{"cpu", figure.CpuMicros}})
        std::printf("%-32s %-4s %10.3f %s   target <= %g %s   ratio %.3f  %s\n", what, clock,
                    micros / scale, unit, targetMicros / scale, unit, micros / targetMicros,
                    micros <= targetMicros ? "met" : "MISSED");
}

} // namespace lumotrix::bench
