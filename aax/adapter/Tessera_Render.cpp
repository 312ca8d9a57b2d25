// The render: parameter batches due at the delivered batch number, host timing, the engine
// frame by frame (or on whole buffers), MIDI at its frame, meter taps and meter parameters.
#include "Tessera_Render.h"

#include "Tessera_Parameters.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr float kPitchWheelScale = 0.00012208521f;

// Builds the timing block from the transport; without one (or for fields the transport does
// not answer) the presets stay: tempo 120, everything else 0.
void FillTimeBlock(AAX_ITransport* pTransport, int32_t nSampleRate, HostTimeBlock& block)
{
    bool bPlaying = false;
    double fTempo = 120.0;
    int64_t nLocation = 0;
    int32_t nNumerator = 0, nDenominator = 0;
    int64_t nTicks = 0;
    bool bLooping = false;
    int64_t nLoopStart = 0, nLoopEnd = 0;
    if (pTransport) {
        pTransport->IsTransportPlaying(&bPlaying);
        pTransport->GetCurrentTempo(&fTempo);
        pTransport->GetCurrentNativeSampleLocation(&nLocation);
        pTransport->GetCurrentMeter(&nNumerator, &nDenominator);
        pTransport->GetCurrentTickPosition(&nTicks);
        pTransport->GetCurrentLoopPosition(&bLooping, &nLoopStart, &nLoopEnd);
    }
    block = HostTimeBlock{};
    HostTimeInfo& info = block.m_Info;
    info.m_uSamplePosition = uint64_t(uint32_t(nLocation));
    info.m_dPosition_s = nSampleRate > 0 ? (1.0 / double(nSampleRate)) * double(nLocation) : 0.0;
    info.m_dTempo_bpm = fTempo;
    info.m_fTimeSigNumerator = float(nNumerator);
    info.m_nTimeSigDenominator = nDenominator;
    info.m_bPlaying = bPlaying;
    info.m_nTickPosition = nTicks;
    info.m_bLooping = bLooping;
    info.m_nLoopStart = nLoopStart;
    block.m_nLoopEnd = nLoopEnd;
}

void RaiseTap(float* pTaps, int32_t nTap, const float* pChannel, int32_t nFrames)
{
    float fPeak = pTaps[nTap];
    for (int32_t i = 0; i < nFrames; ++i)
        fPeak = std::max(fPeak, std::fabs(pChannel[i]));
    pTaps[nTap] = fPeak;
}

// Copies every channel both sides have and silences outputs without an input.
void PassThrough(const AlgorithmContext& ctx, int32_t nIn, int32_t nOut, int32_t nFrames)
{
    if (!ctx.m_ppOutputs)
        return;
    for (int32_t c = 0; c < nOut; ++c) {
        float* pOut = ctx.m_ppOutputs[c];
        const float* pIn = (ctx.m_ppInputs && c < nIn) ? ctx.m_ppInputs[c] : nullptr;
        if (!pOut || pIn == pOut)
            continue;
        if (pIn)
            std::memmove(pOut, pIn, size_t(nFrames) * sizeof(float));
        else
            std::memset(pOut, 0, size_t(nFrames) * sizeof(float));
    }
}

void RenderFrames(Tessera_Parameters& params, CPlugIn& engine, const AlgorithmContext& ctx, int32_t nIn, int32_t nOut,
                  int32_t nFrames, const AAX_CMidiPacket* pPackets, uint32_t nPackets, HostMessageInfo& message)
{
    const AAX_CMidiPacket* pCursor = pPackets;
    uint32_t nLeft = nPackets;
    const int32_t nOutUsed = std::min(nOut, 2);
    const uint32_t uIn = nIn == 1 ? 1 : 2;
    float* const* ppOut = ctx.m_ppOutputs;
    const float* ins[2] = {ctx.m_ppInputs[0], ctx.m_ppInputs[uIn - 1]};
    float* outs[2] = {ppOut[0], ppOut[nOutUsed - 1]};
    // Frame by frame while MIDI is due (it may move controls at its frame), then the rest at once.
    int32_t i = 0;
    for (; i < nFrames && nLeft; ++i) {
        DispatchMidiPackets(params, uint32_t(i), pCursor, nLeft, false);
        const float in[2] = {ins[0][i], ins[1][i]};
        float out[2] = {0.0f, 0.0f};
        engine.processFrame(in, out, uIn, uint32_t(nOutUsed));
        for (int32_t c = 0; c < nOutUsed; ++c)
            ppOut[c][i] = out[c];
    }
    if (i < nFrames) {
        const float* insAt[2] = {ins[0] + i, ins[1] + i};
        float* outsAt[2] = {outs[0] + i, outs[1] + i};
        engine.processFrames(insAt, outsAt, uIn, uint32_t(nOutUsed), uint32_t(nFrames - i));
    }
    float* pTaps = ctx.m_pMeterTaps;
    if (pTaps) {
        for (int32_t c = 0; c < nOutUsed; ++c)
            RaiseTap(pTaps, c, ppOut[c], nFrames);
    }
    if (uIn == 2) {
        HostTimeInfo& info = message.m_pTimeBlock->m_Info;
        info.m_uSamplePosition += uint64_t(nFrames);  // where the next buffer starts
        info.m_dPosition_s = engine.m_nSampleRate > 0 ? double(info.m_uSamplePosition) / double(engine.m_nSampleRate) : 0.0;
        engine.onHostMessage(kHostTimeUpdate, message);
    }
    // The engine makes at most two channels; further outputs carry silence, not what the
    // host left in them.
    for (int32_t c = nOutUsed; c < nOut; ++c)
        if (ppOut[c])
            std::memset(ppOut[c], 0, size_t(nFrames) * sizeof(float));
}

}  // namespace

void StaticRenderAudio(void* const instancesBegin[], const void* instancesEnd)
{
    for (void* const* pp = instancesBegin; pp != static_cast<void* const*>(instancesEnd); ++pp) {
        const auto* pContext = static_cast<const AlgorithmContext*>(*pp);
        if (!pContext || !pContext->m_ppPrivate || !*pContext->m_ppPrivate)
            continue;
        Tessera_Parameters& params = **pContext->m_ppPrivate;
        const int64_t nBatch = pContext->m_pBatchNumber ? *pContext->m_pBatchNumber : 0;
        ParameterBatchEntry* entries[AAX_CParameterBatchFlow::kMaxEntriesPerCall];
        const uint32_t nEntries = params.TakeQueuedParameterChanges(entries, nBatch);
        RenderAudio(params, *pContext, entries, nEntries);
        params.FinishParameterChanges(entries, nEntries);
    }
}

void RenderAudio(Tessera_Parameters& params, const AlgorithmContext& ctx, ParameterBatchEntry* const* ppEntries,
                 uint32_t nEntryCount)
{
    params.ApplyQueuedParameterChanges(ppEntries, nEntryCount);

    AAX_CMidiStream* pStream = ctx.m_pMidiIn ? ctx.m_pMidiIn->GetNodeBuffer() : nullptr;
    const uint32_t nPackets = (pStream && pStream->mBuffer) ? pStream->mBufferSize : 0;
    const AAX_CMidiPacket* pPackets = pStream ? pStream->mBuffer : nullptr;
    AAX_ITransport* pTransport = ctx.m_pTransportNode ? ctx.m_pTransportNode->GetTransport() : nullptr;
    const int32_t nFrames = ctx.m_pBufferLength ? std::max(*ctx.m_pBufferLength, 0) : 0;

    int32_t nInStem = AAX_eStemFormat_None, nOutStem = AAX_eStemFormat_None;
    if (AAX_VController* pController = params.Controller()) {
        pController->GetInputStemFormat(&nInStem);
        pController->GetOutputStemFormat(&nOutStem);
    }
    const int32_t nIn = ctx.m_ppInputs ? AAX_StemFormatChannelCount(nInStem) : 0;
    const int32_t nOut = ctx.m_ppOutputs ? AAX_StemFormatChannelCount(nOutStem) : 0;

    CPlugIn* pEngine = params.PlugIn();
    HostTimeBlock timeBlock;
    FillTimeBlock(pTransport, pEngine ? pEngine->m_nSampleRate : 0, timeBlock);

    // Nowhere to write (no output array, or a format of no channels): the engine's channel
    // pointers would be taken from outside the host's array.
    if (nOut <= 0)
        return;
    if (!pEngine || params.IsBypassed() || (nIn != 1 && nIn != 2)) {
        PassThrough(ctx, nIn, nOut, nFrames);
        return;
    }

    CPlugIn& engine = *pEngine;
    AAXMIDIEventList* pEventList = params.MidiEventList();
    if (pEventList)
        pEventList->Attach(pPackets, nPackets);
    HostMessageInfo message;
    message.m_pTimeBlock = &timeBlock;
    message.m_uEntryCount = 0xFFFFFFFFu;
    engine.onHostMessage(kHostTimeUpdate, message);

    if (engine.m_bUseChannelBuffers) {
        engine.processChannelBuffers(const_cast<float**>(ctx.m_ppInputs), const_cast<float**>(ctx.m_ppOutputs),
                                     uint32_t(nIn), uint32_t(nFrames));
        if (pEventList)
            pEventList->Detach();
        if (ctx.m_pMeterTaps && nOut > 0) {
            RaiseTap(ctx.m_pMeterTaps, 0, ctx.m_ppOutputs[0], nFrames);
            if (nOut == 2)
                RaiseTap(ctx.m_pMeterTaps, 1, ctx.m_ppOutputs[1], nFrames);
        }
    } else {
        RenderFrames(params, engine, ctx, nIn, nOut, nFrames, pPackets, nPackets, message);
    }
    if (nFrames > 0)
        params.NoteEngineProcessed();
    params.PublishMeterParameters();
}

bool DispatchMidiPackets(Tessera_Parameters& params, uint32_t uFrameIndex, const AAX_CMidiPacket*& pCursor,
                         uint32_t& uLeft, bool bDispatchAll)
{
    CPlugIn* pEngine = params.PlugIn();
    if (!pEngine || uLeft == 0)
        return false;
    bool bCalled = false;
    while (uLeft > 0 && pCursor) {
        const AAX_CMidiPacket& packet = *pCursor;
        const uint32_t t = packet.mTimestamp;
        if (!bDispatchAll && t > uFrameIndex)
            break;  // due at a later frame
        if (bDispatchAll || t == uFrameIndex) {
            const uint32_t s = packet.mData[0];
            const uint32_t uChannel = s & 0x0F, uKind = s & 0xF0;
            const uint32_t d1 = packet.mData[1], d2 = packet.mData[2];
            const bool bAllNotesOff =
                uKind == 0xB0 && (d1 == 126 || ((d1 == 120 || (d1 >= 123 && d1 <= 125) || d1 == 127) && d2 == 0));
            if (uKind == 0x90 && d2 != 0) {
                pEngine->onNoteOn(uChannel, d1, d2);
                bCalled = true;
            } else if (uKind == 0x80 || uKind == 0x90) {
                pEngine->onNoteOff(uChannel, d1, d2, false);
                bCalled = true;
            } else if (bAllNotesOff) {
                pEngine->onNoteOff(uChannel, 0, 0, true);
                bCalled = true;
            } else if (uKind == 0xB0 && d1 == 1) {
                pEngine->onModWheel(uChannel, d2);
                bCalled = true;
            } else if (uKind == 0xE0) {
                const int32_t nPosition = int32_t((d2 << 7) | d1) - 8192;
                const float f = nPosition == -8192 ? -8191.0f : float(nPosition);
                pEngine->onPitchWheel(uChannel, nPosition, f * kPitchWheelScale);
                bCalled = true;
            } else if (pEngine->m_bWantAllMidiMessages) {
                pEngine->onMidiMessage(uChannel, uKind, d1, d2);
                bCalled = true;
            }
        }
        // Earlier than this frame (out of order): consumed without a call.
        ++pCursor;
        --uLeft;
    }
    return bCalled;
}
