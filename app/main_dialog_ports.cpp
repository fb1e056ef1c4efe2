#include "app/main_dialog.h"
#include "platform/clock.h"
#include "platform/ui/message_box.h"
#include "platform/ui/strings.h"
#include "reader/reader.h"

#include <string>

namespace {

constexpr int kPortsProbed = 30;
constexpr uint32_t kProbePauseMs = 5;

} // namespace

void CDQ450DemoDlg::OnSearchPort() {
    m_cbPort.ResetContent();
    for (int i = 1; i <= kPortsProbed; ++i) {
        const std::string name = "com" + std::to_string(i);
        DeviceHandle h = OpenComPort(name.c_str());
        if (!IsNoDevice(h)) {
            platform::CloseDeviceHandle(h);
            m_cbPort.AddString(name);
        }
        platform::SleepMs(kProbePauseMs);
    }
    if (m_cbPort.GetCount() > 0)
        m_cbPort.SetCurSel(0);
    else
        ui::MessageBox(ui::LoadString(135), "Error", ui::MessageIcon::Error, ui::MessageButtons::Ok,
                       this);
}
