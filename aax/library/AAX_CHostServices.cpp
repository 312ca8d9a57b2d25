#include "AAX_CHostServices.h"

#include "AAX_VHostServices.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace {
std::atomic<AAX_VHostServices*> s_pHostServices{nullptr};
}

void AAX_CHostServices::Set(IACFUnknown* pHost)
{
    AAX_VHostServices* pNew = pHost ? new AAX_VHostServices(pHost) : nullptr;
    delete s_pHostServices.exchange(pNew);
}

bool AAX_CHostServices::IsSet()
{
    return s_pHostServices.load() != nullptr;
}

void AAX_CHostServices::Trace(int32_t priority, const char* pFormat, ...)
{
    AAX_VHostServices* pServices = s_pHostServices.load();
    if (!pServices)
        return;
    char text[1024];
    va_list args;
    va_start(args, pFormat);
    std::vsnprintf(text, sizeof text, pFormat, args);
    va_end(args);
    pServices->Trace(priority, text);
}
