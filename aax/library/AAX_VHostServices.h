#pragma once
// Wrapper of the host's module-wide services. Answers AAX_ERROR_NULL_OBJECT when the host
// gives none. Threading: any thread.

#include "AAX_IACFHostServices.h"

class AAX_VHostServices {
public:
    explicit AAX_VHostServices(IACFUnknown* pHost);
    ~AAX_VHostServices();
    AAX_VHostServices(const AAX_VHostServices&) = delete;
    AAX_VHostServices& operator=(const AAX_VHostServices&) = delete;

    bool IsValid() const { return m_pIHostServices != nullptr; }
    AAX_Result Trace(int32_t priority, const char* pMessage) const;
    AAX_Result HandleAssertFailure(const char* pFile, int32_t nLine, const char* pNote) const;

private:
    AAX_IACFHostServices* m_pIHostServices;  // one reference, released by the destructor
};
