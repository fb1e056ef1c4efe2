#pragma once
// iButton frames: LEN (2 bytes), type 'a' (key read) or 'b' (key detached),
// status, then the key's bytes. At most 255 key bytes are shown; the rest of a
// longer frame is cut off.

#include "platform/ui/ui_types.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

enum class IButtonEvent { KeyRead, KeyDetached };

struct IButtonView {
    bool hasData = false;        // false: show kNoFrameDataText, change nothing else
    std::string_view statusText; // for the status line
    ui::Color colour;            // of the card-number label and the character view
    std::string hexView;         // "%02X " for every key byte
    std::string charView;        // the key bytes as characters, less 0x01 and 0x00 (UTF-8)
};

inline constexpr size_t kIButtonDataMax = 255;

IButtonView DecodeIButtonFrame(std::span<const uint8_t> frame, IButtonEvent event);
