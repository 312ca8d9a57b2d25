#pragma once
// The values the editor shows and edits, whoever keeps them: the module's host parameters
// (CEffectParametersValues) or the ports of an LV2 plug-in (lv2/ui/CBwLv2UiPorts).
//
// Controls are named by engine control index; the two after the last control are the
// joystick axes. Normalised values are the module's host-parameter values (0..1 through the
// control's taper). Threading: the editor's GUI thread only.

#include <cstdint>

class IEditorValues {
public:
    virtual ~IEditorValues() = default;

    // A user gesture on one control (a knob drag) starts and ends around its edits.
    virtual void beginEdit(int32_t nControlIndex) = 0;
    virtual void endEdit(int32_t nControlIndex) = 0;
    // A user edit.
    virtual void setNormalised(int32_t nControlIndex, double dValue) = 0;
    // The control's value now; false when it has none here (the meters read this).
    virtual bool getNormalised(int32_t nControlIndex, double& dValue) const = 0;
    // A value in the control's own units that the engine asked the editor to show; bWhole
    // for controls that hold whole numbers.
    virtual void setPlain(int32_t nControlIndex, float fValue, bool bWhole) = 0;
};
