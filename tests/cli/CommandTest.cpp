// The brindlewarbler command run as a person runs it, on small files made by sox in a private
// folder: one table of command lines with their exit status, standard error, standard output
// and the file they write, then what a table cannot say (repeatable renders, interruption,
// the analysis numbers).

#include "CAudioFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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

std::vector<float> Samples(const std::string& path)
{
    CAudioReader reader(path);
    std::vector<float> samples(size_t(reader.Frames() * reader.Channels()));
    samples.resize(size_t(reader.Read(samples.data(), reader.Frames()) * reader.Channels()));
    return samples;
}

class Command : public testing::Test {
protected:
    // The inputs, made once: sox's files in four formats, files the command refuses, a state
    // file and a truncated copy of it.
    static void SetUpTestSuite()
    {
        std::string pattern = testing::TempDir() + "/bwcmd-XXXXXX";
        s_Dir = mkdtemp(pattern.data());
        for (const char* pSox : {"-r 44100 -c 2 -b 16 in.wav synth 0.2 sine 440 sine 660 gain -6",
                                 "-r 44100 -c 1 -b 16 mono.wav synth 0.4 sine 300 gain -8",
                                 "-r 48000 -c 2 -b 24 st.aiff synth 0.3 sine 300 sine 500 gain -8",
                                 "-r 96000 -c 2 -b 24 hi.flac synth 0.25 sine 300 sine 500 gain -8",
                                 "-r 22050 -c 2 v.ogg synth 0.5 sine 300 sine 500 gain -8",
                                 "-r 48000 -c 2 -e floating-point -b 32 f.wav synth 0.3 pinknoise gain -12",
                                 "-r 44100 -c 2 -b 16 loud.wav synth 0.2 sine 440 gain -1",
                                 "-r 44100 -c 3 -b 16 three.wav synth 0.1 sine 440", "-r 4000 -c 1 slow.wav synth 0.1 sine 300"})
            ASSERT_EQ(Shell(std::string("sox -n ") + pSox).m_nStatus, 0) << pSox;
        std::ofstream(P("text.wav")) << "not audio at all\n";
        ASSERT_EQ(Run("render in.wav x.wav --save-state good.state --quiet").m_nStatus, 0);
        const std::string good = Slurp(P("good.state"));
        std::ofstream(P("short.state"), std::ios::binary) << good.substr(0, good.size() - 6);
    }
    static void TearDownTestSuite() { std::system(("rm -rf '" + s_Dir + "'").c_str()); }

    static std::string P(const std::string& name) { return s_Dir + "/" + name; }

    // Runs a shell line in the folder; standard error is not a terminal.
    static SResult Shell(const std::string& line)
    {
        const std::string full = "cd '" + s_Dir + "' && { " + line + "; } >.stdout 2>.stderr </dev/null";
        const int status = std::system(full.c_str());
        SResult r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(P(".stdout")), Slurp(P(".stderr"))};
        std::remove(P(".stdout").c_str());
        std::remove(P(".stderr").c_str());
        return r;
    }
    static SResult Run(const std::string& args) { return Shell(std::string(BW_CLI_PATH) + " " + args); }

    // Files in the folder whose names start with a dot (temporary files left behind).
    static long HiddenFiles()
    {
        const std::filesystem::directory_iterator files(s_Dir);
        return std::count_if(begin(files), end(files), [](const auto& e) { return e.path().filename().string()[0] == '.'; });
    }

    static std::string s_Dir;
};

std::string Command::s_Dir;

// A command line, what it must exit with and print, and the audio file it must write.
struct SLine {
    std::string m_Args;
    int m_nStatus;
    std::string m_Err;  // within standard error; a failure prints exactly one line
    std::vector<std::string> m_Out = {};  // each within standard output
    std::string m_File = {};
    int64_t m_nChannels = 0, m_nRate = 0, m_nFormat = 0, m_nFrames = 0;  // frames: 0 for any
};

TEST_F(Command, EachLineExitsPrintsAndWritesWhatItShould)
{
    const int wav16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16, wavFloat = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    const SLine lines[] = {
        // Renders: the input's layout, rate and encoding where the output's format holds it.
        {"render mono.wav m-out.wav --preset 'A Little Aged' --seed 5", 0, "wrote m-out.wav (WAV 16-bit PCM, mono, 44100 Hz, 0.40 s)", {}, "m-out.wav", 1, 44100, wav16, 17640},
        {"render st.aiff st-out.aiff --preset 4", 0, "wrote st-out.aiff (AIFF 24-bit PCM, stereo, 48000 Hz", {}, "st-out.aiff", 2, 48000, SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 14400},
        {"render hi.flac hi-out.flac", 0, "FLAC 24-bit PCM, stereo, 96000 Hz", {}, "hi-out.flac", 2, 96000, SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 24000},
        {"render v.ogg v-out.wav", 0, "WAV 24-bit PCM", {}, "v-out.wav", 2, 22050, SF_FORMAT_WAV | SF_FORMAT_PCM_24, 11025},
        {"render mono.wav s.wav --stereo --float --tail 0.25 --block 100 --quiet", 0, "", {}, "s.wav", 2, 44100, wavFloat, 17640 + 11025},
        {"render loud.wav x.wav --set 'Output=12'", 0, "samples clipped at full scale", {}, "x.wav", 2, 44100, wav16, 8820},
        {"render in.wav a.wav --preset 'Well Loved Walkman' --set 'Tape Hiss=-40' --set 'Tape Type=IV' --save-state a.state --quiet",
         0, "", {}, "a.wav", 2, 44100, wav16, 8820},
        // What the command tells about the effect, its presets, its settings and a state.
        {"presets", 0, "", {"#    preset\n0    Factory Preset\n", "12   Trashcan Drums\n"}},
        {"params --preset 1988 --set 'Output=-1.5'", 0, "",
         {"Wow Depth             32.00 %", "Tape Type             II ", "Output                -1.50 dB", "I | II | IV | BYPASS", "no\n"}},
        {"params --set 'tape type = ii' --set 'Tape Hiss=-60 dB' --set 'Input=-3.5dB' --set '7=2.5' --set 'Age=3' --set 'NR Comp=on'", 0, "",
         {"Tape Type             II ", "Tape Hiss             -60.00 dB", "Input                 -3.50 dB", "Saturation            2.50 ",
          "Age                   wornish", "NR Comp               ON"}},
        {"params --json --state a.state", 0, "", {"\"name\": \"Tape Type\",\n    \"value\": \"IV\"", "\"value\": \"-40.00 dB\""}},
        {"state a.state", 0, "", {"chunk 'elck' \"Complete Controls State\"", "Tape Type             int32   2               IV"}},
        {"state a.state --json", 0, "", {"\"chunk\": \"elck\",\n  \"name\": \"Complete Controls State\",\n  \"version\": -1,\n  \"dataBytes\": 264,", "\"type\": \"double\",\n      \"value\": -40"}},
        {"describe", 0, "", {"effect tessera.BrindleWarbler", "component 1: 2 in, 2 out"}},
        {"screenshot lost.png --preset 'Lost Tape' --set 'Output=-6'", 0, "", {}, "lost.png"},
        {"--help", 0, "", {"Commands:\n  render IN OUT"}},
        {"demo --quiet", 0, "", {"demo-out/00-dry.wav"}, "demo-out/06-disintegrated.wav", 2, 44100, SF_FORMAT_WAV | SF_FORMAT_PCM_24, 0},
        {"demo out/ --quiet", 0, "", {"peak dBFS", "\nout/06-disintegrated.wav ", "(dry)                      -3.0"}, "out/00-dry.wav", 2, 44100, SF_FORMAT_WAV | SF_FORMAT_PCM_24, 0},
        // Refusals: one line naming the fault, a failure status, and nothing written.
        {"", 2, "usage: brindlewarbler COMMAND"},
        {"rendre in.wav keep.wav", 2, "did you mean \"render\"?"},
        {"render missing.wav keep.wav", 1, "cannot read 'missing.wav': No such file"},
        {"render . keep.wav", 1, "cannot read '.': it is a folder"},
        {"render text.wav keep.wav", 1, "not an audio file"},
        {"render three.wav keep.wav", 1, "3 channels"},
        {"render slow.wav keep.wav", 1, "sample rate 4000 Hz is outside 8000 to 384000 Hz"},
        {"render keep.wav keep.wav", 1, "is the input file"},
        {"render in.wav keep.mp3", 1, "unknown output format '.mp3'"},
        {"render in.wav keep.flac --float", 1, "cannot hold 32-bit float"},
        {"render in.wav keep.wav extra", 2, "unexpected argument 'extra'; usage: brindlewarbler render IN OUT"},
        {"render in.wav keep.wav -b", 2, "unknown option '-b' (options are spelt --name)"},
        {"render in.wav keep.wav --preset 'Dusty Pianno'", 1, "unknown preset \"Dusty Pianno\"; did you mean \"Dusty Piano\"?"},
        {"render in.wav keep.wav --preset 13", 1, "there is no preset 13; the factory presets are numbered 0 to 12"},
        {"render in.wav keep.wav --preset 1 --preset 2", 2, "more than once"},
        {"render in.wav keep.wav --preset", 2, "needs a value"},
        {"render in.wav keep.wav --set 'Flutter Rat=6'", 1, "did you mean \"Flutter Rate\"?"},
        {"render in.wav keep.wav --set 'Flutter Rate=20'", 1, "Flutter Rate = 20 is out of range (5.00 Hz to 12.00 Hz)"},
        {"render in.wav keep.wav --set 'Tape Hiss=-20'", 1, "Tape Hiss = -20 is out of range (-96.00 dB to -30.00 dB)"},
        {"render in.wav keep.wav --set 'Tape Type=III'", 1, "choose one of I, II, IV, BYPASS"},
        {"render in.wav keep.wav --set 'Age=5'", 1, "choose one of byp, usedish, used, wornish, worn"},
        {"render in.wav keep.wav --set 'Wow Depth=forty'", 1, "Wow Depth needs a number in % (0.00 % to 100.00 %), not \"forty\""},
        {"render in.wav keep.wav --set 'Wow Depth=40 Hz'", 1, "needs a number in %"},
        {"render in.wav keep.wav --set 'Wow Depth'", 2, "--set needs NAME=VALUE"},
        {"render in.wav keep.wav --set 'L=0.5'", 1, "L is a meter the effect writes; it cannot be set"},
        {"render in.wav keep.wav --state short.state", 1, "truncated"},
        {"render in.wav keep.wav --state nothing.state", 1, "cannot read state file 'nothing.state': No such file"},
        {"render in.wav keep.wav --state .", 1, "cannot read state file '.': not a regular file"},
        {"render in.wav keep.wav --save-state no/such/folder/s.state", 1, "cannot write 'no/such/folder/s.state'"},
        {"render in.wav keep.wav --save-state keep.wav", 2, "--save-state and OUT name the same file"},
        {"render in.wav keep.wav --bypass=yes", 2, "takes no value"},
        {"demo --quiet --quiet", 2, "option --quiet given more than once"},
        {"render in.wav keep.wav --block 0", 2, "--block must be between 1 and 65536"},
        {"render in.wav keep.wav --block 12x", 2, "--block must be a whole number, not '12x'"},
        {"render in.wav keep.wav --seed 99999999999999999999", 2, "--seed must be"},
        {"render in.wav keep.wav --seed 4294967296", 2, "--seed must be between 0 and 4294967295"},
        {"render in.wav keep.wav --tail nan", 2, "--tail must be a number, not 'nan'"},
        {"render in.wav keep.wav --tail -1", 2, "--tail must be between 0 and 3600, not -1"},
        {"render in.wav keep.wav --tail 4000", 2, "--tail must be between 0 and 3600, not 4000"},
        {"render in.wav keep.wav --modul x", 2, "did you mean --module?"},
        {"render in.wav keep.wav --module /nonexistent/BrindleWarbler.so", 1, "cannot find the module"},
        {"params --save-state s.state", 2, "unknown option '--save-state'"},
        {"state short.state", 1, "truncated"},
        {"presets extra", 2, "unexpected argument 'extra'; usage: brindlewarbler presets"},
        {"analyze --set 'Tape Tipe=II'", 1, "did you mean \"Tape Type\""},
        {"analyze --rate 8000", 2, "--rate must be between 22050 and 192000"},
        {"edit --render keep.wav", 2, "--render needs an input file"},
        {"edit in.wav --live", 2, "--live plays the JACK capture, not a file"},
        {"edit --audio alsa", 2, "--audio takes jack, pulse or none, not \"alsa\""},
        {"screenshot", 2, "missing argument; usage: brindlewarbler screenshot OUT.png"},
        {"screenshot no/such/folder/x.png", 1, "cannot write no/such/folder/x.png"},
    };
    for (const SLine& line : lines) {
        SCOPED_TRACE(line.m_Args);
        std::ofstream(P("keep.wav")) << "precious";
        const SResult r = Run(line.m_Args);
        EXPECT_EQ(r.m_nStatus, line.m_nStatus) << r.m_Err;
        EXPECT_TRUE(line.m_Err.empty() ? r.m_Err.empty() : r.m_Err.find(line.m_Err) != std::string::npos) << r.m_Err;
        EXPECT_EQ(r.m_Err.find('\r'), std::string::npos) << "a progress bar off a terminal";
        for (const std::string& fragment : line.m_Out)
            EXPECT_NE(r.m_Out.find(fragment), std::string::npos) << "'" << fragment << "' not in:\n" << r.m_Out;
        if (line.m_nStatus != 0 && !line.m_Args.empty()) {
            EXPECT_EQ(r.m_Err.rfind("brindlewarbler: ", 0), 0u) << r.m_Err;
            EXPECT_EQ(std::count(r.m_Err.begin(), r.m_Err.end(), '\n'), 1) << r.m_Err;
        }
        EXPECT_EQ(Slurp(P("keep.wav")), "precious");
        EXPECT_EQ(HiddenFiles(), 0);
        if (line.m_File.empty())
            continue;
        if (line.m_File.ends_with(".png")) {
            EXPECT_EQ(Slurp(P(line.m_File)).substr(0, 24), std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x03\x84\0\0\x02\x38", 24));  // 900 x 568
            continue;
        }
        const CAudioReader a(P(line.m_File));
        EXPECT_EQ(std::vector<int64_t>({a.Channels(), a.SampleRate(), a.Format(), line.m_nFrames ? a.Frames() : 0}),
                  std::vector<int64_t>({line.m_nChannels, line.m_nRate, line.m_nFormat, line.m_nFrames}));
    }
}

TEST_F(Command, TheSameSettingsRenderAndDrawTheSame)
{
    ASSERT_EQ(Run("render in.wav a.wav --preset 'Well Loved Walkman' --set 'Tape Hiss=-40' --seed 9 --save-state a.state --quiet").m_nStatus, 0);
    ASSERT_EQ(Run("render in.wav b.wav --state a.state --seed 9 --quiet").m_nStatus, 0);
    ASSERT_EQ(Run("render in.wav c.wav --state a.state --seed 10 --quiet").m_nStatus, 0);
    EXPECT_EQ(Slurp(P("a.wav")), Slurp(P("b.wav")));
    EXPECT_NE(Slurp(P("a.wav")), Slurp(P("c.wav")));  // the hiss follows the seed
    // The editor's picture shows the setting.
    ASSERT_EQ(Run("screenshot a.png --state a.state").m_nStatus, 0);
    ASSERT_EQ(Run("screenshot b.png --preset 'Well Loved Walkman' --set 'Tape Hiss=-40'").m_nStatus, 0);
    ASSERT_EQ(Run("screenshot c.png").m_nStatus, 0);
    EXPECT_EQ(Slurp(P("a.png")), Slurp(P("b.png")));
    EXPECT_NE(Slurp(P("a.png")), Slurp(P("c.png")));
    // Bypassed, float in and float out: the samples come back untouched.
    ASSERT_EQ(Run("render f.wav b.wav --bypass --preset Disintegrated --quiet").m_nStatus, 0);
    EXPECT_EQ(Samples(P("b.wav")), Samples(P("f.wav")));
}

TEST_F(Command, AnInterruptedRenderLeavesTheOldOutputAndNoTemporaryFile)
{
    ASSERT_EQ(Shell("sox -n -r 44100 -c 2 -b 16 long.wav synth 60 pinknoise gain -10").m_nStatus, 0);
    std::ofstream(P("keep.wav")) << "precious";
    // Interrupt once the render's temporary file exists.
    const SResult r = Shell(std::string(BW_CLI_PATH) +
                            " render long.wav keep.wav --preset Disintegrated & pid=$!; "
                            "for i in $(seq 1000); do ls -A | grep -q '^\\.keep\\.wav\\.' && break; sleep 0.01; done; "
                            "kill -INT $pid; wait $pid");
    EXPECT_EQ(r.m_nStatus, 130) << r.m_Err;
    EXPECT_NE(r.m_Err.find("brindlewarbler: interrupted"), std::string::npos) << r.m_Err;
    EXPECT_EQ(Slurp(P("keep.wav")), "precious");
    EXPECT_EQ(HiddenFiles(), 0);
}

TEST_F(Command, AnalyzeDrawsFivePlotsAndItsNumbersFollowTheSetting)
{
    const SResult r = Run("analyze --rate 22050 --out plots --json --compare 'Tape Type=I' --compare 'Tape Type=IV' "
                          "--compare 'Tape Type=IV, Output=-12' > a.json");
    ASSERT_EQ(r.m_nStatus, 0) << r.m_Err;
    for (const char* name : {"response", "saturation", "compander", "modulation", "hiss"}) {
        EXPECT_EQ(Slurp(P(std::string("plots/") + name + ".png")).substr(0, 24),
                  std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x03\x20\0\0\x01\xf4", 24)) << name;  // 800 x 500
    }
    // A line per setting: hiss total, wow and flutter, then the left response in dB at every point.
    const SResult numbers = Shell("python3 -c \"import json; d = json.load(open('a.json'))\n"
                                  "for s in d['settings']:\n"
                                  "    print(s['hiss']['total_left_dbfs'], s['modulation']['peak_to_peak_cents'],"
                                  " *(p['left_db'] for p in s['response']['points']))\"");
    ASSERT_EQ(numbers.m_nStatus, 0) << numbers.m_Err;
    std::istringstream lines(numbers.m_Out);
    std::vector<std::vector<double>> responses;
    std::vector<double> hiss;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream values(line);
        double fHiss = 0.0, fCents = -1.0;
        values >> fHiss >> fCents;
        hiss.push_back(fHiss);
        EXPECT_LT(fCents, 0.5);  // no wow or flutter by default
        responses.emplace_back(std::istream_iterator<double>(values), std::istream_iterator<double>());
    }
    ASSERT_EQ(responses.size(), 3u);
    EXPECT_NEAR(hiss[0], -42.0, 6.0);  // the default Tape Hiss
    EXPECT_NEAR(hiss[2] - hiss[1], -12.0, 0.5);  // the output gain comes after the hiss
    ASSERT_EQ(responses[0].size(), 54u);  // 20 Hz to 0.45 of the rate in sixth octaves
    for (size_t i = 0; i < responses[1].size(); ++i)
        EXPECT_NEAR(responses[2][i] - responses[1][i], -12.0, 0.05) << "point " << i;
    EXPECT_NEAR(responses[0][30], responses[1][30], 3.0);  // 632 Hz
    EXPECT_LT(responses[0][52], responses[1][52] - 6.0);   // 8 kHz: type I falls first
}

}  // namespace
