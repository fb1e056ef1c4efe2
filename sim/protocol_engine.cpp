#include "sim/protocol_engine.h"

#include "sim/card_text.h"
#include "sim/frames.h"

#include <algorithm>

namespace sim {

namespace {

constexpr uint8_t kFiller = 0x55;

bool Hits(const Fault& fault, const Bytes& frame) {
    if (fault.kind == FaultKind::None || fault.times == 0) {
        return false;
    }
    return !fault.onlyType || (frame.size() > 2 && frame[2] == *fault.onlyType);
}

void SetLenField(Bytes& frame, size_t len) {
    len = std::min<size_t>(len, 0xFFFF);
    frame[0] = static_cast<uint8_t>(len >> 8);
    frame[1] = static_cast<uint8_t>(len & 0xFF);
}

void Reseal(Bytes& stxFrame) {
    stxFrame.back() = XorCheck(stxFrame.data(), stxFrame.size() - 1);
}

// Changes the frame itself; faults that only shape the traffic are left to Send.
void Deform(const Fault& fault, Bytes& frame, bool stx) {
    const size_t minimum = stx ? 6 : 4;
    if (frame.size() < minimum) {
        return;
    }
    switch (fault.kind) {
    case FaultKind::Refuse:
        if (stx) {
            frame = EncodeStxReply(frame[2], frame[3], kStatusRefused, Bytes{fault.errorCode});
        } else {
            frame[3] = kStatusRefused;
        }
        break;
    case FaultKind::LenClaimsMore:
        if (stx) {
            frame[1] = static_cast<uint8_t>(std::min<size_t>(frame[1] + fault.count, 0xFF));
            Reseal(frame);
        } else {
            SetLenField(frame, (size_t{frame[0]} << 8 | frame[1]) + fault.count);
        }
        break;
    case FaultKind::LenBeyondBuffers:
        if (stx) {
            frame[1] = 0xFF;
        } else {
            SetLenField(frame, 0xFFFF);
        }
        if (frame.size() < fault.count) {
            frame.resize(fault.count, kFiller);
        }
        break;
    case FaultKind::WrongEcho:
        if (stx) {
            frame[2] = static_cast<uint8_t>(frame[2] + 1);
            Reseal(frame);
        }
        break;
    default:
        break;
    }
}

} // namespace

void ProtocolEngine::Send(Output& out, Bytes frame, FrameFormat format, const Bytes& trailer) {
    const bool hit = Hits(m_fault, frame);
    const Fault fault = hit ? m_fault : Fault{};
    if (hit && m_fault.times > 0) {
        --m_fault.times;
    }
    if (fault.kind == FaultKind::Silent) {
        return;
    }
    Deform(fault, frame, format == FrameFormat::Stx);
    if (fault.kind != FaultKind::NoVersionTrailer) {
        frame.insert(frame.end(), trailer.begin(), trailer.end());
    }
    switch (fault.kind) {
    case FaultKind::ShortReply:
        frame.resize(std::min(frame.size(), fault.count));
        out.push_back(Chunk{std::move(frame), 0});
        return;
    case FaultKind::SplitByPause: {
        const size_t at = std::min(frame.size(), fault.count);
        Bytes rest(frame.begin() + static_cast<long>(at), frame.end());
        frame.resize(at);
        out.push_back(Chunk{std::move(frame), 0, rest.empty()});
        if (!rest.empty()) {
            out.push_back(Chunk{std::move(rest), fault.pauseMs});
        }
        return;
    }
    case FaultKind::NoiseBefore: {
        Bytes noisy;
        noisy.reserve(fault.count + frame.size());
        for (size_t i = 0; i < fault.count; ++i) {
            noisy.push_back(i % 2 == 0 ? 0xA5 : 0x5A);
        }
        noisy.insert(noisy.end(), frame.begin(), frame.end());
        out.push_back(Chunk{std::move(noisy), 0});
        return;
    }
    default:
        out.push_back(Chunk{std::move(frame), 0});
        return;
    }
}

void ProtocolEngine::NoteRequest(const uint8_t* data, size_t size) {
    m_lastRequest.assign(data, data + size);
    ++m_requestCount;
}

Output ProtocolEngine::EmitSwipe(const Swipe& swipe) {
    Output out;
    for (Bytes& frame : EncodeSwipeFrames(swipe)) {
        Send(out, std::move(frame), FrameFormat::Len);
    }
    return out;
}

Output ProtocolEngine::EmitTrackFrame(int trackIndex, uint8_t flags, const TrackRecord& track) {
    Output out;
    Send(out, EncodeTrackFrame(trackIndex, flags, track), FrameFormat::Len);
    return out;
}

Output ProtocolEngine::EmitIButton(bool detached, const Bytes& key) {
    Output out;
    Send(out, EncodeIButtonFrame(detached, key), FrameFormat::Len);
    return out;
}

Output ProtocolEngine::EmitCardText(const Swipe& swipe) const {
    return EmitRaw(EncodeCardText(swipe, TextFormat()));
}

Output ProtocolEngine::EmitRaw(const Bytes& bytes) {
    if (bytes.empty()) {
        return {};
    }
    return Output{Chunk{bytes, 0}};
}

} // namespace sim
