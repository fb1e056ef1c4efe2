// The console's exchange: the typed bytes as they are, then whatever the
// reader sends back within the read window. The reading thread stays
// stopped afterwards, so it cannot take a late answer.

#include "app/command_bracket.h"
#include "app/decode/hex_text.h"
#include "app/main_dialog.h"
#include "app/pages/console_page.h"
#include "platform/serial.h"
#include "platform/ui/message_box.h"
#include "platform/ui/strings.h"
#include "reader/hex_log.h"
#include "reader/reader.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace {

constexpr int kStringNoHexData = 123;
constexpr int kStringReceiveOk = 127;
constexpr int kStringReceiveFailed = 128;

constexpr std::string_view kTooManyBytes = "at most 2048 bytes can be sent at once";

std::string_view TrimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void ErrorBox(const ui::Dialog& page, std::string_view text) {
    ui::MessageBox(text, "Error", ui::MessageIcon::Error, ui::MessageButtons::Ok, &page);
}

void ShowStatus(CDQ450DemoDlg& mainDlg, std::string_view text, bool failed) {
    SetStatusColour(mainDlg, failed ? kStatusFailColour : kStatusOkColour);
    SetStatusText(mainDlg, text);
}

int SendOverCom(DeviceHandle h, const uint8_t* bytes, int count) {
    if (IsNoDevice(h))
        return ReaderFailed;
    // Bytes that came in before the request must not pass for its answer.
    platform::SerialPurge(h, true, true);
    return ComWrite(h, bytes, count);
}

} // namespace

void CDebugDlg::OnSendData() {
    if (!m_pMainDlg)
        return;
    CDQ450DemoDlg& mainDlg = *m_pMainDlg;
    std::vector<uint8_t> bytes;
    HexTextToBytes(TrimBlanks(Item(IDC_CONSOLE_SEND_TEXT).Text()), bytes);
    if (bytes.empty()) {
        m_strMessage = ui::LoadString(kStringNoHexData);
        ErrorBox(*this, m_strMessage);
        return;
    }
    if (bytes.size() > size_t(kConsoleSendCapacity)) {
        ErrorBox(*this, kTooManyBytes);
        return;
    }

    mainDlg.StopReadThread();
    const DeviceHandle device = mainDlg.m_hDevice;
    const int transport = mainDlg.m_nTransportMode;
    const int count = int(bytes.size());
    int sent = ReaderFailed;
    if (transport == TransportHid) {
        sent = HidWriteReports(device, bytes.data(), count);
    } else if (transport == TransportCom) {
        sent = SendOverCom(device, bytes.data(), count);
    } else {
        mainDlg.StartReadThread();
        return;
    }
    if (sent != ReaderOk) {
        ErrorBox(*this, m_strFailure);
        ShowStatus(mainDlg, m_strFailure, true);
        mainDlg.StopReadThread();
        return;
    }
    ShowStatus(mainDlg, m_strSuccess, false);
    AppendHexLine(true, bytes.data(), count);
    ReceiveAnswer(transport);
}

void CDebugDlg::ReceiveAnswer(int transport) {
    CDQ450DemoDlg& mainDlg = *m_pMainDlg;
    const DeviceHandle device = mainDlg.m_hDevice;
    std::array<uint8_t, kConsoleAnswerCapacity> answer{};
    int received = 0;
    const int result = transport == TransportHid
                           ? HidReadAll(device, answer.data(), int(answer.size()), &received)
                           : ComReadForSecond(device, answer.data(), int(answer.size()), &received);
    if (result != ReaderOk) {
        m_strMessage = ui::LoadString(kStringReceiveFailed);
        ErrorBox(*this, m_strMessage);
        ShowStatus(mainDlg, m_strMessage, true);
    } else {
        m_strMessage = ui::LoadString(kStringReceiveOk);
        ShowStatus(mainDlg, m_strMessage, false);
        AppendHexLine(false, answer.data(), std::clamp(received, 0, int(answer.size())));
    }
    mainDlg.StopReadThread();
}

void CDebugDlg::AppendHexLine(bool transmit, const uint8_t* bytes, int count) {
    if (bytes == nullptr || count <= 0)
        return;
    ui::Control box = Item(IDC_CONSOLE_RECEIVE_BOX);
    std::string text = box.Text();
    std::array<char, kConsoleLineCapacity> line{};
    for (int at = 0; at < count; at += kConsoleBytesPerLine) {
        const int length =
            HexLogLine(line.data(), int(line.size()), transmit ? "TX: " : "RX: ", bytes + at,
                       std::min(kConsoleBytesPerLine, count - at));
        text.append(line.data(), size_t(length));
    }
    box.SetText(text);
    box.LineScroll(box.GetLineCount());
}
