#pragma once
// What the render finds in the MIDI and transport fields of its algorithm context. Plain
// interfaces owned by the host; the host keeps them valid while it renders.
//
// Threading: audio thread only.

#include "AAX.h"
#include "AAX_ITransport.h"

// One MIDI packet; packets in a node buffer are 16 bytes apart.
struct AAX_CMidiPacket {
    uint32_t mTimestamp;    // frame offset within the current call
    uint32_t mIsImmediate;
    uint8_t mData[4];       // status, data 1, data 2, unused
    uint32_t mLength;       // bytes used in mData
};
static_assert(sizeof(AAX_CMidiPacket) == 16, "MIDI packets are 16 bytes apart");

struct AAX_CMidiStream {
    uint32_t mBufferSize;       // packet count
    AAX_CMidiPacket* mBuffer;   // first packet
};

class AAX_IMIDINode {
public:
    virtual ~AAX_IMIDINode() = default;
    virtual AAX_CMidiStream* GetNodeBuffer() = 0;
    virtual AAX_Result PostMIDIPacket(const AAX_CMidiPacket* inPacket) = 0;
    // The host transport, for a node of the transport type; null otherwise.
    virtual AAX_ITransport* GetTransport() = 0;
};
