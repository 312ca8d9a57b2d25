#include "CHostServices.h"

#include <cstdio>

AAX_Result CHostServices::Trace(int32_t inPriority, const char* inMessage)
{
    const char* pText = inMessage ? inMessage : "";
    std::fprintf(stderr, "brindlewarbler trace [0x%08x]: %s\n", unsigned(inPriority), pText);
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Messages.push_back({inPriority, pText});
    return AAX_SUCCESS;
}

AAX_Result CHostServices::HandleAssertFailure(const char* inFile, int32_t inLine, const char* inNote)
{
    std::fprintf(stderr, "brindlewarbler assertion failed: %s:%d: %s\n", inFile ? inFile : "?", int(inLine),
                 inNote ? inNote : "");
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Messages.push_back({AAX_eTracePriority_Critical, std::string("assertion failed: ") + (inNote ? inNote : "")});
    return AAX_SUCCESS;
}

std::vector<SHostTrace> CHostServices::Messages() const
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Messages;
}

void CHostServices::ClearMessages()
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Messages.clear();
}
