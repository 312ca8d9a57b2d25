#include "Analysis.h"

namespace {

// Hiss at its lowest, dropouts and pitch modulation off: a tone measurement sees the steady
// signal path alone.
const std::vector<std::string> kQuiet = {"Tape Hiss=-96", "Dropout Amount=0", "Wow Depth=0", "Flutter Depth=0"};

}  // namespace

const char* const kQuietConditions = "hiss at -96 dB, dropouts, wow and flutter off";
const char* const kPitchConditions = "hiss at -96 dB, dropouts off";
const char* const kHissConditions = "silence in, every stage as set";

SAnalysis RunAnalysis(const RenderFactory& make, double fRate, const std::string& label)
{
    SAnalysis a;
    a.m_Label = label;
    a.m_Response = MeasureResponse(make(kQuiet), fRate, kResponseLevel_dBFS, 20.0, 20000.0, 6);
    a.m_Transfer = MeasureLevelCurve(make(kQuiet), fRate, kToneHz, -36.0, 6.0, 1.0, 0.25);
    for (double fLevel : kHarmonicLevels_dBFS)
        a.m_Harmonics.push_back(MeasureHarmonics(make(kQuiet), fRate, kToneHz, fLevel));
    for (const bool bOn : {true, false})
        for (const double fHz : {kToneHz, kHighToneHz}) {
            std::vector<std::string> overrides = kQuiet;
            overrides.push_back(bOn ? "NR Comp=ON" : "NR Comp=OFF");
            a.m_Compander.push_back({bOn, fHz, MeasureLevelCurve(make(overrides), fRate, fHz, -80.0, 0.0, 2.0, 0.3)});
        }
    a.m_Pitch = MeasurePitchDeviation(make({"Tape Hiss=-96", "Dropout Amount=0"}), fRate, kToneHz, 0.5, 3.0);
    a.m_Hiss = MeasureNoiseSpectrum(make({}), fRate, 0.5, 4.0);
    return a;
}
