#pragma once
// Base of a plug-in instance's parameter object: answers the host's effect-parameters
// interface from a parameter manager, owns the controller, transport and automation-delegate
// wrappers, and saves, restores and compares the one state chunk 'elck'
// "Complete Controls State" (every parameter except the filtered ones, by identifier).
//
// A subclass registers its parameters in EffectInit. Values the host sends that are not
// finite are refused (AAX_ERROR_INVALID_ARGUMENT) and never reach a parameter.
//
// Threading: as the host calls it (see AAX_IACFEffectParameters.h). The packet dispatcher
// locks its own table; nothing else here locks.

#include "AAX_CChunkDataParser.h"
#include "AAX_CPacketDispatcher.h"
#include "AAX_CParameterManager.h"
#include "AAX_IEffectParameters.h"
#include "AAX_VAutomationDelegate.h"
#include "AAX_VController.h"
#include "AAX_VPageTable.h"
#include "AAX_VTransport.h"
#include "CACFUnknown.h"

#include <memory>
#include <set>
#include <string>

class AAX_CEffectParameters : public AAX_IEffectParameters, public CACFUnknown {
public:
    static constexpr AAX_CTypeID kControlsChunkID = AAX_FourCC("elck");
    static constexpr const char* kControlsChunkName = "Complete Controls State";
    static constexpr const char* kMasterBypassID = "MasterBypassID";
    static constexpr const char* kPreviewID = "PreviewID";

    AAX_CEffectParameters() = default;
    ~AAX_CEffectParameters() override;

    ACF_DECLARE_STANDARD_UNKNOWN()

    AAX_Result Initialize(IACFUnknown* iController) override;
    AAX_Result Uninitialize() override;
    AAX_Result NotificationReceived(AAX_CTypeID inType, const void* inData, uint32_t inBytes) override;

    AAX_Result GetNumberOfParameters(int32_t* outCount) const override;
    AAX_Result GetMasterBypassParameter(AAX_IString* outID) const override;
    AAX_Result GetParameterIsAutomatable(AAX_CParamID inID, AAX_CBoolean* outAutomatable) const override;
    AAX_Result GetParameterNumberOfSteps(AAX_CParamID inID, int32_t* outSteps) const override;
    AAX_Result GetParameterName(AAX_CParamID inID, AAX_IString* outName) const override;
    AAX_Result GetParameterNameOfLength(AAX_CParamID inID, AAX_IString* outName, int32_t inLength) const override;
    AAX_Result GetParameterDefaultNormalizedValue(AAX_CParamID inID, double* outValue) const override;
    AAX_Result SetParameterDefaultNormalizedValue(AAX_CParamID inID, double inValue) override;
    AAX_Result GetParameterType(AAX_CParamID inID, int32_t* outType) const override;
    AAX_Result GetParameterOrientation(AAX_CParamID inID, int32_t* outOrientation) const override;
    AAX_Result GetParameter(AAX_CParamID inID, AAX_IParameter** outParameter) override;
    AAX_Result GetParameterIndex(AAX_CParamID inID, int32_t* outIndex) const override;
    AAX_Result GetParameterIDFromIndex(int32_t inIndex, AAX_IString* outID) const override;
    AAX_Result GetParameterValueInfo(AAX_CParamID inID, int32_t inSelector, int32_t* outValue) const override;
    AAX_Result GetParameterValueFromString(AAX_CParamID inID, double* outValue, const AAX_IString& inText) const override;
    AAX_Result GetParameterStringFromValue(AAX_CParamID inID, double inValue, AAX_IString* outText, int32_t inMaxLength) const override;
    AAX_Result GetParameterValueString(AAX_CParamID inID, AAX_IString* outText, int32_t inMaxLength) const override;
    AAX_Result GetParameterNormalizedValue(AAX_CParamID inID, double* outValue) const override;
    AAX_Result SetParameterNormalizedValue(AAX_CParamID inID, double inValue) override;
    AAX_Result SetParameterNormalizedRelative(AAX_CParamID inID, double inDelta) override;
    AAX_Result TouchParameter(AAX_CParamID inID) override;
    AAX_Result ReleaseParameter(AAX_CParamID inID) override;
    AAX_Result UpdateParameterTouch(AAX_CParamID inID, AAX_CBoolean inTouched) override;
    AAX_Result UpdateParameterNormalizedValue(AAX_CParamID inID, double inValue, int32_t inSource) override;
    AAX_Result UpdateParameterNormalizedRelative(AAX_CParamID inID, double inDelta) override;
    AAX_Result GenerateCoefficients() override;
    AAX_Result ResetFieldData(AAX_CFieldIndex inField, void* outData, uint32_t inBytes) const override;

    AAX_Result GetNumberOfChunks(int32_t* outCount) const override;
    AAX_Result GetChunkIDFromIndex(int32_t inIndex, AAX_CTypeID* outChunkID) const override;
    AAX_Result GetChunkSize(AAX_CTypeID inChunkID, uint32_t* outBytes) const override;
    AAX_Result GetChunk(AAX_CTypeID inChunkID, AAX_SPlugInChunk* outChunk) const override;
    AAX_Result SetChunk(AAX_CTypeID inChunkID, const AAX_SPlugInChunk* inChunk, uint32_t inRecordBytes) override;
    AAX_Result CompareActiveChunk(const AAX_SPlugInChunk* inChunk, uint32_t inRecordBytes, AAX_CBoolean* outIsEqual) const override;
    AAX_Result GetNumberOfChanges(int32_t* outChanges) const override;

    AAX_Result TimerWakeup() override { return AAX_SUCCESS; }
    AAX_Result GetCustomData(AAX_CTypeID inBlockID, uint32_t inBytes, void* outData, uint32_t* outWritten) const override;
    AAX_Result UpdatePageTable(uint32_t inTableType, int32_t inPageSize, IACFUnknown* iHost, IACFUnknown* ioPageTable) const override;

    // Wrappers created by Initialize; null before and after.
    AAX_VController* Controller() const { return m_pController.get(); }
    AAX_VTransport* Transport() const { return m_pTransport.get(); }
    AAX_VAutomationDelegate* AutomationDelegate() const { return m_pAutomationDelegate.get(); }

protected:
    // Registers the parameters; an error aborts Initialize with that code.
    virtual AAX_Result EffectInit() { return AAX_SUCCESS; }
    // A page table the host handed over; nothing is mapped by default.
    virtual AAX_Result UpdatePageTableContents(uint32_t, int32_t, AAX_VPageTable&) const { return AAX_SUCCESS; }
    // Leaves a parameter out of the state chunk.
    void ExcludeParameterFromChunk(AAX_CParamID id) { m_FilteredParameterIDs.insert(id ? id : ""); }

    ACFRESULT InternalQueryInterface(const acfIID& iid, void** ppOut) override;
    IACFUnknown* GetUnknown() override { return static_cast<AAX_IEffectParameters*>(this); }

    int32_t m_nNumChanges = 0;
    mutable int32_t m_nLastChunkSize = 0;  // 0 until a GetChunkSize
    mutable AAX_CChunkDataParser m_ChunkParser;
    AAX_CPacketDispatcher m_PacketDispatcher;
    AAX_CParameterManager m_ParameterManager;
    std::set<std::string> m_FilteredParameterIDs;

private:
    bool IsFiltered(const AAX_IParameter* pParameter) const;
    void BuildChunkState() const;

    std::unique_ptr<AAX_VController> m_pController;
    std::unique_ptr<AAX_VTransport> m_pTransport;
    std::unique_ptr<AAX_VAutomationDelegate> m_pAutomationDelegate;
};
