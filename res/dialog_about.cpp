// About box (template 100): icon, version lines, notice, and the web link.

#include "res/dialog_templates.h"

namespace res {
namespace {

using enum ControlKind;

constexpr const char* kNotice = "Free software by the txv418k-demo developers";
constexpr const char* kWebAddress = "https://www.example.com/txv418k";
// The closing double quote belongs to the text.
constexpr const char* kProgramVersion = "TXV-V3.01(20210729)\"";

constexpr ControlTemplate kControls[] = {
    {-1, Icon, 12, 12, 21, 20, kStyleNone, "", ""},
    {-1, Static, 44, 10, 190, 8, kStyleNone, "TXV418K-V2.03(20191001)", "TXV418K-V2.03(20191001)"},
    {-1, Static, 44, 22, 190, 8, kStyleNone, kNotice, kNotice},
    {1305, HyperLink, 44, 34, 190, 8, kStyleNone, kWebAddress, kWebAddress},
    {-1, Static, 44, 46, 190, 8, kStyleNone, kProgramVersion, kProgramVersion},
    {1, DefPushButton, 184, 64, 50, 14, kStyleNone, "ok", "确定"},
};

} // namespace

const DialogTemplate kAboutDialog = {
    .id = 100,
    .child = false,
    .cxEn = 244,
    .cyEn = 86,
    .cxZh = 244,
    .cyZh = 86,
    .fontPoints = 8,
    .captionEn = "About TXV418K Demo",
    .captionZh = "关于 TXV418K Demo",
    .controls = kControls,
    .combos = {},
    .chineseOverrides = {},
};

} // namespace res
