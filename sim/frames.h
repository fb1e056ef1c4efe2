#pragma once
// Encoders of the frames the stand-in reader sends. They never fail: fields
// that do not fit their length byte are cut (a track to 255 bytes).

#include "sim/types.h"

#include <cstddef>
#include <cstdint>

namespace sim {

inline constexpr uint8_t kStatusOk = 'Y';
inline constexpr uint8_t kStatusRefused = 'N';

// LEN(2, big-endian) type status data.
Bytes EncodeLenFrame(uint8_t type, uint8_t status, const uint8_t* data, size_t size);
Bytes EncodeLenFrame(uint8_t type, uint8_t status, const Bytes& data);

// Type 'A' or 0x00: flags, three unread bytes, then the three track records.
Bytes EncodeAllTracksFrame(uint8_t type, uint8_t flags, const std::array<TrackRecord, 3>& tracks);
// Type 'E', 'F' or 'G' for track index 0, 1 or 2: flags, three unread bytes, one record.
Bytes EncodeTrackFrame(int trackIndex, uint8_t flags, const TrackRecord& track);
// Every frame of one swipe in the swipe's form (one frame, or three).
std::vector<Bytes> EncodeSwipeFrames(const Swipe& swipe);
// Type 'a' (key read) or 'b' (key detached), then the key bytes (at most 65533).
Bytes EncodeIButtonFrame(bool detached, const Bytes& key);

// XOR of the bytes; 0 for none.
uint8_t XorCheck(const uint8_t* data, size_t size);
// STX LEN echo2 echo3 status data ETX BCC; data is cut to fit LEN (255).
Bytes EncodeStxReply(uint8_t echo2, uint8_t echo3, uint8_t status, const Bytes& data);

inline constexpr uint8_t kStx = 0x02;
inline constexpr uint8_t kEtx = 0x03;

} // namespace sim
