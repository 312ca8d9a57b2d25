#pragma once
// What the host calls on one plug-in instance's parameter object: parameter queries and
// changes, coefficient generation, context fields, state chunks, notifications.
//
// Threading (host side): Initialize/Uninitialize and chunk calls on the main thread;
// UpdateParameterNormalizedValue, GenerateCoefficients and TimerWakeup on the parameter
// thread; SetParameterNormalizedValue also from the audio thread (meters).
//
// Chunk records passed in carry their full size in bytes (header and data area), so a record
// whose size field claims more than was handed over is never read past its end.

#include "AAX.h"
#include "ACFUnknown.h"
#include "AAX_IString.h"

class AAX_IParameter;  // the module's parameter object; lives as long as the instance

class AAX_IACFEffectParameters_V4 : public IACFUnknown {
public:
    static constexpr acfIID kIID = ACF_MakeIID(0x0A0E0001);

    virtual AAX_Result Initialize(IACFUnknown* iController) = 0;
    virtual AAX_Result Uninitialize() = 0;
    virtual AAX_Result NotificationReceived(AAX_CTypeID inType, const void* inData, uint32_t inBytes) = 0;

    virtual AAX_Result GetNumberOfParameters(int32_t* outCount) const = 0;
    virtual AAX_Result GetMasterBypassParameter(AAX_IString* outID) const = 0;
    virtual AAX_Result GetParameterIsAutomatable(AAX_CParamID inID, AAX_CBoolean* outAutomatable) const = 0;
    virtual AAX_Result GetParameterNumberOfSteps(AAX_CParamID inID, int32_t* outSteps) const = 0;
    virtual AAX_Result GetParameterName(AAX_CParamID inID, AAX_IString* outName) const = 0;
    virtual AAX_Result GetParameterNameOfLength(AAX_CParamID inID, AAX_IString* outName, int32_t inLength) const = 0;
    virtual AAX_Result GetParameterDefaultNormalizedValue(AAX_CParamID inID, double* outValue) const = 0;
    virtual AAX_Result SetParameterDefaultNormalizedValue(AAX_CParamID inID, double inValue) = 0;
    virtual AAX_Result GetParameterType(AAX_CParamID inID, int32_t* outType) const = 0;
    virtual AAX_Result GetParameterOrientation(AAX_CParamID inID, int32_t* outOrientation) const = 0;
    virtual AAX_Result GetParameter(AAX_CParamID inID, AAX_IParameter** outParameter) = 0;
    virtual AAX_Result GetParameterIndex(AAX_CParamID inID, int32_t* outIndex) const = 0;
    virtual AAX_Result GetParameterIDFromIndex(int32_t inIndex, AAX_IString* outID) const = 0;
    virtual AAX_Result GetParameterValueInfo(AAX_CParamID inID, int32_t inSelector, int32_t* outValue) const = 0;
    virtual AAX_Result GetParameterValueFromString(AAX_CParamID inID, double* outValue, const AAX_IString& inText) const = 0;
    virtual AAX_Result GetParameterStringFromValue(AAX_CParamID inID, double inValue, AAX_IString* outText, int32_t inMaxLength) const = 0;
    virtual AAX_Result GetParameterValueString(AAX_CParamID inID, AAX_IString* outText, int32_t inMaxLength) const = 0;
    virtual AAX_Result GetParameterNormalizedValue(AAX_CParamID inID, double* outValue) const = 0;
    virtual AAX_Result SetParameterNormalizedValue(AAX_CParamID inID, double inValue) = 0;
    virtual AAX_Result SetParameterNormalizedRelative(AAX_CParamID inID, double inDelta) = 0;
    virtual AAX_Result TouchParameter(AAX_CParamID inID) = 0;
    virtual AAX_Result ReleaseParameter(AAX_CParamID inID) = 0;
    virtual AAX_Result UpdateParameterTouch(AAX_CParamID inID, AAX_CBoolean inTouched) = 0;

    // The host's answer to a set-value request.
    virtual AAX_Result UpdateParameterNormalizedValue(AAX_CParamID inID, double inValue, int32_t inSource) = 0;
    virtual AAX_Result UpdateParameterNormalizedRelative(AAX_CParamID inID, double inDelta) = 0;
    virtual AAX_Result GenerateCoefficients() = 0;
    virtual AAX_Result ResetFieldData(AAX_CFieldIndex inField, void* outData, uint32_t inBytes) const = 0;

    virtual AAX_Result GetNumberOfChunks(int32_t* outCount) const = 0;
    virtual AAX_Result GetChunkIDFromIndex(int32_t inIndex, AAX_CTypeID* outChunkID) const = 0;
    virtual AAX_Result GetChunkSize(AAX_CTypeID inChunkID, uint32_t* outBytes) const = 0;
    // Writes the data area of the size GetChunkSize reported, which must come first.
    virtual AAX_Result GetChunk(AAX_CTypeID inChunkID, AAX_SPlugInChunk* outChunk) const = 0;
    virtual AAX_Result SetChunk(AAX_CTypeID inChunkID, const AAX_SPlugInChunk* inChunk, uint32_t inRecordBytes) = 0;
    virtual AAX_Result CompareActiveChunk(const AAX_SPlugInChunk* inChunk, uint32_t inRecordBytes, AAX_CBoolean* outIsEqual) const = 0;
    virtual AAX_Result GetNumberOfChanges(int32_t* outChanges) const = 0;

    virtual AAX_Result TimerWakeup() = 0;
    virtual AAX_Result GetCustomData(AAX_CTypeID inBlockID, uint32_t inBytes, void* outData, uint32_t* outWritten) const = 0;
    virtual AAX_Result UpdatePageTable(uint32_t inTableType, int32_t inPageSize, IACFUnknown* iHost, IACFUnknown* ioPageTable) const = 0;

protected:
    ~AAX_IACFEffectParameters_V4() = default;
};
