#include "AAX_VDescriptionHost.h"

#include "AAX_TAdopt.h"

AAX_Result AAX_VDescriptionHost::AcquireFeatureProperties(const acfUID& featureID, std::unique_ptr<AAX_VFeatureInfo>& outInfo)
{
    if (!m_I)
        return AAX_ERROR_NULL_OBJECT;
    outInfo = AAX_AdoptNew<AAX_VFeatureInfo>(m_I->AcquireFeatureProperties(featureID));
    return outInfo ? AAX_SUCCESS : AAX_ERROR_UNKNOWN_ID;
}
