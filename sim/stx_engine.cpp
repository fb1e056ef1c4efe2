#include "sim/stx_engine.h"

#include "sim/card_text.h"
#include "sim/frames.h"

#include <algorithm>

namespace sim {

namespace {

constexpr uint8_t kApplyCommand = '5';
constexpr size_t kApplyLen = 1 + std::tuple_size_v<RsParameterBlock>;
const Bytes kVersionTrailer = {0x0D, 0x0A};

Bytes Text(const RsParameterBlock& block, size_t onAt, size_t lengthAt, size_t textAt) {
    if (block[onAt] == 0) {
        return {};
    }
    const size_t n = std::min<size_t>(block[lengthAt], rs_block::kTextSize);
    return Bytes(block.begin() + static_cast<long>(textAt),
                 block.begin() + static_cast<long>(textAt + n));
}

} // namespace

StxEngine::StxEngine() : m_block(DefaultRsParameterBlock()), m_version("TXV-SIM RS V1.00") {}

Output StxEngine::Feed(const uint8_t* data, size_t size) {
    Output out;
    for (size_t i = 0; i < size; ++i) {
        if (m_request.empty() && data[i] != kStx) {
            continue;
        }
        m_request.push_back(data[i]);
        if (m_request.size() >= 2 && m_request.size() == size_t{m_request[1]} + 4) {
            Answer(out);
            m_request.clear();
        }
    }
    return out;
}

Output StxEngine::FeedReport(const uint8_t* data, size_t size) {
    return Feed(data, size);
}

void StxEngine::Answer(Output& out) {
    const Bytes& r = m_request;
    NoteRequest(r.data(), r.size());
    const size_t len = r[1];
    auto refuse = [&](uint8_t code) {
        Send(out, EncodeStxReply(r[2], r[3], kStatusRefused, Bytes{code}), FrameFormat::Stx);
    };
    if (r[2 + len] != kEtx || r[3 + len] != XorCheck(r.data(), 3 + len)) {
        refuse(kStxErrorCheck);
        return;
    }
    if (r[2] == kApplyCommand) {
        if (len != kApplyLen) {
            refuse(kStxErrorLength);
            return;
        }
        std::copy_n(r.begin() + 3, m_block.size(), m_block.begin());
        Send(out, EncodeStxReply(r[2], r[3], kStatusOk, {}), FrameFormat::Stx);
        return;
    }
    const bool version = r[2] == '2' && r[3] == '0';
    const bool parameters = r[2] == '1' && r[3] == '0';
    const bool restore = r[2] == '0' && r[3] == '3';
    if (!version && !parameters && !restore) {
        refuse(kStxErrorCommand);
        return;
    }
    if (len != 2) {
        refuse(kStxErrorLength);
        return;
    }
    if (version) {
        Send(out, EncodeStxReply(r[2], r[3], kStatusOk, Bytes(m_version.begin(), m_version.end())),
             FrameFormat::Stx, kVersionTrailer);
    } else if (parameters) {
        Send(out, EncodeStxReply(r[2], r[3], kStatusOk, Bytes(m_block.begin(), m_block.end())),
             FrameFormat::Stx);
    } else {
        m_block = DefaultRsParameterBlock();
        Send(out, EncodeStxReply(r[2], r[3], kStatusOk, {}), FrameFormat::Stx);
    }
}

CardTextFormat StxEngine::TextFormat() const {
    using namespace rs_block;
    CardTextFormat format;
    for (size_t i = 0; i < 6; ++i) {
        const uint8_t sentinel = m_block[kSentinels + i];
        if (sentinel != kNoSentinel) {
            format.sentinels[i] = {sentinel};
        }
    }
    const uint8_t tracks = m_block[kOutputTracks];
    format.outputTracks = static_cast<uint8_t>((tracks >= '0' ? tracks - '0' : tracks) & 0x07);
    const uint8_t returns = m_block[kCarriageReturns];
    for (size_t i = 0; i < 3; ++i) {
        format.carriageReturnAfterTrack[i] = (returns & (0x08 >> i)) != 0;
    }
    format.carriageReturnAfterPacket = (returns & 0x01) != 0;
    format.prefix = Text(m_block, kPrefixOn, kPrefixLength, kPrefix);
    format.suffix = Text(m_block, kSuffixOn, kSuffixLength, kSuffix);
    return format;
}

} // namespace sim
