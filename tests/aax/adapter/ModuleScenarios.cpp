#include "ModuleScenarios.h"

#include "EveryStage.h"
#include "TapePresets.h"

#include <gtest/gtest.h>

#include <cmath>

const SHostEffect& TheEffect()
{
    return Effect(LoadedModule(BW_MODULE_PATH));
}

std::vector<std::string> HostIDs()
{
    std::vector<std::string> ids;
    for (int i = 0; i < kControls; ++i)
        ids.push_back(ControlID(i));
    ids.insert(ids.end(), std::begin(kJoystickIDs), std::end(kJoystickIDs));
    ids.push_back("MasterBypassID");
    return ids;
}

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

void ExpectEngineHolds(CTestInstance& t, int i, double n)
{
    const ControlRecord* r = t.Engine().controlRecord(uint32_t(i));
    AAX_IParameter* p = t.Parameter(ControlID(i).c_str());
    float f = 0.0f;
    int32_t k = 0;
    if (p->GetFloatFromNormalizedValue(n, &f)) {
        EXPECT_EQ(r->m_bSmooth ? r->m_fSmoothTarget : t.Engine().getControlValue(uint32_t(i)), f) << "control " << i;
    } else {
        ASSERT_TRUE(p->GetInt32FromNormalizedValue(n, &k)) << i;
        EXPECT_EQ(t.Engine().getControlValue(uint32_t(i)), float(k)) << "control " << i;
    }
}

int64_t CountBadSamples(const SAudio& io, bool bSubnormal)
{
    int64_t nBad = 0;
    for (const auto& channel : io.m_Out)
        for (float x : channel)
            nBad += !std::isfinite(x) || (bSubnormal && std::fpclassify(x) == FP_SUBNORMAL);
    return nBad;
}
