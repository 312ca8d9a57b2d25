#include "CRenderCallback.h"

#include <algorithm>
#include <cstring>

CRenderCallback::CRenderCallback(CHostInstance& instance, int nMaxFrames, CLoopSource* pLoop)
    : m_rInstance(instance),
      m_nMaxFrames(nMaxFrames),
      m_pLoop(pLoop),
      m_Input(size_t(instance.InputChannels()), std::vector<float>(size_t(nMaxFrames))),
      m_Output(size_t(instance.OutputChannels()), std::vector<float>(size_t(nMaxFrames)))
{
    for (auto& c : m_Input) {
        m_InputPointers.push_back(c.data());
        m_LoopPointers.push_back(c.data());
    }
    for (auto& c : m_Output)
        m_OutputPointers.push_back(c.data());
}

void CRenderCallback::Process(const float* const* ppInput, int nInputs, float* const* ppOutput, int nOutputs,
                              int nFrames)
{
    const size_t nInstanceInputs = m_Input.size();
    for (int nDone = 0; nDone < nFrames;) {
        const int n = std::min(m_nMaxFrames, nFrames - nDone);
        if (m_pLoop) {
            m_pLoop->Read(m_LoopPointers.data(), int(nInstanceInputs), n);
        } else {
            for (size_t c = 0; c < nInstanceInputs; ++c) {
                if (int(c) < nInputs) {
                    m_InputPointers[c] = ppInput[c] + nDone;
                } else {
                    std::memset(m_LoopPointers[c], 0, size_t(n) * sizeof(float));
                    m_InputPointers[c] = m_LoopPointers[c];
                }
            }
        }
        m_rInstance.Render(m_InputPointers.data(), m_OutputPointers.data(), n);
        m_rInstance.DecayMeters(0.0f);
        for (int c = 0; c < nOutputs; ++c) {
            const std::vector<float>& from = m_Output[std::min(size_t(c), m_Output.size() - 1)];
            std::memcpy(ppOutput[c] + nDone, from.data(), size_t(n) * sizeof(float));
        }
        nDone += n;
    }
}
