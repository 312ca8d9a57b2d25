// The brindlewarbler command run as a person runs it, on small files made by sox and
// libsndfile in a private folder.

#include "CAudioFile.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

struct SResult {
    int m_nStatus = -1;
    std::string m_Out, m_Err;
};

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class Command : public testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = testing::TempDir() + "/bwcmd-XXXXXX";
        m_Dir = mkdtemp(pattern.data());
    }
    void TearDown() override { std::system(("rm -rf '" + m_Dir + "'").c_str()); }

    std::string P(const std::string& name) const { return m_Dir + "/" + name; }

    // Runs a shell line in the folder; standard error is not a terminal.
    SResult Shell(const std::string& line) const
    {
        SResult r;
        const std::string full = "cd '" + m_Dir + "' && { " + line + "; } >.stdout 2>.stderr </dev/null";
        const int status = std::system(full.c_str());
        r.m_nStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.m_Out = Slurp(P(".stdout"));
        r.m_Err = Slurp(P(".stderr"));
        std::remove(P(".stdout").c_str());
        std::remove(P(".stderr").c_str());
        return r;
    }
    SResult Run(const std::string& args) const { return Shell(std::string(BW_CLI_PATH) + " " + args); }

    void Sox(const std::string& args) const { ASSERT_EQ(Shell("sox -n " + args).m_nStatus, 0) << args; }

    // Files in the folder whose names start with a dot (temporary files left behind).
    size_t HiddenFiles() const
    {
        size_t n = 0;
        DIR* d = opendir(m_Dir.c_str());
        while (dirent* e = readdir(d))
            n += e->d_name[0] == '.' && std::string(e->d_name) != "." && std::string(e->d_name) != "..";
        closedir(d);
        return n;
    }

    // Expects one error line naming the fault, a failure status, and nothing written.
    void ExpectRefused(const std::string& args, const std::string& fragment)
    {
        std::ofstream(P("keep.wav")) << "precious";
        const SResult r = Run(args);
        EXPECT_NE(r.m_nStatus, 0) << args;
        EXPECT_EQ(r.m_Err.rfind("brindlewarbler: ", 0), 0u) << r.m_Err;
        EXPECT_EQ(std::count(r.m_Err.begin(), r.m_Err.end(), '\n'), 1) << r.m_Err;
        EXPECT_NE(r.m_Err.find(fragment), std::string::npos) << "'" << fragment << "' not in: " << r.m_Err;
        EXPECT_EQ(Slurp(P("keep.wav")), "precious") << args;
        EXPECT_EQ(HiddenFiles(), 0u) << args;
    }

    std::string m_Dir;
};

std::vector<float> Samples(const std::string& path, int* pChannels = nullptr, int* pRate = nullptr, int* pFormat = nullptr)
{
    CAudioReader reader(path);
    if (pChannels)
        *pChannels = reader.Channels();
    if (pRate)
        *pRate = reader.SampleRate();
    if (pFormat)
        *pFormat = reader.Format();
    std::vector<float> samples(size_t(reader.Frames()) * size_t(reader.Channels()));
    samples.resize(size_t(reader.Read(samples.data(), reader.Frames())) * size_t(reader.Channels()));
    return samples;
}

}  // namespace

TEST_F(Command, RendersTheFormatsSoxMakesKeepingLayoutRateAndEncoding)
{
    struct SCase {
        std::string m_In, m_Out, m_SoxFormat;
        int m_nChannels, m_nRate, m_nSubtype;
    };
    const SCase cases[] = {
        {"mono.wav", "mono-out.wav", "-r 44100 -c 1 -b 16", 1, 44100, SF_FORMAT_PCM_16},
        {"st.aiff", "st-out.aiff", "-r 48000 -c 2 -b 24", 2, 48000, SF_FORMAT_PCM_24},
        {"hi.flac", "hi-out.flac", "-r 96000 -c 2 -b 24", 2, 96000, SF_FORMAT_PCM_24},
        {"v.ogg", "v-out.ogg", "-r 22050 -c 2", 2, 22050, SF_FORMAT_VORBIS},
    };
    for (const SCase& c : cases) {
        Sox(c.m_SoxFormat + " " + c.m_In + " synth 0.5 sine 300 sine 500 gain -8");
        const SResult r = Run("render " + c.m_In + " " + c.m_Out + " --preset 'A Little Aged' --seed 5");
        ASSERT_EQ(r.m_nStatus, 0) << r.m_Err;
        EXPECT_NE(r.m_Err.find("wrote " + c.m_Out), std::string::npos) << r.m_Err;
        EXPECT_EQ(r.m_Err.find('\r'), std::string::npos);  // no progress bar off a terminal
        int nChannels = 0, nRate = 0, nFormat = 0;
        const std::vector<float> in = Samples(P(c.m_In));
        const std::vector<float> out = Samples(P(c.m_Out), &nChannels, &nRate, &nFormat);
        EXPECT_EQ(nChannels, c.m_nChannels) << c.m_Out;
        EXPECT_EQ(nRate, c.m_nRate) << c.m_Out;
        EXPECT_EQ(nFormat & SF_FORMAT_SUBMASK, c.m_nSubtype) << c.m_Out;
        EXPECT_EQ(out.size(), in.size()) << c.m_Out;
        EXPECT_NE(out, in) << c.m_Out;
    }
}

TEST_F(Command, StereoFloatTailAndBypassDoWhatTheySay)
{
    Sox("-r 44100 -c 1 -b 16 m.wav synth 0.4 sine 440 gain -6");
    ASSERT_EQ(Run("render m.wav s.wav --stereo --float --tail 0.25 --block 100 --quiet").m_nStatus, 0);
    int nChannels = 0, nFormat = 0;
    const std::vector<float> s = Samples(P("s.wav"), &nChannels, nullptr, &nFormat);
    EXPECT_EQ(nChannels, 2);
    EXPECT_EQ(nFormat, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_EQ(s.size(), size_t(2 * (17640 + 11025)));

    // Bypassed, float in and float out: the samples come back untouched.
    Sox("-r 48000 -c 2 -e floating-point -b 32 f.wav synth 0.3 pinknoise gain -12");
    const SResult r = Run("render f.wav b.wav --bypass --preset Disintegrated --quiet");
    ASSERT_EQ(r.m_nStatus, 0) << r.m_Err;
    EXPECT_EQ(r.m_Err, "");  // --quiet
    EXPECT_EQ(Samples(P("b.wav")), Samples(P("f.wav")));
}

TEST_F(Command, ASavedStateRendersBitIdenticallyWithTheSameSeed)
{
    Sox("-r 44100 -c 2 -b 16 in.wav synth 0.6 sine 220 sine 330 gain -10");
    ASSERT_EQ(Run("render in.wav a.wav --preset 'Well Loved Walkman' --set 'Tape Hiss=-40' --set 'Tape Type=IV' --seed 9 "
                  "--save-state a.state --quiet")
                  .m_nStatus,
              0);
    ASSERT_EQ(Run("render in.wav b.wav --state a.state --seed 9 --quiet").m_nStatus, 0);
    ASSERT_EQ(Run("render in.wav c.wav --state a.state --seed 10 --quiet").m_nStatus, 0);
    EXPECT_EQ(Slurp(P("a.wav")), Slurp(P("b.wav")));
    EXPECT_NE(Slurp(P("a.wav")), Slurp(P("c.wav")));  // the hiss follows the seed
    EXPECT_EQ(Slurp(P("a.state")).size() % 4, 0u);
    EXPECT_EQ(Slurp(P("a.state")).substr(20, 4), "kcle");  // 'elck', little-endian

    const SResult state = Run("state a.state");
    ASSERT_EQ(state.m_nStatus, 0) << state.m_Err;
    EXPECT_NE(state.m_Out.find("Tape Type             int32   2               IV"), std::string::npos) << state.m_Out;
    EXPECT_NE(state.m_Out.find("-40.00 dB"), std::string::npos);
}

TEST_F(Command, BadInputIsOneClearLineAndLosesNothing)
{
    Sox("-r 44100 -c 2 -b 16 in.wav synth 0.2 sine 440");
    Sox("-r 44100 -c 3 -b 16 three.wav synth 0.1 sine 440");
    std::ofstream(P("text.wav")) << "not audio at all\n";
    ASSERT_EQ(Run("render in.wav x.wav --save-state good.state --quiet").m_nStatus, 0);
    const std::string good = Slurp(P("good.state"));
    std::ofstream(P("short.state"), std::ios::binary) << good.substr(0, good.size() - 6);
    std::string corrupt = good;
    corrupt[56 + 2] = 0;  // the marker
    std::ofstream(P("corrupt.state"), std::ios::binary) << corrupt;

    ExpectRefused("render missing.wav keep.wav", "cannot read 'missing.wav': No such file");
    ExpectRefused("render text.wav keep.wav", "not an audio file");
    ExpectRefused("render three.wav keep.wav", "3 channels");
    ExpectRefused("render in.wav keep.wav --preset 'Dusty Pianno'", "did you mean \"Dusty Piano\"?");
    ExpectRefused("render in.wav keep.wav --set 'Flutter Rat=6'", "did you mean \"Flutter Rate\"?");
    ExpectRefused("render in.wav keep.wav --set 'Flutter Rate=20'", "out of range (5.00 Hz to 12.00 Hz)");
    ExpectRefused("render in.wav keep.wav --state short.state", "truncated");
    ExpectRefused("render in.wav keep.wav --state corrupt.state", "marker");
    ExpectRefused("render in.wav keep.wav --state nothing.state", "cannot read state file");
    ExpectRefused("render keep.wav keep.wav", "is the input file");
    ExpectRefused("render in.wav keep.mp3", "unknown output format '.mp3'");
    ExpectRefused("render in.wav keep.flac --float", "cannot hold 32-bit float");
    ExpectRefused("render in.wav keep.wav --block 0", "--block must be between 1 and 65536");
    ExpectRefused("render in.wav keep.wav --modul x", "did you mean --module?");
    ExpectRefused("render in.wav keep.wav --module /nonexistent/BrindleWarbler.so", "cannot find the module");
    ExpectRefused("rendre in.wav keep.wav", "did you mean \"render\"?");
    ExpectRefused("state short.state", "truncated");
    ExpectRefused("render in.wav keep.wav --save-state no/such/folder/s.state", "cannot write 'no/such/folder/s.state'");

    // The input survived being named as the output.
    EXPECT_EQ(Run("render in.wav in.wav").m_nStatus, 1);
    EXPECT_EQ(Samples(P("in.wav")).size(), size_t(2 * 8820));
    EXPECT_EQ(Run("render in.wav out.wav extra").m_nStatus, 2);  // usage
}

TEST_F(Command, AnInterruptedRenderLeavesTheOldOutputAndNoTemporaryFile)
{
    Sox("-r 44100 -c 2 -b 16 long.wav synth 60 pinknoise gain -10");
    std::ofstream(P("keep.wav")) << "precious";
    // Interrupt once the render's temporary file exists.
    const SResult r = Shell(std::string(BW_CLI_PATH) +
                            " render long.wav keep.wav --preset Disintegrated & pid=$!; "
                            "for i in $(seq 1000); do ls -A | grep -q '^\\.keep\\.wav\\.' && break; sleep 0.01; done; "
                            "kill -INT $pid; wait $pid");
    EXPECT_EQ(r.m_nStatus, 130) << r.m_Err;
    EXPECT_NE(r.m_Err.find("brindlewarbler: interrupted"), std::string::npos) << r.m_Err;
    EXPECT_EQ(Slurp(P("keep.wav")), "precious");
    EXPECT_EQ(HiddenFiles(), 0u);
}

TEST_F(Command, InformationCommandsPrintTablesAndJson)
{
    const SResult presets = Run("presets");
    ASSERT_EQ(presets.m_nStatus, 0);
    EXPECT_EQ(std::count(presets.m_Out.begin(), presets.m_Out.end(), '\n'), 14);
    EXPECT_NE(presets.m_Out.find("12   Trashcan Drums"), std::string::npos);

    const SResult params = Run("params --preset 1988 --set 'Output=-1.5'");
    ASSERT_EQ(params.m_nStatus, 0) << params.m_Err;
    EXPECT_NE(params.m_Out.find("Wow Depth             32.00 %"), std::string::npos) << params.m_Out;
    EXPECT_NE(params.m_Out.find("Tape Type             II"), std::string::npos);
    EXPECT_NE(params.m_Out.find("Output                -1.50 dB"), std::string::npos);
    EXPECT_NE(params.m_Out.find("I | II | IV | BYPASS"), std::string::npos);

    const SResult describe = Run("describe");
    ASSERT_EQ(describe.m_nStatus, 0);
    EXPECT_NE(describe.m_Out.find("effect tessera.BrindleWarbler"), std::string::npos);
    EXPECT_NE(describe.m_Out.find("component 1: 2 in, 2 out"), std::string::npos);

    ASSERT_EQ(Run("params --save-state s.state").m_nStatus, 2);
    Sox("-r 44100 -c 1 -b 16 in.wav synth 0.1 sine 440");
    ASSERT_EQ(Run("render in.wav o.wav --preset 'Dusty Piano' --save-state s.state --quiet").m_nStatus, 0);
    for (const std::string command : {"presets", "params --preset 3", "describe", "state s.state"}) {
        const SResult r = Shell(std::string(BW_CLI_PATH) + " " + command + " --json | python3 -m json.tool");
        EXPECT_EQ(r.m_nStatus, 0) << command << ": " << r.m_Err;
        EXPECT_FALSE(r.m_Out.empty()) << command;
    }
    const SResult json = Run("params --json --state s.state");
    EXPECT_NE(json.m_Out.find("\"name\": \"Age\",\n    \"value\": \"byp\""), std::string::npos) << json.m_Out;
    EXPECT_NE(json.m_Out.find("\"value\": \"16.50 %\""), std::string::npos);
}

TEST_F(Command, DemoWritesItsPiecesAndATable)
{
    const SResult r = Run("demo out --quiet");
    ASSERT_EQ(r.m_nStatus, 0) << r.m_Err;
    std::istringstream lines(r.m_Out);
    std::string line;
    std::getline(lines, line);
    EXPECT_NE(line.find("peak dBFS"), std::string::npos);
    int nRows = 0;
    while (std::getline(lines, line)) {
        ++nRows;
        const std::string file = line.substr(0, line.find(' '));
        int nChannels = 0;
        const std::vector<float> samples = Samples(P(file), &nChannels);
        EXPECT_EQ(nChannels, 2) << file;
        EXPECT_GT(samples.size(), size_t(2 * 44100 * 5)) << file;
    }
    EXPECT_EQ(nRows, 7);
    EXPECT_NE(r.m_Out.find("out/00-dry.wav"), std::string::npos);
    EXPECT_NE(r.m_Out.find("out/06-disintegrated.wav"), std::string::npos);
    EXPECT_NE(r.m_Out.find("-3.0"), std::string::npos);  // the dry piece peaks at -3 dBFS
}

TEST_F(Command, AnalyzeDrawsFivePlotsAndItsNumbersFollowTheSetting)
{
    const SResult r = Run("analyze --rate 22050 --out plots --json --compare 'Tape Type=I' --compare 'Tape Type=IV' "
                          "--compare 'Tape Type=IV, Output=-12' > a.json");
    ASSERT_EQ(r.m_nStatus, 0) << r.m_Err;
    for (const char* name : {"response", "saturation", "compander", "modulation", "hiss"}) {
        const std::string png = Slurp(P(std::string("plots/") + name + ".png"));
        ASSERT_GT(png.size(), 24u) << name;
        EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n") << name;
        // IHDR: width and height, big-endian, at bytes 16 and 20.
        const auto u32 = [&](size_t i) { return uint32_t(uint8_t(png[i])) << 24 | uint32_t(uint8_t(png[i + 1])) << 16 | uint32_t(uint8_t(png[i + 2])) << 8 | uint8_t(png[i + 3]); };
        EXPECT_EQ(u32(16), 800u) << name;
        EXPECT_EQ(u32(20), 500u) << name;
    }
    // Per setting: the left response in dB at every point, then hiss total and wow and flutter.
    const SResult numbers = Shell("python3 -c \"import json; d = json.load(open('a.json'))\n"
                                  "for s in d['settings']:\n"
                                  "    print(' '.join(str(p['left_db']) for p in s['response']['points']))\n"
                                  "    print(s['hiss']['total_left_dbfs'], s['modulation']['peak_to_peak_cents'])\"");
    ASSERT_EQ(numbers.m_nStatus, 0) << numbers.m_Err;
    std::istringstream lines(numbers.m_Out);
    std::vector<std::vector<double>> responses;
    std::vector<double> hiss;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream values(line);
        responses.emplace_back(std::istream_iterator<double>(values), std::istream_iterator<double>());
        std::getline(lines, line);
        double fHiss = 0.0, fCents = -1.0;
        std::istringstream(line) >> fHiss >> fCents;
        hiss.push_back(fHiss);
        EXPECT_LT(fCents, 0.5);  // no wow or flutter by default
    }
    ASSERT_EQ(responses.size(), 3u);
    EXPECT_NEAR(hiss[0], -42.0, 6.0);  // the default Tape Hiss
    EXPECT_NEAR(hiss[2] - hiss[1], -12.0, 0.5);  // the output gain comes after the hiss
    ASSERT_EQ(responses[0].size(), 54u);  // 20 Hz to 0.45 of the rate in sixth octaves
    for (size_t i = 0; i < responses[1].size(); ++i)
        EXPECT_NEAR(responses[2][i] - responses[1][i], -12.0, 0.05) << "point " << i;
    EXPECT_NEAR(responses[0][30], responses[1][30], 3.0);  // 632 Hz
    EXPECT_LT(responses[0][52], responses[1][52] - 6.0);   // 8 kHz: type I falls first

    ExpectRefused("analyze --out plots --set 'Tape Tipe=II'", "did you mean \"Tape Type\"");
}
