// The tape chain, one frame at a time, in the order the signal passes through the circuit.
// This is the reference: the run path (CModDelayModuleRun.cpp) composes the same kernels in a
// schedule of its own and must give these very samples.
#include "CModDelayModule.h"
#include "TapeCompander.h"
#include "TapeDropout.h"
#include "TapeEqualiser.h"
#include "TapeFilterDesign.h"
#include "TapeHiss.h"
#include "TapeLevels.h"
#include "TapeModulation.h"
#include "TapeSaturation.h"

#include "TsraRand.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

bool CModDelayModule::processFrame(const float* pIn, float* pOut, uint32_t uInChannels, uint32_t uOutChannels)
{
    smoothControls();
    float fOutR = uOutChannels == 2 ? pOut[1] : 0.0f;  // left as it is unless the chain writes it
    chainFrame(pIn[0], uInChannels != 1 ? pIn[1] : 0.0f, pOut[0], fOutR, uInChannels, uOutChannels);
    if (uOutChannels == 2)
        pOut[1] = fOutR;
    return true;
}

void CModDelayModule::chainFrame(float inL, float inR, float& outL, float& outR, uint32_t uInChannels,
                                 uint32_t uOutChannels)
{
    const bool bMonoIn = uInChannels == 1;
    const bool bStereoChain = uInChannels == 2 && uOutChannels == 2;  // else only the left channel runs
    const bool bTwoOut = uOutChannels == 2 && (uInChannels == 1 || uInChannels == 2);
    const bool bSeparate = msDrop == 1;

    // The frame's runtime draws, always in this order: hiss L, dropout L, dropout R (separate
    // dropouts only), hiss R (two outputs only).
    const int nHissL = tsraRandInline();
    const int nDropoutL = tsraRandInline();
    const int nDropoutR = bSeparate ? tsraRandInline() : 0;
    const int nHissR = bTwoOut ? tsraRandInline() : 0;

    // Input gain and meter. A mono input feeds both channels of the chain.
    float xL = tape::inputSample(m_fInGain, inL);
    float xR = bMonoIn ? xL : tape::inputSample(m_fInGain, inR);
    meterL = bMonoIn ? std::fabs(xL) : tape::meterOf(xL, xR);
    m_fMeterPeakL = std::max(m_fMeterPeakL, meterL);

    // Noise-reduction compander.
    if (nrComp == 1)
        companderFrame(xL, xR);

    // Tape-formulation equaliser (off in bypass; its line keeps moving).
    const int32_t N = m_nFIRLength[m_nSampleRateIndex];
    tape::pushNewestFirst(m_fFIRLineL, N, &xL, 1);
    tape::pushNewestFirst(m_fFIRLineR, N, &xR, 1);
    if (tapeType != kTapeBypass)
        tape::firStereo(m_fFIRReversed[m_nTapeTypeIndex + 3 * m_nSampleRateIndex], N + 1, m_fFIRLineL, m_fFIRLineR,
                        xL, xR);

    // Wow, then flutter: each oscillator moves the delay time of a pair of lines, never the
    // level. Both lines of a pair move even when only the left one runs.
    const float fRange_ms = m_fModDelayMax_ms - m_fModDelayMin_ms;
    float v = 0.0f, vQuad = 0.0f;
    m_WowLFO.nextSample(v, vQuad);
    const float fWow_ms = tape::modDelay_ms(fRange_ms, v, tape::wowScale(m_fWowDepth_pct), m_fModDelayMin_ms);
    m_FlutterLFO.nextSample(v, vQuad);
    const float fFlutter_ms = tape::modDelay_ms(fRange_ms, v, tape::flutterScale(m_fFlutterDepth_pct), m_fModDelayMin_ms);
    for (CDDLModule* pLine : {&m_WowDelayL, &m_WowDelayR})
        tape::moveModDelay(*pLine, fWow_ms, m_nSampleRate);
    for (CDDLModule* pLine : {&m_FlutterDelayL, &m_FlutterDelayR})
        tape::moveModDelay(*pLine, fFlutter_ms, m_nSampleRate);
    const float yL = m_FlutterDelayL.processSample(m_WowDelayL.processSample(xL));
    const float yR = bStereoChain ? m_FlutterDelayR.processSample(m_WowDelayR.processSample(xR)) : 0.0f;

    // Dropouts: a leaky random walk per channel (one shared unless separate), smoothed, sets
    // the cutoff of a one-pole low-pass and ducks the level below.
    const double dLeak = tape::walkLeak(m_fDropoutRate);
    m_fDropoutSmoothedL = m_DropoutSmootherL.filterSample(tape::walkStep(m_fDropoutWalkL, nDropoutL, dLeak));
    if (bSeparate)
        m_fDropoutSmoothedR = m_DropoutSmootherR.filterSample(tape::walkStep(m_fDropoutWalkR, nDropoutR, dLeak));
    const float fPoleL = dropoutPoleFor(m_fDropoutSmoothedL, m_fDropoutScale, m_fDropoutCutoffL_Hz, m_DropoutFilterL);
    float fPoleR = fPoleL;
    if (bSeparate)
        fPoleR = dropoutPoleFor(m_fDropoutSmoothedR, m_fDropoutScale, m_fDropoutCutoffR_Hz, m_DropoutFilterR);
    else
        m_fDropoutCutoffR_Hz = m_fDropoutCutoffL_Hz;
    tape::designDropoutFromPole(m_DropoutFilterL, fPoleL);
    tape::designDropoutFromPole(m_DropoutFilterR, fPoleR);

    // Dropout filter, age low-pass (with a tape type only) and saturation, per channel.
    const bool bAge = tapeAge != 0 && tapeType != kTapeBypass;
    const tape::SSaturationCurve curve{m_fSatA3, m_fSatA2, m_fSatA1, m_fSatA0};
    auto shape = [&](float y, CBiQuad& dropout, CBiQuad& age) {
        y = dropout.filterFirstOrder(y);
        if (bAge)
            y = age.filterSample(y);
        return tape::saturate(y, m_fSatDrive, curve);
    };
    const float sL = shape(yL, m_DropoutFilterL, m_AgeFilterL);
    const float sR = bStereoChain ? shape(yR, m_DropoutFilterR, m_AgeFilterR) : sL;  // mono in: the left signal

    // Dropout ducking, hiss (not ducked) and output gain, then the output meter.
    double dDuckL = 1.0, dDuckR = 1.0;
    tape::dropoutDucks(m_fDropoutScale, m_fDropoutSmoothedL, m_fDropoutSmoothedR, bSeparate, dDuckL, dDuckR);
    outL = tape::outputSample(dDuckL, sL, tape::hissSample(nHissL, m_fHissGain, m_HissFilter, m_fHissShelfMix), m_fOutGain);
    if (bTwoOut)
        outR = tape::outputSample(dDuckR, sR, tape::hissSample(nHissR, m_fHissGain, m_HissFilter, m_fHissShelfMix),
                                  m_fOutGain);
    meterR = uOutChannels == 1 ? std::fabs(outL) : tape::meterOf(outL, outR);
    m_fMeterPeakR = std::max(m_fMeterPeakR, meterR);
}

float CModDelayModule::dropoutPoleFor(float fSmoothed, float fDropoutScale, float& fDesigned_Hz,
                                      const CBiQuad& filter) const
{
    const float fCutoff_Hz = tape::dropoutCutoff(fSmoothed, fDropoutScale);
    if (fCutoff_Hz == fDesigned_Hz)
        return -filter.m_fB1;  // at rest (20 kHz) nearly always: no design
    fDesigned_Hz = fCutoff_Hz;
    return tape::dropoutPole(fCutoff_Hz, m_nSampleRate);
}

void CModDelayModule::companderFrame(float& xL, float& xR)
{
    m_fNRInputL = xL;
    m_fNRInputR = xR;
    // Split each channel at the crossover; the high band is inverted before measuring and summing.
    m_fNRLowL = m_NRLowL.filterSample(xL * m_fNRLowInGain);
    m_fNRHighL = -m_NRHighL.filterSample(xL * m_fNRHighInGain);
    m_fNRLowR = m_NRLowR.filterSample(xR * m_fNRLowInGain);
    m_fNRHighR = -m_NRHighR.filterSample(xR * m_fNRHighInGain);
    // The left channel's bands set the gains of both: the compander is stereo-linked.
    m_fNREnvLow = m_NRFollowerLow.follow(m_fNRLowL);
    m_fNREnvHigh = m_NRFollowerHigh.follow(m_fNRHighL);
    const tape::SCompanderBand low = tape::companderBand(m_fNRLowThreshold_dB, m_fNRLowRatio, m_fNRLowKnee_dB);
    const tape::SCompanderBand high = tape::companderBand(m_fNRHighThreshold_dB, m_fNRHighRatio, m_fNRHighKnee_dB);
    m_fNRGainLow = tape::companderGainOfEnvelope(tape::splatV4(m_fNREnvLow), low)[0];
    m_fNRGainHigh = tape::companderGainOfEnvelope(tape::splatV4(m_fNREnvHigh), high)[0];
    xL = tape::companderMix(m_fNRGainLow, m_fNRLowL, m_fNRLowOutGain, m_fNRGainHigh, m_fNRHighL, m_fNRHighOutGain);
    xR = tape::companderMix(m_fNRGainLow, m_fNRLowR, m_fNRLowOutGain, m_fNRGainHigh, m_fNRHighR, m_fNRHighOutGain);
}

float CModDelayModule::computeCompanderGain(float x, float T, float R, float W)
{
    return tape::companderGainV(tape::splatV4(x), tape::companderBand(T, R, W))[0];
}
