#include "CBwLv2UiPorts.h"

#include "TsraControlTapers.h"

#include <algorithm>
#include <cmath>

using namespace bwlv2;

CBwLv2UiPorts::CBwLv2UiPorts(const CPlugIn& records, LV2UI_Write_Function pWrite, LV2UI_Controller pController,
                             const LV2UI_Touch* pTouch)
    : m_pWrite(pWrite), m_pController(pController), m_pTouch(pTouch)
{
    for (uint32_t i = 0; i < kControlPorts; ++i) {
        const ControlRecord* r = records.controlRecord(i);
        if (!r)
            continue;
        // As the module makes its host parameters (Tessera_ParametersInit.cpp).
        if (r->m_uDataType == kDataUInt32)
            m_pListTaper[i] = TsraMakeListTaper(*r);
        else
            m_pNumberTaper[i] = TsraMakeNumberTaper<float>(*r, r->m_fMin, r->m_fMax);
        m_fPort[i] = records.getControlValue(i);
    }
}

float CBwLv2UiPorts::toPort(uint32_t uPort, double dNormalised) const
{
    if (uPort >= kControlPorts)
        return 0.0f;
    if (m_pListTaper[uPort])
        return static_cast<float>(m_pListTaper[uPort]->NormalizedToReal(dNormalised));
    return m_pNumberTaper[uPort] ? m_pNumberTaper[uPort]->NormalizedToReal(dNormalised) : 0.0f;
}

double CBwLv2UiPorts::toNormalised(uint32_t uPort, float fValue) const
{
    if (uPort >= kControlPorts)
        return 0.0;
    if (m_pListTaper[uPort]) {
        const auto& taper = *m_pListTaper[uPort];
        return taper.RealToNormalized(taper.ConstrainRealValue(static_cast<int32_t>(std::lround(fValue))));
    }
    if (!m_pNumberTaper[uPort])
        return 0.0;
    const auto& taper = *m_pNumberTaper[uPort];
    return taper.RealToNormalized(std::clamp(fValue, taper.GetMinimumValue(), taper.GetMaximumValue()));
}

bool CBwLv2UiPorts::received(uint32_t uPort, float fValue)
{
    if (uPort >= kFirstAudioPort || !std::isfinite(fValue))
        return false;
    m_fPort[uPort] = fValue;
    return true;
}

void CBwLv2UiPorts::write(uint32_t uPort, float fValue)
{
    m_fPort[uPort] = fValue;
    if (m_pWrite)
        m_pWrite(m_pController, uPort, sizeof fValue, 0, &fValue);
}

void CBwLv2UiPorts::beginEdit(int32_t nControlIndex)
{
    if (isControl(nControlIndex) && m_pTouch && m_pTouch->touch)
        m_pTouch->touch(m_pTouch->handle, static_cast<uint32_t>(nControlIndex), true);
}

void CBwLv2UiPorts::endEdit(int32_t nControlIndex)
{
    if (isControl(nControlIndex) && m_pTouch && m_pTouch->touch)
        m_pTouch->touch(m_pTouch->handle, static_cast<uint32_t>(nControlIndex), false);
}

void CBwLv2UiPorts::setNormalised(int32_t nControlIndex, double dValue)
{
    if (isControl(nControlIndex) && std::isfinite(dValue))
        write(static_cast<uint32_t>(nControlIndex), toPort(static_cast<uint32_t>(nControlIndex), dValue));
}

bool CBwLv2UiPorts::getNormalised(int32_t nControlIndex, double& dValue) const
{
    if (isControl(nControlIndex)) {
        dValue = toNormalised(static_cast<uint32_t>(nControlIndex), m_fPort[nControlIndex]);
        return true;
    }
    // The meters' host parameters run linearly over 0..1, a linear peak level.
    if (nControlIndex == static_cast<int32_t>(kMeterPortL) || nControlIndex == static_cast<int32_t>(kMeterPortR)) {
        dValue = std::clamp(static_cast<double>(m_fPort[nControlIndex]), 0.0, 1.0);
        return true;
    }
    return false;
}

void CBwLv2UiPorts::setPlain(int32_t nControlIndex, float fValue, bool bWhole)
{
    if (!isControl(nControlIndex) || !std::isfinite(fValue))
        return;
    // Through the taper's constraint, as the module's parameter stores a plain value.
    const auto uPort = static_cast<uint32_t>(nControlIndex);
    if (m_pListTaper[uPort])
        write(uPort, static_cast<float>(m_pListTaper[uPort]->ConstrainRealValue(static_cast<int32_t>(fValue))));
    else if (m_pNumberTaper[uPort])
        write(uPort, m_pNumberTaper[uPort]->ConstrainRealValue(bWhole ? std::trunc(fValue) : fValue));
}
