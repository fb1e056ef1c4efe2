#include "platform/port_map.h"
#include "sim/stand_in_reader.h"
#include "sim_test_support.h"
#include "tests/platform/test_folder.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using sim::Bytes;
using sim_test::ReadAtLeast;
using sim_test::WriteAll;

// The tool's side of the line: the pty slave opened the way any program does.
class PtyLine {
public:
    explicit PtyLine(const std::string& path)
        : m_fd(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {}
    ~PtyLine() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

class PtyReader : public testing::Test {
protected:
    // Starts the reader and opens its slave; returns false on failure.
    bool Start(sim::Personality personality, sim::PtyOptions options = {}) {
        m_reader = std::make_unique<sim::StandInReader>(personality);
        if (!m_reader->StartOnPty(options)) {
            return false;
        }
        m_line = std::make_unique<PtyLine>(m_reader->SlavePath());
        return m_line->fd() >= 0;
    }

    // Writes a request and reads `count` bytes of answer.
    Bytes Exchange(const Bytes& request, size_t count) {
        EXPECT_TRUE(WriteAll(m_line->fd(), request));
        return ReadAtLeast(m_line->fd(), count, 2000);
    }

    std::unique_ptr<sim::StandInReader> m_reader;
    std::unique_ptr<PtyLine> m_line;
};

TEST_F(PtyReader, HandMadeVersionRequestGetsTheReplyFrame) {
    ASSERT_TRUE(Start(sim::Personality::LengthPrefixed));
    m_reader->SetVersionText("V9");
    const Bytes reply = Exchange({0x00, 0x01, 0x30}, 6);
    EXPECT_EQ(reply, (Bytes{0x00, 0x04, 0x30, 'Y', 'V', '9'}));
    EXPECT_EQ(m_reader->LastRequest(), (Bytes{0x00, 0x01, 0x30}));
}

TEST_F(PtyReader, HandMadeStxVersionRequestIsEchoedWithTwoBytesMore) {
    ASSERT_TRUE(Start(sim::Personality::Stx));
    m_reader->SetVersionText("R1");
    const Bytes reply = Exchange({0x02, 0x02, 0x32, 0x30, 0x03, 0x01}, 11);
    ASSERT_EQ(reply.size(), 11u);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 7),
              (Bytes{0x02, 0x05, 0x32, 0x30, 'Y', 'R', '1'}));
    EXPECT_EQ(reply[7], 0x03);
    EXPECT_EQ(reply[8], sim::XorCheck(reply.data(), 8));
}

TEST_F(PtyReader, SettingsMadeOverTheLineAreKept) {
    ASSERT_TRUE(Start(sim::Personality::LengthPrefixed));
    EXPECT_EQ(Exchange({0x00, 0x03, 0x39, 0x12, 0x34}, 4), (Bytes{0x00, 0x02, 0x39, 'Y'}));
    EXPECT_EQ(m_reader->DeviceId(), 0x1234);
    EXPECT_EQ(Exchange({0x00, 0x01, 0x44}, 6), (Bytes{0x00, 0x04, 0x44, 'Y', 0x12, 0x34}));
    EXPECT_EQ(m_reader->RequestCount(), 2u);
}

TEST_F(PtyReader, EventsArriveAsFramesAndText) {
    ASSERT_TRUE(Start(sim::Personality::LengthPrefixed));
    sim::Swipe swipe;
    swipe.tracks[0].data = {'4', '2'};
    const Bytes frame = sim::EncodeSwipeFrames(swipe)[0];
    ASSERT_TRUE(m_reader->SendSwipe(swipe));
    EXPECT_EQ(ReadAtLeast(m_line->fd(), frame.size(), 2000), frame);

    ASSERT_TRUE(m_reader->SendIButton(true, {0x30}));
    EXPECT_EQ(ReadAtLeast(m_line->fd(), 5, 2000), (Bytes{0x00, 0x03, 'b', 'Y', 0x30}));

    ASSERT_TRUE(m_reader->SendCardText(swipe));
    EXPECT_EQ(ReadAtLeast(m_line->fd(), 4, 2000), (Bytes{'%', '4', '2', '?'}));
    EXPECT_TRUE(m_reader->Flush(2000));
}

TEST_F(PtyReader, ManualReadSendsTheQueuedSwipe) {
    ASSERT_TRUE(Start(sim::Personality::LengthPrefixed));
    sim::Swipe swipe;
    swipe.tracks[1].data = {'7'};
    ASSERT_TRUE(m_reader->QueueManualSwipe(swipe));
    const Bytes frame = sim::EncodeSwipeFrames(swipe)[0];
    EXPECT_EQ(Exchange({0x00, 0x01, 0x41}, frame.size()), frame);
}

TEST_F(PtyReader, SplitReplyLeavesTheRestForAfterThePause) {
    ASSERT_TRUE(Start(sim::Personality::LengthPrefixed));
    m_reader->SetFault({.kind = sim::FaultKind::SplitByPause, .count = 3, .pauseMs = 400});
    ASSERT_TRUE(WriteAll(m_line->fd(), {0x00, 0x01, 0x44}));
    // The pause is a floor: within it no more than the first part can come.
    EXPECT_EQ(ReadAtLeast(m_line->fd(), 6, 150), (Bytes{0x00, 0x04, 0x44}));
    EXPECT_EQ(ReadAtLeast(m_line->fd(), 3, 2000), (Bytes{'Y', 0x00, 0x01}));
}

TEST_F(PtyReader, PartialRequestIsDroppedAfterSilence) {
    ASSERT_TRUE(Start(sim::Personality::LengthPrefixed));
    ASSERT_TRUE(WriteAll(m_line->fd(), {0x00, 0x05, 0x39}));
    std::this_thread::sleep_for(std::chrono::milliseconds(900));
    EXPECT_EQ(Exchange({0x00, 0x01, 0x44}, 6), (Bytes{0x00, 0x04, 0x44, 'Y', 0x00, 0x01}));
}

TEST_F(PtyReader, PacedRepliesTakeAtLeastTheirLineTime) {
    ASSERT_TRUE(Start(sim::Personality::LengthPrefixed, {.paceBaud = 4800}));
    const auto start = std::chrono::steady_clock::now();
    const Bytes reply = Exchange({0x00, 0x01, 0x40}, 59);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(reply.size(), 59u);
    // 59 bytes at 480 bytes a second: about 123 ms on the wire. Only the floor
    // is checked; a loaded machine may take longer.
    EXPECT_GE(elapsed, std::chrono::milliseconds(115));
}

TEST(PtyReaderLink, ComLinkInThePortsFolderLeadsToTheReader) {
    test_support::TempFolder ports;
    ASSERT_FALSE(ports.path().empty());
    test_support::ScopedEnv portsDir("TXV_PORTS_DIR", ports.path());
    sim::StandInReader reader;
    ASSERT_TRUE(reader.StartOnPty({.linkName = "com5"}));
    const std::string link = ports.path() + "/com5";
    EXPECT_EQ(reader.LinkPath(), link);
    EXPECT_EQ(platform::ResolvePortName("COM5"), link);
    EXPECT_EQ(std::filesystem::read_symlink(link), reader.SlavePath());
    {
        PtyLine line(link);
        ASSERT_GE(line.fd(), 0);
        ASSERT_TRUE(WriteAll(line.fd(), {0x00, 0x02, 0x3E, 0x00}));
        EXPECT_EQ(ReadAtLeast(line.fd(), 4, 2000), (Bytes{0x00, 0x02, 0x3E, 'Y'}));
    }
    // A second reader may not take a name that is not a link.
    test_support::TempFolder other;
    const std::string plain = other.path() + "/com6";
    close(open(plain.c_str(), O_CREAT | O_WRONLY, 0600));
    sim::StandInReader second;
    EXPECT_FALSE(second.StartOnPty({.linkName = "com6", .portsDir = other.path()}));
    EXPECT_TRUE(std::filesystem::is_regular_file(plain));

    reader.Stop();
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
    EXPECT_FALSE(reader.SendSwipe(sim::Swipe{}));
}

} // namespace
