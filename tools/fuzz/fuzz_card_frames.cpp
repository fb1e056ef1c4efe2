// Card-data and iButton frames from the reader, through every decoder and
// through the COM burst collector in polls of varying sizes.

#include "app/decode/com_burst.h"
#include "app/decode/frame_dispatch.h"
#include "app/decode/ibutton_frame.h"
#include "app/decode/track_frame.h"
#include "app/decode/transparent_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace {

void Decode(std::span<const uint8_t> frame, FrameDecoder decoder, CardSwipeStats& stats) {
    switch (decoder) {
    case FrameDecoder::AllTracks:
        DecodeAllTracksFrame(frame, stats);
        break;
    case FrameDecoder::Track1:
        DecodeSingleTrackFrame(frame, 0, stats);
        break;
    case FrameDecoder::Track2:
        DecodeSingleTrackFrame(frame, 1, stats);
        break;
    case FrameDecoder::Track3:
        DecodeSingleTrackFrame(frame, 2, stats);
        break;
    case FrameDecoder::IButtonData:
        DecodeIButtonFrame(frame, IButtonEvent::KeyRead);
        break;
    case FrameDecoder::IButtonDetached:
        DecodeIButtonFrame(frame, IButtonEvent::KeyDetached);
        break;
    case FrameDecoder::None:
        break;
    }
}

void Handle(const ComBurst& burst, CardSwipeStats& stats) {
    if (burst.frame.size() > kComBurstMax || burst.text.size() > kComBurstMax)
        __builtin_trap();
    if (burst.kind == ComBurst::Kind::Frame)
        Decode(burst.frame, burst.decoder, stats);
    else if (burst.kind == ComBurst::Kind::Text)
        ParseCustomData(burst.text, TrackSentinels{}, stats);
}

// A burst of held bytes gives one text or frame, or several frames that
// each hold their own LEN + 2 bytes and together no more than the burst.
void HandleBurst(ComBurstCollector& collector, size_t& held, CardSwipeStats& stats) {
    const std::vector<ComBurst> bursts = collector.Take();
    size_t frameBytes = 0;
    for (const ComBurst& burst : bursts) {
        const std::vector<uint8_t>& frame = burst.frame;
        if (burst.kind == ComBurst::Kind::Frame &&
            (frame.size() < 2 || (size_t{frame[0]} << 8 | frame[1]) + 2 != frame.size()))
            __builtin_trap();
        if (bursts.size() > 1 && burst.kind == ComBurst::Kind::Text)
            __builtin_trap();
        frameBytes += frame.size();
        Handle(burst, stats);
    }
    if (bursts.empty() || frameBytes > held)
        __builtin_trap();
    held = 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    CardSwipeStats stats;
    DecodeAllTracksFrame(bytes, stats);
    for (int track = 0; track < kTrackCount; ++track)
        DecodeSingleTrackFrame(bytes, track, stats);
    DecodeIButtonFrame(bytes, IButtonEvent::KeyRead);
    for (const TransportMode transport : {TransportHid, TransportCom})
        Decode(bytes, DecoderForFrame(bytes, transport), stats);

    // The first byte sets the poll size, and whether a pause follows each poll.
    if (size == 0)
        return 0;
    const size_t pollSize = 1 + (data[0] & 0x7F) * 16;
    const bool pauses = data[0] & 0x80;
    ComBurstCollector collector;
    size_t held = 0;
    for (auto rest = bytes.subspan(1); !rest.empty();) {
        auto poll = rest.first(std::min(pollSize, rest.size()));
        rest = rest.subspan(poll.size());
        while (!poll.empty()) {
            const size_t appended = collector.Append(poll);
            held += appended;
            poll = poll.subspan(appended);
            if (collector.Full())
                HandleBurst(collector, held, stats);
        }
        if (pauses && collector.Holding())
            HandleBurst(collector, held, stats);
    }
    if (collector.Holding())
        HandleBurst(collector, held, stats);
    return 0;
}
