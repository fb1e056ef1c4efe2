#include "app/device_change_queue.h"

#include "platform/clock.h"
#include "platform/poll_wait.h"

namespace {

constexpr uint32_t kDeviceChangeDelayMs = 300;

// The readers' ids as the interface names spell them; case matters.
struct UsbIds {
    const char* product;
    const char* vendor;
};
constexpr UsbIds kReaderIds[] = {{"PID_572B", "VID_0483"}, {"PID_2007", "VID_5131"}};

bool NameHolds(const std::string& name, const UsbIds& ids) {
    return name.find(ids.product) != std::string::npos &&
           name.find(ids.vendor) != std::string::npos;
}

} // namespace

void DeviceChangeQueue::Add(bool arrival, const std::string& interfaceName) {
    // A removal makes every waiting step of the device pointless. An arrival
    // only replaces a waiting connect: a waiting removal must still close the
    // connection to the device that went, or the new one could not open.
    std::erase_if(m_steps, [&](const DeviceStep& step) {
        return step.interfaceName == interfaceName &&
               (!arrival || step.kind == DeviceStepKind::Connect);
    });
    const uint32_t now = platform::TickCount();
    uint32_t delayMs = 0;
    for (const UsbIds& ids : kReaderIds) {
        if (!NameHolds(interfaceName, ids))
            continue;
        // A name with both readers' ids is handled once for each, each after
        // a wait of its own.
        delayMs += kDeviceChangeDelayMs;
        m_steps.push_back({arrival ? DeviceStepKind::Connect : DeviceStepKind::Disconnect,
                           interfaceName, now, delayMs});
    }
    if (!arrival)
        m_steps.push_back({DeviceStepKind::ClearStatus, interfaceName, now, 0});
}

uint32_t DeviceChangeQueue::MsUntilFirstDue() const {
    return m_steps.empty() ? 0
                           : platform::MsLeft(m_steps.front().eventTick, m_steps.front().delayMs);
}

DeviceStep DeviceChangeQueue::TakeFirst() {
    DeviceStep step = m_steps.front();
    m_steps.pop_front();
    return step;
}
