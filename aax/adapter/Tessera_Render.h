#pragma once
// The native render procedure and its parts. Threading: the host's audio thread only.

#include "AAX_IMIDINode.h"
#include "AlgorithmContext.h"
#include "ParameterBatch.h"

class Tessera_Parameters;

// The process procedure registered for both components: renders every instance whose
// private block holds a Tessera_Parameters.
void StaticRenderAudio(void* const instancesBegin[], const void* instancesEnd);

// One instance: applies the due parameter entries, then processes or passes audio through.
void RenderAudio(Tessera_Parameters& params, const AlgorithmContext& context,
                 ParameterBatchEntry* const* ppEntries, uint32_t nEntryCount);

// Dispatches the packets stamped at uFrameIndex (all of them when bDispatchAll), drops
// earlier ones and stops at later ones; advances the cursor. True if the engine was called.
bool DispatchMidiPackets(Tessera_Parameters& params, uint32_t uFrameIndex, const AAX_CMidiPacket*& pCursor,
                         uint32_t& uLeft, bool bDispatchAll);
