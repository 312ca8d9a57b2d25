#pragma once
// One running LV2 instance of the tape effect: the engine, the host's port buffers and the
// control values last handed to the engine.
//
// Ownership: owns the engine by value. Created by instantiate (allocation allowed there);
// run allocates nothing and takes no locks.
// Threading: connect and run on the host's audio thread; activate/deactivate outside it.

#include "BwLv2Ports.h"
#include "CModDelayModule.h"

#include <cstdint>

class CBwLv2Instance {
public:
    // uChannels is 1 (mono: 1 in, 1 out) or 2 (stereo: 2 in, 2 out).
    CBwLv2Instance(uint32_t uChannels, double dSampleRate);

    void connect(uint32_t uPort, void* pData);
    // Clears the signal state when the host re-activates a used instance.
    void activate();
    void run(uint32_t uFrames);

    const CModDelayModule& engine() const { return m_Engine; }

private:
    // Hands the control ports to the engine. Until audio has run since the last preparation
    // every port is applied at once, so a new or re-activated instance starts where the host
    // put it (an offline bounce's first block is at the set level); after that a port that
    // moved glides there.
    void applyControlPorts();

    CModDelayModule m_Engine;
    uint32_t m_uChannels;
    bool m_bUsed = false;  // processed audio since the last preparation

    const float* m_pControls[bwlv2::kControlPorts] = {};
    float* m_pMeterL = nullptr;
    float* m_pMeterR = nullptr;
    const float* m_pIn[2] = {nullptr, nullptr};
    float* m_pOut[2] = {nullptr, nullptr};

    // Last value given to the engine per control, and the control's range (a host may send
    // anything; the engine's ranges are what its cooking is built for).
    float m_fApplied[bwlv2::kControlPorts];
    float m_fMin[bwlv2::kControlPorts];
    float m_fMax[bwlv2::kControlPorts];
};
