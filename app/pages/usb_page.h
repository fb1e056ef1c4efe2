#pragma once
// Tab 0: the settings of a reader that speaks the length-prefixed protocol,
// over USB HID or a serial port.

#include "platform/ui/dialog.h"
#include "reader/commands.h"

#include <cstdint>
#include <optional>
#include <span>

class CDQ450DemoDlg;

inline constexpr int kUsbPageTemplateId = 130;

// Controls and values more than one of the page's sources use.
namespace usb_page {

inline constexpr int IDC_END_FLAG = 1018;
inline constexpr int IDC_CUSTOM_END_FLAG = 1019;
inline constexpr int IDC_CUSTOM_END_FLAG_LABEL = 1040;
inline constexpr int kSentinelEdits[] = {1008, 1009, 1010, 1011, 1012, 1013};
inline constexpr int kOutputTrackChecks[] = {1015, 1016, 1017};
inline constexpr int kBuzzerChecks[] = {1051, 1052};
// ISO, AAMVA, CadMV, RawData, JIS-II: bits 0 to 4 of the decoding byte, and
// the order the decoding command takes them in.
inline constexpr int kDecodingChecks[] = {1150, 1146, 1151, 1152, 1153};

inline constexpr int kMultiCharMode = 0;
inline constexpr int kSingleCharMode = 1;
inline constexpr int kMultiCharLimit = 4;
inline constexpr int kSingleCharLimit = 1;
inline constexpr int kFilterModeCharacters = 2;
inline constexpr int kFilterModePositions = 3;
// Item i of the buzzer frequency list is the value i + 100.
inline constexpr int kFrequencyOfFirstItem = 100;

inline constexpr int kStringNoDecodeMode = 124;

// One filter's controls, in filter order: track 1 start, track 1 end,
// track 2 start, track 2 end, track 3 start, track 3 end.
struct FilterControls {
    int frame;
    int check;
    int label;
    int edit;
};
inline constexpr FilterControls kFilters[] = {
    {1064, 1083, 1066, 1060}, {1065, 1084, 1067, 1062}, {1069, 1085, 1070, 1061},
    {1071, 1086, 1073, 1072}, {1074, 1087, 1079, 1075}, {1080, 1088, 1082, 1081},
};

} // namespace usb_page

class CComDlg : public ui::Dialog {
public:
    CComDlg();

    // Enables the filter controls and sets the filter edits' limits for the
    // range modes 2 and 3; any other mode (-1 for none) disables them,
    // unchecks the six boxes and empties the six edits.
    void UpdateFilterControls(int mode);

    // Loads right after a connection, outside the command bracket. The
    // version (1000 ms) into the version label; true when the reader
    // answered.
    bool DetectVersion();
    // The parameter block (1000 ms) into the page; true when it was read.
    bool ReadParameters();
    // Reads the parameter block into the caller's zero-filled buffer (at
    // least the 55 bytes of the block) and fills the page from it; on failure
    // shows the box and puts the default sentinels on the card-swipe test
    // page. Returns the reader's result.
    int LoadParameterBlock(std::span<uint8_t> buffer, int timeoutMs, bool limitSentinelEdits);

    CDQ450DemoDlg* m_pMainDlg = nullptr;

protected:
    bool OnInitDialog() override;

private:
    void ShowParameterBlock(const uint8_t* block, bool limitSentinelEdits);
    void ShowFilterBytes(int mode, const uint8_t* filterBytes);

    // ---- Output tracks, sentinels, apply-all, read-back, data filter ----
    void BindTrackHandlers();
    void BindFilterHandlers();

    void OnSetOutputTrack();
    void OnSelChangeSentinelMode();
    void OnApplyOption();
    void OnGetParameter();
    void OnSelChangeFilterMode();
    void OnTrack1StartFilter();
    void OnTrack1EndFilter();
    void OnTrack2StartFilter();
    void OnTrack2EndFilter();
    void OnTrack3StartFilter();
    void OnTrack3EndFilter();
    void OnSetDataFilter();

    // The six sentinels in both forms a request carries them.
    struct SentinelSet {
        uint8_t chars[6];
        SentinelString records[6];
    };
    // Characters from the six edits; records in multi-character mode (0),
    // and in single-character mode (1) when singleCharRecords is set. None
    // after a refused text.
    std::optional<SentinelSet> ReadSentinels(int sentinelMode, bool singleCharRecords) const;

    // Refused: a text the reader cannot take, already reported.
    enum class EndFlagEntry { Read, NoSelection, BadCustomText, Refused };
    EndFlagEntry ReadEndFlag(uint8_t& endFlag) const;

    // Result text, failure box and, on success, the swipe page's sentinels.
    void ReportSentinelCommand(int result, const SentinelSet& sentinels);

    // The label and edit of filter index follow its check box.
    void FollowFilterCheck(int filter);
    // The six filter bytes the apply-all request carries for this mode;
    // false after a refused text.
    bool ReadApplyFilterBytes(int mode, uint8_t (&bytes)[6]) const;
    // ---- end of output tracks, sentinels, apply-all, read-back, data filter ----

    // ---- One-setting commands: interface, buzzer, speed, decode mode,
    // device id, keyboard layout, detect device, clear cache, restore default ----
    void BindCommandHandlers();

    void OnDetectDevice();
    void OnSetInterface();
    void OnBuzzerControl();
    void OnSetSpeed();
    void OnClearCache();
    void OnRestoreDefault();
    void OnSetDecoding();
    void OnSetDeviceId();
    void OnSetKeyboardType();
    void OnCustomKeyboard();
    void OnSelChangeEndFlag();
    // ---- end of one-setting commands ----
};
