#pragma once
// Tab 4: the settings of the RS232 reader model (STX protocol).

#include "platform/ui/dialog.h"
#include "reader/stx.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

class CDQ450DemoDlg;

inline constexpr int kRsPageTemplateId = 165;

// The page's controls and the layout of the reader's parameter block, which
// the commands write and the loads read.
namespace rs_page {

inline constexpr int IDC_ENABLE_ALL = 1306;
inline constexpr std::array<int, 6> IDC_SENTINEL_EDITS = {1307, 1308, 1309, 1310, 1311, 1312};
inline constexpr std::array<int, 3> IDC_OUTPUT_TRACK_CHECKS = {1313, 1314, 1315};
// Track 1 CR is bit 3 of its byte, packet CR bit 0.
inline constexpr std::array<int, 4> IDC_CARRIAGE_RETURN_CHECKS = {1316, 1317, 1318, 1319};
inline constexpr int IDC_BUZZER_ENABLE = 1320;
inline constexpr int IDC_READ_OK_BEEP = 1321;
inline constexpr int IDC_READ_FAIL_BEEP = 1322;
inline constexpr int IDC_BAUD_RATE = 1326;
inline constexpr int IDC_SET_BAUD_RATE = 1327;
inline constexpr int IDC_PREFIX_ON = 1328;
inline constexpr int IDC_SUFFIX_ON = 1329;
inline constexpr int IDC_PREFIX = 1330;
inline constexpr int IDC_SUFFIX = 1331;
inline constexpr int IDC_POWER_NORMAL = 1332;
inline constexpr int IDC_POWER_FROM_PORT = 1333;
inline constexpr int IDC_GET_VERSION = 1334;
inline constexpr int IDC_GET_PARAMETER = 1335;
inline constexpr int IDC_APPLY_OPTION = 1336;
inline constexpr int IDC_RESTORE_DEFAULT = 1337;

inline constexpr int kPowerByte = 0;
inline constexpr int kSentinelBytes = 1; // six bytes
inline constexpr int kOutputTracksByte = 7;
inline constexpr int kCarriageReturnsByte = 8;
inline constexpr int kBaudCodeByte = 9;
inline constexpr int kBuzzerByte = 10;
inline constexpr int kPrefixOnByte = 11; // then its length byte and its text field
inline constexpr int kSuffixOnByte = 43;
inline constexpr int kTextFieldSize = 30;

inline constexpr uint8_t kPowerNormal = 0x00;
inline constexpr uint8_t kPowerFromPort = 0x10;
inline constexpr uint8_t kNoSentinel = 0xFF;

// Each STX command traces its exchange into two texts the page does not show.
inline constexpr int kTraceSize = 1024;

} // namespace rs_page

class CRsDlg : public ui::Dialog {
public:
    CRsDlg();

    // Loads when a port is opened, outside the command bracket. True when an
    // RS232 reader answered the version request (1000 ms).
    bool DetectVersion();
    // The parameter block into the page; true when it was read.
    bool ReadParameters();

    // How a parameter read reports and fills: the load at port opening puts
    // its result into the status line only and leaves the beep boxes' enabled
    // state; the button also shows a failure in a box and lets the beep
    // boxes follow the buzzer bit.
    enum class ParameterRead { AtPortOpening, ByButton };
    // Reads the parameter block and fills the page from it, or puts the
    // default sentinels on the card-swipe test page. Returns the reader's
    // result.
    int LoadParameterBlock(ParameterRead how);

    // Button handlers: each a reader command inside the command bracket.
    void OnGetVersion();
    void OnGetParameter();
    void OnApplyOption();
    void OnRestoreDefault();
    void OnSetBaudrate();
    // The controls' own handlers.
    void OnPrefix();
    void OnSuffix();
    void OnEnableAll();
    void OnBuzzerEnable();

    CDQ450DemoDlg* m_pMainDlg = nullptr;

protected:
    bool OnInitDialog() override;

private:
    void ShowParameterBlock(const uint8_t* block, ParameterRead how);
    // The version request; on success the reader's text into *version.
    int RequestVersion(int timeoutMs, std::string* version);
    // The block as the controls set it; none after a refused text.
    std::optional<std::array<uint8_t, kRsParameterBlockSize>> BuildParameterBlock() const;
};
