#pragma once
// The main dialog with stand-in readers within reach: a private virtual HID
// bus folder, and a private ports folder in which every comN leads nowhere
// unless a test links it to a stand-in's pseudo-terminal.

#include "app/main_dialog.h"
#include "platform/ui/qt_access.h"
#include "platform/ui/strings.h"
#include "sim/stand_in_reader.h"
#include "tests/app/app_test_support.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class AppConnect : public AppTestEnv {
protected:
    void SetUp() override {
        AppTestEnv::SetUp();
        m_vhid = m_folder + "/vhid";
        m_ports = m_folder + "/ports";
        std::filesystem::create_directory(m_vhid);
        std::filesystem::create_directory(m_ports);
        m_vhidEnv.Set(m_vhid.c_str());
        m_portsEnv.Set(m_ports.c_str());
        // Dangling links keep the machine's own serial devices out of reach.
        for (int i = 1; i <= 30; ++i)
            std::filesystem::create_symlink(m_folder + "/absent", PortLink(i));
    }

    void TearDown() override {
        if (m_dialog)
            m_dialog->DestroyWindow();
        m_dialog.reset();
        m_readers.clear();
        AppTestEnv::TearDown();
    }

    std::string PortLink(int n) const { return m_ports + "/com" + std::to_string(n); }

    sim::StandInReader& AddHidReader(const std::string& name, uint16_t vendorId = 0x0483,
                                     uint16_t productId = 0x572B) {
        m_readers.push_back(std::make_unique<sim::StandInReader>());
        sim::VirtualHidOptions options;
        options.name = name;
        options.vendorId = vendorId;
        options.productId = productId;
        EXPECT_TRUE(m_readers.back()->StartOnVirtualHid(options)) << name;
        return *m_readers.back();
    }

    // A stand-in on a pseudo-terminal reached as comN.
    sim::StandInReader& AddPtyReader(int n, sim::Personality personality) {
        m_readers.push_back(std::make_unique<sim::StandInReader>(personality));
        std::filesystem::remove(PortLink(n));
        sim::PtyOptions options;
        options.linkName = "com" + std::to_string(n);
        options.portsDir = m_ports;
        EXPECT_TRUE(m_readers.back()->StartOnPty(options));
        return *m_readers.back();
    }

    void Open() {
        m_dialog = std::make_unique<CDQ450DemoDlg>();
        ASSERT_TRUE(m_dialog->CreateModeless());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ui::WindowOf(*m_dialog)));
    }

    static void ClickOn(const ui::Dialog& dialog, int id) {
        QWidget* widget = ui::WidgetOf(dialog.Item(id));
        ASSERT_NE(widget, nullptr) << id;
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, widget->height() / 2));
    }
    void Click(int id) { ClickOn(*m_dialog, id); }

    // The operator picks item index of a combo with the keyboard, so the
    // selection handler runs.
    static void ChooseOn(const ui::Dialog& dialog, int id, int index) {
        ui::Control combo = dialog.Item(id);
        QWidget* widget = ui::WidgetOf(combo);
        ASSERT_NE(widget, nullptr) << id;
        combo.SetCurSel(index > 0 ? index - 1 : 1);
        widget->setFocus();
        QTest::keyClick(widget, index > 0 ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(combo.GetCurSel(), index);
    }

    // Drives the device list of the next connect as the operator would: with
    // the list up, does whileListed, picks row and presses "open selected
    // device". Anything unexpected closes the list.
    static void PickInModalList(int row, std::vector<std::string>* listed,
                                std::function<void()> whileListed = {}) {
        QTimer::singleShot(0, [row, listed, whileListed] {
            QWidget* modal = QApplication::activeModalWidget();
            QListWidget* list = modal ? modal->findChild<QListWidget*>() : nullptr;
            QPushButton* open = nullptr;
            if (modal)
                for (QPushButton* button : modal->findChildren<QPushButton*>())
                    if (button->text() == "open selected device")
                        open = button;
            if (!list || !open || row >= list->count()) {
                ADD_FAILURE() << "no device list with row " << row;
                if (modal)
                    modal->close();
                return;
            }
            for (int i = 0; i < list->count(); ++i)
                listed->push_back(list->item(i)->text().toStdString());
            if (whileListed)
                whileListed();
            QRect rect = list->visualItemRect(list->item(row));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
            QTest::mouseClick(open, Qt::LeftButton);
            // The list stays when the open went wrong.
            if (QApplication::activeModalWidget() == modal)
                modal->close();
        });
    }

    std::string Status() const { return m_dialog->Item(IDC_STATUS).Text(); }
    std::string Text(int id) const { return m_dialog->Item(id).Text(); }
    static std::string String(int id) { return ui::LoadString(id); }

    // Runs the event loop until done holds; false after timeoutMs.
    static bool WaitFor(const std::function<bool()>& done, int timeoutMs = 10000) {
        return QTest::qWaitFor(done, timeoutMs);
    }

    // The reading thread runs when a swipe from the reader reaches the
    // card-swipe test page.
    bool SwipeReachesTheTestPage(sim::StandInReader& reader) {
        sim::Swipe swipe;
        swipe.tracks[0].data = {'B', '1', '2', '3'};
        if (!reader.SendSwipe(swipe))
            return false;
        return WaitFor(
            [this] { return m_dialog->m_tabPages.GetCurSel() == 3 && Status() == "读卡成功!!!"; });
    }

    std::string m_vhid;
    std::string m_ports;
    test_support::ScopedEnv m_vhidEnv{"TXV_VHID_DIR"};
    test_support::ScopedEnv m_portsEnv{"TXV_PORTS_DIR"};
    std::vector<std::unique_ptr<sim::StandInReader>> m_readers;
    std::unique_ptr<CDQ450DemoDlg> m_dialog;
};
