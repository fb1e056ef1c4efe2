#include "platform/vhid.h"
#include "sim/stand_in_reader.h"
#include "sim_test_support.h"
#include "tests/platform/test_folder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/socket.h>

namespace {

using sim::Bytes;

// The tool's side: a client of the bus, one message a report.
class HidClient {
public:
    explicit HidClient(const std::string& path) : m_fd(platform::VhidConnect(path, &m_hello)) {}
    ~HidClient() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    HidClient(const HidClient&) = delete;
    HidClient& operator=(const HidClient&) = delete;

    bool connected() const { return m_fd >= 0; }
    const platform::VhidHello& hello() const { return m_hello; }

    // Sends the bytes in output reports: id 0, then the bytes, zero-padded.
    bool Send(const Bytes& bytes) {
        const size_t length = m_hello.outputReportLength;
        for (size_t at = 0; at < bytes.size(); at += length - 1) {
            Bytes report(length, 0);
            const size_t n = std::min(length - 1, bytes.size() - at);
            std::copy_n(bytes.begin() + static_cast<long>(at), n, report.begin() + 1);
            if (send(m_fd, report.data(), report.size(), 0) != static_cast<ssize_t>(length)) {
                return false;
            }
        }
        return true;
    }

    // The next input report, or empty after the time-out.
    Bytes Receive(uint32_t timeoutMs) {
        pollfd pfd{m_fd, POLLIN, 0};
        if (poll(&pfd, 1, static_cast<int>(timeoutMs)) <= 0) {
            return {};
        }
        Bytes report(256);
        const ssize_t n = recv(m_fd, report.data(), report.size(), 0);
        report.resize(n > 0 ? static_cast<size_t>(n) : 0);
        return report;
    }

private:
    platform::VhidHello m_hello;
    int m_fd;
};

class HidReader : public testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_bus.path().empty()); }

    test_support::PrivateVhidBus m_bus;
};

TEST_F(HidReader, RequestInOneReportGetsTheReplyInReports) {
    for (int length : {9, 65}) {
        SCOPED_TRACE(length);
        sim::StandInReader reader;
        ASSERT_TRUE(reader.StartOnVirtualHid({.reportLength = length}));
        HidClient client(reader.DevicePath());
        ASSERT_TRUE(client.connected());
        EXPECT_EQ(client.hello().vendorId, 0x0483);
        EXPECT_EQ(client.hello().productId, 0x572B);
        EXPECT_EQ(client.hello().inputReportLength, length);

        ASSERT_TRUE(client.Send({0x00, 0x01, 0x40}));
        // 59 reply bytes (LEN 57), length - 1 a report.
        const size_t perReport = static_cast<size_t>(length) - 1;
        const size_t reports = (59 + perReport - 1) / perReport;
        Bytes collected;
        for (size_t i = 0; i < reports; ++i) {
            const Bytes report = client.Receive(2000);
            ASSERT_EQ(report.size(), static_cast<size_t>(length));
            EXPECT_EQ(report[0], 0x00);
            collected.insert(collected.end(), report.begin() + 1, report.end());
        }
        EXPECT_EQ(Bytes(collected.begin(), collected.begin() + 4), (Bytes{0x00, 0x39, 0x40, 'Y'}));
        EXPECT_TRUE(
            std::all_of(collected.begin() + 59, collected.end(), [](uint8_t b) { return b == 0; }));
        const sim::ReaderParameterBlock block = reader.ReaderBlock();
        EXPECT_TRUE(std::equal(block.begin(), block.end(), collected.begin() + 4));
        EXPECT_TRUE(client.Receive(100).empty());
    }
}

TEST_F(HidReader, RequestOverSeveralReportsIsTakenWhole) {
    sim::StandInReader reader;
    ASSERT_TRUE(reader.StartOnVirtualHid({.name = "small", .reportLength = 9}));
    HidClient client(reader.DevicePath());
    ASSERT_TRUE(client.connected());
    Bytes apply = {0x00, 0x36, 0x3D};
    for (int i = 0; i < 53; ++i) {
        apply.push_back(static_cast<uint8_t>(i));
    }
    ASSERT_TRUE(client.Send(apply)); // seven reports
    EXPECT_EQ(client.Receive(2000), (Bytes{0x00, 0x00, 0x02, 0x3D, 'Y', 0, 0, 0, 0}));
    EXPECT_EQ(reader.LastRequest(), apply);
    EXPECT_EQ(reader.DeviceId(), 19 << 8 | 20);

    ASSERT_TRUE(reader.SendIButton(false, {0x01, 0x41, 0x42}));
    EXPECT_EQ(client.Receive(2000), (Bytes{0x00, 0x00, 0x05, 'a', 'Y', 0x01, 0x41, 0x42, 0x00}));
}

TEST_F(HidReader, SplitFrameKeepsItsBytesTogetherAcrossReports) {
    sim::StandInReader reader;
    ASSERT_TRUE(reader.StartOnVirtualHid({.reportLength = 9}));
    HidClient client(reader.DevicePath());
    ASSERT_TRUE(client.connected());
    reader.SetFault({.kind = sim::FaultKind::SplitByPause, .count = 10, .pauseMs = 50});
    ASSERT_TRUE(client.Send({0x00, 0x01, 0x40}));
    // One report leaves before the pause, the rest after it; the pause puts
    // no padding into the frame.
    const sim::ReaderParameterBlock block = reader.ReaderBlock();
    const Bytes frame = sim::EncodeLenFrame(0x40, 'Y', Bytes(block.begin(), block.end()));
    Bytes collected;
    for (size_t i = 0; i < 8; ++i) {
        const Bytes report = client.Receive(2000);
        ASSERT_EQ(report.size(), 9u);
        collected.insert(collected.end(), report.begin() + 1, report.end());
    }
    EXPECT_EQ(Bytes(collected.begin(), collected.begin() + 59), frame);
}

TEST_F(HidReader, RefusesWhatTheBusCannotCarry) {
    sim::StandInReader stx(sim::Personality::Stx);
    EXPECT_FALSE(stx.StartOnVirtualHid({}));
    sim::StandInReader odd;
    EXPECT_FALSE(odd.StartOnVirtualHid({.reportLength = 33}));
    unsetenv("TXV_VHID_DIR");
    sim::StandInReader noBus;
    EXPECT_FALSE(noBus.StartOnVirtualHid({}));
}

TEST_F(HidReader, StopUnplugsTheDevice) {
    sim::StandInReader reader;
    ASSERT_TRUE(reader.StartOnVirtualHid({.vendorId = 0x5131, .productId = 0x2007}));
    HidClient client(reader.DevicePath());
    ASSERT_TRUE(client.connected());
    EXPECT_EQ(client.hello().vendorId, 0x5131);
    reader.Stop();
    EXPECT_FALSE(reader.Running());
    EXPECT_TRUE(platform::ListVhidPaths().empty());
}

} // namespace
