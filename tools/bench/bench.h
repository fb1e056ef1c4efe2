#pragma once
// A tiny registry of benchmarks: each TXV_BENCH body measures something and
// prints it with Report as "name: value unit", one figure a line.

#include <functional>
#include <vector>

namespace bench {

void Report(const char* name, double value, const char* unit);

// The middle value of a non-empty set of samples.
double Median(std::vector<double> values);

struct Registrar {
    Registrar(const char* name, std::function<void()> body);
};

} // namespace bench

#define TXV_BENCH_CAT2(a, b) a##b
#define TXV_BENCH_CAT(a, b) TXV_BENCH_CAT2(a, b)
#define TXV_BENCH(name)                                                                            \
    static void name();                                                                            \
    static bench::Registrar TXV_BENCH_CAT(registrar_, name)(#name, name);                          \
    static void name()
