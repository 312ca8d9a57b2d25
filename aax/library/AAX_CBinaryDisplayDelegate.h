#pragma once
// On/off as two texts ("bypass" / "on"). Shortened text pairs may be added for character
// limits; with none added a limit changes nothing.

#include "AAX_IDisplayDelegate.h"

#include <map>
#include <utility>

template <typename T>
class AAX_CBinaryDisplayDelegate : public AAX_IDisplayDelegate<T> {
public:
    AAX_CBinaryDisplayDelegate(const char* pFalseText, const char* pTrueText)
        : m_FalseText(pFalseText), m_TrueText(pTrueText)
    {
    }

    AAX_CBinaryDisplayDelegate* Clone() const override { return new AAX_CBinaryDisplayDelegate(*this); }

    // A shorter pair, used when a limit is below the full texts' length.
    void AddShortenedStrings(const char* pFalseText, const char* pTrueText, int32_t nLength)
    {
        m_Shortened[nLength] = {AAX_CString(pFalseText), AAX_CString(pTrueText)};
    }

    bool ValueToString(T value, AAX_CString* outText) const override
    {
        if (outText)
            *outText = value ? m_TrueText : m_FalseText;
        return true;
    }

    bool ValueToString(T value, int32_t maxChars, AAX_CString* outText) const override
    {
        const AAX_CString& full = value ? m_TrueText : m_FalseText;
        if (m_Shortened.empty() || int64_t(full.Length()) <= int64_t(maxChars)) {
            if (outText)
                *outText = full;
            return true;
        }
        auto it = m_Shortened.upper_bound(maxChars);
        if (it != m_Shortened.begin())
            --it;  // the longest pair within the limit; else the shortest pair
        if (outText)
            *outText = value ? it->second.second : it->second.first;
        return true;
    }

    bool StringToValue(const AAX_CString& text, T* outValue) const override
    {
        if (Matches(text, true)) {
            if (outValue)
                *outValue = true;
            return true;
        }
        if (Matches(text, false)) {
            if (outValue)
                *outValue = false;
            return true;
        }
        return false;
    }

private:
    bool Matches(const AAX_CString& text, bool value) const
    {
        if (text == (value ? m_TrueText : m_FalseText))
            return true;
        for (const auto& [nLength, pair] : m_Shortened)
            if (text == (value ? pair.second : pair.first))
                return true;
        return false;
    }

    AAX_CString m_FalseText;
    AAX_CString m_TrueText;
    std::map<int32_t, std::pair<AAX_CString, AAX_CString>> m_Shortened;
};
