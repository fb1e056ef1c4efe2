#include "sim/len_engine.h"

#include "sim/card_text.h"
#include "sim/frames.h"

#include <algorithm>

namespace sim {

namespace {

constexpr uint8_t kManualRead = 0x41;
constexpr uint8_t kCancelManualRead = 0x3A;
constexpr size_t kMaxTextLength = ibutton_block::kTextSize;
// Requests that carry neighbouring fields are stored in one copy.
static_assert(reader_block::kFilterBytes == reader_block::kFilterMode + 1);
static_assert(ibutton_block::kFilterEnd == ibutton_block::kFilterStart + 1);

// Copies a length-counted text into its zero-filled field of the block.
void StoreText(IButtonParameterBlock& block, size_t field, const uint8_t* text, size_t length) {
    std::fill_n(block.begin() + static_cast<long>(field), kMaxTextLength, uint8_t{0});
    std::copy_n(text, length, block.begin() + static_cast<long>(field));
}

// Copies the first n parameter bytes into the block from `at` on; false
// when the request carries fewer.
template <size_t N>
bool StoreParams(std::array<uint8_t, N>& block, size_t at, const uint8_t* params, size_t count,
                 size_t n = 1) {
    if (count < n) {
        return false;
    }
    std::copy_n(params, n, block.begin() + static_cast<long>(at));
    return true;
}

Bytes TextBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

} // namespace

LenEngine::LenEngine()
    : m_readerBlock(DefaultReaderParameterBlock()), m_ibuttonBlock(DefaultIButtonParameterBlock()),
      m_version("TXV-SIM V1.00"), m_info("TXV-SIM iButton V1.00") {}

bool LenEngine::HasPartial() const {
    return !m_request.empty() || m_skip > 0;
}

void LenEngine::DropPartial() {
    m_request.clear();
    m_skip = 0;
}

size_t LenEngine::Take(const uint8_t* data, size_t size, bool* complete) {
    *complete = false;
    size_t used = 0;
    while (used < size && !*complete) {
        if (m_skip > 0) {
            const size_t n = std::min(size - used, m_skip);
            m_skip -= n;
            used += n;
            *complete = m_skip == 0;
            continue;
        }
        if (m_request.size() < 2) {
            m_request.push_back(data[used++]);
            if (m_request.size() < 2) {
                continue;
            }
            const size_t len = size_t{m_request[0]} << 8 | m_request[1];
            if (len == 0 || len > kMaxRequestBody) {
                // Nothing to answer: a frame without a command, or one no reader
                // takes; its body is skipped so the next request starts cleanly.
                m_request.clear();
                m_skip = len;
                *complete = len == 0;
            }
            continue;
        }
        const size_t want = (size_t{m_request[0]} << 8 | m_request[1]) + 2 - m_request.size();
        const size_t n = std::min(size - used, want);
        m_request.insert(m_request.end(), data + used, data + used + n);
        used += n;
        *complete = n == want;
    }
    return used;
}

Output LenEngine::Feed(const uint8_t* data, size_t size) {
    Output out;
    while (size > 0) {
        bool complete = false;
        const size_t used = Take(data, size, &complete);
        data += used;
        size -= used;
        if (complete && !m_request.empty()) {
            Answer(out);
        }
    }
    return out;
}

Output LenEngine::FeedReport(const uint8_t* data, size_t size) {
    Output out;
    bool complete = false;
    Take(data, size, &complete);
    if (complete && !m_request.empty()) {
        Answer(out);
    }
    return out;
}

void LenEngine::Answer(Output& out) {
    const Bytes request = std::move(m_request);
    m_request.clear();
    NoteRequest(request.data(), request.size());
    const uint8_t command = request[2];
    const uint8_t* params = request.data() + 3;
    const size_t count = request.size() - 3;

    if (command == kManualRead) {
        m_armed = true;
        if (m_manualSwipe) {
            Output swipe = EmitSwipe(*m_manualSwipe);
            out.insert(out.end(), swipe.begin(), swipe.end());
            m_manualSwipe.reset();
            m_armed = false;
        }
        return;
    }
    if (command == kCancelManualRead) {
        m_armed = false;
    }
    Bytes data;
    const bool ok = command >= 0x50 ? ExecuteIButton(command, params, count, &data)
                                    : Execute(command, params, count, &data);
    Send(out, EncodeLenFrame(command, ok ? kStatusOk : kStatusRefused, ok ? data : Bytes{}),
         FrameFormat::Len);
}

bool LenEngine::Execute(uint8_t command, const uint8_t* p, size_t count, Bytes* data) {
    using namespace reader_block;
    ReaderParameterBlock& b = m_readerBlock;
    switch (command) {
    case 0x20:
        return StoreParams(b, kKeyboardType, p, count);
    case 0x30:
        *data = TextBytes(m_version);
        return true;
    case 0x31:
        return StoreParams(b, kInterface, p, count);
    case 0x32:
        if (count < 39 || p[8] > 1) {
            return false;
        }
        std::copy_n(p, 6, b.begin() + kSentinels);
        b[kOutputTracks] = p[6];
        b[kEndFlag] = p[7];
        b[kSentinelMode] = p[8];
        std::copy_n(p + 9, 6 * kSentinelStringSize, b.begin() + kSentinelStrings);
        return true;
    case 0x34:
        if (count < 2) {
            return false;
        }
        b[kBuzzer] = p[0];
        b[kBuzzerFrequency] = p[1];
        return true;
    case 0x36:
        return StoreParams(b, kSpeed, p, count);
    case 0x37:
        return StoreParams(b, kFilterMode, p, count, 7);
    case 0x38:
        return StoreParams(b, kDecoding, p, count);
    case 0x39:
        return StoreParams(b, kDeviceId, p, count, 2);
    case kCancelManualRead:
    case 0x3E:
        return true;
    case 0x3D:
        // The request carries the block without bytes 22 and 23.
        if (count < 53) {
            return false;
        }
        std::copy_n(p, 22, b.begin());
        b[kSentinelMode] = p[22];
        std::copy_n(p + 23, 30, b.begin() + kSentinelStrings);
        return true;
    case 0x3F:
        b = DefaultReaderParameterBlock();
        return true;
    case 0x40:
        data->assign(b.begin(), b.end());
        return true;
    case 0x44:
        *data = {b[kDeviceId], b[kDeviceId + 1]};
        return true;
    default:
        return false;
    }
}

bool LenEngine::ExecuteIButton(uint8_t command, const uint8_t* p, size_t count, Bytes* data) {
    using namespace ibutton_block;
    IButtonParameterBlock& b = m_ibuttonBlock;
    switch (command) {
    case 0x50:
        *data = TextBytes(m_info);
        return true;
    case 0x51:
        return StoreParams(b, kInterface, p, count);
    case 0x52:
        if (count < 32 || p[0] > kTextSize || p[16] > kTextSize) {
            return false;
        }
        b[kPrefixLength] = p[0];
        StoreText(b, kPrefix, p + 1, p[0]);
        b[kSuffixLength] = p[16];
        StoreText(b, kSuffix, p + 17, p[16]);
        return true;
    case 0x53:
        return StoreParams(b, kEndChar, p, count);
    case 0x54:
        return StoreParams(b, kEnable, p, count);
    case 0x57:
        return StoreParams(b, kFilterStart, p, count, 2);
    case 0x58:
        if (count < 16 || p[0] > kTextSize) {
            return false;
        }
        b[kWithdrawLength] = p[0];
        StoreText(b, kWithdraw, p + 1, p[0]);
        return true;
    case 0x5D:
        if (count < b.size() || p[kWithdrawLength] > kTextSize || p[kPrefixLength] > kTextSize ||
            p[kSuffixLength] > kTextSize) {
            return false;
        }
        std::copy_n(p, b.size(), b.begin());
        return true;
    case 0x5F:
        b = DefaultIButtonParameterBlock();
        return true;
    case 0x60:
        data->assign(b.begin(), b.end());
        return true;
    default:
        return false;
    }
}

Output LenEngine::QueueManualSwipe(const Swipe& swipe) {
    if (!m_armed) {
        m_manualSwipe = swipe;
        return {};
    }
    m_armed = false;
    return EmitSwipe(swipe);
}

CardTextFormat LenEngine::TextFormat() const {
    using namespace reader_block;
    CardTextFormat format;
    const bool multi = m_readerBlock[kSentinelMode] == 0;
    for (size_t i = 0; i < 6; ++i) {
        Bytes& sentinel = format.sentinels[i];
        if (multi) {
            const size_t at = kSentinelStrings + i * kSentinelStringSize;
            const size_t n = std::min<size_t>(m_readerBlock[at], kSentinelStringSize - 1);
            sentinel.assign(m_readerBlock.begin() + static_cast<long>(at + 1),
                            m_readerBlock.begin() + static_cast<long>(at + 1 + n));
        } else if (m_readerBlock[kSentinels + i] != 0) {
            sentinel = {m_readerBlock[kSentinels + i]};
        }
    }
    format.outputTracks = m_readerBlock[kOutputTracks] & 0x07;
    return format;
}

} // namespace sim
