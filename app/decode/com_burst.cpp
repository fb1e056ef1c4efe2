#include "app/decode/com_burst.h"

#include <algorithm>
#include <cstring>

size_t ComBurstCollector::Append(std::span<const uint8_t> polled) {
    const size_t count = std::min(polled.size(), kComBurstMax - m_held);
    std::copy_n(polled.begin(), count, m_buffer.begin() + m_held);
    m_held += count;
    return count;
}

ComBurst ComBurstCollector::Take() {
    ComBurst burst;
    if (m_held == 0)
        return burst;
    const size_t length = size_t{m_buffer[0]} << 8 | m_buffer[1];
    if (m_held >= 2 && length == m_held - 2) {
        const std::span<const uint8_t> frame(m_buffer.data(), m_held);
        burst.decoder = DecoderForFrame(frame, TransportCom);
        if (burst.decoder != FrameDecoder::None) {
            burst.kind = ComBurst::Kind::Frame;
            burst.frame.assign(frame.begin(), frame.end());
        }
    } else {
        burst.kind = ComBurst::Kind::Text;
        const auto* text = reinterpret_cast<const char*>(m_buffer.data());
        burst.text.assign(text, strnlen(text, m_held));
    }
    m_buffer.fill(0);
    m_held = 0;
    return burst;
}
