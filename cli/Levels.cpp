#include "Levels.h"

#include "CAudioFile.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

double ToDB(double x) { return x > 1e-10 ? 20.0 * std::log10(x) : -200.0; }

}  // namespace

SLevels MeasureLevels(const float* pSamples, size_t nSamples)
{
    double peak = 0.0, sum = 0.0;
    for (size_t i = 0; i < nSamples; ++i) {
        peak = std::max(peak, double(std::fabs(pSamples[i])));
        sum += double(pSamples[i]) * pSamples[i];
    }
    SLevels levels;
    levels.m_fPeak_dBFS = ToDB(peak);
    levels.m_fRMS_dBFS = nSamples ? ToDB(std::sqrt(sum / double(nSamples))) : -200.0;
    return levels;
}

SLevels MeasureFileLevels(const std::string& path)
{
    CAudioReader reader(path);
    std::vector<float> samples(size_t(reader.Frames()) * size_t(reader.Channels()));
    const int64_t n = reader.Read(samples.data(), reader.Frames());
    return MeasureLevels(samples.data(), size_t(n) * size_t(reader.Channels()));
}
