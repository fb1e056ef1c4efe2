#include "app/decode/frame_dispatch.h"
#include "app/main_dialog.h"
#include "app/read_thread.h"
#include "platform/ui/ui_thread.h"

#include <span>

namespace {

constexpr uint32_t kStopWaitMs = 6000;

} // namespace

bool CDQ450DemoDlg::StartReadThread() {
    if (IsNoDevice(m_hDevice))
        return false;
    if (m_hReadThread) {
        if (m_bReadRun)
            return false;
        // A thread that outlived its stop must end before another one reads
        // the device.
        if (!m_hReadThread->WaitEnded(kStopWaitMs))
            return false;
        m_hReadThread.reset();
    }
    platform::ClearIdleWake(m_hDevice);
    // Set before the thread first runs, so its first test finds it set.
    m_bReadRun = true;
    auto thread = std::make_unique<ReadThread>(*this, m_hDevice, m_nTransportMode);
    if (!thread->Started()) {
        m_bReadRun = false;
        return false;
    }
    m_hReadThread = std::move(thread);
    return true;
}

void CDQ450DemoDlg::StopReadThread() {
    if (!m_bReadRun)
        return;
    m_bReadRun = false;
    if (!m_hReadThread)
        return;
    platform::WakeIdleWaits(m_hReadThread->Device());
    const bool ended = m_hReadThread->WaitEnded(kStopWaitMs);
    // The frames already handed over are shown now; none after the stop.
    ui::RunPostedNow();
    m_hReadThread->CloseHandOver();
    if (ended) {
        platform::ClearIdleWake(m_hReadThread->Device());
        m_hReadThread.reset();
    }
}

void CDQ450DemoDlg::StopReadThreadForCommand() {
    if (m_bReadRun || m_hReadThread) {
        StopReadThread();
        return;
    }
    ReadThread::TakeAlreadySent(*this, m_hDevice, m_nTransportMode);
    ui::RunPostedNow();
}

void CDQ450DemoDlg::DispatchReaderFrame(const std::vector<uint8_t>& frame, int transport) {
    const FrameDecoder decoder =
        DecoderForFrame(std::span(frame), static_cast<TransportMode>(transport));
    const int tab = TabForDecoder(decoder);
    if (tab < 0)
        return;
    // The tab comes forward before the decoder runs, also when it then
    // rejects the frame.
    SelectTab(tab);
    const uint8_t* bytes = frame.data();
    const int count = static_cast<int>(frame.size());
    switch (decoder) {
    case FrameDecoder::AllTracks:
        ShowAllTracksResult(bytes, count);
        break;
    case FrameDecoder::Track1:
        ShowTrack1Result(bytes, count);
        break;
    case FrameDecoder::Track2:
        ShowTrack2Result(bytes, count);
        break;
    case FrameDecoder::Track3:
        ShowTrack3Result(bytes, count);
        break;
    case FrameDecoder::IButtonData:
        ShowIButtonData(bytes, count);
        break;
    case FrameDecoder::IButtonDetached:
        ShowIButtonDetached(bytes, count);
        break;
    case FrameDecoder::None:
        break;
    }
}

void CDQ450DemoDlg::HandOverCardText(const std::string& text) {
    SelectTab(kCardSwipeTestTab);
    m_pageHidTest.ShowCustomData(text);
}
