// Costs of the serial frame reader's wait: the CPU it burns on a silent line
// and how soon it hands over a frame once its last byte arrived.

#include "platform/clock.h"
#include "platform/pty.h"
#include "reader/com_transport.h"
#include "tools/bench/bench.h"

#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Cost {
    double wallSeconds;
    double cpuPercent;
};

// How long body takes and how much of that time the process spent on a core.
template <class Body> Cost Measure(Body body) {
    const double cpuBefore = CpuSeconds();
    const Clock::time_point start = Clock::now();
    body();
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    return {wall, 100.0 * (CpuSeconds() - cpuBefore) / wall};
}

// A pseudo-terminal with the reader's end opened as a port.
struct BenchPort {
    platform::Pty pty;
    DeviceHandle h = platform::kInvalidHandle;

    bool Open() {
        if (!pty.Open())
            return false;
        h = OpenComPort(pty.slavePath().c_str());
        if (IsNoDevice(h))
            std::fprintf(stderr, "cannot open %s as a port\n", pty.slavePath().c_str());
        return !IsNoDevice(h);
    }
    ~BenchPort() {
        if (!IsNoDevice(h))
            platform::CloseDeviceHandle(h);
    }
};

} // namespace

TXV_BENCH(com_wait_cpu_percent) {
    BenchPort port;
    if (!port.Open())
        return;
    uint8_t buffer[150];
    int length = 0;
    const Cost cost =
        Measure([&] { ComReadLenFrame(port.h, buffer, sizeof buffer, &length, 1000); });
    bench::Report("com_wait_cpu_percent", cost.cpuPercent, "%");
}

// The console's one-second read on a silent line: how long it lasts (1000 to
// about 1800 ms, its last one-byte read running out) and what it costs.
TXV_BENCH(com_read_second_ms) {
    BenchPort port;
    if (!port.Open())
        return;
    uint8_t buffer[1024];
    int count = 0;
    const Cost cost = Measure([&] { ComReadForSecond(port.h, buffer, sizeof buffer, &count); });
    bench::Report("com_read_second_ms", 1000.0 * cost.wallSeconds, "ms");
    bench::Report("com_read_second_cpu_percent", cost.cpuPercent, "%");
}

TXV_BENCH(com_frame_pickup_ms) {
    BenchPort port;
    if (!port.Open())
        return;
    const uint8_t frame[] = {0x00, 0x05, 'A', 'Y', 0x01, 0x02, 0x03};
    constexpr int kRounds = 50;
    std::vector<double> pickups;
    for (int round = 0; round < kRounds; ++round) {
        Clock::time_point lastByteSent;
        // The frame comes in two bursts while the reader waits, as from a
        // real line; the clock starts as the last byte is handed over.
        std::thread device([&] {
            platform::SleepMs(5);
            port.pty.Write(frame, sizeof frame - 1);
            platform::SleepMs(5);
            lastByteSent = Clock::now();
            port.pty.Write(frame + sizeof frame - 1, 1);
        });
        uint8_t buffer[150];
        int length = 0;
        int result = ComReadLenFrame(port.h, buffer, sizeof buffer, &length, 1000);
        Clock::time_point returned = Clock::now();
        device.join();
        if (result != ReaderOk) {
            std::fprintf(stderr, "frame read failed in round %d\n", round);
            return;
        }
        pickups.push_back(
            std::chrono::duration<double, std::milli>(returned - lastByteSent).count());
    }
    bench::Report("com_frame_pickup_ms", bench::Median(pickups), "ms");
}
