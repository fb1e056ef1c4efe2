#pragma once
// Port names to device nodes: "comN" (any case) through the ports folder or
// as the N-th serial device of the machine, any other name as given.

#include <string>
#include <string_view>

namespace platform {

// The device node a port name stands for: a leading "\\.\" is ignored, "comN"
// goes through the port map, anything else is taken as a path. Empty when a
// comN name maps to nothing.
std::string ResolvePortName(std::string_view name);

// Whether a name is of the "comN" kind (after a leading "\\.\"), as
// opposed to a path of this system.
bool IsComPortName(std::string_view name);

// Folder of the comN links: $TXV_PORTS_DIR, else $XDG_CONFIG_HOME/txv/ports,
// else ~/.config/txv/ports.
std::string PortsDir();

} // namespace platform
