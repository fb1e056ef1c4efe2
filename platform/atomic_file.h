#pragma once
// Replacing a file whole: the bytes go into a new file beside it, are flushed
// to disk and then renamed over it, so a failed write never leaves a cut file,
// and a symbolic link at the path is replaced itself, never written through.

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace platform {

// mode: the new file's permission bits; without it, 0666 less the umask.
bool ReplaceFile(const std::string& path, std::string_view bytes,
                 std::optional<mode_t> mode = std::nullopt);

} // namespace platform
