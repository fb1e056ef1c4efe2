#pragma once
// Tab 3: card-swipe test. Track texts, per-track counters and success rates,
// decode-mode marks and the sentinels in use. Card data arrives as decoded
// frames, as text typed by a reader in keyboard mode into the raw-data edit,
// or as card text from a reader in transparent mode.

#include "app/controls/label.h"
#include "app/decode/card_swipe_stats.h"
#include "app/decode/keyboard_track_parser.h"
#include "app/decode/track_frame.h"
#include "platform/ui/dialog.h"
#include "platform/ui/timer.h"

#include <array>
#include <optional>
#include <string>

class CDQ450DemoDlg;

inline constexpr int kHidTestPageTemplateId = 146;
inline constexpr int kHidTestLabelCount = 42;

inline constexpr int IDC_RAW_DATA = 1206;
inline constexpr int IDC_TRACK_TEXT[kTrackCount] = {1207, 1208, 1209};
inline constexpr int IDC_COPY_TRACK[kTrackCount] = {1245, 1246, 1247};
inline constexpr int IDC_COPY_RAW_DATA = 1232;
inline constexpr int IDC_CLEAR_COUNT = 1073;
inline constexpr int IDC_MANUAL_READ = 1256;
inline constexpr int IDC_CANCEL_MANUAL_READ = 1254;
inline constexpr int IDC_SWIPE_COUNT = 1253;
inline constexpr int IDC_CHAR_COUNT[kTrackCount] = {1231, 1249, 1251};
inline constexpr int IDC_BLANK_COUNT[kTrackCount] = {1218, 1223, 1228};
inline constexpr int IDC_SUCCESS_RATE[kTrackCount] = {1219, 1224, 1229};
// Per track: counters [0] to [6], success first.
inline constexpr int IDC_TRACK_COUNTERS[kTrackCount][7] = {
    {1304, 1098, 1099, 1100, 1101, 1102, 1103},
    {1305, 1104, 1105, 1106, 1107, 1108, 1109},
    {1306, 1110, 1111, 1112, 1113, 1115, 1116},
};
// ISO, AAMVA, CADMV, RAWDATA, JIS_II.
inline constexpr int IDC_DECODE_MARKS[5] = {1154, 1156, 1158, 1160, 1162};
// Track 1 start, track 1 end, track 2 start, ...
inline constexpr int IDC_SENTINELS[6] = {1235, 1236, 1239, 1240, 1243, 1244};

inline constexpr int kKeyboardSwipeEndMs = 80;

class CHidTestDlg : public ui::Dialog {
public:
    CHidTestDlg();

    // Card text of one burst (Latin-1 bytes), split into tracks by the
    // sentinels and counted as one swipe.
    void ShowCustomData(std::string text);
    // Shows what a card-data frame changed: swipe count, touched tracks,
    // counters, rates and decode marks.
    void ShowTrackFrame(const TrackFrameView& view);
    void ShowSentinels();
    // The raw-data edit gets the focus with its whole text selected.
    void FocusRawData();
    std::string MakeFailMessage() const;

    CDQ450DemoDlg* m_pMainDlg = nullptr;
    std::array<CLabel, kHidTestLabelCount> m_labels;
    // Swipe count, per-track counters and blank counts of every input way.
    CardSwipeStats m_stats;
    TrackSentinels m_sentinels;
    KeyboardTrackParser m_keyboardParser;
    std::string m_strRawData;
    // Ends a keyboard-mode swipe after a quiet time.
    ui::Timer m_swipeEndTimer;
    // The edits' text colour, by swipe count modulo 3.
    std::array<ui::Color, 3> m_textColours{ui::Rgb(200, 0, 0), ui::Rgb(0, 200, 0),
                                           ui::Rgb(0, 0, 200)};

protected:
    bool OnInitDialog() override;
    void OnShowWindow(bool show) override;

private:
    void OnCtlColorEdit(int id);
    void OnSetFocusTrackData();
    void OnChangeRawData();
    void OnSwipeEnd();
    void OnCopyControlText(int id, const char* failure);
    void OnClearCount();
    void OnManualRead();
    void OnCancelManualRead();
    void ShowSwipeCount();
    void ShowBlankCount(int track);
    void ShowRate(int track, const std::optional<std::string>& rate);
    void SelectRawData();
};
