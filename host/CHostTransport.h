#pragma once
// The host transport, in both forms the module reaches: the component interface (through the
// wrappers) and the plain one (through the transport node of the algorithm context).
// With information switched off every query fails and leaves its outputs untouched.
//
// Threading: set from the host's main thread, read from the audio thread; every field is a
// separate atomic, so a reader may see a mix of two settings but never blocks.

#include "AAX_ITransport.h"
#include "CHostObject.h"

#include <atomic>

struct SHostTransportState {
    double m_fTempoBPM = 120.0;
    int32_t m_nMeterNumerator = 4;
    int32_t m_nMeterDenominator = 4;
    bool m_bPlaying = false;
    int64_t m_nTicks = 0;
    bool m_bLooping = false;
    int64_t m_nLoopStartTicks = 0;
    int64_t m_nLoopEndTicks = 0;
    int64_t m_nSampleLocation = 0;
};

class CHostTransport : public THostObject<AAX_IACFTransport>, public AAX_ITransport {
public:
    CHostTransport() { SetState(SHostTransportState{}); }

    AAX_Result GetCurrentTempo(double* outBPM) const override;
    AAX_Result GetCurrentMeter(int32_t* outNumerator, int32_t* outDenominator) const override;
    AAX_Result IsTransportPlaying(bool* outPlaying) const override;
    AAX_Result GetCurrentTickPosition(int64_t* outTicks) const override;
    AAX_Result GetCurrentLoopPosition(bool* outLooping, int64_t* outStartTick, int64_t* outEndTick) const override;
    AAX_Result GetCurrentNativeSampleLocation(int64_t* outSampleLocation) const override;

    void SetState(const SHostTransportState& state);
    void SetInformationAvailable(bool bAvailable) { m_bAvailable = bAvailable; }
    // Moves the sample location on by one rendered buffer.
    void AdvanceSamples(int64_t nFrames) { m_nSampleLocation += nFrames; }

private:
    std::atomic<bool> m_bAvailable{true};
    std::atomic<double> m_fTempoBPM;
    std::atomic<int32_t> m_nMeterNumerator;
    std::atomic<int32_t> m_nMeterDenominator;
    std::atomic<bool> m_bPlaying;
    std::atomic<int64_t> m_nTicks;
    std::atomic<bool> m_bLooping;
    std::atomic<int64_t> m_nLoopStartTicks;
    std::atomic<int64_t> m_nLoopEndTicks;
    std::atomic<int64_t> m_nSampleLocation;
};
