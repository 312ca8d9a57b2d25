#include "CHostMidiNode.h"

#include <algorithm>

CHostMidiNode::CHostMidiNode(AAX_ITransport* pTransport, size_t nCapacity)
    : m_pTransport(pTransport), m_nCapacity(nCapacity)
{
    m_Input.reserve(nCapacity);
    m_Posted.reserve(nCapacity);
}

AAX_Result CHostMidiNode::PostMIDIPacket(const AAX_CMidiPacket* inPacket)
{
    if (!inPacket)
        return AAX_ERROR_NULL_ARGUMENT;
    if (m_Posted.size() >= m_nCapacity)
        return AAX_ERROR_FIFO_FULL;
    m_Posted.push_back(*inPacket);
    return AAX_SUCCESS;
}

void CHostMidiNode::SetPackets(const std::vector<AAX_CMidiPacket>& packets)
{
    m_Input.assign(packets.begin(), packets.begin() + long(std::min(packets.size(), m_nCapacity)));
    m_Stream.mBufferSize = uint32_t(m_Input.size());
    m_Stream.mBuffer = m_Input.empty() ? nullptr : m_Input.data();
}

AAX_CMidiPacket CHostMidiNode::MakePacket(uint32_t frame, uint8_t status, uint8_t data1, uint8_t data2)
{
    AAX_CMidiPacket packet{};
    packet.mTimestamp = frame;
    packet.mData[0] = status;
    packet.mData[1] = data1;
    packet.mData[2] = data2;
    packet.mLength = 3;
    return packet;
}
