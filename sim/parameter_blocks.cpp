#include "sim/parameter_blocks.h"

#include <algorithm>

namespace sim {

namespace {

constexpr uint8_t kDefaultSentinels[6] = {'%', '?', ';', '?', '+', '?'};

} // namespace

ReaderParameterBlock DefaultReaderParameterBlock() {
    using namespace reader_block;
    ReaderParameterBlock block{};
    block[kInterface] = 0x01; // HID custom, ASCII, mode 0
    std::copy(std::begin(kDefaultSentinels), std::end(kDefaultSentinels),
              block.begin() + kSentinels);
    block[kOutputTracks] = 0x07;
    block[kEndFlag] = 0x58; // Enter
    block[kBuzzer] = 0x01;
    block[kSpeed] = 0;
    block[kDecoding] = 0x01; // ISO
    block[kFilterMode] = 0;
    block[kDeviceId] = 0x00;
    block[kDeviceId + 1] = 0x01;
    block[kBuzzerFrequency] = 200;
    block[kKeyboardType] = 0x00; // English (US)
    block[kSentinelMode] = 1;    // single char
    for (size_t i = 0; i < 6; ++i) {
        const size_t at = kSentinelStrings + i * kSentinelStringSize;
        block[at] = 1;
        block[at + 1] = kDefaultSentinels[i];
    }
    return block;
}

IButtonParameterBlock DefaultIButtonParameterBlock() {
    using namespace ibutton_block;
    IButtonParameterBlock block{};
    block[kInterface] = 0x00;
    block[kEnable] = 0x07; // buzzer, code and CRC on
    block[kEndChar] = 0x58;
    block[kFilterStart] = 0x00;
    block[kFilterEnd] = 0xFF;
    return block;
}

RsParameterBlock DefaultRsParameterBlock() {
    using namespace rs_block;
    RsParameterBlock block{};
    block[kPowerMode] = 0x00;
    std::copy(std::begin(kDefaultSentinels), std::end(kDefaultSentinels),
              block.begin() + kSentinels);
    block[kOutputTracks] = '7';
    block[kCarriageReturns] = 0x01; // CR after the packet
    block[kBaudCode] = '1';         // 9600
    block[kBuzzer] = 0x03;          // enabled, beep on success
    std::fill_n(block.begin() + kPrefix, kTextSize, uint8_t{'0'});
    std::fill_n(block.begin() + kSuffix, kTextSize, uint8_t{'0'});
    return block;
}

} // namespace sim
