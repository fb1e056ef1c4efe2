#include "sim/card_text.h"

namespace sim {

namespace {

constexpr uint8_t kCarriageReturn = 0x0D;

void Append(Bytes& out, const Bytes& bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

} // namespace

Bytes EncodeCardText(const Swipe& swipe, const CardTextFormat& format) {
    Bytes text = format.prefix;
    for (size_t i = 0; i < 3; ++i) {
        const TrackRecord& track = swipe.tracks[i];
        if ((format.outputTracks & (1u << i)) == 0 || track.status != 'Y' || track.data.empty()) {
            continue;
        }
        Append(text, format.sentinels[2 * i]);
        Append(text, track.data);
        Append(text, format.sentinels[2 * i + 1]);
        if (format.carriageReturnAfterTrack[i]) {
            text.push_back(kCarriageReturn);
        }
    }
    Append(text, format.suffix);
    if (format.carriageReturnAfterPacket) {
        text.push_back(kCarriageReturn);
    }
    return text;
}

} // namespace sim
