// A command exchange over the virtual HID bus against a device that answers
// at once: what is left is the transport's own fixed pauses and overhead.

#include "platform/hid.h"
#include "platform/vhid.h"
#include "reader/hid_transport.h"
#include "tools/bench/bench.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kRuns = 5;

// Median milliseconds of one HidTransceive of requestLength bytes, which the
// device receives as requestReports reports and answers with one report.
double ExchangeMs(int requestLength, uint16_t reportLength, size_t requestReports) {
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/txv-bench-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr)
        return -1;
    setenv("TXV_VHID_DIR", folder.c_str(), 1);
    auto device = platform::VirtualHidDevice::Create(folder, "reader", 0x0483, 0x572B, reportLength,
                                                     reportLength);
    if (!device)
        return -1;
    std::thread answering([&device, requestReports] {
        const uint8_t reply[] = {0x00, 0x00, 0x02, 'Y', 0x01};
        std::vector<uint8_t> report;
        for (;;) {
            for (size_t i = 0; i < requestReports; ++i)
                if (!device->receiveOutputReport(&report, 5000))
                    return;
            device->sendInputReport(reply, sizeof reply);
        }
    });

    std::vector<double> times;
    DeviceHandle h = platform::OpenHidPath(device->path());
    std::vector<uint8_t> request(size_t(requestLength), 0x30);
    uint8_t reply[64];
    for (int run = 0; run < kRuns && h != platform::kInvalidHandle; ++run) {
        int count = 0;
        auto start = std::chrono::steady_clock::now();
        int result =
            HidTransceive(h, request.data(), requestLength, reply, sizeof reply, &count, 2000);
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        if (result != ReaderOk)
            break;
        times.push_back(took.count());
    }
    platform::CloseDeviceHandle(h);
    device->unplug();
    answering.join();
    device.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    unsetenv("TXV_VHID_DIR");
    if (times.size() != size_t(kRuns))
        return -1;
    return bench::Median(times);
}

} // namespace

// Six reports with 100 ms after each, then 50 ms before the reply is read.
TXV_BENCH(hid_exchange_ms_42_over_9) {
    bench::Report("hid_exchange_ms_42_over_9", ExchangeMs(42, 9, 6), "ms");
    bench::Report("hid_exchange_ms_42_over_9_floor_ms", 6 * 100 + 50, "ms");
}

TXV_BENCH(hid_exchange_ms_3_over_65) {
    bench::Report("hid_exchange_ms_3_over_65", ExchangeMs(3, 65, 1), "ms");
    bench::Report("hid_exchange_ms_3_over_65_floor_ms", 100 + 50, "ms");
}
