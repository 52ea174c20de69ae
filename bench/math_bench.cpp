// Times the formula language's power and decimal logarithm three ways, per
// call in nanoseconds: the fastest of many short runs, taken in turns, which
// a machine busy with other work disturbs least:
//   runtime      the C runtime's double pow and log10;
//   long double  MinGW's long double functions rounded to double;
//   portable     engine/portable_math (what the formula language uses).
// Built for both Windows builds and run under Wine by `make bench-math`.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "engine/portable_math.h"

namespace {

constexpr int32_t kArguments = 1024;
constexpr int32_t kRounds = 100;  // calls per run: kArguments * kRounds
constexpr int32_t kRuns = 41;

double g_bases[kArguments];
double g_exponents[kArguments];
volatile double g_sink;

// Bases and exponents of the kind clinical formulas use: 0.01..100 to -4..30.
void make_arguments() {
    uint64_t state = 2026;
    for (int32_t i = 0; i < kArguments; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        g_bases[i] = 0.01 + 100.0 * static_cast<double>(state >> 11) * 0x1p-53;
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        g_exponents[i] = -4.0 + 34.0 * static_cast<double>(state >> 11) * 0x1p-53;
    }
}

double pow_runtime(double x, double y) { return std::pow(x, y); }
double pow_long_double(double x, double y) {
    return static_cast<double>(std::pow(static_cast<long double>(x), static_cast<long double>(y)));
}
double pow_portable(double x, double y) { return portable_pow(x, y); }
double log10_runtime(double x, double) { return std::log10(x); }
double log10_long_double(double x, double) {
    return static_cast<double>(std::log10(static_cast<long double>(x)));
}
double log10_portable(double x, double) { return portable_log10(x); }

using Function = double (*)(double, double);

// Nanoseconds per call of one run.
double time_run(Function function) {
    auto start = std::chrono::steady_clock::now();
    double sum = 0;
    for (int32_t round = 0; round < kRounds; ++round) {
        for (int32_t i = 0; i < kArguments; ++i) sum += function(g_bases[i], g_exponents[i]);
    }
    auto stop = std::chrono::steady_clock::now();
    g_sink = sum;
    return std::chrono::duration<double, std::nano>(stop - start).count() /
           (static_cast<double>(kArguments) * kRounds);
}

}  // namespace

int main() {
    make_arguments();
    struct Row {
        const char* name;
        Function runtime, long_double, portable;
    };
    const Row rows[] = {
        {"pow", pow_runtime, pow_long_double, pow_portable},
        {"log10", log10_runtime, log10_long_double, log10_portable},
    };
    const char* build = sizeof(void*) == 8 ? "64-bit" : "32-bit";
    for (const Row& row : rows) {
        const Function functions[3] = {row.runtime, row.long_double, row.portable};
        double fastest[3] = {1e300, 1e300, 1e300};
        for (int32_t run = 0; run < kRuns; ++run) {
            for (int32_t f = 0; f < 3; ++f) fastest[f] = std::min(fastest[f], time_run(functions[f]));
        }
        std::printf("| %-5s | %s | %6.1f | %6.1f | %6.1f |\n", row.name, build, fastest[0], fastest[1],
                    fastest[2]);
    }
    return 0;
}
