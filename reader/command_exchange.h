#pragma once
// The steps every length-prefixed command shares: the handle and mode test,
// the choice of transport, and the reply check for commands without data.

#include "reader/reply_frame.h"
#include "reader/types.h"

#include <cstdint>

// Reply frame buffer sizes, by command group.
inline constexpr int kSettingFrameSize = 30;           // 0x20, 0x30 to 0x3F
inline constexpr int kIButtonFrameSize = 50;           // 0x44, 0x50 to 0x5F
inline constexpr int kParameterFrameSize = 128;        // 0x40
inline constexpr int kIButtonParameterFrameSize = 150; // 0x60

// Time-outs of the commands that do not take one from the caller.
inline constexpr int kSettingTimeoutMs = 3000;
inline constexpr int kIButtonTimeoutMs = 5000;

// False for handle 0 or -1 and for a closed transport.
bool IsCommandTarget(DeviceHandle h, int mode);

// Sends the request over the transport the mode names and receives the
// reply frame into reply (zeroed first). ReaderBadArgument for a mode that
// is neither HID nor COM; a transport failure is passed on unchanged.
int ExchangeFrame(DeviceHandle h, int mode, const uint8_t* request, int requestLength,
                  uint8_t* reply, int replyCapacity, int* replyCount, int timeoutMs);

// One exchange into a reply frame buffer of FrameSize bytes; a transport
// failure is returned as it is, else what interpret(reply, count) makes of
// the reply.
template <int FrameSize, typename Interpret>
int ExchangeAndInterpret(DeviceHandle h, int mode, const uint8_t* request, int requestLength,
                         int timeoutMs, Interpret interpret) {
    uint8_t reply[FrameSize];
    int count = 0;
    const int result =
        ExchangeFrame(h, mode, request, requestLength, reply, FrameSize, &count, timeoutMs);
    if (result != ReaderOk)
        return result;
    return interpret(reply, count);
}

// One exchange for a command that hands back nothing.
template <int FrameSize>
int ExchangeForStatus(DeviceHandle h, int mode, const uint8_t* request, int requestLength,
                      int timeoutMs) {
    return ExchangeAndInterpret<FrameSize>(h, mode, request, requestLength, timeoutMs,
                                           InterpretStatusReply);
}

// A command with a single parameter byte that hands back nothing.
template <int FrameSize>
int SendByteSetting(DeviceHandle h, int mode, uint8_t code, uint8_t value, int timeoutMs) {
    if (!IsCommandTarget(h, mode))
        return ReaderBadArgument;
    const uint8_t request[] = {0x00, 0x02, code, value};
    return ExchangeForStatus<FrameSize>(h, mode, request, sizeof request, timeoutMs);
}
