#pragma once
// Parameter identifier -> data-port packet. A change of a registered parameter marks its
// packets dirty; Dispatch fills each dirty packet and posts it through the controller.
// The table is guarded by an owner-recording mutex, so a fill callback may re-enter.
//
// Threading: the host's parameter thread (and registration on the main thread).

#include "AAX.h"
#include "TsraMutex.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class AAX_VController;

class AAX_CPacketDispatcher {
public:
    // Fills the payload for a parameter's packet; a non-zero result skips the posting.
    using Filler = std::function<AAX_Result(AAX_CParamID id, std::vector<unsigned char>& payload)>;

    void Initialize(AAX_VController* pController) { m_pController = pController; }  // not owned
    void RegisterPacket(AAX_CParamID id, AAX_CFieldIndex field, Filler fill);
    void SetDirty(AAX_CParamID id);
    // Posts every dirty packet; returns the first failure, or 0.
    AAX_Result Dispatch();

private:
    struct Packet {
        std::string m_ID;
        AAX_CFieldIndex m_nField;
        Filler m_Fill;
        bool m_bDirty = true;
        std::vector<unsigned char> m_Payload;
    };

    CTsraMutex m_Mutex;
    AAX_VController* m_pController = nullptr;
    std::multimap<std::string, Packet> m_Packets;
};
