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
        Place p = place();
        placeDelay(p, m_nSampleRate, m_nBufferLength);
        setPlace(p);
    }

    // One sample through the line: the delayed signal mixed with the input.
    float processSample(float x)
    {
        Place p = place();
        float* const ppBuf[1] = {m_pDelayBuffer.get()};
        const float fb[1] = {m_fFeedbackGain}, wet[1] = {m_fWetGain}, in[1] = {x};
        float out[1];
        stepLines(p, m_nBufferLength, ppBuf, fb, wet, in, out);
        setPlace(p);
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

    // n samples through two lines in step (see inStep), the delay time set to pDelay_ms[i]
    // before sample i, exactly as moveDelay (when the time changes, or always while the
    // lines' rate is not nRate) and processSample on each line would do it. The positions are
    // worked out once for both and kept in registers through the run.
    static void runInStep(CDDLModule& a, CDDLModule& b, const float* pDelay_ms, const float* pInA, const float* pInB,
                          float* pOutA, float* pOutB, uint32_t n, int32_t nRate)
    {
        Place p = a.place();
        const int32_t nLength = a.m_nBufferLength;
        const bool bAlwaysMove = a.m_nSampleRate != nRate;
        float* const ppBuf[2] = {a.m_pDelayBuffer.get(), b.m_pDelayBuffer.get()};
        const float fb[2] = {a.m_fFeedbackGain, b.m_fFeedbackGain}, wet[2] = {a.m_fWetGain, b.m_fWetGain};
        for (uint32_t i = 0; i < n; ++i) {
            if (pDelay_ms[i] != p.fDelay_ms || bAlwaysMove) {
                p.fDelay_ms = pDelay_ms[i];
                placeDelay(p, a.m_nSampleRate, nLength);
            }
            const float in[2] = {pInA[i], pInB[i]};
            float out[2];
            stepLines(p, nLength, ppBuf, fb, wet, in, out);
            pOutA[i] = out[0];
            pOutB[i] = out[1];
        }
        a.setPlace(p);
        b.setPlace(p);
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

private:
    // Where a line stands: its delay and its two positions.
    struct Place {
        float fDelay_ms;
        float fDelaySamples;
        int32_t nRead;
        int32_t nWrite;
    };
    Place place() const { return {m_fDelay_ms, m_fDelaySamples, m_nReadPos, m_nWritePos}; }
    void setPlace(const Place& p)
    {
        m_fDelay_ms = p.fDelay_ms;
        m_fDelaySamples = p.fDelaySamples;
        m_nReadPos = p.nRead;
        m_nWritePos = p.nWrite;
    }

    // The delay in samples and the read position for p.fDelay_ms, held to 0 ... 2000 ms (the
    // buffer holds two seconds). Only in-range positions are stored.
    static void placeDelay(Place& p, int32_t nRate, int32_t nLength)
    {
        float fDelay_ms = p.fDelay_ms;
        if (!(fDelay_ms >= 0.0f))  // also catches NaN
            fDelay_ms = 0.0f;
        if (fDelay_ms > 2000.0f)
            fDelay_ms = 2000.0f;
        p.fDelaySamples = static_cast<float>(nRate) * 0.001f * fDelay_ms;
        int32_t nWhole = static_cast<int32_t>(p.fDelaySamples);
        if (nWhole > nLength)
            nWhole = nLength;  // float rounding at 2000 ms on odd rates
        int32_t nRead = p.nWrite - nWhole;
        if (nRead < 0)
            nRead += nLength;
        if (nRead < 0 || nRead >= nLength)
            nRead = 0;
        p.nRead = nRead;
    }

    // One sample through kLines lines standing at p: the position work is done once, each
    // line reads and writes its own buffer with its own gains.
    template <size_t kLines>
    static void stepLines(Place& p, int32_t nLength, float* const (&ppBuf)[kLines], const float (&fb)[kLines],
                          const float (&wet)[kLines], const float (&x)[kLines], float (&out)[kLines])
    {
        const int32_t nRead = p.nRead;
        const int32_t nWrite = p.nWrite;
        bool bBuffers = true;
        for (size_t k = 0; k < kLines; ++k)
            bBuffers = bBuffers && ppBuf[k];
        // No buffer: pass the input through untouched. (Unsigned compares also catch negatives.)
        if (!bBuffers || static_cast<uint32_t>(nRead) >= static_cast<uint32_t>(nLength) ||
            static_cast<uint32_t>(nWrite) >= static_cast<uint32_t>(nLength)) {
            for (size_t k = 0; k < kLines; ++k)
                out[k] = x[k];
            return;
        }
        const float fDelaySamples = p.fDelaySamples;
        float yd[kLines];
        if (fDelaySamples != 0.0f) {
            const bool bUnderOne = nRead == nWrite && fDelaySamples < 1.0f;
            const int32_t nPrev = nRead - 1 < 0 ? nLength - 1 : nRead - 1;
            const float f = fDelaySamples - static_cast<float>(static_cast<int32_t>(fDelaySamples));
            for (size_t k = 0; k < kLines; ++k) {
                const float y = bUnderOne ? x[k] : ppBuf[k][nRead];  // under one sample: the current input, not yet stored
                yd[k] = f * ppBuf[k][nPrev] + (1.0f - f) * y;  // the fraction weights the older sample
            }
        } else {
            for (size_t k = 0; k < kLines; ++k)
                yd[k] = x[k];  // no delay: the input itself, and no reads (the tape engine at rest)
        }
        for (size_t k = 0; k < kLines; ++k) {
            ppBuf[k][nWrite] = x[k] + fb[k] * yd[k];  // read before write: a full-length delay still sees its oldest sample
            out[k] = (1.0f - wet[k]) * x[k] + wet[k] * yd[k];
        }
        p.nWrite = nWrite + 1 >= nLength ? 0 : nWrite + 1;
        p.nRead = nRead + 1 >= nLength ? 0 : nRead + 1;
    }
};
