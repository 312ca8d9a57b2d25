#pragma once
// A parameter's identifier and current real value. Each typed getter answers only for the
// value's own type (bool, int32 or float); double and string always answer false.

#include "AAX.h"
#include "AAX_IString.h"

class AAX_IParameterValue {
public:
    virtual ~AAX_IParameterValue() = default;
    virtual AAX_IParameterValue* Clone() const = 0;  // caller owns the copy
    virtual AAX_CParamID Identifier() const = 0;
    virtual bool GetValueAsBool(bool* outValue) const = 0;
    virtual bool GetValueAsInt32(int32_t* outValue) const = 0;
    virtual bool GetValueAsFloat(float* outValue) const = 0;
    virtual bool GetValueAsDouble(double* outValue) const = 0;
    virtual bool GetValueAsString(AAX_IString* outValue) const = 0;
};
