#pragma once
// The bytes that a reader on a COM port sends by itself come in bursts: the
// reading thread polls the input queue and a burst ends at the first poll
// that finds it empty. A burst that is exactly a sequence of whole frames,
// each with its type and status (a key touched and released at once), is
// taken frame by frame; else a burst whose length field equals its size less
// two is a frame, and any other burst is card text from a reader in
// transparent mode.
//
// The frame buffer keeps its last byte for the text's terminating zero, so a
// burst holds at most kComBurstMax bytes. A burst that would grow past that is
// taken as soon as the buffer is full, as it stands, and collection starts
// again with the bytes that did not fit.
//
// One poll of the thread:
//   if bytes were read:
//       for (rest = polled; !rest.empty(); rest = rest.subspan(taken)) {
//           taken = collector.Append(rest);
//           if (collector.Full()) hand over each of collector.Take();
//       }
//   else if (collector.Holding()) hand over each of collector.Take();

#include "app/decode/frame_dispatch.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

inline constexpr size_t kFrameBufferSize = 1024;
inline constexpr size_t kComBurstMax = kFrameBufferSize - 1;

struct ComBurst {
    enum class Kind {
        Frame,   // decode frame with decoder, after bringing its tab forward
        Dropped, // a frame with another status or a type COM does not take
        Text,    // bring the card-swipe test tab forward, hand text to its parser
    };
    Kind kind = Kind::Dropped;
    FrameDecoder decoder = FrameDecoder::None;
    std::vector<uint8_t> frame; // Frame: the whole frame, LEN + 2 bytes
    std::string text;           // Text: the bytes up to the first zero (Latin-1)
};

class ComBurstCollector {
public:
    // Appends as many of the polled bytes as fit and returns how many.
    size_t Append(std::span<const uint8_t> polled);
    // No room is left: take the burst before appending more.
    bool Full() const { return m_held == kComBurstMax; }
    bool Holding() const { return m_held > 0; }
    // The burst as it stands, one item per frame or one text, then an empty
    // buffer. With nothing held there are no items.
    std::vector<ComBurst> Take();

private:
    std::array<uint8_t, kFrameBufferSize> m_buffer{};
    size_t m_held = 0;
};
