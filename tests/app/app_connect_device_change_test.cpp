// Arrival and removal of USB devices: readers connect and disconnect by
// themselves, and every removal empties the status line.

#include "app/device_change_queue.h"
#include "tests/app/app_connect_fixture.h"

#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace {

class AppDeviceChange : public AppConnect {
protected:
    // The window with COM chosen and a length-prefixed reader listed as com3.
    sim::StandInReader& OpenWithComChosen() {
        sim::StandInReader& reader = AddPtyReader(3, sim::Personality::LengthPrefixed);
        Open();
        Click(IDC_RADIO_COM);
        EXPECT_EQ(m_dialog->m_cbPort.GetItemText(m_dialog->m_cbPort.GetCurSel()), "com3");
        return reader;
    }

    // Until the monitor's report of an event waits for its turn.
    void WaitForAnEvent() {
        ASSERT_TRUE(WaitFor([this] { return m_dialog->DeviceChangesPending(); }));
    }
    void WaitUntilEventsHandled() {
        ASSERT_TRUE(WaitFor([this] { return !m_dialog->DeviceChangesPending(); }));
    }
};

std::string InterfaceName(const std::string& ids) {
    return "\\\\?\\USB#" + ids + "#SN1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
}

TEST_F(AppDeviceChange, ReaderOnTheBusConnectsByItselfAndItsRemovalDisconnects) {
    Open();
    sim::StandInReader& reader = AddHidReader("reader");
    ASSERT_TRUE(WaitFor([this] { return m_dialog->Caption() == String(112); }));
    EXPECT_EQ(Status(), String(112));
    EXPECT_EQ(m_dialog->m_nTransportMode, TransportHid);
    EXPECT_TRUE(SwipeReachesTheTestPage(reader));

    reader.Stop();
    ASSERT_TRUE(WaitFor([this] { return m_dialog->m_hDevice == platform::kInvalidHandle; }));
    EXPECT_TRUE(WaitFor([this] { return Status().empty(); }));
    EXPECT_EQ(m_dialog->Caption(), String(111));
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

// A reader plugged in while the removal of another is being handled is
// connected after that removal, not in the middle of it.
TEST_F(AppDeviceChange, ArrivalDuringARemovalWaitsForIt) {
    sim::StandInReader& first = AddHidReader("first");
    Open();
    Click(CDQ450DemoDlg::IDC_CONNECT);
    ASSERT_EQ(m_dialog->Caption(), String(112));

    const DeviceHandle firstHandle = m_dialog->m_hDevice;
    sim::StandInReader second;
    sim::VirtualHidOptions options;
    options.name = "second";
    first.Stop();
    // Well inside the removal's 300 ms wait.
    std::thread plug([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        second.StartOnVirtualHid(options);
    });
    const bool reconnected = WaitFor([&] {
        return !IsNoDevice(m_dialog->m_hDevice) && m_dialog->m_hDevice != firstHandle &&
               Status() == String(112);
    });
    plug.join();
    EXPECT_TRUE(reconnected);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_TRUE(SwipeReachesTheTestPage(second));
    // Before the second reader goes, so that its removal meets no dialog.
    m_dialog->DestroyWindow();
}

// Events handed in as the monitor hands them: which connect, which
// disconnect, and what becomes of the status line.
TEST_F(AppDeviceChange, OnlyTheReadersIdsInUpperCaseConnect) {
    AddHidReader("reader");
    Open();
    struct Case {
        int type;
        std::string name;
        bool connects;
    };
    const Case cases[] = {
        {CDQ450DemoDlg::kDeviceArrival, InterfaceName("vid_0483&pid_572b"), false},
        {CDQ450DemoDlg::kDeviceArrival, InterfaceName("VID_1234&PID_572B"), false},
        {0x8001, InterfaceName("VID_0483&PID_572B"), false},
        {CDQ450DemoDlg::kDeviceArrival, "", false},
        {CDQ450DemoDlg::kDeviceArrival, InterfaceName("VID_0483&PID_572B"), true},
    };
    for (const Case& c : cases) {
        m_dialog->Item(IDC_STATUS).SetText("before");
        EXPECT_TRUE(m_dialog->OnDeviceChange(c.type, c.name));
        // The connect waits on a timer, not in the call.
        EXPECT_TRUE(IsNoDevice(m_dialog->m_hDevice)) << c.name;
        ASSERT_TRUE(WaitFor([this] { return !m_dialog->DeviceChangesPending(); }));
        EXPECT_EQ(!IsNoDevice(m_dialog->m_hDevice), c.connects) << c.name;
        EXPECT_EQ(Status(), c.connects ? String(112) : "before") << c.name;
    }
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

// A removal names ids, not a device: while the open reader is there, no
// removal closes it, whatever the ids; once it is gone, the removal of
// either reader kind does. Every removal empties the status line.
TEST_F(AppDeviceChange, EveryRemovalEmptiesTheStatusLine) {
    sim::StandInReader& reader = AddHidReader("reader");
    Open();
    Click(CDQ450DemoDlg::IDC_CONNECT);
    ASSERT_EQ(m_dialog->m_nTransportMode, TransportHid);
    const DeviceHandle open = m_dialog->m_hDevice;
    struct Case {
        std::string name;
        bool unplugTheReader;
        bool connectedAfter;
    };
    const Case cases[] = {
        {InterfaceName("VID_1234&PID_5678"), false, true}, // another device
        {InterfaceName("VID_0483&PID_572B"), false, true}, // another reader of its kind
        {InterfaceName("VID_5131&PID_2007"), false, true},
        {InterfaceName("VID_5131&PID_2007"), true, false},
        {InterfaceName("VID_0483&PID_572B"), false, false}, // nothing open any more
    };
    for (const Case& c : cases) {
        m_dialog->Item(IDC_STATUS).SetText("before");
        m_dialog->OnDeviceChange(CDQ450DemoDlg::kDeviceRemoveComplete, c.name);
        // Gone within the event's wait; the removal the monitor reports for
        // it comes after the one handed in here.
        if (c.unplugTheReader)
            reader.Stop();
        ASSERT_TRUE(WaitFor([this] { return !m_dialog->DeviceChangesPending(); }));
        EXPECT_EQ(m_dialog->m_hDevice, c.connectedAfter ? open : platform::kInvalidHandle)
            << c.name;
        EXPECT_EQ(Status(), "") << c.name;
    }
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    // An event that names no interface is no device's.
    m_dialog->Item(IDC_STATUS).SetText("before");
    m_dialog->OnDeviceChange(CDQ450DemoDlg::kDeviceRemoveComplete, "");
    EXPECT_FALSE(m_dialog->DeviceChangesPending());
    EXPECT_EQ(Status(), "before");
}

// Two readers of the same kind, a and b: b is chosen in the list. A
// removal of a leaves b open; only b's own removal closes it.
class AppTwoReaders : public AppDeviceChange {
protected:
    void SetUp() override {
        AppDeviceChange::SetUp();
        m_a = &AddHidReader("a");
        m_b = &AddHidReader("b");
        Open();
    }

    // With the list up, does whileListed first.
    DeviceHandle OpenBInTheList(std::function<void()> whileListed = {}) {
        std::vector<std::string> listed;
        PickInModalList(1, &listed, std::move(whileListed));
        Click(CDQ450DemoDlg::IDC_CONNECT);
        EXPECT_EQ(listed.size(), 2u);
        return m_dialog->m_hDevice;
    }

    void Unplug(sim::StandInReader& reader) {
        reader.Stop();
        WaitForAnEvent();
    }

    void ExpectStillConnected(DeviceHandle open) {
        WaitUntilEventsHandled();
        EXPECT_EQ(m_dialog->m_hDevice, open);
        EXPECT_EQ(m_dialog->Caption(), String(112));
        EXPECT_EQ(Status(), "");
        EXPECT_TRUE(SwipeReachesTheTestPage(*m_b));
    }

    sim::StandInReader* m_a = nullptr;
    sim::StandInReader* m_b = nullptr;
};

// The removal is held back while the list runs, and comes after b is open.
TEST_F(AppTwoReaders, RemovalWhileTheListIsUpLeavesTheReaderItOpens) {
    const DeviceHandle open = OpenBInTheList([this] { Unplug(*m_a); });
    ASSERT_FALSE(IsNoDevice(open));
    ExpectStillConnected(open);
}

TEST_F(AppTwoReaders, IdleReadersRemovalLeavesTheOpenOneAndItsOwnClosesIt) {
    const DeviceHandle open = OpenBInTheList();
    ASSERT_FALSE(IsNoDevice(open));
    Unplug(*m_a);
    ExpectStillConnected(open);

    Unplug(*m_b);
    // The disconnect waits its 300 ms after the event.
    EXPECT_EQ(m_dialog->m_hDevice, open);
    WaitUntilEventsHandled();
    EXPECT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle);
    EXPECT_FALSE(platform::CloseDeviceHandle(open));
    EXPECT_EQ(m_dialog->Caption(), String(111));
    EXPECT_EQ(Status(), "");
    EXPECT_TRUE(m_dialog->Item(IDC_RADIO_USB).IsEnabled());
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

// A reader plugged in while COM is chosen stays closed: the COM controls go
// on working, and the operator connects it by choosing USB.
TEST_F(AppDeviceChange, ArrivalWhileComIsChosenOpensNothing) {
    sim::StandInReader& port = OpenWithComChosen();
    sim::StandInReader& usb = AddHidReader("reader");
    WaitForAnEvent();
    WaitUntilEventsHandled();
    EXPECT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle);
    EXPECT_EQ(m_dialog->m_nTransportMode, TransportClosed);
    EXPECT_EQ(Text(CDQ450DemoDlg::IDC_OPEN_PORT), String(133));
    EXPECT_TRUE(m_dialog->Item(IDC_RADIO_USB).IsEnabled());
    EXPECT_TRUE(m_recorder.messageBoxes.empty());

    Click(CDQ450DemoDlg::IDC_OPEN_PORT);
    EXPECT_EQ(m_dialog->m_nTransportMode, TransportCom);
    EXPECT_EQ(Text(CDQ450DemoDlg::IDC_OPEN_PORT), String(134));
    EXPECT_TRUE(SwipeReachesTheTestPage(port));
    Click(CDQ450DemoDlg::IDC_OPEN_PORT);
    ASSERT_EQ(m_dialog->m_hDevice, platform::kInvalidHandle);

    Click(IDC_RADIO_USB);
    Click(CDQ450DemoDlg::IDC_CONNECT);
    EXPECT_EQ(m_dialog->m_nTransportMode, TransportHid);
    EXPECT_EQ(m_dialog->Caption(), String(112));
    EXPECT_TRUE(SwipeReachesTheTestPage(usb));
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

// A USB removal acts on a USB connection only: an open COM port, its
// reading thread and its buttons stay; the status line is still emptied.
TEST_F(AppDeviceChange, RemovalLeavesAnOpenComPortOpen) {
    sim::StandInReader& reader = OpenWithComChosen();
    Click(CDQ450DemoDlg::IDC_OPEN_PORT);
    ASSERT_EQ(m_dialog->m_nTransportMode, TransportCom);
    const DeviceHandle open = m_dialog->m_hDevice;

    m_dialog->Item(IDC_STATUS).SetText("before");
    m_dialog->OnDeviceChange(CDQ450DemoDlg::kDeviceRemoveComplete,
                             InterfaceName("VID_0483&PID_572B"));
    ASSERT_TRUE(WaitFor([this] { return !m_dialog->DeviceChangesPending(); }));
    EXPECT_EQ(m_dialog->m_hDevice, open);
    EXPECT_TRUE(m_dialog->m_bReadRun);
    EXPECT_NE(m_dialog->m_hReadThread, nullptr);
    EXPECT_EQ(Text(CDQ450DemoDlg::IDC_OPEN_PORT), String(134));
    EXPECT_FALSE(m_dialog->Item(IDC_SEARCH_PORT).IsEnabled());
    EXPECT_EQ(Status(), "");
    EXPECT_TRUE(SwipeReachesTheTestPage(reader));
}

// A cable that bounces fifty times in five seconds: the window's timers keep
// running all the while, and it ends connected to the reader that stayed. A
// 300 ms wait per event on the UI thread shows as one long freeze or as a
// gap for every event; a loaded machine may stall the test once or twice.
TEST_F(AppDeviceChange, BouncingCableLeavesTheWindowLiveAndEndsConnected) {
    sim::StandInReader& reader = AddHidReader("reader");
    Open();
    Click(CDQ450DemoDlg::IDC_CONNECT);
    ASSERT_EQ(Status(), String(112));
    const DeviceHandle before = m_dialog->m_hDevice;

    using Clock = std::chrono::steady_clock;
    Clock::time_point lastTick = Clock::now();
    Clock::duration longestGap{};
    int longGaps = 0;
    const auto noteGap = [&](Clock::duration gap) {
        longestGap = std::max(longestGap, gap);
        longGaps += gap >= std::chrono::milliseconds(250);
    };
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        noteGap(now - lastTick);
        lastTick = now;
    });
    ticker.start(20);

    std::atomic<bool> bouncing{true};
    Clock::time_point lastPlug;
    std::thread cable([&] {
        for (int cycle = 0; cycle < 50; ++cycle) {
            reader.Stop();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            reader.StartOnVirtualHid({});
            lastPlug = Clock::now();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        bouncing = false;
    });
    const bool bounced = WaitFor([&] { return !bouncing; }, 120000);
    // A window stuck since its last tick counts too.
    noteGap(Clock::now() - lastTick);
    cable.join();
    ticker.stop();
    ASSERT_TRUE(bounced);
    EXPECT_LT(longestGap, std::chrono::seconds(1));
    EXPECT_LE(longGaps, 2);

    const Clock::time_point deadline = lastPlug + std::chrono::seconds(2);
    const auto msLeft =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    const bool connected = WaitFor(
        [&] {
            return !IsNoDevice(m_dialog->m_hDevice) && m_dialog->m_hDevice != before &&
                   Status() == String(112);
        },
        int(std::max<long long>(0, msLeft.count())));
    EXPECT_TRUE(connected && Clock::now() <= deadline);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_TRUE(SwipeReachesTheTestPage(reader));
}

// Which waiting steps a later event of the same device replaces.
TEST(DeviceChangeQueue, ALaterEventOfTheDeviceSupersedesWhatStillWaits) {
    const std::string reader = InterfaceName("VID_0483&PID_572B");
    const std::string other = InterfaceName("VID_1234&PID_5678");
    using K = DeviceStepKind;
    struct Event {
        bool arrival;
        std::string name;
    };
    struct Case {
        std::vector<Event> events;
        std::vector<K> steps;
    };
    const Case cases[] = {
        {{{true, reader}, {false, reader}}, {K::Disconnect, K::ClearStatus}},
        {{{true, reader}, {true, reader}}, {K::Connect}},
        {{{false, reader}, {false, reader}}, {K::Disconnect, K::ClearStatus}},
        // The connection to the reader that went must close before the new one opens.
        {{{false, reader}, {true, reader}}, {K::Disconnect, K::ClearStatus, K::Connect}},
        {{{false, reader}, {true, reader}, {false, reader}}, {K::Disconnect, K::ClearStatus}},
        {{{true, reader}, {false, other}}, {K::Connect, K::ClearStatus}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        DeviceChangeQueue queue;
        for (const Event& e : cases[i].events)
            queue.Add(e.arrival, e.name);
        std::vector<K> steps;
        while (!queue.Empty())
            steps.push_back(queue.TakeFirst().kind);
        EXPECT_EQ(steps, cases[i].steps) << "case " << i;
    }
}

} // namespace
