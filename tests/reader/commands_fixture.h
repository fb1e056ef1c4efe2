#pragma once
// The reader's end of a real link for the command tests: the master side of
// a pseudo-terminal (COM) or a device on a private virtual HID bus (HID). A
// test runs a command on its own thread while PlayExchange answers it from
// the reader's end.

#include "platform/pty.h"
#include "platform/vhid.h"
#include "reader/types.h"
#include "tests/platform/test_folder.h"
#include "tests/test_bytes.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace reader_test {

using Bytes = std::vector<uint8_t>;

enum class Framing {
    Len, // LEN(2) then LEN bytes
    Stx, // STX LEN, then LEN + 2 bytes
};

class ReaderEnd {
public:
    virtual ~ReaderEnd() = default;

    DeviceHandle handle() const { return m_handle; }
    int mode() const { return m_mode; }

    // One request as the reader receives it; empty when none came in time.
    virtual Bytes TakeRequest(Framing framing, uint32_t timeoutMs) = 0;
    virtual bool Send(const Bytes& bytes) = 0;
    // True when nothing arrives within timeoutMs.
    virtual bool Silent(uint32_t timeoutMs) = 0;

protected:
    DeviceHandle m_handle = -1;
    int m_mode = TransportClosed;
};

// A pseudo-terminal opened through the serial transport at 9600 baud.
class ComReaderEnd : public ReaderEnd {
public:
    ComReaderEnd();
    ~ComReaderEnd() override;

    Bytes TakeRequest(Framing framing, uint32_t timeoutMs) override;
    bool Send(const Bytes& bytes) override;
    bool Silent(uint32_t timeoutMs) override;

private:
    platform::Pty m_pty;
};

// A device on a virtual HID bus of its own, opened by path.
class HidReaderEnd : public ReaderEnd {
public:
    explicit HidReaderEnd(int reportLength);
    ~HidReaderEnd() override;

    Bytes TakeRequest(Framing framing, uint32_t timeoutMs) override;
    bool Send(const Bytes& bytes) override;
    bool Silent(uint32_t timeoutMs) override;

private:
    test_support::PrivateVhidBus m_bus;
    std::unique_ptr<platform::VirtualHidDevice> m_device;
    int m_reportLength;
};

std::unique_ptr<ReaderEnd> MakeReaderEnd(int mode);

struct ExchangeRecord {
    int result = -1;
    Bytes request; // empty when the command sent nothing
};

// Runs call while the reader's end takes one request and answers it with
// reply (or with nothing, when reply is empty).
ExchangeRecord PlayExchange(ReaderEnd& end, Framing framing, const Bytes& reply,
                            const std::function<int()>& call);

// The links every command suite runs over, and their names in test names.
inline const auto kBothLinks = ::testing::Values(int{TransportCom}, int{TransportHid});
std::string LinkName(const ::testing::TestParamInfo<int>& info);

using test_support::Cat;
// The text's bytes followed by zeros up to width.
Bytes Padded(const std::string& text, size_t width);

} // namespace reader_test
