// The tape chain and the noise-reduction compander. The chain runs stage by stage over short
// runs of frames: each stage's loop carries only its own state from frame to frame, so the
// processor overlaps neighbouring frames, and the transcendental work runs eight (or four)
// frames at a time. A single frame is a run of one, so both entry points compute the same thing.
#include "CModDelayModule.h"
#include "TapeFilterDesign.h"
#include "TapeLanes.h"
#include "TapeVectorMath.h"

#include "TsraRand.h"

#include <algorithm>
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

constexpr uint32_t kRun = CModDelayModule::kRunLength;
constexpr uint32_t kLanes = sizeof(tape::RunVector) / sizeof(float);  // the widest group a run computes at once
// Arrays of a run, with room to finish the last group of lanes.
using RunArray = float[kRun + kLanes];

inline float average(float a, float b) { return static_cast<float>((std::fabs(a) + std::fabs(b)) * 0.5); }

// Zeroes the lanes past n so the last group computes on defined values.
inline void padLanes(float* p, uint32_t n)
{
    for (uint32_t i = n; i % kLanes != 0; ++i)
        p[i] = 0.0f;
}
}  // namespace

void CModDelayModule::firStereo(const float* pReversed, int32_t nTaps, const float* hL, const float* hR, float& eL,
                                float& eR)
{
    using v4 = tape::v4f;
    v4 accL = {0, 0, 0, 0}, accR = {0, 0, 0, 0};
    for (int32_t k = 0; k < nTaps; k += 4) {
        const v4 c = tape::loadV4(pReversed + k);
        accL += c * tape::loadV4(hL + k);
        accR += c * tape::loadV4(hR + k);
    }
    eL = (accL[0] + accL[1]) + (accL[2] + accL[3]);
    eR = (accR[0] + accR[1]) + (accR[2] + accR[3]);
}

void CModDelayModule::setModDelay(CDDLModule& line, float fDelay_ms)
{
    // Read and write positions advance together, so an unchanged delay time needs no update:
    // updateDelayParameters would recompute the very same state. Feedback and wet level were
    // set at preparation and never change, so only the delay time moves.
    if (fDelay_ms == line.m_fDelay_ms && line.m_nSampleRate == m_nSampleRate)
        return;
    line.moveDelay(fDelay_ms);
}

float CModDelayModule::bipolar(int nDraw)
{
    return static_cast<float>(nDraw) * 6.103702e-05f - 1.0f;  // 2/32767 in single precision
}

float CModDelayModule::dropoutCutoff(float fSmoothed, float fDropoutScale)
{
    const float fc = (1.0f - std::fabs(fSmoothed * fDropoutScale)) * 20000.0f;
    return fc < 1000.0f ? 1000.0f : fc;
}

inline void CModDelayModule::captureControls(RunControls& c, uint32_t i) const
{
    c.fInGain[i] = m_fInGain;
    c.fOutGain[i] = m_fOutGain;
    c.fHissGain[i] = m_fHissGain;
    c.fSatDrive[i] = m_fSatDrive;
    c.fWowScale[i] = m_fWowDepth_pct * 0.005f;
    c.fFlutterScale[i] = m_fFlutterDepth_pct * 0.002f;
    c.fWowStep[i] = m_WowLFO.m_fPhaseStep;
    c.fFlutterStep[i] = m_FlutterLFO.m_fPhaseStep;
    c.fDropoutScale[i] = m_fDropoutScale;
    c.dLeak[i] = static_cast<double>(m_fDropoutRate) * 0.0019 + 0.008 + 0.99;
}

bool CModDelayModule::processFrame(const float* pIn, float* pOut, uint32_t uInChannels, uint32_t uOutChannels)
{
    smoothControls();
    RunControls controls;
    captureControls(controls, 0);
    const float in[2] = {pIn[0], uInChannels != 1 ? pIn[1] : 0.0f};
    float out[2] = {0.0f, uOutChannels == 2 ? pOut[1] : 0.0f};
    processRun(in, in + 1, out, out + 1, 1, uInChannels, uOutChannels, controls);
    pOut[0] = out[0];
    if (uOutChannels == 2 && (uInChannels == 1 || uInChannels == 2))
        pOut[1] = out[1];
    return true;
}

bool CModDelayModule::processFrames(const float* const* ppIn, float* const* ppOut, uint32_t uInChannels,
                                    uint32_t uOutChannels, uint32_t uFrames)
{
    if (uInChannels < 1 || uInChannels > 2 || uOutChannels < 1 || uOutChannels > 2)
        return false;
    m_fMeterPeakL = m_fMeterPeakR = 0.0f;
    const float* pInR = ppIn[uInChannels - 1];
    float* pOutR = ppOut[uOutChannels - 1];
    RunControls controls;
    for (uint32_t i = 0; i < uFrames;) {
        const uint32_t n = std::min(kRunLength, uFrames - i);
        if (!m_bSmoothingAtRest || m_JoystickX.m_bSmooth) {
            for (uint32_t k = 0; k < n; ++k) {
                smoothControls();  // controls glide: each frame cooks its own values
                captureControls(controls, k);
            }
        } else {
            for (uint32_t k = 0; k < n; ++k)
                captureControls(controls, k);
        }
        processRun(ppIn[0] + i, pInR + i, ppOut[0] + i, pOutR + i, n, uInChannels, uOutChannels, controls);
        i += n;
    }
    return true;
}

TAPE_RUN_CLONES void CModDelayModule::processRun(const float* pInL, const float* pInR, float* pOutL, float* pOutR, uint32_t n,
                                 uint32_t uInChannels, uint32_t uOutChannels, const RunControls& c)
{
    const bool bMonoIn = uInChannels == 1;
    const bool bStereoChain = uInChannels == 2 && uOutChannels == 2;
    const bool bTwoOut = uOutChannels == 2 && (uInChannels == 1 || uInChannels == 2);  // right output written

    // Input gain and meter. Every input of the run is read before any output is written, so
    // the buffers may be the same.
    RunArray xL, xR;
    for (uint32_t i = 0; i < n; ++i) {
        xL[i] = sanitizeInput(c.fInGain[i] * pInL[i]);  // after the gain: an overflow counts too
        xR[i] = bMonoIn ? xL[i] : sanitizeInput(c.fInGain[i] * pInR[i]);
        meterL = bMonoIn ? std::fabs(xL[i]) : average(xL[i], xR[i]);
        m_fMeterPeakL = std::max(m_fMeterPeakL, meterL);
    }

    // The compander's band sections and followers run in the loop of the dropout walks below
    // (when they fit the lanes): independent recurrences in one loop overlap.
    const bool bCompander = nrComp == 1;
    const bool bCompanderLanes = bCompander && tape::CFollowerLanes::fits(m_NRFollowerLow, m_NRFollowerHigh);
    if (bCompander && !bCompanderLanes)
        processCompander(xL, xR, n);
    CompanderRun compander;
    CompanderLanes companderLanes(*this);

    // The run's random draws in the per-frame order (hiss L, dropout L, dropout R with separate
    // dropouts, hiss R with two outputs), and the dropout signal: a leaky random walk, smoothed,
    // sets the cutoff of a one-pole low-pass.
    RunArray hissL, hissR, smoothL, smoothR;
    // Hiss: white plus a +20 dB low shelf. The shared filter advances twice per stereo frame.
    CBiQuad hissFilter = m_HissFilter;
    const float fShelfMix = m_fHissShelfMix;
    auto hiss = [&](int nDraw, float fHissGain) {
        const float x = bipolar(nDraw) * fHissGain;
        return x + fShelfMix * hissFilter.filterFirstOrder(x);  // the shelf is first order
    };
    const bool bSeparate = msDrop == 1;
    // Filters and states are worked on as locals through each loop (here and below) and
    // stored back after it: the compiler then keeps them in registers instead of reloading
    // them after every store to a float buffer that might alias them. The two dropout
    // smoothers run side by side in two lanes.
    const int nSmoothers = bSeparate ? 2 : 1;
    CBiQuad* const smootherSections[2] = {&m_DropoutSmootherL, &m_DropoutSmootherR};
    tape::CBiQuadLanes smoothers;
    smoothers.load(smootherSections, nSmoothers);
    float fWalkL = m_fDropoutWalkL, fWalkR = m_fDropoutWalkR;
    // All of the run's draws at once, then taken frame by frame in their order.
    const uint32_t uDrawsPerFrame = 2 + (bSeparate ? 1 : 0) + (bTwoOut ? 1 : 0);
    int draws[4 * kRunLength];
    tsraRandFill(draws, uDrawsPerFrame * n);
    const int* pDraw = draws;
    for (uint32_t i = 0; i < n; ++i) {
        if (bCompanderLanes)
            companderLanes.step(xL[i], xR[i], compander, i);
        hissL[i] = hiss(*pDraw++, c.fHissGain[i]);
        const float rL = bipolar(*pDraw++) + fWalkL;
        fWalkL = static_cast<float>(rL * c.dLeak[i]);
        float rR = 0.0f;
        if (bSeparate) {
            rR = bipolar(*pDraw++) + fWalkR;
            fWalkR = static_cast<float>(rR * c.dLeak[i]);
        }
        const tape::v4f smoothed = smoothers.filter(tape::v4f{rL, rR, 0.0f, 0.0f});  // the walk before its decay
        smoothL[i] = smoothed[0];
        smoothR[i] = bSeparate ? smoothed[1] : m_fDropoutSmoothedR;
        if (bTwoOut)
            hissR[i] = hiss(*pDraw++, c.fHissGain[i]);
    }
    smoothers.storeState(smootherSections, nSmoothers);
    if (bCompanderLanes) {
        companderLanes.store(*this);
        mixCompander(xL, xR, n, compander);
    }
    m_HissFilter = hissFilter;
    m_fDropoutWalkL = fWalkL;
    m_fDropoutWalkR = fWalkR;
    RunArray poleL, poleR;
    dropoutPoles(smoothL, c.fDropoutScale, n, m_fDropoutCutoffL_Hz, m_DropoutFilterL, poleL);
    if (bSeparate) {
        dropoutPoles(smoothR, c.fDropoutScale, n, m_fDropoutCutoffR_Hz, m_DropoutFilterR, poleR);
    } else {
        std::copy(poleL, poleL + n, poleR);
        m_fDropoutCutoffR_Hz = m_fDropoutCutoffL_Hz;
    }
    m_fDropoutSmoothedL = smoothL[n - 1];
    m_fDropoutSmoothedR = smoothR[n - 1];

    const int32_t N = m_nFIRLength[m_nSampleRateIndex];
    const float* pRow = tapeType != kTapeBypass ? m_fFIRReversed[m_nTapeTypeIndex + 3 * m_nSampleRateIndex] : nullptr;
    const float fRange_ms = m_fModDelayMax_ms - m_fModDelayMin_ms;
    const bool bAge = tapeAge != 0 && tapeType != kTapeBypass;
    const float fA3 = m_fSatA3, fA2 = m_fSatA2, fA1 = m_fSatA1, fA0 = m_fSatA0;
    // Both channels' dropout and age filters and saturation run side by side in two lanes.
    const int nChainSections = bStereoChain ? 2 : 1;
    CBiQuad* const dropoutSections[2] = {&m_DropoutFilterL, &m_DropoutFilterR};
    CBiQuad* const ageSections[2] = {&m_AgeFilterL, &m_AgeFilterR};
    tape::CBiQuadLanes dropouts, ages;
    dropouts.load(dropoutSections, nChainSections);
    ages.load(ageSections, nChainSections);

    // Dropout filter (its pole set for the frame), age filter and saturation of both channels.
    auto shape = [&](tape::v4f y, tape::v4f pole, float fDrive) {
        dropouts.setOnePole(pole);
        y = dropouts.filterFirstOrder(y);
        if (bAge)
            y = ages.filter(y);
        tape::v4f s = fDrive * y;
        const tape::v4f sLow = s < -1.0f ? tape::splatV4(-1.0f) : s;
        s = s > 1.0f ? tape::splatV4(1.0f) : sLow;
        return (fA3 * (s * s * s) + fA2 * (s * s) + fA1 * s + fA0) / fDrive;
    };
    // Tape-formulation equaliser, a stage of its own: its frames are independent, so their
    // dot products overlap. The rows are kept reversed (entry k weights the sample k frames
    // old) and zero-padded to a multiple of four, so a frame's window is a contiguous run of
    // the line and both channels run four taps at a time.
    std::memmove(m_fFIRLineL + n, m_fFIRLineL, static_cast<size_t>(N) * sizeof(float));
    std::memmove(m_fFIRLineR + n, m_fFIRLineR, static_cast<size_t>(N) * sizeof(float));
    for (uint32_t i = 0; i < n; ++i) {
        m_fFIRLineL[n - 1 - i] = xL[i];
        m_fFIRLineR[n - 1 - i] = xR[i];
    }
    if (pRow) {
        for (uint32_t i = 0; i < n; ++i)
            firStereo(pRow, N + 1, m_fFIRLineL + (n - 1 - i), m_fFIRLineR + (n - 1 - i), xL[i], xR[i]);
    }

    // Wow, then flutter: the oscillators move the delay time, never the level.
    RunArray modL, modR;
    if (bStereoChain && CDDLModule::inStep(m_WowDelayL, m_WowDelayR) &&
        CDDLModule::inStep(m_FlutterDelayL, m_FlutterDelayR)) {
        // The usual case: both channels run and a stage's two lines stand at the same place,
        // so each stage runs its pair through the whole run at once.
        RunArray wow_ms, flutter_ms, wowL, wowR;
        m_WowLFO.run(wow_ms, c.fWowStep, n);
        m_FlutterLFO.run(flutter_ms, c.fFlutterStep, n);
        for (uint32_t i = 0; i < n; ++i) {
            wow_ms[i] = fRange_ms * wow_ms[i] * c.fWowScale[i] + m_fModDelayMin_ms;
            flutter_ms[i] = fRange_ms * flutter_ms[i] * c.fFlutterScale[i] + m_fModDelayMin_ms;
        }
        CDDLModule::runInStep(m_WowDelayL, m_WowDelayR, wow_ms, xL, xR, wowL, wowR, n, m_nSampleRate);
        CDDLModule::runInStep(m_FlutterDelayL, m_FlutterDelayR, flutter_ms, wowL, wowR, modL, modR, n, m_nSampleRate);
    } else {
        for (uint32_t i = 0; i < n; ++i) {
            float v = 0.0f, vQuad = 0.0f;
            m_WowLFO.m_fPhaseStep = c.fWowStep[i];
            m_WowLFO.nextSample(v, vQuad);
            const float fWow_ms = fRange_ms * v * c.fWowScale[i] + m_fModDelayMin_ms;
            setModDelay(m_WowDelayL, fWow_ms);
            setModDelay(m_WowDelayR, fWow_ms);  // both lines move even when only the left one runs
            const float wL = m_WowDelayL.processSample(xL[i]);
            m_FlutterLFO.m_fPhaseStep = c.fFlutterStep[i];
            m_FlutterLFO.nextSample(v, vQuad);
            const float fFlutter_ms = fRange_ms * v * c.fFlutterScale[i] + m_fModDelayMin_ms;
            setModDelay(m_FlutterDelayL, fFlutter_ms);
            setModDelay(m_FlutterDelayR, fFlutter_ms);
            modL[i] = m_FlutterDelayL.processSample(wL);
            modR[i] = bStereoChain ? m_FlutterDelayR.processSample(m_WowDelayR.processSample(xR[i])) : 0.0f;
        }
    }

    // Dropouts, age and saturation: the filters of this loop are independent of each other,
    // so neighbouring frames overlap.
    RunArray shapedL, shapedR;
    for (uint32_t i = 0; i < n; ++i) {
        const tape::v4f y = shape(tape::v4f{modL[i], modR[i], 0.0f, 0.0f}, tape::v4f{poleL[i], poleR[i], 0.0f, 0.0f}, c.fSatDrive[i]);
        shapedL[i] = y[0];
        shapedR[i] = bStereoChain ? y[1] : y[0];
    }

    // The dropout gains, hiss and output gain, frame by frame independent (the compiler runs
    // them several frames to a register).
    for (uint32_t i = 0; i < n; ++i) {
        const double a = c.fDropoutScale[i], sL = smoothL[i], sR = smoothR[i];
        // Unlimited: strong dropouts drive the gain below 0 and invert the signal.
        const double gL = bSeparate ? 1.0 - 0.66 * std::fabs(a * sL + 0.5 * a * sR) : 1.0 - std::fabs(a * sL);
        const double gR = bSeparate ? 1.0 - 0.66 * std::fabs(a * sR + 0.5 * a * sL) : 1.0 - std::fabs(a * sL);
        const float fOutGain = c.fOutGain[i];
        pOutL[i] = static_cast<float>((gL * shapedL[i] + hissL[i]) * fOutGain);  // hiss is not ducked
        if (bTwoOut)
            pOutR[i] = static_cast<float>((gR * shapedR[i] + hissR[i]) * fOutGain);  // mono in: the left signal
    }
    for (uint32_t i = 0; i < n; ++i) {
        meterR = uOutChannels == 1 ? std::fabs(pOutL[i]) : average(pOutL[i], pOutR[i]);
        m_fMeterPeakR = std::max(m_fMeterPeakR, meterR);
    }
    dropouts.storeState(dropoutSections, nChainSections);
    ages.storeState(ageSections, nChainSections);
    // The coefficients each dropout filter had for the run's last frame (the right one's also
    // when the right channel was not rendered).
    tape::designDropoutFromPole(m_DropoutFilterL, poleL[n - 1]);
    tape::designDropoutFromPole(m_DropoutFilterR, poleR[n - 1]);
}

TAPE_RUN_CLONES void CModDelayModule::dropoutPoles(const float* pSmoothed, const float* pScale, uint32_t n,
                                                   float& fDesigned_Hz, const CBiQuad& filter, float* pPole) const
{
    RunArray cutoff;
    bool bMoved = false;
    for (uint32_t i = 0; i < n; ++i) {
        cutoff[i] = dropoutCutoff(pSmoothed[i], pScale[i]);
        bMoved |= cutoff[i] != fDesigned_Hz;
    }
    if (!bMoved) {
        std::fill(pPole, pPole + n, -filter.m_fB1);  // at rest: the cutoff the filter has
        return;
    }
    for (uint32_t i = 0; i < n; ++i)
        pPole[i] = tape::dropoutPoleAngle(cutoff[i], m_nSampleRate);
    padLanes(pPole, n);
    for (uint32_t i = 0; i < n; i += kLanes)
        tape::storeV(pPole + i, tape::dropoutPoleV(tape::loadV<tape::RunVector>(pPole + i)));
    fDesigned_Hz = cutoff[n - 1];
}

void CModDelayModule::processCompander(float* pL, float* pR, uint32_t n)
{
    CompanderRun run;
    if (tape::CFollowerLanes::fits(m_NRFollowerLow, m_NRFollowerHigh)) {
        CompanderLanes lanes(*this);
        for (uint32_t i = 0; i < n; ++i)
            lanes.step(pL[i], pR[i], run, i);
        lanes.store(*this);
    } else {
        const float fLowIn = m_fNRLowInGain, fHighIn = m_fNRHighInGain;
        for (uint32_t i = 0; i < n; ++i) {
            run.lowL[i] = m_NRLowL.filterSample(pL[i] * fLowIn);
            run.highL[i] = -m_NRHighL.filterSample(pL[i] * fHighIn);  // inverted before measuring and summing
            run.envLow[i] = m_NRFollowerLow.follow(run.lowL[i]);
            run.envHigh[i] = m_NRFollowerHigh.follow(run.highL[i]);
            run.lowR[i] = m_NRLowR.filterSample(pR[i] * fLowIn);
            run.highR[i] = -m_NRHighR.filterSample(pR[i] * fHighIn);
        }
    }
    mixCompander(pL, pR, n, run);
}

CModDelayModule::CompanderLanes::CompanderLanes(const CModDelayModule& m)
    : m_InGains{m.m_fNRLowInGain, m.m_fNRHighInGain, m.m_fNRLowInGain, m.m_fNRHighInGain}
{
    const CBiQuad* const sections[4] = {&m.m_NRLowL, &m.m_NRHighL, &m.m_NRLowR, &m.m_NRHighR};
    m_Bands.load(sections, 4);
    m_Followers.load(m.m_NRFollowerLow, m.m_NRFollowerHigh);
}

void CModDelayModule::CompanderLanes::store(CModDelayModule& m) const
{
    CBiQuad* const sections[4] = {&m.m_NRLowL, &m.m_NRHighL, &m.m_NRLowR, &m.m_NRHighR};
    m_Bands.storeState(sections, 4);
    m_Followers.storeState(m.m_NRFollowerLow, m.m_NRFollowerHigh);
}

TAPE_RUN_CLONES void CModDelayModule::mixCompander(float* pL, float* pR, uint32_t n, CompanderRun& run)
{
    m_fNRInputL = pL[n - 1];
    m_fNRInputR = pR[n - 1];
    padLanes(run.envLow, n);
    padLanes(run.envHigh, n);
    const CompanderBand low = companderBand(m_fNRLowThreshold_dB, m_fNRLowRatio, m_fNRLowKnee_dB);
    const CompanderBand high = companderBand(m_fNRHighThreshold_dB, m_fNRHighRatio, m_fNRHighKnee_dB);
    RunArray gainLow, gainHigh;
    for (uint32_t i = 0; i < n; i += kLanes) {
        // Gains measured on the left channel serve both: the compander is stereo-linked.
        using V = tape::RunVector;
        tape::storeV(gainLow + i, companderGainV(tape::decibelsV(0.5f * tape::loadV<V>(run.envLow + i), -96.0f), low));
        tape::storeV(gainHigh + i, companderGainV(tape::decibelsV(0.5f * tape::loadV<V>(run.envHigh + i), -96.0f), high));
    }
    const float fLowOut = m_fNRLowOutGain, fHighOut = m_fNRHighOutGain;
    for (uint32_t i = 0; i < n; ++i) {
        pL[i] = gainLow[i] * run.lowL[i] * fLowOut + gainHigh[i] * run.highL[i] * fHighOut;
        pR[i] = gainLow[i] * run.lowR[i] * fLowOut + gainHigh[i] * run.highR[i] * fHighOut;
    }
    m_fNRLowL = run.lowL[n - 1];
    m_fNRHighL = run.highL[n - 1];
    m_fNRLowR = run.lowR[n - 1];
    m_fNRHighR = run.highR[n - 1];
    m_fNREnvLow = run.envLow[n - 1];
    m_fNREnvHigh = run.envHigh[n - 1];
    m_fNRGainLow = gainLow[n - 1];
    m_fNRGainHigh = gainHigh[n - 1];
}

CModDelayModule::CompanderBand CModDelayModule::companderBand(float T, float R, float W)
{
    CompanderBand b;
    b.fThreshold_dB = T;
    b.fSlope = static_cast<float>(1.0 - 1.0 / R);
    b.bKnee = W > 0.0f;
    b.fKneeLow_dB = static_cast<float>(T - W / 2.0);
    b.fKneeHigh_dB = static_cast<float>(T + W / 2.0);
    // The slope rises across the knee up to 0 dB at most.
    b.fKneeSpan_dB = static_cast<float>(std::min(T + W / 2.0, 0.0) - (T - W / 2.0));
    return b;
}

template <class VF> TAPE_LANES_INLINE VF CModDelayModule::companderGainV(VF x, const CompanderBand& b)
{
    VF s = tape::splatV<VF>(b.fSlope);
    if (b.bKnee) {
        const auto bInKnee = (x > b.fKneeLow_dB) & (x < b.fKneeHigh_dB);
        s = bInKnee ? s * (x - b.fKneeLow_dB) / b.fKneeSpan_dB : s;
    }
    // No gate: the full slope applies on both sides, pulling each band toward T. Band levels
    // run from 0 dB down to about -770 dB (the smallest subnormal half-envelope).
    return tape::pow10V((b.fThreshold_dB - x) * s * 0.05f);
}

float CModDelayModule::computeCompanderGain(float x, float T, float R, float W)
{
    return companderGainV(tape::splatV4(x), companderBand(T, R, W))[0];
}
