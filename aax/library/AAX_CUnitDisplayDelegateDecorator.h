#pragma once
// Appends a unit suffix to the inner display's text (" dB"); with a character limit only when
// the suffix still fits. Parsing strips a trailing suffix before the inner display reads.

#include "AAX_IDisplayDelegate.h"

template <typename T>
class AAX_CUnitDisplayDelegateDecorator : public AAX_IDisplayDelegateDecorator<T> {
public:
    AAX_CUnitDisplayDelegateDecorator(const AAX_IDisplayDelegate<T>& inner, const AAX_CString& unit)
        : AAX_IDisplayDelegateDecorator<T>(inner), m_Unit(unit)
    {
    }

    AAX_CUnitDisplayDelegateDecorator* Clone() const override { return new AAX_CUnitDisplayDelegateDecorator(*this); }

    bool ValueToString(T value, AAX_CString* outText) const override
    {
        AAX_CString text;
        const bool bOk = this->Inner().ValueToString(value, &text);
        text.Append(m_Unit);
        if (outText)
            *outText = text;
        return bOk;
    }

    bool ValueToString(T value, int32_t maxChars, AAX_CString* outText) const override
    {
        AAX_CString text;
        const bool bOk = this->Inner().ValueToString(value, maxChars, &text);
        if (int64_t(text.Length()) + int64_t(m_Unit.Length()) <= int64_t(maxChars))
            text.Append(m_Unit);
        if (outText)
            *outText = text;
        return bOk;
    }

    bool StringToValue(const AAX_CString& text, T* outValue) const override
    {
        if (!m_Unit.Empty() && text.EndsWith(m_Unit))
            return this->Inner().StringToValue(text.Prefix(text.Length() - m_Unit.Length()), outValue);
        return this->Inner().StringToValue(text, outValue);
    }

private:
    AAX_CString m_Unit;
};
