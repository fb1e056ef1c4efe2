#pragma once
// The reader's length-prefixed command set. Every function takes the device
// handle and the transport mode (TransportHid or TransportCom), sends one
// request, checks the reply's status byte and hands back the reply's data.
// Results: ReaderOk, ReaderBadArgument (nothing sent) or ReaderFailed. On any
// failure no output is written. A caller's data buffer travels with its
// capacity: data that does not fit gives ReaderFailed and nothing is copied.

#include "reader/types.h"

#include <cstdint>

// Start or end sentinel as the reader stores it: a length (0 to 4) and up to
// four characters, zero-filled.
struct SentinelString {
    uint8_t length;
    uint8_t chars[4];
};
static_assert(sizeof(SentinelString) == 5);

// The keyboard-type byte of CmdSetKeyboardType; any other byte is a custom
// layout.
enum KeyboardLayoutCode : uint8_t {
    KeyboardEnglishUs = 0x00,
    KeyboardFrenchFrance = 0x10,
    KeyboardFrenchCanada = 0x11,
    KeyboardCzech = 0x20,
    KeyboardSpanishInternational = 0x30,
    KeyboardSpanishArgentina = 0x31,
    KeyboardHebrew = 0x40,
};

// Room of each iButton text field (withdraw, prefix, suffix).
inline constexpr int kIButtonTextLength = 15;

// 0x20
int CmdSetKeyboardType(DeviceHandle h, int mode, uint8_t keyboardCode);

// 0x30: the reader's version text, no terminator written and no count.
int CmdDetectDevice(DeviceHandle h, int mode, uint8_t* data, int capacity, int timeoutMs);

// 0x31: interface code 1 to 3 (anything else sends 0), data format 1 sets the
// format bit, reader mode bit 0 or 1.
int CmdSetInterface(DeviceHandle h, int mode, int interfaceCode, int dataFormat,
                    unsigned int readerModeBit);

// 0x32: sentinels in the order track 1 start, track 1 end, track 2 start,
// track 2 end, track 3 start, track 3 end; sentinel mode 0 or 1.
int CmdSetOutputTrack(
    DeviceHandle h, int mode, uint8_t track1Start, uint8_t track1End, uint8_t track2Start,
    uint8_t track2End, uint8_t track3Start, uint8_t track3End, int outputTrack1, int outputTrack2,
    int outputTrack3, uint8_t packetEndFlag, uint8_t sentinelMode,
    const SentinelString* track1StartString, const SentinelString* track1EndString,
    const SentinelString* track2StartString, const SentinelString* track2EndString,
    const SentinelString* track3StartString, const SentinelString* track3EndString);

// 0x34: frequency at least 100.
int CmdSetBuzzer(DeviceHandle h, int mode, int successBeep, int failureBeep, uint8_t frequency);

// 0x36
int CmdSetSpeed(DeviceHandle h, int mode, uint8_t speed);

// 0x37: in filter mode 2 a value whose flag is set is sent with bit 7.
int CmdSetDataFilter(DeviceHandle h, int mode, uint8_t filterMode, int track1StartOn,
                     uint8_t track1Start, int track1EndOn, uint8_t track1End, int track2StartOn,
                     uint8_t track2Start, int track2EndOn, uint8_t track2End, int track3StartOn,
                     uint8_t track3Start, int track3EndOn, uint8_t track3End);

// 0x38
int CmdSetDecoding(DeviceHandle h, int mode, int iso, int aamva, int cadmv, int rawData, int jis2);

// 0x39: the low 16 bits of the id, high byte first.
int CmdSetDeviceId(DeviceHandle h, int mode, int deviceId);

// 0x3A: always over HID.
int CmdCancelManualRead(DeviceHandle h);

// 0x3D: every setting in one request; the bytes go unchanged.
int CmdApplyOption(DeviceHandle h, int mode, uint8_t interfaceFormat, uint8_t track1Start,
                   uint8_t track1End, uint8_t track2Start, uint8_t track2End, uint8_t track3Start,
                   uint8_t track3End, uint8_t outputTracks, uint8_t packetEndFlag,
                   uint8_t buzzerFlags, uint8_t speed, uint8_t decoding, uint8_t filterMode,
                   uint8_t track1StartFilter, uint8_t track1EndFilter, uint8_t track2StartFilter,
                   uint8_t track2EndFilter, uint8_t track3StartFilter, uint8_t track3EndFilter,
                   int deviceId, uint8_t frequency, uint8_t sentinelMode,
                   const SentinelString* track1StartString, const SentinelString* track1EndString,
                   const SentinelString* track2StartString, const SentinelString* track2EndString,
                   const SentinelString* track3StartString, const SentinelString* track3EndString);

// 0x3E
int CmdClearCache(DeviceHandle h, int mode);

// 0x3F
int CmdRestoreDefault(DeviceHandle h, int mode);

// 0x40: the reader parameter block (up to 124 bytes) and its length.
int CmdReadParameter(DeviceHandle h, int mode, uint8_t* data, int capacity, int* count,
                     int timeoutMs);

// 0x44: the device id, high byte first; a byte the reply lacks reads 0.
int CmdGetDeviceId(DeviceHandle h, int mode, uint8_t* idHigh, uint8_t* idLow, int timeoutMs);

// 0x50: the iButton version text, no terminator written and no count.
int CmdIBtnDetectDevice(DeviceHandle h, int mode, uint8_t* data, int capacity);

// 0x51
int CmdIBtnSetInterface(DeviceHandle h, int mode, uint8_t interfaceFormat);

// 0x52: each text 0 to 15 bytes.
int CmdIBtnSetPrefixSuffix(DeviceHandle h, int mode, const uint8_t* prefix, int prefixLength,
                           const uint8_t* suffix, int suffixLength);

// 0x53
int CmdIBtnSetEndChar(DeviceHandle h, int mode, uint8_t endChar);

// 0x54
int CmdIBtnSetEnable(DeviceHandle h, int mode, uint8_t enable);

// 0x57
int CmdIBtnSetDataFilter(DeviceHandle h, int mode, uint8_t filterStart, uint8_t filterEnd);

// 0x58: 0 to 15 bytes.
int CmdIBtnSetWithdraw(DeviceHandle h, int mode, const uint8_t* withdraw, int withdrawLength);

// 0x5D: the whole iButton parameter block; each text 0 to 15 bytes.
int CmdIBtnApplyOption(DeviceHandle h, int mode, uint8_t interfaceFormat, uint8_t enable,
                       uint8_t endChar, uint8_t filterStart, uint8_t filterEnd,
                       uint8_t withdrawLength, const uint8_t* withdraw, uint8_t prefixLength,
                       uint8_t suffixLength, const uint8_t* prefix, const uint8_t* suffix);

// 0x5F
int CmdIBtnRestoreDefault(DeviceHandle h, int mode);

// 0x60: the iButton parameter block field by field; the three texts are
// kIButtonTextLength bytes each. Fields a short reply does not reach read 0.
int CmdIBtnGetParameter(DeviceHandle h, int mode, uint8_t* interfaceFormat, uint8_t* enable,
                        uint8_t* endChar, uint8_t* reserved, uint8_t* filterStart,
                        uint8_t* filterEnd, uint8_t* withdrawLength, uint8_t* withdraw,
                        uint8_t* prefixLength, uint8_t* suffixLength, uint8_t* prefix,
                        uint8_t* suffix, int timeoutMs);
