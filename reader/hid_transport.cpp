#include "reader/hid_transport.h"

#include "platform/clock.h"
#include "platform/hid.h"
#include "platform/poll_wait.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

namespace {

constexpr uint32_t kPauseAfterOutputReportMs = 100;
constexpr uint32_t kPauseBeforeInputReadMs = 50;
constexpr uint32_t kWriteReportsTimeoutMs = 3000;
constexpr uint32_t kFrameReportTimeoutMs = 1500;
constexpr uint32_t kReadAllSilenceMs = 1000;
// After a stop, a frame whose next report does not come this soon has ended.
constexpr uint32_t kStopSilenceMs = 100;
constexpr int kInputBufferSize = 128;
constexpr int kAccumulatorSize = 2024;
constexpr size_t kPathBufferSize = 256;

struct ReportLengths {
    int input = 0;
    int output = 0;
};

// False for a handle that is no HID interface (a serial port, say).
bool GetReportLengths(DeviceHandle h, ReportLengths* out) {
    platform::HidCaps caps;
    if (!platform::HidGetCaps(h, &caps))
        return false;
    out->input = caps.inputReportLength;
    out->output = caps.outputReportLength;
    return true;
}

// A report carries the id byte and at least one data byte.
bool CanWrite(const ReportLengths& lengths) {
    return lengths.output >= 2;
}

// An input report without data would let a chattering device keep a read
// going for ever.
bool CanRead(const ReportLengths& lengths) {
    return lengths.input >= 2 && lengths.input <= kInputBufferSize;
}

// The data bytes of successive input reports (report id dropped), up to a
// limit that is never above the accumulator's size; the bytes past the limit
// are counted and dropped.
class ReportAccumulator {
public:
    explicit ReportAccumulator(int limit) : m_limit(std::min(limit, kAccumulatorSize)) {}

    // Reads one report of inputLength bytes and appends what fits.
    platform::HidIo ReadReport(DeviceHandle h, int inputLength, uint32_t timeoutMs, bool wakeable) {
        // Zeroed each time, so a short report reads as padded, never as the
        // tail of the one before.
        std::array<uint8_t, kInputBufferSize> report{};
        size_t got = 0;
        const platform::HidIo io = platform::HidReadReport(h, report.data(), size_t(inputLength),
                                                           &got, timeoutMs, wakeable);
        if (io == platform::HidIo::Ok) {
            const int kept = std::min(inputLength - 1, m_limit - m_count);
            std::memcpy(m_bytes.data() + m_count, report.data() + 1, size_t(kept));
            m_count += kept;
            m_received += inputLength - 1;
        }
        return io;
    }

    int count() const { return m_count; }
    int received() const { return m_received; }
    bool full() const { return m_count == m_limit; }
    uint8_t operator[](int i) const { return m_bytes[size_t(i)]; }
    // The first n bytes into out.
    void CopyTo(uint8_t* out, int n) const { std::memcpy(out, m_bytes.data(), size_t(n)); }

private:
    std::array<uint8_t, kAccumulatorSize> m_bytes{};
    int m_limit;
    int m_count = 0;
    int m_received = 0;
};

// Every output report is the id byte 0 and the next OL-1 bytes of data, the
// last one padded with zeros; data that fits one report goes in one report.
int WriteReports(DeviceHandle h, int outputLength, const uint8_t* data, int length,
                 uint32_t timeoutMs) {
    size_t reportLength = size_t(outputLength);
    size_t perReport = reportLength - 1;
    size_t total = size_t(length);
    size_t reports = total + 1 <= reportLength ? 1 : (total + perReport - 1) / perReport;
    std::vector<uint8_t> block(reports * reportLength, 0);
    for (size_t j = 0, k = 0; k < total; ++j)
        if (j % reportLength != 0)
            block[j] = data[k++];
    for (size_t i = 0; i < reports; ++i) {
        if (platform::HidWriteReport(h, block.data() + i * reportLength, reportLength, timeoutMs) !=
            platform::HidIo::Ok)
            return ReaderFailed;
        platform::SleepMs(kPauseAfterOutputReportMs);
    }
    return ReaderOk;
}

// How the reports of one frame are waited for. A command's reply (no stop)
// has the per-report time-out and the 50 ms pauses. The reading thread's
// waits are also ended by a stop; once the stop is seen, the reports the
// reader already sent are read as they come, within kStopSilenceMs of one
// another and kStopTakeLimitMs of the stop.
class FramePace {
public:
    FramePace(DeviceHandle h, uint32_t timeoutMs, ReadingThreadStop* stop)
        : m_h(h), m_timeoutMs(timeoutMs), m_stop(stop) {}

    bool Stopped() const { return m_stop && m_stop->seenAt; }
    bool Wakeable() const { return m_stop && !Stopped(); }

    // The wait for the next report, none once the stop's bound has passed.
    // At a frame's start after a stop only a report already waiting counts.
    std::optional<uint32_t> ReportWaitMs(bool frameStart) const {
        if (!Stopped())
            return m_timeoutMs;
        const uint32_t left = platform::MsLeft(*m_stop->seenAt, kStopTakeLimitMs);
        if (left == 0)
            return std::nullopt;
        return frameStart ? 0 : std::min({m_timeoutMs, kStopSilenceMs, left});
    }

    // The pause before a report. Reports of a frame that is thrown away, and
    // every report after a stop, need none: they are already sent, and a
    // hidraw node queues only 64 reports. Without a pause the wake is only
    // asked for, since a report waiting wins over it in a read.
    void PauseBeforeReport(bool paced) {
        if (Stopped())
            return;
        if (!paced) {
            if (m_stop && platform::IdleWakeSet(m_h))
                See();
            return;
        }
        if (!m_stop)
            platform::SleepMs(kPauseBeforeInputReadMs);
        else if (platform::PauseUnlessWoken(m_h, kPauseBeforeInputReadMs))
            See();
    }

    void See() {
        if (m_stop && !m_stop->seenAt)
            m_stop->seenAt = platform::TickCount();
    }

    // Nothing more is taken after a stop once a read found nothing in time,
    // or could not read at all.
    void EndOfTake() {
        if (Stopped())
            m_stop->finished = true;
    }

private:
    DeviceHandle m_h;
    uint32_t m_timeoutMs;
    ReadingThreadStop* m_stop;
};

// Reads one length-prefixed frame: the first two bytes of data give LEN, the
// frame is LEN+2 bytes, and the zeros padding its last report are not handed
// out. A frame that would not fit the accumulator or the caller's buffer
// fails, but only once it was read off: left queued, its reports would be
// taken for the next reply.
int ReadFrame(DeviceHandle h, int inputLength, FramePace pace, uint8_t* out, int capacity,
              int* count) {
    ReportAccumulator accumulator(kAccumulatorSize);
    int expected = -1;
    bool overLong = false;
    pace.PauseBeforeReport(true);
    for (;;) {
        const bool frameStart = accumulator.received() == 0;
        const std::optional<uint32_t> waitMs = pace.ReportWaitMs(frameStart);
        if (!waitMs) {
            pace.EndOfTake();
            return ReaderFailed;
        }
        const platform::HidIo io = accumulator.ReadReport(h, inputLength, *waitMs, pace.Wakeable());
        if (io == platform::HidIo::Woken) {
            pace.See();
            continue;
        }
        if (io != platform::HidIo::Ok) {
            pace.EndOfTake();
            return ReaderFailed;
        }
        if (expected < 0 && accumulator.count() >= 2) {
            expected = accumulator[0] * 256 + accumulator[1] + 2;
            overLong = expected > kAccumulatorSize || expected > capacity;
        }
        if (expected >= 0 && accumulator.received() >= expected)
            break;
        pace.PauseBeforeReport(!overLong);
    }
    if (overLong)
        return ReaderFailed;
    accumulator.CopyTo(out, expected);
    *count = expected;
    return ReaderOk;
}

} // namespace

int HidTransceive(DeviceHandle h, const uint8_t* request, int requestLength, uint8_t* reply,
                  int replyCapacity, int* replyCount, int timeoutMs) {
    if (IsNoDevice(h))
        return ReaderBadArgument;
    if ((request == nullptr && requestLength != 0) || requestLength < 0 || reply == nullptr ||
        replyCapacity < 0 || replyCount == nullptr || timeoutMs < 0)
        return ReaderBadArgument;
    *replyCount = 0;
    ReportLengths lengths;
    if (!GetReportLengths(h, &lengths) || !CanWrite(lengths) || !CanRead(lengths))
        return ReaderFailed;
    if (WriteReports(h, lengths.output, request, requestLength, uint32_t(timeoutMs)) != ReaderOk)
        return ReaderFailed;
    return ReadFrame(h, lengths.input, FramePace(h, uint32_t(timeoutMs), nullptr), reply,
                     replyCapacity, replyCount);
}

int HidWriteReports(DeviceHandle h, const uint8_t* data, int length) {
    if (IsNoDevice(h))
        return ReaderBadArgument;
    if (data == nullptr || length <= 0)
        return ReaderBadArgument;
    ReportLengths lengths;
    if (!GetReportLengths(h, &lengths) || !CanWrite(lengths))
        return ReaderFailed;
    return WriteReports(h, lengths.output, data, length, kWriteReportsTimeoutMs);
}

int HidReadAll(DeviceHandle h, uint8_t* buffer, int capacity, int* count) {
    if (IsNoDevice(h))
        return ReaderBadArgument;
    if (buffer == nullptr || capacity < 0 || count == nullptr)
        return ReaderBadArgument;
    *count = 0;
    ReportLengths lengths;
    if (!GetReportLengths(h, &lengths) || !CanRead(lengths))
        return ReaderFailed;
    ReportAccumulator accumulator(capacity);
    platform::SleepMs(kPauseBeforeInputReadMs);
    while (!accumulator.full()) {
        const platform::HidIo io =
            accumulator.ReadReport(h, lengths.input, kReadAllSilenceMs, false);
        if (io == platform::HidIo::TimedOut)
            break;
        // An unplugged reader sends nothing more: what came is the answer,
        // but a reader gone before its first report gave none.
        if (io == platform::HidIo::Gone) {
            if (accumulator.received() == 0)
                return ReaderFailed;
            break;
        }
        if (io != platform::HidIo::Ok)
            return ReaderFailed;
        if (!accumulator.full())
            platform::SleepMs(kPauseBeforeInputReadMs);
    }
    accumulator.CopyTo(buffer, accumulator.count());
    *count = accumulator.count();
    return ReaderOk;
}

int ReadResponseFrame(DeviceHandle h, int mode, uint8_t* buffer, int capacity, int* count,
                      ReadingThreadStop* stop) {
    // A read of its own sees a stop only for itself.
    ReadingThreadStop ownStop;
    FramePace pace(h, kFrameReportTimeoutMs, stop ? stop : &ownStop);
    // A read that cannot take a report ends the take, or the caller's loop
    // would spin on it.
    if (IsNoDevice(h) || buffer == nullptr || count == nullptr || capacity < 0 ||
        mode != TransportHid) {
        pace.EndOfTake();
        return ReaderBadArgument;
    }
    *count = 0;
    ReportLengths lengths;
    if (!GetReportLengths(h, &lengths) || !CanRead(lengths)) {
        pace.EndOfTake();
        return ReaderFailed;
    }
    return ReadFrame(h, lengths.input, pace, buffer, capacity, count);
}

HidPathList FindHidDevices(int productId, int vendorId) {
    HidPathList found;
    for (const std::string& path : platform::ListHidPaths()) {
        // The path buffer holds 255 characters and the terminator.
        if (path.size() >= kPathBufferSize)
            continue;
        DeviceHandle h = platform::OpenHidPath(path);
        if (h == platform::kInvalidHandle)
            continue;
        platform::HidAttributes attributes;
        if (platform::HidGetAttributes(h, &attributes) && attributes.vendorId == vendorId &&
            attributes.productId == productId &&
            std::find(found.begin(), found.end(), path) == found.end())
            found.push_back(path);
        platform::CloseDeviceHandle(h);
    }
    return found;
}
