#pragma once
// The tape effect: input gain, optional noise-reduction compander, tape-formulation FIR
// equaliser, wow and flutter (oscillator-modulated delays), random dropouts that filter and
// duck, an age low-pass, a polynomial saturation curve, shaped hiss, output gain and meters.
//
// Controls (index: id): 0-9 the ten knobs (ids = indices), 10 Wow LFO (42), 11 Tape Type (41),
// 12 Flutter LFO (43), 13 Age (44), 14 NR Comp (45), 15 Mono/Stereo Dropouts (46), meters
// 16 "L" (50) and 17 "R" (51). Ids and indices differ for the switches: do not mix them.
//
// Ownership: owns its DSP blocks by value; only resetForSampleRate allocates (delay buffers).
// Threading: processFrame and host control changes on the audio thread between frames;
// resetForSampleRate during preparation; the editor may call controlChanged(50..52) from its
// own thread, which changes nothing here.

#include "CBiQuad.h"
#include "CDDLModule.h"
#include "CEnvelopeFollower.h"
#include "CPlugIn.h"
#include "CWTOscillator.h"
#include "TapeEqTables.h"
#include "TapeKernels.h"
#include "TapePresets.h"

class CModDelayModule : public CPlugIn {
public:
    // Control indices, in list order.
    enum ControlIndex : uint32_t {
        kWowDepth, kWowRate, kFlutterDepth, kFlutterRate, kTapeHiss, kDropoutAmount,
        kSaturation, kDropoutIntensity, kInput, kOutput, kWowLfo, kTapeType, kFlutterLfo,
        kAge, kNrComp, kMonoStereoDropouts, kMeterL, kMeterR, kControlCountTotal
    };
    static constexpr uint32_t kKnobCount = kWowLfo;  // the smoothed knobs come first
    // Control ids of the switches and meters (knob ids equal their indices).
    enum ControlId : int32_t {
        kIdSaturation = 6, kIdTapeType = 41, kIdWowLfo = 42, kIdFlutterLfo = 43, kIdAge = 44,
        kIdNrComp = 45, kIdMsDrop = 46, kIdMeterL = 50, kIdMeterR = 51,
        kIdJoystickX = 32773, kIdJoystickY = 32774,
    };
    enum TapeTypeValue : uint32_t { kTapeI = 0, kTapeII = 1, kTapeIV = 2, kTapeBypass = 3 };

    CModDelayModule();
    ~CModDelayModule() override = default;

    // Also picks the kernels (BW_ENGINE_KERNELS, see TapeKernels.h).
    bool resetForSampleRate() override;
    // One frame through the readable chain (the reference every fast path is held to).
    bool processFrame(const float* pIn, float* pOut, uint32_t uInChannels, uint32_t uOutChannels) override;
    // Frames through the chosen kernels: the run path takes runs of up to kRunLength, with
    // output identical to one processFrame per frame. 1 or 2 channels each way; buffers may be
    // shared. Afterwards m_fMeterPeakL/R hold the largest meterL/meterR of these frames.
    bool processFrames(const float* const* ppIn, float* const* ppOut, uint32_t uInChannels, uint32_t uOutChannels,
                       uint32_t uFrames) override;
    static constexpr uint32_t kRunLength = 128;
    bool processChannelBuffers(float** ppIn, float** ppOut, uint32_t uChannels, uint32_t uFrames) override;
    bool processBlock(const float* pIn, float* pOut, uint32_t, uint32_t, uint32_t uSampleCount) override;
    bool controlChanged(int32_t nControlId) override;
    bool buildControls() override;

    // Sets every control of preset slot k (0..15) through setControlValue. Out of range: no-op.
    void applyPreset(int nSlot);

    // Selects the kernels processFrames uses (k, or the best available when the processor
    // lacks it) and returns the choice. Not while processing.
    ETapeKernels selectKernels(ETapeKernels k);
    ETapeKernels kernels() const { return m_pKernels->eKind; }

    // One frame of the two-band compander of the noise-reduction switch; replaces the samples.
    void companderFrame(float& xL, float& xR);
    static float computeCompanderGain(float fLevel_dB, float fThreshold_dB, float fRatio, float fKnee_dB);

    // Bound control variables, in control index order.
    float m_fWowDepth_pct = 0.0f;
    float m_fWowFrequency_Hz = 0.18f;
    float m_fFlutterDepth_pct = 0.0f;
    float m_fFlutterFrequency_Hz = 5.0f;
    float m_fTapeHiss = -42.0f;  // dB
    float m_fDropoutAmt = 0.0f;
    float m_fDriveCont = 1.0f;
    float m_fDropoutRate = 0.0f;
    float inGainDB = 0.0f;
    float outGainDB = 0.0f;
    uint32_t m_uWowLFOType = 0;
    uint32_t tapeType = 0;
    uint32_t m_uFlutLFOType = 0;
    uint32_t tapeAge = 0;
    uint32_t nrComp = 0;
    uint32_t msDrop = 0;
    float meterL = 0.0f;
    float meterR = 0.0f;
    float m_fMeterPeakL = 0.0f, m_fMeterPeakR = 0.0f;

    // Derived by cooking and preparation.
    float m_fInGain = 1.0f, m_fOutGain = 1.0f;
    CWTOscillator m_WowLFO;  // constructed before the flutter oscillator: its noise table draws first
    CWTOscillator m_FlutterLFO;
    CDDLModule m_WowDelayL, m_WowDelayR, m_FlutterDelayL, m_FlutterDelayR;
    float m_fModDelayMin_ms = 0.0f, m_fModDelayMax_ms = 7.0f;
    float m_fFIRCoeffs[kTapeEqTableCount][kTapeEqRowLength];
    int32_t m_nFIRLength[kTapeEqRateCount];
    // Equaliser input, newest first: between runs the N latest samples; a run puts its frames
    // in front of them. Room for the four-tap stride's overrun (always finite values).
    float m_fFIRLineL[kRunLength + kTapeEqRowLength + 4] = {};
    float m_fFIRLineR[kRunLength + kTapeEqRowLength + 4] = {};
    // Each table reversed (entry k weights the sample k frames old) and zero-padded.
    float m_fFIRReversed[kTapeEqTableCount][kTapeEqRowLength + 4] = {};
    int32_t m_nSampleRateIndex = 0;
    int32_t m_nTapeTypeIndex = 0;
    CBiQuad m_HissFilter;
    float m_fHissGain = 0.0f;
    float m_fHissShelfMix = 9.0f;
    float m_fHissShelfFactor = 0.36363637f;  // 4/11
    float m_fDropoutWalkL = 0.0f, m_fDropoutWalkR = 0.0f;
    CBiQuad m_DropoutSmootherL, m_DropoutSmootherR;
    float m_fDropoutSmoothedL = 0.0f, m_fDropoutSmoothedR = 0.0f;
    float m_fDropoutScale = 0.0f;
    CBiQuad m_DropoutFilterL, m_DropoutFilterR;
    CBiQuad m_AgeFilterL, m_AgeFilterR;
    float m_fSatA3 = -0.533f, m_fSatA2 = 0.01503f, m_fSatA1 = 1.446f, m_fSatA0 = -0.00229f;
    float m_fSatDrive = 1.0f;
    float m_fTapeCutoff_Hz = 10000.0f;
    float m_fAgeCutoff_Hz = 5000.0f;
    float m_fAgeDrive = 1.0f;

    // Noise-reduction compander.
    CBiQuad m_NRLowL, m_NRLowR, m_NRHighL, m_NRHighR;
    CEnvelopeFollower m_NRFollowerLow, m_NRFollowerHigh;
    float m_fNRLowRatio = 1.5f, m_fNRHighRatio = 1.5f;
    float m_fNRLowThreshold_dB = -18.0f, m_fNRHighThreshold_dB = -18.0f;
    float m_fNRLowKnee_dB = 2.0f, m_fNRHighKnee_dB = 2.0f;
    float m_fNRLowAttack_ms = 20.0f, m_fNRLowRelease_ms = 40.0f;
    float m_fNRHighAttack_ms = 20.0f, m_fNRHighRelease_ms = 200.0f;
    float m_fNRLowInGain = 1.0f, m_fNRHighInGain = 1.0f;
    float m_fNRLowOutGain = 0.70794576f;  // 10^(-0.15)
    float m_fNRHighOutGain = 1.0f;
    float m_fNRGainLow = 1.0f, m_fNRGainHigh = 1.0f;
    float m_fNRLowL = 0.0f, m_fNRHighL = 0.0f, m_fNRLowR = 0.0f, m_fNRHighR = 0.0f;
    float m_fNREnvLow = 0.0f, m_fNREnvHigh = 0.0f;
    float m_fNRInputL = 0.0f, m_fNRInputR = 0.0f;  // the two input values the compander holds

private:
    void cookTapeTypeAndAge();
    // Pure parts of cooking, which a gliding run applies frame by frame. The age stage's
    // drive for the Saturation knob (fAgeDrive is kept for an age out of range):
    static float ageDriveFor(float fDriveCont, uint32_t uAge, float fAgeDrive);
    // Two straight lines that meet at 2.0 for a drive of 5.
    static float satDriveFor(float fAgeDrive)
    {
        return fAgeDrive > 5.0f ? static_cast<float>(fAgeDrive * 1.2 - 4.0) : static_cast<float>(fAgeDrive * 0.25 + 0.75);
    }
    static float dropoutScaleFor(float fDropoutAmt) { return static_cast<float>(static_cast<double>(fDropoutAmt) * 0.0025); }
    void cookOscillators();
    void cookLevels();
    // The readable chain: one frame, in signal order (CModDelayModuleChain.cpp).
    void chainFrame(float inL, float inR, float& outL, float& outR, uint32_t uInChannels, uint32_t uOutChannels);
    // A dropout filter's pole for this frame from its smoothed walk: the filter's own pole
    // while the cutoff stays where it was designed, else designed anew.
    float dropoutPoleFor(float fSmoothed, float fDropoutScale, float& fDesigned_Hz, const CBiQuad& filter) const;

    // The run path (CModDelayModuleRun.cpp). Buffers of a run.
    struct RunIo {
        const float* pInL;
        const float* pInR;
        float* pOutL;
        float* pOutR;
        uint32_t uInChannels, uOutChannels;
    };
    // The values gliding knobs move, frame by frame through a run (cooked after each frame's
    // smoothing step, as the chain of that frame sees them).
    struct RunControls {
        float fInGain[kRunLength], fOutGain[kRunLength], fHissGain[kRunLength], fSatDrive[kRunLength];
        float fWowScale[kRunLength], fFlutterScale[kRunLength], fWowStep[kRunLength], fFlutterStep[kRunLength];
        float fDropoutScale[kRunLength];
        double dLeak[kRunLength];
    };
    // A run's band signals and envelopes (room for the last group of eight lanes).
    struct CompanderRun {
        float lowL[kRunLength + 8], highL[kRunLength + 8], lowR[kRunLength + 8], highR[kRunLength + 8];
        float envLow[kRunLength + 8], envHigh[kRunLength + 8];
    };
    void captureControls(RunControls& c, uint32_t i) const;
    // Takes each frame's smoothing step and captures what it moved (one capture at rest).
    // While controls glide, the three gains and two oscillator steps are not cooked frame by
    // frame but for the whole run at once, to the very same values.
    TAPE_LANES_INLINE void captureRun(RunControls& c, uint32_t n);
    bool m_bCookingDeferred = false;
    // n frames (1..kRunLength) of the chain, stage by stage; built once per instruction set.
    TAPE_LANES_INLINE void runStages(const RunIo& io, uint32_t n, const RunControls& c);
    // Gains from the run's envelopes, then the bands summed back into the channels.
    TAPE_LANES_INLINE void mixCompander(float* pL, float* pR, uint32_t n, CompanderRun& run);
    // One dropout filter's pole for each frame of a run (see dropoutPoleFor).
    TAPE_LANES_INLINE void dropoutPoles(const float* pSmoothed, const float* pScale, uint32_t n, float& fDesigned_Hz,
                                        const CBiQuad& filter, float* pPole) const;

    // The kernel table: one entry per build, each rendering n frames (1..kRunLength).
    struct SKernelTable {
        ETapeKernels eKind;
        void (*pRun)(CModDelayModule& m, const RunIo& io, uint32_t n);
    };
    static void runScalar(CModDelayModule& m, const RunIo& io, uint32_t n);
    static void runBaseline(CModDelayModule& m, const RunIo& io, uint32_t n);
    static void runAvx2(CModDelayModule& m, const RunIo& io, uint32_t n);
    static const SKernelTable kKernelTables[3];
    const SKernelTable* m_pKernels = &kKernelTables[0];

    // Last cutoff each dropout filter was designed for: at rest it stays at 20 kHz, and the
    // design is then skipped with identical coefficients.
    float m_fDropoutCutoffL_Hz = -1.0f, m_fDropoutCutoffR_Hz = -1.0f;
    // What the age filters were last designed for.
    float m_fAgeDesignedCutoff_Hz = -1.0f;
    int32_t m_nAgeDesignedRate = 0;
};
