#pragma once
// Peak and RMS level of an audio file, in dB relative to full scale.

#include <cstddef>
#include <string>

struct SLevels {
    double m_fPeak_dBFS = -200.0;
    double m_fRMS_dBFS = -200.0;
};

SLevels MeasureLevels(const float* pSamples, size_t nSamples);
// Throws CCliError when the file cannot be read.
SLevels MeasureFileLevels(const std::string& path);
