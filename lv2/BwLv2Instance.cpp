#include "BwLv2Instance.h"

#include <cmath>

using namespace bwlv2;

CBwLv2Instance::CBwLv2Instance(uint32_t uChannels, double dSampleRate)
    : m_uChannels(uChannels == 1 ? 1 : 2)
{
    m_Engine.m_nSampleRate = static_cast<int32_t>(std::lround(dSampleRate));
    m_Engine.m_uInputChannels = m_Engine.m_uOutputChannels = m_uChannels;
    m_Engine.m_uChannelCount = m_uChannels;
    m_Engine.resetForSampleRate();
    for (uint32_t i = 0; i < kControlPorts; ++i) {
        const ControlRecord* pRecord = m_Engine.controlRecord(i);
        m_fApplied[i] = m_Engine.getControlValue(i);
        m_fMin[i] = pRecord ? pRecord->m_fMin : m_fApplied[i];
        m_fMax[i] = pRecord ? pRecord->m_fMax : m_fApplied[i];
    }
}

void CBwLv2Instance::connect(uint32_t uPort, void* pData)
{
    if (uPort < kControlPorts) {
        m_pControls[uPort] = static_cast<const float*>(pData);
    } else if (uPort == kMeterPortL) {
        m_pMeterL = static_cast<float*>(pData);
    } else if (uPort == kMeterPortR) {
        m_pMeterR = static_cast<float*>(pData);
    } else if (uPort < portCount(m_uChannels)) {
        const uint32_t uAudio = uPort - kFirstAudioPort;
        if (uAudio < m_uChannels)
            m_pIn[uAudio] = static_cast<const float*>(pData);
        else
            m_pOut[uAudio - m_uChannels] = static_cast<float*>(pData);
    }
}

void CBwLv2Instance::activate()
{
    // A fresh instance was prepared by instantiate; preparing it again would only repeat work.
    if (m_bUsed) {
        m_Engine.resetForSampleRate();
        m_bUsed = false;
    }
}

void CBwLv2Instance::applyControlPorts()
{
    const bool bStart = !m_bUsed;
    for (uint32_t i = 0; i < kControlPorts; ++i) {
        if (!m_pControls[i])
            continue;
        float v = *m_pControls[i];
        if (std::isnan(v))
            continue;
        v = std::fmin(std::fmax(v, m_fMin[i]), m_fMax[i]);
        if (bStart || v != m_fApplied[i]) {
            // Through the engine's own path, so cooking follows as for any change.
            m_Engine.setControlValue(i, v, bStart);
            m_fApplied[i] = v;
        }
    }
}

void CBwLv2Instance::run(uint32_t uFrames)
{
    applyControlPorts();
    for (uint32_t c = 0; c < m_uChannels; ++c)
        if (!m_pIn[c] || !m_pOut[c])
            return;

    // Hosts may hand the same buffer as input and output: the engine reads a run before writing it.
    const float* ins[2] = {m_pIn[0], m_pIn[m_uChannels - 1]};
    float* outs[2] = {m_pOut[0], m_pOut[m_uChannels - 1]};
    m_Engine.processFrames(ins, outs, m_uChannels, m_uChannels, uFrames);
    const float fPeakIn = m_Engine.m_fMeterPeakL;  // 0 for an empty block
    const float fPeakOut = m_Engine.m_fMeterPeakR;
    if (uFrames > 0)
        m_bUsed = true;
    // A meter port shows the block's peak: a host reads it once per block.
    if (m_pMeterL)
        *m_pMeterL = fPeakIn;
    if (m_pMeterR)
        *m_pMeterR = fPeakOut;
}
