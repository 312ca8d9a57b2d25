#pragma once
// One-pole level follower with separate attack and release, peak / mean-square / RMS
// detection and optional decibel output, over a lane type: a float (one follower) or a vector
// (followers of one mode side by side, each lane computing bit for bit what its float follower
// would). Plain value type; no allocation.

#include "TapeLaneOps.h"

#include <cstdint>

template <class T> class CEnvelopeFollowerT {
public:
    enum DetectMode : uint32_t { kPeak = 0, kMeanSquare = 1, kRms = 2 };

    // Stores the settings, resets the envelope and computes both coefficients (one follower).
    void setup(float fSampleRate, float fAttack_ms, float fRelease_ms, bool bAnalogTimeConstant,
               uint32_t uDetectMode, bool bLogOutput);

    // One sample in; the envelope out (linear, or dB when log output is set on a float follower).
    T follow(T x) { return output(track(x)); }

    // follow in two steps: track moves the envelope (the mean square in modes 1 and 2) and
    // returns it; output turns an envelope into what follow returns. A run tracks frame by
    // frame and takes the outputs several frames to a register afterwards.
    TAPE_LANES_INLINE T track(T x)
    {
        T d = tape::absLanes(x);
        if (m_uDetectMode == kMeanSquare || m_uDetectMode == kRms)
            d = d * d;  // single precision: a float product rounds once, as a double product narrowed does
        const T c = d > m_fEnvelope ? m_fAttackCoeff : m_fReleaseCoeff;
        const T e = c * (m_fEnvelope - d) + d;
        // Subnormals flushed (a released envelope would otherwise crawl through them), then held
        // to 0 ... 1. The three cases exclude each other, so they are tested side by side on e:
        // a shorter chain from one sample to the next.
        const T eTop = e > 1.0f ? tape::splatV<T>(1.0f) : e;
        const auto bZero = (tape::absLanes(e) < FLT_MIN) | (e < 0.0f);
        m_fEnvelope = bZero ? tape::splatV<T>(0.0f) : eTop;
        return m_fEnvelope;
    }
    template <class V> TAPE_LANES_INLINE V output(V envelope) const
    {
        const V fValue = m_uDetectMode == kRms ? tape::sqrtLanes(envelope) : envelope;
        if constexpr (sizeof(V) == sizeof(float)) {
            if (m_bLogOutput)
                return fValue > 0.0f ? 20.0f * std::log10(fValue) : -96.0f;
        }
        return fValue;
    }
    void clear() { m_fEnvelope = T{}; }

    T m_fAttackCoeff{};
    T m_fReleaseCoeff{};
    float m_fAttack_ms = 0.0f;
    float m_fRelease_ms = 0.0f;
    float m_fSampleRate = 44100.0f;
    T m_fEnvelope{};  // mean square in modes 1 and 2
    uint32_t m_uDetectMode = kPeak;
    bool m_bAnalogTimeConstant = false;
    bool m_bLogOutput = false;
};

using CEnvelopeFollower = CEnvelopeFollowerT<float>;

template <>
void CEnvelopeFollowerT<float>::setup(float fSampleRate, float fAttack_ms, float fRelease_ms, bool bAnalogTimeConstant,
                                      uint32_t uDetectMode, bool bLogOutput);
