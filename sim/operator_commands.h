#pragma once
// The line commands of txv-reader-sim, read from standard input. Parsing is
// separate from acting so that every rule can be tested without a reader.

#include "sim/types.h"

#include <string>
#include <string_view>

namespace sim {

enum class OperatorVerb {
    Empty,    // blank line or comment
    Swipe,    // send a swipe as frames
    Text,     // send a swipe as transparent card text
    Manual,   // queue a swipe for the next manual read
    IButton,  // key read
    Detach,   // key detached
    Raw,      // bytes as given
    SetFault, // fault from now on (kind none clears it)
    Status,
    Help,
    Quit,
};

struct OperatorCommand {
    OperatorVerb verb = OperatorVerb::Empty;
    Swipe swipe{};
    Bytes bytes{};
    Fault fault{};
};

// False with a one-line reason in *error when the line is not a command.
bool ParseOperatorLine(std::string_view line, OperatorCommand* command, std::string* error);

// The text that "help" prints.
const char* OperatorHelpText();

} // namespace sim
