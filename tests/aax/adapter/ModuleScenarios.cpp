#include "ModuleScenarios.h"

#include "TapePresets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

std::string ControlID(int nIndex)
{
    return std::to_string(nIndex + 1);
}

double NormalizedFromReal(CTestInstance& t, int nIndex, double fReal)
{
    AAX_IParameter* p = t.Parameter(ControlID(nIndex).c_str());
    double n = 0.0;
    if (p && !p->GetNormalizedValueFromFloat(float(fReal), &n))
        p->GetNormalizedValueFromInt32(int32_t(fReal), &n);
    return n;
}

void SetReal(CTestInstance& t, int nIndex, double fReal)
{
    t.Set(ControlID(nIndex).c_str(), NormalizedFromReal(t, nIndex, fReal));
}

void ApplyPreset(CTestInstance& t, int nSlot)
{
    for (int i = 0; i < kTapePresetControls; ++i)
        SetReal(t, i, kTapePresetValues[nSlot][i]);
}

void ApplyEveryStage(CTestInstance& t)
{
    const std::pair<int, double> settings[] = {
        {CModDelayModule::kWowDepth, 100.0},      {CModDelayModule::kFlutterDepth, 100.0},
        {CModDelayModule::kWowRate, 2.0},         {CModDelayModule::kFlutterRate, 9.0},
        {CModDelayModule::kTapeHiss, -40.0},      {CModDelayModule::kDropoutAmount, 10.0},
        {CModDelayModule::kDropoutIntensity, 1.0}, {CModDelayModule::kSaturation, 6.0},
        {CModDelayModule::kWowLfo, 1.0},          {CModDelayModule::kFlutterLfo, 1.0},
        {CModDelayModule::kTapeType, CModDelayModule::kTapeIV}, {CModDelayModule::kAge, 4.0},
        {CModDelayModule::kNrComp, 1.0},          {CModDelayModule::kMonoStereoDropouts, 1.0},
    };
    for (const auto& [nIndex, fValue] : settings)
        SetReal(t, nIndex, fValue);
}

std::vector<double> ApplyRandomSet(CTestInstance& t, std::mt19937& rng)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<double> values;
    for (int i = 0; i < kControls; ++i) {
        values.push_back(unit(rng));
        t.Set(ControlID(i).c_str(), values.back());
    }
    for (const char* pID : kJoystickIDs) {
        values.push_back(unit(rng));
        t.Set(pID, values.back());
    }
    return values;
}

std::string DescribeSet(uint32_t nSeed, const std::vector<double>& values)
{
    std::ostringstream text;
    text.precision(17);
    text << "seed " << nSeed << ", normalised values (controls 1..16, joystick X, Y):";
    for (double v : values)
        text << ' ' << v;
    return text.str();
}

void FillTone(SAudio& io, int64_t nStart, float fSampleRate, float fLevel)
{
    for (size_t c = 0; c < io.m_In.size(); ++c)
        for (size_t i = 0; i < io.m_In[c].size(); ++i) {
            const double t = double(nStart + int64_t(i)) / fSampleRate;
            io.m_In[c][i] = fLevel * float(std::sin(2.0 * M_PI * (220.0 + 111.0 * double(c)) * t));
        }
}

void SOutputScan::Scan(const SAudio& io, int64_t nFirstFrame)
{
    for (const auto& channel : io.m_Out)
        for (size_t i = 0; i < channel.size(); ++i) {
            const int nClass = std::fpclassify(channel[i]);
            const bool bNonFinite = nClass == FP_NAN || nClass == FP_INFINITE;
            if (!bNonFinite && nClass != FP_SUBNORMAL)
                continue;
            ++(bNonFinite ? m_nNonFinite : m_nSubnormal);
            if (m_nFirstBad < 0) {
                m_nFirstBad = nFirstFrame + int64_t(i);
                m_fFirstBad = channel[i];
            }
        }
}
