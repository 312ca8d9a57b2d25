// Audio files: format choice by extension, reading back what was written with its clipped
// samples counted, and writes that appear only when complete (refusals: the command's table).

#include "CAtomicFile.h"
#include "CAudioFile.h"
#include "CliError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

std::string Dir()
{
    static const std::string dir = [] {
        std::string pattern = testing::TempDir() + "/bwcli-XXXXXX";
        return std::string(mkdtemp(pattern.data()));
    }();
    return dir;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

long HiddenFiles(const std::string& dir)
{
    const std::filesystem::directory_iterator files(dir);
    return std::count_if(begin(files), end(files), [](const auto& e) { return e.path().filename().string()[0] == '.'; });
}

}  // namespace

TEST(OutputFormat, FollowsTheExtensionAndKeepsTheInputEncodingWhereItFits)
{
    const int wav24 = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    EXPECT_EQ(OutputFormatFor("x.wav", wav24, false), wav24);
    EXPECT_EQ(OutputFormatFor("dir.v2/X.AIFF", wav24, false), SF_FORMAT_AIFF | SF_FORMAT_PCM_24);
    EXPECT_EQ(OutputFormatFor("x.flac", SF_FORMAT_WAV | SF_FORMAT_FLOAT, false), SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
    EXPECT_EQ(OutputFormatFor("x.flac", SF_FORMAT_OGG | SF_FORMAT_VORBIS, false), SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
    EXPECT_EQ(OutputFormatFor("x.ogg", SF_FORMAT_WAV | SF_FORMAT_PCM_16, false), SF_FORMAT_OGG | SF_FORMAT_VORBIS);
    EXPECT_EQ(OutputFormatFor("x.wav", SF_FORMAT_OGG | SF_FORMAT_VORBIS, false), SF_FORMAT_WAV | SF_FORMAT_PCM_24);
    EXPECT_EQ(OutputFormatFor("x.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, true), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_THROW(OutputFormatFor("x.flac", wav24, true), CCliError);
    EXPECT_THROW(OutputFormatFor("x.mp3", wav24, false), CCliError);
    EXPECT_THROW(OutputFormatFor("noextension", wav24, false), CCliError);
    EXPECT_THROW(OutputFormatFor("a.wav/noextension", wav24, false), CCliError);
    EXPECT_EQ(DescribeFormat(wav24), "WAV 24-bit PCM");
}

TEST(AudioFiles, RoundTripAndCountClippedSamples)
{
    const std::string path = Dir() + "/round.wav";
    {
        CAudioWriter writer(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 48000);
        const std::vector<float> frames = {0.5f, -0.25f, 1.5f, -2.0f, 0.0f, 0.125f, 3.0f};  // the last not written
        writer.Write(frames.data(), 3);
        EXPECT_EQ(writer.ClippedSamples(), 2u);
        writer.Commit();
    }
    CAudioReader reader(path);
    ASSERT_EQ(std::make_tuple(reader.Channels(), reader.SampleRate(), reader.Frames()), std::make_tuple(2, 48000, int64_t(3)));
    std::vector<float> back(6);
    EXPECT_EQ(reader.Read(back.data(), 3), 3);
    EXPECT_EQ(back, (std::vector<float>{0.5f, -0.25f, 32767.0f / 32768.0f, -1.0f, 0.0f, 0.125f}));  // clipped, not wrapped
    EXPECT_EQ(reader.Read(back.data(), 3), 0);

    // A file it refuses (the command's table has why) is closed again.
    const std::string slow = Dir() + "/slow.wav";
    CAudioWriter(slow, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 4000).Commit();
    const auto openFiles = [] { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); };
    const auto nBefore = openFiles();
    EXPECT_THROW(CAudioReader{slow}, CCliError);
    EXPECT_EQ(openFiles(), nBefore);
}

TEST(AtomicFile, ReplacesOnlyOnCommitAndLeavesNoTemporaryFile)
{
    const std::string dir = Dir(), path = dir + "/out.txt";
    std::ofstream(path) << "old";
    {
        CAtomicFile file(path);
        file.WriteAll("new", 3);
        EXPECT_EQ(ReadText(path), "old");
        EXPECT_EQ(HiddenFiles(dir), 1);
    }  // not committed: dropped
    EXPECT_EQ(ReadText(path), "old");
    EXPECT_EQ(HiddenFiles(dir), 0);
    {
        CAtomicFile file(path);
        file.WriteAll("new", 3);
        file.Commit();
    }
    EXPECT_EQ(ReadText(path), "new");
    EXPECT_EQ(HiddenFiles(dir), 0);

    EXPECT_THROW(CAtomicFile(dir + "/no/such/folder/x"), CCliError);
    EXPECT_THROW(CAtomicFile{dir}, CCliError);  // a folder is not replaced
    EXPECT_TRUE(IsSameFile(path, dir + "/./out.txt"));
    EXPECT_FALSE(IsSameFile(path, dir + "/other.txt"));
}
