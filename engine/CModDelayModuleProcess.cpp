// The per-frame tape chain and the noise-reduction compander.
#include "CModDelayModule.h"
#include "TapeFilterDesign.h"

#include "TsraRand.h"

#include <cmath>
#include <cstring>

namespace {
// Non-finite input is treated as silence, and absurd levels are held at +120 dBFS, so one bad
// sample cannot overflow the filter, delay and follower states and poison them for good.
constexpr float kInputLimit = 1.0e6f;
inline float sanitizeInput(float x)
{
    if (std::fabs(x) <= kInputLimit)
        return x;  // every usable sample: one compare
    return std::isfinite(x) ? std::copysign(kInputLimit, x) : 0.0f;
}
}  // namespace

void CModDelayModule::firStereo(const float* pReversed, int32_t nTaps, float& eL, float& eR) const
{
    using v4 = float __attribute__((vector_size(16)));
    const float* hL = m_fFIRHistoryL + m_nFIRPos;
    const float* hR = m_fFIRHistoryR + m_nFIRPos;
    v4 accL = {0, 0, 0, 0}, accR = {0, 0, 0, 0};
    for (int32_t k = 0; k < nTaps; k += 4) {
        v4 c, l, r;
        std::memcpy(&c, pReversed + k, sizeof(v4));  // unaligned loads
        std::memcpy(&l, hL + k, sizeof(v4));
        std::memcpy(&r, hR + k, sizeof(v4));
        accL += c * l;
        accR += c * r;
    }
    eL = (accL[0] + accL[1]) + (accL[2] + accL[3]);
    eR = (accR[0] + accR[1]) + (accR[2] + accR[3]);
}

void CModDelayModule::setModDelay(CDDLModule& line, float fDelay_ms)
{
    // Read and write positions advance together, so an unchanged delay time needs no update:
    // updateDelayParameters would recompute the very same state.
    if (fDelay_ms == line.m_fDelay_ms && line.m_nSampleRate == m_nSampleRate)
        return;
    line.m_fDelay_ms = fDelay_ms;
    line.updateDelayParameters();
}

float CModDelayModule::drawBipolar()
{
    return static_cast<float>(tsraRandInline()) * 6.103702e-05f - 1.0f;  // 2/32767 in single precision
}

float CModDelayModule::hissSample()
{
    const float n = drawBipolar() * m_fHissGain;
    return n + m_fHissShelfMix * m_HissFilter.filterSample(n);  // white plus a +20 dB low shelf
}

float CModDelayModule::dropoutCutoff(float fSmoothed) const
{
    const float fc = (1.0f - std::fabs(fSmoothed * m_fDropoutScale)) * 20000.0f;
    return fc < 1000.0f ? 1000.0f : fc;
}

bool CModDelayModule::processFrame(const float* pIn, float* pOut, uint32_t uInChannels, uint32_t uOutChannels)
{
    smoothControls();

    // Input gain and meter.
    float xL = sanitizeInput(m_fInGain * pIn[0]);  // after the gain: an overflow counts too
    float xR = uInChannels != 1 ? sanitizeInput(m_fInGain * pIn[1]) : xL;
    meterL = uInChannels == 1 ? std::fabs(xL)
                              : static_cast<float>((std::fabs(xL) + std::fabs(xR)) * 0.5);

    if (nrComp == 1)
        processCompander(xL, xR);

    // Tape-formulation equaliser. The histories are mirrored (each sample stored at pos and
    // pos + N + 1) so the taps read one contiguous run, and the rows are kept reversed and
    // zero-padded to a multiple of four so both channels run four taps at a time.
    const int32_t N = m_nFIRLength[m_nSampleRateIndex];
    if (--m_nFIRPos == -1)
        m_nFIRPos = N;
    m_fFIRHistoryL[m_nFIRPos] = m_fFIRHistoryL[m_nFIRPos + N + 1] = xL;
    m_fFIRHistoryR[m_nFIRPos] = m_fFIRHistoryR[m_nFIRPos + N + 1] = xR;
    float eL = xL, eR = xR;
    if (tapeType != kTapeBypass)
        firStereo(m_fFIRReversed[m_nTapeTypeIndex + 3 * m_nSampleRateIndex], N + 1, eL, eR);

    // Wow, then flutter: the oscillators move the delay time, never the level.
    float v = 0.0f, vQuad = 0.0f;
    m_WowLFO.nextSample(v, vQuad);
    const float fWow_ms = (m_fModDelayMax_ms - m_fModDelayMin_ms) * v * (m_fWowDepth_pct * 0.005f) + m_fModDelayMin_ms;
    setModDelay(m_WowDelayL, fWow_ms);
    setModDelay(m_WowDelayR, fWow_ms);
    float wL = 0.0f;
    m_WowDelayL.processFrame(&eL, &wL, 1, 1);

    m_FlutterLFO.nextSample(v, vQuad);
    const float fFlutter_ms = (m_fModDelayMax_ms - m_fModDelayMin_ms) * v * (m_fFlutterDepth_pct * 0.002f) + m_fModDelayMin_ms;
    setModDelay(m_FlutterDelayL, fFlutter_ms);
    setModDelay(m_FlutterDelayR, fFlutter_ms);
    m_FlutterDelayL.processFrame(&wL, pOut, 1, 1);

    const float hL = hissSample();

    // Dropout signal: a leaky random walk, smoothed, sets the cutoff of a one-pole low-pass.
    const double dLeak = static_cast<double>(m_fDropoutRate) * 0.0019 + 0.008 + 0.99;
    float r = drawBipolar() + m_fDropoutWalkL;
    m_fDropoutWalkL = static_cast<float>(r * dLeak);
    m_fDropoutSmoothedL = m_DropoutSmootherL.filterSample(r);  // the walk before its decay
    float fc = dropoutCutoff(m_fDropoutSmoothedL);
    if (fc != m_fDropoutCutoffL_Hz) {
        tape::designDropoutLowPass(m_DropoutFilterL, fc, m_nSampleRate);
        m_fDropoutCutoffL_Hz = fc;
    }
    if (msDrop == 1) {
        r = drawBipolar() + m_fDropoutWalkR;
        m_fDropoutWalkR = static_cast<float>(r * dLeak);
        m_fDropoutSmoothedR = m_DropoutSmootherR.filterSample(r);
        fc = dropoutCutoff(m_fDropoutSmoothedR);
        if (fc != m_fDropoutCutoffR_Hz) {
            tape::designDropoutLowPass(m_DropoutFilterR, fc, m_nSampleRate);
            m_fDropoutCutoffR_Hz = fc;
        }
    } else {
        m_DropoutFilterR.copyCoefficients(m_DropoutFilterL);
        m_fDropoutCutoffR_Hz = m_fDropoutCutoffL_Hz;
    }

    const bool bAge = tapeAge != 0 && tapeType != kTapeBypass;
    const double a = m_fDropoutScale;
    const double sL = m_fDropoutSmoothedL, sR = m_fDropoutSmoothedR;

    // Dropout filter, age filter and saturation of one channel.
    auto shape = [&](float y, CBiQuad& dropout, CBiQuad& age) {
        y = dropout.filterSample(y);
        if (bAge)
            y = age.filterSample(y);
        float s = m_fSatDrive * y;
        s = s > 1.0f ? 1.0f : (s < -1.0f ? -1.0f : s);
        return (m_fSatA3 * (s * s * s) + m_fSatA2 * (s * s) + m_fSatA1 * s + m_fSatA0) / m_fSatDrive;
    };

    const float yL = shape(pOut[0], m_DropoutFilterL, m_AgeFilterL);
    // Unlimited: strong dropouts drive the gain below 0 and invert the signal.
    const double gL = msDrop == 1 ? 1.0 - 0.66 * std::fabs(a * sL + 0.5 * a * sR) : 1.0 - std::fabs(a * sL);
    const double gR = msDrop == 1 ? 1.0 - 0.66 * std::fabs(a * sR + 0.5 * a * sL) : 1.0 - std::fabs(a * sL);
    pOut[0] = static_cast<float>((gL * yL + hL) * m_fOutGain);  // hiss is not ducked

    if (uOutChannels == 2 && uInChannels == 2) {
        float wR = 0.0f, fR = 0.0f;
        m_WowDelayR.processFrame(&eR, &wR, 1, 1);
        m_FlutterDelayR.processFrame(&wR, &fR, 1, 1);
        const float yR = shape(fR, m_DropoutFilterR, m_AgeFilterR);
        const float hR = hissSample();  // the shared hiss filter advances twice per stereo frame
        pOut[1] = static_cast<float>((gR * yR + hR) * m_fOutGain);
    } else if (uOutChannels == 2 && uInChannels == 1) {
        const float hR = hissSample();
        pOut[1] = static_cast<float>((gR * yL + hR) * m_fOutGain);
    }

    meterR = uOutChannels == 1 ? std::fabs(pOut[0])
                               : static_cast<float>((std::fabs(pOut[0]) + std::fabs(pOut[1])) * 0.5);
    return true;
}

void CModDelayModule::processCompander(float& xL, float& xR)
{
    m_fNRInputL = xL;
    m_fNRInputR = xR;
    m_fNRLowL = m_NRLowL.filterSample(xL * m_fNRLowInGain);
    m_fNRHighL = -m_NRHighL.filterSample(xL * m_fNRHighInGain);  // inverted before measuring and summing
    m_fNREnvLow = m_NRFollowerLow.follow(m_fNRLowL);
    m_fNREnvHigh = m_NRFollowerHigh.follow(m_fNRHighL);
    m_fNRLowR = m_NRLowR.filterSample(xR * m_fNRLowInGain);
    m_fNRHighR = -m_NRHighR.filterSample(xR * m_fNRHighInGain);

    const float fHalfLow = 0.5f * m_fNREnvLow;
    const float fHalfHigh = 0.5f * m_fNREnvHigh;
    const float fLevelLow = fHalfLow > 0.0f ? 20.0f * std::log10(fHalfLow) : -96.0f;
    const float fLevelHigh = fHalfHigh > 0.0f ? 20.0f * std::log10(fHalfHigh) : -96.0f;
    m_fNRGainLow = computeCompanderGain(fLevelLow, m_fNRLowThreshold_dB, m_fNRLowRatio, m_fNRLowKnee_dB);
    m_fNRGainHigh = computeCompanderGain(fLevelHigh, m_fNRHighThreshold_dB, m_fNRHighRatio, m_fNRHighKnee_dB);

    // Gains measured on the left channel serve both: the compander is stereo-linked.
    xL = m_fNRGainLow * m_fNRLowL * m_fNRLowOutGain + m_fNRGainHigh * m_fNRHighL * m_fNRHighOutGain;
    xR = m_fNRGainLow * m_fNRLowR * m_fNRLowOutGain + m_fNRGainHigh * m_fNRHighR * m_fNRHighOutGain;
}

float CModDelayModule::computeCompanderGain(float x, float T, float R, float W)
{
    float s = static_cast<float>(1.0 - 1.0 / R);
    if (W > 0.0f) {
        const double lo = T - W / 2.0;
        double hi = T + W / 2.0;
        if (lo < x && x < hi) {
            if (hi > 0.0)
                hi = 0.0;
            s = static_cast<float>(s * (x - lo) / (hi - lo));  // slope rises across the knee
        }
    }
    // No gate: the full slope applies on both sides, pulling each band toward T. Band levels
    // run from 0 dB down to about -770 dB (the smallest subnormal half-envelope).
    return tape::pow10Narrow((T - x) * s * 0.05f);
}
