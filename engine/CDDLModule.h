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
    // lines' rate is not nRate) and processSample on each line would do it. A place is a pure
    // function of the delay time, so the places of a stretch are worked out first, several
    // frames to a register; the frame loop then only reads and writes the buffers.
    [[gnu::always_inline]] static void runInStep(CDDLModule& a, CDDLModule& b, const float* pDelay_ms,
                                                 const float* pInA, const float* pInB, float* pOutA, float* pOutB,
                                                 uint32_t n, int32_t nRate)
    {
        const int32_t nLength = a.m_nBufferLength;
        if (static_cast<uint32_t>(a.m_nReadPos) >= static_cast<uint32_t>(nLength) ||
            static_cast<uint32_t>(a.m_nWritePos) >= static_cast<uint32_t>(nLength)) {
            runInStepFrameByFrame(a, b, pDelay_ms, pInA, pInB, pOutA, pOutB, n, nRate);  // never after placeDelay
            return;
        }
        for (uint32_t uDone = 0; uDone < n;) {
            const uint32_t k = n - uDone < kStretch ? n - uDone : kStretch;
            runStretchInStep(a, b, pDelay_ms + uDone, pInA + uDone, pInB + uDone, pOutA + uDone, pOutB + uDone, k, nRate);
            uDone += k;
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

    // runInStep one sample at a time through stepLines (the reference for the stretches).
    static void runInStepFrameByFrame(CDDLModule& a, CDDLModule& b, const float* pDelay_ms, const float* pInA,
                                      const float* pInB, float* pOutA, float* pOutB, uint32_t n, int32_t nRate)
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

    // runInStep for up to kStretch samples, both lines' positions in range. Slot 0 of the
    // place arrays is where the lines stand; slot i + 1 the place for pDelay_ms[i]. A sample
    // takes the place of its own delay once some delay of the stretch has moved (a place is a
    // pure function of the delay, so a sample whose delay equals the one before it places
    // alike); the samples before the first move take slot 0. Each value is the one
    // placeDelay and stepLines compute, in the same operations.
    static constexpr uint32_t kStretch = 64;
    // Inlined into each build of the caller (baseline, AVX2).
    [[gnu::always_inline]] static void runStretchInStep(CDDLModule& a, CDDLModule& b, const float* pDelay_ms,
                                                        const float* pInA, const float* pInB, float* pOutA,
                                                        float* pOutB, uint32_t n, int32_t nRate)
    {
        const int32_t nLength = a.m_nBufferLength;
        float fSamples[kStretch + 1], fOld[kStretch + 1], fNew[kStretch + 1];
        int32_t nBack[kStretch + 1];  // how far the read position trails the write position
        fSamples[0] = a.m_fDelaySamples;
        nBack[0] = a.m_nWritePos - a.m_nReadPos;
        nBack[0] = nBack[0] < 0 ? nBack[0] + nLength : nBack[0];  // 0 ... nLength - 1, as placeDelay's
        const float fPerMs = static_cast<float>(a.m_nSampleRate) * 0.001f;
        for (uint32_t i = 0; i < n; ++i) {
            float fDelay_ms = pDelay_ms[i];
            fDelay_ms = fDelay_ms >= 0.0f ? fDelay_ms : 0.0f;  // also NaN
            fDelay_ms = fDelay_ms > 2000.0f ? 2000.0f : fDelay_ms;
            const float fSamples_i = fPerMs * fDelay_ms;
            const int32_t nWhole = static_cast<int32_t>(fSamples_i);
            fSamples[i + 1] = fSamples_i;
            nBack[i + 1] = nWhole > nLength ? nLength : nWhole;
        }
        // The first sample whose delay moved (it differs from the one before).
        const bool bAlwaysMove = a.m_nSampleRate != nRate;
        auto moved = [&](uint32_t i) { return bAlwaysMove || pDelay_ms[i] != (i == 0 ? a.m_fDelay_ms : pDelay_ms[i - 1]); };
        uint32_t uFirst = 0;
        while (uFirst < n && !moved(uFirst))
            ++uFirst;
        for (uint32_t i = 0; i < uFirst; ++i) {
            fSamples[i + 1] = fSamples[0];  // not moved yet: where the lines stand
            nBack[i + 1] = nBack[0];
        }
        for (uint32_t i = 0; i <= n; ++i) {
            const float f = fSamples[i] - static_cast<float>(static_cast<int32_t>(fSamples[i]));
            fOld[i] = f;  // the fraction weights the older sample
            fNew[i] = 1.0f - f;
        }
        // Places without delay (the stretch at rest when every sample's is one), and the
        // nearest and farthest reads.
        uint32_t uZeros = 0;
        int32_t nMinBack = nLength, nMaxBack = 0;
        for (uint32_t i = 1; i <= n; ++i) {
            uZeros += fSamples[i] == 0.0f ? 1 : 0;
            nMinBack = nBack[i] < nMinBack ? nBack[i] : nMinBack;
            nMaxBack = nBack[i] > nMaxBack ? nBack[i] : nMaxBack;
        }

        float* const pBufA = a.m_pDelayBuffer.get();
        float* const pBufB = b.m_pDelayBuffer.get();
        const float fbA = a.m_fFeedbackGain, fbB = b.m_fFeedbackGain;
        float ydA[kStretch], ydB[kStretch];
        int32_t nWrite = a.m_nWritePos;
        if (uZeros == n && n <= static_cast<uint32_t>(nLength)) {
            // At rest: each sample passes itself as the delayed signal; the writes are
            // contiguous up to the end of the buffer, and from its start after that.
            for (uint32_t i = 0; i < n; ++i) {
                ydA[i] = pInA[i];
                ydB[i] = pInB[i];
            }
            const uint32_t uToEnd = static_cast<uint32_t>(nLength - nWrite);
            const uint32_t uHead = n < uToEnd ? n : uToEnd;
            for (uint32_t i = 0; i < uHead; ++i) {
                pBufA[nWrite + i] = ydA[i] + fbA * ydA[i];
                pBufB[nWrite + i] = ydB[i] + fbB * ydB[i];
            }
            for (uint32_t i = uHead; i < n; ++i) {
                pBufA[i - uHead] = ydA[i] + fbA * ydA[i];
                pBufB[i - uHead] = ydB[i] + fbB * ydB[i];
            }
            nWrite = n < uToEnd ? nWrite + static_cast<int32_t>(n) : static_cast<int32_t>(n - uToEnd);
            nWrite = nWrite >= nLength ? 0 : nWrite;
        } else if (uZeros == 0 && nMinBack >= 1 && nWrite - nMaxBack >= 1 &&
                   static_cast<uint32_t>(nLength - nWrite) >= n) {
            // The usual case: every delay at least a sample, and neither the reads nor the
            // writes reach an end of the buffer, so no position wraps.
            for (uint32_t i = 0; i < n; ++i) {
                const int32_t nRead = nWrite + static_cast<int32_t>(i) - nBack[i + 1];
                const float xA = pInA[i], xB = pInB[i];
                ydA[i] = fOld[i + 1] * pBufA[nRead - 1] + fNew[i + 1] * pBufA[nRead];
                ydB[i] = fOld[i + 1] * pBufB[nRead - 1] + fNew[i + 1] * pBufB[nRead];
                pBufA[nWrite + i] = xA + fbA * ydA[i];
                pBufB[nWrite + i] = xB + fbB * ydB[i];
            }
            nWrite += static_cast<int32_t>(n);
            nWrite = nWrite >= nLength ? 0 : nWrite;
        } else {
            // kSomeZero: some sample has no delay and passes its input instead.
            auto frames = [&]<bool kSomeZero>() __attribute__((always_inline)) {
                for (uint32_t i = 0; i < n; ++i) {
                    const uint32_t s = i + 1;
                    int32_t nRead = nWrite - nBack[s];
                    nRead = nRead < 0 ? nRead + nLength : nRead;
                    const int32_t nPrev = (nRead == 0 ? nLength : nRead) - 1;
                    const float fDelaySamples = fSamples[s];
                    // Under one sample: the current input, not yet stored (chosen by address, so
                    // no branch).
                    const bool bUnderOne = nRead == nWrite && fDelaySamples < 1.0f;
                    const float fCurA = *(bUnderOne ? pInA + i : pBufA + nRead);
                    const float fCurB = *(bUnderOne ? pInB + i : pBufB + nRead);
                    const float xA = pInA[i], xB = pInB[i];
                    const float yA = fOld[s] * pBufA[nPrev] + fNew[s] * fCurA;
                    const float yB = fOld[s] * pBufB[nPrev] + fNew[s] * fCurB;
                    ydA[i] = kSomeZero && fDelaySamples == 0.0f ? xA : yA;
                    ydB[i] = kSomeZero && fDelaySamples == 0.0f ? xB : yB;
                    pBufA[nWrite] = xA + fbA * ydA[i];  // read before write: a full-length delay still sees its oldest sample
                    pBufB[nWrite] = xB + fbB * ydB[i];
                    nWrite = nWrite + 1 >= nLength ? 0 : nWrite + 1;
                }
            };
            if (uZeros == 0)
                frames.template operator()<false>();
            else
                frames.template operator()<true>();
        }
        // Read and write positions advanced together from the last sample's place; its delay
        // equals the lines' own when none moved.
        int32_t nRead = nWrite - nBack[n];
        nRead = nRead < 0 ? nRead + nLength : nRead;
        const float wetA = a.m_fWetGain, wetB = b.m_fWetGain;
        const float dryA = 1.0f - wetA, dryB = 1.0f - wetB;
        for (uint32_t i = 0; i < n; ++i) {
            pOutA[i] = dryA * pInA[i] + wetA * ydA[i];
            pOutB[i] = dryB * pInB[i] + wetB * ydB[i];
        }
        const Place p{pDelay_ms[n - 1], fSamples[n], nRead, nWrite};
        a.setPlace(p);
        b.setPlace(p);
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
