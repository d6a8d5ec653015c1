#pragma once
// Medians of repeated timings, printed one line per measurement.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

inline double MedianMicros(int runs, const std::function<void()>& body)
{
    std::vector<double> times;
    times.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        body();
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline void Report(const char* what, double micros, int runs)
{
    std::printf("%-48s median %10.1f us  (%d runs)\n", what, micros, runs);
}
