#include "CHostInstance.h"

#include <algorithm>
#include <cstring>

namespace {

int32_t StemProperty(const SHostComponent& component, int32_t property)
{
    for (const SHostProperties& map : component.m_PropertyMaps)
        if (auto it = map.find(property); it != map.end())
            return it->second;
    for (const SHostProcessProc& proc : component.m_ProcessProcs)
        if (auto it = proc.m_Properties.find(property); it != proc.m_Properties.end())
            return it->second;
    return AAX_eStemFormat_None;
}

}  // namespace

CHostInstance::CHostInstance(const SHostEffect& effect, size_t nComponent, float sampleRate, int32_t nMaxFrames)
    : m_rEffect(effect),
      m_rComponent(effect.m_Components.at(nComponent)),
      m_nMaxFrames(nMaxFrames),
      m_pAutomation(MakeHostObject<CHostAutomationDelegate>()),
      m_pTransport(MakeHostObject<CHostTransport>()),
      m_TransportNode(m_pTransport.get())
{
    const int32_t inStem = StemProperty(m_rComponent, AAX_eProperty_InputStemFormat);
    const int32_t outStem = StemProperty(m_rComponent, AAX_eProperty_OutputStemFormat);
    m_pController = MakeHostObject<CHostController>(sampleRate, inStem);
    m_pController->SetStemFormats(inStem, outStem);
    m_pController->SetEffectID(effect.m_ID);
    m_nInputChannels = inStem == AAX_eStemFormat_None ? 0 : AAX_StemFormatChannelCount(inStem);
    m_nOutputChannels = outStem == AAX_eStemFormat_None ? 0 : AAX_StemFormatChannelCount(outStem);
    m_pGateway = MakeHostObject<CHostInstanceGateway>(m_pController.get(), m_pAutomation.get(), m_pTransport.get());

    AAX_CFieldIndex nMaxField = -1;
    for (const SHostField& field : m_rComponent.m_Fields)
        nMaxField = std::max(nMaxField, field.m_nIndex);
    m_Context.assign(size_t(nMaxField + 1), nullptr);
    m_InputPointers.assign(size_t(m_nInputChannels), nullptr);
    m_OutputPointers.assign(size_t(m_nOutputChannels), nullptr);
    for (const SHostField& field : m_rComponent.m_Fields) {
        if (field.m_nIndex < 0)
            continue;
        void*& slot = m_Context[size_t(field.m_nIndex)];
        switch (field.m_eKind) {
        case SHostField::kAudioIn: slot = m_InputPointers.data(); break;
        case SHostField::kAudioOut: slot = m_OutputPointers.data(); break;
        case SHostField::kBufferLength: slot = &m_nFrames; break;
        case SHostField::kMeters:
            m_MeterTaps.assign(field.m_MeterIDs.size(), 0.0f);
            m_pController->SetMeters(field.m_MeterIDs);
            slot = m_MeterTaps.data();
            break;
        case SHostField::kMIDINode:
            slot = static_cast<AAX_IMIDINode*>(field.m_nType == AAX_eMIDINodeType_Transport ? &m_TransportNode : &m_MidiInput);
            break;
        case SHostField::kPrivateData:
        case SHostField::kDataInPort: {
            const uint32_t nBytes = uint32_t(std::max(field.m_nBytes, 0));
            SBlock block{field.m_nIndex, std::vector<uint64_t>((nBytes + 7) / 8 + 1, 0), nBytes};
            auto& blocks = field.m_eKind == SHostField::kPrivateData ? m_PrivateBlocks : m_Ports;
            blocks.push_back(std::move(block));
            slot = blocks.back().m_Storage.data();
            break;
        }
        }
    }
}

CHostInstance::~CHostInstance()
{
    Destroy();
}

AAX_Result CHostInstance::Create()
{
    if (m_pParameters)
        return AAX_SUCCESS;
    const auto it = m_rEffect.m_Factories.find(kParametersFactoryID);
    if (it == m_rEffect.m_Factories.end())
        return AAX_ERROR_NULL_COMPONENT;
    m_pParametersObject = it->second();
    if (!m_pParametersObject)
        return AAX_ERROR_NULL_COMPONENT;
    m_pParametersObject->AddRef();
    m_pParameters = ACF_Query<AAX_IACFEffectParameters_V4>(m_pParametersObject);
    if (!m_pParameters) {
        Destroy();
        return AAX_ERROR_NULL_OBJECT;
    }
    m_pGateway->SetEffectParameters(m_pParametersObject);
    m_pAutomation->SetTarget(m_pParameters);
    const AAX_Result result = m_pParameters->Initialize(m_pGateway->Unknown());
    if (result != AAX_SUCCESS)
        return result;
    for (SBlock& block : m_PrivateBlocks)
        m_pParameters->ResetFieldData(block.m_nField, block.m_Storage.data(), block.m_nBytes);
    return AAX_SUCCESS;
}

AAX_Result CHostInstance::CreateGUI()
{
    if (!m_pParameters)
        return AAX_ERROR_NOT_INITIALIZED;
    if (m_pGUI)
        return AAX_SUCCESS;
    const auto it = m_rEffect.m_Factories.find(kGUIFactoryID);
    if (it == m_rEffect.m_Factories.end())
        return AAX_ERROR_NULL_COMPONENT;
    m_pGUIObject = it->second();
    if (!m_pGUIObject)
        return AAX_ERROR_NULL_COMPONENT;
    m_pGUIObject->AddRef();
    m_pGUI = ACF_Query<AAX_IACFEffectGUI>(m_pGUIObject);
    if (!m_pGUI)
        return AAX_ERROR_NULL_OBJECT;
    return m_pGUI->Initialize(m_pGateway->Unknown());
}

AAX_Result CHostInstance::SetView(unsigned long nWindowID)
{
    if (!m_pGUI)
        return AAX_ERROR_NOT_INITIALIZED;
    if (nWindowID == 0) {
        const AAX_Result result = m_pGUI->SetViewContainer(nullptr);
        m_pView.reset();
        return result;
    }
    m_pView = MakeHostObject<CHostViewContainer>(nWindowID);
    return m_pGUI->SetViewContainer(m_pView->Unknown());
}

void CHostInstance::Destroy()
{
    m_pAutomation->Stop();
    if (m_pGUI) {
        if (m_pView)
            m_pGUI->SetViewContainer(nullptr);
        m_pGUI->Uninitialize();
        m_pGUI->Release();
        m_pGUI = nullptr;
    }
    if (m_pGUIObject) {
        m_pGUIObject->Release();
        m_pGUIObject = nullptr;
    }
    m_pView.reset();
    m_pAutomation->SetTarget(nullptr);
    m_pGateway->SetEffectParameters(nullptr);
    if (m_pParameters) {
        m_pParameters->Uninitialize();
        m_pParameters->Release();
        m_pParameters = nullptr;
    }
    if (m_pParametersObject) {
        m_pParametersObject->Release();
        m_pParametersObject = nullptr;
    }
}

std::vector<unsigned char> CHostInstance::SaveState(AAX_CTypeID chunkID, AAX_Result* outResult) const
{
    AAX_Result result = AAX_ERROR_NOT_INITIALIZED;
    std::vector<unsigned char> record;
    uint32_t nBytes = 0;
    if (m_pParameters && (result = m_pParameters->GetChunkSize(chunkID, &nBytes)) == AAX_SUCCESS) {
        record.assign(sizeof(AAX_SPlugInChunkHeader) + nBytes, 0);
        auto* pChunk = reinterpret_cast<AAX_SPlugInChunk*>(record.data());
        pChunk->fChunkID = chunkID;
        result = m_pParameters->GetChunk(chunkID, pChunk);
        if (result != AAX_SUCCESS)
            record.clear();
    }
    if (outResult)
        *outResult = result;
    return record;
}

AAX_Result CHostInstance::RestoreState(AAX_CTypeID chunkID, const std::vector<unsigned char>& record)
{
    if (!m_pParameters)
        return AAX_ERROR_NOT_INITIALIZED;
    if (record.size() < sizeof(AAX_SPlugInChunkHeader))
        return AAX_ERROR_MALFORMED_CHUNK;
    return m_pParameters->SetChunk(chunkID, reinterpret_cast<const AAX_SPlugInChunk*>(record.data()),
                                   uint32_t(record.size()));
}

AAX_Result CHostInstance::Render(const float* const* ppInput, float* const* ppOutput, int32_t nFrames)
{
    if (m_rComponent.m_ProcessProcs.empty())
        return AAX_ERROR_NULL_COMPONENT;
    if (nFrames < 0 || nFrames > m_nMaxFrames)
        return AAX_ERROR_INVALID_ARGUMENT;
    for (int32_t c = 0; c < m_nInputChannels; ++c)
        m_InputPointers[size_t(c)] = const_cast<float*>(ppInput[c]);
    for (int32_t c = 0; c < m_nOutputChannels; ++c)
        m_OutputPointers[size_t(c)] = ppOutput[c];
    m_nFrames = nFrames;
    for (SBlock& port : m_Ports)
        m_pController->CopyLatestPacket(port.m_nField, port.m_Storage.data(), port.m_nBytes);

    void* const instances[1] = {m_Context.data()};
    m_rComponent.m_ProcessProcs.front().m_pProc(instances, instances + 1);

    m_pTransport->AdvanceSamples(nFrames);
    return AAX_SUCCESS;
}

void CHostInstance::SetStemFormats(int32_t inputStem, int32_t outputStem)
{
    m_pController->SetStemFormats(inputStem, outputStem);
    m_nInputChannels = inputStem == AAX_eStemFormat_None ? 0 : AAX_StemFormatChannelCount(inputStem);
    m_nOutputChannels = outputStem == AAX_eStemFormat_None ? 0 : AAX_StemFormatChannelCount(outputStem);
    m_InputPointers.assign(size_t(m_nInputChannels), nullptr);
    m_OutputPointers.assign(size_t(m_nOutputChannels), nullptr);
    for (const SHostField& field : m_rComponent.m_Fields) {
        if (field.m_nIndex < 0)
            continue;
        if (field.m_eKind == SHostField::kAudioIn)
            m_Context[size_t(field.m_nIndex)] = m_InputPointers.data();
        else if (field.m_eKind == SHostField::kAudioOut)
            m_Context[size_t(field.m_nIndex)] = m_OutputPointers.data();
    }
}

void CHostInstance::DecayMeters(float factor)
{
    for (float& tap : m_MeterTaps)
        tap *= factor;
}
