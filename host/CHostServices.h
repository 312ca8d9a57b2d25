#pragma once
// Module-wide host services: trace messages go to standard error and are kept for
// inspection. Threading: any thread (a mutex guards the kept messages).

#include "AAX_IACFHostServices.h"
#include "CHostObject.h"

#include <mutex>
#include <string>
#include <vector>

struct SHostTrace {
    int32_t m_nPriority;
    std::string m_Text;
};

class CHostServices : public THostObject<AAX_IACFHostServices> {
public:
    AAX_Result Trace(int32_t inPriority, const char* inMessage) override;
    AAX_Result HandleAssertFailure(const char* inFile, int32_t inLine, const char* inNote) override;

    std::vector<SHostTrace> Messages() const;
    void ClearMessages();

private:
    mutable std::mutex m_Mutex;
    std::vector<SHostTrace> m_Messages;
};
