#pragma once
// Conversion between a parameter's real value and its text. Returns false when the value has
// no text or the text cannot be parsed.

#include "AAX_CString.h"

#include <cstdint>

class AAX_IDisplayDelegateBase {
public:
    virtual ~AAX_IDisplayDelegateBase() = default;
};

template <typename T>
class AAX_IDisplayDelegate : public AAX_IDisplayDelegateBase {
public:
    virtual AAX_IDisplayDelegate* Clone() const = 0;  // caller owns the copy
    virtual bool ValueToString(T value, int32_t maxChars, AAX_CString* outText) const = 0;
    virtual bool ValueToString(T value, AAX_CString* outText) const = 0;
    virtual bool StringToValue(const AAX_CString& text, T* outValue) const = 0;
};

// A display that decorates an inner one it owns (for example with a unit suffix).
template <typename T>
class AAX_IDisplayDelegateDecorator : public AAX_IDisplayDelegate<T> {
public:
    explicit AAX_IDisplayDelegateDecorator(const AAX_IDisplayDelegate<T>& inner) : m_pInner(inner.Clone()) {}
    AAX_IDisplayDelegateDecorator(const AAX_IDisplayDelegateDecorator& other) : m_pInner(other.m_pInner->Clone()) {}
    AAX_IDisplayDelegateDecorator& operator=(const AAX_IDisplayDelegateDecorator&) = delete;
    ~AAX_IDisplayDelegateDecorator() override { delete m_pInner; }

protected:
    const AAX_IDisplayDelegate<T>& Inner() const { return *m_pInner; }

private:
    AAX_IDisplayDelegate<T>* m_pInner;
};
