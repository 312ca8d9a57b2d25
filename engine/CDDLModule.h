#pragma once
// Mono delay line with a fractional delay (linear interpolation), feedback and wet/dry mix.
// A full plug-in object with three controls; the tape engine embeds four and moves their
// delay time every sample through updateDelayParameters().
//
// Ownership: owns its two-second buffer, (re)allocated only by resetForSampleRate.
// Threading: audio thread, except resetForSampleRate during preparation. The read and write
// positions only ever hold in-range values, so a concurrent updateDelayParameters cannot make
// processFrame index outside the buffer.

#include "CPlugIn.h"

#include <memory>

class CDDLModule : public CPlugIn {
public:
    CDDLModule();
    ~CDDLModule() override;

    bool resetForSampleRate() override;
    bool processFrame(const float* pIn, float* pOut, uint32_t uInChannels, uint32_t uOutChannels) override;
    bool controlChanged(int32_t nControlIndex) override;
    bool buildControls() override;

    // Recomputes the derived values from the three control variables. The delay is held to
    // 0 ... 2000 ms (the buffer holds two seconds).
    void updateDelayParameters();

    float m_fDelaySamples = 0.0f;
    float m_fFeedbackGain = 0.0f;
    float m_fWetGain = 0.0f;
    std::unique_ptr<float[]> m_pDelayBuffer;
    int32_t m_nReadPos = 0;
    int32_t m_nWritePos = 0;
    int32_t m_nBufferLength = 0;
    float m_fDelay_ms = 0.0f;
    float m_fFeedback_pct = 0.0f;
    float m_fWetLevel_pct = 50.0f;
};
