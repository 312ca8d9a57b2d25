#include "AAXMIDIEventList.h"

#include "Tessera_Render.h"

bool AAXMIDIEventList::fireMidiEvents(uint32_t uFrameIndex)
{
    if (m_pOwner)
        DispatchMidiPackets(*m_pOwner, uFrameIndex, m_pCursor, m_uPacketCount, false);
    return true;
}
