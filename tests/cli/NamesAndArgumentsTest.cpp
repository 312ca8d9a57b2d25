// Nearest-name suggestions and the option parser (its refusals: the command's table).

#include "CArguments.h"
#include "NearestName.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::string> kNames = {"Wow Depth", "Wow Rate", "Flutter Depth", "Flutter Rate", "Tape Hiss",
                                         "Dropout Amount", "Saturation", "Tape Type", "NR Comp", "Mono/Stereo Dropouts"};

const SOptionSpec kOptions[] = {{"preset", true, false}, {"set", true, true}, {"bypass", false, false}, {"block", true, false}};

}  // namespace

TEST(NearestName, SuggestsTyposAndCaseSlipsButNotUnrelatedWords)
{
    EXPECT_EQ(NearestName("wow dpeth", kNames), "Wow Depth");   // swapped letters
    EXPECT_EQ(NearestName("Flutter Rat", kNames), "Flutter Rate");
    EXPECT_EQ(NearestName("saturaton", kNames), "Saturation");
    EXPECT_EQ(NearestName("Mono/Stereo", kNames), "Mono/Stereo Dropouts");  // unique prefix
    EXPECT_EQ(NearestName("Reverb Size", kNames), std::nullopt);
    EXPECT_EQ(NearestName("", kNames), std::nullopt);
    EXPECT_EQ(NameDistance("abc", "ABC"), 0u);
    EXPECT_EQ(NameDistance("abcd", "acbd"), 1u);
    EXPECT_EQ(NameDistance("kitten", "sitting"), 3u);
    EXPECT_EQ(DidYouMean("Tape Hss", kNames), "; did you mean \"Tape Hiss\"?");
    EXPECT_EQ(DidYouMean("zzzzzzzz", kNames), "");
}

TEST(Arguments, ReadsBothOptionSpellingsRepeatsAndPositionals)
{
    const CArguments args({"in.wav", "--set", "Wow Depth=40", "--set=NR Comp=ON", "--preset=1988", "--bypass", "out.wav",
                           "--", "--odd-name.wav"},
                          kOptions);
    EXPECT_EQ(args.Positionals(), (std::vector<std::string>{"in.wav", "out.wav", "--odd-name.wav"}));
    EXPECT_EQ(args.Values("set"), (std::vector<std::string>{"Wow Depth=40", "NR Comp=ON"}));
    EXPECT_EQ(args.Value("preset"), "1988");
    EXPECT_TRUE(args.Has("bypass"));
    EXPECT_FALSE(args.Has("block"));
    EXPECT_EQ(args.Value("block"), std::nullopt);
}

