#include "ModuleScenarios.h"

#include "EveryStage.h"
#include "TapePresets.h"

#include <cmath>

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
