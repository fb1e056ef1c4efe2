// Main dialog (template 102): connection controls, language choice, the tab
// control that holds the five pages, and the status and version lines.

#include "res/dialog_templates.h"

namespace res {
namespace {

using enum ControlKind;

constexpr uint32_t kValueBox = kSunken | kCentre;

constexpr ControlTemplate kControls[] = {
    // device operation: the USB buttons and the COM controls share the top left;
    // the program shows one set at a time.
    {1025, GroupBox, 7, 2, 307, 27, kStyleNone, "device operation", "设备操作"},
    {1002, PushButton, 11, 10, 96, 17, kStyleNone, "connect device", "连接设备"},
    {1003, PushButton, 109, 10, 96, 17, kStyleNone, "disconnect device", "断开连接"},
    {1297, Static, 9, 14, 28, 8, kStyleNone, "comPort", "串口"},
    {1293, ComboDropDown, 39, 12, 39, 135, kStyleNone, "", ""},
    {1298, Static, 81, 13, 29, 8, kStyleNone, "baudrate", "波特率"},
    {1294, ComboDropList, 110, 12, 44, 135, kStyleNone, "", ""},
    {1296, PushButton, 159, 11, 42, 16, kStyleNone, "open port", "打开串口"},
    {1295, PushButton, 201, 11, 42, 16, kStyleNone, "search port", "搜索串口"},
    {1291, RadioButton, 251, 15, 29, 7, kStyleNone, "COM", "COM"},
    {1292, RadioButton, 285, 15, 27, 8, kStyleNone, "USB", "USB"},
    // device id and language
    {1203, Static, 321, 15, 42, 11, kStyleNone, "Hardware id", "硬件ID"},
    {1204, Static, 365, 12, 43, 16, kValueBox, "", ""},
    {-1, Static, 411, 16, 28, 8, kStyleNone, "language", "语言"},
    {1248, ComboDropList, 441, 14, 73, 128, kStyleNone, "", ""},
    // pages
    {1053, Tab, 7, 30, 507, 265, kStyleNone, "", ""},
    // status and version
    {1049, Static, 8, 297, 51, 8, kStyleNone, "status", "状态信息："},
    {1050, Static, 60, 296, 239, 12, kValueBox, "no device connected!!", "设备尚未连接"},
    {-1, Static, 300, 297, 60, 13, kStyleNone, "version information", "版本信息"},
    {1052, Static, 363, 296, 149, 12, kValueBox, "display version information", "显示版本信息"},
};

// The Chinese caption's glyphs reach lower than the English ones: the
// connection buttons start a unit further down there.
constexpr ControlTemplate kChineseOverrides[] = {
    {1002, PushButton, 11, 11, 96, 16, kStyleNone, "connect device", "连接设备"},
    {1003, PushButton, 109, 11, 96, 16, kStyleNone, "disconnect device", "断开连接"},
};

constexpr const char* kPorts[] = {"com1", "com2", "com3", "com4", "com5",
                                  "com6", "com7", "com8", "com9"};
constexpr const char* kRates[] = {"4800", "9600", "19200", "38400", "115200"};
constexpr const char* kLanguagesEn[] = {"Simplified Chinese", "English"};
constexpr const char* kLanguagesZh[] = {"简体中文", "英语"};

constexpr ComboList kCombos[] = {
    {1293, kPorts, kPorts},
    {1294, kRates, kRates},
    {1248, kLanguagesEn, kLanguagesZh},
};

} // namespace

// The caption is replaced at start-up.
const DialogTemplate kMainDialog = {
    .id = 102,
    .child = false,
    .cxEn = 521,
    .cyEn = 312,
    .cxZh = 521,
    .cyZh = 319,
    .fontPoints = 9,
    .captionEn = "TXV418K Demo",
    .captionZh = "TXV418K Demo",
    .controls = kControls,
    .combos = kCombos,
    .chineseOverrides = kChineseOverrides,
};

} // namespace res
