// Arrival and removal of USB devices: the monitor's events wait on a timer,
// never in a sleep, so the window stays live while a cable bounces.

#include "app/command_bracket.h"
#include "app/main_dialog.h"
#include "platform/hid.h"
#include "platform/ui/ui_thread.h"

#include <algorithm>
#include <climits>

CDQ450DemoDlg::ConnectionBusy::ConnectionBusy(CDQ450DemoDlg& dialog) : m_dialog(dialog) {
    ++m_dialog.m_connectionBusy;
}

CDQ450DemoDlg::ConnectionBusy::~ConnectionBusy() {
    if (--m_dialog.m_connectionBusy == 0)
        m_dialog.RunDueDeviceSteps();
}

void CDQ450DemoDlg::StartDeviceMonitor() {
    std::weak_ptr<int> alive = m_lifeToken;
    m_deviceMonitor =
        std::make_unique<platform::DeviceMonitor>([this, alive](const platform::DeviceEvent& e) {
            // Events still on their way when the monitor is stopped are dropped.
            ui::PostToUiThread([this, alive, e] {
                if (!alive.expired() && m_deviceMonitor)
                    OnDeviceChange(int(e.type), e.interfaceName);
            });
        });
    // Without either source the program connects by button only.
    m_deviceMonitor->Start();
}

bool CDQ450DemoDlg::OnDeviceChange(int eventType, const std::string& interfaceName) {
    if ((eventType != kDeviceArrival && eventType != kDeviceRemoveComplete) ||
        interfaceName.empty())
        return true;
    m_deviceChanges.Add(eventType == kDeviceArrival, interfaceName);
    RunDueDeviceSteps();
    return true;
}

bool CDQ450DemoDlg::DeviceChangesPending() const {
    return !m_deviceChanges.Empty();
}

void CDQ450DemoDlg::RunDueDeviceSteps() {
    // One connection handler at a time: the one running calls back here
    // when it ends.
    if (m_connectionBusy)
        return;
    // Counted by hand: the handlers' own ends must not run the next step
    // from inside this loop.
    ++m_connectionBusy;
    while (!m_deviceChanges.Empty() && m_deviceChanges.MsUntilFirstDue() == 0)
        RunDeviceStep(m_deviceChanges.TakeFirst());
    --m_connectionBusy;
    if (m_deviceChanges.Empty()) {
        m_deviceStepTimer.Stop();
        return;
    }
    const uint32_t waitMs = std::min<uint32_t>(m_deviceChanges.MsUntilFirstDue(), INT_MAX);
    m_deviceStepTimer.Start(int(waitMs), [this] { RunDueDeviceSteps(); });
}

void CDQ450DemoDlg::RunDeviceStep(const DeviceStep& step) {
    switch (step.kind) {
    case DeviceStepKind::Connect:
        // Behind the COM controls a USB connection could be neither seen
        // nor closed: the operator who wants it chooses USB first.
        if (Item(IDC_RADIO_USB).GetCheck() != 0)
            OnConnect();
        break;
    case DeviceStepKind::Disconnect:
        // The event names ids, not a device: another reader of the same kind
        // may have gone. Only a USB connection whose own reader went is
        // closed; an open COM port stays.
        if (m_nTransportMode == TransportHid && !platform::HidInterfacePresent(m_hDevice))
            OnDisconnect();
        break;
    case DeviceStepKind::ClearStatus:
        SetStatusText(*this, "");
        break;
    }
}
