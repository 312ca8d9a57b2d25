#pragma once
// A parameter's identifier and real value of type T (bool, int32 or float). The value is a
// relaxed atomic: the audio thread reads it while the parameter thread writes, without a lock.

#include "AAX_CString.h"
#include "AAX_IParameterValue.h"

#include <atomic>
#include <type_traits>

template <typename T>
class AAX_CParameterValue : public AAX_IParameterValue {
public:
    AAX_CParameterValue(AAX_CParamID identifier, T value) : m_Identifier(identifier), m_Value(value) {}
    AAX_CParameterValue(const AAX_CParameterValue& other) : m_Identifier(other.m_Identifier), m_Value(other.Get()) {}
    AAX_CParameterValue& operator=(const AAX_CParameterValue&) = delete;

    AAX_IParameterValue* Clone() const override { return new AAX_CParameterValue(*this); }
    AAX_CParamID Identifier() const override { return m_Identifier.Get(); }
    bool GetValueAsBool(bool* outValue) const override { return Get<bool>(outValue); }
    bool GetValueAsInt32(int32_t* outValue) const override { return Get<int32_t>(outValue); }
    bool GetValueAsFloat(float* outValue) const override { return Get<float>(outValue); }
    bool GetValueAsDouble(double*) const override { return false; }
    bool GetValueAsString(AAX_IString*) const override { return false; }

    T Get() const { return m_Value.load(std::memory_order_relaxed); }
    void Set(T value) { m_Value.store(value, std::memory_order_relaxed); }

private:
    template <typename U>
    bool Get(U* outValue) const
    {
        if constexpr (std::is_same_v<T, U>) {
            if (outValue)
                *outValue = Get();
            return true;
        } else {
            return false;
        }
    }

    AAX_CString m_Identifier;
    std::atomic<T> m_Value;
};
