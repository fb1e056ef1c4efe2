#include "app/decode/track_frame.h"

#include "app/decode/bit_string.h"
#include "app/decode/utf8_text.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr size_t kWorkSize = 1024;
constexpr size_t kFlagsOffset = 0; // in the work buffer: frame offset 4
constexpr size_t kFirstRecord = 4; // frame offset 8
constexpr uint8_t kBitsFlag = 0x80;

// The frame from offset 4, zero-filled behind it.
struct WorkBuffer {
    std::array<uint8_t, kWorkSize> bytes{};
    explicit WorkBuffer(std::span<const uint8_t> frame) {
        const auto data = frame.subspan(4);
        std::copy_n(data.begin(), std::min(data.size(), kWorkSize), bytes.begin());
    }
    uint8_t At(size_t offset) const { return offset < kWorkSize ? bytes[offset] : 0; }
};

struct TrackRecord {
    uint8_t status = 0;
    uint8_t length = 0;
    std::array<uint8_t, 256> data{}; // always ends with a zero byte
};

TrackRecord ReadRecord(const WorkBuffer& work, size_t offset) {
    TrackRecord record;
    record.status = work.At(offset);
    record.length = work.At(offset + 1);
    for (size_t i = 0; i < record.length; ++i)
        record.data[i] = work.At(offset + 2 + i);
    return record;
}

// What each status letter counts and shows; any other letter counts only as
// a result and leaves the text as it was.
struct StatusRule {
    uint8_t letter;
    int counter;
    std::string_view word;
};
constexpr StatusRule kStatusRules[] = {
    {'Y', 0, {}},        {'B', 1, "Blank error"}, {'S', 2, "S error"},    {'P', 3, "P error"},
    {'E', 4, "E error"}, {'L', 5, "L error"},     {'N', 6, "Lenght = 0"},
};

std::string DataText(const TrackRecord& record, bool asBits) {
    if (asBits) {
        std::string bits;
        for (size_t i = 0; i < record.length; ++i)
            bits += ByteToBitString(record.data[i]);
        return bits;
    }
    const auto* begin = reinterpret_cast<const char*>(record.data.data());
    return Latin1ToUtf8(std::string_view(begin));
}

TrackView ApplyRecord(const TrackRecord& record, bool asBits, TrackStatusCounters& counters) {
    TrackView view;
    view.touched = true;
    view.status = record.status;
    view.length = record.length;
    for (const StatusRule& rule : kStatusRules) {
        if (rule.letter == record.status) {
            ++counters[rule.counter];
            view.text = rule.letter == 'Y' ? DataText(record, asBits) : std::string(rule.word);
            break;
        }
    }
    ++counters[kCounterResults];
    return view;
}

// Every frame with data counts one swipe; false when the frame carries
// nothing after type and status.
bool CountFrameSwipe(std::span<const uint8_t> frame, CardSwipeStats& stats, TrackFrameView& view) {
    if (frame.size() <= 4)
        return false;
    ++stats.m_nSwipeCount;
    view.hasData = true;
    return true;
}

void SetDecodeModes(uint8_t flags, TrackFrameView& view) {
    for (size_t bit = 0; bit < view.decodeModes.size(); ++bit)
        view.decodeModes[bit] = (flags >> bit) & 1;
}

} // namespace

TrackFrameView DecodeAllTracksFrame(std::span<const uint8_t> frame, CardSwipeStats& stats) {
    TrackFrameView view;
    if (!CountFrameSwipe(frame, stats, view))
        return view;
    const WorkBuffer work(frame);
    const uint8_t flags = work.At(kFlagsOffset);
    size_t offset = kFirstRecord;
    for (int track = 0; track < kTrackCount; ++track) {
        const TrackRecord record = ReadRecord(work, offset);
        view.tracks[track] = ApplyRecord(record, flags & kBitsFlag, stats.m_trackCounters[track]);
        offset += 2 + record.length;
    }
    SetDecodeModes(flags, view);
    for (int track = 0; track < kTrackCount; ++track)
        view.tracks[track].rate = FrameSuccessRate(stats, track);
    return view;
}

TrackFrameView DecodeSingleTrackFrame(std::span<const uint8_t> frame, int track,
                                      CardSwipeStats& stats) {
    TrackFrameView view;
    if (track < 0 || track >= kTrackCount || !CountFrameSwipe(frame, stats, view))
        return view;
    const WorkBuffer work(frame);
    const uint8_t flags = work.At(kFlagsOffset);
    const TrackRecord record = ReadRecord(work, kFirstRecord);
    view.tracks[track] = ApplyRecord(record, flags & kBitsFlag, stats.m_trackCounters[track]);
    SetDecodeModes(flags, view);
    view.tracks[track].rate = FrameSuccessRate(stats, track);
    return view;
}
