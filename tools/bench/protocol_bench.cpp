// A whole command exchange with the stand-in reader on a pseudo-terminal
// whose reader side sends at 9600 baud, next to the floor: the time the
// reader's bytes need at that rate (the tool's request crosses a pty at
// once), plus the fixed pauses.

#include "platform/handle.h"
#include "reader/com_transport.h"
#include "reader/commands.h"
#include "reader/stx.h"
#include "sim/stand_in_reader.h"
#include "tools/bench/bench.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kBaud = 9600;
constexpr int kRounds = 10;

double WireMs(int bytes) {
    return bytes * 10.0 * 1000.0 / kBaud;
}

double MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The stand-in reader on a paced pty and the tool's handle to it.
struct PacedLink {
    explicit PacedLink(sim::Personality personality) : reader(personality) {
        if (reader.StartOnPty({.linkName = "", .portsDir = "", .paceBaud = kBaud}))
            handle = OpenComPortBaud(reader.SlavePath().c_str(), kBaud);
    }
    ~PacedLink() {
        if (!IsNoDevice(handle))
            platform::CloseDeviceHandle(handle);
    }
    sim::StandInReader reader;
    DeviceHandle handle = -1;
};

} // namespace

TXV_BENCH(com_exchange_ms_9600) {
    PacedLink link(sim::Personality::LengthPrefixed);
    if (IsNoDevice(link.handle)) {
        std::fprintf(stderr, "com_exchange_ms_9600: no stand-in reader\n");
        return;
    }
    std::vector<double> times;
    int count = 0;
    for (int i = 0; i < kRounds; ++i) {
        uint8_t block[256];
        const auto start = std::chrono::steady_clock::now();
        if (CmdReadParameter(link.handle, TransportCom, block, sizeof block, &count, 3000) !=
            ReaderOk) {
            std::fprintf(stderr, "com_exchange_ms_9600: exchange failed\n");
            return;
        }
        times.push_back(MsSince(start));
    }
    const int replyBytes = count + 4;
    bench::Report("com_exchange_ms_9600", bench::Median(times), "ms");
    bench::Report("com_exchange_ms_9600_floor_ms", WireMs(replyBytes), "ms");
}

TXV_BENCH(stx_version_ms) {
    PacedLink link(sim::Personality::Stx);
    if (IsNoDevice(link.handle)) {
        std::fprintf(stderr, "stx_version_ms: no stand-in reader\n");
        return;
    }
    constexpr int kVersionRounds = 5;
    std::vector<double> times;
    int versionLength = 0;
    for (int i = 0; i < kVersionRounds; ++i) {
        uint8_t version[200] = {};
        char requestTrace[1024];
        char replyTrace[1024];
        const auto start = std::chrono::steady_clock::now();
        if (RsGetVersion(link.handle, version, sizeof version - 1, 2000, requestTrace,
                         sizeof requestTrace, replyTrace, sizeof replyTrace) != ReaderOk) {
            std::fprintf(stderr, "stx_version_ms: exchange failed\n");
            return;
        }
        times.push_back(MsSince(start));
        versionLength = static_cast<int>(std::strlen(reinterpret_cast<char*>(version)));
    }
    // The reply frame (STX LEN echo echo status text ETX BCC) and the two
    // bytes the reader sends after it; then the fixed pause.
    const int wireBytes = versionLength + 7 + 2;
    bench::Report("stx_version_ms", bench::Median(times), "ms");
    bench::Report("stx_version_ms_floor_ms", WireMs(wireBytes) + 300.0, "ms");
}
