#pragma once
// A value as one of a list of texts ("OFF", "ON"); a value without text shows
// "String Not Found". Parsing looks the text up (unknown text: value 0, false).

#include "AAX_IDisplayDelegate.h"

#include <map>

template <typename T>
class AAX_CStringDisplayDelegate : public AAX_IDisplayDelegate<T> {
public:
    explicit AAX_CStringDisplayDelegate(const std::map<T, AAX_CString>& texts) : m_Texts(texts)
    {
        for (const auto& [value, text] : m_Texts)
            m_Values.emplace(text, value);  // of equal texts the lowest value wins
    }

    AAX_CStringDisplayDelegate* Clone() const override { return new AAX_CStringDisplayDelegate(*this); }

    bool ValueToString(T value, AAX_CString* outText) const override
    {
        const auto it = m_Texts.find(value);
        if (outText)
            *outText = it != m_Texts.end() ? it->second : AAX_CString("String Not Found");
        return it != m_Texts.end();
    }

    bool ValueToString(T value, int32_t maxChars, AAX_CString* outText) const override
    {
        AAX_CString text;
        const bool bFound = ValueToString(value, &text);
        if (outText)
            *outText = text.Prefix(maxChars < 0 ? 0 : uint32_t(maxChars));
        return bFound;
    }

    bool StringToValue(const AAX_CString& text, T* outValue) const override
    {
        const auto it = m_Values.find(text);
        if (outValue)
            *outValue = it != m_Values.end() ? it->second : T(0);
        return it != m_Values.end();
    }

private:
    std::map<T, AAX_CString> m_Texts;
    std::map<AAX_CString, T> m_Values;
};
