#include "platform/tty_node.h"

#include <gtest/gtest.h>
#include <sys/sysmacros.h>

using platform::IsSerialLineNode;

namespace {

// A machine's table with the kinds of lines it holds, lines that must be
// skipped, and a last line without its newline.
constexpr std::string_view kDrivers =
    "/dev/tty             /dev/tty        5       0 system:/dev/tty\n"
    "/dev/console         /dev/console    5       1 system:console\n"
    "/dev/ptmx            /dev/ptmx       5       2 system\n"
    "serial               /dev/ttyS       4 64-111 serial\n"
    "pty_slave            /dev/pts      136 0-1048575 pty:slave\n"
    "pty_master           /dev/ptm      128 0-1048575 pty:master\n"
    "unknown              /dev/tty        4 1-63 console\n"
    "\n"
    "   \t \n"
    "reversed             /dev/x        200 5-2 serial\n"
    "huge minor           /dev/x        201 0-99999999999 serial\n"
    "wrapping major       /dev/x        4294967297 0-9 serial\n"
    "text major           /dev/x        202x 0-9 serial\n"
    "/dev/x 203 0-9 serial\n"
    "no first minor       /dev/x        204 -9 serial\n"
    "two dashes           /dev/x        205 0-9-12 serial\n"
    "usb serial           /dev/ttyUSB   188 0-511 serial\n"
    "acm                  /dev/ttyACM   166       3 serial";

struct stat Node(mode_t type, unsigned nodeMajor, unsigned nodeMinor) {
    struct stat st {};
    st.st_mode = type | 0660;
    st.st_rdev = makedev(nodeMajor, nodeMinor);
    return st;
}

} // namespace

TEST(TtyNode, OnlySerialLinesAndPseudoTerminalSlavesInRangeCount) {
    struct Case {
        const char* what;
        mode_t type;
        unsigned nodeMajor;
        unsigned nodeMinor;
        bool expected;
    } cases[] = {
        {"first of a range", S_IFCHR, 4, 64, true},
        {"last of a range", S_IFCHR, 4, 111, true},
        {"past a range", S_IFCHR, 4, 112, false},
        {"pseudo-terminal slave", S_IFCHR, 136, 7, true},
        {"top pseudo-terminal slave", S_IFCHR, 136, 1048575, true},
        {"pseudo-terminal master", S_IFCHR, 128, 7, false},
        {"/dev/tty", S_IFCHR, 5, 0, false},
        {"console", S_IFCHR, 5, 1, false},
        {"ptmx", S_IFCHR, 5, 2, false},
        {"virtual console", S_IFCHR, 4, 1, false},
        {"/dev/null, where a wrapped major would land", S_IFCHR, 1, 3, false},
        {"driver name with a space, after bad lines", S_IFCHR, 188, 511, true},
        {"single minor, unterminated last line", S_IFCHR, 166, 3, true},
        {"beside a single minor", S_IFCHR, 166, 4, false},
        {"beside a single minor, below", S_IFCHR, 166, 2, false},
        {"reversed range", S_IFCHR, 200, 3, false},
        {"minor past 32 bits", S_IFCHR, 201, 5, false},
        {"text major", S_IFCHR, 202, 1, false},
        {"too few fields", S_IFCHR, 203, 1, false},
        {"no first minor", S_IFCHR, 204, 0, false},
        {"two dashes", S_IFCHR, 205, 9, false},
        {"block device with serial numbers", S_IFBLK, 4, 64, false},
        {"FIFO", S_IFIFO, 4, 64, false},
        {"plain file", S_IFREG, 136, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSerialLineNode(Node(c.type, c.nodeMajor, c.nodeMinor), kDrivers), c.expected)
            << c.what;

    EXPECT_FALSE(IsSerialLineNode(Node(S_IFCHR, 136, 0), "")) << "no table";
}
