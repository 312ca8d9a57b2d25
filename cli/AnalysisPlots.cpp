// The five analysis pictures drawn from measured results.
#include "Analysis.h"
#include "CPlot.h"
#include "CliError.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {

constexpr int kGrey = 4;

// Deep in the stop band the hiss left on decides the last decimals: only the levels above
// fFloor_dB count.
bool Differ(const std::vector<double>& a, const std::vector<double>& b, double fTolerance_dB, double fFloor_dB)
{
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (std::isfinite(a[i]) && std::isfinite(b[i]) && std::max(a[i], b[i]) > fFloor_dB && std::fabs(a[i] - b[i]) > fTolerance_dB)
            return true;
    return false;
}

// One analysis's left line, and its right one (dashed, same colour) when it differs.
void AddLeftRight(std::vector<SPlotLine>& lines, const std::string& label, int nColour, const std::vector<double>& x,
                  const std::vector<double>& left, const std::vector<double>& right, double fTolerance_dB, double fFloor_dB,
                  bool bNamed)
{
    const bool bBoth = Differ(left, right, fTolerance_dB, fFloor_dB);
    const std::string name = bNamed ? label + (bBoth ? " L" : "") : (bBoth ? "left" : "");
    lines.push_back({name, x, left, nColour, false, false});
    if (bBoth)
        lines.push_back({bNamed ? label + " R" : "right", x, right, nColour, true, false});
}

void FitY(SPlotPanel& panel, double fStep, double fMinSpan, double fFloor = -1e9)
{
    double lo = 0.0, hi = 0.0;
    FiniteYRange(panel.m_Lines, lo, hi);
    RoundRange(std::max(lo, fFloor), hi, fStep, fMinSpan, panel.m_fYMin, panel.m_fYMax);
}

void Response(const std::vector<SAnalysis>& all, const std::string& setting, const std::string& path)
{
    SPlotPanel p{"frequency (Hz)", "gain (dB)", 20.0, 20000.0, 0.0, 0.0, true, {}};
    for (size_t i = 0; i < all.size(); ++i) {
        std::vector<double> x, l, r;
        for (const SResponsePoint& pt : all[i].m_Response) {
            x.push_back(pt.m_fHz);
            l.push_back(pt.m_fLeft_dB);
            r.push_back(pt.m_fRight_dB);
        }
        AddLeftRight(p.m_Lines, all[i].m_Label, int(i), x, l, r, 0.1, -40.0, all.size() > 1);
    }
    p.m_eLegend = SPlotPanel::kBottomLeft;
    FitY(p, 3.0, 12.0);
    SavePlot({"Frequency response: " + setting,
              "stepped sine at " + std::to_string(int(kResponseLevel_dBFS)) + " dBFS; " + kQuietConditions, 800, 500, {p}},
             path);
}

void Saturation(const std::vector<SAnalysis>& all, const std::string& setting, const std::string& path)
{
    SPlotPanel transfer{"input level (dBFS)", "output level (dBFS)", -36.0, 6.0, 0.0, 0.0, false, {}};
    for (size_t i = 0; i < all.size(); ++i) {
        std::vector<double> x, y;
        for (const SLevelPoint& pt : all[i].m_Transfer) {
            x.push_back(pt.m_fIn_dB);
            y.push_back(pt.m_fOut_dB);
        }
        transfer.m_Lines.push_back({all.size() > 1 ? all[i].m_Label : "1 kHz sine", x, y, int(i), false, false});
    }
    transfer.m_Lines.push_back({"output = input", {-36.0, 6.0}, {-36.0, 6.0}, kGrey, true, false});
    transfer.m_eLegend = SPlotPanel::kTopLeft;
    FitY(transfer, 6.0, 24.0);

    // One level per line for a single setting; the loudest level per setting when comparing.
    SPlotPanel harmonics{"harmonic number", "level re fundamental (dBc)", 1.5, kHighestHarmonic + 0.5, 0.0, 0.0, false, {}};
    std::vector<double> x;
    for (int k = 2; k <= kHighestHarmonic; ++k)
        x.push_back(k);
    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = 0; j < all[i].m_Harmonics.size(); ++j) {
            const SHarmonics& h = all[i].m_Harmonics[j];
            if (all.size() > 1 && j + 1 != all[i].m_Harmonics.size())
                continue;
            const std::string level = std::to_string(int(h.m_fIn_dB)) + " dBFS in";
            // Comparing, the colours are the left panel's and its legend names them.
            harmonics.m_Lines.push_back({all.size() > 1 ? std::string() : level, x,
                                         std::vector<double>(h.m_fHarmonic_dBc.begin(), h.m_fHarmonic_dBc.end()),
                                         int(all.size() > 1 ? i : j), false, true});
        }
    FitY(harmonics, 10.0, 40.0, -120.0);
    std::string levels = all.size() > 1 ? "harmonics at 0 dBFS in" : "harmonics at four levels";
    SavePlot({"Saturation: " + setting, std::string("1 kHz sine, levels in steps; ") + levels + "; " + kQuietConditions,
              800, 500, {transfer, harmonics}},
             path);
}

void Compander(const std::vector<SAnalysis>& all, const std::string& setting, const std::string& path)
{
    SPlotPanel p{"input level (dBFS)", "output level (dBFS)", -80.0, 0.0, 0.0, 0.0, false, {}};
    for (size_t i = 0; i < all.size(); ++i)
        for (const SCompanderCurve& c : all[i].m_Compander) {
            // Comparing: the 1 kHz curves only, NR off once as the reference.
            if (all.size() > 1 && (c.m_fHz != kToneHz || (!c.m_bOn && i != 0)))
                continue;
            std::vector<double> x, y;
            for (const SLevelPoint& pt : c.m_Points) {
                x.push_back(pt.m_fIn_dB);
                y.push_back(pt.m_fOut_dB);
            }
            const std::string tone = c.m_fHz >= 1000.0 ? std::to_string(int(c.m_fHz / 1000.0)) + " kHz" : std::to_string(int(c.m_fHz)) + " Hz";
            std::string label = tone + (c.m_bOn ? ", NR on" : ", NR off");
            int nColour = c.m_fHz == kToneHz ? 0 : 1;
            if (all.size() > 1) {
                label = c.m_bOn ? all[i].m_Label + ", NR on" : "NR off";
                nColour = c.m_bOn ? int(i) : kGrey;
            }
            p.m_Lines.push_back({label, x, y, nColour, !c.m_bOn, false});
        }
    p.m_eLegend = SPlotPanel::kTopLeft;
    FitY(p, 10.0, 40.0, -100.0);
    SavePlot({"NR compander: " + setting,
              std::string("static curve, steady sine per level; ") + kQuietConditions, 800, 500, {p}},
             path);
}

void Modulation(const std::vector<SAnalysis>& all, const std::string& setting, const std::string& path)
{
    SPlotPanel p{"time (s)", "pitch deviation (cents)", 0.0, 3.0, 0.0, 0.0, false, {}};
    double fWorst = 0.0;
    for (size_t i = 0; i < all.size(); ++i) {
        const SPitchDeviation& d = all[i].m_Pitch;
        char label[160];
        std::snprintf(label, sizeof label, "%s%.1f cents peak to peak", all.size() > 1 ? (all[i].m_Label + ": ").c_str() : "",
                      d.m_fPeakToPeak_cents);
        p.m_Lines.push_back({label, d.m_fTime_s, d.m_fCents, int(i), false, false});
        for (double c : d.m_fCents)
            fWorst = std::max(fWorst, std::fabs(c));
    }
    // Symmetric about 0 and room above for the legend.
    const double fHalf = std::max(2.0, std::ceil(fWorst * 1.6 / 2.0) * 2.0);
    p.m_fYMin = -fHalf;
    p.m_fYMax = fHalf;
    SavePlot({"Wow and flutter: " + setting,
              std::string("1 kHz sine, left output, zero-crossing periods; ") + kPitchConditions, 800, 500, {p}},
             path);
}

void Hiss(const std::vector<SAnalysis>& all, const std::string& setting, const std::string& path)
{
    SPlotPanel p{"third-octave band centre (Hz)", "band level (dBFS)", 20.0, 20000.0, 0.0, 0.0, true, {}};
    for (size_t i = 0; i < all.size(); ++i) {
        std::vector<double> x, l, r;
        for (const SBandLevel& b : all[i].m_Hiss.m_Bands) {
            x.push_back(b.m_fCentreHz);
            l.push_back(b.m_fLeft_dB);
            r.push_back(b.m_fRight_dB);
        }
        AddLeftRight(p.m_Lines, all[i].m_Label, int(i), x, l, r, 1.5, -200.0, all.size() > 1);
    }
    p.m_eLegend = SPlotPanel::kTopLeft;
    FitY(p, 10.0, 30.0, -160.0);
    char subtitle[160];
    std::snprintf(subtitle, sizeof subtitle, "%s; averaged over 4 s; total %.1f dBFS (left)", kHissConditions,
                  all.empty() ? 0.0 : all[0].m_Hiss.m_fTotalLeft_dB);
    SavePlot({"Hiss spectrum: " + setting, all.size() > 1 ? std::string(kHissConditions) + "; averaged over 4 s" : subtitle,
              800, 500, {p}},
             path);
}

}  // namespace

void DrawAnalysisPlots(const std::vector<SAnalysis>& analyses, const std::string& titleSetting, const std::string& dir)
{
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error)
        throw CCliError("cannot create the folder " + dir + ": " + error.message());
    Response(analyses, titleSetting, dir + "/response.png");
    Saturation(analyses, titleSetting, dir + "/saturation.png");
    Compander(analyses, titleSetting, dir + "/compander.png");
    Modulation(analyses, titleSetting, dir + "/modulation.png");
    Hiss(analyses, titleSetting, dir + "/hiss.png");
}
