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
    // Inline: the engine runs four of these every frame.
    bool processFrame(const float* pIn, float* pOut, uint32_t uInChannels, uint32_t uOutChannels) override
    {
        pOut[0] = processSample(pIn[0]);
        if ((uInChannels == 1 || uInChannels == 2) && uOutChannels == 2)
            pOut[1] = pOut[0];  // never reads in[1]
        return true;
    }
    bool controlChanged(int32_t nControlIndex) override;
    bool buildControls() override;

    // Recomputes the derived values from the three control variables. The delay is held to
    // 0 ... 2000 ms (the buffer holds two seconds).
    void updateDelayParameters()
    {
        m_fFeedbackGain = m_fFeedback_pct * 0.01f;
        m_fWetGain = m_fWetLevel_pct * 0.01f;
        applyDelayTime();
    }

    // Moves the delay time alone, as updateDelayParameters would, for a line whose feedback
    // and wet level stay put (a modulated line moves every sample).
    void moveDelay(float fDelay_ms)
    {
        m_fDelay_ms = fDelay_ms;
        applyDelayTime();
    }

    // The delay part of updateDelayParameters.
    void applyDelayTime()
    {
        float fDelay_ms = m_fDelay_ms;
        if (!(fDelay_ms >= 0.0f))  // also catches NaN
            fDelay_ms = 0.0f;
        if (fDelay_ms > 2000.0f)
            fDelay_ms = 2000.0f;
        m_fDelaySamples = static_cast<float>(m_nSampleRate) * 0.001f * fDelay_ms;

        // Work on locals and store only in-range positions.
        int32_t nWhole = static_cast<int32_t>(m_fDelaySamples);
        if (nWhole > m_nBufferLength)
            nWhole = m_nBufferLength;  // float rounding at 2000 ms on odd rates
        int32_t nRead = m_nWritePos - nWhole;
        if (nRead < 0)
            nRead += m_nBufferLength;
        if (nRead < 0 || nRead >= m_nBufferLength)
            nRead = 0;
        m_nReadPos = nRead;
    }

    // One sample through the line: the delayed signal mixed with the input.
    float processSample(float x)
    {
        CDDLModule* const lines[1] = {this};
        const float in[1] = {x};
        float out[1];
        processInStep(lines, in, out);
        return out[0];
    }

    // True when two lines stand at the same place: same buffer length, rate, delay and
    // positions. Lines moved and run together from there stay so.
    static bool inStep(const CDDLModule& a, const CDDLModule& b)
    {
        return a.m_pDelayBuffer && b.m_pDelayBuffer && a.m_nBufferLength == b.m_nBufferLength &&
               a.m_nSampleRate == b.m_nSampleRate && a.m_nWritePos == b.m_nWritePos && a.m_nReadPos == b.m_nReadPos &&
               a.m_fDelaySamples == b.m_fDelaySamples && a.m_fDelay_ms == b.m_fDelay_ms;
    }

    // moveDelay for lines in step: the second takes what the first works out, which is what
    // its own moveDelay would give.
    static void moveInStep(CDDLModule& lead, CDDLModule& other, float fDelay_ms)
    {
        lead.moveDelay(fDelay_ms);
        other.m_fDelay_ms = lead.m_fDelay_ms;
        other.m_fDelaySamples = lead.m_fDelaySamples;
        other.m_nReadPos = lead.m_nReadPos;
    }

    // One sample through each of kLines lines in step (a single line is processSample): the
    // position work is done once, each line reads and writes its own buffer with its own gains.
    template <size_t kLines>
    static void processInStep(CDDLModule* const (&lines)[kLines], const float (&x)[kLines], float (&out)[kLines])
    {
        const CDDLModule& lead = *lines[0];
        const int32_t nLength = lead.m_nBufferLength;
        const int32_t nRead = lead.m_nReadPos;
        const int32_t nWrite = lead.m_nWritePos;
        bool bBuffers = true;
        for (size_t k = 0; k < kLines; ++k)
            bBuffers = bBuffers && lines[k]->m_pDelayBuffer;
        // No buffer: pass the input through untouched. (Unsigned compares also catch negatives.)
        if (!bBuffers || static_cast<uint32_t>(nRead) >= static_cast<uint32_t>(nLength) ||
            static_cast<uint32_t>(nWrite) >= static_cast<uint32_t>(nLength)) {
            for (size_t k = 0; k < kLines; ++k)
                out[k] = x[k];
            return;
        }
        const float fDelaySamples = lead.m_fDelaySamples;
        const bool bDelayed = fDelaySamples != 0.0f;  // no delay: no reads (the tape engine's usual case at rest)
        const bool bUnderOne = nRead == nWrite && fDelaySamples < 1.0f;
        const int32_t nPrev = nRead - 1 < 0 ? nLength - 1 : nRead - 1;
        const float f = fDelaySamples - static_cast<float>(static_cast<int32_t>(fDelaySamples));
        for (size_t k = 0; k < kLines; ++k) {
            CDDLModule& line = *lines[k];
            float* pBuf = line.m_pDelayBuffer.get();
            float yd = x[k];  // no delay: the input itself
            if (bDelayed) {
                const float y = bUnderOne ? x[k] : pBuf[nRead];  // under one sample: the current input, not yet stored
                yd = f * pBuf[nPrev] + (1.0f - f) * y;  // the fraction weights the older sample
            }
            pBuf[nWrite] = x[k] + line.m_fFeedbackGain * yd;  // read before write: a full-length delay still sees its oldest sample
            line.m_nWritePos = nWrite + 1 >= nLength ? 0 : nWrite + 1;
            line.m_nReadPos = nRead + 1 >= nLength ? 0 : nRead + 1;
            out[k] = (1.0f - line.m_fWetGain) * x[k] + line.m_fWetGain * yd;
        }
    }

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
