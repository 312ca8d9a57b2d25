#pragma once
// The string class of every host boundary. Byte-wise: no encoding is assumed.

#include "AAX_IString.h"

#include <string>

class AAX_CString : public AAX_IString {
public:
    AAX_CString() = default;
    AAX_CString(const char* pText) : m_Text(pText ? pText : "") {}  // NOLINT: implicit by design
    AAX_CString(const std::string& text) : m_Text(text) {}          // NOLINT
    AAX_CString(const AAX_CString& other) = default;
    explicit AAX_CString(const AAX_IString& other) : m_Text(other.Get()) {}
    AAX_CString& operator=(const AAX_CString& other)
    {
        m_Text = other.m_Text;
        return *this;
    }

    uint32_t Length() const override { return uint32_t(m_Text.size()); }
    uint32_t MaxLength() const override { return kMaxLength; }
    const char* Get() const override { return m_Text.c_str(); }
    void Set(const char* pText) override { m_Text = pText ? pText : ""; }
    AAX_IString& operator=(const AAX_IString& other) override
    {
        m_Text = other.Get();
        return *this;
    }
    AAX_IString& operator=(const char* pText) override
    {
        Set(pText);
        return *this;
    }

    const std::string& StdString() const { return m_Text; }
    void Clear() { m_Text.clear(); }
    bool Empty() const { return m_Text.empty(); }
    void Append(const AAX_CString& other) { m_Text += other.m_Text; }
    // The first nChars characters (all when shorter).
    AAX_CString Prefix(uint32_t nChars) const { return AAX_CString(m_Text.substr(0, nChars)); }
    bool EndsWith(const AAX_CString& suffix) const
    {
        return m_Text.size() >= suffix.m_Text.size() &&
               m_Text.compare(m_Text.size() - suffix.m_Text.size(), std::string::npos, suffix.m_Text) == 0;
    }

    friend bool operator==(const AAX_CString& a, const AAX_CString& b) { return a.m_Text == b.m_Text; }
    friend bool operator<(const AAX_CString& a, const AAX_CString& b) { return a.m_Text < b.m_Text; }

    static constexpr uint32_t kMaxLength = 0x00FFFFFF;

private:
    std::string m_Text;
};
