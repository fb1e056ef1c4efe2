#pragma once
// The settings blocks the stand-in reader keeps, byte for byte as they travel,
// with the offsets of their fields and the reader's factory defaults.

#include <array>
#include <cstddef>
#include <cstdint>

namespace sim {

// 55 bytes: the data of the reply to 0x40.
using ReaderParameterBlock = std::array<uint8_t, 55>;
// 54 bytes: the data of the reply to 0x60, request bytes 3-56 of 0x5D.
using IButtonParameterBlock = std::array<uint8_t, 54>;
// 75 bytes: the data of the STX parameter reply and of the apply request.
using RsParameterBlock = std::array<uint8_t, 75>;

namespace reader_block {
inline constexpr size_t kInterface = 0; // bits 0-1 interface, bit 3 format, bit 4 mode
inline constexpr size_t kSentinels = 1; // six characters
inline constexpr size_t kOutputTracks = 7;
inline constexpr size_t kEndFlag = 8;
inline constexpr size_t kBuzzer = 9;
inline constexpr size_t kSpeed = 10;
inline constexpr size_t kDecoding = 11;
inline constexpr size_t kFilterMode = 12;
inline constexpr size_t kFilterBytes = 13; // six bytes
inline constexpr size_t kDeviceId = 19;    // high byte, then low byte
inline constexpr size_t kBuzzerFrequency = 21;
// Bytes 22-23 are not carried by the apply command; this reader keeps its
// keyboard layout code in byte 22, byte 23 stays 0.
inline constexpr size_t kKeyboardType = 22;
inline constexpr size_t kSentinelMode = 24;    // 0 multi char, 1 single char
inline constexpr size_t kSentinelStrings = 25; // six SentinelString records of 5 bytes
inline constexpr size_t kSentinelStringSize = 5;
} // namespace reader_block

namespace ibutton_block {
inline constexpr size_t kInterface = 0;
inline constexpr size_t kEnable = 1;
inline constexpr size_t kEndChar = 2;
inline constexpr size_t kFilterStart = 4;
inline constexpr size_t kFilterEnd = 5;
inline constexpr size_t kWithdrawLength = 6;
inline constexpr size_t kWithdraw = 7; // 15 bytes
inline constexpr size_t kPrefixLength = 22;
inline constexpr size_t kSuffixLength = 23;
inline constexpr size_t kPrefix = 24; // 15 bytes
inline constexpr size_t kSuffix = 39; // 15 bytes
inline constexpr size_t kTextSize = 15;
} // namespace ibutton_block

namespace rs_block {
inline constexpr size_t kPowerMode = 0;
inline constexpr size_t kSentinels = 1;       // six bytes, 0xFF = none
inline constexpr size_t kOutputTracks = 7;    // '0' + bit mask
inline constexpr size_t kCarriageReturns = 8; // bit 3 track 1 ... bit 1 track 3, bit 0 packet
inline constexpr size_t kBaudCode = 9;
inline constexpr size_t kBuzzer = 10;
inline constexpr size_t kPrefixOn = 11;
inline constexpr size_t kPrefixLength = 12;
inline constexpr size_t kPrefix = 13; // 30 bytes
inline constexpr size_t kSuffixOn = 43;
inline constexpr size_t kSuffixLength = 44;
inline constexpr size_t kSuffix = 45; // 30 bytes
inline constexpr size_t kTextSize = 30;
inline constexpr uint8_t kNoSentinel = 0xFF;
} // namespace rs_block

ReaderParameterBlock DefaultReaderParameterBlock();
IButtonParameterBlock DefaultIButtonParameterBlock();
RsParameterBlock DefaultRsParameterBlock();

inline uint16_t DeviceIdOf(const ReaderParameterBlock& block) {
    return static_cast<uint16_t>(block[reader_block::kDeviceId] << 8 |
                                 block[reader_block::kDeviceId + 1]);
}

} // namespace sim
