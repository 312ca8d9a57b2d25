#pragma once
// Measurements of an audio system given as a render callback: magnitude response, level
// curves, harmonics, pitch deviation and noise spectrum. Pure functions of what the callback
// returns, so they are checked against known systems without the module.
//
// Levels are in dBFS with a full-scale sine as 0 dB (amplitude A reads 20 log10 A), for tones
// and noise alike. Results cover the left and right outputs where both matter.

#include <array>
#include <cstddef>
#include <functional>
#include <vector>

// The system under test: renders nFrames of a mono input into a left and a right output.
// Successive calls continue one stream; the callback keeps its state between them.
using RenderFn = std::function<void(const float* pIn, float* pOutL, float* pOutR, size_t nFrames)>;

// Level in dBFS of a tone of fHz in x[nStart, nStart + nCount) (a Hann-windowed single-bin
// transform, so other tones and noise outside a few bins barely count).
double ToneLevel_dB(const std::vector<float>& x, size_t nStart, size_t nCount, double fHz, double fRate);

struct SResponsePoint {
    double m_fHz = 0.0;
    double m_fLeft_dB = 0.0, m_fRight_dB = 0.0;  // output level minus input level
};
// Stepped sine at fLevel_dBFS over nPerOctave points per octave from fFromHz to fToHz (both
// included); each tone settles before it is measured.
std::vector<SResponsePoint> MeasureResponse(const RenderFn& render, double fRate, double fLevel_dBFS,
                                            double fFromHz, double fToHz, int nPerOctave);

struct SLevelPoint {
    double m_fIn_dB = 0.0, m_fOut_dB = 0.0;  // left output
};
// Static level curve of a fHz tone from fFrom_dB to fTo_dB in fStep_dB steps, rising; each step
// is held until envelopes settle (fHoldSeconds) and its last part measured.
std::vector<SLevelPoint> MeasureLevelCurve(const RenderFn& render, double fRate, double fHz, double fFrom_dB,
                                           double fTo_dB, double fStep_dB, double fHoldSeconds);

inline constexpr int kHighestHarmonic = 7;
struct SHarmonics {
    double m_fIn_dB = 0.0;
    double m_fFundamental_dB = 0.0;
    // H2 ... H7 relative to the fundamental (dBc); NaN above the Nyquist frequency.
    std::array<double, kHighestHarmonic - 1> m_fHarmonic_dBc{};
};
SHarmonics MeasureHarmonics(const RenderFn& render, double fRate, double fHz, double fLevel_dBFS);

struct SPitchDeviation {
    std::vector<double> m_fTime_s;   // the middle of each period of the output
    std::vector<double> m_fCents;    // its frequency against the input tone's
    double m_fPeakToPeak_cents = 0.0;
    double m_fRms_cents = 0.0;       // about the mean
};
// A steady fHz sine for fSettleSeconds, then fSeconds measured by interpolated upward zero
// crossings of the left output.
SPitchDeviation MeasurePitchDeviation(const RenderFn& render, double fRate, double fHz, double fSettleSeconds,
                                      double fSeconds);

struct SBandLevel {
    double m_fCentreHz = 0.0;
    double m_fLeft_dB = 0.0, m_fRight_dB = 0.0;
};
struct SNoiseSpectrum {
    std::vector<SBandLevel> m_Bands;  // third-octave bands from 20 Hz to 20 kHz
    double m_fTotalLeft_dB = 0.0, m_fTotalRight_dB = 0.0;  // 20 Hz to 20 kHz
};
// Silence in for fSettleSeconds, then fSeconds of output averaged (Welch, Hann, half overlap).
SNoiseSpectrum MeasureNoiseSpectrum(const RenderFn& render, double fRate, double fSettleSeconds, double fSeconds);
