#pragma once

#include <string>

namespace platform {

// The folder that holds the running program (of /proc/self/exe), without a
// trailing '/'; empty when it cannot be read.
std::string ProgramDir();

} // namespace platform
