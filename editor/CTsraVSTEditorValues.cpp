// Values between views, host parameters and the engine: bindings, synchronisation, host
// updates, user edits, edit gestures and the mouse hand-over to the host.
#include "CTsraVSTEditor.h"

#include "AAX_CString.h"
#include "AAX_CVoltOctaveTaperDelegate.h"  // the fast log2 and 2^x the volt/octave taper uses
#include "CKickButtonWP.h"
#include "CKnobWP.h"
#include "CSliderWP.h"
#include "CTSRASwitchView.h"
#include "CVuMeterWP.h"
#include "CXYPadWP.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace VSTGUI;

namespace {
constexpr float kLogTaperDecades = 2.4f;

// Items of a list control's comma-separated text, "SWITCH_OFF"/"SWITCH_ON" shown as "OFF"/"ON".
std::vector<std::string> listItems(const ControlRecord& r)
{
    std::vector<std::string> items;
    const std::string text = r.m_pEnumText ? r.m_pEnumText : "";
    if (text.empty())
        return items;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            comma = text.size();
        std::string item = text.substr(start, comma - start);
        if (item == "SWITCH_OFF")
            item = "OFF";
        else if (item == "SWITCH_ON")
            item = "ON";
        items.push_back(item);
        start = comma + 1;
    }
    return items;
}

bool isList(const ControlRecord& r) { return r.m_uDataType == kDataUInt32; }

template <class T>
void collect(std::vector<T*>& out, const std::vector<T*>& views, int32_t nTag)
{
    for (T* p : views)
        if (p->getTag() == nTag)
            out.push_back(p);
}
}  // namespace

void CTsraVSTEditor::setEffectParameters(AAX_IEffectParameters* p)
{
    m_EffectParametersValues.setParameters(p);
    m_pValues = p ? &m_EffectParametersValues : nullptr;
}

void CTsraVSTEditor::setControlIndexMap(const int32_t* pIndices, int32_t nCount)
{
    m_ControlIndexMap.clear();
    if (pIndices && nCount > 0)
        m_ControlIndexMap.assign(pIndices, pIndices + nCount);
    rebuildBindings();
}

std::vector<int32_t> CTsraVSTEditor::controlIndexMapFor(const CPlugIn& plugIn)
{
    constexpr uint32_t kEditorControlKinds[] = {100, 102, 103, 104, 106};
    std::vector<int32_t> map;
    const ControlList& controls = plugIn.controlList();
    for (uint32_t i = 0; i < controls.count(); ++i) {
        const ControlRecord* r = controls.get(i);
        for (uint32_t kind : kEditorControlKinds)
            if (r && r->m_uKind == kind) {
                map.push_back(static_cast<int32_t>(i));
                break;
            }
    }
    return map;
}

void CTsraVSTEditor::setMeterTable(const int32_t* pTable)
{
    if (pTable)
        std::copy(pTable, pTable + kMeterTableSize, m_MeterTable.begin());
    else
        m_MeterTable.fill(-1);
}

void CTsraVSTEditor::rebuildBindings()
{
    m_Bindings.assign(m_ControlIndexMap.size(), SBinding());
    for (size_t p = 0; p < m_Bindings.size(); ++p) {
        SBinding& b = m_Bindings[p];
        const auto tag = static_cast<int32_t>(p);
        collect(b.m_Labels, m_Labels, tag);
        collect(b.m_TextEdits, m_TextEdits, tag);
        collect(b.m_Knobs, m_Knobs, tag);
        collect(b.m_Sliders, m_Sliders, tag);
        collect(b.m_VerticalSwitches, m_VerticalSwitches, tag);
        collect(b.m_HorizontalSwitches, m_HorizontalSwitches, tag);
        collect(b.m_OnOffButtons, m_OnOffButtons, tag);
        collect(b.m_Meters, m_Meters, tag);
        collect(b.m_KickButtons, m_KickButtons, tag);
        collect(b.m_OptionMenus, m_OptionMenus, tag);
        collect(b.m_SegmentButtons, m_SegmentButtons, tag);
    }
}

int32_t CTsraVSTEditor::controlIndexForTag(int32_t nTag) const
{
    if (nTag < 0)
        return -1;
    const int32_t position = tagPosition(nTag);
    if (position < 0 || static_cast<size_t>(position) >= m_ControlIndexMap.size())
        return -1;
    return m_ControlIndexMap[static_cast<size_t>(position)];
}

const ControlRecord* CTsraVSTEditor::recordForIndex(int32_t nControlIndex) const
{
    if (nControlIndex < 0 || static_cast<size_t>(nControlIndex) >= m_Controls.size())
        return nullptr;
    return &m_Controls[static_cast<size_t>(nControlIndex)];
}

const ControlRecord* CTsraVSTEditor::recordAtPosition(int32_t nPosition) const
{
    return recordForIndex(controlIndexForTag(nPosition));
}

float CTsraVSTEditor::normalisedDefault(const ControlRecord& r) const
{
    float x = 0;
    switch (r.m_uDataType) {
    case kDataInt32: x = static_cast<float>(r.m_nDefault); break;
    case kDataFloat: x = r.m_fDefault; break;
    case kDataDouble: x = r.m_fDefaultDouble; break;
    case kDataUInt32: x = static_cast<float>(r.m_uDefault); break;
    default: break;
    }
    const float range = r.m_fMax - r.m_fMin;
    const float f = range != 0.0f ? (x - r.m_fMin) / range : 0.0f;
    if (!isList(r) && r.m_bLogTaper)
        return std::pow(10.0f, (f - 1.0f) * kLogTaperDecades);
    if (!isList(r) && r.m_bVoltOctaveTaper && r.m_fMin > 0.0f && x > 0.0f)
        return AAX_FastMath::Log2(x / r.m_fMin) / AAX_FastMath::Log2(r.m_fMax / r.m_fMin);
    return f;
}

std::string CTsraVSTEditor::valueText(const ControlRecord& r, float fPosition, int32_t nPrecision) const
{
    const float x = r.m_fMin + (r.m_fMax - r.m_fMin) * fPosition;
    char buf[128] = {};
    if (r.m_uDataType == kDataInt32) {
        std::snprintf(buf, sizeof buf, "%d", static_cast<int>(x));
    } else if (isList(r)) {
        const std::vector<std::string> items = listItems(r);
        const auto k = static_cast<long>(std::floor(x + 0.5f));
        if (k >= 0 && static_cast<size_t>(k) < items.size())
            std::snprintf(buf, sizeof buf, "%s", items[static_cast<size_t>(k)].c_str());
    } else {
        std::snprintf(buf, sizeof buf, "%.*f", std::clamp(nPrecision, 0, 32), static_cast<double>(x));
    }
    std::string text = buf;
    if (m_bAppendUnits) {
        const char* pUnits = r.m_pUnits ? r.m_pUnits : "";
        while (*pUnits == ' ' || *pUnits == '\t')
            ++pUnits;
        text += ' ';
        text += pUnits;
    }
    return text;
}

void CTsraVSTEditor::syncAllViews()
{
    if (!m_pFrame)
        return;
    if (m_pPlugIn && !m_ControlIndexMap.empty()) {
        for (COptionMenu* p : m_OptionMenus) {
            const ControlRecord* r = recordAtPosition(p->getTag());
            if (p->getTag() < 0 || !r)
                continue;
            p->removeAllEntry();
            if (isList(*r)) {
                const std::vector<std::string> items = listItems(*r);
                for (const std::string& item : items)
                    p->addEntry(item.c_str());
                if (items.empty()) {
                    p->addEntry("-n/a-");
                    p->setMax(0);
                }
            } else {
                p->addEntry("min");
                p->addEntry("max");
                p->setMax(1);
            }
            p->setValue(0);
        }
        for (CXYPadWP* p : m_XYPads) {
            if (p->getTag() == kTagJoystick && p->getXTag() == kTagJoystickX && p->getYTag() == kTagJoystickY) {
                // The engine's axes run -1..1, Y upwards; the pad's y grows downwards.
                const float x = (m_pPlugIn->m_JoystickX.m_fJoystickValue + 1.0f) * 0.5f;
                const float y = (1.0f - m_pPlugIn->m_JoystickY.m_fJoystickValue) * 0.5f;
                p->setValue(CXYPad::calculateValue(x, y));
            } else if (p->getCentreOnSync()) {
                p->setValue(CXYPad::calculateValue(0.5f, 0.5f));
            }
        }
        for (CControl* p : m_Sliders) {
            const ControlRecord* r = p->getTag() >= 0 ? recordAtPosition(p->getTag()) : nullptr;
            if (!r)
                continue;
            p->setDefaultValue(normalisedDefault(*r));
            if (isList(*r)) {
                const auto steps = static_cast<float>(listItems(*r).size()) - 1.0f;
                if (auto* v = dynamic_cast<CVerticalSliderWP*>(p))
                    v->setSwitchSteps(steps);
                else if (auto* hz = dynamic_cast<CHorizontalSliderWP*>(p))
                    hz->setSwitchSteps(steps);
            }
        }
        for (CKnobWP* p : m_Knobs) {
            const ControlRecord* r = p->getTag() >= 0 ? recordAtPosition(p->getTag()) : nullptr;
            if (!r)
                continue;
            p->setDefaultValue(normalisedDefault(*r));
            if (isList(*r))
                p->setSwitchSteps(static_cast<float>(listItems(*r).size()) - 1.0f);
        }
        for (CVuMeterWP* p : m_Meters) {
            const ControlRecord* r = p->getTag() >= 0 ? recordAtPosition(p->getTag()) : nullptr;
            if (!r)
                continue;
            p->follower().setup(1000.0f / static_cast<float>(kTimerPeriodMs), r->m_fMeterAttack_ms,
                                r->m_fMeterRelease_ms, true, r->m_uMeterDetection, r->m_uMeterFlags[3] != 0);
            p->follower().reset();
        }
    }
    m_pFrame->onActivate(true);
}

void CTsraVSTEditor::showPage(int32_t nSwitchTag, int32_t nPage)
{
    for (CViewContainer* p : m_Containers)
        if (auto* s = dynamic_cast<CTSRASwitchView*>(p); s && s->getSwitchTag() == nSwitchTag)
            s->setCurrentViewIndex(nPage);
}

void CTsraVSTEditor::updateControl(uint32_t uControlIndex, float v)
{
    if (m_ControlIndexMap.empty() || uControlIndex > static_cast<uint32_t>(INT32_MAX))
        return;
    const auto index = static_cast<int32_t>(uControlIndex);
    // The joystick parameters follow the controls: N is X, N + 1 is Y (upwards).
    const auto n = static_cast<int32_t>(m_Controls.size());
    if (index == n || index == n + 1) {
        for (CXYPadWP* pad : m_XYPads) {
            if (pad->isDragging() || pad->getTag() != kTagJoystick)
                continue;
            float x = 0, y = 0;
            CXYPad::calculateXY(pad->getValue(), x, y);
            pad->setValue(index == n ? CXYPad::calculateValue(v, y) : CXYPad::calculateValue(x, 1.0f - v));
            pad->setDirty(true);
        }
        return;
    }
    const ControlRecord* r = recordAtPosition(index);
    if (!r)
        return;
    const float range = r->m_fMax - r->m_fMin;

    float p = v;
    if (r->m_bLogTaper && !isList(*r)) {
        p = v > 0.0f ? 1.0f + std::log10(v) / kLogTaperDecades : 0.0f;
    } else if (r->m_bVoltOctaveTaper) {
        if (isList(*r)) {
            const int32_t i = controlIndexForTag(index);
            p = m_pPlugIn && i >= 0 ? m_pPlugIn->getControlValue(static_cast<uint32_t>(i)) : v;
        } else if (r->m_fMin > 0.0f && range != 0.0f) {
            p = (r->m_fMin * AAX_FastMath::Pow2(v * AAX_FastMath::Log2(r->m_fMax / r->m_fMin)) - r->m_fMin) / range;
        }
    }

    for (CXYPadWP* pad : m_XYPads) {
        if (pad->isDragging() || (pad->getXTag() != index && pad->getYTag() != index))
            continue;
        float x = 0, y = 0;
        CXYPad::calculateXY(pad->getValue(), x, y);
        pad->setValue(pad->getXTag() == index ? CXYPad::calculateValue(v, y) : CXYPad::calculateValue(x, 1.0f - v));
        pad->setDirty(true);
    }

    if (static_cast<size_t>(index) >= m_Bindings.size())
        return;
    const SBinding& b = m_Bindings[static_cast<size_t>(index)];
    for (CTextLabel* l : b.m_Labels) {
        l->setText(valueText(*r, p, l->getPrecision()));
        l->setDirty(true);
    }
    for (CTextEdit* e : b.m_TextEdits) {
        e->setValue(v);
        e->setText(valueText(*r, p, e->getPrecision()));
        e->setDirty(true);
    }
    for (CKnobWP* k : b.m_Knobs)
        if (!k->isEditing()) {
            k->setValue(v);
            k->setDirty(true);
        }
    for (CControl* s : b.m_Sliders)
        if (!s->isEditing()) {
            s->setValue(v);
            s->setDirty(true);
        }
    for (COnOffButton* c : b.m_OnOffButtons) {
        c->setValue(v);
        c->setDirty(true);
    }
    for (CKickButtonWP* c : b.m_KickButtons) {
        c->setValue(v);
        c->setDirty(true);
    }
    for (CVuMeterWP* c : b.m_Meters) {
        c->setValue(v);
        c->setDirty(true);
    }
    auto stepTo = [&](CControl* c) {
        const float n = std::floor(c->getMax() * v + 0.5f);
        c->setValue(n);
        c->setDirty(true);
        showPage(index, static_cast<int32_t>(n));
    };
    for (CVerticalSwitch* c : b.m_VerticalSwitches)
        stepTo(c);
    for (CHorizontalSwitch* c : b.m_HorizontalSwitches)
        stepTo(c);
    for (COptionMenu* c : b.m_OptionMenus)
        stepTo(c);
    for (CSegmentButton* c : b.m_SegmentButtons)
        stepTo(c);
}

void CTsraVSTEditor::setParameter(int32_t nControlIndex, double fValue)
{
    if (m_pValues)
        m_pValues->setNormalised(nControlIndex, fValue);
}

void CTsraVSTEditor::valueChanged(CControl* pControl)
{
    if (!m_pPlugIn || !pControl)
        return;
    const int32_t tag = pControl->getTag();
    if (tag == kTagAssign1 || tag == kTagAssign2 || tag == kTagAssign3) {
        m_pPlugIn->controlChanged(50 + (tag - kTagAssign1));
        return;
    }
    if (m_ControlIndexMap.empty())
        return;
    if (tag == kTagJoystick) {
        auto* pad = dynamic_cast<CXYPadWP*>(pControl);
        if (!pad || pad->getXTag() != kTagJoystickX || pad->getYTag() != kTagJoystickY)
            return;
        float x = 0, y = 0;
        CXYPad::calculateXY(pad->getValue(), x, y);
        m_fJoystickX = 2.0f * x - 1.0f;
        m_fJoystickY = 1.0f - 2.0f * y;
        const auto n = static_cast<int32_t>(m_Controls.size());
        setParameter(n, x);
        setParameter(n + 1, 1.0 - y);
        return;
    }
    if (tag == kTagTrackPad) {
        auto* pad = dynamic_cast<CXYPadWP*>(pControl);
        if (!pad)
            return;
        float x = 0, y = 0;
        CXYPad::calculateXY(pad->getValue(), x, y);
        const int32_t ix = controlIndexForTag(pad->getXTag());
        const int32_t iy = controlIndexForTag(pad->getYTag());
        if (ix >= 0)
            sendValue(ix, x, recordForIndex(ix), pControl);
        if (iy >= 0)
            sendValue(iy, 1.0f - y, recordForIndex(iy), pControl);
        return;
    }
    if (tag >= kTagPageFirst && tag <= kTagPageLast) {
        const float value = pControl->getValue();
        showPage(tag, static_cast<int32_t>(std::floor(value)));
        auto follow = [&](auto& views) {
            for (auto* c : views)
                if (c != pControl && c->getTag() == tag) {
                    c->setValue(value);
                    c->setDirty(true);
                }
        };
        follow(m_VerticalSwitches);
        follow(m_HorizontalSwitches);
        follow(m_OptionMenus);
        follow(m_SegmentButtons);
        return;
    }
    const int32_t index = controlIndexForTag(tag);
    const ControlRecord* r = recordForIndex(index);
    if (index < 0 || !r)
        return;
    float value = pControl->getValueNormalized();
    if (auto* edit = dynamic_cast<CTextEdit*>(pControl)) {
        const std::string& text = edit->getText();
        float x = 0;
        if (isList(*r)) {
            const std::vector<std::string> items = listItems(*r);
            const auto it = std::find(items.begin(), items.end(), text);
            x = it != items.end() ? static_cast<float>(it - items.begin()) : std::strtof(text.c_str(), nullptr);
        } else {
            x = std::strtof(text.c_str(), nullptr);
            if (r->m_uDataType == kDataInt32)
                x = std::trunc(x);
        }
        x = std::clamp(x, std::min(r->m_fMin, r->m_fMax), std::max(r->m_fMin, r->m_fMax));
        ControlRecord scratch(*r);
        scratch.m_nDefault = static_cast<int32_t>(x);
        scratch.m_fDefault = scratch.m_fDefaultDouble = x;
        scratch.m_uDefault = static_cast<uint32_t>(std::max(0.0f, x));
        value = normalisedDefault(scratch);
    }
    sendValue(index, value, r, pControl);
}

void CTsraVSTEditor::sendValue(int32_t nControlIndex, float fValue, const ControlRecord* r, CControl* pControl)
{
    if (!m_pValues)
        return;
    const float range = r ? r->m_fMax - r->m_fMin : 1.0f;
    double normalised = fValue;
    float actual = r ? r->m_fMin + range * fValue : fValue;
    if (r && isList(*r)) {
        const bool bIndexValued = dynamic_cast<COptionMenu*>(pControl) || dynamic_cast<CSwitchBase*>(pControl) ||
                                  dynamic_cast<CSegmentButton*>(pControl);
        const float k = bIndexValued ? pControl->getValue() : std::floor(r->m_fMin + range * fValue + 0.5f);
        normalised = range != 0.0f ? (static_cast<double>(k) - r->m_fMin) / range : 0.0;
        actual = k;
        showPage(nControlIndex, static_cast<int32_t>(k));
    }
    setParameter(nControlIndex, normalised);
    if (!r || !pControl || !m_pPlugIn)
        return;
    EditorUpdate* pList = nullptr;
    if (!m_pPlugIn->collectEditorUpdates(static_cast<int32_t>(r->m_uControlId), actual, &pList, true))
        return;
    for (EditorUpdate* e = pList; e; e = e->m_pNext) {
        for (size_t i = 0; i < m_Controls.size(); ++i) {
            if (m_Controls[i].m_uControlId != e->m_uControlId)
                continue;
            const uint32_t type = m_Controls[i].m_uDataType;
            m_pValues->setPlain(static_cast<int32_t>(i), e->m_fValue, type != kDataFloat && type != kDataDouble);
            break;
        }
    }
    m_pPlugIn->releaseEditorUpdates(&pList);
    while (pList) {
        EditorUpdate* pNext = pList->m_pNext;
        delete pList;
        pList = pNext;
    }
}

void CTsraVSTEditor::controlBeginEdit(CControl* pControl)
{
    if (m_pValues && pControl)
        m_pValues->beginEdit(pControl->getTag());
}

void CTsraVSTEditor::controlEndEdit(CControl* pControl)
{
    if (m_pValues && pControl)
        m_pValues->endEdit(pControl->getTag());
}

bool CTsraVSTEditor::handOverMouse(const CPoint& where, const CButtonState& buttons, bool bDown)
{
    if (!m_pViewContainer)
        return false;
    auto visibleAt = [&](CView* v) {
        if (!v->isVisibleInTree())
            return false;
        for (CView* p = v; p; p = p->getParentView())
            if (p->getAlphaValue() <= 0.0f)
                return false;
        return v->translateToGlobal(v->getViewSize()).pointInside(where);
    };
    CControl* pHit = nullptr;
    auto search = [&](const auto& views) {
        for (auto* v : views)
            if (!pHit && visibleAt(v))
                pHit = v;
    };
    search(m_Labels);
    search(m_TextEdits);
    search(m_Knobs);
    search(m_Sliders);
    search(m_VerticalSwitches);
    search(m_HorizontalSwitches);
    search(m_OnOffButtons);
    search(m_KickButtons);
    search(m_OptionMenus);
    search(m_SegmentButtons);
    search(m_Meters);
    search(m_XYPads);
    if (!pHit)
        return false;
    int32_t tag = pHit->getTag();
    if ((tag >= kTagAssign1 && tag <= kTagReservedLast) || (tag >= kTagPageFirst && tag <= kTagPageLast))
        tag = -1;
    if (tag < 0)
        return false;
    uint32_t modifiers = 0;
    if (buttons & kShift)
        modifiers |= 1;
    if (buttons & kApple)
        modifiers |= 2;
    if (buttons & kAlt)
        modifiers |= 4;
    if (buttons & kControl)
        modifiers |= 8;
    if (buttons & kRButton)
        modifiers |= 16;
    uint32_t hostModifiers = 0;
    if (m_pViewContainer->GetModifiers(&hostModifiers) == 0)
        modifiers |= hostModifiers;
    const std::string id = std::to_string(tag + 1);
    const AAX_Result result = bDown ? m_pViewContainer->HandleParameterMouseDown(id.c_str(), modifiers)
                                    : m_pViewContainer->HandleParameterMouseDrag(id.c_str(), modifiers);
    return result == 0;
}

CMouseEventResult CTsraVSTEditor::onMouseDown(CFrame*, const CPoint& where, const CButtonState& buttons)
{
    return handOverMouse(where, buttons, true) ? kMouseEventHandled : kMouseEventNotHandled;
}

CMouseEventResult CTsraVSTEditor::onMouseMoved(CFrame*, const CPoint& where, const CButtonState& buttons)
{
    // Only a drag is the host's business; a hovering pointer is not.
    if (!buttons.getButtonState())
        return kMouseEventNotHandled;
    return handOverMouse(where, buttons, false) ? kMouseEventHandled : kMouseEventNotHandled;
}
