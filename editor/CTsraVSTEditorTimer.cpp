// The 50 ms timer: meters from the host's meter parameters, pending redraws, the engine's tick.
#include "CTsraVSTEditor.h"

#include "CVuMeterWP.h"

#include <string>

using namespace VSTGUI;

CMessageResult CTsraVSTEditor::notify(CBaseObject* /*pSender*/, IdStringPtr message)
{
    if (message != CVSTGUITimer::kMsgTimer || !m_pPlugIn)
        return kMessageUnknown;
    if (m_pFrame)
        onTimerIdle();
    EditorMessage tick;
    tick.m_uMessageCode = EditorTimerTick;
    m_pPlugIn->onEditorMessage(&tick);
    return kMessageNotified;
}

void CTsraVSTEditor::onTimerIdle()
{
    if (m_bClosing || !m_pFrame)
        return;
    if (!m_Meters.empty() && !m_ControlIndexMap.empty() && m_pPlugIn && m_pEffectParameters) {
        char id[16];
        for (CVuMeterWP* pMeter : m_Meters) {
            const int32_t tag = pMeter->getTag();
            for (int32_t entry : m_MeterTable) {
                if (entry < 0 || entry != tag)
                    continue;
                std::snprintf(id, sizeof id, "%d", entry + 1);
                double value = 0.0;
                if (m_pEffectParameters->GetParameterNormalizedValue(id, &value) == 0) {
                    pMeter->setValue(static_cast<float>(value));
                    pMeter->setDirty(true);
                }
            }
        }
    }
    m_pFrame->idle();
}
