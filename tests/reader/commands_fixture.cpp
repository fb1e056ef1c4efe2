#include "tests/reader/commands_fixture.h"

#include "platform/handle.h"
#include "platform/hid.h"
#include "reader/com_transport.h"
#include "tests/platform/hid_input_reports.h"

#include <thread>

namespace reader_test {

namespace {

constexpr uint32_t kRequestWaitMs = 6000;

// Bytes still to come after the first two of a request.
size_t RestOfFrame(Framing framing, const Bytes& head) {
    return framing == Framing::Len ? static_cast<size_t>(head[0] << 8 | head[1])
                                   : static_cast<size_t>(head[1]) + 2;
}

} // namespace

ComReaderEnd::ComReaderEnd() {
    m_mode = TransportCom;
    if (m_pty.Open())
        m_handle = OpenComPort(m_pty.slavePath().c_str());
}

ComReaderEnd::~ComReaderEnd() {
    if (!IsNoDevice(m_handle))
        platform::CloseDeviceHandle(m_handle);
}

Bytes ComReaderEnd::TakeRequest(Framing framing, uint32_t timeoutMs) {
    Bytes frame(2);
    if (m_pty.ReadExact(frame.data(), 2, timeoutMs) != 2)
        return {};
    const size_t rest = RestOfFrame(framing, frame);
    frame.resize(2 + rest);
    if (m_pty.ReadExact(frame.data() + 2, rest, timeoutMs) != static_cast<long>(rest))
        return {};
    return frame;
}

bool ComReaderEnd::Send(const Bytes& bytes) {
    return m_pty.Write(bytes.data(), bytes.size()) == static_cast<long>(bytes.size());
}

bool ComReaderEnd::Silent(uint32_t timeoutMs) {
    uint8_t byte = 0;
    return m_pty.Read(&byte, 1, timeoutMs) == 0;
}

HidReaderEnd::HidReaderEnd(int reportLength) : m_reportLength(reportLength) {
    m_mode = TransportHid;
    const auto length = static_cast<uint16_t>(reportLength);
    m_device =
        platform::VirtualHidDevice::Create(m_bus.path(), "reader", 0x0483, 0x572B, length, length);
    if (m_device)
        m_handle = platform::OpenHidPath(m_device->path());
}

HidReaderEnd::~HidReaderEnd() {
    if (!IsNoDevice(m_handle))
        platform::CloseDeviceHandle(m_handle);
    m_device.reset();
}

Bytes HidReaderEnd::TakeRequest(Framing framing, uint32_t timeoutMs) {
    Bytes data;
    std::vector<uint8_t> report;
    size_t expected = 0;
    do {
        if (!m_device->receiveOutputReport(&report, timeoutMs) || report.size() < 2)
            return {};
        data.insert(data.end(), report.begin() + 1, report.end());
        if (expected == 0 && data.size() >= 2)
            expected = 2 + RestOfFrame(framing, data);
    } while (data.size() < expected);
    data.resize(expected); // drop the padding of the last report
    return data;
}

bool HidReaderEnd::Send(const Bytes& bytes) {
    for (const Bytes& report :
         test_support::SplitIntoReports(bytes, static_cast<size_t>(m_reportLength)))
        if (m_device->sendInputReport(report.data(), report.size()) < 1)
            return false;
    return true;
}

bool HidReaderEnd::Silent(uint32_t timeoutMs) {
    std::vector<uint8_t> report;
    return !m_device->receiveOutputReport(&report, timeoutMs);
}

std::unique_ptr<ReaderEnd> MakeReaderEnd(int mode) {
    if (mode == TransportHid)
        return std::make_unique<HidReaderEnd>(65);
    return std::make_unique<ComReaderEnd>();
}

ExchangeRecord PlayExchange(ReaderEnd& end, Framing framing, const Bytes& reply,
                            const std::function<int()>& call) {
    ExchangeRecord record;
    std::thread reader([&] {
        record.request = end.TakeRequest(framing, kRequestWaitMs);
        if (!record.request.empty() && !reply.empty())
            end.Send(reply);
    });
    record.result = call();
    reader.join();
    return record;
}

std::string LinkName(const ::testing::TestParamInfo<int>& info) {
    return info.param == TransportHid ? "Hid" : "Com";
}

Bytes Padded(const std::string& text, size_t width) {
    Bytes bytes(text.begin(), text.end());
    bytes.resize(width, 0x00);
    return bytes;
}

} // namespace reader_test
