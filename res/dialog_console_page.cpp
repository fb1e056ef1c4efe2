// Command console page (template 131): hex bytes to send, and the log of what
// was sent and received.

#include "res/dialog_templates.h"

namespace res {
namespace {

using enum ControlKind;

constexpr ControlTemplate kControls[] = {
    // send data
    {1074, GroupBox, 6, 6, 567, 36, kStyleNone, "send data(hex: 0A 0B AA)",
     "发送数据(十六进制: 0A 0B AA)"},
    {1069, Edit, 14, 20, 480, 14, kUpperCase | kAutoHScroll | kBorder, "", ""},
    {1070, PushButton, 500, 19, 66, 16, kStyleNone, "send data", "发送命令"},
    // recv data
    {1075, GroupBox, 6, 46, 567, 215, kStyleNone, "recv data", "接收数据"},
    {1071, Edit, 14, 60, 480, 194, kMultiline | kVScroll | kBorder, "", ""},
    {1072, PushButton, 500, 60, 66, 16, kStyleNone, "save data", "保存数据"},
    {1073, PushButton, 500, 82, 66, 16, kStyleNone, "clear data", "清除数据"},
};

} // namespace

const DialogTemplate kConsolePage = {
    .id = 131,
    .child = true,
    .cxEn = 579,
    .cyEn = 267,
    .cxZh = 579,
    .cyZh = 267,
    .fontPoints = 8,
    .captionEn = "",
    .captionZh = "",
    .controls = kControls,
    .combos = {},
    .chineseOverrides = {},
};

} // namespace res
