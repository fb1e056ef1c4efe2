#include "tools/bench/bench.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

namespace bench {

namespace {
std::vector<std::pair<const char*, std::function<void()>>>& Registry() {
    static std::vector<std::pair<const char*, std::function<void()>>> benches;
    return benches;
}
} // namespace

void Report(const char* name, double value, const char* unit) {
    std::printf("%s: %.2f %s\n", name, value, unit);
    std::fflush(stdout);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

Registrar::Registrar(const char* name, std::function<void()> body) {
    Registry().emplace_back(name, std::move(body));
}

} // namespace bench

// With arguments, runs only the benchmarks whose names contain one of them.
int main(int argc, char** argv) {
    for (auto& [name, body] : bench::Registry()) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i)
            wanted = wanted || std::strstr(name, argv[i]) != nullptr;
        if (wanted)
            body();
    }
    return 0;
}
