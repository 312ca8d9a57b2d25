#pragma once
// What `brindlewarbler analyze` measures for one setting, and how: which stages each
// measurement switches off (the plots' subtitles say the same), the levels and frequencies.
// The effect comes in as a factory of render callbacks, so each measurement starts from a
// fresh instance with its own overrides.

#include "Measurements.h"

#include <functional>
#include <string>
#include <vector>

class CJsonWriter;

// A fresh instance of the setting with these extra "Name=Value" changes applied last.
using RenderFactory = std::function<RenderFn(const std::vector<std::string>& overrides)>;

inline constexpr double kResponseLevel_dBFS = -24.0;
inline constexpr double kToneHz = 1000.0;
inline constexpr double kHighToneHz = 8000.0;    // in the compander's upper band
inline constexpr double kHarmonicLevels_dBFS[] = {-18.0, -12.0, -6.0, 0.0};

struct SCompanderCurve {
    bool m_bOn = false;
    double m_fHz = 0.0;
    std::vector<SLevelPoint> m_Points;
};

struct SAnalysis {
    std::string m_Label;  // the setting, for titles and legends
    std::vector<SResponsePoint> m_Response;
    std::vector<SLevelPoint> m_Transfer;          // kToneHz
    std::vector<SHarmonics> m_Harmonics;          // one per kHarmonicLevels_dBFS
    std::vector<SCompanderCurve> m_Compander;     // on and off at kToneHz and kHighToneHz
    SPitchDeviation m_Pitch;
    SNoiseSpectrum m_Hiss;
};

// What each measurement switches off, for subtitles and the JSON.
extern const char* const kQuietConditions;   // response, saturation and compander
extern const char* const kPitchConditions;   // modulation
extern const char* const kHissConditions;

SAnalysis RunAnalysis(const RenderFactory& make, double fRate, const std::string& label);

// The five PNGs into folder dir (created when missing), overlaying every analysis given; the
// titles name them by titleSetting. Throws CCliError.
void DrawAnalysisPlots(const std::vector<SAnalysis>& analyses, const std::string& titleSetting, const std::string& dir);

void WriteAnalysisJson(CJsonWriter& json, const std::vector<SAnalysis>& analyses, double fRate, unsigned nSeed);
