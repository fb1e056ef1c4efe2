// The command console: raw bytes to the reader, its answer in the receive
// box, and the record file.

#include "app/command_bracket.h"
#include "app/pages/console_page.h"
#include "platform/program_dir.h"
#include "platform/serial.h"
#include "tests/app/app_load_fixture.h"

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

class ConsolePage : public AppLoad {
protected:
    CDebugDlg& Page() { return m_dialog->m_pageDebug; }
    std::string Log() { return Page().Item(IDC_CONSOLE_RECEIVE_BOX).Text(); }

    void Send(const std::string& text) {
        m_dialog->SelectTab(2);
        Page().Item(IDC_CONSOLE_SEND_TEXT).SetText(text);
        ClickOn(Page(), IDC_CONSOLE_SEND);
    }

    ui::Color StatusColour() const { return m_dialog->m_lblStatus.TextColor(); }
    bool ThreadStopped() const { return !m_dialog->m_bReadRun && !m_dialog->m_hReadThread; }

    // The reader takes the next request, sends these bytes (over HID as
    // reports), and then goes away.
    void UnplugAfterNextRequest(sim::StandInReader& reader, const sim::Bytes& sent = {}) {
        const size_t handled = reader.RequestCount();
        reader.SetFault({.kind = sim::FaultKind::Silent});
        m_replier = std::thread([&reader, handled, sent] {
            if (!reader.WaitForRequests(handled + 1, 5000))
                return;
            if (!sent.empty() && !(reader.SendRaw(sent) && reader.Flush(5000)))
                return;
            reader.Stop();
        });
    }
};

std::string HexLine(const std::string& prefix, const sim::Bytes& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string line = prefix;
    for (uint8_t b : bytes) {
        line += kDigits[b >> 4];
        line += kDigits[b & 0x0F];
        line += ' ';
    }
    return line + "\r\n";
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end + 2 - at));
    return lines;
}

std::string Repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST_F(ConsolePage, HidExchangeLogsBothBlocksAndLeavesTheThreadStopped) {
    sim::StandInReader& reader = OpenOverHid();
    reader.SetVersionText("V1");
    ASSERT_TRUE(m_dialog->StartReadThread());

    Send("00 01 30");

    EXPECT_EQ(reader.LastRequest(), (sim::Bytes{0x00, 0x01, 0x30}));
    // The answer comes as whole reports, padding included.
    sim::Bytes answer = sim::EncodeLenFrame(0x30, 'Y', {'V', '1'});
    answer.resize(64, 0);
    EXPECT_EQ(Log(), HexLine("TX: ", {0x00, 0x01, 0x30}) + HexLine("RX: ", answer));
    EXPECT_EQ(Status(), String(127));
    EXPECT_EQ(StatusColour(), kStatusOkColour);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_TRUE(ThreadStopped());
}

TEST_F(ConsolePage, ComExchangeDropsStaleInputAndTheSavedRecordReadsAsTheBox) {
    sim::StandInReader& reader = OpenOverCom(sim::Personality::LengthPrefixed);
    reader.SetVersionText("V2");
    ASSERT_TRUE(reader.SendRaw({0xEE, 0xEE}));
    ASSERT_TRUE(WaitFor([this] { return platform::SerialBytesQueued(m_dialog->m_hDevice) >= 2; }));

    Send("00 01 30");

    const std::string expected = HexLine("TX: ", {0x00, 0x01, 0x30}) +
                                 HexLine("RX: ", sim::EncodeLenFrame(0x30, 'Y', {'V', '2'}));
    EXPECT_EQ(Log(), expected);
    EXPECT_EQ(Status(), String(127));
    EXPECT_TRUE(ThreadStopped());

    const std::string path = m_folder + "/record.txt";
    m_recorder.QueueSaveFileAnswer(path);
    ClickOn(Page(), IDC_CONSOLE_SAVE);
    ASSERT_EQ(m_recorder.saveFileRequests.size(), 1u);
    const ui::SaveFileRequest& request = m_recorder.saveFileRequests[0];
    EXPECT_EQ(request.filter, "text File(*.txt)|*.txt||");
    EXPECT_EQ(request.defaultExtension, "txt");
    EXPECT_EQ(request.owner, &Page());
    const std::string folder = platform::ProgramDir() + "/";
    EXPECT_EQ(request.proposedName.substr(0, folder.size()), folder);
    EXPECT_EQ(request.proposedName.size(), folder.size() + std::string("record_").size() + 15 + 4);
    EXPECT_EQ(ReadFileBytes("record.txt"), sim::Bytes(expected.begin(), expected.end()));
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

TEST_F(ConsolePage, SilentReaderGivesTheTrimmedTxLineAndStillSucceeds) {
    // LEN 0x0A0B is more than the stand-in takes: it drops the request unanswered.
    OpenOverCom(sim::Personality::LengthPrefixed);
    Send("   0A  0B   ");
    EXPECT_EQ(Log(), "TX: 0A 0B \r\n");
    EXPECT_EQ(Status(), String(127));
    EXPECT_EQ(StatusColour(), kStatusOkColour);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

// A reader gone before any answer failed the receive, in a box and in red.
TEST_F(ConsolePage, ReaderGoneBeforeItsAnswerFailsTheReceive) {
    sim::StandInReader& reader = OpenOverHid();
    UnplugAfterNextRequest(reader);
    Send("00 01 30");
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, String(128));
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
    EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Error);
    EXPECT_EQ(Status(), String(128));
    EXPECT_EQ(StatusColour(), kStatusFailColour);
    EXPECT_EQ(Log(), HexLine("TX: ", {0x00, 0x01, 0x30}));
    EXPECT_TRUE(ThreadStopped());
}

// A serial line that hangs up before any answer fails the receive the same way.
TEST_F(ConsolePage, ComLineGoneBeforeItsAnswerFailsTheReceive) {
    sim::StandInReader& reader = OpenOverCom(sim::Personality::LengthPrefixed);
    UnplugAfterNextRequest(reader);
    Send("00 01 30");
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, String(128));
    EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Error);
    EXPECT_EQ(Status(), String(128));
    EXPECT_EQ(StatusColour(), kStatusFailColour);
    EXPECT_EQ(Log(), HexLine("TX: ", {0x00, 0x01, 0x30}));
    EXPECT_TRUE(ThreadStopped());
}

// What came before the unplug is the answer.
TEST_F(ConsolePage, ReaderGoneAfterTwoReportsKeepsThem) {
    sim::StandInReader& reader = OpenOverHid();
    sim::Bytes sent(100);
    for (size_t i = 0; i < sent.size(); ++i)
        sent[i] = uint8_t(i + 1);
    UnplugAfterNextRequest(reader, sent);
    Send("00 01 30");
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_EQ(Status(), String(127));
    EXPECT_EQ(StatusColour(), kStatusOkColour);
    sim::Bytes answer = sent;
    answer.resize(128, 0);
    EXPECT_EQ(Log(), HexLine("TX: ", {0x00, 0x01, 0x30}) + HexLine("RX: ", answer));
    EXPECT_TRUE(ThreadStopped());
}

TEST_F(ConsolePage, SendOnAClosedHandleFailsInABoxAndInRed) {
    Open();
    for (int transport : {int(TransportCom), int(TransportHid)}) {
        SCOPED_TRACE(transport);
        m_recorder.messageBoxes.clear();
        m_dialog->m_nTransportMode = transport;
        m_dialog->m_hDevice = platform::kInvalidHandle;
        Send("01 02");
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(m_recorder.messageBoxes[0].text, String(119));
        EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
        EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Error);
        EXPECT_EQ(Status(), String(119));
        EXPECT_EQ(StatusColour(), kStatusFailColour);
        EXPECT_EQ(Log(), "");
    }
}

TEST_F(ConsolePage, WithNoDeviceNothingVisibleChanges) {
    Open();
    SetStatusText(*m_dialog, "before");
    Send("01");
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_EQ(Status(), "before");
    EXPECT_EQ(Log(), "");
}

TEST_F(ConsolePage, InputErrorsLeaveTheReaderAndTheThreadAlone) {
    sim::StandInReader& reader = OpenOverHid();
    ASSERT_TRUE(m_dialog->StartReadThread());
    SetStatusText(*m_dialog, "before");
    struct Case {
        std::string input;
        std::string message;
    };
    const Case cases[] = {
        {"", String(123)},
        {"     ", String(123)},
        {Repeat("FF ", kConsoleSendCapacity + 1), "at most 2048 bytes can be sent at once"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input.size());
        m_recorder.messageBoxes.clear();
        Send(c.input);
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(m_recorder.messageBoxes[0].text, c.message);
        EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
        EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Error);
        EXPECT_TRUE(m_dialog->m_bReadRun);
        EXPECT_EQ(Status(), "before");
        EXPECT_EQ(Log(), "");
    }
    EXPECT_EQ(reader.RequestCount(), 0u);
}

TEST_F(ConsolePage, LongestSendIsSplitOverLinesThatEachHoldTheirBytes) {
    // LEN 0xFFFF: the stand-in skips it all and stays silent.
    OpenOverCom(sim::Personality::LengthPrefixed);
    Send(Repeat("FF ", kConsoleSendCapacity));
    const std::vector<std::string> lines = Lines(Log());
    ASSERT_EQ(lines.size(), 7u);
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(lines[i], "TX: " + Repeat("FF ", 339) + "\r\n") << i;
    EXPECT_EQ(lines[6], "TX: " + Repeat("FF ", kConsoleSendCapacity - 6 * 339) + "\r\n");
    EXPECT_EQ(Status(), String(127));
}

TEST_F(ConsolePage, AnswerBeyondTheAnswerBufferIsCutThere) {
    sim::StandInReader& reader = OpenOverCom(sim::Personality::LengthPrefixed);
    ReplyNextWithRaw(reader, sim::Bytes(kConsoleAnswerCapacity + 100, 0x5A));
    Send("00 01 30");
    const std::vector<std::string> lines = Lines(Log());
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "TX: 00 01 30 \r\n");
    size_t received = 0;
    for (size_t i = 1; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].substr(0, 4), "RX: ");
        received += (lines[i].size() - 6) / 3;
    }
    EXPECT_EQ(received, size_t(kConsoleAnswerCapacity));
    EXPECT_EQ(Status(), String(127));
}

TEST_F(ConsolePage, SaveReplacesAnOldRecordAndAfterClearWritesAnEmptyOne) {
    Open();
    WriteFileBytes("out.txt", sim::Bytes(500, 'x'));
    const std::string text = "TX: 01 02 \r\nRX: 03 \r\n";
    Page().Item(IDC_CONSOLE_RECEIVE_BOX).SetText(text);
    m_recorder.QueueSaveFileAnswer(m_folder + "/out.txt");
    ClickOn(Page(), IDC_CONSOLE_SAVE);
    EXPECT_EQ(ReadFileBytes("out.txt"), sim::Bytes(text.begin(), text.end()));

    ClickOn(Page(), IDC_CONSOLE_CLEAR);
    EXPECT_EQ(Log(), "");
    m_recorder.QueueSaveFileAnswer(m_folder + "/out.txt");
    ClickOn(Page(), IDC_CONSOLE_SAVE);
    EXPECT_TRUE(ReadFileBytes("out.txt").empty());
    EXPECT_TRUE(std::filesystem::exists(m_folder + "/out.txt"));
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

TEST_F(ConsolePage, CancelledSaveIsQuietAndAFailedOneSaysSo) {
    Open();
    Page().Item(IDC_CONSOLE_RECEIVE_BOX).SetText("TX: 01 \r\n");
    const std::set<std::string> before = FolderEntries();

    ClickOn(Page(), IDC_CONSOLE_SAVE); // no answer queued: cancelled
    EXPECT_EQ(m_recorder.saveFileRequests.size(), 1u);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());

    std::filesystem::create_directory(m_folder + "/adir");
    for (const std::string& path : {m_folder + "/missing/out.txt", m_folder + "/adir"}) {
        SCOPED_TRACE(path);
        m_recorder.messageBoxes.clear();
        m_recorder.QueueSaveFileAnswer(path);
        ClickOn(Page(), IDC_CONSOLE_SAVE);
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(m_recorder.messageBoxes[0].text, "the data could not be saved to " + path);
        EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
        EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Error);
    }
    std::set<std::string> after = FolderEntries();
    after.erase("adir");
    EXPECT_EQ(after, before) << "a failed save leaves nothing behind";
}

TEST(ConsolePageRecordName, ProgramFolderAndLocalTime) {
    std::tm time{};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 11;
    time.tm_mday = 9;
    time.tm_hour = 9;
    time.tm_min = 5;
    time.tm_sec = 3;
    EXPECT_EQ(ProposedRecordName("/opt/tools", time), "/opt/tools/record_20261209_090503.txt");
    EXPECT_EQ(ProposedRecordName("", time), "record_20261209_090503.txt");
}

} // namespace
