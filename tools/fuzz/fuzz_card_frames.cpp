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
    for (auto rest = bytes.subspan(1); !rest.empty();) {
        auto poll = rest.first(std::min(pollSize, rest.size()));
        rest = rest.subspan(poll.size());
        while (!poll.empty()) {
            poll = poll.subspan(collector.Append(poll));
            if (collector.Full())
                Handle(collector.Take(), stats);
        }
        if (pauses && collector.Holding())
            Handle(collector.Take(), stats);
    }
    if (collector.Holding())
        Handle(collector.Take(), stats);
    return 0;
}
