#pragma once
// Which decoder takes a frame that the reader sent by itself, and which tab
// is brought to the front before it runs.

#include "reader/types.h"

#include <cstdint>
#include <span>

enum class FrameDecoder {
    None, // not accepted, or a type this transport does not take: ignore it
    AllTracks,
    Track1,
    Track2,
    Track3,
    IButtonData,
    IButtonDetached,
};

inline constexpr int kIButtonTab = 1;
inline constexpr int kCardSwipeTestTab = 3;

// A frame is accepted with at least 4 bytes and status 'Y'. Over HID the
// types 0x00, 'A', 'E', 'F', 'G', 'a', 'b' are taken; over COM (any other
// transport) the single-track types are not.
FrameDecoder DecoderForFrame(std::span<const uint8_t> frame, TransportMode transport);

// kCardSwipeTestTab for track frames, kIButtonTab for iButton frames, -1 for
// None.
int TabForDecoder(FrameDecoder decoder);
