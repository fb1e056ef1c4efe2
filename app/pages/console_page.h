#pragma once
// Tab 2: raw bytes to the reader and its answers, with a record file.

#include "platform/ui/dialog.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

class CDQ450DemoDlg;

inline constexpr int kConsolePageTemplateId = 131;

inline constexpr int IDC_CONSOLE_SEND_TEXT = 1069;
inline constexpr int IDC_CONSOLE_SEND = 1070;
inline constexpr int IDC_CONSOLE_RECEIVE_BOX = 1071;
inline constexpr int IDC_CONSOLE_SAVE = 1072;
inline constexpr int IDC_CONSOLE_CLEAR = 1073;

// The most bytes one send carries, and the most one answer collects.
inline constexpr int kConsoleSendCapacity = 2048;
inline constexpr int kConsoleAnswerCapacity = 1024;
// One log line is built in 1024 characters: "TX: ", three a byte, "\r\n" and
// the terminator, so longer blocks are split over several lines.
inline constexpr int kConsoleLineCapacity = 1024;
inline constexpr int kConsoleBytesPerLine = (kConsoleLineCapacity - 4 - 2 - 1) / 3;

class CDebugDlg : public ui::Dialog {
public:
    CDebugDlg();

    void OnSendData();
    void OnSaveData();
    void OnClearData();
    // One "TX: "/"RX: " line of the bytes at the end of the receive box (more
    // lines for a block longer than one line holds); nothing for no bytes.
    void AppendHexLine(bool transmit, const uint8_t* bytes, int count);

    CDQ450DemoDlg* m_pMainDlg = nullptr;
    std::string m_strSuccess; // string 118
    std::string m_strFailure; // string 119
    std::string m_strMessage; // strings 123, 127, 128 when shown

protected:
    bool OnInitDialog() override;

private:
    void ReceiveAnswer(int transport);
};

// The record file proposed to the save dialog: folder/record_YYYYMMDD_HHMMSS.txt,
// or the bare name when the folder is unknown.
std::string ProposedRecordName(std::string_view folder, const std::tm& localTime);
