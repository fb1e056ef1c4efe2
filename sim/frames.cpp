#include "sim/frames.h"

#include <algorithm>

namespace sim {

namespace {

constexpr size_t kMaxLenBody = 0xFFFF;
constexpr size_t kMaxTrackData = 255;
constexpr uint8_t kTrackTypes[3] = {'E', 'F', 'G'};

void AppendTrack(Bytes& body, const TrackRecord& track) {
    const size_t n = std::min(track.data.size(), kMaxTrackData);
    body.push_back(track.status);
    body.push_back(static_cast<uint8_t>(n));
    body.insert(body.end(), track.data.begin(), track.data.begin() + static_cast<long>(n));
}

Bytes TrackBody(uint8_t flags) {
    return Bytes{flags, 0, 0, 0};
}

} // namespace

Bytes EncodeLenFrame(uint8_t type, uint8_t status, const uint8_t* data, size_t size) {
    size = std::min(size, kMaxLenBody - 2);
    const size_t len = size + 2;
    Bytes frame;
    frame.reserve(len + 2);
    frame.push_back(static_cast<uint8_t>(len >> 8));
    frame.push_back(static_cast<uint8_t>(len & 0xFF));
    frame.push_back(type);
    frame.push_back(status);
    if (size > 0) {
        frame.insert(frame.end(), data, data + size);
    }
    return frame;
}

Bytes EncodeLenFrame(uint8_t type, uint8_t status, const Bytes& data) {
    return EncodeLenFrame(type, status, data.data(), data.size());
}

Bytes EncodeAllTracksFrame(uint8_t type, uint8_t flags, const std::array<TrackRecord, 3>& tracks) {
    Bytes body = TrackBody(flags);
    for (const TrackRecord& track : tracks) {
        AppendTrack(body, track);
    }
    return EncodeLenFrame(type, kStatusOk, body);
}

Bytes EncodeTrackFrame(int trackIndex, uint8_t flags, const TrackRecord& track) {
    const int index = std::clamp(trackIndex, 0, 2);
    Bytes body = TrackBody(flags);
    AppendTrack(body, track);
    return EncodeLenFrame(kTrackTypes[index], kStatusOk, body);
}

std::vector<Bytes> EncodeSwipeFrames(const Swipe& swipe) {
    switch (swipe.form) {
    case SwipeForm::AllTracks:
        return {EncodeAllTracksFrame('A', swipe.flags, swipe.tracks)};
    case SwipeForm::AllTracksZero:
        return {EncodeAllTracksFrame(0x00, swipe.flags, swipe.tracks)};
    case SwipeForm::SingleTracks:
        break;
    }
    std::vector<Bytes> frames;
    for (int i = 0; i < 3; ++i) {
        frames.push_back(EncodeTrackFrame(i, swipe.flags, swipe.tracks[static_cast<size_t>(i)]));
    }
    return frames;
}

Bytes EncodeIButtonFrame(bool detached, const Bytes& key) {
    return EncodeLenFrame(detached ? 'b' : 'a', kStatusOk, key);
}

uint8_t XorCheck(const uint8_t* data, size_t size) {
    uint8_t check = 0;
    for (size_t i = 0; i < size; ++i) {
        check ^= data[i];
    }
    return check;
}

Bytes EncodeStxReply(uint8_t echo2, uint8_t echo3, uint8_t status, const Bytes& data) {
    const size_t n = std::min<size_t>(data.size(), 255 - 3);
    Bytes frame{kStx, static_cast<uint8_t>(n + 3), echo2, echo3, status};
    frame.insert(frame.end(), data.begin(), data.begin() + static_cast<long>(n));
    frame.push_back(kEtx);
    frame.push_back(XorCheck(frame.data(), frame.size()));
    return frame;
}

} // namespace sim
