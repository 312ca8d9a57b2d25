#pragma once
// Opens the editor on a tape engine offscreen, wired as the host adapter wires it, with a
// recording effect-parameters interface.

#include "CModDelayModule.h"
#include "CTsraVSTEditor.h"
#include "EditorResources.h"
#include "FakeEffectParameters.h"
#include "TsraResources.h"

#include <string>
#include <vector>

// The shipped description.
inline std::string shippedDescription()
{
    tsraRegisterEditorResources();
    const TsraResourceEntry* p = tsraFindResource("DATA", "TSRA.UIDESC");
    return p ? std::string(reinterpret_cast<const char*>(p->pData), p->nSize) : std::string();
}

// The shipped description with extra views appended to the "Editor" template.
inline std::string descriptionWith(const std::string& views)
{
    std::string text = shippedDescription();
    const size_t end = text.find("</template>");
    return text.insert(end, views);
}

// The positions of the controls the editor binds (kinds 100, 102, 103, 104, 106).
inline std::vector<int32_t> controlIndexMap(const CPlugIn& plugIn)
{
    std::vector<int32_t> map;
    for (uint32_t i = 0; i < plugIn.controlList().count(); ++i) {
        const uint32_t kind = plugIn.controlList().get(i)->m_uKind;
        if (kind == 100 || kind == 102 || kind == 103 || kind == 104 || kind == 106)
            map.push_back(static_cast<int32_t>(i));
    }
    return map;
}

struct EditorHarness {
    CModDelayModule m_Engine;
    FakeEffectParameters m_Parameters;
    std::vector<int32_t> m_MeterTable = std::vector<int32_t>(CTsraVSTEditor::kMeterTableSize, -1);
    CTsraVSTEditor m_Editor;

    EditorHarness()
    {
        VSTGUI::CFrame::setOffscreenOverride(true);
        VSTGUI::TimerQueue::current().useManualClock(0);
        m_MeterTable[0] = 16;
        m_MeterTable[1] = 17;
    }
    ~EditorHarness()
    {
        m_Editor.close();
        VSTGUI::TimerQueue::current().useSystemClock();
    }

    bool open(const std::string& description)
    {
        if (!m_Editor.open(reinterpret_cast<void*>(1), &m_Engine, description.data(), description.size()))
            return false;
        m_Editor.notifyOpened();
        m_Editor.setEffectParameters(&m_Parameters);
        const std::vector<int32_t> map = controlIndexMap(m_Engine);
        m_Editor.setControlIndexMap(map.data(), static_cast<int32_t>(map.size()));
        m_Editor.setMeterTable(m_MeterTable.data());
        m_Editor.syncAllViews();
        return true;
    }
    VSTGUI::OffscreenFrame* io() const { return VSTGUI::OffscreenFrame::of(m_Editor.getFrame()); }
};
