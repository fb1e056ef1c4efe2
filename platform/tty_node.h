#pragma once
// Whether a device node is a line a serial reader can sit on, told from the
// node's numbers and the kernel's table of terminal drivers, so nothing has
// to be opened to find out: some nodes act on open.

#include <string>
#include <string_view>
#include <sys/stat.h>

namespace platform {

// True when node (as stat gives it) is a character device whose major and
// minor fall in the range of a serial or pseudo-terminal slave driver of
// ttyDrivers, a text laid out as /proc/tty/drivers. Lines that do not parse
// are skipped. The console, /dev/tty, /dev/ptmx and pseudo-terminal masters
// never carry a reader, so their drivers do not count.
bool IsSerialLineNode(const struct stat& node, std::string_view ttyDrivers);

// The machine's /proc/tty/drivers, whole lines only; empty when unreadable.
std::string ReadTtyDrivers();

} // namespace platform
