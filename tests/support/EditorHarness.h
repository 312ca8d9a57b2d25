#pragma once
// Opens the editor on a tape engine (TEngine, a CModDelayModule) offscreen, wired as the host
// adapter wires it, with a recording effect-parameters interface and a manual clock.

#include "CKnobWP.h"
#include "CModDelayModule.h"
#include "CTsraVSTEditor.h"
#include "EditorResources.h"
#include "FakeEffectParameters.h"
#include "TsraResources.h"

#include <cstdio>
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
    return text.insert(text.find("</template>"), views);
}

template <class TEngine = CModDelayModule>
struct TEditorHarness {
    TEngine m_Engine;
    FakeEffectParameters m_Parameters;
    std::vector<int32_t> m_MeterTable = std::vector<int32_t>(CTsraVSTEditor::kMeterTableSize, -1);
    CTsraVSTEditor m_Editor;

    TEditorHarness()
    {
        VSTGUI::CFrame::setOffscreenOverride(true);
        VSTGUI::TimerQueue::current().useManualClock(0);
        m_MeterTable[0] = 16;
        m_MeterTable[1] = 17;
    }
    ~TEditorHarness()
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
        const std::vector<int32_t> map = CTsraVSTEditor::controlIndexMapFor(m_Engine);
        m_Editor.setControlIndexMap(map.data(), static_cast<int32_t>(map.size()));
        m_Editor.setMeterTable(m_MeterTable.data());
        m_Editor.syncAllViews();
        return true;
    }
    VSTGUI::OffscreenFrame* io() const { return VSTGUI::OffscreenFrame::of(m_Editor.getFrame()); }
};
using EditorHarness = TEditorHarness<>;

inline CKnobWP* knobOfTag(const CTsraVSTEditor& editor, int32_t nTag)
{
    for (CKnobWP* k : editor.knobs())
        if (k->getTag() == nTag)
            return k;
    return nullptr;
}

// What the editor sent the host: "t 5", "v 5 0.250", "r 5", ..., values to nDigits decimals.
inline std::string sentEvents(const FakeEffectParameters& parameters, int nDigits = 3)
{
    std::string text;
    for (const FakeEffectParameters::SEvent& e : parameters.m_Events) {
        char value[32] = "";
        if (e.m_cKind == 'v')
            std::snprintf(value, sizeof value, " %.*f", nDigits, e.m_fValue);
        text += (text.empty() ? "" : ", ") + std::string(1, e.m_cKind) + " " + e.m_ID + value;
    }
    return text;
}
