#pragma once
// Wrapper of the host's description services; AAX_ERROR_NULL_OBJECT when missing.

#include "AAX_IACFDescription.h"
#include "AAX_TInterfaceRef.h"
#include "AAX_VFeatureInfo.h"

#include <memory>

class AAX_VDescriptionHost {
public:
    explicit AAX_VDescriptionHost(IACFUnknown* pHost) : m_I(pHost) {}
    bool IsValid() const { return bool(m_I); }

    // outInfo receives the feature's info (caller owns), or stays empty when the host knows
    // no such feature (AAX_ERROR_UNKNOWN_ID).
    AAX_Result AcquireFeatureProperties(const acfUID& featureID, std::unique_ptr<AAX_VFeatureInfo>& outInfo);

private:
    AAX_TInterfaceRef<AAX_IACFDescriptionHost> m_I;
};
