#include "system/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The command line's switches, values and combinations, and what the running copy takes
// from another process.
namespace {

const std::vector<std::string> kKeys = {"Embra", "Glimra", "Ripla"};

Command Of(CommandKind kind, int minutes = 0, const char* effect = "") {
    Command command;
    command.kind = kind;
    command.minutes = minutes;
    command.effect = effect;
    return command;
}

TEST(CommandLineTest, ReadsEverySwitchAndCombination) {
    struct Case {
        std::vector<std::string> arguments;
        Command command;
        bool quiet;
    };
    const Case cases[] = {
        {{}, Of(CommandKind::None), false},
        {{"/start"}, Of(CommandKind::Start), false},
        {{"/stop"}, Of(CommandKind::Stop), false},
        {{"/toggle"}, Of(CommandKind::Toggle), false},
        {{"/pause", "30"}, Of(CommandKind::Pause, 30), false},
        {{"/pause", "0"}, Of(CommandKind::Pause, 0), false},
        {{"/pause", "1440"}, Of(CommandKind::Pause, 1440), false},
        {{"/pause", "0045"}, Of(CommandKind::Pause, 45), false},
        {{"/effect", "Glimra"}, Of(CommandKind::Effect, 0, "Glimra"), false},
        {{"/effect", "rIPLA"}, Of(CommandKind::Effect, 0, "Ripla"), false},
        {{"/exit"}, Of(CommandKind::Exit), false},
        {{"/quiet"}, Of(CommandKind::None), true},
        {{"-STOP", "-Quiet"}, Of(CommandKind::Stop), true},
        {{"/quiet", "/effect", "embra"}, Of(CommandKind::Effect, 0, "Embra"), true},
        {{"/pause", "5", "/quiet", "/quiet"}, Of(CommandKind::Pause, 5), true},
    };
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine(c.arguments, kKeys);
        const std::string label = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(line.error, CommandError::None) << label;
        EXPECT_EQ(line.command, c.command) << label;
        EXPECT_EQ(line.quiet, c.quiet) << label;
    }
}

TEST(CommandLineTest, NamesTheSwitchOfEachFault) {
    struct Case {
        std::vector<std::string> arguments;
        CommandError error;
        const char* offending;
        const char* value;
        bool quiet = false;
    };
    const Case cases[] = {
        {{"/bogus"}, CommandError::UnknownSwitch, "/bogus", ""},
        {{"start"}, CommandError::UnknownSwitch, "start", ""},
        {{"/start", "now"}, CommandError::UnknownSwitch, "now", ""},
        {{"/quiet", "--stop"}, CommandError::UnknownSwitch, "--stop", "", true},
        {{"/bogus", "/quiet"}, CommandError::UnknownSwitch, "/bogus", "", true},
        {{"/pause"}, CommandError::BadValue, "/pause", ""},
        {{"/pause", "1441"}, CommandError::BadValue, "/pause", "1441"},
        {{"/pause", "5000", "-QUIET"}, CommandError::BadValue, "/pause", "5000", true},
        {{"/pause", "-5"}, CommandError::BadValue, "/pause", "-5"},
        {{"/pause", "1.5"}, CommandError::BadValue, "/pause", "1.5"},
        {{"/pause", ""}, CommandError::BadValue, "/pause", ""},
        {{"/pause", "/quiet"}, CommandError::BadValue, "/pause", "/quiet", true},
        {{"/effect"}, CommandError::BadValue, "/effect", ""},
        {{"/effect", "Fire"}, CommandError::BadValue, "/effect", "Fire"},
        {{"/start", "/stop", "/quiet"}, CommandError::SecondCommand, "/stop", "", true},
        {{"/effect", "Ripla", "/start"}, CommandError::SecondCommand, "/start", ""},
    };
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine(c.arguments, kKeys);
        const std::string label = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(line.error, c.error) << label;
        EXPECT_EQ(line.offending, c.offending) << label;
        EXPECT_EQ(line.value, c.value) << label;
        EXPECT_EQ(line.quiet, c.quiet) << label << ": quiet wherever it stands";
        EXPECT_EQ(line.command, Command{}) << label << ": nothing to carry out";
    }
}

TEST(CommandLineTest, EveryCommandReachesTheRunningCopyUnchanged) {
    for (const Command& command :
         {Of(CommandKind::Start), Of(CommandKind::Stop), Of(CommandKind::Toggle),
          Of(CommandKind::Pause, 0), Of(CommandKind::Pause, 1440),
          Of(CommandKind::Effect, 0, "Ripla"), Of(CommandKind::Exit)}) {
        const std::string data = EncodeCommand(command);
        Command received;
        ASSERT_TRUE(DecodeCommand(data.data(), data.size(), kKeys, &received)) << data;
        EXPECT_EQ(received, command) << data;
    }
}

TEST(CommandLineTest, TheRunningCopyRefusesAnythingButOneCommand) {
    const std::string longest(kMaxCommandBytes, 'a');
    struct Case {
        const char* label;
        std::string data;
    };
    const Case cases[] = {
        {"empty", ""},
        {"too long", "/stop\n" + longest},
        {"a zero byte inside", std::string("/stop\0", 6)},
        {"no command", "/quiet"},
        {"quiet with it", "/stop\n/quiet"},
        {"two commands", "/stop\n/start"},
        {"unknown", "/format"},
        {"a value out of range", "/pause\n5000"},
        {"an effect no set has", "/effect\n../Embra"},
        {"a value without its switch", "Glimra"},
        {"spaces for lines", "/pause 5"},
        {"a line end too many", "/stop\n"},
        {"bytes of no text", "\xff\xfe/stop"},
    };
    for (const Case& c : cases) {
        Command received = Of(CommandKind::Toggle);
        EXPECT_FALSE(DecodeCommand(c.data.data(), c.data.size(), kKeys, &received)) << c.label;
        EXPECT_EQ(received, Of(CommandKind::Toggle)) << c.label << ": left alone";
    }
    EXPECT_FALSE(DecodeCommand(nullptr, 5, kKeys, nullptr)) << "no data";
}

} // namespace
