#pragma once
// The editor's values as the plug-in's LV2 ports: edits go out through the host's
// write_function in each port's own units, gestures through ui:touch; port events from the
// host are kept, so the meters and later reads see them.
//
// Normalised <-> port units through the module's own tapers (TsraControlTapers.h), so a
// knob position means the same value in the module and here. The joystick axes have no
// port: edits of them go nowhere.
//
// Ownership: the tapers are owned; the host's controller and touch feature are not.
// Threading: the host's UI thread only.

#include "AAX_ITaperDelegate.h"
#include "BwLv2Ports.h"
#include "CPlugIn.h"
#include "IEditorValues.h"

#include <lv2/ui/ui.h>

#include <memory>

class CBwLv2UiPorts : public IEditorValues {
public:
    // pTouch may be null (the host offers no ui:touch).
    CBwLv2UiPorts(const CPlugIn& records, LV2UI_Write_Function pWrite, LV2UI_Controller pController,
                  const LV2UI_Touch* pTouch);

    // A value the host reports for a port (format 0: one float). Returns false for ports
    // the editor does not show.
    bool received(uint32_t uPort, float fValue);

    float portValue(uint32_t uPort) const { return uPort < bwlv2::kFirstAudioPort ? m_fPort[uPort] : 0.0f; }
    // Both directions of the mapping, for control ports 0..15.
    float toPort(uint32_t uPort, double dNormalised) const;
    double toNormalised(uint32_t uPort, float fValue) const;

    void beginEdit(int32_t nControlIndex) override;
    void endEdit(int32_t nControlIndex) override;
    void setNormalised(int32_t nControlIndex, double dValue) override;
    bool getNormalised(int32_t nControlIndex, double& dValue) const override;
    void setPlain(int32_t nControlIndex, float fValue, bool bWhole) override;

private:
    static bool isControl(int32_t n) { return n >= 0 && n < static_cast<int32_t>(bwlv2::kControlPorts); }
    void write(uint32_t uPort, float fValue);

    LV2UI_Write_Function m_pWrite;
    LV2UI_Controller m_pController;
    const LV2UI_Touch* m_pTouch;
    // One of the two per control port: lists use the whole-number taper.
    std::unique_ptr<AAX_ITaperDelegate<float>> m_pNumberTaper[bwlv2::kControlPorts];
    std::unique_ptr<AAX_ITaperDelegate<int32_t>> m_pListTaper[bwlv2::kControlPorts];
    float m_fPort[bwlv2::kFirstAudioPort] = {};
};
