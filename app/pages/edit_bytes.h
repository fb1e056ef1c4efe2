#pragma once
// Text the operator typed for the reader, on the pages that report input
// errors in a message box.

#include "platform/ui/dialog.h"

#include <optional>
#include <string>

// The text of edit editId as the reader's bytes, one per character. A
// character the reader cannot take is shown in an error box owned by page,
// the focus goes to the edit, and none comes back.
std::optional<std::string> ReadEditBytes(const ui::Dialog& page, int editId);
