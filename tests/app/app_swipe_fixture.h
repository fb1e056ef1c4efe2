#pragma once
// The main dialog with the stand-in reader attached the way the connection
// code attaches one: the test opens the device itself (a pty through
// OpenComPortBaud, a virtual HID interface through the platform open) and
// puts the handle and the transport mode into the dialog.

#include "app/main_dialog.h"
#include "app/read_thread.h"
#include "platform/hid.h"
#include "platform/ui/qt_access.h"
#include "platform/ui/ui_thread.h"
#include "reader/reader.h"
#include "sim/stand_in_reader.h"
#include "tests/app/app_test_support.h"

#include <QTest>
#include <QWidget>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

class SwipeDialogTest : public AppTestEnv {
protected:
    void SetUp() override {
        AppTestEnv::SetUp();
        m_dialog = std::make_unique<CDQ450DemoDlg>();
        ASSERT_TRUE(m_dialog->CreateModeless());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ui::WindowOf(*m_dialog)));
    }

    void TearDown() override {
        if (m_dialog)
            m_dialog->DestroyWindow();
        m_dialog.reset();
        m_reader.Stop();
        AppTestEnv::TearDown();
    }

    // Starts the stand-in reader on transport and attaches it to the dialog;
    // a pty may pace its bytes at paceBaud.
    void Attach(int transport, int paceBaud = 0) {
        if (transport == TransportHid) {
            ASSERT_TRUE(m_reader.StartOnVirtualHid({.folder = OpenVhidBus()}));
            m_dialog->m_hDevice = platform::OpenHidPath(m_reader.DevicePath());
        } else {
            ASSERT_TRUE(m_reader.StartOnPty({.paceBaud = paceBaud}));
            m_dialog->m_hDevice = OpenComPortBaud(m_reader.SlavePath().c_str(), 9600);
        }
        ASSERT_FALSE(IsNoDevice(m_dialog->m_hDevice));
        m_dialog->m_nTransportMode = transport;
    }

    // The test's own virtual HID bus, switched on; its folder.
    std::string OpenVhidBus() {
        const std::string bus = m_folder + "/vhid";
        std::filesystem::create_directory(bus);
        m_vhidEnv.Set(bus.c_str());
        return bus;
    }

    void AttachAndRead(int transport) {
        Attach(transport);
        ASSERT_TRUE(m_dialog->StartReadThread());
    }

    int Taken() const { return m_dialog->m_hReadThread ? m_dialog->m_hReadThread->Taken() : -1; }

    // Waits until the reading thread has taken count frames or bursts in
    // all, without running the UI thread's events: what it handed over is
    // still waiting there.
    [[nodiscard]] bool WaitTaken(int count) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        while (Taken() < count) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

    // Sends bytes as the reader would and shows what the thread made of them.
    void SendAndShow(const sim::Bytes& bytes) {
        const int before = Taken();
        ASSERT_TRUE(m_reader.SendRaw(bytes));
        ASSERT_TRUE(WaitTaken(before + 1));
        ui::RunPostedNow();
    }

    CHidTestDlg& Page() { return m_dialog->m_pageHidTest; }
    std::string PageText(int id) { return Page().Item(id).Text(); }
    std::string Status() { return m_dialog->Item(IDC_STATUS).Text(); }
    int CurrentTab() { return m_dialog->m_tabPages.GetCurSel(); }

    void Click(const ui::Dialog& dialog, int id) {
        QWidget* widget = ui::WidgetOf(dialog.Item(id));
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton);
    }

    std::unique_ptr<CDQ450DemoDlg> m_dialog;
    sim::StandInReader m_reader;
    test_support::ScopedEnv m_vhidEnv{"TXV_VHID_DIR"};
};
