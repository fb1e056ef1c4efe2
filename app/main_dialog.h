#pragma once
// The program's only window: the connection state, the device table, the
// five tab pages and the three labels that every part writes (status line,
// version, device id).

#include "app/controls/label.h"
#include "app/device_change_queue.h"
#include "app/device_table.h"
#include "app/pages/console_page.h"
#include "app/pages/hid_test_page.h"
#include "app/pages/ibutton_page.h"
#include "app/pages/rs_page.h"
#include "app/pages/usb_page.h"
#include "platform/device_monitor.h"
#include "platform/ui/dialog.h"
#include "platform/ui/timer.h"
#include "reader/types.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

inline constexpr int kMainDialogTemplateId = 102;

// Controls of the main dialog that other parts reach by id.
inline constexpr int IDC_STATUS = 1050;
inline constexpr int IDC_VERSION = 1052;
inline constexpr int IDC_HARDWARE_ID = 1204;
inline constexpr int IDC_TAB_PAGES = 1053;
inline constexpr int IDC_LANGUAGE = 1248;
inline constexpr int IDC_PORT = 1293;
inline constexpr int IDC_BAUD = 1294;
inline constexpr int IDC_RADIO_COM = 1291;
inline constexpr int IDC_RADIO_USB = 1292;
inline constexpr int IDC_SEARCH_PORT = 1295;

inline constexpr int kTabCount = 5;

class ReadThread;

class CDQ450DemoDlg : public ui::Dialog {
public:
    CDQ450DemoDlg();
    ~CDQ450DemoDlg() override;

    // Shows the page of tab index and selects the tab; nothing for an index
    // out of range or the current tab.
    void SelectTab(int index);
    // Enables the USB page and its command controls and disables the RS232
    // page and its controls, or the reverse.
    void EnableModeControls(bool usb);
    // The page shown under tab index; null out of range.
    ui::Dialog* PageOfTab(int index);

    void InitTabPages();
    void InitDeviceTable();
    void OnSelChangeTab();
    void OnRadioCom();
    void OnRadioUsb();
    void OnSearchPort();
    void OnSelChangeLanguage();

    CLabel m_lblStatus;
    CLabel m_lblHardwareId;
    CLabel m_lblVersion;
    DeviceHandle m_hDevice = platform::kInvalidHandle;
    int m_nTransportMode = TransportClosed;
    ui::Control m_cbLanguage;
    ui::Control m_cbPort;
    ui::Control m_cbBaud;
    // Which of the two status-line colours the next paint uses.
    int m_bStatusColorToggle = 1;
    std::vector<DeviceTableEntry> m_deviceTable;
    ui::Control m_tabPages;
    CComDlg m_pageUsb;
    CDebugDlg m_pageDebug;
    CIBtnDlg m_pageIBtn;
    CHidTestDlg m_pageHidTest;
    CRsDlg m_pageRs;

    // --- Reading thread and card-data display (read thread, decoders) ---
    // Starts the reading thread on the open device; false with no device open,
    // while a thread runs, or when it cannot be started.
    bool StartReadThread();
    // Stops the reading thread (waiting at most 6000 ms for it), then runs the
    // frames it has already handed over. Nothing when no thread runs.
    void StopReadThread();
    // A page command's stop: StopReadThread, or when no thread runs (the
    // console leaves it stopped) a read of what the reader already sent, as
    // a stop takes it, so that the command's reply is its own.
    void StopReadThreadForCommand();
    // The decoders of the frames the reader sends by itself: the frame from
    // its first byte and its byte count. UI thread.
    void ShowAllTracksResult(const uint8_t* frame, int count);
    void ShowTrack1Result(const uint8_t* frame, int count);
    void ShowTrack2Result(const uint8_t* frame, int count);
    void ShowTrack3Result(const uint8_t* frame, int count);
    void ShowIButtonData(const uint8_t* frame, int count);
    void ShowIButtonDetached(const uint8_t* frame, int count);
    // The sentinels both track text parsers use, shown on the card-swipe
    // test page.
    void SetTrackSentinels(uint8_t t1Start, uint8_t t1End, uint8_t t2Start, uint8_t t2End,
                           uint8_t t3Start, uint8_t t3End);
    void SetTrackSentinels(std::span<const uint8_t, 6> sentinels);
    // What the reading thread hands over, on the UI thread: an accepted
    // frame that came over transport, or card text (Latin-1 bytes).
    void DispatchReaderFrame(const std::vector<uint8_t>& frame, int transport);
    void HandOverCardText(const std::string& text);
    // Binds the hex entry rule to the hex edits of the pages.
    void BindHexEntryEdits();
    // Set while the reading thread is meant to run; it tests it every pass.
    std::atomic<bool> m_bReadRun{false};
    // The reading thread; null when there is none. Kept after a stop whose
    // wait ran out, until the thread has ended.
    std::unique_ptr<ReadThread> m_hReadThread;
    // --- end of reading thread ---

    // --- Connection: USB connect and disconnect, arrival and removal, COM port ---
    static constexpr int IDC_CONNECT = 1002;
    static constexpr int IDC_DISCONNECT = 1003;
    static constexpr int IDC_OPEN_PORT = 1296;
    static constexpr int kDeviceArrival = 0x8000;
    static constexpr int kDeviceRemoveComplete = 0x8004;

    void OnConnect();
    void OnDisconnect();
    // Opens the chosen port and finds out which reader answers on it, or
    // closes the open port.
    void OnOpenPort();
    // An arrival or removal of the USB device with this interface name,
    // handled on a timer after the event (see DeviceChangeQueue). An event
    // without a name concerns no device interface and is ignored.
    bool OnDeviceChange(int eventType, const std::string& interfaceName);
    // True while an event's handling still waits for its turn.
    bool DeviceChangesPending() const;
    // What a connection made by the HID list still lacks before its reading
    // thread starts: the version label and the pages, loaded from the reader
    // it opened. The status line keeps what the list put there.
    void LoadReaderOpenedByList();

    // While a connection handler runs, device events wait and run after it:
    // none runs inside another's thread stop or modal list.
    class ConnectionBusy {
    public:
        explicit ConnectionBusy(CDQ450DemoDlg& dialog);
        ~ConnectionBusy();
        ConnectionBusy(const ConnectionBusy&) = delete;
        ConnectionBusy& operator=(const ConnectionBusy&) = delete;

    private:
        CDQ450DemoDlg& m_dialog;
    };

private:
    enum class WalkStep { NextRow, EndWalk };
    WalkStep ConnectSingleInterface(const std::string& path);
    // The USB page and the iButton page from the reader just opened.
    void LoadReaderPages();
    void ShowConnected();
    void ShowDisconnected();
    // The port button's caption and the controls that an open port locks.
    void ShowPortOpen(bool open);
    void StartDeviceMonitor();
    // Runs the waiting steps that are due, unless a connection handler runs,
    // and sets the timer for the next one.
    void RunDueDeviceSteps();
    void RunDeviceStep(const DeviceStep& step);

    std::unique_ptr<platform::DeviceMonitor> m_deviceMonitor;
    DeviceChangeQueue m_deviceChanges; // UI thread only
    ui::Timer m_deviceStepTimer;
    int m_connectionBusy = 0;

public:
    // --- end of connection ---

protected:
    bool OnInitDialog() override;
    void OnDestroy() override;
    // Escape does nothing here, so a stray key cannot end the connection and
    // the logs: the program's only window ends by its close box alone.
    void OnCancel() override {}
    void OnClose() override;

private:
    void OnCtlColorStatus();
    void ShowAboutBox();
    void HideAllPages();

    // Lets a posted close tell that the dialog is gone.
    std::shared_ptr<int> m_lifeToken = std::make_shared<int>(0);
};
