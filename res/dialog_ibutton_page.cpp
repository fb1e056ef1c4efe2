// iButton parameter page (template 138): interface, enable switches, end
// character, data filter, withdraw text, prefix and suffix, and the view of the
// last key read.

#include "res/dialog_templates.h"

namespace res {
namespace {

using enum ControlKind;

constexpr uint32_t kTextEdit = kBorder | kAutoHScroll;
constexpr uint32_t kHexEdit = kTextEdit | kUpperCase;
constexpr uint32_t kList = kVScroll;

constexpr ControlTemplate kControls[] = {
    {1157, PushButton, 473, 18, 86, 30, kStyleNone, "detect device", "检测设备"},
    // interface and data format
    {1182, GroupBox, 3, 12, 189, 54, kStyleNone, "interface and data format（Mode）",
     "设置接口和数据格式（Mode）"},
    {1158, PushButton, 13, 47, 161, 14, kStyleNone, "set interface and data format",
     "设置接口和数据模式"},
    // data prefix suffix
    {1187, GroupBox, 192, 102, 255, 79, kStyleNone, "data prefix suffix", "设置前后缀"},
    {-1, Static, 12, 28, 15, 8, kStyleNone, "bit0", "bit0"},
    {1160, Edit, 223, 120, 219, 14, kTextEdit, "", ""},
    {1192, Static, 204, 140, 22, 8, kStyleNone, "suffix", "后缀"},
    {1161, Edit, 223, 138, 218, 14, kTextEdit, "", ""},
    {1162, PushButton, 205, 158, 186, 14, kStyleNone, "set data prefix and suffix", "设置前后缀"},
    // set data (EndChar)
    {1184, GroupBox, 324, 12, 122, 84, kStyleNone, "set data (EndChar)", "设置数据包尾(EndChar)"},
    {1181, Static, 335, 54, 49, 8, kStyleNone, "end char(HEX)", "数据包尾(HEX)"},
    {1163, Edit, 388, 51, 17, 14, kHexEdit, "", ""},
    {1165, PushButton, 333, 77, 106, 14, kStyleNone, "set data end char", "设置数据包尾"},
    // Enable Parameter
    {1183, GroupBox, 192, 12, 133, 85, kStyleNone, "Enable Parameter", "Enable参数"},
    {-1, Static, 109, 30, 15, 8, kStyleNone, "bit1", "bit1"},
    {1191, Static, 204, 122, 18, 8, kStyleNone, "prefix", "前缀"},
    // data filter
    {1186, GroupBox, 4, 73, 173, 74, kStyleNone, "data filter", "数据筛选"},
    {1168, Edit, 67, 87, 25, 14, kHexEdit | kCentre, "", ""},
    {1190, Static, 11, 108, 55, 8, kRight, "end char(hex)", "结束(hex)"},
    {1169, Edit, 66, 106, 26, 14, kHexEdit | kCentre, "", ""},
    {1170, PushButton, 14, 126, 132, 14, kStyleNone, "applicate data filter", "设置数据筛选"},
    {1189, Static, 11, 90, 56, 10, kRight, "start char(hex)", "开始(hex)"},
    {1171, PushButton, 473, 60, 86, 30, kStyleNone, "applicate current option", "应用当前设置"},
    {1172, PushButton, 473, 103, 86, 30, kStyleNone, "restore default params", "恢复默认设置"},
    {1173, PushButton, 473, 145, 85, 30, kStyleNone, "get device parameter", "读取设置参数"},
    {1175, ComboDropList, 30, 28, 76, 115, kList, "", ""},
    {1176, ComboDropList, 126, 28, 60, 115, kList, "", ""},
    {-1, Static, 200, 44, 15, 8, kStyleNone, "bit1", "bit1"},
    {-1, Static, 200, 62, 15, 8, kStyleNone, "bit2", "bit2"},
    {1177, ComboDropList, 218, 44, 101, 115, kList | kSort, "", ""},
    {1178, ComboDropList, 218, 60, 100, 115, kList | kSort, "", ""},
    {-1, Static, 200, 28, 15, 8, kStyleNone, "bit0", "bit0"},
    {1179, ComboDropList, 218, 28, 102, 115, kList | kSort, "", ""},
    {1166, PushButton, 202, 76, 117, 14, kStyleNone, "Applicate Enable parameter",
     "设置Enable参数"},
    // WithDraw option
    {1188, GroupBox, 4, 147, 174, 54, kStyleNone, "WithDraw option", "WithDraw设置"},
    {1164, Edit, 56, 166, 114, 14, kTextEdit, "", ""},
    {1167, PushButton, 15, 184, 154, 14, kStyleNone, "applicate WithDraw", "设置WithDraw"},
    {-1, Static, 18, 169, 34, 8, kStyleNone, "WithDraw", "WithDraw"},
    // frames of the settings area and of the command column
    {-1, GroupBox, 2, 0, 448, 261, kStyleNone, "", ""},
    {-1, GroupBox, 450, 0, 117, 262, kStyleNone, "", ""},
    {1180, ComboDropList, 335, 37, 68, 96, kList, "", ""},
    {1185, Static, 335, 26, 67, 8, kNoWrap, "packet end char", "包尾结束符号"},
    // last key read
    {1195, Static, 6, 215, 59, 12, kRight, "card no(Hex):", "卡号(Hex)："},
    {1196, Static, 69, 210, 373, 21, kCentre | kSunken, "", ""},
    {1174, PushButton, 474, 188, 85, 30, kStyleNone, "get device ID", "读取设备ID"},
    {1197, Static, 6, 240, 59, 12, kRight, "card no(Ascii):", "卡号(Ascii)："},
    {1205, Edit, 69, 236, 373, 21, kTextEdit, "", ""},
};

// The Chinese captions are shorter or longer, so these sit differently there.
constexpr ControlTemplate kChineseOverrides[] = {
    {1181, Static, 335, 54, 51, 8, kStyleNone, "end char(HEX)", "数据包尾(HEX)"},
    {1195, Static, 3, 215, 52, 12, kRight, "card no(Hex):", "卡号(Hex)："},
    {1196, Static, 57, 210, 384, 21, kCentre | kSunken, "", ""},
    {1197, Static, 4, 240, 52, 12, kRight, "card no(Ascii):", "卡号(Ascii)："},
    {1205, Edit, 57, 236, 385, 21, kTextEdit, "", ""},
};

// The main dialog replaces the interface items at start.
constexpr const char* kInterfaces[] = {"keyBoard", "hidCustom"};
constexpr const char* kDataFormats[] = {"hex mode", "dec mode"};
constexpr const char* kBuzzer[] = {"disable buzzer", "enable buzzer"};
constexpr const char* kIButtonCode[] = {"disable ibutton code", "enable ibutton code"};
constexpr const char* kIButtonCrc[] = {"disable ibutton crc", "enable ibutton crc"};
constexpr const char* kEndChars[] = {"Enter", "Tab", "Sel-define", "null"};

constexpr ComboList kCombos[] = {
    {1175, kInterfaces, kInterfaces}, {1176, kDataFormats, kDataFormats},
    {1179, kBuzzer, kBuzzer},         {1177, kIButtonCode, kIButtonCode},
    {1178, kIButtonCrc, kIButtonCrc}, {1180, kEndChars, kEndChars},
};

} // namespace

const DialogTemplate kIButtonPage = {
    .id = 138,
    .child = true,
    .cxEn = 571,
    .cyEn = 273,
    .cxZh = 571,
    .cyZh = 273,
    .fontPoints = 8,
    .captionEn = "",
    .captionZh = "",
    .controls = kControls,
    .combos = kCombos,
    .chineseOverrides = kChineseOverrides,
};

} // namespace res
