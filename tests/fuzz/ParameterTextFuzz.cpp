// Arbitrary text typed into a parameter field: parsing must not crash, and whatever value it
// accepts must be a finite normalised value in 0..1 that the parameter can display again.
#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_CStringDisplayDelegate.h"
#include "AAX_CTsraLogTaperDelegate.h"
#include "AAX_CUnitDisplayDelegateDecorator.h"
#include "AAX_CVoltOctaveTaperDelegate.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

// One of each kind of parameter the module publishes.
std::vector<std::unique_ptr<AAX_IParameter>> makeParameters()
{
    std::vector<std::unique_ptr<AAX_IParameter>> v;
    v.emplace_back(new AAX_CParameter<float>(
        "1", "Wow Depth", 0.0f, AAX_CLinearTaperDelegate<float, 0>(0.0f, 100.0f),
        AAX_CUnitDisplayDelegateDecorator<float>(AAX_CNumberDisplayDelegate<float, 2, 0>(), " %"), true));
    v.emplace_back(new AAX_CParameter<float>(
        "5", "Tape Hiss", -42.0f, AAX_CTsraLogTaperDelegate<float>(-96.0f, -30.0f),
        AAX_CUnitDisplayDelegateDecorator<float>(AAX_CNumberDisplayDelegate<float, 2, 0>(), " dB"), true));
    v.emplace_back(new AAX_CParameter<float>(
        "F", "Frequency", 440.0f, AAX_CVoltOctaveTaperDelegate<float>(25.0f, 4200.0f),
        AAX_CNumberDisplayDelegate<float, 1, 0>(), true));
    v.emplace_back(new AAX_CParameter<int32_t>(
        "12", "Tape Type", 0, AAX_CLinearTaperDelegate<int32_t, 1>(0, 3),
        AAX_CStringDisplayDelegate<int32_t>({{0, "I"}, {1, "II"}, {2, "IV"}, {3, "BYPASS"}}), true));
    v.emplace_back(new AAX_CParameter<int32_t>(
        "N", "Steps", 0, AAX_CLinearTaperDelegate<int32_t, 0>(-5, 5), AAX_CNumberDisplayDelegate<int32_t, 0, 0>(), true));
    v.emplace_back(new AAX_CParameter<bool>("MasterBypassID", "Master Bypass", false, AAX_CBinaryTaperDelegate<bool>(),
                                            AAX_CBinaryDisplayDelegate<bool>("bypass", "on"), true));
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    static const auto s_Parameters = makeParameters();
    const std::string text(reinterpret_cast<const char*>(pData), nSize);
    const AAX_CString s(text.c_str());
    for (const auto& p : s_Parameters) {
        double dNormalised = -1.0;
        if (p->GetNormalizedValueFromString(s, &dNormalised)) {
            if (!std::isfinite(dNormalised) || dNormalised < 0.0 || dNormalised > 1.0)
                std::abort();
            AAX_CString shown;
            p->GetStringFromNormalizedValue(dNormalised, 8, shown);
        }
    }
    return 0;
}
