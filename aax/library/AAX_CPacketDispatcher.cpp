#include "AAX_CPacketDispatcher.h"

#include "AAX_VController.h"

void AAX_CPacketDispatcher::RegisterPacket(AAX_CParamID id, AAX_CFieldIndex field, Filler fill)
{
    if (!id || !fill)
        return;
    CTsraMutexLock lock(m_Mutex);
    m_Packets.emplace(id, Packet{id, field, std::move(fill), true, {}});
}

void AAX_CPacketDispatcher::SetDirty(AAX_CParamID id)
{
    if (!id)
        return;
    CTsraMutexLock lock(m_Mutex);
    auto [it, end] = m_Packets.equal_range(id);
    for (; it != end; ++it)
        it->second.m_bDirty = true;
}

AAX_Result AAX_CPacketDispatcher::Dispatch()
{
    CTsraMutexLock lock(m_Mutex);
    AAX_Result result = AAX_SUCCESS;
    for (auto& [id, packet] : m_Packets) {
        if (!packet.m_bDirty)
            continue;
        packet.m_bDirty = false;
        packet.m_Payload.clear();
        AAX_Result r = packet.m_Fill(id.c_str(), packet.m_Payload);
        if (r == AAX_SUCCESS)
            r = m_pController ? m_pController->PostPacket(packet.m_nField, packet.m_Payload.data(),
                                                          uint32_t(packet.m_Payload.size()))
                              : AAX_ERROR_NULL_OBJECT;
        if (r != AAX_SUCCESS && result == AAX_SUCCESS)
            result = r;
    }
    return result;
}
