// The 50 ms timer: meters from the editor's values, pending redraws, the engine's tick.
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
    if (!m_Meters.empty() && !m_ControlIndexMap.empty() && m_pPlugIn && m_pValues) {
        for (CVuMeterWP* pMeter : m_Meters) {
            const int32_t tag = pMeter->getTag();
            for (int32_t entry : m_MeterTable) {
                if (entry < 0 || entry != tag)
                    continue;
                double value = 0.0;
                if (m_pValues->getNormalised(entry, value)) {
                    pMeter->setValue(static_cast<float>(value));
                    pMeter->setDirty(true);
                }
            }
        }
    }
    m_pFrame->idle();
}
