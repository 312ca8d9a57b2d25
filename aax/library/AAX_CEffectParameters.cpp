#include "AAX_CEffectParameters.h"

#include "AAX_IParameter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

double Clamp01(double x)
{
    return x < 0.0 ? 0.0 : (x > 1.0 ? 1.0 : x);
}

}  // namespace

AAX_CEffectParameters::~AAX_CEffectParameters()
{
    // Parameters unregister from the automation delegate, which must still exist then.
    Uninitialize();
}

ACFRESULT AAX_CEffectParameters::InternalQueryInterface(const acfIID& iid, void** ppOut)
{
    if (ppOut && iid == AAX_IACFEffectParameters_V4::kIID) {
        InternalAddRef();
        *ppOut = static_cast<AAX_IACFEffectParameters_V4*>(this);
        return ACF_OK;
    }
    return CACFUnknown::InternalQueryInterface(iid, ppOut);
}

AAX_Result AAX_CEffectParameters::Initialize(IACFUnknown* iController)
{
    m_ParameterManager.RemoveAll();
    m_pController = std::make_unique<AAX_VController>(iController);
    m_pAutomationDelegate = std::make_unique<AAX_VAutomationDelegate>(iController);
    m_pTransport = std::make_unique<AAX_VTransport>(iController);
    m_PacketDispatcher.Initialize(m_pController.get());
    // Without a host delegate, parameters set their values directly instead of sending
    // requests nobody would answer.
    m_ParameterManager.SetAutomationDelegate(m_pAutomationDelegate->IsValid() ? m_pAutomationDelegate.get() : nullptr);

    const AAX_Result result = EffectInit();
    if (result != AAX_SUCCESS)
        return result;

    AAX_CString bypassID;
    GetMasterBypassParameter(&bypassID);
    ExcludeParameterFromChunk(bypassID.Get());
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::Uninitialize()
{
    m_ParameterManager.RemoveAll();
    m_ParameterManager.SetAutomationDelegate(nullptr);
    m_PacketDispatcher.Initialize(nullptr);
    m_pController.reset();
    m_pAutomationDelegate.reset();
    m_pTransport.reset();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::NotificationReceived(AAX_CTypeID inType, const void* inData, uint32_t inBytes)
{
    if (inType == AAX_eNotificationEvent_ASPreviewState && inData && inBytes >= 4) {
        if (AAX_IParameter* pPreview = m_ParameterManager.GetParameterByID(kPreviewID)) {
            int32_t nState;
            std::memcpy(&nState, inData, 4);
            pPreview->SetValueWithBool(nState != 0);
        }
    }
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfParameters(int32_t* outCount) const
{
    if (outCount)
        *outCount = m_ParameterManager.NumParameters();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetMasterBypassParameter(AAX_IString* outID) const
{
    if (outID)
        outID->Set(m_ParameterManager.GetParameterByID(kMasterBypassID) ? kMasterBypassID : "");
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterIsAutomatable(AAX_CParamID inID, AAX_CBoolean* outAutomatable) const
{
    const AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (outAutomatable)
        *outAutomatable = p && p->Automatable();
    return p ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterNumberOfSteps(AAX_CParamID inID, int32_t* outSteps) const
{
    const AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (!p)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    const uint32_t nSteps = p->GetNumberOfSteps();
    if (nSteps > uint32_t(std::numeric_limits<int32_t>::max()))
        return AAX_ERROR_SIGNED_INT_OVERFLOW;
    if (outSteps)
        *outSteps = int32_t(nSteps);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterName(AAX_CParamID inID, AAX_IString* outName) const
{
    const AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (outName)
        outName->Set(p ? p->Name().Get() : "");
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterNameOfLength(AAX_CParamID inID, AAX_IString* outName, int32_t inLength) const
{
    if (!outName)
        return AAX_ERROR_INVALID_STRING_CONVERSION;
    const AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (!p) {
        outName->Set("");
        return AAX_SUCCESS;
    }
    // The shortened name may hold several newline-separated candidates.
    const std::string text = p->ShortenedName(inLength).StdString().substr(0, 255);
    if (text.empty())
        return AAX_SUCCESS;
    std::string best;
    bool bFound = false;
    size_t nStart = 0;
    while (nStart <= text.size()) {
        size_t nEnd = text.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = text.size();
        const std::string candidate = text.substr(nStart, nEnd - nStart);
        if (int64_t(candidate.size()) <= int64_t(inLength) && (!bFound || candidate.size() > best.size())) {
            best = candidate;
            bFound = true;
        }
        nStart = nEnd + 1;
    }
    if (!bFound)
        best = inLength < 1 ? std::string() : text.substr(0, size_t(inLength));
    outName->Set(best.c_str());
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterDefaultNormalizedValue(AAX_CParamID inID, double* outValue) const
{
    const AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (!p)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    if (outValue)
        *outValue = p->GetNormalizedDefaultValue();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::SetParameterDefaultNormalizedValue(AAX_CParamID inID, double inValue)
{
    AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (!p)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    if (!std::isfinite(inValue))
        return AAX_ERROR_INVALID_ARGUMENT;
    p->SetNormalizedDefaultValue(inValue);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterType(AAX_CParamID inID, int32_t* outType) const
{
    const AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (!p)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    if (outType)
        *outType = p->GetType();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterOrientation(AAX_CParamID inID, int32_t* outOrientation) const
{
    const AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (!p)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    if (outOrientation)
        *outOrientation = p->GetOrientation();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameter(AAX_CParamID inID, AAX_IParameter** outParameter)
{
    AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (outParameter)
        *outParameter = p;
    return p ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterIndex(AAX_CParamID inID, int32_t* outIndex) const
{
    const int32_t index = m_ParameterManager.GetParameterIndex(inID);
    if (outIndex)
        *outIndex = index;
    return index < 0 ? AAX_ERROR_INVALID_PARAMETER_ID : AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterIDFromIndex(int32_t inIndex, AAX_IString* outID) const
{
    const AAX_IParameter* p = m_ParameterManager.GetParameter(inIndex);
    if (outID)
        outID->Set(p ? p->Identifier() : "");
    return p ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterValueInfo(AAX_CParamID, int32_t, int32_t* outValue) const
{
    if (outValue)
        *outValue = 0;
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::GetParameterValueFromString(AAX_CParamID inID, double* outValue, const AAX_IString& inText) const
{
    const AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (!p)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    return p->GetNormalizedValueFromString(AAX_CString(inText), outValue) ? AAX_SUCCESS : AAX_ERROR_INVALID_STRING_CONVERSION;
}

AAX_Result AAX_CEffectParameters::GetParameterStringFromValue(AAX_CParamID inID, double inValue, AAX_IString* outText, int32_t inMaxLength) const
{
    const AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (!p)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    AAX_CString text;
    if (!p->GetStringFromNormalizedValue(inValue, inMaxLength, text))
        return AAX_ERROR_INVALID_STRING_CONVERSION;
    if (outText)
        *outText = text;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterValueString(AAX_CParamID inID, AAX_IString* outText, int32_t inMaxLength) const
{
    const AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (!p)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    AAX_CString text;
    if (!p->GetValueString(inMaxLength, &text))
        return AAX_ERROR_INVALID_STRING_CONVERSION;
    if (outText)
        *outText = text;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterNormalizedValue(AAX_CParamID inID, double* outValue) const
{
    const AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (!p)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    if (outValue)
        *outValue = p->GetNormalizedValue();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedValue(AAX_CParamID inID, double inValue)
{
    AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (!p)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    if (!std::isfinite(inValue))
        return AAX_ERROR_INVALID_ARGUMENT;
    p->SetNormalizedValue(inValue);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedRelative(AAX_CParamID inID, double inDelta)
{
    const AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (!p)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    if (!std::isfinite(inDelta))
        return AAX_ERROR_INVALID_ARGUMENT;
    return SetParameterNormalizedValue(inID, Clamp01(p->GetNormalizedValue() + inDelta));
}

AAX_Result AAX_CEffectParameters::TouchParameter(AAX_CParamID inID)
{
    AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (!p)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    p->Touch();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::ReleaseParameter(AAX_CParamID inID)
{
    AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (!p)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    p->Release();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::UpdateParameterTouch(AAX_CParamID, AAX_CBoolean)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedValue(AAX_CParamID inID, double inValue, int32_t)
{
    AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (!p)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    if (!std::isfinite(inValue))
        return AAX_ERROR_INVALID_ARGUMENT;
    const double oldValue = p->GetNormalizedValue();
    p->UpdateNormalizedValue(inValue);
    m_PacketDispatcher.SetDirty(inID);
    if (inValue != oldValue)
        ++m_nNumChanges;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedRelative(AAX_CParamID inID, double inDelta)
{
    const AAX_IParameter* p = m_ParameterManager.GetParameterByID(inID);
    if (!p)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    if (!std::isfinite(inDelta))
        return AAX_ERROR_INVALID_ARGUMENT;
    return UpdateParameterNormalizedValue(inID, Clamp01(p->GetNormalizedValue() + inDelta), 0);
}

AAX_Result AAX_CEffectParameters::GenerateCoefficients()
{
    return m_PacketDispatcher.Dispatch();
}

AAX_Result AAX_CEffectParameters::ResetFieldData(AAX_CFieldIndex, void* outData, uint32_t inBytes) const
{
    if (outData)
        std::memset(outData, 0, inBytes);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfChunks(int32_t* outCount) const
{
    if (outCount)
        *outCount = 1;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunkIDFromIndex(int32_t inIndex, AAX_CTypeID* outChunkID) const
{
    if (outChunkID)
        *outChunkID = inIndex == 0 ? kControlsChunkID : 0;
    return inIndex == 0 ? AAX_SUCCESS : AAX_ERROR_INVALID_CHUNK_INDEX;
}

bool AAX_CEffectParameters::IsFiltered(const AAX_IParameter* pParameter) const
{
    return m_FilteredParameterIDs.count(pParameter->Identifier()) != 0;
}

void AAX_CEffectParameters::BuildChunkState() const
{
    m_ChunkParser.Clear();
    for (int32_t i = 0; i < m_ParameterManager.NumParameters(); ++i) {
        const AAX_IParameter* p = m_ParameterManager.GetParameter(i);
        if (IsFiltered(p))
            continue;
        float f;
        int32_t n;
        bool b;
        double d;
        AAX_CString text;
        if (p->GetValueAsFloat(&f))
            m_ChunkParser.AddDouble(p->Identifier(), double(f));
        else if (p->GetValueAsInt32(&n))
            m_ChunkParser.AddInt32(p->Identifier(), n);
        else if (p->GetValueAsBool(&b))
            m_ChunkParser.AddInt32(p->Identifier(), b ? 1 : 0);
        else if (p->GetValueAsDouble(&d))
            m_ChunkParser.AddDouble(p->Identifier(), d);
        else if (p->GetValueAsString(&text))
            m_ChunkParser.AddString(p->Identifier(), text.Get());
    }
}

AAX_Result AAX_CEffectParameters::GetChunkSize(AAX_CTypeID inChunkID, uint32_t* outBytes) const
{
    if (inChunkID != kControlsChunkID) {
        if (outBytes)
            *outBytes = 0;
        return AAX_ERROR_INVALID_CHUNK_ID;
    }
    BuildChunkState();
    m_nLastChunkSize = m_ChunkParser.GetChunkDataSize();
    if (m_nLastChunkSize < 0)
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;
    if (outBytes)
        *outBytes = uint32_t(m_nLastChunkSize);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunk(AAX_CTypeID inChunkID, AAX_SPlugInChunk* outChunk) const
{
    if (inChunkID != kControlsChunkID)
        return AAX_ERROR_INVALID_CHUNK_ID;
    if (!outChunk)
        return AAX_ERROR_NULL_ARGUMENT;
    BuildChunkState();
    if (m_nLastChunkSize == 0 || m_ChunkParser.GetChunkDataSize() != m_nLastChunkSize)
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;
    outChunk->fVersion = m_ChunkParser.GetChunkVersion();
    std::memset(outChunk->fName, 0, sizeof outChunk->fName);
    std::strncpy(reinterpret_cast<char*>(outChunk->fName), kControlsChunkName, sizeof outChunk->fName - 1);
    return m_ChunkParser.GetChunkData(outChunk);
}

AAX_Result AAX_CEffectParameters::SetChunk(AAX_CTypeID inChunkID, const AAX_SPlugInChunk* inChunk, uint32_t inRecordBytes)
{
    if (inChunkID != kControlsChunkID)
        return AAX_ERROR_INVALID_CHUNK_ID;
    if (!inChunk)
        return AAX_ERROR_NULL_ARGUMENT;
    m_ChunkParser.LoadChunk(inChunk, inRecordBytes);
    for (int32_t i = 0; i < m_ParameterManager.NumParameters(); ++i) {
        AAX_IParameter* p = m_ParameterManager.GetParameter(i);
        if (IsFiltered(p))
            continue;
        const char* pID = p->Identifier();
        float f;
        int32_t n;
        bool b;
        double d;
        AAX_CString text;
        if (p->GetValueAsFloat(&f)) {
            // A stored value that is not finite never reaches the parameter.
            if (m_ChunkParser.FindDouble(pID, &d) && std::isfinite(float(d)))
                p->SetValueWithFloat(float(d));
        } else if (p->GetValueAsInt32(&n)) {
            if (m_ChunkParser.FindInt32(pID, &n))
                p->SetValueWithInt32(n);
        } else if (p->GetValueAsBool(&b)) {
            if (m_ChunkParser.FindInt32(pID, &n))
                p->SetValueWithBool(n != 0);
        } else if (p->GetValueAsDouble(&d)) {
            if (m_ChunkParser.FindDouble(pID, &d) && std::isfinite(d))
                p->SetValueWithDouble(d);
        } else if (p->GetValueAsString(&text)) {
            if (m_ChunkParser.FindString(pID, &text))
                p->SetValueWithString(text);
        }
    }
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::CompareActiveChunk(const AAX_SPlugInChunk* inChunk, uint32_t inRecordBytes, AAX_CBoolean* outIsEqual) const
{
    if (!inChunk || !outIsEqual)
        return AAX_ERROR_NULL_ARGUMENT;
    if (inChunk->fChunkID != kControlsChunkID) {
        *outIsEqual = true;
        return AAX_SUCCESS;
    }
    *outIsEqual = false;
    m_ChunkParser.LoadChunk(inChunk, inRecordBytes);
    for (int32_t i = 0; i < m_ParameterManager.NumParameters(); ++i) {
        const AAX_IParameter* p = m_ParameterManager.GetParameter(i);
        // Meters and other values that are not automatable change on their own (after every
        // buffer); they must not make a state look modified.
        if (IsFiltered(p) || !p->Automatable())
            continue;
        const char* pID = p->Identifier();
        float f;
        int32_t n;
        int32_t stored;
        bool b;
        double d;
        double storedDouble;
        AAX_CString text;
        AAX_CString storedText;
        bool bEqual;
        if (p->GetValueAsFloat(&f))
            bEqual = m_ChunkParser.FindDouble(pID, &storedDouble) && float(storedDouble) == f;
        else if (p->GetValueAsInt32(&n))
            bEqual = m_ChunkParser.FindInt32(pID, &stored) && stored == n;
        else if (p->GetValueAsBool(&b))
            bEqual = m_ChunkParser.FindInt32(pID, &stored) && (stored != 0) == b;
        else if (p->GetValueAsDouble(&d))
            bEqual = m_ChunkParser.FindDouble(pID, &storedDouble) && float(storedDouble) == float(d);
        else if (p->GetValueAsString(&text))
            bEqual = m_ChunkParser.FindString(pID, &storedText) && storedText == text;
        else
            bEqual = false;
        if (!bEqual)
            return AAX_SUCCESS;
    }
    *outIsEqual = true;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfChanges(int32_t* outChanges) const
{
    if (outChanges && m_nNumChanges >= 0)
        *outChanges = m_nNumChanges;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetCustomData(AAX_CTypeID, uint32_t, void*, uint32_t* outWritten) const
{
    if (outWritten)
        *outWritten = 0;
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::UpdatePageTable(uint32_t inTableType, int32_t inPageSize, IACFUnknown*, IACFUnknown* ioPageTable) const
{
    AAX_VPageTable table(ioPageTable);
    UpdatePageTableContents(inTableType, inPageSize, table);
    return AAX_SUCCESS;
}
