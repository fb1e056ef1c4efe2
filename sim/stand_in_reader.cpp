#include "sim/stand_in_reader.h"

#include "sim/link.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace sim {

namespace {

// A request that stays incomplete this long is dropped, so a stray byte
// cannot hold the line for ever.
constexpr uint32_t kSilenceMs = 500;

} // namespace

struct StandInReader::Impl {
    explicit Impl(Personality personality) {
        if (personality == Personality::Stx) {
            auto engine = std::make_unique<StxEngine>();
            stx = engine.get();
            this->engine = std::move(engine);
        } else {
            auto engine = std::make_unique<LenEngine>();
            len = engine.get();
            this->engine = std::move(engine);
        }
    }

    // Asks the engine for an event only while running, so a stopped reader
    // neither queues nor counts it against a fault.
    template <typename Make> bool Emit(Make make) {
        std::lock_guard lock(mutex);
        if (!link) {
            return false;
        }
        Enqueue(make());
        return true;
    }

    // Call with `mutex` held, while running.
    void Enqueue(Output out) {
        for (Chunk& chunk : out) {
            queue.push_back(std::move(chunk));
        }
        changed.notify_all();
    }

    void Start(std::unique_ptr<Link> newLink) {
        std::lock_guard lock(mutex);
        link = std::move(newLink);
        stopping = false;
        receiver = std::thread([this] { ReceiveLoop(); });
        sender = std::thread([this] { SendLoop(); });
    }

    void Stop() {
        {
            std::lock_guard lock(mutex);
            if (!link) {
                return;
            }
            stopping = true;
            link->Shutdown();
            changed.notify_all();
        }
        receiver.join();
        sender.join();
        std::lock_guard lock(mutex);
        link.reset();
        queue.clear();
        sending = false;
        slavePath.clear();
        linkPath.clear();
        devicePath.clear();
        changed.notify_all();
    }

    void ReceiveLoop() {
        Bytes data;
        for (;;) {
            const Link::Received got = link->Receive(&data, kSilenceMs);
            std::lock_guard lock(mutex);
            if (stopping || got == Link::Received::Closed) {
                return;
            }
            switch (got) {
            case Link::Received::Stream:
                Enqueue(engine->Feed(data.data(), data.size()));
                break;
            case Link::Received::Report:
                Enqueue(engine->FeedReport(data.data(), data.size()));
                break;
            default:
                engine->DropPartial();
                break;
            }
            changed.notify_all();
        }
    }

    void SendLoop() {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [this] { return stopping || !queue.empty(); });
            if (stopping) {
                return;
            }
            Chunk chunk = std::move(queue.front());
            queue.pop_front();
            sending = true;
            if (chunk.pauseBeforeMs > 0 &&
                changed.wait_for(lock, std::chrono::milliseconds(chunk.pauseBeforeMs),
                                 [this] { return stopping; })) {
                return;
            }
            lock.unlock();
            link->Send(chunk.bytes, chunk.endsFrame);
            lock.lock();
            sending = false;
            changed.notify_all();
        }
    }

    std::unique_ptr<ProtocolEngine> engine;
    LenEngine* len = nullptr;
    StxEngine* stx = nullptr;

    std::mutex lifecycle; // one start or stop at a time
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::unique_ptr<Link> link;
    std::deque<Chunk> queue;
    bool sending = false;
    bool stopping = false;
    std::thread receiver;
    std::thread sender;
    std::string slavePath;
    std::string linkPath;
    std::string devicePath;
};

StandInReader::StandInReader(Personality personality)
    : m_personality(personality), m_impl(std::make_unique<Impl>(personality)) {}

StandInReader::~StandInReader() {
    Stop();
}

bool StandInReader::StartOnPty(const PtyOptions& options) {
    std::lock_guard lifecycle(m_impl->lifecycle);
    if (Running()) {
        return false;
    }
    std::string slavePath;
    std::string linkPath;
    std::unique_ptr<Link> link = OpenPtyLink(options, &slavePath, &linkPath);
    if (!link) {
        return false;
    }
    m_impl->Start(std::move(link));
    std::lock_guard lock(m_impl->mutex);
    m_impl->slavePath = slavePath;
    m_impl->linkPath = linkPath;
    return true;
}

bool StandInReader::StartOnVirtualHid(const VirtualHidOptions& options) {
    std::lock_guard lifecycle(m_impl->lifecycle);
    if (Running() || m_personality == Personality::Stx) {
        return false;
    }
    std::string devicePath;
    std::unique_ptr<Link> link = OpenHidLink(options, &devicePath);
    if (!link) {
        return false;
    }
    m_impl->Start(std::move(link));
    std::lock_guard lock(m_impl->mutex);
    m_impl->devicePath = devicePath;
    return true;
}

void StandInReader::Stop() {
    std::lock_guard lifecycle(m_impl->lifecycle);
    m_impl->Stop();
}

bool StandInReader::Running() const {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->link != nullptr;
}

std::string StandInReader::SlavePath() const {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->slavePath;
}

std::string StandInReader::LinkPath() const {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->linkPath;
}

std::string StandInReader::DevicePath() const {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->devicePath;
}

bool StandInReader::SendSwipe(const Swipe& swipe) {
    return m_impl->Emit([&] { return m_impl->engine->EmitSwipe(swipe); });
}

bool StandInReader::SendTrackFrame(int trackIndex, uint8_t flags, const TrackRecord& track) {
    return m_impl->Emit([&] { return m_impl->engine->EmitTrackFrame(trackIndex, flags, track); });
}

bool StandInReader::SendIButton(bool detached, const Bytes& key) {
    return m_impl->Emit([&] { return m_impl->engine->EmitIButton(detached, key); });
}

bool StandInReader::SendCardText(const Swipe& swipe) {
    return m_impl->Emit([&] { return m_impl->engine->EmitCardText(swipe); });
}

bool StandInReader::SendRaw(const Bytes& bytes) {
    return m_impl->Emit([&] { return ProtocolEngine::EmitRaw(bytes); });
}

bool StandInReader::QueueManualSwipe(const Swipe& swipe) {
    return m_impl->len && m_impl->Emit([&] { return m_impl->len->QueueManualSwipe(swipe); });
}

void StandInReader::SetFault(const Fault& fault) {
    std::lock_guard lock(m_impl->mutex);
    m_impl->engine->SetFault(fault);
}

void StandInReader::ClearFault() {
    std::lock_guard lock(m_impl->mutex);
    m_impl->engine->ClearFault();
}

bool StandInReader::Flush(uint32_t timeoutMs) {
    std::unique_lock lock(m_impl->mutex);
    return m_impl->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                    [this] { return m_impl->queue.empty() && !m_impl->sending; });
}

bool StandInReader::WaitForRequests(size_t count, uint32_t timeoutMs) {
    std::unique_lock lock(m_impl->mutex);
    return m_impl->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this, count] {
        return m_impl->engine->RequestCount() >= count;
    });
}

Bytes StandInReader::LastRequest() const {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->engine->LastRequest();
}

size_t StandInReader::RequestCount() const {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->engine->RequestCount();
}

bool StandInReader::ManualReadArmed() const {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->len && m_impl->len->ManualReadArmed();
}

ReaderParameterBlock StandInReader::ReaderBlock() const {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->len ? m_impl->len->ReaderBlock() : DefaultReaderParameterBlock();
}

IButtonParameterBlock StandInReader::IButtonBlock() const {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->len ? m_impl->len->IButtonBlock() : DefaultIButtonParameterBlock();
}

RsParameterBlock StandInReader::RsBlock() const {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->stx ? m_impl->stx->RsBlock() : DefaultRsParameterBlock();
}

uint16_t StandInReader::DeviceId() const {
    return DeviceIdOf(ReaderBlock());
}

uint8_t StandInReader::KeyboardType() const {
    return ReaderBlock()[reader_block::kKeyboardType];
}

void StandInReader::SetReaderBlock(const ReaderParameterBlock& block) {
    std::lock_guard lock(m_impl->mutex);
    if (m_impl->len) {
        m_impl->len->SetReaderBlock(block);
    }
}

void StandInReader::SetIButtonBlock(const IButtonParameterBlock& block) {
    std::lock_guard lock(m_impl->mutex);
    if (m_impl->len) {
        m_impl->len->SetIButtonBlock(block);
    }
}

void StandInReader::SetRsBlock(const RsParameterBlock& block) {
    std::lock_guard lock(m_impl->mutex);
    if (m_impl->stx) {
        m_impl->stx->SetRsBlock(block);
    }
}

void StandInReader::SetVersionText(const std::string& text) {
    std::lock_guard lock(m_impl->mutex);
    if (m_impl->len) {
        m_impl->len->SetVersionText(text);
    } else {
        m_impl->stx->SetVersionText(text);
    }
}

void StandInReader::SetInfoText(const std::string& text) {
    std::lock_guard lock(m_impl->mutex);
    if (m_impl->len) {
        m_impl->len->SetInfoText(text);
    }
}

} // namespace sim
