// Card-swipe test page (template 146): raw data, sentinels, decode-mode marks,
// and per track its text, result counters, blank count, success rate and
// character count.

#include "res/dialog_templates.h"

namespace res {
namespace {

using enum ControlKind;

constexpr uint32_t kCentredValue = kSunken | kCentre;
constexpr uint32_t kRightValue = kSunken | kRight;

constexpr ControlTemplate kControls[] = {
    // original data
    {1210, GroupBox, 5, 5, 565, 66, kStyleNone, "original data", "原始数据"},
    {1206, Edit, 14, 16, 555, 36, kMultiline | kVScroll | kBorder, "", ""},
    // sentinels of track 1
    {-1, GroupBox, 10, 52, 136, 18, kStyleNone, "", ""},
    {1233, Static, 14, 57, 50, 8, kStyleNone, "track 1 SS", "一轨道起始符"},
    {1235, Static, 66, 57, 10, 10, kCentredValue, "%", "%"},
    {1234, Static, 80, 57, 50, 8, kStyleNone, "track1 ES", "一轨道结束符"},
    {1236, Static, 132, 57, 10, 10, kCentredValue, "?", "?"},
    // sentinels of track 2
    {-1, GroupBox, 152, 52, 136, 18, kStyleNone, "", ""},
    {1237, Static, 156, 57, 50, 8, kStyleNone, "track2 SS", "二轨道起始符"},
    {1239, Static, 208, 57, 10, 10, kCentredValue, ";", ";"},
    {1238, Static, 222, 57, 50, 8, kStyleNone, "track2 ES", "二轨道结束符"},
    {1240, Static, 274, 57, 10, 10, kCentredValue, "?", "?"},
    // sentinels of track 3
    {-1, GroupBox, 294, 52, 136, 18, kStyleNone, "", ""},
    {1241, Static, 298, 57, 50, 8, kStyleNone, "track3 SS", "三轨道起始符"},
    {1243, Static, 350, 57, 10, 10, kCentredValue, "+", "+"},
    {1242, Static, 364, 57, 50, 8, kStyleNone, "track3 ES", "三轨道结束符"},
    {1244, Static, 416, 57, 10, 10, kCentredValue, "?", "?"},
    {1232, PushButton, 504, 55, 65, 14, kStyleNone, "copy original data", "拷贝原始数据"},
    // track data
    {1211, GroupBox, 5, 71, 566, 187, kStyleNone, "track data", "各轨道数据"},
    // decode-mode marks of the last frame
    {1153, Static, 70, 77, 58, 8, kStyleNone, "ISO decode", "ISO decode"},
    {1154, Static, 130, 77, 12, 8, kCentredValue, "", ""},
    {1155, Static, 145, 77, 58, 8, kStyleNone, "AAMVA decode", "AAMVA decode"},
    {1156, Static, 205, 77, 12, 8, kCentredValue, "", ""},
    {1157, Static, 220, 77, 58, 8, kStyleNone, "CADMV decode", "CADMV decode"},
    {1158, Static, 280, 77, 12, 8, kCentredValue, "", ""},
    {1159, Static, 294, 77, 61, 8, kStyleNone, "RAWDATA decode", "RAWDATA decode"},
    {1160, Static, 356, 77, 12, 8, kCentredValue, "", ""},
    {1161, Static, 370, 77, 58, 8, kStyleNone, "JIS_II decode", "JIS_II decode"},
    {1162, Static, 430, 77, 12, 8, kCentredValue, "", ""},
    // separators between the tracks
    {-1, Static, 5, 88, 565, 1, kBorder, "", ""},
    {-1, Static, 5, 134, 565, 1, kBorder, "", ""},
    {-1, Static, 5, 186, 565, 1, kBorder, "", ""},
    {-1, Static, 5, 236, 565, 1, kBorder, "", ""},
    // track 1
    {1212, Static, 10, 101, 30, 8, kStyleNone, "track 1", "一轨"},
    {1207, Edit, 42, 88, 400, 34, kReadOnly | kMultiline | kVScroll | kBorder, "", ""},
    {-1, Static, 42, 124, 32, 8, kStyleNone, "success:", "正确:"},
    {1304, Static, 75, 123, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 99, 124, 32, 8, kStyleNone, "Blank:", "空白:"},
    {1098, Static, 132, 123, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 156, 124, 32, 8, kStyleNone, "S err:", "S错误:"},
    {1099, Static, 189, 123, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 213, 124, 32, 8, kStyleNone, "P err:", "P错误:"},
    {1100, Static, 246, 123, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 270, 124, 32, 8, kStyleNone, "E err:", "E错误:"},
    {1101, Static, 303, 123, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 327, 124, 32, 8, kStyleNone, "L err:", "L错误:"},
    {1102, Static, 360, 123, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 384, 124, 32, 8, kStyleNone, "len=0:", "长度为0:"},
    {1103, Static, 417, 123, 20, 10, kCentredValue, "0", "0"},
    // blank count, success rate and character count of track 1
    {-1, GroupBox, 448, 84, 120, 49, kStyleNone, "", ""},
    {1097, Static, 452, 93, 52, 8, kStyleNone, "track 1 blank", "一轨道空白"},
    {1218, Static, 506, 92, 36, 10, kRightValue, "0", "0"},
    {1216, Static, 544, 93, 20, 8, kStyleNone, "time", "次"},
    {1215, Static, 452, 106, 52, 8, kStyleNone, "success rate", "一轨道成功率"},
    {1219, Static, 506, 105, 36, 10, kRightValue, "0.00", "0.00"},
    {1217, Static, 544, 106, 20, 8, kStyleNone, "%", "%"},
    {1230, Static, 452, 119, 52, 8, kStyleNone, "char count", "一轨字符数"},
    {1231, Static, 506, 118, 36, 10, kRightValue, "0", "0"},
    // track 2
    {1213, Static, 10, 152, 30, 8, kStyleNone, "track 2", "二轨"},
    {1208, Edit, 42, 140, 400, 32, kReadOnly | kMultiline | kVScroll | kBorder, "", ""},
    {-1, Static, 42, 175, 32, 8, kStyleNone, "success:", "正确:"},
    {1305, Static, 75, 174, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 99, 175, 32, 8, kStyleNone, "Blank:", "空白:"},
    {1104, Static, 132, 174, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 156, 175, 32, 8, kStyleNone, "S err:", "S错误:"},
    {1105, Static, 189, 174, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 213, 175, 32, 8, kStyleNone, "P err:", "P错误:"},
    {1106, Static, 246, 174, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 270, 175, 32, 8, kStyleNone, "E err:", "E错误:"},
    {1107, Static, 303, 174, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 327, 175, 32, 8, kStyleNone, "L err:", "L错误:"},
    {1108, Static, 360, 174, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 384, 175, 32, 8, kStyleNone, "len=0:", "长度为0:"},
    {1109, Static, 417, 174, 20, 10, kCentredValue, "0", "0"},
    // blank count, success rate and character count of track 2
    {-1, GroupBox, 447, 136, 120, 49, kStyleNone, "", ""},
    {1114, Static, 451, 145, 52, 8, kStyleNone, "track 2 blank", "二轨道空白"},
    {1223, Static, 505, 144, 36, 10, kRightValue, "0", "0"},
    {1221, Static, 543, 145, 20, 8, kStyleNone, "time", "次"},
    {1220, Static, 451, 158, 52, 8, kStyleNone, "success rate", "二轨道成功率"},
    {1224, Static, 505, 157, 36, 10, kRightValue, "0.00", "0.00"},
    {1222, Static, 543, 158, 20, 8, kStyleNone, "%", "%"},
    {1248, Static, 451, 171, 52, 8, kStyleNone, "char count", "二轨字符数"},
    {1249, Static, 505, 170, 36, 10, kRightValue, "0", "0"},
    // track 3
    {1214, Static, 10, 203, 30, 8, kStyleNone, "track 3", "三轨"},
    {1209, Edit, 42, 191, 400, 32, kReadOnly | kMultiline | kVScroll | kBorder, "", ""},
    {-1, Static, 42, 225, 32, 8, kStyleNone, "success:", "正确:"},
    {1306, Static, 75, 224, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 99, 225, 32, 8, kStyleNone, "Blank:", "空白:"},
    {1110, Static, 132, 224, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 156, 225, 32, 8, kStyleNone, "S err:", "S错误:"},
    {1111, Static, 189, 224, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 213, 225, 32, 8, kStyleNone, "P err:", "P错误:"},
    {1112, Static, 246, 224, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 270, 225, 32, 8, kStyleNone, "E err:", "E错误:"},
    {1113, Static, 303, 224, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 327, 225, 32, 8, kStyleNone, "L err:", "L错误:"},
    {1115, Static, 360, 224, 20, 10, kCentredValue, "0", "0"},
    {-1, Static, 384, 225, 32, 8, kStyleNone, "len=0:", "长度为0:"},
    {1116, Static, 417, 224, 20, 10, kCentredValue, "0", "0"},
    // blank count, success rate and character count of track 3
    {-1, GroupBox, 447, 187, 120, 49, kStyleNone, "", ""},
    {1131, Static, 451, 196, 52, 8, kStyleNone, "track 3 blank", "三轨道空白"},
    {1228, Static, 505, 195, 36, 10, kRightValue, "0", "0"},
    {1226, Static, 543, 196, 20, 8, kStyleNone, "time", "次"},
    {1225, Static, 451, 209, 52, 8, kStyleNone, "success rate", "三轨道成功率"},
    {1229, Static, 505, 208, 36, 10, kRightValue, "0.00", "0.00"},
    {1227, Static, 543, 209, 20, 8, kStyleNone, "%", "%"},
    {1250, Static, 451, 222, 52, 8, kStyleNone, "char count", "三轨字符数"},
    {1251, Static, 505, 221, 36, 10, kRightValue, "0", "0"},
    // copy, manual read and count
    {1245, PushButton, 8, 239, 63, 16, kStyleNone, "copy track1 data", "拷贝一轨数据"},
    {1246, PushButton, 71, 239, 63, 16, kStyleNone, "copy track2 data", "拷贝二轨数据"},
    {1247, PushButton, 134, 239, 63, 16, kStyleNone, "copy track3 data", "拷贝三轨数据"},
    {1256, PushButton, 196, 239, 63, 16, kStyleNone, "Manual read card", "手动读卡"},
    {1254, PushButton, 260, 239, 70, 16, kStyleNone, "Cancel manual read", "取消读卡"},
    {1073, PushButton, 330, 239, 63, 16, kStyleNone, "clear count", "计数清零"},
    {1252, Static, 458, 243, 53, 8, kStyleNone, "swipe count", "刷卡次数"},
    {1253, Static, 514, 241, 28, 12, kCentredValue, "0", "0"},

};

} // namespace

const DialogTemplate kSwipeTestPage = {
    .id = 146,
    .child = true,
    .cxEn = 575,
    .cyEn = 260,
    .cxZh = 575,
    .cyZh = 260,
    .fontPoints = 8,
    .captionEn = "",
    .captionZh = "",
    .controls = kControls,
    .combos = {},
    .chineseOverrides = {},
};

} // namespace res
