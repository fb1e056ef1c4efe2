// The road of one swipe through the program: the stand-in reader sends a
// swipe and the clock runs until the decoded swipe is on the card-swipe test
// page; and what the reading thread costs while the reader is silent.
//
//   swipe_to_ui_ms_hid, swipe_to_ui_ms_com: median of kSwipes swipes
//   reader_idle_cpu_percent_hid, _com: CPU time of the process over 5 s with
//     a silent reader and the UI thread asleep (an upper bound for the
//     reading thread alone), in percent of one core
//   idle_stop_ms_hid, _com: median of kStops stops of the reading thread
//     while the reader is silent
//   idle_take_ms_hid, _com: median of kStops takes of what a silent reader
//     sent, which a page command runs when no reading thread runs

#include "app/main_dialog.h"
#include "platform/hid.h"
#include "platform/ui/recorder.h"
#include "platform/ui/strings.h"
#include "reader/reader.h"
#include "sim/stand_in_reader.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kSwipes = 15;
constexpr int kSwipeWaitMs = 5000;
constexpr auto kIdleTime = std::chrono::seconds(5);
constexpr int kStops = 15;

void Report(const char* name, double value, const char* unit) {
    std::printf("%s: %.2f %s\n", name, value, unit);
    std::fflush(stdout);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs the UI thread's events until done() holds, testing every millisecond.
bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    check.start(1);
    if (!done())
        loop.exec();
    return done();
}

// The dialog with the stand-in reader attached and the reading thread on.
class Attached {
public:
    Attached(int transport, const std::string& bus) {
        m_dialog.CreateModeless();
        if (transport == TransportHid) {
            m_reader.StartOnVirtualHid({.folder = bus});
            m_dialog.m_hDevice = platform::OpenHidPath(m_reader.DevicePath());
        } else {
            m_reader.StartOnPty({});
            m_dialog.m_hDevice = OpenComPortBaud(m_reader.SlavePath().c_str(), 9600);
        }
        m_dialog.m_nTransportMode = transport;
        m_ok = m_dialog.StartReadThread();
    }
    ~Attached() {
        m_dialog.DestroyWindow();
        m_reader.Stop();
    }
    Attached(const Attached&) = delete;
    Attached& operator=(const Attached&) = delete;

    bool ok() const { return m_ok; }
    CDQ450DemoDlg& dialog() { return m_dialog; }
    sim::StandInReader& reader() { return m_reader; }

private:
    ui::UiRecorder m_recorder; // no box may wait for an operator
    CDQ450DemoDlg m_dialog;
    sim::StandInReader m_reader;
    bool m_ok = false;
};

double SwipeToUiMs(int transport, const std::string& bus) {
    Attached attached(transport, bus);
    if (!attached.ok())
        return -1;
    CHidTestDlg& page = attached.dialog().m_pageHidTest;
    sim::Swipe swipe;
    swipe.tracks[0] = {'Y', {'1', '2', '3', '4', '5', '6', '7', '8'}};
    std::vector<double> times;
    for (int i = 1; i <= kSwipes; ++i) {
        // Lets the thread settle into its idle wait, as between two swipes.
        std::this_thread::sleep_for(std::chrono::milliseconds(120));
        const std::string shown = std::to_string(i);
        const auto start = std::chrono::steady_clock::now();
        attached.reader().SendSwipe(swipe);
        if (!RunUntil([&] { return page.Item(IDC_SWIPE_COUNT).Text() == shown; }, kSwipeWaitMs))
            return -1;
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        times.push_back(took.count());
    }
    return Median(times);
}

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double IdleCpuPercent(int transport, const std::string& bus) {
    Attached attached(transport, bus);
    if (!attached.ok())
        return -1;
    const double before = ProcessCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(kIdleTime);
    const double cpu = ProcessCpuSeconds() - before;
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    return cpu / wall.count() * 100.0;
}

// With a thread running: StopReadThread; without one: the page command's
// stop, which then takes what the reader sent.
double IdleStopMs(int transport, const std::string& bus, bool threadRunning) {
    Attached attached(transport, bus);
    if (!attached.ok())
        return -1;
    CDQ450DemoDlg& dialog = attached.dialog();
    dialog.StopReadThread();
    std::vector<double> times;
    for (int i = 0; i < kStops; ++i) {
        if (threadRunning && !dialog.StartReadThread())
            return -1;
        // Lets the thread settle into its idle wait.
        std::this_thread::sleep_for(std::chrono::milliseconds(120));
        const auto start = std::chrono::steady_clock::now();
        if (threadRunning)
            dialog.StopReadThread();
        else
            dialog.StopReadThreadForCommand();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        times.push_back(took.count());
    }
    return Median(times);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::SetUiLanguage(res::Language::English);

    const char* tmp = std::getenv("TMPDIR");
    std::string bus = std::string(tmp && *tmp ? tmp : "/tmp") + "/txv-bench-ui-XXXXXX";
    if (mkdtemp(bus.data()) == nullptr)
        return 1;
    setenv("TXV_VHID_DIR", bus.c_str(), 1);

    Report("swipe_to_ui_ms_hid", SwipeToUiMs(TransportHid, bus), "ms");
    Report("swipe_to_ui_ms_com", SwipeToUiMs(TransportCom, bus), "ms");
    Report("reader_idle_cpu_percent_hid", IdleCpuPercent(TransportHid, bus), "%");
    Report("reader_idle_cpu_percent_com", IdleCpuPercent(TransportCom, bus), "%");
    Report("idle_stop_ms_hid", IdleStopMs(TransportHid, bus, true), "ms");
    Report("idle_stop_ms_com", IdleStopMs(TransportCom, bus, true), "ms");
    Report("idle_take_ms_hid", IdleStopMs(TransportHid, bus, false), "ms");
    Report("idle_take_ms_com", IdleStopMs(TransportCom, bus, false), "ms");

    std::error_code ignored;
    std::filesystem::remove_all(bus, ignored);
    return 0;
}
