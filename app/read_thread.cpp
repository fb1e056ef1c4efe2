#include "app/read_thread.h"

#include "app/decode/com_burst.h"
#include "app/decode/frame_dispatch.h"
#include "app/main_dialog.h"
#include "platform/clock.h"
#include "platform/handle.h"
#include "platform/poll_wait.h"
#include "platform/serial.h"
#include "platform/ui/ui_thread.h"
#include "reader/reader.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kComPollMs = 50;
// A HID pass that fails sooner than this waits out the rest, so a device
// that is gone cannot turn the loop into a spin.
constexpr uint32_t kShortestHidPassMs = 50;
// How long a stop lets the COM pass finish the burst at hand.
constexpr uint32_t kStopFinishMs = 1000;

} // namespace

struct ReadThread::Shared : std::enable_shared_from_this<ReadThread::Shared> {
    Shared(CDQ450DemoDlg& d, DeviceHandle h, int mode) : dialog(d), device(h), transport(mode) {}

    CDQ450DemoDlg& dialog;
    const DeviceHandle device;
    const int transport;

    std::mutex mutex;
    std::condition_variable endedSignal;
    bool ended = false; // under mutex

    bool handOverOpen = true;  // UI thread only
    std::atomic<int> taken{0}; // frames and bursts, handed over or dropped
};

namespace {

using Shared = ReadThread::Shared;

bool Running(const Shared& shared) {
    return shared.dialog.m_bReadRun.load();
}

void HandOverFrame(Shared& shared, std::span<const uint8_t> frame) {
    std::vector<uint8_t> copy(frame.begin(), frame.end());
    ui::PostToUiThread([link = shared.shared_from_this(), copy = std::move(copy)] {
        if (link->handOverOpen)
            link->dialog.DispatchReaderFrame(copy, link->transport);
    });
}

void HandOverText(Shared& shared, std::string text) {
    ui::PostToUiThread([link = shared.shared_from_this(), text = std::move(text)] {
        if (link->handOverOpen)
            link->dialog.HandOverCardText(text);
    });
}

// Each frame of a burst is handed over and counted on its own.
void TakeBurst(Shared& shared, std::vector<ComBurst> bursts) {
    for (ComBurst& burst : bursts) {
        switch (burst.kind) {
        case ComBurst::Kind::Frame:
            HandOverFrame(shared, burst.frame);
            break;
        case ComBurst::Kind::Text:
            HandOverText(shared, std::move(burst.text));
            break;
        case ComBurst::Kind::Dropped:
            break;
        }
        ++shared.taken;
    }
}

// One frame per pass. After a stop the thread still takes what the reader
// already sent, each frame dispatched as usual, until the take is finished
// (see ReadingThreadStop): left queued, it would be the next command's reply.
void RunHidPasses(Shared& shared) {
    std::array<uint8_t, kFrameBufferSize> buffer{};
    ReadingThreadStop stop;
    while (!stop.finished) {
        if (!Running(shared) && !stop.seenAt)
            stop.seenAt = platform::TickCount();
        // The take's bound holds here too, so the end of the thread does not
        // rest on every way a read can return.
        if (stop.seenAt && platform::MsLeft(*stop.seenAt, kStopTakeLimitMs) == 0)
            return;
        buffer.fill(0);
        int count = 0;
        const uint32_t start = platform::TickCount();
        const int result = ReadResponseFrame(shared.device, TransportHid, buffer.data(),
                                             int(buffer.size()), &count, &stop);
        if (result == ReaderOk && count >= 0 && size_t(count) <= buffer.size()) {
            const std::span<const uint8_t> frame(buffer.data(), size_t(count));
            if (DecoderForFrame(frame, TransportHid) != FrameDecoder::None)
                HandOverFrame(shared, frame);
            ++shared.taken;
            continue;
        }
        const uint32_t elapsed = platform::TickCount() - start;
        if (!stop.seenAt && elapsed < kShortestHidPassMs)
            platform::PauseUnlessWoken(shared.device, kShortestHidPassMs - elapsed);
    }
}

// A burst ends at the first poll that finds the queue empty. After a stop
// the thread still takes what was queued or held then, so a swipe that
// arrived just before a page command is shown rather than left in the
// port for the command to trip over; it ends after that one burst, or
// takes the burst as it stands once a line that never pauses has had
// kStopFinishMs.
void RunComPasses(Shared& shared) {
    ComBurstCollector collector;
    std::array<uint8_t, kFrameBufferSize> polled{};
    std::optional<uint32_t> stopSeen;
    for (;;) {
        const bool running = Running(shared);
        if (!running && !stopSeen)
            stopSeen = platform::TickCount();
        const int queued = platform::SerialBytesQueued(shared.device);
        if (!running && queued <= 0 && !collector.Holding())
            return;
        if (stopSeen && platform::TickCount() - *stopSeen >= kStopFinishMs) {
            if (collector.Holding())
                TakeBurst(shared, collector.Take());
            return;
        }
        if (queued > 0) {
            polled.fill(0);
            const size_t wanted = std::min(size_t(queued), polled.size());
            // Fewer bytes than were queued: those bytes are dropped.
            if (platform::SerialRead(shared.device, polled.data(), wanted) == long(wanted)) {
                std::span<const uint8_t> rest(polled.data(), wanted);
                while (!rest.empty()) {
                    rest = rest.subspan(collector.Append(rest));
                    if (collector.Full()) {
                        TakeBurst(shared, collector.Take());
                        if (!running)
                            return;
                    }
                }
            }
        } else if (collector.Holding()) {
            TakeBurst(shared, collector.Take());
            if (!running)
                return;
        }
        // Only an idle pause may be cut short: a pause inside a burst has
        // to last the whole poll interval, or a stop would cut the burst.
        if (collector.Holding() || !running)
            platform::SleepMs(kComPollMs);
        else
            platform::PauseUnlessWoken(shared.device, kComPollMs);
    }
}

void ReadThreadProc(Shared& shared) {
    if (shared.transport == TransportHid)
        RunHidPasses(shared);
    else
        RunComPasses(shared);
}

void* ThreadEntry(void* arg) {
    auto& shared = *static_cast<Shared*>(arg);
    ReadThreadProc(shared);
    {
        const std::lock_guard lock(shared.mutex);
        shared.ended = true;
    }
    shared.endedSignal.notify_all();
    return nullptr;
}

} // namespace

ReadThread::ReadThread(CDQ450DemoDlg& dialog, DeviceHandle device, int transport)
    : m_shared(std::make_shared<Shared>(dialog, device, transport)) {
    m_started = pthread_create(&m_thread, nullptr, ThreadEntry, m_shared.get()) == 0;
}

ReadThread::~ReadThread() {
    CloseHandOver();
    if (!m_started || m_joined)
        return;
    m_shared->dialog.m_bReadRun = false;
    platform::WakeIdleWaits(m_shared->device);
    pthread_join(m_thread, nullptr);
}

void ReadThread::TakeAlreadySent(CDQ450DemoDlg& dialog, DeviceHandle device, int transport) {
    ReadThreadProc(*std::make_shared<Shared>(dialog, device, transport));
}

DeviceHandle ReadThread::Device() const {
    return m_shared->device;
}

bool ReadThread::WaitEnded(uint32_t timeoutMs) {
    if (!m_started || m_joined)
        return true;
    {
        std::unique_lock lock(m_shared->mutex);
        if (!m_shared->endedSignal.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                            [this] { return m_shared->ended; }))
            return false;
    }
    pthread_join(m_thread, nullptr);
    m_joined = true;
    return true;
}

void ReadThread::CloseHandOver() {
    m_shared->handOverOpen = false;
}

int ReadThread::Taken() const {
    return m_shared->taken.load();
}
