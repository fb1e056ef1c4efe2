#pragma once
// A private virtual HID bus for one test: its own folder, devices on it and
// threads acting for them, all torn down at the end of the test.

#include "platform/hid.h"
#include "platform/vhid.h"
#include "reader/hid_transport.h"
#include "tests/platform/test_folder.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace hidtest {

using Bytes = std::vector<uint8_t>;
using platform::VirtualHidDevice;

inline constexpr uint16_t kVendor = 0x0483;
inline constexpr uint16_t kProduct = 0x572B;

class VhidBusTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_bus.path().empty()); }

    void TearDown() override {
        for (DeviceHandle h : m_handles)
            platform::CloseDeviceHandle(h);
        for (std::thread& t : m_threads)
            t.join();
        m_devices.clear();
    }

    const std::string& folder() const { return m_bus.path(); }

    VirtualHidDevice*
    AddDevice(const std::string& name, uint16_t inputLength, uint16_t outputLength,
              uint16_t vendor = kVendor, uint16_t product = kProduct,
              VirtualHidDevice::Sharing sharing = VirtualHidDevice::Sharing::Shared,
              const std::string& in = {}) {
        auto device = VirtualHidDevice::Create(in.empty() ? folder() : in, name, vendor, product,
                                               inputLength, outputLength, sharing);
        EXPECT_NE(device, nullptr) << name;
        m_devices.push_back(std::move(device));
        return m_devices.back().get();
    }

    // Closed at the end of the test.
    DeviceHandle Open(const VirtualHidDevice* device) {
        DeviceHandle h = platform::OpenHidPath(device->path());
        EXPECT_NE(h, platform::kInvalidHandle) << device->path();
        m_handles.push_back(h);
        return h;
    }

    // Runs body on a thread that the test joins before its devices go.
    void OnDevice(std::function<void()> body) { m_threads.emplace_back(std::move(body)); }

    // The next count output reports the device received.
    static std::vector<Bytes> Collect(VirtualHidDevice* device, size_t count) {
        std::vector<Bytes> reports;
        Bytes report;
        while (reports.size() < count && device->receiveOutputReport(&report, 2000))
            reports.push_back(report);
        return reports;
    }

    static void Send(VirtualHidDevice* device, const Bytes& report) {
        EXPECT_EQ(device->sendInputReport(report.data(), report.size()), 1);
    }

private:
    test_support::PrivateVhidBus m_bus;
    std::vector<std::unique_ptr<VirtualHidDevice>> m_devices;
    std::vector<DeviceHandle> m_handles;
    std::vector<std::thread> m_threads;
};

} // namespace hidtest
