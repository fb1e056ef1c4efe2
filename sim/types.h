#pragma once
// Plain data shared by the stand-in reader's engines, its transports and its
// callers: byte strings, what an engine wants sent, swipes and faults.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace sim {

using Bytes = std::vector<uint8_t>;

// One piece of line traffic: wait pauseBeforeMs, then send the bytes. A chunk
// that does not end its frame is continued by the next one; over HID they
// share reports, so a pause falls between two reports of one frame.
struct Chunk {
    Bytes bytes{};
    uint32_t pauseBeforeMs = 0;
    bool endsFrame = true;
};

// What an engine wants sent, in order.
using Output = std::vector<Chunk>;

enum class Personality {
    LengthPrefixed, // the USB/serial reader: LEN(2) type status data
    Stx,            // the RS232 reader: STX LEN command ETX BCC
};

// One track of a swipe: a status letter ('Y', 'B', 'S', 'P', 'E', 'L', 'N'
// or anything else) and the track's data (at most 255 bytes go on the wire).
struct TrackRecord {
    uint8_t status = 'Y';
    Bytes data{};
};

enum class SwipeForm {
    AllTracks,     // one frame of type 'A'
    AllTracksZero, // one frame of type 0x00
    SingleTracks,  // three frames 'E', 'F', 'G', one per track
};

inline constexpr uint8_t kFlagIso = 0x01;
inline constexpr uint8_t kFlagAamva = 0x02;
inline constexpr uint8_t kFlagCadmv = 0x04;
inline constexpr uint8_t kFlagRawData = 0x08;
inline constexpr uint8_t kFlagJis2 = 0x10;
inline constexpr uint8_t kFlagShowBits = 0x80;

struct Swipe {
    std::array<TrackRecord, 3> tracks{};
    uint8_t flags = kFlagIso;
    SwipeForm form = SwipeForm::AllTracks;
};

enum class FaultKind {
    None,
    Refuse,           // status 'N' (STX: 'N' then errorCode)
    Silent,           // nothing is sent
    ShortReply,       // only the first `count` bytes of the frame are sent
    LenClaimsMore,    // LEN says `count` bytes more than follow it
    LenBeyondBuffers, // LEN is 0xFFFF (STX: 0xFF); the body is padded with 0x55 up to `count`
                      // bytes sent in all when the frame is shorter
    SplitByPause,     // the first `count` bytes, a pause of pauseMs, the rest
    NoiseBefore,      // `count` noise bytes (0xA5 0x5A ...) in front of the frame
    WrongEcho,        // STX only: the echoed command bytes are changed
    NoVersionTrailer, // STX only: the version reply comes without its two extra bytes
};

// A fault hits every frame the stand-in sends (replies and event frames) whose
// type byte (STX: first echoed command byte) is onlyType, or every frame when
// onlyType is empty; it hits `times` frames, or all of them for -1.
struct Fault {
    FaultKind kind = FaultKind::None;
    std::optional<uint8_t> onlyType{};
    size_t count = 0;
    uint32_t pauseMs = 0;
    uint8_t errorCode = 0;
    int times = -1;
};

} // namespace sim
