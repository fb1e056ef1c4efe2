// HID device list dialog (template 143): the ids to look for, the matching
// interface paths, and the buttons to list again and to open one.

#include "res/dialog_templates.h"

namespace res {
namespace {

using enum ControlKind;

constexpr uint32_t kIdEdit = kUpperCase | kCentre | kAutoHScroll | kBorder;

constexpr ControlTemplate kControls[] = {
    {1197, Edit, 66, 10, 36, 12, kIdEdit, "", "", 4},
    {1198, Edit, 170, 10, 36, 12, kIdEdit, "", "", 4},
    {1199, ListBox, 8, 28, 314, 112, kVScroll | kBorder, "", ""},
    {1200, PushButton, 8, 148, 90, 16, kStyleNone, "detect device", "重新扫描"},
    {1201, PushButton, 232, 148, 90, 16, kStyleNone, "open selected device", "打开选中设备"},
    {1202, CheckBox, 220, 11, 100, 10, kStyleNone, "allow modification", "允许修改"},
    {-1, Static, 8, 12, 56, 8, kStyleNone, "ProductId(HEX)", "ProductId(HEX)"},
    {-1, Static, 112, 12, 56, 8, kStyleNone, "VendorId(HEX)", "VendorId(HEX)"},
};

} // namespace

const DialogTemplate kHidListDialog = {
    .id = 143,
    .child = false,
    .cxEn = 330,
    .cyEn = 172,
    .cxZh = 330,
    .cyZh = 172,
    .fontPoints = 8,
    .captionEn = "device detect",
    .captionZh = "设备操作",
    .controls = kControls,
    .combos = {},
    .chineseOverrides = {},
};

} // namespace res
