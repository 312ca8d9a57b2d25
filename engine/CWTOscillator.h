#pragma once
// Table-lookup oscillator with linear interpolation and a second output a quarter table
// ahead (a cosine for the sine wave). A full plug-in object; the tape engine embeds two as
// wow and flutter LFOs and calls nextSample() directly.
//
// Tables are filled once at construction; the noise table draws 1024 values from the calling
// thread's tsraRand(). Threading: audio thread after preparation; no allocation.

#include "CPlugIn.h"

inline constexpr int kWaveTableLength = 1024;

class CWTOscillator : public CPlugIn {
public:
    enum OscType : uint32_t { kSine = 0, kRandom = 1, kTriangle = 2, kSquare = 3 };

    CWTOscillator();
    ~CWTOscillator() override = default;

    bool resetForSampleRate() override;
    bool processFrame(const float* pIn, float* pOut, uint32_t uInChannels, uint32_t uOutChannels) override;
    bool controlChanged(int32_t nControlIndex) override;
    bool buildControls() override;

    // Recomputes the phase step from frequency, wave and sample rate (phaseStepFor).
    void updatePhaseStep() { m_fPhaseStep = phaseStepFor(m_fFrequency_Hz, m_uOscType, m_nSampleRate); }
    // The step for a frequency, held below one table length (and at or above 0) so the phase
    // always stays inside the table.
    static float phaseStepFor(float fFrequency_Hz, uint32_t uOscType, int32_t nSampleRate)
    {
        const float fPerPeriod = uOscType == kRandom ? 4.0f : static_cast<float>(kWaveTableLength);
        float fStep = fFrequency_Hz * fPerPeriod / static_cast<float>(nSampleRate);
        if (!(fStep >= 0.0f))  // negative, NaN, or a sample rate of 0 with f < 0
            fStep = 0.0f;
        return fStep > 1023.0f ? 1023.0f : fStep;
    }

    // One sample of both outputs; advances the phase while playing.
    void nextSample(float& fOut, float& fQuadOut)
    {
        if (!m_bPlaying) {
            fOut = fQuadOut = 0.0f;
            return;
        }
        const int k = static_cast<int>(m_fPhaseIndex);
        const int q = static_cast<int>(m_fQuadPhaseIndex);
        const float f = m_fPhaseIndex - static_cast<float>(k);  // one fraction serves both outputs
        const float* T = selectTable();
        float out = lookUp(T, m_fPhaseIndex);
        float quad = m_uOscType == kRandom ? 0.0f : f * T[q + 1] + (1.0f - f) * T[q];

        m_fPhaseIndex = advance(m_fPhaseIndex, m_fPhaseStep);
        m_fQuadPhaseIndex = advance(m_fQuadPhaseIndex, m_fPhaseStep);

        if (m_uPolarity == 1) {
            out = (out + 1.0f) * 0.5f;
            quad = (quad + 1.0f) * 0.5f;
        }
        fOut = out;
        fQuadOut = quad;
    }

    // n samples of the main output, the phase step set to pStep[i] before sample i: what n
    // nextSample calls give, with the table and phases held in registers.
    void run(float* pOut, const float* pStep, uint32_t n)
    {
        if (n == 0)
            return;
        m_fPhaseStep = pStep[n - 1];
        if (!m_bPlaying) {
            for (uint32_t i = 0; i < n; ++i)
                pOut[i] = 0.0f;
            return;
        }
        const float* T = selectTable();
        float fPhase = m_fPhaseIndex, fQuadPhase = m_fQuadPhaseIndex;
        for (uint32_t i = 0; i < n; ++i) {
            pOut[i] = lookUp(T, fPhase);
            fPhase = advance(fPhase, pStep[i]);
            fQuadPhase = advance(fQuadPhase, pStep[i]);
        }
        m_fPhaseIndex = fPhase;
        m_fQuadPhaseIndex = fQuadPhase;
        if (m_uPolarity == 1)
            for (uint32_t i = 0; i < n; ++i)
                pOut[i] = (pOut[i] + 1.0f) * 0.5f;  // off the phase loop: a register at a time
    }

    // Each table ends with its first entry again, so interpolating never wraps.
    float m_SineTable[kWaveTableLength + 1];
    float m_NoiseTable[kWaveTableLength + 1];
    float m_TriangleTable[kWaveTableLength + 1];
    float m_SquareTable[kWaveTableLength + 1];
    float m_BandLimitedTriangleTable[kWaveTableLength + 1];
    float m_BandLimitedSquareTable[kWaveTableLength + 1];
    float m_fPhaseIndex = 0.0f;
    float m_fQuadPhaseIndex = 0.0f;
    float m_fPhaseStep = 0.0f;
    bool m_bPlaying = false;
    float m_fFrequency_Hz = 440.0f;
    uint32_t m_uOscType = kSine;
    uint32_t m_uTableMode = 0;
    uint32_t m_uPolarity = 0;

private:
    // The table at a phase, interpolated linearly between neighbours (past the last entry:
    // the first, through the guard entry).
    static float lookUp(const float* T, float fPhase)
    {
        const int k = static_cast<int>(fPhase);
        const float f = fPhase - static_cast<float>(k);
        return f * T[k + 1] + (1.0f - f) * T[k];
    }
    static float advance(float fPhase, float fStep)
    {
        fPhase += fStep;
        if (fPhase >= static_cast<float>(kWaveTableLength))
            fPhase -= static_cast<float>(kWaveTableLength);
        return fPhase;
    }
    const float* selectTable() const
    {
        switch (m_uOscType) {
        case kTriangle: return m_uTableMode ? m_BandLimitedTriangleTable : m_TriangleTable;
        case kSquare: return m_uTableMode ? m_BandLimitedSquareTable : m_SquareTable;
        case kRandom: return m_NoiseTable;
        default: return m_SineTable;
        }
    }
    void fillTables();
};
