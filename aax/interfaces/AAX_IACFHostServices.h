#pragma once
// Module-wide host services: diagnostics. Threading: any thread.

#include "AAX.h"
#include "ACFUnknown.h"

class AAX_IACFHostServices : public IACFUnknown {
public:
    static constexpr acfIID kIID = ACF_MakeIID(0x0A0C0006);

    virtual AAX_Result Trace(int32_t inPriority, const char* inMessage) = 0;
    virtual AAX_Result HandleAssertFailure(const char* inFile, int32_t inLine, const char* inNote) = 0;

protected:
    ~AAX_IACFHostServices() = default;
};
