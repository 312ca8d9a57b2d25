#pragma once
// Result checking for code that prefers exceptions: assigning a failing result traces
// "AAX_CheckedResult - throwing <name>" and throws AAX_CResultException. Exported entry points
// catch it (nothing else in the module throws).

#include "AAX.h"

#include <stdexcept>

class AAX_CResultException : public std::runtime_error {
public:
    explicit AAX_CResultException(AAX_Result result);
    AAX_Result Result() const { return m_nResult; }

private:
    AAX_Result m_nResult;
};

class AAX_CheckedResult {
public:
    AAX_CheckedResult() = default;
    AAX_CheckedResult(AAX_Result result) { Check(result); }  // NOLINT: implicit by design
    AAX_CheckedResult& operator=(AAX_Result result)
    {
        Check(result);
        return *this;
    }
    operator AAX_Result() const { return m_nLastResult; }  // NOLINT

private:
    void Check(AAX_Result result);
    AAX_Result m_nLastResult = AAX_SUCCESS;
};
