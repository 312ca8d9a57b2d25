#include "AAX_CheckedResult.h"

#include "AAX_CHostServices.h"
#include "AAX_Errors.h"

AAX_CResultException::AAX_CResultException(AAX_Result result)
    : std::runtime_error(AAX_ResultName(result)), m_nResult(result)
{
}

void AAX_CheckedResult::Check(AAX_Result result)
{
    m_nLastResult = result;
    if (result == AAX_SUCCESS)
        return;
    AAX_CHostServices::Trace(AAX_eTracePriority_High, "AAX_CheckedResult - throwing %s", AAX_ResultName(result));
    throw AAX_CResultException(result);
}
