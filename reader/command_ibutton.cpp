// The reader's iButton commands (0x50 to 0x60).

#include "reader/command_exchange.h"
#include "reader/commands.h"
#include "reader/reply_frame.h"

#include <cstring>

namespace {

bool IsTextLength(unsigned length) {
    return length <= kIButtonTextLength;
}

// Copies a text into its zero-filled field of kIButtonTextLength bytes.
void PutText(uint8_t* field, const uint8_t* text, unsigned length) {
    if (length > 0)
        std::memcpy(field, text, length);
}

int SendIButtonSetting(DeviceHandle h, int mode, uint8_t code, uint8_t value) {
    return SendByteSetting<kIButtonFrameSize>(h, mode, code, value, kIButtonTimeoutMs);
}

} // namespace

int CmdIBtnDetectDevice(DeviceHandle h, int mode, uint8_t* data, int capacity) {
    if (!IsCommandTarget(h, mode) || data == nullptr)
        return ReaderBadArgument;
    const uint8_t request[] = {0x00, 0x01, 0x50};
    return ExchangeAndInterpret<kIButtonFrameSize>(
        h, mode, request, sizeof request, kIButtonTimeoutMs, [&](const uint8_t* reply, int count) {
            return InterpretDataReply(reply, count, data, capacity, nullptr);
        });
}

int CmdIBtnSetInterface(DeviceHandle h, int mode, uint8_t interfaceFormat) {
    return SendIButtonSetting(h, mode, 0x51, interfaceFormat);
}

int CmdIBtnSetPrefixSuffix(DeviceHandle h, int mode, const uint8_t* prefix, int prefixLength,
                           const uint8_t* suffix, int suffixLength) {
    const unsigned prefixBytes = static_cast<unsigned>(prefixLength);
    const unsigned suffixBytes = static_cast<unsigned>(suffixLength);
    if (!IsCommandTarget(h, mode) || prefix == nullptr || suffix == nullptr ||
        !IsTextLength(prefixBytes) || !IsTextLength(suffixBytes))
        return ReaderBadArgument;
    uint8_t request[35] = {0x00, 0x21, 0x52};
    request[3] = static_cast<uint8_t>(prefixBytes);
    PutText(request + 4, prefix, prefixBytes);
    request[19] = static_cast<uint8_t>(suffixBytes);
    PutText(request + 20, suffix, suffixBytes);
    return ExchangeForStatus<kIButtonFrameSize>(h, mode, request, sizeof request,
                                                kSettingTimeoutMs);
}

int CmdIBtnSetEndChar(DeviceHandle h, int mode, uint8_t endChar) {
    return SendIButtonSetting(h, mode, 0x53, endChar);
}

int CmdIBtnSetEnable(DeviceHandle h, int mode, uint8_t enable) {
    return SendIButtonSetting(h, mode, 0x54, enable);
}

int CmdIBtnSetDataFilter(DeviceHandle h, int mode, uint8_t filterStart, uint8_t filterEnd) {
    if (!IsCommandTarget(h, mode))
        return ReaderBadArgument;
    const uint8_t request[] = {0x00, 0x03, 0x57, filterStart, filterEnd};
    return ExchangeForStatus<kIButtonFrameSize>(h, mode, request, sizeof request,
                                                kIButtonTimeoutMs);
}

int CmdIBtnSetWithdraw(DeviceHandle h, int mode, const uint8_t* withdraw, int withdrawLength) {
    const unsigned length = static_cast<unsigned>(withdrawLength);
    if (!IsCommandTarget(h, mode) || withdraw == nullptr || !IsTextLength(length))
        return ReaderBadArgument;
    uint8_t request[19] = {0x00, 0x11, 0x58, static_cast<uint8_t>(length)};
    PutText(request + 4, withdraw, length);
    return ExchangeForStatus<kIButtonFrameSize>(h, mode, request, sizeof request,
                                                kIButtonTimeoutMs);
}

int CmdIBtnApplyOption(DeviceHandle h, int mode, uint8_t interfaceFormat, uint8_t enable,
                       uint8_t endChar, uint8_t filterStart, uint8_t filterEnd,
                       uint8_t withdrawLength, const uint8_t* withdraw, uint8_t prefixLength,
                       uint8_t suffixLength, const uint8_t* prefix, const uint8_t* suffix) {
    if (!IsCommandTarget(h, mode) || withdraw == nullptr || prefix == nullptr ||
        suffix == nullptr || !IsTextLength(withdrawLength) || !IsTextLength(prefixLength) ||
        !IsTextLength(suffixLength))
        return ReaderBadArgument;
    uint8_t request[57] = {0x00,    0x37, 0x5D,        interfaceFormat, enable,
                           endChar, 0x00, filterStart, filterEnd,       withdrawLength};
    PutText(request + 10, withdraw, withdrawLength);
    request[25] = prefixLength;
    request[26] = suffixLength;
    PutText(request + 27, prefix, prefixLength);
    PutText(request + 42, suffix, suffixLength);
    return ExchangeForStatus<kIButtonFrameSize>(h, mode, request, sizeof request,
                                                kSettingTimeoutMs);
}

int CmdIBtnRestoreDefault(DeviceHandle h, int mode) {
    if (!IsCommandTarget(h, mode))
        return ReaderBadArgument;
    const uint8_t request[] = {0x00, 0x01, 0x5F};
    return ExchangeForStatus<kIButtonFrameSize>(h, mode, request, sizeof request,
                                                kIButtonTimeoutMs);
}

int CmdIBtnGetParameter(DeviceHandle h, int mode, uint8_t* interfaceFormat, uint8_t* enable,
                        uint8_t* endChar, uint8_t* reserved, uint8_t* filterStart,
                        uint8_t* filterEnd, uint8_t* withdrawLength, uint8_t* withdraw,
                        uint8_t* prefixLength, uint8_t* suffixLength, uint8_t* prefix,
                        uint8_t* suffix, int timeoutMs) {
    uint8_t* const outputs[] = {interfaceFormat, enable,    endChar,        reserved,
                                filterStart,     filterEnd, withdrawLength, prefixLength,
                                suffixLength,    withdraw,  prefix,         suffix};
    if (!IsCommandTarget(h, mode))
        return ReaderBadArgument;
    for (const uint8_t* output : outputs)
        if (output == nullptr)
            return ReaderBadArgument;
    const uint8_t request[] = {0x00, 0x01, 0x60};
    uint8_t block[kIButtonParameterBlockSize];
    const int result = ExchangeAndInterpret<kIButtonParameterFrameSize>(
        h, mode, request, sizeof request, timeoutMs, [&](const uint8_t* reply, int count) {
            return InterpretIButtonParameterReply(reply, count, block);
        });
    if (result != ReaderOk)
        return result;
    *interfaceFormat = block[0];
    *enable = block[1];
    *endChar = block[2];
    *reserved = block[3];
    *filterStart = block[4];
    *filterEnd = block[5];
    *withdrawLength = block[6];
    std::memcpy(withdraw, block + 7, kIButtonTextLength);
    *prefixLength = block[22];
    *suffixLength = block[23];
    std::memcpy(prefix, block + 24, kIButtonTextLength);
    std::memcpy(suffix, block + 39, kIButtonTextLength);
    return ReaderOk;
}
