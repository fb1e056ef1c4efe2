// RS232 reader page (template 165): sentinels, output tracks, carriage returns,
// buzzer, port rate, prefix and suffix, power mode, and the commands. The
// Chinese template shows the same English texts.

#include "res/dialog_templates.h"

namespace res {
namespace {

using enum ControlKind;

constexpr uint32_t kTextEdit = kBorder | kAutoHScroll;
constexpr uint32_t kSentinelEdit = kTextEdit | kCentre;

constexpr ControlTemplate kControls[] = {
    // SS ES option
    {-1, GroupBox, 8, 8, 270, 82, kStyleNone, "SS ES option", "SS ES option"},
    {1306, CheckBox, 16, 20, 60, 10, kStyleNone, "Enable all", "Enable all"},
    {-1, Static, 16, 38, 44, 8, kStyleNone, "track 1 SS", "track 1 SS"},
    {1307, Edit, 62, 36, 20, 12, kSentinelEdit, "", "", 1},
    {-1, Static, 100, 38, 44, 8, kStyleNone, "track 1 ES", "track 1 ES"},
    {1308, Edit, 146, 36, 20, 12, kSentinelEdit, "", "", 1},
    {-1, Static, 16, 54, 44, 8, kStyleNone, "track 2 SS", "track 2 SS"},
    {1309, Edit, 62, 52, 20, 12, kSentinelEdit, "", "", 1},
    {-1, Static, 100, 54, 44, 8, kStyleNone, "track 2 ES", "track 2 ES"},
    {1310, Edit, 146, 52, 20, 12, kSentinelEdit, "", "", 1},
    {-1, Static, 16, 70, 44, 8, kStyleNone, "track 3 SS", "track 3 SS"},
    {1311, Edit, 62, 68, 20, 12, kSentinelEdit, "", "", 1},
    {-1, Static, 100, 70, 44, 8, kStyleNone, "track 3 ES", "track 3 ES"},
    {1312, Edit, 146, 68, 20, 12, kSentinelEdit, "", "", 1},
    // Output track option
    {-1, GroupBox, 8, 94, 270, 30, kStyleNone, "Output track option", "Output track option"},
    {1313, CheckBox, 16, 108, 80, 10, kStyleNone, "track 1 output", "track 1 output"},
    {1314, CheckBox, 104, 108, 80, 10, kStyleNone, "track 2 output", "track 2 output"},
    {1315, CheckBox, 192, 108, 80, 10, kStyleNone, "track 3 output", "track 3 output"},
    // CR option
    {-1, GroupBox, 8, 128, 270, 30, kStyleNone, "CR option", "CR option"},
    {1316, CheckBox, 16, 142, 60, 10, kStyleNone, "track 1 CR", "track 1 CR"},
    {1317, CheckBox, 82, 142, 60, 10, kStyleNone, "track 2 CR", "track 2 CR"},
    {1318, CheckBox, 148, 142, 60, 10, kStyleNone, "track 3 CR", "track 3 CR"},
    {1319, CheckBox, 214, 142, 60, 10, kStyleNone, "packet CR", "packet CR"},
    // Buzzer option
    {-1, GroupBox, 8, 162, 270, 30, kStyleNone, "Buzzer option", "Buzzer option"},
    {1320, CheckBox, 16, 176, 80, 10, kStyleNone, "buzzer enable", "buzzer enable"},
    {1321, CheckBox, 104, 176, 80, 10, kStyleNone, "read ok beep", "read ok beep"},
    {1322, CheckBox, 192, 176, 80, 10, kStyleNone, "read fail beep", "read fail beep"},
    // RS232 port option
    {-1, GroupBox, 8, 196, 270, 32, kStyleNone, "RS232 port option", "RS232 port option"},
    {1323, CheckBox, 16, 210, 34, 10, kStyleNone, "DTS", "DTS"},
    {1324, CheckBox, 54, 210, 34, 10, kStyleNone, "DTR", "DTR"},
    {-1, Static, 100, 212, 34, 8, kStyleNone, "baudrate", "baudrate"},
    {1326, ComboDropList, 136, 210, 60, 60, kVScroll, "", ""},
    {1327, PushButton, 204, 209, 66, 14, kStyleNone, "set baudrate", "set baudrate"},
    // Prefix and suffix option
    {-1, GroupBox, 288, 8, 190, 82, kStyleNone, "Prefix and suffix option",
     "Prefix and suffix option"},
    {1328, CheckBox, 296, 20, 120, 10, kStyleNone, "Prefixx string(max: 30)",
     "Prefixx string(max: 30)"},
    {1330, Edit, 296, 33, 174, 12, kTextEdit | kDisabled, "", "", 30},
    {1329, CheckBox, 296, 52, 120, 10, kStyleNone, "suffix string(max: 30)",
     "suffix string(max: 30)"},
    {1331, Edit, 296, 65, 174, 12, kTextEdit | kDisabled, "", "", 30},
    // power option
    {-1, GroupBox, 288, 94, 190, 44, kStyleNone, "power option", "power option"},
    {1332, RadioButton, 296, 106, 176, 10, kGroup | kDisabled,
     "normal power supply(Current >= 200ma)", "normal power supply(Current >= 200ma)"},
    {1333, RadioButton, 296, 120, 176, 10, kDisabled, "steal power from RS232(current <=10ma)",
     "steal power from RS232(current <=10ma)"},
    // commands
    {1334, PushButton, 484, 18, 86, 30, kStyleNone, "get version", "get version"},
    {1335, PushButton, 484, 60, 86, 30, kStyleNone, "get parameter", "get parameter"},
    {1336, PushButton, 484, 102, 86, 30, kStyleNone, "applcate current option",
     "applcate current option"},
    {1337, PushButton, 484, 144, 86, 30, kStyleNone, "restore default", "restore default"},
};

constexpr const char* kRates[] = {"4800", "9600", "19200", "38400", "115200"};

constexpr ComboList kCombos[] = {
    {1326, kRates, kRates},
};

} // namespace

const DialogTemplate kRs232Page = {
    .id = 165,
    .child = true,
    .cxEn = 573,
    .cyEn = 275,
    .cxZh = 573,
    .cyZh = 275,
    .fontPoints = 8,
    .captionEn = "",
    .captionZh = "",
    .controls = kControls,
    .combos = kCombos,
    .chineseOverrides = {},
};

} // namespace res
