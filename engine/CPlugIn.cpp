#include "CPlugIn.h"

#include <algorithm>
#include <cmath>

CPlugIn::CPlugIn()
{
    // Equal-tempered note table, accumulated in double so the error does not build up in float.
    double dFreq = 8.175798915636872;
    for (int i = 0; i < kMidiNoteCount; ++i) {
        m_fMidiNoteFreq_Hz[i] = static_cast<float>(dFreq);
        dFreq *= 1.059463094359;
    }
    m_pJoystickProgram = std::make_unique<JoystickProgram>();

    m_JoystickX.setName("MIDI JS X");
    m_JoystickY.setName("MIDI JS Y");
    m_JoystickX.m_uMidiStatus = m_JoystickY.m_uMidiStatus = 176;
    m_JoystickX.m_uMidiController = 16;
    m_JoystickY.m_uMidiController = 17;
}

CPlugIn::~CPlugIn()
{
    m_pValueEntries.reset();
    m_ControlList.destroyAll();
    m_ppControls.reset();
}

bool CPlugIn::resetForSampleRate()
{
    collectSmoothed();
    m_bSmoothingAtRest = false;
    for (uint32_t i = 0; i < m_uControlCount; ++i) {
        ControlRecord* p = m_ppControls ? m_ppControls[i] : nullptr;
        if (!p || !p->m_bSmooth)
            continue;
        float fStart = 0.0f;
        if (p->m_uDataType == kDataFloat && p->m_pFloat)
            fStart = *p->m_pFloat;
        else if (p->m_uDataType == kDataDouble && p->m_pDouble)
            fStart = static_cast<float>(*p->m_pDouble);
        prepareSmoother(*p, fStart, m_nSampleRate);
    }
    if (m_JoystickX.m_bSmooth)
        prepareSmoother(m_JoystickX, m_JoystickX.m_fJoystickValue, m_nSampleRate);
    if (m_JoystickY.m_bSmooth)
        prepareSmoother(m_JoystickY, m_JoystickY.m_fJoystickValue, m_nSampleRate);
    return true;
}

void CPlugIn::restSmootherAt(ControlRecord& r, float fValue)
{
    r.m_fSmoothTarget = fValue;
    r.m_fSmoothZ = r.m_fSmoothLast = fValue;
    r.m_dSmoothZ = r.m_dSmoothLast = fValue;
    r.m_bSmoothSettled = false;
}

void CPlugIn::prepareSmoother(ControlRecord& r, float fStart, int32_t nSampleRate)
{
    const float fTime_samples = r.m_fSmoothTime_ms * 0.001f * static_cast<float>(nSampleRate);
    const float a = std::exp(-6.2831855f / fTime_samples);  // one-pole, single precision
    r.m_fSmoothA = a;
    r.m_fSmoothB = 1.0f - a;
    r.m_fSmoothZ = r.m_fSmoothLast = fStart;
    r.m_dSmoothA = a;
    r.m_dSmoothB = 1.0f - a;
    r.m_dSmoothZ = r.m_dSmoothLast = fStart;
    r.m_fSmoothTarget = fStart;
    r.m_bSmoothSettled = false;  // a + b may not be exactly 1: let the recursion find its rest
}

bool CPlugIn::processFrame(const float*, float*, uint32_t, uint32_t) { return true; }
bool CPlugIn::controlChanged(int32_t) { return true; }
bool CPlugIn::onHostAttach() { return true; }
bool CPlugIn::onJoystickMix(float, float, float, float, float, float) { return true; }
bool CPlugIn::processBlock(const float*, float*, uint32_t, uint32_t, uint32_t) { return true; }
bool CPlugIn::processChannelBuffers(float**, float**, uint32_t, uint32_t) { return true; }

bool CPlugIn::processFrames(const float* const* ppIn, float* const* ppOut, uint32_t uInChannels,
                            uint32_t uOutChannels, uint32_t uFrames)
{
    if (uInChannels < 1 || uInChannels > 2 || uOutChannels < 1 || uOutChannels > 2)
        return false;
    for (uint32_t i = 0; i < uFrames; ++i) {
        float in[2] = {0.0f, 0.0f}, out[2] = {0.0f, 0.0f};
        for (uint32_t c = 0; c < uInChannels; ++c)
            in[c] = ppIn[c][i];  // copied first: the output may be the same buffer
        processFrame(in, out, uInChannels, uOutChannels);
        for (uint32_t c = 0; c < uOutChannels; ++c)
            ppOut[c][i] = out[c];
    }
    return true;
}
bool CPlugIn::onNoteOn(uint32_t, uint32_t, uint32_t) { return true; }
bool CPlugIn::onNoteOff(uint32_t, uint32_t, uint32_t, bool) { return true; }
bool CPlugIn::onModWheel(uint32_t, uint32_t) { return true; }
bool CPlugIn::onPitchWheel(uint32_t, int32_t, float) { return true; }
bool CPlugIn::reservedHookA() { return true; }
bool CPlugIn::onMidiMessage(uint32_t, uint32_t, uint32_t, uint32_t) { return true; }
bool CPlugIn::buildControls() { return true; }
bool CPlugIn::collectEditorUpdates(int32_t, float, EditorUpdate**, bool) { return false; }
intptr_t CPlugIn::onEditorMessage(EditorMessage*) { return 0; }
bool CPlugIn::processMidiEvents(void*) { return true; }
bool CPlugIn::reservedHookB() { return true; }

void CPlugIn::releaseEditorUpdates(EditorUpdate** ppList)
{
    if (!ppList)
        return;
    // Last to first, as the list was handed out.
    while (*ppList) {
        EditorUpdate** ppLast = ppList;
        while ((*ppLast)->m_pNext)
            ppLast = &(*ppLast)->m_pNext;
        delete *ppLast;
        *ppLast = nullptr;
    }
}

void CPlugIn::onHostMessage(uint32_t uMessage, HostMessageInfo& info)
{
    switch (uMessage) {
    case kHostTimeUpdate:
        if (info.m_pTimeBlock)
            m_HostTime = *info.m_pTimeBlock;
        return;

    case kHostSetControls: {
        if (!info.m_pEntries || !info.m_pTimeBlock || !m_ppControls ||
            info.m_uEntryCount != m_uControlCount + 2)
            return;
        m_HostTime = *info.m_pTimeBlock;
        for (uint32_t i = 0; i < m_uControlCount; ++i)
            if (info.m_pEntries[i].m_bValid)
                setControlNormalised(m_ppControls[i], info.m_pEntries[i].m_fValue, info.m_bBypassSmoothing);

        const ControlValueEntry& x = info.m_pEntries[m_uControlCount];
        const ControlValueEntry& y = info.m_pEntries[m_uControlCount + 1];
        if (!x.m_bValid && !y.m_bValid)
            return;
        m_JoystickX.m_bJoystickDiagonal = m_JoystickY.m_bJoystickDiagonal = x.m_bDiagonal;
        const bool bSmoothX = m_JoystickX.m_bSmooth && !info.m_bBypassSmoothing;
        const bool bSmoothY = m_JoystickY.m_bSmooth && !info.m_bBypassSmoothing;
        (bSmoothX ? m_JoystickX.m_fSmoothTarget : m_JoystickX.m_fJoystickValue) = x.m_fJoystickValue;
        (bSmoothY ? m_JoystickY.m_fSmoothTarget : m_JoystickY.m_fJoystickValue) = y.m_fJoystickValue;
        if (!bSmoothX)
            mixJoystick(m_JoystickX.m_fJoystickValue, m_JoystickY.m_fJoystickValue, x.m_bDiagonal);
        return;
    }

    case kHostReportMeters: {
        if (!m_pValueEntries || !m_ppControls || info.m_uEntryCount != m_uControlCount + 2)
            return;
        for (uint32_t i = 0; i < m_uControlCount; ++i) {
            const ControlRecord* p = m_ppControls[i];
            if (!p || p->m_nParameterIndex < 0 ||
                static_cast<uint32_t>(p->m_nParameterIndex) >= m_uControlCount + 2)
                continue;
            ControlValueEntry& e = m_pValueEntries[p->m_nParameterIndex];
            e.m_bValid = false;
            if (p->m_uKind == kControlMeter && p->m_pMeter) {
                e.m_fValue = *p->m_pMeter;
                e.m_bValid = true;
            }
        }
        if (info.m_ppReturnedEntries)
            *info.m_ppReturnedEntries = m_pValueEntries.get();
        return;
    }

    default:
        return;
    }
}

float CPlugIn::getControlValue(uint32_t uIndex) const
{
    const ControlRecord* p = controlRecord(uIndex);
    if (!p)
        return 0.0f;
    switch (p->m_uDataType) {
    case kDataInt32: return p->m_pInt ? static_cast<float>(*p->m_pInt) : 0.0f;
    case kDataFloat: return p->m_pFloat ? *p->m_pFloat : 0.0f;
    case kDataDouble: return p->m_pDouble ? static_cast<float>(*p->m_pDouble) : 0.0f;
    case kDataUInt32: return p->m_pUInt ? static_cast<float>(*p->m_pUInt) : 0.0f;
    default: return 0.0f;
    }
}

void CPlugIn::setControlNormalised(ControlRecord* p, float fNormalised, bool bBypassSmoothing)
{
    if (!p)
        return;
    const float fValue = p->m_fMin + (p->m_fMax - p->m_fMin) * fNormalised;
    applyValue(p, fValue, static_cast<int32_t>(std::floor(fValue + 0.5f)), !bBypassSmoothing);
}

void CPlugIn::setControlValue(uint32_t uIndex, float fValue, bool bBypassSmoothing)
{
    ControlRecord* p = controlRecord(uIndex);
    if (p)
        applyValue(p, fValue, static_cast<int32_t>(fValue), !bBypassSmoothing);  // int32 truncates toward zero
}

void CPlugIn::applyValue(ControlRecord* p, float fValue, int32_t nIntValue, bool bUseSmoothing)
{
    const int32_t nId = static_cast<int32_t>(p->m_uControlId);
    switch (p->m_uDataType) {
    case kDataInt32:
        if (!p->m_pInt)
            return;
        *p->m_pInt = nIntValue;
        controlChanged(nId);
        return;
    case kDataFloat:
    case kDataDouble:
        m_bSmoothingAtRest = false;
        if (p->m_bSmooth && bUseSmoothing) {
            p->m_fSmoothTarget = fValue;
        } else {
            if (p->m_uDataType == kDataFloat && p->m_pFloat)
                *p->m_pFloat = fValue;
            else if (p->m_uDataType == kDataDouble && p->m_pDouble)
                *p->m_pDouble = fValue;
            if (p->m_bSmooth)
                restSmootherAt(*p, fValue);  // a bypassed jump must not be smoothed back
        }
        controlChanged(nId);
        return;
    case kDataUInt32: {
        if (!p->m_pUInt)
            return;
        const auto u = static_cast<uint32_t>(std::floor(fValue + 0.5f));
        if (u != *p->m_pUInt) {  // an enumerated control re-set to its entry stays quiet
            *p->m_pUInt = u;
            controlChanged(nId);
        }
        return;
    }
    default:
        return;
    }
}

void CPlugIn::setJoystickX(float fValue, bool bDiagonal)
{
    (m_JoystickX.m_bSmooth ? m_JoystickX.m_fSmoothTarget : m_JoystickX.m_fJoystickValue) = fValue;
    m_JoystickX.m_bJoystickDiagonal = m_JoystickY.m_bJoystickDiagonal = bDiagonal;
    if (!m_JoystickX.m_bSmooth)
        mixJoystick(m_JoystickX.m_fJoystickValue, m_JoystickY.m_fJoystickValue, bDiagonal);
}

void CPlugIn::setJoystickY(float fValue, bool bDiagonal)
{
    (m_JoystickY.m_bSmooth ? m_JoystickY.m_fSmoothTarget : m_JoystickY.m_fJoystickValue) = fValue;
    m_JoystickX.m_bJoystickDiagonal = m_JoystickY.m_bJoystickDiagonal = bDiagonal;
    if (!m_JoystickX.m_bSmooth)
        mixJoystick(m_JoystickX.m_fJoystickValue, m_JoystickY.m_fJoystickValue, bDiagonal);
}

void CPlugIn::collectSmoothed()
{
    m_uSmoothedCount = 0;
    if (!m_ppControls)
        return;
    if (!m_ppSmoothed)
        m_ppSmoothed = std::make_unique<ControlRecord*[]>(m_uControlCount + 1);
    for (uint32_t i = 0; i < m_uControlCount; ++i)
        if (m_ppControls[i] && m_ppControls[i]->m_bSmooth)
            m_ppSmoothed[m_uSmoothedCount++] = m_ppControls[i];
}

template <typename T>
void CPlugIn::landOnTarget(ControlRecord& r, T& bound)
{
    // The recursion stalls a few hundred ulps short of the target; the jump to the exact value
    // is announced once, so cooked values follow the control to where it really ends.
    if (bound == static_cast<T>(r.m_fSmoothTarget))
        return;
    bound = static_cast<T>(r.m_fSmoothTarget);
    controlChanged(static_cast<int32_t>(r.m_uControlId));
}

void CPlugIn::smoothControls()
{
    bool bAllAtRest = true;
    for (uint32_t i = 0; i < m_uSmoothedCount && !m_bSmoothingAtRest; ++i) {
        ControlRecord* p = m_ppSmoothed[i];
        if (!p->m_bSmooth)
            continue;  // switched off since the list was made
        if (p->m_uDataType == kDataFloat && p->m_pFloat) {
            if (p->m_bSmoothSettled && p->m_fSmoothTarget == p->m_fSettledTarget) {
                landOnTarget(*p, *p->m_pFloat);  // at rest: the step below would change nothing
                continue;
            }
            const float z = p->m_fSmoothTarget * p->m_fSmoothB + p->m_fSmoothZ * p->m_fSmoothA;
            p->m_fSmoothZ = z;
            if (z == p->m_fSmoothLast) {
                landOnTarget(*p, *p->m_pFloat);  // settled: land exactly on the target
                p->m_bSmoothSettled = true;
                p->m_fSettledTarget = p->m_fSmoothTarget;
                continue;
            }
            bAllAtRest = false;
            p->m_fSmoothLast = z;
            *p->m_pFloat = z;
            controlChanged(static_cast<int32_t>(p->m_uControlId));
        } else if (p->m_uDataType == kDataDouble && p->m_pDouble) {
            const double z = p->m_fSmoothTarget * p->m_dSmoothB + p->m_dSmoothZ * p->m_dSmoothA;
            p->m_dSmoothZ = z;
            if (z == p->m_dSmoothLast) {
                landOnTarget(*p, *p->m_pDouble);
                continue;
            }
            bAllAtRest = false;
            p->m_dSmoothLast = z;
            *p->m_pDouble = z;
            controlChanged(static_cast<int32_t>(p->m_uControlId));
        }
    }
    m_bSmoothingAtRest = bAllAtRest;

    if (!m_JoystickX.m_bSmooth)
        return;
    for (ControlRecord* p : {&m_JoystickX, &m_JoystickY}) {
        const float z = p->m_fSmoothTarget * p->m_fSmoothB + p->m_fSmoothZ * p->m_fSmoothA;
        p->m_fSmoothZ = z;
        if (z == p->m_fSmoothLast) {
            p->m_fJoystickValue = p->m_fSmoothTarget;
        } else {
            p->m_fSmoothLast = z;
            p->m_fJoystickValue = z;
        }
    }
    mixJoystick(m_JoystickX.m_fJoystickValue, m_JoystickY.m_fJoystickValue, m_JoystickX.m_bJoystickDiagonal);
}

void CPlugIn::mixJoystick(float fX, float fY, bool bDiagonal)
{
    // In double, as the blend was designed; only the six results are narrowed.
    const double x = fX, y = fY;
    const double r = 0.707106782373095;
    double u = x, v = y;
    if (!bDiagonal) {
        u = (x - y) * r * r;
        v = (x + y) * r * r;
    }
    const double dACMix = (u + 1.0) * 0.5;
    const double dBDMix = (v + 1.0) * 0.5;

    double p = x, q = y;
    if (bDiagonal) {
        p = (1.41421356 * x + 1.41421356 * y) * r;
        q = (1.41421356 * y - 1.41421356 * x) * r;
    }
    p = std::clamp(p * 127.0, -128.0, 127.0) + 127.0;
    q = std::clamp(q * 127.0, -128.0, 127.0) + 127.0;

    double a = 0.25, b = 0.25, c = 0.25, d = 0.25;
    if (!(p == 127.0 && q == 127.0)) {
        b = p * q / 645.0;
        c = p * (255.0 - q) / 645.0;
        d = (255.0 - p) * (255.0 - q) / 645.0;
        a = (100.0 - b - c - d) * 0.01;
        b *= 0.01;
        c *= 0.01;
        d *= 0.01;
        a = std::clamp(a, 0.0, 1.0);
        b = std::clamp(b, 0.0, 1.0);
        c = std::clamp(c, 0.0, 1.0);
        d = std::clamp(d, 0.0, 1.0);
    }
    onJoystickMix(static_cast<float>(a), static_cast<float>(b), static_cast<float>(c),
                  static_cast<float>(d), static_cast<float>(dACMix), static_cast<float>(dBDMix));
}

void CPlugIn::indexControls()
{
    m_uControlCount = m_ControlList.count();
    m_ppControls = std::make_unique<ControlRecord*[]>(m_uControlCount + 2);
    m_pValueEntries = std::make_unique<ControlValueEntry[]>(m_uControlCount + 2);
    for (uint32_t i = 0; i < m_uControlCount + 2; ++i)
        m_ppControls[i] = nullptr;
    for (uint32_t i = 0; i < m_uControlCount; ++i) {
        ControlRecord* p = m_ControlList.get(i);
        m_ppControls[i] = p;
        p->m_nParameterIndex = static_cast<int32_t>(i);
        m_pValueEntries[i].m_uControlIndex = i;
        m_pValueEntries[i].m_uControlId = p->m_uControlId;
    }
    m_ppSmoothed.reset();
    collectSmoothed();
    m_bSmoothingAtRest = false;
}

void CPlugIn::setUpJoystickRecords(uint32_t uXId, uint32_t uYId)
{
    m_JoystickX.m_uControlId = uXId;
    m_JoystickY.m_uControlId = uYId;
    for (ControlRecord* p : {&m_JoystickX, &m_JoystickY}) {
        p->m_fJoystickValue = 0.0f;
        p->m_bJoystickDiagonal = true;
        p->m_bSmooth = false;
        p->m_fSmoothTime_ms = 100.0f;
    }
    m_JoystickX.m_nParameterIndex = static_cast<int32_t>(m_uControlCount);
    m_JoystickY.m_nParameterIndex = static_cast<int32_t>(m_uControlCount + 1);
    if (m_pValueEntries) {
        m_pValueEntries[m_uControlCount].m_uControlIndex = m_uControlCount;
        m_pValueEntries[m_uControlCount].m_uControlId = uXId;
        m_pValueEntries[m_uControlCount + 1].m_uControlIndex = m_uControlCount + 1;
        m_pValueEntries[m_uControlCount + 1].m_uControlId = uYId;
    }
}
