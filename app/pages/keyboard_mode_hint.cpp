#include "app/pages/keyboard_mode_hint.h"

#include "app/decode/frame_dispatch.h"
#include "app/main_dialog.h"
#include "platform/ui/message_box.h"

namespace {

constexpr const char* kKeyboardModeHint =
    "USB键盘的模式下，需要手动定位的到最后一个标签页面进行数据的接收";

} // namespace

void ShowKeyboardModeHint(CDQ450DemoDlg& mainDialog, ui::Dialog& page) {
    ui::MessageBox(kKeyboardModeHint, "Info", ui::MessageIcon::Information, ui::MessageButtons::Ok,
                   &page);
    // Does nothing when the tab is missing or already in front.
    mainDialog.SelectTab(kCardSwipeTestTab);
}
