// Nearest-name suggestions and the option parser.

#include "CArguments.h"
#include "CliError.h"
#include "NearestName.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::string> kNames = {"Wow Depth", "Wow Rate", "Flutter Depth", "Flutter Rate", "Tape Hiss",
                                         "Dropout Amount", "Saturation", "Tape Type", "NR Comp", "Mono/Stereo Dropouts"};

const SOptionSpec kOptions[] = {{"preset", true, false}, {"set", true, true}, {"bypass", false, false}, {"block", true, false}};

std::string UsageMessage(const std::vector<std::string>& words)
{
    try {
        CArguments args(words, kOptions);
    } catch (const CCliError& e) {
        EXPECT_EQ(e.ExitCode(), CCliError::kUsage);
        return e.what();
    }
    return "";
}

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

TEST(Arguments, RefusesMalformedCommandLinesWithAUsageError)
{
    EXPECT_NE(UsageMessage({"--prest", "x"}).find("did you mean --preset?"), std::string::npos);
    EXPECT_NE(UsageMessage({"--preset"}).find("needs a value"), std::string::npos);
    EXPECT_NE(UsageMessage({"--preset", "a", "--preset", "b"}).find("more than once"), std::string::npos);
    EXPECT_NE(UsageMessage({"--bypass=yes"}).find("takes no value"), std::string::npos);
    EXPECT_NE(UsageMessage({"-b"}).find("unknown option"), std::string::npos);

    const CArguments args({"a", "b", "c"}, kOptions);
    EXPECT_THROW(args.ExpectPositionals(1, 2, "x"), CCliError);
    EXPECT_THROW(args.ExpectPositionals(4, 4, "x"), CCliError);
    EXPECT_NO_THROW(args.ExpectPositionals(3, 3, "x"));
}

TEST(Arguments, NumbersMustBeWholeAndInRange)
{
    EXPECT_EQ(ParseInteger("512", "--block", 1, 65536), 512);
    EXPECT_THROW(ParseInteger("0", "--block", 1, 65536), CCliError);
    EXPECT_THROW(ParseInteger("12x", "--block", 1, 65536), CCliError);
    EXPECT_THROW(ParseInteger("", "--block", 1, 65536), CCliError);
    EXPECT_THROW(ParseInteger("99999999999999999999", "--seed", 0, 4294967295LL), CCliError);
    EXPECT_DOUBLE_EQ(ParseNumber("1.5", "--tail", 0, 3600), 1.5);
    EXPECT_THROW(ParseNumber("-1", "--tail", 0, 3600), CCliError);
    EXPECT_THROW(ParseNumber("nan", "--tail", 0, 3600), CCliError);
    try {
        ParseNumber("4000", "--tail", 0, 3600);
        FAIL();
    } catch (const CCliError& e) {
        EXPECT_STREQ(e.what(), "--tail must be between 0 and 3600, not 4000");
    }
}
