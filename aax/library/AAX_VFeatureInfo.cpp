#include "AAX_VFeatureInfo.h"

AAX_Result AAX_VFeatureInfo::SupportLevel(int32_t* outLevel) const
{
    return m_I ? m_I->SupportLevel(outLevel) : AAX_ERROR_NULL_OBJECT;
}
