#include "app/decode/com_burst.h"

#include <algorithm>
#include <cstring>

namespace {

using Bytes = std::span<const uint8_t>;

size_t LenAt(Bytes bytes, size_t at) {
    return size_t{bytes[at]} << 8 | bytes[at + 1];
}

// The whole frames, each with at least its type and status, that make up
// the bytes exactly; none when they do not add up.
std::vector<Bytes> WholeFrames(Bytes bytes) {
    std::vector<Bytes> frames;
    for (size_t at = 0; at < bytes.size(); at += frames.back().size()) {
        if (bytes.size() - at < 4)
            return {};
        const size_t size = LenAt(bytes, at) + 2;
        if (size < 4 || size > bytes.size() - at)
            return {};
        frames.push_back(bytes.subspan(at, size));
    }
    return frames;
}

ComBurst FrameBurst(Bytes frame) {
    ComBurst burst;
    burst.decoder = DecoderForFrame(frame, TransportCom);
    if (burst.decoder != FrameDecoder::None) {
        burst.kind = ComBurst::Kind::Frame;
        burst.frame.assign(frame.begin(), frame.end());
    }
    return burst;
}

ComBurst TextBurst(Bytes bytes) {
    ComBurst burst;
    burst.kind = ComBurst::Kind::Text;
    const auto* text = reinterpret_cast<const char*>(bytes.data());
    burst.text.assign(text, strnlen(text, bytes.size()));
    return burst;
}

} // namespace

size_t ComBurstCollector::Append(std::span<const uint8_t> polled) {
    const size_t count = std::min(polled.size(), kComBurstMax - m_held);
    std::copy_n(polled.begin(), count, m_buffer.begin() + m_held);
    m_held += count;
    return count;
}

std::vector<ComBurst> ComBurstCollector::Take() {
    std::vector<ComBurst> bursts;
    const Bytes held(m_buffer.data(), m_held);
    if (held.empty())
        return bursts;
    if (const std::vector<Bytes> frames = WholeFrames(held); !frames.empty()) {
        for (const Bytes frame : frames)
            bursts.push_back(FrameBurst(frame));
    } else if (held.size() >= 2 && LenAt(held, 0) == held.size() - 2) {
        bursts.push_back(FrameBurst(held)); // LEN 0 or 1: no type or status
    } else {
        bursts.push_back(TextBurst(held));
    }
    m_buffer.fill(0);
    m_held = 0;
    return bursts;
}
