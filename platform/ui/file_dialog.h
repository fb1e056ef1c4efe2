#pragma once
// The save-file dialog, behind a replaceable hook like the message box.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

class Dialog;

struct SaveFileRequest {
    std::string proposedName;     // initial file name
    std::string filter;           // the original's form: "text File(*.txt)|*.txt||"
    std::string defaultExtension; // added when the chosen name has none, e.g. "txt"
    const Dialog* owner = nullptr;
};

// Asks for a file to save to; confirms before an existing file is replaced.
// Returns the chosen path, or nothing when the operator cancels.
std::optional<std::string> SaveFileDialog(std::string_view proposedName, std::string_view filter,
                                          std::string_view defaultExtension = {},
                                          const Dialog* owner = nullptr);

using SaveFileHook = std::function<std::optional<std::string>(const SaveFileRequest&)>;
SaveFileHook SetSaveFileHook(SaveFileHook hook); // empty restores the real dialog

} // namespace ui
