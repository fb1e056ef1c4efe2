#pragma once
// Card text as a reader in transparent mode sends it: no frame, each track
// that read well between its start and end sentinel.

#include "sim/types.h"

#include <array>

namespace sim {

struct CardTextFormat {
    // Start and end sentinel of tracks 1, 2, 3 (each may be empty or several bytes).
    std::array<Bytes, 6> sentinels{};
    uint8_t outputTracks = 0x07; // bit 0 track 1, bit 1 track 2, bit 2 track 3
    std::array<bool, 3> carriageReturnAfterTrack{};
    bool carriageReturnAfterPacket = false;
    Bytes prefix{};
    Bytes suffix{};
};

// Prefix, then for each track that is output, has status 'Y' and data, its start
// sentinel, data and end sentinel (and a CR when asked), then suffix and CR.
Bytes EncodeCardText(const Swipe& swipe, const CardTextFormat& format);

} // namespace sim
