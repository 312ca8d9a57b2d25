#pragma once
// One plug-in instance as the host runs it: the parameter object from factory 0 (and the
// editor object from factory 1), initialised through a gateway to this instance's controller,
// automation delegate and transport; the algorithm context laid out from the recorded
// component fields; state save and restore; and the render call.
//
// Threading: Create/Destroy/state/GUI on the host's main thread; Render on the host's audio
// thread (one at a time); the automation delegate answers on its parameter thread when
// started. Before each render the latest packet posted to each data port is copied into the
// context, so a batch number posted by GenerateCoefficients reaches the next render.

#include "AAX_IACFEffectGUI.h"
#include "AAX_IACFEffectParameters.h"
#include "CHostAutomationDelegate.h"
#include "CHostController.h"
#include "CHostDescriptionRecord.h"
#include "CHostInstanceGateway.h"
#include "CHostMidiNode.h"
#include "CHostTransport.h"
#include "CHostViewContainer.h"

#include <cstdint>
#include <vector>

class CHostInstance {
public:
    static constexpr AAX_CProcPtrID kParametersFactoryID = 0;
    static constexpr AAX_CProcPtrID kGUIFactoryID = 1;

    // The effect record must outlive the instance (it belongs to the loaded module).
    CHostInstance(const SHostEffect& effect, size_t nComponent, float sampleRate, int32_t nMaxFrames);
    ~CHostInstance();
    CHostInstance(const CHostInstance&) = delete;
    CHostInstance& operator=(const CHostInstance&) = delete;

    // Factory 0, Initialize, then ResetFieldData for every private-data field.
    AAX_Result Create();
    // Factory 1 and its Initialize; needs Create first.
    AAX_Result CreateGUI();
    // Hands the editor a view container on the given native window; 0 withdraws it.
    AAX_Result SetView(unsigned long nWindowID);
    // Closes the view, uninitialises and releases the editor and the parameter object.
    void Destroy();

    AAX_IACFEffectParameters_V4* Parameters() const { return m_pParameters; }
    AAX_IACFEffectGUI* GUI() const { return m_pGUI; }
    CHostController& Controller() { return *m_pController; }
    CHostAutomationDelegate& Automation() { return *m_pAutomation; }
    CHostTransport& Transport() { return *m_pTransport; }
    CHostMidiNode& MidiInput() { return m_MidiInput; }
    CHostViewContainer* View() const { return m_pView.get(); }

    // The state chunk as a whole record (header and data); empty on failure.
    std::vector<unsigned char> SaveState(AAX_CTypeID chunkID, AAX_Result* outResult = nullptr) const;
    AAX_Result RestoreState(AAX_CTypeID chunkID, const std::vector<unsigned char>& record);

    // Reports other stem formats to the module (a layout it does not offer, for instance) and
    // sizes the channel pointer arrays to match. Main thread, between renders.
    void SetStemFormats(int32_t inputStem, int32_t outputStem);
    int32_t InputChannels() const { return m_nInputChannels; }
    int32_t OutputChannels() const { return m_nOutputChannels; }
    // Runs the render procedure once over nFrames (at most the maximum) of every channel.
    AAX_Result Render(const float* const* ppInput, float* const* ppOutput, int32_t nFrames);
    // The meter taps the render raised (read between renders); the host decays them
    // (factor 0 clears).
    float MeterTap(size_t index) const { return index < m_MeterTaps.size() ? m_MeterTaps[index] : 0.0f; }
    void DecayMeters(float factor);

private:
    const SHostEffect& m_rEffect;
    const SHostComponent& m_rComponent;
    int32_t m_nMaxFrames;
    int32_t m_nInputChannels = 0;
    int32_t m_nOutputChannels = 0;
    CHostPtr<CHostController> m_pController;
    CHostPtr<CHostAutomationDelegate> m_pAutomation;
    CHostPtr<CHostTransport> m_pTransport;
    CHostPtr<CHostInstanceGateway> m_pGateway;
    CHostPtr<CHostViewContainer> m_pView;
    IACFUnknown* m_pParametersObject = nullptr;        // the factory's object, one reference
    AAX_IACFEffectParameters_V4* m_pParameters = nullptr;  // one reference
    IACFUnknown* m_pGUIObject = nullptr;
    AAX_IACFEffectGUI* m_pGUI = nullptr;

    // The algorithm context and what its fields point at.
    std::vector<void*> m_Context;
    std::vector<float*> m_InputPointers;
    std::vector<float*> m_OutputPointers;
    int32_t m_nFrames = 0;
    std::vector<float> m_MeterTaps;
    CHostMidiNode m_MidiInput;
    CHostMidiNode m_TransportNode;
    struct SBlock {
        AAX_CFieldIndex m_nField;
        std::vector<uint64_t> m_Storage;  // 8-byte aligned
        uint32_t m_nBytes;
    };
    std::vector<SBlock> m_PrivateBlocks;
    std::vector<SBlock> m_Ports;
};
