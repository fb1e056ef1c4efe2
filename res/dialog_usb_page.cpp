// USB reader-parameter page (template 130): one group per reader setting, the
// data filter, and the column of device commands.

#include "res/dialog_templates.h"

namespace res {
namespace {

using enum ControlKind;

constexpr uint32_t kList = kVScroll;
constexpr uint32_t kTextEdit = kBorder | kAutoHScroll;
constexpr uint32_t kHexEdit = kTextEdit | kUpperCase;

constexpr ControlTemplate kControls[] = {
    // the whole page
    {1029, GroupBox, 3, 3, 567, 269, kStyleNone, "Command", "操作命令"},
    // Interface and data format
    {1030, GroupBox, 8, 12, 142, 86, kStyleNone, "Interface and data format", "设置接口和数据格式"},
    {1031, Static, 14, 26, 44, 8, kStyleNone, "interface", "接口方式"},
    {1006, ComboDropList, 60, 24, 84, 60, kList, "", ""},
    {1032, Static, 14, 42, 44, 8, kStyleNone, "data format", "数据格式"},
    {1007, ComboDropList, 60, 40, 84, 60, kList, "", ""},
    {1033, Static, 14, 58, 44, 8, kStyleNone, "mode", "读卡模式"},
    {1014, ComboDropList, 60, 56, 84, 60, kList, "", ""},
    {1005, PushButton, 14, 72, 130, 22, kMultiline, "applicate Interface and format",
     "设置接口和数据格式"},
    // track and packet endflag
    {1048, GroupBox, 154, 12, 176, 133, kStyleNone, "track and packet endflag",
     "输出轨道和数据尾数据"},
    {-1, Static, 162, 24, 28, 8, kStyleNone, "mode", "模式"},
    {1339, ComboDropList, 192, 21, 80, 50, kList, "", ""},
    {1015, CheckBox, 260, 44, 64, 10, kStyleNone, "output track1", "输出一轨道"},
    {1016, CheckBox, 260, 57, 64, 10, kStyleNone, "output track2", "输出二轨道"},
    {1017, CheckBox, 260, 70, 64, 10, kStyleNone, "output track3", "输出三轨道"},
    {1034, Static, 162, 45, 28, 8, kStyleNone, "track1", "一轨道"},
    {1035, Static, 162, 58, 28, 8, kStyleNone, "track2", "二轨道"},
    {1036, Static, 162, 71, 28, 8, kStyleNone, "track3", "三轨道"},
    // Wide enough for four sentinel characters in multi-char mode.
    {1037, Static, 192, 35, 32, 8, kCentre, "SS", "SS"},
    {1038, Static, 226, 35, 32, 8, kCentre, "ES", "ES"},
    {1008, Edit, 192, 43, 32, 12, kTextEdit | kCentre, "", ""},
    {1009, Edit, 226, 43, 32, 12, kTextEdit | kCentre, "", ""},
    {1010, Edit, 192, 56, 32, 12, kTextEdit | kCentre, "", ""},
    {1011, Edit, 226, 56, 32, 12, kTextEdit | kCentre, "", ""},
    {1012, Edit, 192, 69, 32, 12, kTextEdit | kCentre, "", ""},
    {1013, Edit, 226, 69, 32, 12, kTextEdit | kCentre, "", ""},
    {1039, Static, 162, 88, 58, 8, kStyleNone, "packet endflag", "包尾结束符"},
    {1018, ComboDropList, 222, 86, 64, 60, kList, "", ""},
    {1040, Static, 162, 102, 60, 8, kHidden, "end flag(Hex)", "包尾结束符(Hex)"},
    {1019, Edit, 224, 100, 24, 12, kHexEdit | kCentre | kHidden, "", ""},
    {1020, PushButton, 162, 116, 160, 22, kMultiline, "applicate output track and endFlag",
     "设置输出轨道和包结束符"},
    // buzzer control
    {1041, GroupBox, 334, 12, 148, 72, kStyleNone, "buzzer control", "蜂鸣器控制"},
    {1051, CheckBox, 342, 24, 132, 10, kStyleNone, "read ok beep 1 time", "读卡正确响一声"},
    {1052, CheckBox, 342, 37, 132, 10, kStyleNone, "read failed beep 3 time", "读卡错误响三声"},
    {1154, Static, 342, 52, 36, 8, kHidden, "frequncecy", "频率"},
    {1144, ComboDropList, 380, 50, 50, 80, kList | kHidden, "", ""},
    {1021, PushButton, 342, 64, 70, 14, kStyleNone, "Buzzer Cotnrol", "蜂鸣器控制"},
    // data trans speed
    {1043, GroupBox, 8, 102, 142, 43, kStyleNone, "data trans speed", "磁卡传输速度设置"},
    {1044, Static, 14, 120, 26, 8, kStyleNone, "speed", "速度"},
    {1024, ComboDropList, 42, 118, 40, 100, kList, "", ""},
    {1023, PushButton, 88, 117, 56, 14, kStyleNone, "set speed", "设置速度"},
    // set decode mode
    {1155, GroupBox, 334, 86, 148, 56, kStyleNone, "set decode mode", "设置解码方式"},
    {1150, CheckBox, 342, 98, 46, 10, kStyleNone, "ISO ", "ISO "},
    {1146, CheckBox, 391, 98, 44, 10, kStyleNone, "AAMVA", "AAMVA"},
    {1151, CheckBox, 436, 98, 44, 10, kStyleNone, "CadMV", "CadMV"},
    {1152, CheckBox, 342, 111, 48, 10, kStyleNone, "RawData", "RawData"},
    {1153, CheckBox, 391, 111, 44, 10, kStyleNone, "JIS-II", "JIS-II"},
    {1147, PushButton, 342, 124, 80, 14, kStyleNone, "set decode mode", "设置解码方式"},
    // device id set
    {1156, GroupBox, 334, 144, 148, 46, kStyleNone, "device id set", "设备ID设置"},
    {1025, Static, 342, 158, 56, 8, kStyleNone, "device ID(HEX)", "设备ID(HEX)"},
    {1148, Edit, 400, 156, 34, 12, kHexEdit | kCentre, "", ""},
    {1149, PushButton, 342, 172, 70, 14, kStyleNone, "set device ID", "设置设备ID"},
    // Setting Keyboard Type
    {-1, GroupBox, 334, 192, 148, 76, kStyleNone, "Setting Keyboard Type", "设置键盘类型"},
    {-1, Static, 342, 204, 22, 8, kStyleNone, "Type", "类型"},
    {1246, ComboDropList, 342, 214, 134, 60, kList, "", ""},
    {1335, CheckBox, 342, 232, 48, 10, kStyleNone, "custom", "自定义值"},
    {1336, Edit, 392, 231, 24, 12, kHexEdit | kCentre, "", ""},
    {1247, PushButton, 342, 248, 80, 14, kStyleNone, "Set Keyboard Type", "设置键盘类型"},
    // Data Filter
    {1054, GroupBox, 8, 148, 322, 120, kStyleNone, "Data Filter", "数据筛选"},
    {1063, Static, 16, 162, 42, 8, kStyleNone, "Filter mode", "Filter mode"},
    {1058, ComboDropList, 60, 160, 110, 60, kList, "", ""},
    // track 1 filters
    {1076, GroupBox, 11, 176, 104, 88, kStyleNone, "track1", "track1"},
    // track 1 start filter
    {1064, GroupBox, 13, 186, 100, 37, kStyleNone, "start char on start position",
     "start char on start position"},
    {1083, CheckBox, 18, 197, 54, 10, kStyleNone, "start char", "start char"},
    {1066, Static, 18, 211, 74, 8, kStyleNone, "ASCII or start position",
     "ASCII or start position"},
    {1060, Edit, 94, 209, 15, 12, kTextEdit, "", ""},
    // track 1 end filter
    {1065, GroupBox, 13, 225, 100, 37, kStyleNone, "end char or end position",
     "end char or end position"},
    {1084, CheckBox, 18, 236, 54, 10, kStyleNone, "end char", "end char"},
    {1067, Static, 18, 250, 74, 8, kStyleNone, "ASCII or end position", "ASCII or end position"},
    {1062, Edit, 94, 248, 15, 12, kTextEdit, "", ""},
    // track 2 filters
    {1077, GroupBox, 117, 176, 104, 88, kStyleNone, "track2", "track2"},
    // track 2 start filter
    {1069, GroupBox, 119, 186, 100, 37, kStyleNone, "start char on start position",
     "start char on start position"},
    {1085, CheckBox, 124, 197, 54, 10, kStyleNone, "start char", "start char"},
    {1070, Static, 124, 211, 74, 8, kStyleNone, "ASCII or start position",
     "ASCII or start position"},
    {1061, Edit, 200, 209, 15, 12, kTextEdit, "", ""},
    // track 2 end filter
    {1071, GroupBox, 119, 225, 100, 37, kStyleNone, "end char or end position",
     "end char or end position"},
    {1086, CheckBox, 124, 236, 54, 10, kStyleNone, "end char", "end char"},
    {1073, Static, 124, 250, 74, 8, kStyleNone, "ASCII or end position", "ASCII or end position"},
    {1072, Edit, 200, 248, 15, 12, kTextEdit, "", ""},
    // track 3 filters
    {1078, GroupBox, 223, 176, 104, 88, kStyleNone, "track3", "track3"},
    // track 3 start filter
    {1074, GroupBox, 225, 186, 100, 37, kStyleNone, "start char on start position",
     "start char on start position"},
    {1087, CheckBox, 230, 197, 54, 10, kStyleNone, "start char", "start char"},
    {1079, Static, 230, 211, 74, 8, kStyleNone, "ASCII or start position",
     "ASCII or start position"},
    {1075, Edit, 306, 209, 15, 12, kTextEdit, "", ""},
    // track 3 end filter
    {1080, GroupBox, 225, 225, 100, 37, kStyleNone, "end char or end position",
     "end char or end position"},
    {1088, CheckBox, 230, 236, 54, 10, kStyleNone, "end char", "end char"},
    {1082, Static, 230, 250, 74, 8, kStyleNone, "ASCII or end position", "ASCII or end position"},
    {1081, Edit, 306, 248, 15, 12, kTextEdit, "", ""},
    {1068, PushButton, 250, 159, 72, 14, kStyleNone, "set data filter", "set data filter"},
    // commands
    {1004, PushButton, 490, 18, 74, 30, kStyleNone, "detect device", "检测设备"},
    {1045, PushButton, 490, 60, 74, 30, kStyleNone, "clear cache", "清除缓存"},
    {1047, PushButton, 490, 102, 74, 30, kStyleNone, "read parameter", "读取参数"},
    {1143, PushButton, 490, 144, 74, 30, kStyleNone, "applicate option", "应用所有设置"},
    {1046, PushButton, 490, 186, 74, 30, kStyleNone, "restore default", "恢复默认设置"},

};

constexpr const char* kInterfaces[] = {"HID Keyboard", "HID Custom"};
constexpr const char* kDataFormats[] = {"Ascii", "Binary"};
constexpr const char* kReaderModesEn[] = {"auto mode", "command mode"};
constexpr const char* kReaderModesZh[] = {"主动模式", "命令模式"};
constexpr const char* kEndFlags[] = {"Enter", "Tab", "Sel-define", "null"};
// The leading blanks belong to the items.
constexpr const char* kFilterModesEn[] = {"No filtering", " Only output card number",
                                          " Character range", " Location range"};
constexpr const char* kFilterModesZh[] = {"无筛选", "只输出卡号", "字符范围", "位置范围"};
constexpr const char* kKeyboardLayoutsEn[] = {"English (US)",
                                              " French (France)",
                                              " French (Canada)",
                                              " Czech",
                                              "Spanish (International Standards)",
                                              " Spanish (Argentina)",
                                              " Hebrew"};
constexpr const char* kKeyboardLayoutsZh[] = {
    "英语(美国)",         "法语(法国)",       "法语(加拿大)", "捷克语",
    "西班牙语(国际标准)", "西班牙语(阿根廷)", "希伯来语"};
constexpr const char* kSentinelModesEn[] = {"multi char", "single char"};
constexpr const char* kSentinelModesZh[] = {"字符串", "单个字符"};

// The speed and buzzer-frequency lists are filled by the page at start.
constexpr ComboList kCombos[] = {
    {1006, kInterfaces, kInterfaces},           {1007, kDataFormats, kDataFormats},
    {1014, kReaderModesEn, kReaderModesZh},     {1018, kEndFlags, kEndFlags},
    {1058, kFilterModesEn, kFilterModesZh},     {1246, kKeyboardLayoutsEn, kKeyboardLayoutsZh},
    {1339, kSentinelModesEn, kSentinelModesZh},
};

// The Chinese caption of the track group reaches lower than the English one.
constexpr ControlTemplate kChineseOverrides[] = {
    {1339, ComboDropList, 192, 22, 80, 50, kList, "", ""},
};

} // namespace

const DialogTemplate kUsbPage = {
    .id = 130,
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
    .chineseOverrides = kChineseOverrides,
};

} // namespace res
