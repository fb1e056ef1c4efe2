#pragma once
// The length-prefixed frame and raw bytes over a serial port.

#include "reader/types.h"

#include <cstdint>

// Time-out and start tick of the frame read that is running; one at a time.
extern uint32_t g_nComTimeoutMs;
extern uint32_t g_dwComStartTick;

// -1 when the port does not open. OpenComPort opens at "9600,n,8,1";
// OpenComPortBaud takes only 4800, 9600, 19200, 38400 and 115200.
DeviceHandle OpenComPort(const char* name);
DeviceHandle OpenComPortBaud(const char* name, int baud);

int ComWrite(DeviceHandle h, const uint8_t* data, int count);
int ComReadExact(DeviceHandle h, uint8_t* buffer, int count);

// One wait stage: sets the time-out globals, waits until at least minBytes
// are queued or the time-out passes, and checks the elapsed time once more.
// ReaderOk with the queue count seen last in *queued, else ReaderFailed.
int ComWaitStage(DeviceHandle h, int minBytes, uint32_t timeoutMs, int* queued);

// One whole frame that fits capacity, with nothing queued behind it. A frame
// refused for its size or for bytes behind it is still read off to its LEN
// within the time-out, so what follows stays queued whole.
int ComReadLenFrame(DeviceHandle h, uint8_t* buffer, int capacity, int* length, int timeoutMs);
int ComTransceive(DeviceHandle h, const uint8_t* request, int requestLength, uint8_t* reply,
                  int replyCapacity, int* replyLength, int timeoutMs);

// Raw bytes for about one second: reads go on until a second has passed, the
// last one ending on its own time-out; collection stops at the buffer's end.
// ReaderFailed when the line is gone (or the handle is no port) before the
// first byte came; bytes that came before it went are the answer.
int ComReadForSecond(DeviceHandle h, uint8_t* buffer, int capacity, int* count);
