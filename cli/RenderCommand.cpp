#include "CAudioFile.h"
#include "CArguments.h"
#include "CProgressBar.h"
#include "CRenderJob.h"
#include "CliError.h"
#include "Commands.h"

#include <cstdio>

int RunRender(const std::vector<std::string>& words)
{
    static const SOptionSpec kOptions[] = {
        {"preset", true, false}, {"set", true, true},     {"state", true, false}, {"save-state", true, false},
        {"bypass", false, false}, {"seed", true, false},  {"block", true, false}, {"tail", true, false},
        {"stereo", false, false}, {"float", false, false}, {"quiet", false, false}, {"module", true, false},
    };
    const CArguments args(words, kOptions);
    args.ExpectPositionals(2, 2, "brindlewarbler render IN OUT [options]");

    SRenderOptions options;
    options.m_Input = args.Positionals()[0];
    options.m_Output = args.Positionals()[1];
    options.m_Preset = args.Value("preset");
    options.m_Settings = args.Values("set");
    options.m_StateIn = args.Value("state");
    options.m_StateOut = args.Value("save-state");
    options.m_bBypass = args.Has("bypass");
    options.m_bStereo = args.Has("stereo");
    options.m_bFloat = args.Has("float");
    const bool bQuiet = args.Has("quiet");
    options.m_bProgress = !bQuiet && CProgressBar::StandardErrorIsTerminal();
    if (const auto seed = args.Value("seed"))
        options.m_nSeed = uint32_t(ParseInteger(*seed, "--seed", 0, 4294967295LL));
    if (const auto block = args.Value("block"))
        options.m_nBlock = int32_t(ParseInteger(*block, "--block", 1, 65536));
    if (const auto tail = args.Value("tail"))
        options.m_fTailSeconds = ParseNumber(*tail, "--tail", 0.0, 3600.0);
    if (options.m_StateOut && options.m_StateOut == options.m_Output)
        ThrowUsage("--save-state and OUT name the same file");

    const CModuleHost host(LocateModule(args.Value("module").value_or("")));
    const SRenderSummary s = RenderFile(host, options);
    if (!bQuiet) {
        const double fSeconds = double(s.m_nFrames) / s.m_nSampleRate;
        std::fprintf(stderr, "brindlewarbler: wrote %s (%s, %s, %d Hz, %.2f s) in %.2f s, %.0fx real time, seed %u\n",
                     options.m_Output.c_str(), DescribeFormat(s.m_nFormat).c_str(), s.m_nChannels == 1 ? "mono" : "stereo",
                     s.m_nSampleRate, fSeconds, s.m_fWallSeconds, s.m_fWallSeconds > 0 ? fSeconds / s.m_fWallSeconds : 0.0,
                     s.m_nSeed);
        if (s.m_nClipped > 0)
            std::fprintf(stderr, "brindlewarbler: warning: %llu samples clipped at full scale; lower the Output level or use --float\n",
                         static_cast<unsigned long long>(s.m_nClipped));
    }
    return 0;
}
