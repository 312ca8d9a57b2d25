#pragma once
// A MIDI node of the algorithm context: the input packets of the current render call, the
// packets the module posts, and (for a transport node) the host transport.
//
// Threading: SetPackets between render calls (host side), everything else on the audio
// thread during the call. Nothing allocates once the capacity is reserved.

#include "AAX_IMIDINode.h"

#include <vector>

class CHostMidiNode : public AAX_IMIDINode {
public:
    explicit CHostMidiNode(AAX_ITransport* pTransport = nullptr, size_t nCapacity = 1024);

    AAX_CMidiStream* GetNodeBuffer() override { return &m_Stream; }
    AAX_Result PostMIDIPacket(const AAX_CMidiPacket* inPacket) override;
    AAX_ITransport* GetTransport() override { return m_pTransport; }

    // The packets of the next render call (at most the capacity; the rest are dropped).
    void SetPackets(const std::vector<AAX_CMidiPacket>& packets);
    // Builds a packet of up to three bytes at a frame offset.
    static AAX_CMidiPacket MakePacket(uint32_t frame, uint8_t status, uint8_t data1, uint8_t data2);
    const std::vector<AAX_CMidiPacket>& PostedPackets() const { return m_Posted; }
    void ClearPostedPackets() { m_Posted.clear(); }

private:
    AAX_ITransport* m_pTransport;  // not owned
    size_t m_nCapacity;
    std::vector<AAX_CMidiPacket> m_Input;
    std::vector<AAX_CMidiPacket> m_Posted;
    AAX_CMidiStream m_Stream{0, nullptr};
};
