// The card reader's setting and query commands (0x20 to 0x44).

#include "reader/commands.h"

#include "reader/command_exchange.h"
#include "reader/reply_frame.h"

#include <cstring>

namespace {

constexpr int kSentinelCount = 6;

uint8_t Bit(int flag, int bit) {
    return flag != 0 ? static_cast<uint8_t>(1u << bit) : 0;
}

bool AllPresent(const SentinelString* const (&strings)[kSentinelCount]) {
    for (const SentinelString* s : strings)
        if (s == nullptr)
            return false;
    return true;
}

void PutSentinelStrings(uint8_t* at, const SentinelString* const (&strings)[kSentinelCount]) {
    for (int i = 0; i < kSentinelCount; ++i)
        std::memcpy(at + i * sizeof(SentinelString), strings[i], sizeof(SentinelString));
}

uint8_t HighByte(int value) {
    return static_cast<uint8_t>((value >> 8) & 0xFF);
}
uint8_t LowByte(int value) {
    return static_cast<uint8_t>(value & 0xFF);
}

int SendSetting(DeviceHandle h, int mode, uint8_t code, uint8_t value) {
    return SendByteSetting<kSettingFrameSize>(h, mode, code, value, kSettingTimeoutMs);
}

} // namespace

int CmdSetKeyboardType(DeviceHandle h, int mode, uint8_t keyboardCode) {
    return SendSetting(h, mode, 0x20, keyboardCode);
}

int CmdDetectDevice(DeviceHandle h, int mode, uint8_t* data, int capacity, int timeoutMs) {
    if (!IsCommandTarget(h, mode) || timeoutMs <= 0 || data == nullptr)
        return ReaderBadArgument;
    const uint8_t request[] = {0x00, 0x01, 0x30};
    return ExchangeAndInterpret<kSettingFrameSize>(
        h, mode, request, sizeof request, timeoutMs, [&](const uint8_t* reply, int replyCount) {
            return InterpretDataReply(reply, replyCount, data, capacity, nullptr);
        });
}

int CmdSetInterface(DeviceHandle h, int mode, int interfaceCode, int dataFormat,
                    unsigned int readerModeBit) {
    if (!IsCommandTarget(h, mode) || readerModeBit > 1)
        return ReaderBadArgument;
    const bool knownInterface = interfaceCode >= 1 && interfaceCode <= 3;
    const uint8_t value = static_cast<uint8_t>((knownInterface ? interfaceCode : 0) |
                                               Bit(dataFormat == 1, 3) | readerModeBit << 4);
    return SendSetting(h, mode, 0x31, value);
}

int CmdSetOutputTrack(
    DeviceHandle h, int mode, uint8_t track1Start, uint8_t track1End, uint8_t track2Start,
    uint8_t track2End, uint8_t track3Start, uint8_t track3End, int outputTrack1, int outputTrack2,
    int outputTrack3, uint8_t packetEndFlag, uint8_t sentinelMode,
    const SentinelString* track1StartString, const SentinelString* track1EndString,
    const SentinelString* track2StartString, const SentinelString* track2EndString,
    const SentinelString* track3StartString, const SentinelString* track3EndString) {
    const SentinelString* const strings[kSentinelCount] = {track1StartString, track1EndString,
                                                           track2StartString, track2EndString,
                                                           track3StartString, track3EndString};
    if (!IsCommandTarget(h, mode) || sentinelMode > 1 || !AllPresent(strings))
        return ReaderBadArgument;
    uint8_t request[42] = {
        0x00,
        0x28,
        0x32,
        track1Start,
        track1End,
        track2Start,
        track2End,
        track3Start,
        track3End,
        static_cast<uint8_t>(Bit(outputTrack1, 0) | Bit(outputTrack2, 1) | Bit(outputTrack3, 2)),
        packetEndFlag,
        sentinelMode};
    PutSentinelStrings(request + 12, strings);
    return ExchangeForStatus<kSettingFrameSize>(h, mode, request, sizeof request,
                                                kSettingTimeoutMs);
}

int CmdSetBuzzer(DeviceHandle h, int mode, int successBeep, int failureBeep, uint8_t frequency) {
    if (!IsCommandTarget(h, mode) || frequency < 100)
        return ReaderBadArgument;
    const uint8_t request[] = {0x00, 0x03, 0x34,
                               static_cast<uint8_t>(Bit(successBeep, 0) | Bit(failureBeep, 1)),
                               frequency};
    return ExchangeForStatus<kSettingFrameSize>(h, mode, request, sizeof request,
                                                kSettingTimeoutMs);
}

int CmdSetSpeed(DeviceHandle h, int mode, uint8_t speed) {
    return SendSetting(h, mode, 0x36, speed);
}

int CmdSetDataFilter(DeviceHandle h, int mode, uint8_t filterMode, int track1StartOn,
                     uint8_t track1Start, int track1EndOn, uint8_t track1End, int track2StartOn,
                     uint8_t track2Start, int track2EndOn, uint8_t track2End, int track3StartOn,
                     uint8_t track3Start, int track3EndOn, uint8_t track3End) {
    if (!IsCommandTarget(h, mode))
        return ReaderBadArgument;
    // Only the range mode marks the filters that are switched on.
    const bool marked = filterMode == 2;
    auto filter = [marked](int on, uint8_t value) {
        return static_cast<uint8_t>(value | (marked && on != 0 ? 0x80 : 0));
    };
    const uint8_t request[] = {0x00,
                               0x08,
                               0x37,
                               filterMode,
                               filter(track1StartOn, track1Start),
                               filter(track1EndOn, track1End),
                               filter(track2StartOn, track2Start),
                               filter(track2EndOn, track2End),
                               filter(track3StartOn, track3Start),
                               filter(track3EndOn, track3End)};
    return ExchangeForStatus<kSettingFrameSize>(h, mode, request, sizeof request,
                                                kSettingTimeoutMs);
}

int CmdSetDecoding(DeviceHandle h, int mode, int iso, int aamva, int cadmv, int rawData, int jis2) {
    return SendSetting(h, mode, 0x38,
                       static_cast<uint8_t>(Bit(iso, 0) | Bit(aamva, 1) | Bit(cadmv, 2) |
                                            Bit(rawData, 3) | Bit(jis2, 4)));
}

int CmdSetDeviceId(DeviceHandle h, int mode, int deviceId) {
    if (!IsCommandTarget(h, mode))
        return ReaderBadArgument;
    const uint8_t request[] = {0x00, 0x03, 0x39, HighByte(deviceId), LowByte(deviceId)};
    return ExchangeForStatus<kSettingFrameSize>(h, mode, request, sizeof request,
                                                kSettingTimeoutMs);
}

int CmdCancelManualRead(DeviceHandle h) {
    return SendSetting(h, TransportHid, 0x3A, 0x00);
}

int CmdApplyOption(DeviceHandle h, int mode, uint8_t interfaceFormat, uint8_t track1Start,
                   uint8_t track1End, uint8_t track2Start, uint8_t track2End, uint8_t track3Start,
                   uint8_t track3End, uint8_t outputTracks, uint8_t packetEndFlag,
                   uint8_t buzzerFlags, uint8_t speed, uint8_t decoding, uint8_t filterMode,
                   uint8_t track1StartFilter, uint8_t track1EndFilter, uint8_t track2StartFilter,
                   uint8_t track2EndFilter, uint8_t track3StartFilter, uint8_t track3EndFilter,
                   int deviceId, uint8_t frequency, uint8_t sentinelMode,
                   const SentinelString* track1StartString, const SentinelString* track1EndString,
                   const SentinelString* track2StartString, const SentinelString* track2EndString,
                   const SentinelString* track3StartString, const SentinelString* track3EndString) {
    const SentinelString* const strings[kSentinelCount] = {track1StartString, track1EndString,
                                                           track2StartString, track2EndString,
                                                           track3StartString, track3EndString};
    if (!IsCommandTarget(h, mode) || !AllPresent(strings))
        return ReaderBadArgument;
    uint8_t request[56] = {0x00,
                           0x36,
                           0x3D,
                           interfaceFormat,
                           track1Start,
                           track1End,
                           track2Start,
                           track2End,
                           track3Start,
                           track3End,
                           outputTracks,
                           packetEndFlag,
                           buzzerFlags,
                           speed,
                           decoding,
                           filterMode,
                           track1StartFilter,
                           track1EndFilter,
                           track2StartFilter,
                           track2EndFilter,
                           track3StartFilter,
                           track3EndFilter,
                           HighByte(deviceId),
                           LowByte(deviceId),
                           frequency,
                           sentinelMode};
    PutSentinelStrings(request + 26, strings);
    return ExchangeForStatus<kSettingFrameSize>(h, mode, request, sizeof request,
                                                kSettingTimeoutMs);
}

int CmdClearCache(DeviceHandle h, int mode) {
    return SendSetting(h, mode, 0x3E, 0x00);
}

int CmdRestoreDefault(DeviceHandle h, int mode) {
    return SendSetting(h, mode, 0x3F, 0x00);
}

int CmdReadParameter(DeviceHandle h, int mode, uint8_t* data, int capacity, int* count,
                     int timeoutMs) {
    if (!IsCommandTarget(h, mode) || timeoutMs <= 0 || data == nullptr || count == nullptr)
        return ReaderBadArgument;
    const uint8_t request[] = {0x00, 0x01, 0x40};
    return ExchangeAndInterpret<kParameterFrameSize>(
        h, mode, request, sizeof request, timeoutMs, [&](const uint8_t* reply, int replyCount) {
            return InterpretDataReply(reply, replyCount, data, capacity, count);
        });
}

int CmdGetDeviceId(DeviceHandle h, int mode, uint8_t* idHigh, uint8_t* idLow, int timeoutMs) {
    if (!IsCommandTarget(h, mode) || idHigh == nullptr || idLow == nullptr)
        return ReaderBadArgument;
    const uint8_t request[] = {0x00, 0x01, 0x44};
    return ExchangeAndInterpret<kIButtonFrameSize>(
        h, mode, request, sizeof request, timeoutMs, [&](const uint8_t* reply, int replyCount) {
            return InterpretDeviceIdReply(reply, replyCount, idHigh, idLow);
        });
}
