#include "app/decode/frame_dispatch.h"

FrameDecoder DecoderForFrame(std::span<const uint8_t> frame, TransportMode transport) {
    if (frame.size() < 4 || frame[3] != 'Y')
        return FrameDecoder::None;
    const bool hid = transport == TransportHid;
    switch (frame[2]) {
    case 0x00:
    case 'A':
        return FrameDecoder::AllTracks;
    case 'E':
        return hid ? FrameDecoder::Track1 : FrameDecoder::None;
    case 'F':
        return hid ? FrameDecoder::Track2 : FrameDecoder::None;
    case 'G':
        return hid ? FrameDecoder::Track3 : FrameDecoder::None;
    case 'a':
        return FrameDecoder::IButtonData;
    case 'b':
        return FrameDecoder::IButtonDetached;
    default:
        return FrameDecoder::None;
    }
}

int TabForDecoder(FrameDecoder decoder) {
    switch (decoder) {
    case FrameDecoder::AllTracks:
    case FrameDecoder::Track1:
    case FrameDecoder::Track2:
    case FrameDecoder::Track3:
        return kCardSwipeTestTab;
    case FrameDecoder::IButtonData:
    case FrameDecoder::IButtonDetached:
        return kIButtonTab;
    case FrameDecoder::None:
        break;
    }
    return -1;
}
