// The run path: the chain's kernels composed stage by stage over a run of frames. Each
// stage's loop carries only its own state from frame to frame, so the processor overlaps
// neighbouring frames, and the transcendental work runs eight (or four) frames at a time.
// The same stages are built twice, for baseline x86-64 and for AVX2 (three-operand forms and
// wider registers save about a sixth of the instructions); the kernel table holds both.
// Output: bit for bit what the per-frame chain (CModDelayModuleChain.cpp) gives.
#include "CModDelayModule.h"
#include "CPlugInSmoothRun.h"
#include "TapeCompander.h"
#include "TapeDropout.h"
#include "TapeEqualiser.h"
#include "TapeFilterDesign.h"
#include "TapeHiss.h"
#include "TapeLaneGroups.h"
#include "TapeLevels.h"
#include "TapeModulation.h"
#include "TapeSaturation.h"
#include "TapeWorkingCopy.h"

#include "TsraRand.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {
constexpr uint32_t kRun = CModDelayModule::kRunLength;
constexpr uint32_t kLanes = sizeof(tape::RunVector) / sizeof(float);  // the widest group a run computes at once
// Arrays of a run, with room to finish the last group of lanes.
using RunArray = float[kRun + kLanes];

// Zeroes the lanes past n so the last group computes on defined values.
inline void padLanes(float* p, uint32_t n)
{
    for (uint32_t i = n; i % kLanes != 0; ++i)
        p[i] = 0.0f;
}
// std::max(fPeak, each of the n meter readings in turn), a register at a time. Readings are
// magnitudes (never -0) or NaN, which std::max(peak, x) passes over as the lanes do, so the
// order of comparing does not matter.
TAPE_LANES_INLINE float peakOf(float fPeak, float* pMeter, uint32_t n)
{
    using V = tape::RunVector;
    padLanes(pMeter, n);  // zeros: no reading is below
    V peak = tape::splatV<V>(fPeak);
    for (uint32_t i = 0; i < n; i += kLanes) {
        const V m = tape::loadV<V>(pMeter + i);
        peak = peak < m ? m : peak;
    }
    for (uint32_t k = 0; k < kLanes; ++k)
        fPeak = std::max(fPeak, peak[k]);
    return fPeak;
}
}  // namespace

void CModDelayModule::captureControls(RunControls& c, uint32_t i) const
{
    c.fInGain[i] = m_fInGain;
    c.fOutGain[i] = m_fOutGain;
    c.fHissGain[i] = m_fHissGain;
    c.fSatDrive[i] = m_fSatDrive;
    c.fWowScale[i] = tape::wowScale(m_fWowDepth_pct);
    c.fFlutterScale[i] = tape::flutterScale(m_fFlutterDepth_pct);
    c.fWowStep[i] = m_WowLFO.m_fPhaseStep;
    c.fFlutterStep[i] = m_FlutterLFO.m_fPhaseStep;
    c.fDropoutScale[i] = m_fDropoutScale;
    c.dLeak[i] = tape::walkLeak(m_fDropoutRate);
}

TAPE_LANES_INLINE void CModDelayModule::captureRun(RunControls& c, uint32_t n)
{
    if (m_bSmoothingAtRest && !m_JoystickX.m_bSmooth) {
        captureControls(c, 0);  // at rest every frame sees the same values
        for (float* p : {c.fInGain, c.fOutGain, c.fHissGain, c.fSatDrive, c.fWowScale, c.fFlutterScale, c.fWowStep,
                         c.fFlutterStep, c.fDropoutScale})
            std::fill(p + 1, p + n, p[0]);
        std::fill(c.dLeak + 1, c.dLeak + n, c.dLeak[0]);
        return;
    }
    // Controls glide: the run's smoothing steps are taken at once (the knobs side by side),
    // then each frame's values are cooked from the knob values its step left, stage by stage
    // (several frames to a register), to the very values cooking each frame would give. The
    // knobs that moved are cooked once more for the last frame's values when the steps end.
    float knob[kKnobCount][kRun];
    float* ppTracks[kControlCountTotal] = {};
    for (uint32_t k = 0; k < kKnobCount; ++k)
        ppTracks[k] = knob[k];
    if (smoothRunLanes<tape::RunVector>(n, ppTracks)) {
        tape::pow10NarrowOfDecibels({knob[kInput], knob[kOutput], knob[kTapeHiss]}, {c.fInGain, c.fOutGain, c.fHissGain},
                                    n);
        const int32_t nWowRate = m_WowLFO.m_nSampleRate, nFlutterRate = m_FlutterLFO.m_nSampleRate;
        for (uint32_t k = 0; k < n; ++k) {
            c.fSatDrive[k] = satDriveFor(ageDriveFor(knob[kSaturation][k], tapeAge, m_fAgeDrive));
            c.fWowScale[k] = tape::wowScale(knob[kWowDepth][k]);
            c.fFlutterScale[k] = tape::flutterScale(knob[kFlutterDepth][k]);
            c.fDropoutScale[k] = dropoutScaleFor(knob[kDropoutAmount][k]);
            c.dLeak[k] = tape::walkLeak(knob[kDropoutIntensity][k]);
        }
        for (uint32_t k = 0; k < n; ++k) {
            c.fWowStep[k] = CWTOscillator::phaseStepFor(knob[kWowRate][k], m_uWowLFOType, nWowRate);
            c.fFlutterStep[k] = CWTOscillator::phaseStepFor(knob[kFlutterRate][k], m_uFlutLFOType, nFlutterRate);
        }
        return;
    }
    // Else (a gliding joystick) each frame takes its own step; the gains and oscillator steps
    // are still worked out for the run at once.
    float inGain_dB[kRun], outGain_dB[kRun], hiss_dB[kRun], wow_Hz[kRun], flutter_Hz[kRun];
    m_bCookingDeferred = true;
    for (uint32_t k = 0; k < n; ++k) {
        smoothControls();
        captureControls(c, k);
        inGain_dB[k] = inGainDB;
        outGain_dB[k] = outGainDB;
        hiss_dB[k] = m_fTapeHiss;
        wow_Hz[k] = m_fWowFrequency_Hz;
        flutter_Hz[k] = m_fFlutterFrequency_Hz;
    }
    m_bCookingDeferred = false;
    tape::pow10NarrowOfDecibels({inGain_dB, outGain_dB, hiss_dB}, {c.fInGain, c.fOutGain, c.fHissGain}, n);
    const int32_t nWowRate = m_WowLFO.m_nSampleRate, nFlutterRate = m_FlutterLFO.m_nSampleRate;
    for (uint32_t k = 0; k < n; ++k) {
        c.fWowStep[k] = CWTOscillator::phaseStepFor(wow_Hz[k], m_uWowLFOType, nWowRate);
        c.fFlutterStep[k] = CWTOscillator::phaseStepFor(flutter_Hz[k], m_uFlutLFOType, nFlutterRate);
    }
    // What cooking would have left after the last frame.
    m_fInGain = c.fInGain[n - 1];
    m_fOutGain = c.fOutGain[n - 1];
    m_fHissGain = c.fHissGain[n - 1];
    m_WowLFO.m_fFrequency_Hz = wow_Hz[n - 1];
    m_WowLFO.m_uOscType = m_uWowLFOType;
    m_WowLFO.m_fPhaseStep = c.fWowStep[n - 1];
    m_FlutterLFO.m_fFrequency_Hz = flutter_Hz[n - 1];
    m_FlutterLFO.m_uOscType = m_uFlutLFOType;
    m_FlutterLFO.m_fPhaseStep = c.fFlutterStep[n - 1];
}

TAPE_LANES_INLINE void CModDelayModule::runStages(const RunIo& io, uint32_t n, const RunControls& c)
{
    const uint32_t uIn = io.uInChannels, uOut = io.uOutChannels;
    const bool bMonoIn = uIn == 1;
    const bool bStereoChain = uIn == 2 && uOut == 2;
    const bool bTwoOut = uOut == 2 && (uIn == 1 || uIn == 2);  // right output written
    const bool bSeparate = msDrop == 1;
    const bool bCompander = nrComp == 1;

    // Input gain and meter, each loop a register of frames at a time. Every input of the run
    // is read before any output is written, so the buffers may be the same (the host may
    // process in place).
    RunArray xL, xR, meter;
    for (uint32_t i = 0; i < n; ++i)
        xL[i] = tape::inputSample(c.fInGain[i], io.pInL[i]);
    if (bMonoIn) {
        std::copy(xL, xL + n, xR);
        for (uint32_t i = 0; i < n; ++i)
            meter[i] = std::fabs(xL[i]);
    } else {
        for (uint32_t i = 0; i < n; ++i)
            xR[i] = tape::inputSample(c.fInGain[i], io.pInR[i]);
        for (uint32_t i = 0; i < n; ++i)
            meter[i] = tape::meterOf(xL[i], xR[i]);
    }
    meterL = meter[n - 1];
    m_fMeterPeakL = peakOf(m_fMeterPeakL, meter, n);

    // One loop for the recurrences that need no other stage: the compander's four band
    // sections and two followers (in lanes), the hiss shelf and the dropout walks and their
    // smoothers (in lanes). Independent recurrences in one loop overlap. The run's draws are
    // taken at once and used frame by frame in the per-frame order.
    CompanderRun compander;
    RunArray hissL, hissR, smoothL, smoothR;
    {
#if defined(__clang__)
        // Four lanes at most in a run here (see RunVector): the bands and the smoothers in a
        // group each.
        tape::CBiQuadLanes bands(&m_NRLowL, &m_NRHighL, &m_NRLowR, &m_NRHighR);
        tape::CBiQuadLanes smoothers(&m_DropoutSmootherL, bSeparate ? &m_DropoutSmootherR : nullptr);
        auto filterSections = [&](tape::v4f bandIn, float rL, float rR) {
            const tape::v4f y = bCompander ? bands->filterSample(bandIn) : tape::v4f{};
            const tape::v4f s = smoothers->filterSample(tape::v4f{rL, rR, 0.0f, 0.0f});
            return tape::v8f{y[0], y[1], y[2], y[3], s[0], s[1], 0.0f, 0.0f};
        };
#else
        // The compander's four band sections (without the compander: silent lanes, left
        // alone) and the two dropout smoothers in the eight lanes of one group.
        tape::CBiQuadLanesT<tape::v8f> sections(bCompander ? &m_NRLowL : nullptr, bCompander ? &m_NRHighL : nullptr,
                                                bCompander ? &m_NRLowR : nullptr, bCompander ? &m_NRHighR : nullptr,
                                                &m_DropoutSmootherL, bSeparate ? &m_DropoutSmootherR : nullptr);
        auto filterSections = [&](tape::v4f bandIn, float rL, float rR) __attribute__((always_inline)) {
            return sections->filterSample(tape::v8f{bandIn[0], bandIn[1], bandIn[2], bandIn[3], rL, rR, 0.0f, 0.0f});
        };
#endif
#if defined(__clang__)
        tape::CFollowerLanesT<tape::v4f> followers(m_NRFollowerLow, m_NRFollowerHigh);
        auto followerInput = [](tape::v8f y) { return tape::v4f{y[0], y[1], 0.0f, 0.0f}; };
#else
        // The followers take the group's whole output: lanes 0 and 1 are the left channel's
        // bands (the high band's inversion does not change its magnitude).
        tape::CFollowerLanesT<tape::v8f> followers(m_NRFollowerLow, m_NRFollowerHigh);
        auto followerInput = [](tape::v8f y) __attribute__((always_inline)) { return y; };
#endif
        const tape::v4f bandInGains{m_fNRLowInGain, m_fNRHighInGain, m_fNRLowInGain, m_fNRHighInGain};
        tape::CWorkingCopy<CBiQuad> shelf(m_HissFilter);
        tape::CWorkingCopy<float> walkL(m_fDropoutWalkL), walkR(m_fDropoutWalkR);
        const float fShelfMix = m_fHissShelfMix;
        // The run's draws, taken at once and turned into -1..1 a register at a time, then used
        // frame by frame in the per-frame order.
        const uint32_t nDraws = (2 + (bSeparate ? 1 : 0) + (bTwoOut ? 1 : 0)) * n;
        int draws[4 * kRunLength];
        tsraRandFill(draws, nDraws);
        float bipolar[4 * kRunLength];
        for (uint32_t k = 0; k < nDraws; ++k)
            bipolar[k] = tape::bipolar(draws[k]);
        const float* pDraw = bipolar;
        for (uint32_t i = 0; i < n; ++i) {
            hissL[i] = tape::hissSampleOf(*pDraw++, c.fHissGain[i], *shelf, fShelfMix);
            const float rL = tape::walkStepOf(*walkL, *pDraw++, c.dLeak[i]);
            const float rR = bSeparate ? tape::walkStepOf(*walkR, *pDraw++, c.dLeak[i]) : 0.0f;
            if (bTwoOut)
                hissR[i] = tape::hissSampleOf(*pDraw++, c.fHissGain[i], *shelf, fShelfMix);
            const tape::v8f y = filterSections(tape::v4f{xL[i], xL[i], xR[i], xR[i]} * bandInGains, rL, rR);
            smoothL[i] = y[4];
            smoothR[i] = bSeparate ? y[5] : m_fDropoutSmoothedR;
            if (bCompander) {
                compander.lowL[i] = y[0];
                compander.highL[i] = -y[1];  // inverted before measuring and summing
                compander.lowR[i] = y[2];
                compander.highR[i] = -y[3];
                const auto e = followers->track(followerInput(y));
                compander.envLow[i] = e[0];
                compander.envHigh[i] = e[1];
            }
        }
        if (bCompander) {
            // The followers' outputs (square roots) off the recurrence, a register at a time.
            padLanes(compander.envLow, n);
            padLanes(compander.envHigh, n);
            for (uint32_t i = 0; i < n; i += kLanes) {
                using V = tape::RunVector;
                tape::storeV(compander.envLow + i, followers->output(tape::loadV<V>(compander.envLow + i)));
                tape::storeV(compander.envHigh + i, followers->output(tape::loadV<V>(compander.envHigh + i)));
            }
        }
    }
    if (bCompander)
        mixCompander(xL, xR, n, compander);
    m_fDropoutSmoothedL = smoothL[n - 1];
    m_fDropoutSmoothedR = smoothR[n - 1];

    // The dropout filters' poles, eight frames at a time.
    RunArray poleL, poleR;
    dropoutPoles(smoothL, c.fDropoutScale, n, m_fDropoutCutoffL_Hz, m_DropoutFilterL, poleL);
    if (bSeparate) {
        dropoutPoles(smoothR, c.fDropoutScale, n, m_fDropoutCutoffR_Hz, m_DropoutFilterR, poleR);
    } else {
        std::copy(poleL, poleL + n, poleR);
        m_fDropoutCutoffR_Hz = m_fDropoutCutoffL_Hz;
    }

    // Tape-formulation equaliser, a stage of its own: its frames are independent, so their
    // dot products overlap.
    const int32_t N = m_nFIRLength[m_nSampleRateIndex];
    tape::pushNewestFirst(m_fFIRLineL, N, xL, n);
    tape::pushNewestFirst(m_fFIRLineR, N, xR, n);
    if (tapeType != kTapeBypass) {
        const float* pRow = m_fFIRReversed[m_nTapeTypeIndex + 3 * m_nSampleRateIndex];
        tape::firStereoRun<tape::RunVector>(pRow, N + 1, m_fFIRLineL, m_fFIRLineR, n, xL, xR);
    }

    // Wow, then flutter.
    const float fRange_ms = m_fModDelayMax_ms - m_fModDelayMin_ms;
    RunArray modL, modR;
    if (bStereoChain && CDDLModule::inStep(m_WowDelayL, m_WowDelayR) &&
        CDDLModule::inStep(m_FlutterDelayL, m_FlutterDelayR)) {
        // The usual case: both channels run and a stage's two lines stand at the same place,
        // so each stage runs its pair through the whole run at once, oscillator first.
        RunArray wow_ms, flutter_ms, wowL, wowR;
        m_WowLFO.run(wow_ms, c.fWowStep, n);
        m_FlutterLFO.run(flutter_ms, c.fFlutterStep, n);
        for (uint32_t i = 0; i < n; ++i) {
            wow_ms[i] = tape::modDelay_ms(fRange_ms, wow_ms[i], c.fWowScale[i], m_fModDelayMin_ms);
            flutter_ms[i] = tape::modDelay_ms(fRange_ms, flutter_ms[i], c.fFlutterScale[i], m_fModDelayMin_ms);
        }
        CDDLModule::runInStep(m_WowDelayL, m_WowDelayR, wow_ms, xL, xR, wowL, wowR, n, m_nSampleRate);
        CDDLModule::runInStep(m_FlutterDelayL, m_FlutterDelayR, flutter_ms, wowL, wowR, modL, modR, n, m_nSampleRate);
    } else {
        for (uint32_t i = 0; i < n; ++i) {
            float v = 0.0f, vQuad = 0.0f;
            m_WowLFO.m_fPhaseStep = c.fWowStep[i];
            m_WowLFO.nextSample(v, vQuad);
            const float fWow_ms = tape::modDelay_ms(fRange_ms, v, c.fWowScale[i], m_fModDelayMin_ms);
            m_FlutterLFO.m_fPhaseStep = c.fFlutterStep[i];
            m_FlutterLFO.nextSample(v, vQuad);
            const float fFlutter_ms = tape::modDelay_ms(fRange_ms, v, c.fFlutterScale[i], m_fModDelayMin_ms);
            for (CDDLModule* pLine : {&m_WowDelayL, &m_WowDelayR})
                tape::moveModDelay(*pLine, fWow_ms, m_nSampleRate);
            for (CDDLModule* pLine : {&m_FlutterDelayL, &m_FlutterDelayR})
                tape::moveModDelay(*pLine, fFlutter_ms, m_nSampleRate);
            modL[i] = m_FlutterDelayL.processSample(m_WowDelayL.processSample(xL[i]));
            modR[i] = bStereoChain ? m_FlutterDelayR.processSample(m_WowDelayR.processSample(xR[i])) : 0.0f;
        }
    }

    // Dropout filters and age filters, both channels side by side in two lanes; then the
    // saturation (a division), a register of frames at a time.
    const bool bAge = tapeAge != 0 && tapeType != kTapeBypass;
    RunArray shapedL, shapedR;
    {
        tape::CBiQuadLanes dropouts(&m_DropoutFilterL, bStereoChain ? &m_DropoutFilterR : nullptr);
        tape::CBiQuadLanes ages(&m_AgeFilterL, bStereoChain ? &m_AgeFilterR : nullptr);
        for (uint32_t i = 0; i < n; ++i) {
            tape::designDropoutFromPole(*dropouts, tape::v4f{poleL[i], poleR[i], 0.0f, 0.0f});
            tape::v4f y = dropouts->filterFirstOrder(tape::v4f{modL[i], modR[i], 0.0f, 0.0f});
            if (bAge)
                y = ages->filterSample(y);
            shapedL[i] = y[0];
            shapedR[i] = bStereoChain ? y[1] : y[0];
        }
    }
    {
        using V = tape::RunVector;
        const tape::SSaturationCurve curve{m_fSatA3, m_fSatA2, m_fSatA1, m_fSatA0};
        RunArray drive;
        std::copy(c.fSatDrive, c.fSatDrive + n, drive);
        for (uint32_t i = n; i % kLanes != 0; ++i)
            drive[i] = 1.0f;  // finite lanes past the run
        padLanes(shapedL, n);
        padLanes(shapedR, n);
        for (uint32_t i = 0; i < n; i += kLanes) {
            const V d = tape::loadV<V>(drive + i);
            tape::storeV(shapedL + i, tape::saturate(tape::loadV<V>(shapedL + i), d, curve));
            tape::storeV(shapedR + i, tape::saturate(tape::loadV<V>(shapedR + i), d, curve));
        }
    }
    // The coefficients each dropout filter had for the run's last frame (the right one's also
    // when the right channel was not rendered).
    tape::designDropoutFromPole(m_DropoutFilterL, poleL[n - 1]);
    tape::designDropoutFromPole(m_DropoutFilterR, poleR[n - 1]);

    // Ducking, hiss and output gain, frame by frame independent: into the run's own arrays,
    // which cannot alias each other, so the compiler runs them several frames to a register.
    // Then the output meter and the copies out.
    if (!bTwoOut)
        std::fill(hissR, hissR + n, 0.0f);  // the right channel is computed, not written
    RunArray outL, outR;
    for (uint32_t i = 0; i < n; ++i) {
        double dDuckL, dDuckR;
        tape::dropoutDucks(c.fDropoutScale[i], smoothL[i], smoothR[i], bSeparate, dDuckL, dDuckR);
        outL[i] = tape::outputSample(dDuckL, shapedL[i], hissL[i], c.fOutGain[i]);
        outR[i] = tape::outputSample(dDuckR, shapedR[i], hissR[i], c.fOutGain[i]);
    }
    for (uint32_t i = 0; i < n; ++i)
        meter[i] = uOut == 1 ? std::fabs(outL[i]) : tape::meterOf(outL[i], outR[i]);
    std::copy(outL, outL + n, io.pOutL);
    if (bTwoOut)
        std::copy(outR, outR + n, io.pOutR);
    meterR = meter[n - 1];
    m_fMeterPeakR = peakOf(m_fMeterPeakR, meter, n);
}

TAPE_LANES_INLINE void CModDelayModule::dropoutPoles(const float* pSmoothed, const float* pScale, uint32_t n,
                                                     float& fDesigned_Hz, const CBiQuad& filter, float* pPole) const
{
    RunArray cutoff;
    int nMoved = 0;
    for (uint32_t i = 0; i < n; ++i) {
        cutoff[i] = tape::dropoutCutoff(pSmoothed[i], pScale[i]);
        nMoved |= cutoff[i] != fDesigned_Hz ? 1 : 0;
    }
    const bool bMoved = nMoved != 0;
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

TAPE_LANES_INLINE void CModDelayModule::mixCompander(float* pL, float* pR, uint32_t n, CompanderRun& run)
{
    m_fNRInputL = pL[n - 1];
    m_fNRInputR = pR[n - 1];
    const tape::SCompanderBand low = tape::companderBand(m_fNRLowThreshold_dB, m_fNRLowRatio, m_fNRLowKnee_dB);
    const tape::SCompanderBand high = tape::companderBand(m_fNRHighThreshold_dB, m_fNRHighRatio, m_fNRHighKnee_dB);
    // Both bands of four registers of frames side by side: the gain law's polynomials are
    // long chains, which overlap only when they come close together. Envelopes past the run
    // are zeros.
    constexpr uint32_t kGroups = 4;
    constexpr uint32_t kStep = kGroups * kLanes;
    static_assert(kRunLength % kStep == 0);
    for (uint32_t i = n; i % kStep != 0; ++i)
        run.envLow[i] = run.envHigh[i] = 0.0f;
    RunArray gainLow, gainHigh;
    for (uint32_t i = 0; i < n; i += kStep) {
        using V = tape::RunVector;
        V v[2 * kGroups];
        const tape::SCompanderBand* pp[2 * kGroups];
        for (uint32_t g = 0; g < kGroups; ++g) {
            v[2 * g] = tape::loadV<V>(run.envLow + i + g * kLanes);
            v[2 * g + 1] = tape::loadV<V>(run.envHigh + i + g * kLanes);
            pp[2 * g] = &low;
            pp[2 * g + 1] = &high;
        }
        tape::companderGainsOfEnvelopes(v, pp);
        for (uint32_t g = 0; g < kGroups; ++g) {
            tape::storeV(gainLow + i + g * kLanes, v[2 * g]);
            tape::storeV(gainHigh + i + g * kLanes, v[2 * g + 1]);
        }
    }
    const float fLowOut = m_fNRLowOutGain, fHighOut = m_fNRHighOutGain;
    for (uint32_t i = 0; i < n; ++i) {
        pL[i] = tape::companderMix(gainLow[i], run.lowL[i], fLowOut, gainHigh[i], run.highL[i], fHighOut);
        pR[i] = tape::companderMix(gainLow[i], run.lowR[i], fLowOut, gainHigh[i], run.highR[i], fHighOut);
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

// The two builds of the run path: the stages are inlined into each.
void CModDelayModule::runBaseline(CModDelayModule& m, const RunIo& io, uint32_t n)
{
    RunControls c;
    m.captureRun(c, n);
    m.runStages(io, n, c);
}

#if defined(__x86_64__)
[[gnu::target("avx2")]] void CModDelayModule::runAvx2(CModDelayModule& m, const RunIo& io, uint32_t n)
{
    RunControls c;
    m.captureRun(c, n);
    m.runStages(io, n, c);
}
#else
void CModDelayModule::runAvx2(CModDelayModule& m, const RunIo& io, uint32_t n) { runBaseline(m, io, n); }
#endif
