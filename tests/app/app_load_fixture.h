#pragma once
// The loads that run after a connection, called on a device the test opens
// itself, as the connection code does before it starts the reading thread.

#include "platform/hid.h"
#include "reader/reader.h"
#include "sim/frames.h"
#include "tests/app/app_command_boxes.h"
#include "tests/app/app_connect_fixture.h"

#include <array>
#include <thread>

class AppLoad : public AppConnect {
protected:
    void TearDown() override {
        if (m_replier.joinable())
            m_replier.join();
        AppConnect::TearDown();
    }

    sim::StandInReader& OpenOverHid() {
        sim::StandInReader& reader = AddHidReader("reader");
        Open();
        m_dialog->m_hDevice = platform::OpenHidPath(reader.DevicePath());
        EXPECT_NE(m_dialog->m_hDevice, platform::kInvalidHandle);
        m_dialog->m_nTransportMode = TransportHid;
        return reader;
    }

    // In COM mode, as the port button leaves the pages; or, with
    // switchToCom false, a serial port opened while the program is in USB
    // mode, so the USB page stays enabled with its lists and only the
    // transport differs.
    sim::StandInReader& OpenOverCom(sim::Personality personality, bool switchToCom = true) {
        sim::StandInReader& reader = AddPtyReader(2, personality);
        Open();
        if (switchToCom)
            Click(IDC_RADIO_COM);
        m_recorder.messageBoxes.clear();
        m_dialog->m_hDevice = OpenComPortBaud(reader.SlavePath().c_str(), 9600);
        EXPECT_NE(m_dialog->m_hDevice, platform::kInvalidHandle);
        m_dialog->m_nTransportMode = TransportCom;
        return reader;
    }

    // The reader answers its next request with this reply frame (type,
    // status 'Y', data) instead of its own.
    void ReplyNextWith(sim::StandInReader& reader, uint8_t type, const sim::Bytes& data) {
        ReplyNextWithRaw(reader, sim::EncodeLenFrame(type, 'Y', data));
    }

    // The reader answers its next request with these bytes as they stand.
    void ReplyNextWithRaw(sim::StandInReader& reader, const sim::Bytes& bytes) {
        const size_t handled = reader.RequestCount();
        reader.SetFault({.kind = sim::FaultKind::Silent, .times = 1});
        m_replier = std::thread([&reader, handled, bytes] {
            if (reader.WaitForRequests(handled + 1, 5000))
                reader.SendRaw(bytes);
        });
    }

    std::array<uint8_t, 6> SwipePageSentinels() const {
        return m_dialog->m_pageHidTest.m_sentinels.chars;
    }

    // The parameter read of a connection, which runs before the reading
    // thread that an earlier page command left running.
    bool ReadParametersAsConnected() {
        m_dialog->StopReadThread();
        return m_dialog->m_pageUsb.ReadParameters();
    }

    bool ReadThreadRuns() const { return m_dialog->m_hReadThread != nullptr; }

    ui::Control Usb(int id) const { return m_dialog->m_pageUsb.Item(id); }
    ui::Control IButton(int id) const { return m_dialog->m_pageIBtn.Item(id); }
    ui::Control Rs(int id) const { return m_dialog->m_pageRs.Item(id); }

    void ClickUsb(int id) { ClickOn(m_dialog->m_pageUsb, id); }
    void ChooseUsb(int id, int index) { ChooseOn(m_dialog->m_pageUsb, id, index); }

    // The sentinels a reader starts with and restore-default brings back.
    static constexpr std::array<uint8_t, 6> kDefaultSentinels = {'%', '?', ';', '?', '+', '?'};

    std::thread m_replier;
};
