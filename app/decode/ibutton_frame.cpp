#include "app/decode/ibutton_frame.h"

#include "app/decode/card_texts.h"
#include "app/decode/utf8_text.h"

#include <algorithm>

IButtonView DecodeIButtonFrame(std::span<const uint8_t> frame, IButtonEvent event) {
    IButtonView view;
    if (frame.size() <= 4)
        return view;
    view.hasData = true;
    const bool read = event == IButtonEvent::KeyRead;
    view.statusText = read ? kIButtonReadText : kIButtonDetachedText;
    view.colour = read ? ui::Rgb(0, 0, 200) : ui::Rgb(200, 0, 0);
    const auto key = frame.subspan(4, std::min(frame.size() - 4, kIButtonDataMax));
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string chars;
    for (const uint8_t byte : key) {
        view.hexView += kHexDigits[byte >> 4];
        view.hexView += kHexDigits[byte & 0x0F];
        view.hexView += ' ';
        if (byte != 0x00 && byte != 0x01)
            chars += static_cast<char>(byte);
    }
    view.charView = Latin1ToUtf8(chars);
    return view;
}
