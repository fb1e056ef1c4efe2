#pragma once
// Small value types shared by the dialog layer's headers. No Qt here, so the
// application can include every platform/ui header without pulling in Qt.

#include <cstdint>

namespace ui {

// End codes of a modal run and answers of a message box, as the original
// dialog library numbers them.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdAbort = 3;
inline constexpr int kIdRetry = 4;
inline constexpr int kIdIgnore = 5;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// Result of the combo, list and tab operations that fail.
inline constexpr int kErr = -1;

struct Color {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend constexpr bool operator==(Color, Color) = default;
};

constexpr Color Rgb(int r, int g, int b) {
    return Color{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

// A rectangle in pixels (or dialog units where a function says so), with the
// right and bottom edges exclusive as in the original's RECT.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// Notifications a handler can be bound to. Only the operator raises them
// (clicks, typing, choosing an item, picking a tab); code that changes a
// control never does. The one exception is Control::ReplaceSel, which edits
// like typing does and so raises EditChange.
enum class Notify {
    Clicked,       // button, check box, radio button; a static that has a handler
    DoubleClicked, // list box item
    SelChange,     // combo box or list box selection chosen by the operator
    EditChange,    // edit text changed by the operator (typing, deleting, pasting)
    SetFocus,      // control got the keyboard focus
    KillFocus,     // control lost the keyboard focus
    TabSelChange,  // tab picked by the operator
    MouseEnter,    // pointer entered the control (statics with a handler)
    MouseLeave,    // pointer left the control
};

} // namespace ui
