#pragma once
// The host parameter of value type T (bool, int32 or float): one implementation for the three
// types, which differ only in which typed conversions succeed. Owns clones of its taper and
// display; the automation delegate is not owned.

#include "AAX_CParameterValue.h"
#include "AAX_IParameter.h"

#include <cmath>
#include <map>
#include <type_traits>

template <typename T>
class AAX_CParameter : public AAX_IParameter {
public:
    AAX_CParameter(AAX_CParamID identifier, const AAX_CString& name, T defaultValue,
                   const AAX_ITaperDelegate<T>& taper, const AAX_IDisplayDelegate<T>& display, bool automatable);
    ~AAX_CParameter() override;
    AAX_CParameter(const AAX_CParameter&) = delete;
    AAX_CParameter& operator=(const AAX_CParameter&) = delete;

    AAX_IParameterValue* CloneValue() const override { return m_Value.Clone(); }
    AAX_CParamID Identifier() const override { return m_Value.Identifier(); }
    void SetName(const AAX_CString& name) override { m_Name = name; }
    const AAX_CString& Name() const override { return m_Name; }
    void AddShortenedName(const AAX_CString& name) override { m_ShortenedNames[name.Length()] = name; }
    const AAX_CString& ShortenedName(int32_t nChars) const override;
    void ClearShortenedNames() override { m_ShortenedNames.clear(); }
    bool Automatable() const override { return m_bAutomatable; }
    void SetAutomationDelegate(AAX_IAutomationDelegate* pDelegate) override;
    void Touch() override;
    void Release() override;
    void SetNormalizedValue(double normalizedValue) override;
    double GetNormalizedValue() const override { return m_pTaper->RealToNormalized(m_Value.Get()); }
    void SetNormalizedDefaultValue(double normalizedDefault) override;
    double GetNormalizedDefaultValue() const override { return m_pTaper->RealToNormalized(m_DefaultValue); }
    void SetToDefaultValue() override { RequestNormalizedValue(GetNormalizedDefaultValue()); }
    void SetNumberOfSteps(uint32_t nSteps) override;
    uint32_t GetNumberOfSteps() const override { return m_nSteps; }
    uint32_t GetStepValue() const override { return GetStepValueFromNormalizedValue(GetNormalizedValue()); }
    double GetNormalizedValueFromStep(uint32_t step) const override;
    uint32_t GetStepValueFromNormalizedValue(double normalizedValue) const override;
    void SetStepValue(uint32_t step) override;
    bool GetValueString(AAX_CString* outText) const override;
    bool GetValueString(int32_t maxChars, AAX_CString* outText) const override;
    bool GetNormalizedValueFromBool(bool value, double* outNormalized) const override { return NormalizedFrom(value, outNormalized); }
    bool GetNormalizedValueFromInt32(int32_t value, double* outNormalized) const override { return NormalizedFrom(value, outNormalized); }
    bool GetNormalizedValueFromFloat(float value, double* outNormalized) const override { return NormalizedFrom(value, outNormalized); }
    bool GetNormalizedValueFromDouble(double value, double* outNormalized) const override { return NormalizedFrom(value, outNormalized); }
    bool GetNormalizedValueFromString(const AAX_CString& text, double* outNormalized) const override;
    bool GetBoolFromNormalizedValue(double n, bool* outValue) const override { return RealFrom(n, outValue); }
    bool GetInt32FromNormalizedValue(double n, int32_t* outValue) const override { return RealFrom(n, outValue); }
    bool GetFloatFromNormalizedValue(double n, float* outValue) const override { return RealFrom(n, outValue); }
    bool GetDoubleFromNormalizedValue(double n, double* outValue) const override { return RealFrom(n, outValue); }
    bool GetStringFromNormalizedValue(double n, int32_t maxChars, AAX_CString& outText) const override;
    bool GetStringFromNormalizedValue(double n, AAX_CString& outText) const override;
    bool SetValueFromString(const AAX_CString& text) override;
    bool GetValueAsBool(bool* outValue) const override { return m_Value.GetValueAsBool(outValue); }
    bool GetValueAsInt32(int32_t* outValue) const override { return m_Value.GetValueAsInt32(outValue); }
    bool GetValueAsFloat(float* outValue) const override { return m_Value.GetValueAsFloat(outValue); }
    bool GetValueAsDouble(double* outValue) const override { return m_Value.GetValueAsDouble(outValue); }
    bool GetValueAsString(AAX_IString* outValue) const override;
    bool SetValueWithBool(bool value) override { return SetValueWith(value); }
    bool SetValueWithInt32(int32_t value) override { return SetValueWith(value); }
    bool SetValueWithFloat(float value) override { return SetValueWith(value); }
    bool SetValueWithDouble(double value) override { return SetValueWith(value); }
    bool SetValueWithString(const AAX_IString& value) override { return SetValueFromString(AAX_CString(value)); }
    void SetType(int32_t type) override { m_nType = type; }
    int32_t GetType() const override { return m_nType; }
    void SetOrientation(int32_t orientation) override { m_nOrientation = orientation; }
    int32_t GetOrientation() const override { return m_nOrientation; }
    void SetTaperDelegate(const AAX_ITaperDelegateBase& taper, bool preserveValue) override;
    void SetDisplayDelegate(const AAX_IDisplayDelegateBase& display) override;
    void UpdateNormalizedValue(double normalizedValue) override;

    // Sets the real value: at once without an automation delegate, otherwise as a request.
    void SetValue(T value);
    T GetValue() const { return m_Value.Get(); }

private:
    void RequestNormalizedValue(double normalizedValue);
    bool InTaperRange(T value) const
    {
        return m_pTaper->GetMinimumValue() <= value && value <= m_pTaper->GetMaximumValue();
    }
    template <typename U>
    bool NormalizedFrom(U value, double* outNormalized) const
    {
        if constexpr (std::is_same_v<T, U>) {
            if (outNormalized)
                *outNormalized = m_pTaper->RealToNormalized(value);
            return true;
        } else {
            return false;
        }
    }
    template <typename U>
    bool RealFrom(double normalizedValue, U* outValue) const
    {
        if constexpr (std::is_same_v<T, U>) {
            if (outValue)
                *outValue = m_pTaper->NormalizedToReal(normalizedValue);
            return true;
        } else {
            return false;
        }
    }
    template <typename U>
    bool SetValueWith(U value)
    {
        if constexpr (std::is_same_v<T, U>) {
            SetValue(value);
            return true;
        } else {
            return false;
        }
    }

    AAX_CString m_Name;
    std::map<uint32_t, AAX_CString> m_ShortenedNames;  // by text length
    bool m_bAutomatable;
    uint32_t m_nSteps = 0;
    int32_t m_nType = AAX_eParameterType_Continuous;
    int32_t m_nOrientation = 0;
    AAX_ITaperDelegate<T>* m_pTaper;
    AAX_IDisplayDelegate<T>* m_pDisplay;
    AAX_IAutomationDelegate* m_pAutomationDelegate = nullptr;
    bool m_bNotifyPending = true;  // the next update is reported even when unchanged
    AAX_CParameterValue<T> m_Value;
    T m_DefaultValue;
};

template <typename T>
AAX_CParameter<T>::AAX_CParameter(AAX_CParamID identifier, const AAX_CString& name, T defaultValue,
                                  const AAX_ITaperDelegate<T>& taper, const AAX_IDisplayDelegate<T>& display,
                                  bool automatable)
    : m_Name(name),
      m_bAutomatable(automatable),
      m_pTaper(taper.Clone()),
      m_pDisplay(display.Clone()),
      m_Value(identifier, defaultValue),
      m_DefaultValue(defaultValue)
{
    if (m_nSteps == 0)
        m_nSteps = m_nType == AAX_eParameterType_Continuous ? 128 : 2;
    SetValue(defaultValue);
}

template <typename T>
AAX_CParameter<T>::~AAX_CParameter()
{
    if (m_pAutomationDelegate)
        m_pAutomationDelegate->UnregisterParameter(Identifier());
    delete m_pTaper;
    delete m_pDisplay;
}

template <typename T>
const AAX_CString& AAX_CParameter<T>::ShortenedName(int32_t nChars) const
{
    if (nChars < 0 || m_ShortenedNames.empty() || uint32_t(nChars) >= m_Name.Length())
        return m_Name;
    auto it = m_ShortenedNames.upper_bound(uint32_t(nChars));
    if (it == m_ShortenedNames.begin())
        return it->second;  // all longer: the shortest
    return std::prev(it)->second;
}

template <typename T>
void AAX_CParameter<T>::SetAutomationDelegate(AAX_IAutomationDelegate* pDelegate)
{
    if (m_pAutomationDelegate)
        m_pAutomationDelegate->UnregisterParameter(Identifier());
    m_pAutomationDelegate = pDelegate;
    if (m_pAutomationDelegate)
        m_pAutomationDelegate->RegisterParameter(Identifier());
}

template <typename T>
void AAX_CParameter<T>::Touch()
{
    if (m_pAutomationDelegate)
        m_pAutomationDelegate->PostTouchRequest(Identifier());
}

template <typename T>
void AAX_CParameter<T>::Release()
{
    if (m_pAutomationDelegate)
        m_pAutomationDelegate->PostReleaseRequest(Identifier());
}

template <typename T>
void AAX_CParameter<T>::RequestNormalizedValue(double normalizedValue)
{
    if (!std::isfinite(normalizedValue))
        return;
    if (!m_pAutomationDelegate) {
        m_bNotifyPending = true;
        UpdateNormalizedValue(normalizedValue);
        return;
    }
    Touch();
    m_pAutomationDelegate->PostSetValueRequest(Identifier(), normalizedValue);
    Release();
}

template <typename T>
void AAX_CParameter<T>::SetValue(T value)
{
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(value))
            return;
    }
    RequestNormalizedValue(m_pTaper->RealToNormalized(value));
}

template <typename T>
void AAX_CParameter<T>::SetNormalizedValue(double normalizedValue)
{
    if (!std::isfinite(normalizedValue))
        return;
    const T value = m_pTaper->NormalizedToReal(normalizedValue);
    RequestNormalizedValue(m_pTaper->RealToNormalized(value));
}

template <typename T>
void AAX_CParameter<T>::SetNormalizedDefaultValue(double normalizedDefault)
{
    if (!std::isfinite(normalizedDefault))
        return;
    m_DefaultValue = m_pTaper->ConstrainRealValue(m_pTaper->NormalizedToReal(normalizedDefault));
}

template <typename T>
void AAX_CParameter<T>::SetNumberOfSteps(uint32_t nSteps)
{
    if (nSteps != 0)
        m_nSteps = nSteps;
}

template <typename T>
double AAX_CParameter<T>::GetNormalizedValueFromStep(uint32_t step) const
{
    if (m_nSteps < 2)
        return 0.0;
    const double n = double(step) / double(m_nSteps - 1);
    return n < 0.0 ? 0.0 : (n > 1.0 ? 1.0 : n);
}

template <typename T>
uint32_t AAX_CParameter<T>::GetStepValueFromNormalizedValue(double normalizedValue) const
{
    if (m_nSteps < 2 || std::isnan(normalizedValue))
        return 0;
    double step = normalizedValue / (1.0 / double(m_nSteps - 1)) + 0.5;
    const double nMax = double(m_nSteps - 1);
    step = step < 0.0 ? 0.0 : (step > nMax ? nMax : step);
    return uint32_t(step);
}

template <typename T>
void AAX_CParameter<T>::SetStepValue(uint32_t step)
{
    if (m_nSteps >= 2)
        SetNormalizedValue(GetNormalizedValueFromStep(step));
}

template <typename T>
bool AAX_CParameter<T>::GetValueString(AAX_CString* outText) const
{
    return m_pDisplay->ValueToString(m_Value.Get(), outText);
}

template <typename T>
bool AAX_CParameter<T>::GetValueString(int32_t maxChars, AAX_CString* outText) const
{
    return m_pDisplay->ValueToString(m_Value.Get(), maxChars, outText);
}

template <typename T>
bool AAX_CParameter<T>::GetNormalizedValueFromString(const AAX_CString& text, double* outNormalized) const
{
    T value{};
    if (!m_pDisplay->StringToValue(text, &value))
        return false;
    if (outNormalized)
        *outNormalized = m_pTaper->RealToNormalized(value);
    return InTaperRange(value);
}

template <typename T>
bool AAX_CParameter<T>::GetStringFromNormalizedValue(double n, int32_t maxChars, AAX_CString& outText) const
{
    const T value = m_pTaper->NormalizedToReal(n);
    return m_pDisplay->ValueToString(value, maxChars, &outText) && InTaperRange(value);
}

template <typename T>
bool AAX_CParameter<T>::GetStringFromNormalizedValue(double n, AAX_CString& outText) const
{
    const T value = m_pTaper->NormalizedToReal(n);
    return m_pDisplay->ValueToString(value, &outText) && InTaperRange(value);
}

template <typename T>
bool AAX_CParameter<T>::SetValueFromString(const AAX_CString& text)
{
    T value{};
    if (!m_pDisplay->StringToValue(text, &value))
        return false;
    SetValue(value);
    return true;
}

template <typename T>
bool AAX_CParameter<T>::GetValueAsString(AAX_IString* outValue) const
{
    if (!outValue)
        return false;
    AAX_CString text;
    if (!GetValueString(&text))
        return false;
    *outValue = text;
    return true;
}

template <typename T>
void AAX_CParameter<T>::SetTaperDelegate(const AAX_ITaperDelegateBase& taper, bool preserveValue)
{
    const auto* pTaper = dynamic_cast<const AAX_ITaperDelegate<T>*>(&taper);
    if (!pTaper)
        return;
    const double n = GetNormalizedValue();
    AAX_ITaperDelegate<T>* pNew = pTaper->Clone();
    delete m_pTaper;
    m_pTaper = pNew;
    m_bNotifyPending = true;
    if (preserveValue)
        SetValue(m_Value.Get());
    else
        UpdateNormalizedValue(n);
}

template <typename T>
void AAX_CParameter<T>::SetDisplayDelegate(const AAX_IDisplayDelegateBase& display)
{
    const auto* pDisplay = dynamic_cast<const AAX_IDisplayDelegate<T>*>(&display);
    if (!pDisplay)
        return;
    AAX_IDisplayDelegate<T>* pNew = pDisplay->Clone();
    delete m_pDisplay;
    m_pDisplay = pNew;
    if (m_pAutomationDelegate)
        m_pAutomationDelegate->PostCurrentValue(Identifier(), GetNormalizedValue());
}

template <typename T>
void AAX_CParameter<T>::UpdateNormalizedValue(double normalizedValue)
{
    if (!std::isfinite(normalizedValue))
        return;
    const T value = m_pTaper->NormalizedToReal(normalizedValue);
    if (m_bNotifyPending || value != m_Value.Get()) {
        m_Value.Set(value);
        if (m_pAutomationDelegate)
            m_pAutomationDelegate->PostCurrentValue(Identifier(), GetNormalizedValue());
    }
    m_bNotifyPending = false;
}

extern template class AAX_CParameter<bool>;
extern template class AAX_CParameter<int32_t>;
extern template class AAX_CParameter<float>;
