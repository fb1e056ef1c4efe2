#pragma once
// Replacing a file whole: the bytes go into a new file beside it, are flushed
// to disk and then renamed over it, so a failed write never leaves a cut file,
// and a symbolic link at the path is replaced itself, never written through.

#include <string>
#include <string_view>

namespace platform {

// A regular file at path keeps its permission bits, and one this user may not
// write is left as it is (false); a new file gets 0666 less the umask.
bool ReplaceFile(const std::string& path, std::string_view bytes);

} // namespace platform
