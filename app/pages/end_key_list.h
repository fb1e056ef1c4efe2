#pragma once
// The list of the key the reader appends after its data, shared by the USB
// page's packet end flag and the iButton page's end character: "Enter",
// "Tab", "Sel-define" (a byte typed into an edit), "null". The bytes are USB
// HID keyboard usages.

#include <cstdint>

inline constexpr int kEndKeyEnterItem = 0;
inline constexpr int kEndKeyTabItem = 1;
inline constexpr int kEndKeyCustomItem = 2;
inline constexpr int kEndKeyNullItem = 3;
inline constexpr int kEndKeyItemCount = 4;

inline constexpr uint8_t kEndKeyEnter = 0x58; // Keypad Enter
inline constexpr uint8_t kEndKeyTab = 0x2B;
inline constexpr uint8_t kEndKeyNull = 0x00;

// The byte of a fixed item; the custom item has none (0).
constexpr uint8_t EndKeyByteOfItem(int item) {
    switch (item) {
    case kEndKeyEnterItem:
        return kEndKeyEnter;
    case kEndKeyTabItem:
        return kEndKeyTab;
    default:
        return kEndKeyNull;
    }
}

// The item that shows a byte read back from the reader.
constexpr int EndKeyItemOfByte(uint8_t byte) {
    switch (byte) {
    case kEndKeyEnter:
        return kEndKeyEnterItem;
    case kEndKeyTab:
        return kEndKeyTabItem;
    case kEndKeyNull:
        return kEndKeyNullItem;
    default:
        return kEndKeyCustomItem;
    }
}
