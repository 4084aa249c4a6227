// Times of benchmark rounds that alternate with an anchor's on a shared
// machine: each side is reported by its median with the spread around it.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace kvu::bench {

inline double SecondsSince(const std::chrono::steady_clock::time_point& start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// "name  median  (min, max)" in milliseconds.
inline void ReportRounds(const char* name, const std::vector<double>& times) {
    auto [low, high] = std::minmax_element(times.begin(), times.end());
    std::printf("%-18s median %7.1f ms  (min %7.1f, max %7.1f, %zu rounds)\n", name,
                Median(times) * 1e3, *low * 1e3, *high * 1e3, times.size());
}

// Runs each side once to fill the caches, then rounds that alternate which
// side goes first, so that a change of load falls on both alike. Each run
// returns its time in seconds; keepGoing stops the rounds after a failure.
template <class First, class Second, class KeepGoing>
void AlternateRounds(int rounds, First first, Second second, KeepGoing keepGoing,
                     std::vector<double>& firstTimes, std::vector<double>& secondTimes) {
    first();
    second();
    for (int round = 0; round < rounds && keepGoing(); ++round) {
        if (round % 2 == 0) {
            firstTimes.push_back(first());
            secondTimes.push_back(second());
        } else {
            secondTimes.push_back(second());
            firstTimes.push_back(first());
        }
    }
}

}  // namespace kvu::bench
