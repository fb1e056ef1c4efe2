#include "sim/operator_commands.h"

#include <gtest/gtest.h>

namespace {

using sim::Bytes;
using sim::OperatorCommand;
using sim::OperatorVerb;

OperatorCommand Parse(const char* line) {
    OperatorCommand command;
    std::string error;
    EXPECT_TRUE(sim::ParseOperatorLine(line, &command, &error)) << line << ": " << error;
    return command;
}

TEST(OperatorCommands, SwipeNamesTracksStatusesFlagsAndForm) {
    const OperatorCommand c = Parse("swipe form=single flags=93 1=%B12^X? 2:S 3:E=\\x00\\\\z");
    EXPECT_EQ(c.verb, OperatorVerb::Swipe);
    EXPECT_EQ(c.swipe.form, sim::SwipeForm::SingleTracks);
    EXPECT_EQ(c.swipe.flags, 0x93);
    EXPECT_EQ(c.swipe.tracks[0].status, 'Y');
    EXPECT_EQ(c.swipe.tracks[0].data, (Bytes{'%', 'B', '1', '2', '^', 'X', '?'}));
    EXPECT_EQ(c.swipe.tracks[1].status, 'S');
    EXPECT_TRUE(c.swipe.tracks[1].data.empty());
    EXPECT_EQ(c.swipe.tracks[2].status, 'E');
    EXPECT_EQ(c.swipe.tracks[2].data, (Bytes{0x00, '\\', 'z'}));

    const OperatorCommand text = Parse("text 2=123");
    EXPECT_EQ(text.verb, OperatorVerb::Text);
    EXPECT_EQ(text.swipe.tracks[0].status, 'B'); // not named: blank
    EXPECT_EQ(Parse("manual 1=9").verb, OperatorVerb::Manual);
}

TEST(OperatorCommands, HexCommandsAndFaults) {
    const OperatorCommand key = Parse("ibutton 01 4142");
    EXPECT_EQ(key.verb, OperatorVerb::IButton);
    EXPECT_EQ(key.bytes, (Bytes{0x01, 0x41, 0x42}));
    EXPECT_EQ(Parse("detach 30").verb, OperatorVerb::Detach);
    EXPECT_EQ(Parse("raw 00 01 30").bytes, (Bytes{0x00, 0x01, 0x30}));

    const OperatorCommand fault = Parse("fault split type=30 count=2 pause=80 times=1");
    EXPECT_EQ(fault.verb, OperatorVerb::SetFault);
    EXPECT_EQ(fault.fault.kind, sim::FaultKind::SplitByPause);
    EXPECT_EQ(fault.fault.onlyType, 0x30);
    EXPECT_EQ(fault.fault.count, 2u);
    EXPECT_EQ(fault.fault.pauseMs, 80u);
    EXPECT_EQ(fault.fault.times, 1);
    EXPECT_EQ(Parse("fault refuse code=07").fault.errorCode, 0x07);
    EXPECT_EQ(Parse("fault none").fault.kind, sim::FaultKind::None);

    EXPECT_EQ(Parse("   ").verb, OperatorVerb::Empty);
    EXPECT_EQ(Parse("# a note").verb, OperatorVerb::Empty);
    EXPECT_EQ(Parse("quit").verb, OperatorVerb::Quit);
}

TEST(OperatorCommands, BadLinesAreRefusedWithAReason) {
    const char* bad[] = {
        "swipe 4=X",
        "swipe 1",
        "swipe 1:",
        "swipe 1:YX",
        "swipe 1=\\x4",
        "swipe 1=\\q",
        "swipe flags=100",
        "swipe flags=zz",
        "ibutton 012",
        "raw 0g",
        "fault",
        "fault melt",
        "fault short count=-1",
        "fault refuse code=1FF",
        "fault split when=3",
        "jump",
        "quit now",
    };
    for (const char* line : bad) {
        OperatorCommand command;
        std::string error;
        EXPECT_FALSE(sim::ParseOperatorLine(line, &command, &error)) << line;
        EXPECT_FALSE(error.empty()) << line;
    }
}

} // namespace
