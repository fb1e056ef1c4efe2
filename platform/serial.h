#pragma once
// Serial ports on termios. The port behaves like a synchronous port with the
// reader's fixed time-outs: a read of n bytes ends after 400 ms per byte plus
// 400 ms, or after 2000 ms between two bytes; a write after 40 ms per byte
// plus 400 ms. All waits block in poll(); none spins.

#include "platform/handle.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Opens exclusively, raw 8N1 at the given rate without flow control, both
// queues flushed; closing the handle puts back the line settings found.
// kInvalidHandle when the name does not resolve, the node is no serial line
// or pseudo-terminal slave (refused without opening it), does not open, is
// held by another program or refuses the rate.
DeviceHandle OpenSerialPort(std::string_view name, int baud);

// The device node behind name when the last OpenSerialPort on this thread
// tried it and was refused for lack of permission; empty when that open was
// of another port, succeeded or failed otherwise. Such a refusal also writes
// one line with the remedy to standard error.
std::string SerialOpenDeniedNode(std::string_view name);

// Bytes written (all of them unless the write time-out passed); -1 on error
// or for a handle that is not a serial port.
long SerialWrite(DeviceHandle h, const uint8_t* data, size_t count);

// Bytes read into buf (fewer than count after a time-out); -1 on error or for
// a handle that is not a serial port.
long SerialRead(DeviceHandle h, uint8_t* buf, size_t count);

// Bytes waiting to be read; a failed query counts as an empty queue.
int SerialBytesQueued(DeviceHandle h);

// Waits until at least minBytes are queued or timeoutMs passes; returns the
// queue count seen last. Blocks in poll() on readability, re-testing the queue
// at every arrival, so it returns the moment the condition holds.
int SerialWaitQueued(DeviceHandle h, int minBytes, uint32_t timeoutMs);

// Waits up to timeoutMs for the port to become readable; returns early, with
// false, when the handle's idle wake is set. True when bytes are queued.
bool SerialWaitReadableOrWake(DeviceHandle h, uint32_t timeoutMs);

// Drops what waits in the input and/or output queue.
bool SerialPurge(DeviceHandle h, bool input, bool output);

} // namespace platform
