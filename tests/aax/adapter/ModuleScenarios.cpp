#include "ModuleScenarios.h"

#include "EveryStage.h"
#include "TapePresets.h"

#include <cmath>
#include <sstream>

void ApplyPreset(CTestInstance& t, int nSlot)
{
    for (int i = 0; i < kTapePresetControls; ++i)
        SetReal(t.Host(), i, kTapePresetValues[nSlot][i]);
}

void ApplyEveryStage(CTestInstance& t)
{
    for (const SControlSetting& s : kEveryStage)
        SetReal(t.Host(), int(s.m_uIndex), s.m_fValue);
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
