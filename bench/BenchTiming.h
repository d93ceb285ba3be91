#pragma once

// Timing and reporting shared by the micro-benchmarks: the median of several batches, so that
// one disturbed batch on a busy machine does not move the figure.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace lumotrix::bench {

// Microseconds per call of `work`: the median over `batches` batches of `perBatch` calls.
template <typename Work> double MedianMicroseconds(Work&& work, int batches, int perBatch) {
    std::vector<double> perCall;
    for (int b = 0; b < batches; ++b) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < perBatch; ++i)
            work();
        const auto end = std::chrono::steady_clock::now();
        perCall.push_back(std::chrono::duration<double, std::micro>(end - start).count() /
                          perBatch);
    }
    std::nth_element(perCall.begin(), perCall.begin() + perCall.size() / 2, perCall.end());
    return perCall[perCall.size() / 2];
}

// One line: the figure, its target and the ratio figure / target (at most 1 meets it).
inline void PrintAgainstTarget(const char* what, double micros, double targetMicros) {
    const bool millis = targetMicros >= 1000;
    const double scale = millis ? 1000.0 : 1.0;
    const char* unit = millis ? "ms" : "us";
    std::printf("%-34s %10.3f %s   target <= %g %s   ratio %.3f  %s\n", what, micros / scale, unit,
                targetMicros / scale, unit, micros / targetMicros,
                micros <= targetMicros ? "met" : "MISSED");
}

} // namespace lumotrix::bench
