#pragma once
// Small dialog templates of the tests' own, one of each control kind, so the
// dialog layer is tested without the program's real templates.

#include "platform/ui/ui_types.h"
#include "res/resource.h"

namespace uitest {

enum : int {
    kButton = 100,
    kCheck = 101,
    kRadioA = 102,
    kRadioB = 103,
    kHexEdit = 104, // upper-case, 4 characters
    kTextBox = 105, // multi-line
    kList = 106,    // drop-down list combo
    kPortBox = 107, // editable drop-down combo
    kSorted = 108,  // sorted drop-down list combo
    kDevices = 109, // list box
    kTabs = 110,    // tab control
    kStatus = 111,  // sunken centred static
    kPageButton = 201,
};

using enum res::ControlKind;

inline constexpr res::ControlTemplate kMainControls[] = {
    {ui::kIdOk, DefPushButton, 10, 10, 50, 14, res::kStyleNone, "OK", "确定"},
    {ui::kIdCancel, PushButton, 64, 10, 50, 14, res::kStyleNone, "Cancel", "取消"},
    {kButton, PushButton, 118, 10, 60, 14, res::kStyleNone, "set speed", "设置速度"},
    {kCheck, CheckBox, 10, 30, 60, 10, res::kStyleNone, "buzzer", "蜂鸣器"},
    {kRadioA, RadioButton, 80, 30, 30, 10, res::kStyleNone, "COM", "COM"},
    {kRadioB, RadioButton, 112, 30, 30, 10, res::kStyleNone, "USB", "USB"},
    {kHexEdit, Edit, 10, 46, 60, 12, res::kUpperCase | res::kBorder, "", "", 4},
    {kTextBox, Edit, 80, 46, 120, 30, res::kMultiline | res::kVScroll | res::kBorder, "", ""},
    {kList, ComboDropList, 10, 80, 60, 60, res::kStyleNone, "", ""},
    {kPortBox, ComboDropDown, 80, 80, 60, 60, res::kStyleNone, "", ""},
    {kSorted, ComboDropList, 150, 80, 60, 60, res::kSort, "", ""},
    {kDevices, ListBox, 220, 10, 80, 60, res::kVScroll, "", ""},
    {kTabs, Tab, 10, 100, 290, 100, res::kStyleNone, "", ""},
    {kStatus, Static, 10, 204, 200, 12, res::kSunken | res::kCentre, "no device", "设备尚未连接"},
    {-1, Static, 220, 204, 60, 8, res::kStyleNone, "version", "版本信息"},
};

inline constexpr const char* kListItems[] = {"zero", "one", "two"};
inline constexpr const char* kListItemsZh[] = {"零", "一", "二"};
inline constexpr const char* kPorts[] = {"com1", "com2"};

inline constexpr res::ComboList kMainCombos[] = {
    {kList, kListItems, kListItemsZh},
    {kPortBox, kPorts, kPorts},
};

inline constexpr res::ControlTemplate kMainChinese[] = {
    {kButton, PushButton, 118, 10, 70, 14, res::kStyleNone, "set speed", "设置速度"},
};

inline constexpr res::DialogTemplate kMainTemplate = {
    .id = 9001,
    .child = false,
    .cxEn = 310,
    .cyEn = 220,
    .cxZh = 310,
    .cyZh = 230,
    .fontPoints = 9,
    .captionEn = "Test dialog",
    .captionZh = "测试对话框",
    .controls = kMainControls,
    .combos = kMainCombos,
    .chineseOverrides = kMainChinese,
};

inline constexpr res::ControlTemplate kPageControls[] = {
    {kPageButton, PushButton, 5, 5, 60, 14, res::kStyleNone, "read", "读取"},
};

inline constexpr res::DialogTemplate kPageTemplate = {
    .id = 9002,
    .child = true,
    .cxEn = 200,
    .cyEn = 60,
    .cxZh = 200,
    .cyZh = 60,
    .fontPoints = 8,
    .captionEn = "",
    .captionZh = "",
    .controls = kPageControls,
    .combos = {},
    .chineseOverrides = {},
};

} // namespace uitest
