#pragma once
// The audio callback of edit: takes the instance's input from the looped file or, live, from
// the device's capture, renders the instance and writes every device output (a mono
// instance feeds both). Buffers longer than the instance's maximum are rendered in pieces.
//
// Threading: Process on the device's audio thread only; it allocates nothing and takes no
// lock of its own (the instance's render is the module's render procedure).

#include "CAudioDevice.h"
#include "CHostInstance.h"
#include "CLoopSource.h"

#include <vector>

class CRenderCallback : public CAudioCallback {
public:
    // pLoop null: live input from the capture (missing capture channels are silence).
    // Instance and loop must outlive the callback.
    CRenderCallback(CHostInstance& instance, int nMaxFrames, CLoopSource* pLoop);

    void Process(const float* const* ppInput, int nInputs, float* const* ppOutput, int nOutputs,
                 int nFrames) override;

private:
    CHostInstance& m_rInstance;
    int m_nMaxFrames;
    CLoopSource* m_pLoop;
    std::vector<std::vector<float>> m_Input, m_Output;  // the instance's channels, m_nMaxFrames each
    std::vector<const float*> m_InputPointers;
    std::vector<float*> m_LoopPointers, m_OutputPointers;
};
