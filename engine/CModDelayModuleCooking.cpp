// Preparation for a sample rate and cooking of control values into the derived values the
// per-frame chain reads.
#include "CModDelayModule.h"
#include "TapeFilterDesign.h"

#include <cmath>

namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kDropoutSmootherOmega = 471.23889803846896;  // pi * 150 Hz
constexpr double kCrossoverOmega = 15707.963267948966;        // pi * 5 kHz

// 10^(dB / 20): exponent in single precision, power in double.
inline float dbToGain(float fDb) { return tape::pow10Narrow(fDb * 0.05f); }
}  // namespace

bool CModDelayModule::resetForSampleRate()
{
    // Both oscillators run at the engine's rate, so 1 Hz is 1 Hz at every rate.
    m_WowLFO.m_nSampleRate = m_nSampleRate;
    m_FlutterLFO.m_nSampleRate = m_nSampleRate;

    m_WowLFO.resetForSampleRate();
    m_WowDelayL.m_nSampleRate = m_nSampleRate;
    m_WowDelayL.resetForSampleRate();

    m_WowLFO.m_uPolarity = 1;  // unipolar: the delay only ever grows from its minimum
    m_WowLFO.m_uTableMode = 0;
    m_WowLFO.m_fPhaseIndex = 0.0f;
    m_WowLFO.m_fQuadPhaseIndex = 256.0f;
    m_fModDelayMin_ms = 0.0f;
    m_fModDelayMax_ms = 7.0f;
    m_WowDelayL.m_fWetLevel_pct = 100.0f;
    m_WowDelayL.m_fFeedback_pct = 0.0f;
    m_WowLFO.resetForSampleRate();

    m_FlutterDelayL.m_nSampleRate = m_nSampleRate;
    m_FlutterDelayL.resetForSampleRate();
    m_FlutterLFO.m_uPolarity = 1;
    m_FlutterLFO.m_uTableMode = 0;
    m_FlutterLFO.m_fPhaseIndex = 0.0f;
    m_FlutterLFO.m_fQuadPhaseIndex = 256.0f;
    m_FlutterDelayL.m_fWetLevel_pct = 100.0f;
    m_FlutterDelayL.m_fFeedback_pct = 0.0f;
    m_FlutterLFO.resetForSampleRate();

    for (CDDLModule* p : {&m_WowDelayR, &m_FlutterDelayR}) {
        p->m_nSampleRate = m_nSampleRate;
        p->resetForSampleRate();
        p->m_fWetLevel_pct = 100.0f;
        p->m_fFeedback_pct = 0.0f;
    }

    cookOscillators();
    for (CDDLModule* p : {&m_WowDelayL, &m_FlutterDelayL, &m_WowDelayR, &m_FlutterDelayR})
        p->updateDelayParameters();

    m_fHissGain = dbToGain(m_fTapeHiss);
    m_fDropoutScale = dropoutScaleFor(m_fDropoutAmt);
    m_fSatDrive = satDriveFor(m_fAgeDrive);

    m_WowLFO.m_bPlaying = true;
    m_FlutterLFO.m_bPlaying = true;

    tape::designHissShelf(m_HissFilter, m_nSampleRate, m_fHissShelfFactor);

    for (float& f : m_fFIRLineL)
        f = 0.0f;
    for (float& f : m_fFIRLineR)
        f = 0.0f;

    switch (m_nSampleRate) {
    case 48000: m_nSampleRateIndex = 1; break;
    case 88200: m_nSampleRateIndex = 2; break;
    case 96000: m_nSampleRateIndex = 3; break;
    case 176400: m_nSampleRateIndex = 4; break;
    case 192000: m_nSampleRateIndex = 5; break;
    default: m_nSampleRateIndex = 0; break;  // 44.1 kHz and every unsupported rate
    }

    m_fDropoutWalkL = m_fDropoutWalkR = 0.0f;
    tape::designSecondOrderLowPass(m_DropoutSmootherL, kDropoutSmootherOmega, m_nSampleRate);
    m_DropoutSmootherR.copyCoefficients(m_DropoutSmootherL);

    meterL = meterR = 0.0f;

    const auto fRate = static_cast<float>(m_nSampleRate);
    m_NRFollowerLow.setup(fRate, m_fNRLowAttack_ms, m_fNRLowRelease_ms, false, CEnvelopeFollower::kRms, false);
    m_NRFollowerHigh.setup(fRate, m_fNRHighAttack_ms, m_fNRHighRelease_ms, false, CEnvelopeFollower::kRms, false);
    m_NRFollowerLow.clear();
    m_NRFollowerHigh.clear();

    tape::designSecondOrderLowPass(m_NRLowL, kCrossoverOmega, m_nSampleRate);
    m_NRLowR.copyCoefficients(m_NRLowL);
    tape::designSecondOrderHighPass(m_NRHighL, kCrossoverOmega, m_nSampleRate);
    m_NRHighR.copyCoefficients(m_NRHighL);

    m_HissFilter.clearState();
    m_DropoutSmootherL.clearState();
    m_DropoutSmootherR.clearState();

    tape::designSecondOrderLowPass(m_AgeFilterL, kPi * m_fAgeCutoff_Hz, m_nSampleRate);
    m_AgeFilterR.copyCoefficients(m_AgeFilterL);
    m_fAgeDesignedCutoff_Hz = m_fAgeCutoff_Hz;
    m_nAgeDesignedRate = m_nSampleRate;
    m_AgeFilterL.clearState();
    m_AgeFilterR.clearState();

    m_DropoutFilterL.clearState();
    m_DropoutFilterR.clearState();
    m_fDropoutCutoffL_Hz = m_fDropoutCutoffR_Hz = -1.0f;  // designed at the first frame
    for (CBiQuad* p : {&m_NRLowL, &m_NRLowR, &m_NRHighL, &m_NRHighR})
        p->clearState();
    m_fNRInputL = m_fNRInputR = 0.0f;

    return CPlugIn::resetForSampleRate();
}

bool CModDelayModule::controlChanged(int32_t nControlId)
{
    // Cooking computes only what the changed control feeds; every derived value comes out
    // exactly as a full recomputation would give it.
    switch (nControlId) {
    case kWowDepth:
    case kFlutterDepth:
    case kDropoutIntensity:
    case kIdNrComp:
    case kIdMsDrop:
        break;  // read directly by the chain
    case kWowRate:
        if (m_bCookingDeferred)
            break;  // captureRun works out the run's steps at once
        [[fallthrough]];
    case kIdWowLfo:
        m_WowLFO.m_fFrequency_Hz = m_fWowFrequency_Hz;
        m_WowLFO.m_uOscType = m_uWowLFOType;
        m_WowLFO.updatePhaseStep();
        break;
    case kFlutterRate:
        if (m_bCookingDeferred)
            break;
        [[fallthrough]];
    case kIdFlutterLfo:
        m_FlutterLFO.m_fFrequency_Hz = m_fFlutterFrequency_Hz;
        m_FlutterLFO.m_uOscType = m_uFlutLFOType;
        m_FlutterLFO.updatePhaseStep();
        break;
    case kTapeHiss:
        if (!m_bCookingDeferred)  // else captureRun works out the run's gains at once
            m_fHissGain = dbToGain(m_fTapeHiss);
        break;
    case kDropoutAmount:
        m_fDropoutScale = dropoutScaleFor(m_fDropoutAmt);
        break;
    case kIdSaturation:
    case kIdTapeType:
    case kIdAge:
        cookTapeTypeAndAge();
        break;
    case kInput:
        if (!m_bCookingDeferred)
            m_fInGain = dbToGain(inGainDB);
        break;
    case kOutput:
        if (!m_bCookingDeferred)
            m_fOutGain = dbToGain(outGainDB);
        break;
    case 50:
    case 51:
    case 52:
        break;  // the editor's assign buttons: nothing in the tape effect listens
    default:
        cookOscillators();
        cookLevels();
        break;
    }
    return true;
}

void CModDelayModule::cookTapeTypeAndAge()
{
    switch (tapeType) {
    case kTapeI: m_nTapeTypeIndex = 0; m_fTapeCutoff_Hz = 10000.0f; break;
    case kTapeII: m_nTapeTypeIndex = 1; m_fTapeCutoff_Hz = 15000.0f; break;
    case kTapeIV: m_nTapeTypeIndex = 2; m_fTapeCutoff_Hz = 17000.0f; break;
    default: break;  // BYPASS keeps the last type's cutoff for the age stage
    }

    const double dTape = m_fTapeCutoff_Hz;
    switch (tapeAge) {
    case 0: break;  // cutoff unchanged
    case 1: m_fAgeCutoff_Hz = static_cast<float>(dTape - 2000.0); break;
    case 2: m_fAgeCutoff_Hz = static_cast<float>(dTape - 3000.0); break;
    case 3: m_fAgeCutoff_Hz = static_cast<float>(dTape - 4500.0); break;
    case 4: m_fAgeCutoff_Hz = static_cast<float>(dTape - 6000.0); break;
    default: break;
    }
    m_fAgeDrive = ageDriveFor(m_fDriveCont, tapeAge, m_fAgeDrive);
    m_fSatDrive = satDriveFor(m_fAgeDrive);

    // Coefficients only: the filters' state carries on. A drive change leaves the cutoff
    // alone, and the same cutoff designs the same coefficients.
    if (m_fAgeCutoff_Hz == m_fAgeDesignedCutoff_Hz && m_nSampleRate == m_nAgeDesignedRate)
        return;
    tape::designSecondOrderLowPass(m_AgeFilterL, kPi * m_fAgeCutoff_Hz, m_nSampleRate);
    m_AgeFilterR.copyCoefficients(m_AgeFilterL);
    m_fAgeDesignedCutoff_Hz = m_fAgeCutoff_Hz;
    m_nAgeDesignedRate = m_nSampleRate;
}

float CModDelayModule::ageDriveFor(float fDriveCont, uint32_t uAge, float fAgeDrive)
{
    const double dDrive = fDriveCont;
    switch (uAge) {
    case 0: return fDriveCont;
    case 1: return static_cast<float>(dDrive * 0.98 + 0.2);
    case 2: return static_cast<float>(dDrive * 0.93 + 0.7);
    case 3: return static_cast<float>(dDrive * 0.85 + 1.5);
    case 4: return static_cast<float>(dDrive * 0.7 + 3.0);
    default: return fAgeDrive;
    }
}

void CModDelayModule::cookOscillators()
{
    m_WowLFO.m_fFrequency_Hz = m_fWowFrequency_Hz;
    m_WowLFO.m_uOscType = m_uWowLFOType;
    m_WowLFO.updatePhaseStep();
    m_FlutterLFO.m_fFrequency_Hz = m_fFlutterFrequency_Hz;
    m_FlutterLFO.m_uOscType = m_uFlutLFOType;
    m_FlutterLFO.updatePhaseStep();
}

void CModDelayModule::cookLevels()
{
    for (CDDLModule* p : {&m_WowDelayL, &m_FlutterDelayL, &m_WowDelayR, &m_FlutterDelayR})
        p->updateDelayParameters();
    m_fHissGain = dbToGain(m_fTapeHiss);
    m_fInGain = dbToGain(inGainDB);
    m_fOutGain = dbToGain(outGainDB);
    m_fDropoutScale = dropoutScaleFor(m_fDropoutAmt);
}
