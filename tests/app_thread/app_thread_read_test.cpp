#include "app/command_bracket.h"
#include "app/decode/card_texts.h"
#include "platform/clock.h"
#include "platform/serial.h"
#include "platform/ui/strings.h"
#include "platform/vhid.h"
#include "sim/frames.h"
#include "tests/app/app_command_boxes.h"
#include "tests/app/app_swipe_fixture.h"
#include "tests/platform/hid_input_reports.h"
#include "tests/test_bytes.h"

#include <QAbstractButton>
#include <array>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

using sim::Bytes;
using test_support::Data;

const std::string kReadOk(kReadCardOkText);

Bytes AllTracks(uint8_t type, const std::string& track1 = "ABC") {
    return sim::EncodeAllTracksFrame(type, sim::kFlagIso,
                                     {sim::TrackRecord{'Y', Data(track1)}, {'B', {}}, {'N', {}}});
}

Bytes WithStatus(Bytes frame, uint8_t status) {
    frame[3] = status;
    return frame;
}

// Runs the button's handler at once, without running the UI thread's events
// first, as a click that the window system delivers before a posted call.
void ClickNow(const ui::Dialog& dialog, int id) {
    auto* button = qobject_cast<QAbstractButton*>(ui::WidgetOf(dialog.Item(id)));
    ASSERT_NE(button, nullptr);
    button->click();
}

class ReadThreadOverTransport : public SwipeDialogTest,
                                public ::testing::WithParamInterface<int> {};

INSTANTIATE_TEST_SUITE_P(Transports, ReadThreadOverTransport,
                         ::testing::Values(int(TransportHid), int(TransportCom)),
                         [](const auto& info) {
                             return info.param == TransportHid ? std::string("Hid")
                                                               : std::string("Com");
                         });

struct DispatchCase {
    const char* what;
    Bytes frame;
    // Tab in front afterwards and status text, over HID and over COM;
    // tab 0 and an empty status line mean the frame changed nothing.
    int hidTab;
    std::string hidStatus;
    int comTab;
    std::string comStatus;
};

TEST_P(ReadThreadOverTransport, FramesGoToTheirDecoderByTypeAndTransport) {
    const std::string keyRead(kIButtonReadText);
    const std::string detached(kIButtonDetachedText);
    const DispatchCase cases[] = {
        {"all tracks 'A'", AllTracks('A'), 3, kReadOk, 3, kReadOk},
        {"all tracks 0x00", AllTracks(0x00), 3, kReadOk, 3, kReadOk},
        {"track 1", sim::EncodeTrackFrame(0, 0, {'Y', Data("T1")}), 3, kReadOk, 0, ""},
        {"track 2", sim::EncodeTrackFrame(1, 0, {'Y', Data("T2")}), 3, kReadOk, 0, ""},
        {"track 3", sim::EncodeTrackFrame(2, 0, {'Y', Data("T3")}), 3, kReadOk, 0, ""},
        {"key read", sim::EncodeIButtonFrame(false, {0x01, 'A'}), 1, keyRead, 1, keyRead},
        {"key detached", sim::EncodeIButtonFrame(true, {0x30}), 1, detached, 1, detached},
        {"refused", WithStatus(AllTracks('A'), 'N'), 0, "", 0, ""},
        {"unknown type", sim::EncodeLenFrame('Z', 'Y', Data("12345678")), 0, "", 0, ""},
    };
    AttachAndRead(GetParam());
    const bool hid = GetParam() == TransportHid;
    for (const DispatchCase& c : cases) {
        SCOPED_TRACE(c.what);
        m_dialog->SelectTab(0);
        SetStatusText(*m_dialog, "");
        SendAndShow(c.frame);
        EXPECT_EQ(CurrentTab(), hid ? c.hidTab : c.comTab);
        EXPECT_EQ(Status(), hid ? c.hidStatus : c.comStatus);
    }
    // Over HID the three track frames each counted a swipe.
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), hid ? "5" : "2");
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[0]), hid ? "T1" : "ABC");
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[2]), hid ? "T3" : "Lenght = 0");
    EXPECT_EQ(m_dialog->m_pageIBtn.Item(IDC_CARD_NO).Text(), "30 ");
}

TEST_P(ReadThreadOverTransport, SwipeJustBeforeAPageCommandIsShownByTheStop) {
    AttachAndRead(GetParam());
    m_dialog->SelectTab(3);
    ASSERT_TRUE(m_reader.SendRaw(AllTracks('A', "LAST")));
    ASSERT_TRUE(WaitTaken(1));
    // The swipe waits on the UI thread; the command's stop runs it first.
    ClickNow(Page(), IDC_CANCEL_MANUAL_READ);
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "1");
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[0]), "LAST");
    EXPECT_TRUE(m_dialog->m_bReadRun);
    ASSERT_NE(m_dialog->m_hReadThread, nullptr);
    EXPECT_EQ(m_dialog->m_hReadThread->Taken(), 0) << "a new thread reads after the command";
}

TEST_P(ReadThreadOverTransport, ManualReadThroughTheBracket) {
    AttachAndRead(GetParam());
    m_dialog->SelectTab(3);
    Page().Item(IDC_TRACK_TEXT[1]).SetText("old");
    sim::Swipe swipe;
    swipe.tracks[0] = {'Y', Data("MANUAL")};
    ASSERT_TRUE(m_reader.QueueManualSwipe(swipe));
    Click(Page(), IDC_MANUAL_READ);
    EXPECT_TRUE(m_dialog->m_bReadRun);
    if (GetParam() == TransportCom) {
        // The manual read is a HID write: a serial handle refuses it.
        const std::string failed = "Manual read card " + ui::LoadString(kStringCommandFailed);
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(m_recorder.messageBoxes[0].text, failed);
        EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
        EXPECT_EQ(Status(), failed);
        return;
    }
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_EQ(Status(), ui::LoadString(125));
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[1]), "");
    // The reader answers with the queued swipe, which the new thread reads.
    ASSERT_TRUE(WaitTaken(1));
    ui::RunPostedNow();
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[0]), "MANUAL");
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "1");
}

TEST_P(ReadThreadOverTransport, EveryEndOfABracketedCommandRestartsTheThread) {
    AttachAndRead(GetParam());
    for (const bool endEarly : {true, false}) {
        SCOPED_TRACE(endEarly ? "early end" : "command sent");
        bool runningInside = true;
        {
            CommandBracket bracket(m_dialog.get());
            runningInside = m_dialog->m_bReadRun || m_dialog->m_hReadThread != nullptr;
            if (!endEarly)
                ReportCommandResult(*m_dialog, Page(), CmdCancelManualRead(bracket.Device()));
        }
        EXPECT_FALSE(runningInside);
        EXPECT_TRUE(m_dialog->m_bReadRun);
        EXPECT_NE(m_dialog->m_hReadThread, nullptr);
    }
}

TEST_P(ReadThreadOverTransport, StartRefusesWhileAThreadRunsAndStopIsIdempotent) {
    Attach(GetParam());
    ASSERT_TRUE(m_dialog->StartReadThread());
    const ReadThread* running = m_dialog->m_hReadThread.get();
    EXPECT_FALSE(m_dialog->StartReadThread());
    EXPECT_EQ(m_dialog->m_hReadThread.get(), running);
    m_dialog->StopReadThread();
    EXPECT_FALSE(m_dialog->m_bReadRun);
    EXPECT_EQ(m_dialog->m_hReadThread, nullptr);
    m_dialog->StopReadThread();
    EXPECT_TRUE(m_dialog->StartReadThread());
}

TEST_P(ReadThreadOverTransport, DestroyingTheWindowStopsTheThreadThenClosesTheDevice) {
    AttachAndRead(GetParam());
    const DeviceHandle device = m_dialog->m_hDevice;
    m_dialog->DestroyWindow();
    EXPECT_FALSE(m_dialog->m_bReadRun);
    EXPECT_EQ(m_dialog->m_hReadThread, nullptr);
    EXPECT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle);
    EXPECT_FALSE(platform::CloseDeviceHandle(device)) << "already closed";
}

using ReadThreadStart = SwipeDialogTest;

TEST_F(ReadThreadStart, RefusesWithoutADevice) {
    for (const DeviceHandle none : {platform::kInvalidHandle, DeviceHandle{0}}) {
        m_dialog->m_hDevice = none;
        EXPECT_FALSE(m_dialog->StartReadThread());
        EXPECT_FALSE(m_dialog->m_bReadRun);
        EXPECT_EQ(m_dialog->m_hReadThread, nullptr);
    }
}

// A take runs on the UI thread: with no device to read it must end, not spin.
TEST_F(ReadThreadStart, ATakeWithoutADeviceEnds) {
    for (const int transport : {int(TransportHid), int(TransportCom)})
        for (const DeviceHandle none : {platform::kInvalidHandle, DeviceHandle{0}})
            ReadThread::TakeAlreadySent(*m_dialog, none, transport);
}

class ReadThreadHid : public SwipeDialogTest {
protected:
    // A device on the bus that the test itself plays the reader on, opened
    // the way the connection code opens one.
    void AttachOwnDevice(const std::string& name, uint16_t reportLength) {
        m_device = platform::VirtualHidDevice::Create(OpenVhidBus(), name, 0x0483, 0x572B,
                                                      reportLength, reportLength);
        ASSERT_NE(m_device, nullptr);
        m_dialog->m_hDevice = platform::OpenHidPath(m_device->path());
        ASSERT_FALSE(IsNoDevice(m_dialog->m_hDevice));
        m_dialog->m_nTransportMode = TransportHid;
    }

    // The bytes as input reports, one every paceMs; sent counts them.
    void SendAsReports(const Bytes& bytes, uint32_t paceMs = 0,
                       std::atomic<size_t>* sent = nullptr) {
        for (const Bytes& report :
             test_support::SplitIntoReports(bytes, m_device->hello().inputReportLength)) {
            m_device->sendInputReport(report.data(), report.size());
            if (sent)
                ++*sent;
            platform::SleepMs(paceMs);
        }
    }

    // Takes the next request and answers it as a version request.
    void AnswerVersion(const std::string& version) {
        Bytes request;
        if (m_device->receiveOutputReport(&request, 5000))
            SendAsReports(sim::EncodeLenFrame(0x30, 'Y', Data(version)));
    }

    std::unique_ptr<platform::VirtualHidDevice> m_device;
};

TEST_F(ReadThreadHid, TabComesForwardBeforeTheDecoderRejectsAFrame) {
    AttachAndRead(TransportHid);
    Page().Item(IDC_RAW_DATA).SetText("typed");
    SendAndShow(sim::EncodeLenFrame('A', 'Y', Bytes{}));
    EXPECT_EQ(CurrentTab(), 3);
    EXPECT_EQ(PageText(IDC_RAW_DATA), "");
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, kNoFrameDataText);
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "0");
}

TEST_F(ReadThreadHid, IButtonAndTrackFramesSwitchTabsBackAndForth) {
    AttachAndRead(TransportHid);
    m_dialog->SelectTab(3);
    SendAndShow(sim::EncodeIButtonFrame(false, {0x41}));
    EXPECT_EQ(CurrentTab(), 1);
    EXPECT_TRUE(m_dialog->m_pageIBtn.IsVisible());
    SendAndShow(AllTracks('A'));
    EXPECT_EQ(CurrentTab(), 3);
    EXPECT_TRUE(Page().IsVisible());
    EXPECT_FALSE(m_dialog->m_pageIBtn.IsVisible());
}

// A reader that keeps sending after a LEN that no buffer holds: the stop
// still ends the thread within its wait, and the command after it is
// answered with its own reply.
TEST_F(ReadThreadHid, StopEndsTheDrainOfAReaderThatNeverStopsSending) {
    using namespace std::chrono_literals;
    AttachOwnDevice("streaming", 65);
    ASSERT_TRUE(m_dialog->StartReadThread());
    std::atomic<bool> streaming = true;
    std::thread stream([&] {
        Bytes report(65, 0x55);
        report[0] = 0;
        report[1] = 0xFF;
        report[2] = 0xFF;
        while (streaming) {
            m_device->sendInputReport(report.data(), report.size(), 20);
            report[1] = report[2] = 0x55;
        }
    });
    std::this_thread::sleep_for(500ms);
    const auto start = std::chrono::steady_clock::now();
    m_dialog->StopReadThread();
    const auto took = std::chrono::steady_clock::now() - start;
    streaming = false;
    stream.join();
    EXPECT_EQ(m_dialog->m_hReadThread, nullptr) << "the thread ended within the stop's wait";
    // The stop's take is bounded at 2000 ms.
    EXPECT_LT(took, 3s);

    // What the reader sent after the stop gave up is still queued; the
    // command takes it before its request, as a stop would.
    std::thread answer([&] { AnswerVersion("V9"); });
    Click(m_dialog->m_pageUsb, 1004);
    answer.join();
    EXPECT_EQ(m_dialog->Item(IDC_VERSION).Text(), "V9");
    EXPECT_EQ(Status(), "detect device" + kOk);
}

class ReadThreadHidReports : public ReadThreadHid, public ::testing::WithParamInterface<uint16_t> {
protected:
    void SetUp() override {
        ReadThreadHid::SetUp();
        AttachOwnDevice("reader", GetParam());
    }

    // The reader sends the frames back to back, a report every 8 ms, then
    // reads the next request and answers it. "detect device" is clicked once
    // the first frame is shown, with the rest on its way or queued: the
    // command gets its own reply.
    void ClickDetectAfterTheFirstOf(const std::vector<Bytes>& frames) {
        ASSERT_TRUE(m_dialog->StartReadThread());
        std::jthread reader([&] {
            for (const Bytes& frame : frames)
                SendAsReports(frame, 8);
            AnswerVersion("V1");
        });
        ASSERT_TRUE(WaitTaken(1));
        ui::RunPostedNow();
        Click(m_dialog->m_pageUsb, 1004);
        EXPECT_EQ(m_dialog->Item(IDC_VERSION).Text(), "V1");
        EXPECT_EQ(Status(), "detect device" + kOk);
        EXPECT_TRUE(m_recorder.messageBoxes.empty());
    }
};

INSTANTIATE_TEST_SUITE_P(Lengths, ReadThreadHidReports, ::testing::Values(65, 9),
                         [](const auto& info) { return "Of" + std::to_string(info.param); });

TEST_P(ReadThreadHidReports, ASingleTrackSwipeStillArrivingWhenACommandStartsIsShownWhole) {
    const std::string tracks[3] = {std::string(79, 'A'), std::string(40, '5'),
                                   std::string(107, '7')};
    std::vector<Bytes> frames;
    for (int i = 0; i < 3; ++i)
        frames.push_back(sim::EncodeTrackFrame(i, sim::kFlagIso, {'Y', Data(tracks[i])}));
    ClickDetectAfterTheFirstOf(frames);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(PageText(IDC_TRACK_TEXT[i]), tracks[i]) << "track " << i + 1;
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "3");
}

TEST_P(ReadThreadHidReports, IButtonEventsStillArrivingWhenACommandStartsAreShown) {
    ClickDetectAfterTheFirstOf({sim::EncodeIButtonFrame(false, {0x01, 0x11}),
                                sim::EncodeIButtonFrame(true, {0x01, 0x11}),
                                sim::EncodeIButtonFrame(false, {0x01, 0x22})});
    EXPECT_EQ(m_dialog->m_pageIBtn.Item(IDC_CARD_NO).Text(), "01 22 ");
}

// The console leaves the thread stopped; a swipe then waits in the queue,
// and the next page command shows it before it sends its request.
TEST_P(ReadThreadHidReports, ASwipeAfterTheConsoleIsShownByTheNextPageCommand) {
    CDebugDlg& console = m_dialog->m_pageDebug;
    console.Item(IDC_CONSOLE_SEND_TEXT).SetText("01");
    Click(console, IDC_CONSOLE_SEND);
    ASSERT_FALSE(m_dialog->m_bReadRun);
    Bytes consoleRequest;
    ASSERT_TRUE(m_device->receiveOutputReport(&consoleRequest, 0));
    SendAsReports(AllTracks('A', "AFTER"));
    std::jthread reader([&] { AnswerVersion("V1"); });
    Click(m_dialog->m_pageUsb, 1004);
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[0]), "AFTER");
    EXPECT_EQ(m_dialog->Item(IDC_VERSION).Text(), "V1");
    EXPECT_EQ(Status(), "detect device" + kOk);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

struct PacedFrame {
    uint16_t reportLength;
    uint16_t len;
    uint32_t paceMs;
};

class ReadThreadOverLongFrame : public ReadThreadHid,
                                public ::testing::WithParamInterface<PacedFrame> {};

INSTANTIATE_TEST_SUITE_P(Reports, ReadThreadOverLongFrame,
                         ::testing::Values(PacedFrame{65, 2000, 8}, PacedFrame{9, 1100, 2},
                                           PacedFrame{9, 1100, 10}),
                         [](const auto& info) {
                             return "Of" + std::to_string(info.param.reportLength) + "Every" +
                                    std::to_string(info.param.paceMs) + "ms";
                         });

// A reader sends a frame too long for the thread's buffer at its own pace
// and, like a real one, reads the next request only after the frame's last
// report: page commands clicked while the frame still arrives get their
// own replies, and the thread then shows the next swipe.
TEST_P(ReadThreadOverLongFrame, PageCommandsMeanwhileGetTheirOwnReplies) {
    const PacedFrame c = GetParam();
    AttachOwnDevice("paced", c.reportLength);
    ASSERT_TRUE(m_dialog->StartReadThread());
    const Bytes frame = test_support::ZeroLenFrame(c.len);
    const size_t reports = test_support::SplitIntoReports(frame, c.reportLength).size();
    std::atomic<size_t> sent = 0;
    std::jthread reader([&] {
        SendAsReports(frame, c.paceMs, &sent);
        AnswerVersion("V1");
        AnswerVersion("V2");
    });
    while (sent < reports / 3)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    for (const std::string version : {"V1", "V2"}) {
        SCOPED_TRACE(version);
        Click(m_dialog->m_pageUsb, 1004);
        EXPECT_EQ(m_dialog->Item(IDC_VERSION).Text(), version);
        EXPECT_EQ(Status(), "detect device" + kOk);
    }
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    reader.join();
    EXPECT_TRUE(m_dialog->m_bReadRun);
    SendAsReports(AllTracks('A', "NEXT"));
    ASSERT_TRUE(WaitTaken(1));
    ui::RunPostedNow();
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[0]), "NEXT");
}

using ReadThreadCom = SwipeDialogTest;

TEST_F(ReadThreadCom, BurstsThatAreNoFrameAreCardText) {
    AttachAndRead(TransportCom);
    const Bytes zeroInText = {'%', 'A', 'B', '?', 0, ';', '1', '2', '?'};
    SendAndShow(zeroInText);
    EXPECT_EQ(CurrentTab(), 3);
    EXPECT_EQ(PageText(IDC_RAW_DATA), "%AB?");
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[0]), "%AB?");
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[1]), "");

    // One byte alone never passes the length test.
    SendAndShow({'Z'});
    EXPECT_EQ(PageText(IDC_RAW_DATA), "Z");
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "2");
    EXPECT_EQ(PageText(IDC_BLANK_COUNT[0]), "1");
    EXPECT_EQ(PageText(IDC_BLANK_COUNT[1]), "2");
    EXPECT_NE(Status(), kReadOk);
}

TEST_F(ReadThreadCom, FrameSplitByAPauseBecomesTwoBurstsOfText) {
    AttachAndRead(TransportCom);
    m_reader.SetFault({.kind = sim::FaultKind::SplitByPause, .count = 3, .pauseMs = 300});
    sim::Swipe swipe;
    swipe.tracks[0] = {'Y', Data("ABC")};
    ASSERT_TRUE(m_reader.SendSwipe(swipe));
    ASSERT_TRUE(WaitTaken(2));
    ui::RunPostedNow();
    // The first part is 00 LEN 'A': text that ends at once. The second starts
    // with the status and the flags.
    EXPECT_NE(Status(), kReadOk);
    EXPECT_EQ(PageText(IDC_RAW_DATA), "Y\x01");
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "1");
    EXPECT_EQ(PageText(IDC_CHAR_COUNT[0]), "0");
}

TEST_F(ReadThreadCom, BurstLongerThanTheBufferIsTakenWhenTheBufferIsFull) {
    AttachAndRead(TransportCom);
    SendAndShow(Bytes(1500, 'x'));
    ASSERT_TRUE(WaitTaken(2));
    ui::RunPostedNow();
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "2");
    EXPECT_EQ(PageText(IDC_RAW_DATA), std::string(1500 - 1023, 'x'));
}

// The console leaves the thread stopped; a swipe then waits in the port,
// and the next page command shows it before its purge.
TEST_F(ReadThreadCom, ASwipeAfterTheConsoleIsShownByTheNextPageCommand) {
    AttachAndRead(TransportCom);
    CDebugDlg& console = m_dialog->m_pageDebug;
    console.Item(IDC_CONSOLE_SEND_TEXT).SetText("00 01 30");
    Click(console, IDC_CONSOLE_SEND);
    ASSERT_FALSE(m_dialog->m_bReadRun);
    const Bytes swipe = AllTracks('A', "AFTER");
    ASSERT_TRUE(m_reader.SendRaw(swipe));
    ASSERT_EQ(platform::SerialWaitQueued(m_dialog->m_hDevice, int(swipe.size()), 2000),
              int(swipe.size()));
    m_reader.SetVersionText("V1");
    Click(m_dialog->m_pageUsb, 1004);
    EXPECT_EQ(PageText(IDC_TRACK_TEXT[0]), "AFTER");
    EXPECT_EQ(m_dialog->Item(IDC_VERSION).Text(), "V1");
    EXPECT_EQ(Status(), "detect device" + kOk);
}

TEST_F(ReadThreadCom, StopTakesTheBurstAtHandFromALineThatNeverPauses) {
    Attach(TransportCom, 300);
    ASSERT_TRUE(m_dialog->StartReadThread());
    // Ten seconds of bytes, a byte every 33 ms: no poll finds the queue empty.
    ASSERT_TRUE(m_reader.SendRaw(Bytes(300, 'x')));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    m_dialog->StopReadThread();
    EXPECT_EQ(m_dialog->m_hReadThread, nullptr) << "the thread ended within the stop's wait";
    EXPECT_NE(PageText(IDC_RAW_DATA), "") << "what came so far is shown";
    EXPECT_EQ(PageText(IDC_SWIPE_COUNT), "1");
}

} // namespace
