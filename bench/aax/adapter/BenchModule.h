#pragma once
// What the module benchmarks share: the loaded module, the "every stage" settings of the
// engine benchmark, and a control change made the way host automation makes it.
#include "AAX_IParameter.h"
#include "CHostInstance.h"
#include "CHostModule.h"
#include "CModDelayModule.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace bench {

// Every stage on: type IV, worn, NR on, separate dropouts, random LFOs, full depths.
inline const std::pair<uint32_t, float> kEveryStage[] = {
    {CModDelayModule::kWowDepth, 100.0f},   {CModDelayModule::kFlutterDepth, 100.0f},
    {CModDelayModule::kWowRate, 2.0f},      {CModDelayModule::kFlutterRate, 9.0f},
    {CModDelayModule::kTapeHiss, -40.0f},   {CModDelayModule::kDropoutAmount, 10.0f},
    {CModDelayModule::kDropoutIntensity, 1.0f}, {CModDelayModule::kSaturation, 6.0f},
    {CModDelayModule::kWowLfo, 1.0f},       {CModDelayModule::kFlutterLfo, 1.0f},
    {CModDelayModule::kTapeType, float(CModDelayModule::kTapeIV)}, {CModDelayModule::kAge, 4.0f},
    {CModDelayModule::kNrComp, 1.0f},       {CModDelayModule::kMonoStereoDropouts, 1.0f},
};

// Loaded and registered once per program; throws when it cannot be.
inline CHostModule& Module()
{
    static std::unique_ptr<CHostModule> s_pModule;
    if (!s_pModule) {
        s_pModule = std::make_unique<CHostModule>();
        if (!s_pModule->Load(BW_MODULE_PATH) || s_pModule->Register() != ACF_OK)
            throw std::runtime_error("cannot load " BW_MODULE_PATH);
    }
    return *s_pModule;
}

// Sets a control through the host the way automation does (the request is answered here).
inline void SetControl(CHostInstance& instance, uint32_t uIndex, float fValue)
{
    AAX_IParameter* p = nullptr;
    const std::string id = std::to_string(uIndex + 1);
    instance.Parameters()->GetParameter(id.c_str(), &p);
    double n = 0.0;
    if (!p->GetNormalizedValueFromFloat(fValue, &n))
        p->GetNormalizedValueFromInt32(int32_t(fValue), &n);
    instance.Parameters()->SetParameterNormalizedValue(id.c_str(), n);
    instance.Automation().ProcessPending();
}

}  // namespace bench
