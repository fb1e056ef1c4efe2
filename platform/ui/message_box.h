#pragma once
// Message boxes. All go through one replaceable hook, so a test records each
// box and gives the answer instead of a modal window (see recorder.h).

#include "platform/ui/ui_types.h"

#include <functional>
#include <string>
#include <string_view>

namespace ui {

class Dialog;

enum class MessageIcon { None, Error, Warning, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };

struct MessageBoxRequest {
    std::string text;
    std::string caption; // already replaced by the application's name when empty
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    const Dialog* owner = nullptr;
};

// Shows a modal box and returns the button pressed (kIdOk, kIdCancel, kIdYes,
// kIdNo, kIdRetry). An empty caption shows the application's name.
int MessageBox(std::string_view text, std::string_view caption = {},
               MessageIcon icon = MessageIcon::None, MessageButtons buttons = MessageButtons::Ok,
               const Dialog* owner = nullptr);

// Replaces the box; an empty hook restores the real one. Returns the hook
// that was installed before.
using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

// The title of boxes given no caption.
void SetApplicationName(std::string name);
std::string ApplicationName();

} // namespace ui
