#pragma once
// A value as a number in fixed notation with Precision decimals ("12.50"), followed by
// SpaceAfter blanks. With a character limit the text is cut, and a cut that ends in the
// decimal point drops it ("123.25" in 4 characters is "123").

#include "AAX_IDisplayDelegate.h"
#include "AAX_TaperMath.h"

#include <cstdio>
#include <cstdlib>
#include <string>

template <typename T, int32_t Precision = 2, int32_t SpaceAfter = 0>
class AAX_CNumberDisplayDelegate : public AAX_IDisplayDelegate<T> {
public:
    AAX_CNumberDisplayDelegate* Clone() const override { return new AAX_CNumberDisplayDelegate(*this); }

    bool ValueToString(T value, AAX_CString* outText) const override
    {
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", int(Precision), double(value));
        std::string s(text);
        s.append(size_t(SpaceAfter), ' ');
        if (outText)
            *outText = AAX_CString(s);
        return true;
    }

    bool ValueToString(T value, int32_t maxChars, AAX_CString* outText) const override
    {
        AAX_CString full;
        ValueToString(value, &full);
        std::string s = full.StdString();
        const size_t nLimit = maxChars < 0 ? 0 : size_t(maxChars);
        if (s.size() > nLimit)
            s.resize(nLimit);
        if (s.size() == nLimit && !s.empty() && s.back() == '.')
            s.pop_back();
        if (outText)
            *outText = AAX_CString(s);
        return true;
    }

    bool StringToValue(const AAX_CString& text, T* outValue) const override
    {
        const char* pBegin = text.Get();
        char* pEnd = nullptr;
        const double x = std::strtod(pBegin, &pEnd);
        const bool bParsed = pEnd != pBegin;
        if (outValue)
            *outValue = bParsed ? AAX_RealFromDouble<T>(x) : T(0);
        return bParsed;
    }
};
