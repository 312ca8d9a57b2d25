#pragma once
// One host parameter: real value, normalised value, text, steps and automation. Owned by the
// effect-parameters object's parameter manager.
//
// With an automation delegate attached, setting a value is a request to the host; the value
// changes only when the host answers through UpdateNormalizedValue. Non-finite normalised
// values are ignored (the parameter keeps its value).
//
// Threading: the host's parameter thread; the audio thread only reads values and sets meter
// parameters. No lock guards a parameter.

#include "AAX.h"
#include "AAX_CString.h"
#include "AAX_IAutomationDelegate.h"
#include "AAX_IDisplayDelegate.h"
#include "AAX_IParameterValue.h"
#include "AAX_ITaperDelegate.h"

enum AAX_EParameterType : int32_t {
    AAX_eParameterType_Discrete = 0,
    AAX_eParameterType_Continuous = 1,
};

class AAX_IParameter {
public:
    virtual ~AAX_IParameter() = default;
    virtual AAX_IParameterValue* CloneValue() const = 0;
    virtual AAX_CParamID Identifier() const = 0;
    virtual void SetName(const AAX_CString& name) = 0;
    virtual const AAX_CString& Name() const = 0;
    virtual void AddShortenedName(const AAX_CString& name) = 0;
    virtual const AAX_CString& ShortenedName(int32_t nChars) const = 0;
    virtual void ClearShortenedNames() = 0;
    virtual bool Automatable() const = 0;
    virtual void SetAutomationDelegate(AAX_IAutomationDelegate* pDelegate) = 0;
    virtual void Touch() = 0;
    virtual void Release() = 0;
    virtual void SetNormalizedValue(double normalizedValue) = 0;
    virtual double GetNormalizedValue() const = 0;
    virtual void SetNormalizedDefaultValue(double normalizedDefault) = 0;
    virtual double GetNormalizedDefaultValue() const = 0;
    virtual void SetToDefaultValue() = 0;
    virtual void SetNumberOfSteps(uint32_t nSteps) = 0;
    virtual uint32_t GetNumberOfSteps() const = 0;
    virtual uint32_t GetStepValue() const = 0;
    virtual double GetNormalizedValueFromStep(uint32_t step) const = 0;
    virtual uint32_t GetStepValueFromNormalizedValue(double normalizedValue) const = 0;
    virtual void SetStepValue(uint32_t step) = 0;
    virtual bool GetValueString(AAX_CString* outText) const = 0;
    virtual bool GetValueString(int32_t maxChars, AAX_CString* outText) const = 0;
    virtual bool GetNormalizedValueFromBool(bool value, double* outNormalized) const = 0;
    virtual bool GetNormalizedValueFromInt32(int32_t value, double* outNormalized) const = 0;
    virtual bool GetNormalizedValueFromFloat(float value, double* outNormalized) const = 0;
    virtual bool GetNormalizedValueFromDouble(double value, double* outNormalized) const = 0;
    virtual bool GetNormalizedValueFromString(const AAX_CString& text, double* outNormalized) const = 0;
    virtual bool GetBoolFromNormalizedValue(double normalizedValue, bool* outValue) const = 0;
    virtual bool GetInt32FromNormalizedValue(double normalizedValue, int32_t* outValue) const = 0;
    virtual bool GetFloatFromNormalizedValue(double normalizedValue, float* outValue) const = 0;
    virtual bool GetDoubleFromNormalizedValue(double normalizedValue, double* outValue) const = 0;
    virtual bool GetStringFromNormalizedValue(double normalizedValue, int32_t maxChars, AAX_CString& outText) const = 0;
    virtual bool GetStringFromNormalizedValue(double normalizedValue, AAX_CString& outText) const = 0;
    virtual bool SetValueFromString(const AAX_CString& text) = 0;
    virtual bool GetValueAsBool(bool* outValue) const = 0;
    virtual bool GetValueAsInt32(int32_t* outValue) const = 0;
    virtual bool GetValueAsFloat(float* outValue) const = 0;
    virtual bool GetValueAsDouble(double* outValue) const = 0;
    virtual bool GetValueAsString(AAX_IString* outValue) const = 0;
    virtual bool SetValueWithBool(bool value) = 0;
    virtual bool SetValueWithInt32(int32_t value) = 0;
    virtual bool SetValueWithFloat(float value) = 0;
    virtual bool SetValueWithDouble(double value) = 0;
    virtual bool SetValueWithString(const AAX_IString& value) = 0;
    virtual void SetType(int32_t type) = 0;
    virtual int32_t GetType() const = 0;
    virtual void SetOrientation(int32_t orientation) = 0;
    virtual int32_t GetOrientation() const = 0;
    // A taper or display of another value type is ignored.
    virtual void SetTaperDelegate(const AAX_ITaperDelegateBase& taper, bool preserveValue) = 0;
    virtual void SetDisplayDelegate(const AAX_IDisplayDelegateBase& display) = 0;
    // The host's answer to a set-value request.
    virtual void UpdateNormalizedValue(double normalizedValue) = 0;
};
