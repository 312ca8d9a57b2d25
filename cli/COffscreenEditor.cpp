#include "COffscreenEditor.h"

#include "CEffectSession.h"
#include "CliError.h"
#include "EditorResources.h"
#include "TsraResources.h"

#include <cstdlib>
#include <vector>

using namespace VSTGUI;

COffscreenEditor::COffscreenEditor(const CEffectSession& session)
{
    tsraRegisterEditorResources();
    const TsraResourceEntry* pDescription = tsraFindResource("DATA", "TSRA.UIDESC");
    if (!pDescription)
        throw CCliError("the editor's description is missing from this program");
    CFrame::setOffscreenOverride(true);
    TimerQueue::current().useManualClock(0);
    if (!m_Editor.open(reinterpret_cast<void*>(1), &m_Engine, pDescription->pData, pDescription->nSize)) {
        TimerQueue::current().useSystemClock();
        throw CCliError("the editor did not open");
    }
    // The host's parameter order skips the records that are not host parameters.
    std::vector<int32_t> map;
    for (uint32_t i = 0; i < m_Engine.controlList().count(); ++i) {
        const uint32_t kind = m_Engine.controlList().get(i)->m_uKind;
        if (kind == 100 || kind == 102 || kind == 103 || kind == 104 || kind == 106)
            map.push_back(static_cast<int32_t>(i));
    }
    m_Editor.setControlIndexMap(map.data(), static_cast<int32_t>(map.size()));
    m_Editor.syncAllViews();
    for (const SParameterInfo& p : session.Parameters()) {
        char* pEnd = nullptr;
        const long id = std::strtol(p.m_ID.c_str(), &pEnd, 10);
        if (*pEnd == '\0' && id >= 1)
            m_Editor.updateControl(static_cast<uint32_t>(id - 1), static_cast<float>(session.NormalizedValue(p)));
    }
}

COffscreenEditor::~COffscreenEditor()
{
    m_Editor.close();
    TimerQueue::current().useSystemClock();
}

void COffscreenEditor::Settle()
{
    OffscreenFrame::of(Frame())->advanceTime(CTsraVSTEditor::kTimerPeriodMs);
}
