#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {
using Request = PlayerCommandLine::Request;

TEST(PlayerCommandLine, TakesOneDiscOrNone) {
    EXPECT_EQ(ParsePlayerCommandLine({}).request, Request::Play);
    EXPECT_EQ(ParsePlayerCommandLine({}).disc, "");
    const PlayerCommandLine image = ParsePlayerCommandLine({"demo.cue"});
    EXPECT_EQ(image.request, Request::Play);
    EXPECT_EQ(image.disc, "demo.cue");
    // After "--" a name that starts with a dash is a disc; a lone dash is one too.
    EXPECT_EQ(ParsePlayerCommandLine({"--", "-odd.iso"}).disc, "-odd.iso");
    EXPECT_EQ(ParsePlayerCommandLine({"-"}).disc, "-");
}

TEST(PlayerCommandLine, HelpAndVersionWinWhereverTheyStand) {
    EXPECT_EQ(ParsePlayerCommandLine({"demo.cue", "--help"}).request, Request::Help);
    EXPECT_EQ(ParsePlayerCommandLine({"-h"}).request, Request::Help);
    EXPECT_EQ(ParsePlayerCommandLine({"--version", "--help"}).request, Request::Help);
    EXPECT_EQ(ParsePlayerCommandLine({"--bogus", "--version"}).request, Request::Version);
    EXPECT_EQ(ParsePlayerCommandLine({"--", "--help"}).request, Request::Play);
}

TEST(PlayerCommandLine, SaysWhatIsWrongInOneLine) {
    const PlayerCommandLine unknown = ParsePlayerCommandLine({"--loop", "demo.cue", "-x"});
    EXPECT_EQ(unknown.request, Request::Misused);
    EXPECT_EQ(unknown.wrong, "unknown option \"--loop\"");
    const PlayerCommandLine twoDiscs = ParsePlayerCommandLine({"a.cue", "b.cue", "c.cue"});
    EXPECT_EQ(twoDiscs.request, Request::Misused);
    EXPECT_EQ(twoDiscs.wrong, "one disc at a time: \"b.cue\" is one too many");
}

} // namespace
