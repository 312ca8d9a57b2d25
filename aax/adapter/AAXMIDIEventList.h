#pragma once
// The render's MIDI packets as the engine sees them through IMidiEventList. The render
// attaches each call's packets; the list keeps its own cursor into them.
//
// Ownership: owned by Tessera_Parameters; the packets belong to the host and stay valid only
// during the render call they came with. Threading: audio thread (created in EffectInit).

#include "AAX_IMIDINode.h"
#include "IMidiEventList.h"

class Tessera_Parameters;

class AAXMIDIEventList final : public IMidiEventList {
public:
    explicit AAXMIDIEventList(Tessera_Parameters* pOwner) : m_pOwner(pOwner) {}

    uint32_t getEventCount() override { return m_pCursor ? m_uPacketCount : 0; }
    bool fireMidiEvents(uint32_t uFrameIndex) override;
    ~AAXMIDIEventList() override = default;

    void Attach(const AAX_CMidiPacket* pFirst, uint32_t uCount)
    {
        m_pCursor = pFirst;
        m_uPacketCount = pFirst ? uCount : 0;
    }
    void Detach() { Attach(nullptr, 0); }

private:
    Tessera_Parameters* m_pOwner;
    uint32_t m_uPacketCount = 0;
    const AAX_CMidiPacket* m_pCursor = nullptr;
};
