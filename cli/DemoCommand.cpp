#include "CArguments.h"
#include "CAudioFile.h"
#include "CRenderJob.h"
#include "CliError.h"
#include "Commands.h"
#include "DemoSynth.h"
#include "Levels.h"
#include "TapePresets.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

// Presets that show the range of the effect, from gentle to ruined.
const char* const kDemoPresets[] = {"A Little Aged", "Dusty Piano", "1988", "Well Loved Walkman", "Lost Tape", "Disintegrated"};
constexpr uint32_t kDemoSeed = 1988;

std::string Slug(const std::string& name)
{
    std::string slug;
    for (const char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            slug += char(std::tolower(static_cast<unsigned char>(c)));
        else if (!slug.empty() && slug.back() != '-')
            slug += '-';
    }
    return slug;
}

}  // namespace

int RunDemo(const std::vector<std::string>& words)
{
    static const SOptionSpec kOptions[] = {{"module", true, false}, {"quiet", false, false}};
    const CArguments args(words, kOptions);
    args.ExpectPositionals(0, 1, "brindlewarbler demo [DIR]");
    std::string dir = args.Positionals().empty() ? "demo-out" : args.Positionals()[0];
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error)
        throw CCliError("cannot make the folder '" + dir + "': " + error.message());

    const CModuleHost host(LocateModule(args.Value("module").value_or("")));

    struct SRow {
        std::string m_File, m_Preset;
    };
    std::vector<SRow> rows;
    const SDemoPiece piece = SynthesiseDemoPiece();
    const std::string dry = dir + "/00-dry.wav";
    {
        CAudioWriter writer(dry, SF_FORMAT_WAV | SF_FORMAT_PCM_24, 2, piece.m_nSampleRate);
        writer.Write(piece.m_Interleaved.data(), int64_t(piece.Frames()));
        writer.Commit();
    }
    rows.push_back({dry, "(dry)"});

    int nNumber = 1;
    for (const char* pPreset : kDemoPresets) {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%02d-", nNumber++);
        SRenderOptions options;
        options.m_Input = dry;
        options.m_Output = dir + "/" + prefix + Slug(pPreset) + ".wav";
        options.m_Preset = pPreset;
        options.m_nSeed = kDemoSeed;
        options.m_fTailSeconds = 0.5;
        if (!args.Has("quiet"))
            std::fprintf(stderr, "rendering %s\n", options.m_Output.c_str());
        RenderFile(host, options);
        rows.push_back({options.m_Output, pPreset});
    }

    size_t nWidth = 4;
    for (const SRow& r : rows)
        nWidth = std::max(nWidth, r.m_File.size());
    std::printf("%-*s  %-20s  %9s  %9s\n", int(nWidth), "file", "preset", "peak dBFS", "RMS dBFS");
    for (const SRow& r : rows) {
        const SLevels levels = MeasureFileLevels(r.m_File);
        std::printf("%-*s  %-20s  %9.1f  %9.1f\n", int(nWidth), r.m_File.c_str(), r.m_Preset.c_str(), levels.m_fPeak_dBFS,
                    levels.m_fRMS_dBFS);
    }
    return 0;
}
