#include "reader/command_exchange.h"

#include "reader/com_transport.h"
#include "reader/hid_transport.h"

#include <cstring>

bool IsCommandTarget(DeviceHandle h, int mode) {
    return !IsNoDevice(h) && mode != TransportClosed;
}

int ExchangeFrame(DeviceHandle h, int mode, const uint8_t* request, int requestLength,
                  uint8_t* reply, int replyCapacity, int* replyCount, int timeoutMs) {
    std::memset(reply, 0, static_cast<size_t>(replyCapacity));
    *replyCount = 0;
    if (mode == TransportHid)
        return HidTransceive(h, request, requestLength, reply, replyCapacity, replyCount,
                             timeoutMs);
    if (mode == TransportCom)
        return ComTransceive(h, request, requestLength, reply, replyCapacity, replyCount,
                             timeoutMs);
    return ReaderBadArgument;
}
