// Buffers through the kernel table: the readable chain frame by frame, or the run path in
// one of its builds, chosen once when the instance is made (or by selectKernels).
#include "CModDelayModule.h"

#include <algorithm>

const CModDelayModule::SKernelTable CModDelayModule::kKernelTables[3] = {
    {ETapeKernels::kScalar, &CModDelayModule::runScalar},
    {ETapeKernels::kBaseline, &CModDelayModule::runBaseline},
    {ETapeKernels::kAvx2, &CModDelayModule::runAvx2},
};

ETapeKernels CModDelayModule::selectKernels(ETapeKernels k)
{
    m_pKernels = &kKernelTables[static_cast<size_t>(tape::availableKernels(k))];
    return m_pKernels->eKind;
}

void CModDelayModule::runScalar(CModDelayModule& m, const RunIo& io, uint32_t n)
{
    for (uint32_t i = 0; i < n; ++i) {
        const float in[2] = {io.pInL[i], io.pInR[i]};  // both read before either output is written
        float out[2] = {0.0f, io.pOutR[i]};
        m.processFrame(in, out, io.uInChannels, io.uOutChannels);
        io.pOutL[i] = out[0];
        if (io.uOutChannels == 2)
            io.pOutR[i] = out[1];
    }
}

bool CModDelayModule::processFrames(const float* const* ppIn, float* const* ppOut, uint32_t uInChannels,
                                    uint32_t uOutChannels, uint32_t uFrames)
{
    if (uInChannels < 1 || uInChannels > 2 || uOutChannels < 1 || uOutChannels > 2)
        return false;
    m_fMeterPeakL = m_fMeterPeakR = 0.0f;
    const float* pInR = ppIn[uInChannels - 1];
    float* pOutR = ppOut[uOutChannels - 1];
    for (uint32_t i = 0; i < uFrames;) {
        const uint32_t n = std::min(kRunLength, uFrames - i);
        m_pKernels->pRun(*this, RunIo{ppIn[0] + i, pInR + i, ppOut[0] + i, pOutR + i, uInChannels, uOutChannels}, n);
        i += n;
    }
    return true;
}
