// The reading thread over a serial line, with page commands in between:
// what a reader sends right behind a reply, or several frames at once.

#include "app/decode/card_texts.h"
#include "sim/frames.h"
#include "tests/app/app_command_boxes.h"
#include "tests/app/app_swipe_fixture.h"
#include "tests/test_bytes.h"

#include <string>
#include <thread>

namespace {

using sim::Bytes;
using test_support::Cat;
using test_support::Data;

constexpr int kDetectDevice = 1004;
const std::string kReadOk(kReadCardOkText);

Bytes Swipe(const std::string& track1) {
    return sim::EncodeAllTracksFrame('A', sim::kFlagIso,
                                     {sim::TrackRecord{'Y', Data(track1)}, {'B', {}}, {'N', {}}});
}

class ReadThreadComCommands : public SwipeDialogTest {
protected:
    void TearDown() override {
        if (m_replier.joinable())
            m_replier.join();
        SwipeDialogTest::TearDown();
    }

    // The reader answers its next request with these bytes, in one write.
    void ReplyNextWithRaw(const Bytes& bytes) {
        const size_t handled = m_reader.RequestCount();
        m_reader.SetFault({.kind = sim::FaultKind::Silent, .times = 1});
        m_replier = std::thread([this, handled, bytes] {
            if (m_reader.WaitForRequests(handled + 1, 5000))
                m_reader.SendRaw(bytes);
        });
    }

    void DetectDevice() {
        Click(m_dialog->m_pageUsb, kDetectDevice);
        if (m_replier.joinable())
            m_replier.join();
    }

    std::thread m_replier;
};

// The reply is refused for the swipe behind it, and the swipe reaches the
// restarted thread whole.
TEST_F(ReadThreadComCommands, SwipeInTheReplysWriteIsShown) {
    AttachAndRead(TransportCom);
    ReplyNextWithRaw(Cat({sim::EncodeLenFrame(0x30, 'Y', Data("V1")), Swipe("REAL")}));
    DetectDevice();
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, "detect device" + kFailed);
    ASSERT_TRUE(WaitTaken(1));
    ui::RunPostedNow();
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[0]), "REAL");
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "1");
    EXPECT_EQ(Status(), kReadOk);
}

// A reply longer than the command's room is read off: nothing of it is
// taken for card text, and the next command gets its own reply.
TEST_F(ReadThreadComCommands, OverLongReplyLeavesNothingBehind) {
    AttachAndRead(TransportCom);
    m_reader.SetVersionText("V2");
    m_dialog->SelectTab(0);
    // LEN 60, where a setting's reply has room for 28.
    ReplyNextWithRaw(sim::EncodeLenFrame(0x30, 'Y', Bytes(58, 'x')));
    DetectDevice();
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, "detect device" + kFailed);

    // The second command's stop takes whatever the thread has meanwhile.
    DetectDevice();
    EXPECT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(Status(), "detect device" + kOk);
    EXPECT_EQ(m_dialog->Item(IDC_VERSION).Text(), "V2");
    ui::RunPostedNow();
    EXPECT_EQ(CurrentTab(), 0);
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "0");
}

using ReadThreadComBursts = SwipeDialogTest;

TEST_F(ReadThreadComBursts, FramesSentInOneWriteAreEachShown) {
    AttachAndRead(TransportCom);
    const Bytes keyRead = sim::EncodeIButtonFrame(false, {0x41});
    const Bytes detached = sim::EncodeIButtonFrame(true, {0x30});
    ASSERT_TRUE(m_reader.SendRaw(Cat({keyRead, detached})));
    ASSERT_TRUE(WaitTaken(2));
    ui::RunPostedNow();
    EXPECT_EQ(CurrentTab(), 1);
    EXPECT_EQ(Status(), std::string(kIButtonDetachedText));
    EXPECT_EQ(m_dialog->m_pageIBtn.Item(IDC_CARD_NO).Text(), "30 ");

    ASSERT_TRUE(m_reader.SendRaw(Cat({Swipe("ONE"), Swipe("TWO")})));
    ASSERT_TRUE(WaitTaken(4));
    ui::RunPostedNow();
    EXPECT_EQ(CurrentTab(), 3);
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "2");
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[0]), "TWO");
    EXPECT_EQ(Status(), kReadOk);
}

} // namespace
