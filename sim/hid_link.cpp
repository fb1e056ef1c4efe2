#include "platform/vhid.h"
#include "sim/link.h"
#include "sim/stand_in_reader.h"

#include <algorithm>

namespace sim {

namespace {

constexpr uint32_t kSendTimeoutMs = 1000;

class HidLink : public Link {
public:
    HidLink(std::unique_ptr<platform::VirtualHidDevice> device, size_t reportLength)
        : m_device(std::move(device)), m_reportLength(reportLength) {}

    Received Receive(Bytes* data, uint32_t timeoutMs) override {
        Bytes report;
        if (!m_device->receiveOutputReport(&report, timeoutMs)) {
            return m_device->plugged() ? Received::Idle : Received::Closed;
        }
        // Byte 0 is the report id; the rest is frame bytes and padding.
        data->assign(report.begin() + (report.empty() ? 0 : 1), report.end());
        return Received::Report;
    }

    // Byte 0 report id 0, then the next bytes; the last report of a frame is
    // padded with zeros, a frame not ended yet keeps its last partial report.
    void Send(const Bytes& bytes, bool endsFrame) override {
        m_pending.insert(m_pending.end(), bytes.begin(), bytes.end());
        const size_t perReport = m_reportLength - 1;
        size_t at = 0;
        while (m_device->plugged() && at < m_pending.size()) {
            const size_t n = std::min(perReport, m_pending.size() - at);
            if (n < perReport && !endsFrame) {
                break;
            }
            Bytes report(m_reportLength, 0);
            std::copy_n(m_pending.begin() + static_cast<long>(at), n, report.begin() + 1);
            m_device->sendInputReport(report.data(), report.size(), kSendTimeoutMs);
            at += n;
        }
        m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<long>(at));
        if (endsFrame) {
            m_pending.clear();
        }
    }

    void Shutdown() override { m_device->unplug(); }

private:
    std::unique_ptr<platform::VirtualHidDevice> m_device;
    size_t m_reportLength;
    Bytes m_pending; // start of a frame's last report, until the frame goes on
};

} // namespace

std::unique_ptr<Link> OpenHidLink(const VirtualHidOptions& options, std::string* devicePath) {
    if (options.reportLength != 9 && options.reportLength != 65) {
        return nullptr;
    }
    const std::string folder = options.folder.empty() ? platform::VhidFolder() : options.folder;
    if (folder.empty()) {
        return nullptr;
    }
    const auto length = static_cast<uint16_t>(options.reportLength);
    auto device = platform::VirtualHidDevice::Create(folder, options.name, options.vendorId,
                                                     options.productId, length, length);
    if (!device) {
        return nullptr;
    }
    *devicePath = device->path();
    return std::make_unique<HidLink>(std::move(device), options.reportLength);
}

} // namespace sim
