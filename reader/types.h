#pragma once
// Types shared by every part of the reader link and its callers.

#include "platform/handle.h"

#include <string>
#include <vector>

using platform::DeviceHandle;

// Result of every reader-link command and transfer. Callers only test for
// non-zero; the serial-reader commands may also return the reader's own
// error byte.
enum ReaderResult : int {
    ReaderOk = 0,
    ReaderBadArgument = 1,
    ReaderFailed = 3,
};

// How m_hDevice was opened.
enum TransportMode : int {
    TransportCom = 0,
    TransportHid = 1,
    TransportClosed = -1,
};

// Matching HID interface paths, in listing order, no two equal.
using HidPathList = std::vector<std::string>;

inline bool IsNoDevice(DeviceHandle h) { return platform::IsNoDevice(h); }
