// brindlewarbler analyze: measures a setting through the real module and draws what it does.
//
// Every measurement runs on a fresh stereo instance seeded alike, settled like a render, so
// the pictures repeat exactly; the mono input feeds both channels.
#include "Analysis.h"
#include "CArguments.h"
#include "CJsonWriter.h"
#include "CPlot.h"
#include "CRenderJob.h"
#include "CliError.h"
#include "Commands.h"
#include "TapePresets.h"
#include "TsraRand.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

constexpr uint32_t kSeed = 1;
constexpr int32_t kBlock = 512;

std::string Trim(const std::string& s)
{
    const auto b = std::find_if_not(s.begin(), s.end(), [](unsigned char c) { return std::isspace(c); });
    const auto e = std::find_if_not(s.rbegin(), s.rend(), [](unsigned char c) { return std::isspace(c); }).base();
    return b < e ? std::string(b, e) : std::string();
}

// One curve of the picture: the base setting plus a --compare text ("Tape Type=IV",
// "preset=1988", several joined by commas).
struct SVariant {
    std::string m_Label;
    std::optional<std::string> m_Preset;  // the text's preset, else the base's
    std::vector<std::string> m_Settings;  // the base's, then the text's
};

SVariant ParseCompare(const std::string& text, const std::optional<std::string>& basePreset, const std::vector<std::string>& baseSettings)
{
    SVariant v{Trim(text), basePreset, baseSettings};
    std::vector<std::string> labels;
    size_t nFrom = 0;
    while (nFrom <= text.size()) {
        const size_t nComma = std::min(text.find(',', nFrom), text.size());
        const std::string item = Trim(text.substr(nFrom, nComma - nFrom));
        nFrom = nComma + 1;
        const size_t eq = item.find('=');
        if (eq == std::string::npos)
            ThrowUsage("--compare needs NAME=VALUE items joined by commas, as in --compare \"Tape Type=IV\", not \"" + text + "\"");
        std::string name = Trim(item.substr(0, eq));
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        if (name == "preset") {
            v.m_Preset = Trim(item.substr(eq + 1));
            labels.push_back(kTapePresetNames[ResolvePreset(*v.m_Preset)]);
        } else {
            v.m_Settings.push_back(item);
            labels.push_back(item);
        }
    }
    v.m_Label.clear();
    for (const std::string& l : labels)
        v.m_Label += (v.m_Label.empty() ? "" : ", ") + l;
    return v;
}

std::string DescribeBase(const std::optional<std::string>& state, const std::optional<std::string>& preset,
                         const std::vector<std::string>& settings)
{
    std::vector<std::string> parts;
    if (state)
        parts.push_back("state " + *state);
    if (preset)
        parts.push_back(kTapePresetNames[ResolvePreset(*preset)]);
    parts.insert(parts.end(), settings.begin(), settings.end());
    std::string text;
    for (const std::string& p : parts)
        text += (text.empty() ? "" : ", ") + p;
    return text;
}

// What the titles say when comparing: the control the variants share, else "settings".
std::string CompareTitle(const std::vector<std::string>& compares, const std::string& base)
{
    std::string shared;
    for (const std::string& s : compares) {
        const std::string name = Trim(s.substr(0, s.find('=')));
        if (s.find(',') != std::string::npos || (!shared.empty() && name != shared)) {
            shared = "settings";
            break;
        }
        shared = name;
    }
    if (shared == "preset" || shared == "Preset")
        shared = "presets";
    return (base.empty() ? "" : base + "; ") + shared + " compared";
}

// A fresh seeded instance for one measurement, driven block by block.
class CAnalysisRender {
public:
    CAnalysisRender(const CModuleHost& host, float fRate, const std::optional<std::string>& state, const SVariant& v,
                    const std::vector<std::string>& overrides)
    {
        tsraSeedRand(kSeed);
        m_pSession = std::make_unique<CEffectSession>(host, host.ComponentFor(2), fRate, kBlock);
        ApplyRequestedSettings(*m_pSession, state, v.m_Preset, v.m_Settings, false);
        for (const std::string& o : overrides)
            m_pSession->ApplySetting(o);
        std::vector<float> silence(kBlock, 0.0f), l(kBlock), r(kBlock);
        for (int64_t n = std::llround(kSettleSeconds * fRate); n > 0; n -= kBlock)
            (*this)(silence.data(), l.data(), r.data(), size_t(std::min<int64_t>(n, kBlock)));
    }
    void operator()(const float* pIn, float* pOutL, float* pOutR, size_t nFrames)
    {
        for (size_t n = 0; n < nFrames; n += kBlock) {
            const int32_t nNow = int32_t(std::min<size_t>(kBlock, nFrames - n));
            const float* in[2] = {pIn + n, pIn + n};
            float* out[2] = {pOutL + n, pOutR + n};
            m_pSession->Render(in, out, nNow);
        }
    }

private:
    std::unique_ptr<CEffectSession> m_pSession;
};

}  // namespace

int RunAnalyze(const std::vector<std::string>& words)
{
    static const SOptionSpec kOptions[] = {{"preset", true, false}, {"state", true, false}, {"set", true, true},
                                           {"compare", true, true}, {"out", true, false},   {"rate", true, false},
                                           {"json", false, false},  {"module", true, false}};
    const CArguments args(words, kOptions);
    args.ExpectPositionals(0, 0, "brindlewarbler analyze [--preset P] [--state F] [--set NAME=VALUE]... [--out DIR]");
    const std::optional<std::string> state = args.Value("state"), preset = args.Value("preset");
    const std::vector<std::string> settings = args.Values("set"), compares = args.Values("compare");
    const std::string dir = args.Value("out").value_or("analysis");
    const double fRate = args.Value("rate") ? double(ParseInteger(*args.Value("rate"), "--rate", 22050, 192000)) : 48000.0;

    const std::string base = DescribeBase(state, preset, settings);
    std::vector<SVariant> variants;
    for (const std::string& c : compares)
        variants.push_back(ParseCompare(c, preset, settings));
    if (variants.empty())
        variants.push_back({base.empty() ? "default settings" : base, preset, settings});

    const CModuleHost host(LocateModule(args.Value("module").value_or("")));
    // Every variant once on a throwaway instance: a bad name fails before any work.
    for (const SVariant& v : variants)
        CAnalysisRender(host, float(fRate), state, v, {});

    std::vector<SAnalysis> analyses;
    for (const SVariant& v : variants) {
        const RenderFactory make = [&](const std::vector<std::string>& overrides) -> RenderFn {
            auto pRender = std::make_shared<CAnalysisRender>(host, float(fRate), state, v, overrides);
            return [pRender](const float* pIn, float* pL, float* pR, size_t n) { (*pRender)(pIn, pL, pR, n); };
        };
        analyses.push_back(RunAnalysis(make, fRate, v.m_Label));
    }
    {
        struct SFonts {
            ~SFonts() { ReleasePlotFonts(); }
        } fonts;
        DrawAnalysisPlots(analyses, compares.empty() ? variants.front().m_Label : CompareTitle(compares, base), dir);
    }
    if (args.Has("json")) {
        CJsonWriter json;
        WriteAnalysisJson(json, analyses, fRate, kSeed);
        std::fputs(json.Text().c_str(), stdout);
    } else {
        std::fprintf(stderr, "brindlewarbler: wrote response, saturation, compander, modulation and hiss PNGs to %s/\n", dir.c_str());
    }
    return 0;
}
