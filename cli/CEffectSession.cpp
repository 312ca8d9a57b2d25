#include "CEffectSession.h"

#include "AAX_CString.h"
#include "CliError.h"
#include "NearestName.h"
#include "TapePresets.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace {

constexpr AAX_CTypeID kChunkID = AAX_FourCC("elck");
constexpr const char* kBypassID = "MasterBypassID";

std::string Trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

// The number a display text starts with, and what follows it.
bool LeadingNumber(const std::string& text, double& outValue, std::string& outRest)
{
    const char* p = text.c_str();
    char* pEnd = nullptr;
    outValue = std::strtod(p, &pEnd);
    if (pEnd == p || !std::isfinite(outValue))
        return false;
    outRest = Trim(pEnd);
    return true;
}

std::string FormatReal(double v)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.9g", double(float(v)));
    return buf;
}

}  // namespace

CEffectSession::CEffectSession(const CModuleHost& host, size_t nComponent, float fSampleRate, int32_t nMaxFrames)
    : m_pInstance(std::make_unique<CHostInstance>(host.Effect(), nComponent, fSampleRate, nMaxFrames))
{
    if (const AAX_Result result = m_pInstance->Create(); result != AAX_SUCCESS)
        throw CCliError("the module failed to create an instance (result " + std::to_string(result) + ")");
    AAX_IACFEffectParameters_V4* pParams = m_pInstance->Parameters();
    int32_t nCount = 0;
    pParams->GetNumberOfParameters(&nCount);
    for (int32_t i = 0; i < nCount; ++i) {
        AAX_CString id, name;
        if (pParams->GetParameterIDFromIndex(i, &id) != AAX_SUCCESS)
            continue;
        SParameterInfo p;
        p.m_ID = id.StdString();
        pParams->GetParameterName(p.m_ID.c_str(), &name);
        p.m_Name = name.StdString();
        pParams->GetParameterNumberOfSteps(p.m_ID.c_str(), &p.m_nSteps);
        AAX_CBoolean bAutomatable = 0;
        pParams->GetParameterIsAutomatable(p.m_ID.c_str(), &bAutomatable);
        p.m_bAutomatable = bAutomatable != 0;
        int32_t nType = 1;
        pParams->GetParameterType(p.m_ID.c_str(), &nType);
        p.m_bDiscrete = nType == 0;
        p.m_MinText = DisplayOf(p, 0.0);
        p.m_MaxText = DisplayOf(p, 1.0);
        std::string rest;
        if (!LeadingNumber(p.m_MinText, p.m_fMin, rest) || !LeadingNumber(p.m_MaxText, p.m_fMax, p.m_Unit))
            p.m_fMin = p.m_fMax = std::nan("");
        if (p.m_bDiscrete && p.m_nSteps >= 2 && p.m_nSteps <= 64)
            for (int32_t s = 0; s < p.m_nSteps; ++s)
                p.m_Items.push_back(DisplayOf(p, double(s) / double(p.m_nSteps - 1)));
        m_Parameters.push_back(std::move(p));
    }
}

CEffectSession::~CEffectSession()
{
    m_pInstance->Destroy();
}

const SParameterInfo& CEffectSession::Resolve(const std::string& nameOrID) const
{
    const std::string wanted = Trim(nameOrID);
    for (const SParameterInfo& p : m_Parameters)
        if (p.m_ID == wanted)
            return p;
    for (const SParameterInfo& p : m_Parameters)
        if (EqualsIgnoringCase(p.m_Name, wanted))
            return p;
    std::vector<std::string> names;
    for (const SParameterInfo& p : m_Parameters)
        names.push_back(p.m_Name);
    throw CCliError("unknown parameter \"" + wanted + "\"" + DidYouMean(wanted, names) +
                    " ('brindlewarbler params' lists them)");
}

std::string CEffectSession::DisplayOf(const SParameterInfo& p, double fNormalized) const
{
    AAX_CString text;
    m_pInstance->Parameters()->GetParameterStringFromValue(p.m_ID.c_str(), fNormalized, &text, 64);
    return Trim(text.StdString());  // a control without units displays "1.00 "
}

std::string CEffectSession::ValueText(const SParameterInfo& p) const
{
    AAX_CString text;
    m_pInstance->Parameters()->GetParameterValueString(p.m_ID.c_str(), &text, 64);
    return Trim(text.StdString());
}

double CEffectSession::NormalizedValue(const SParameterInfo& p) const
{
    double n = 0.0;
    m_pInstance->Parameters()->GetParameterNormalizedValue(p.m_ID.c_str(), &n);
    return n;
}

double CEffectSession::NormalizedFromReal(const SParameterInfo& p, double fValue) const
{
    if (p.m_bDiscrete) {
        // A host steps a discrete parameter: step k of K is k / (K - 1).
        const double k = std::floor(fValue + 0.5);
        if (p.m_nSteps < 2 || k < 0 || k > p.m_nSteps - 1)
            throw CCliError(p.m_Name + " has no entry " + FormatReal(fValue));
        return k / double(p.m_nSteps - 1);
    }
    double n = 0.0;
    const AAX_CString text(FormatReal(fValue));
    if (m_pInstance->Parameters()->GetParameterValueFromString(p.m_ID.c_str(), &n, text) != AAX_SUCCESS)
        throw CCliError(p.m_Name + " = " + text.StdString() + " is out of range (" + p.m_MinText + " to " + p.m_MaxText + ")");
    return n;
}

double CEffectSession::NormalizedFromText(const SParameterInfo& p, const std::string& rawText) const
{
    const std::string text = Trim(rawText);
    if (!p.m_Items.empty()) {
        for (size_t k = 0; k < p.m_Items.size(); ++k)
            if (EqualsIgnoringCase(p.m_Items[k], text))
                return double(k) / double(p.m_Items.size() - 1);
        char* pEnd = nullptr;
        const long k = std::strtol(text.c_str(), &pEnd, 10);
        if (!text.empty() && *pEnd == '\0' && k >= 0 && size_t(k) < p.m_Items.size())
            return double(k) / double(p.m_Items.size() - 1);
        std::string list;
        for (const std::string& item : p.m_Items)
            list += (list.empty() ? "" : ", ") + item;
        throw CCliError("\"" + text + "\" is not a setting of " + p.m_Name + "; choose one of " + list + DidYouMean(text, p.m_Items));
    }
    double v = 0.0;
    std::string rest;
    const bool bNumber = LeadingNumber(text, v, rest);
    if (!bNumber || (!rest.empty() && !EqualsIgnoringCase(rest, p.m_Unit)))
        throw CCliError(p.m_Name + " needs a number" + (p.m_Unit.empty() ? "" : " in " + p.m_Unit) + " (" + p.m_MinText + " to " +
                        p.m_MaxText + "), not \"" + text + "\"");
    if (std::isfinite(p.m_fMin) && (v < std::min(p.m_fMin, p.m_fMax) || v > std::max(p.m_fMin, p.m_fMax)))
        throw CCliError(p.m_Name + " = " + text + " is out of range (" + p.m_MinText + " to " + p.m_MaxText + ")");
    return NormalizedFromReal(p, v);
}

void CEffectSession::SetNormalized(const SParameterInfo& p, double fNormalized)
{
    const AAX_Result result = m_pInstance->Parameters()->SetParameterNormalizedValue(p.m_ID.c_str(), fNormalized);
    if (result != AAX_SUCCESS)
        throw CCliError("the module refused a value for " + p.m_Name + " (result " + std::to_string(result) + ")");
    Settle();
}

void CEffectSession::ApplySetting(const std::string& assignment)
{
    const size_t eq = assignment.find('=');
    if (eq == std::string::npos)
        throw CCliError("--set needs NAME=VALUE, as in --set \"Wow Depth=40\", not \"" + assignment + "\"", CCliError::kUsage);
    const SParameterInfo& p = Resolve(assignment.substr(0, eq));
    if (!p.m_bAutomatable)
        throw CCliError(p.m_Name + " is a meter the effect writes; it cannot be set");
    SetNormalized(p, NormalizedFromText(p, assignment.substr(eq + 1)));
}

void CEffectSession::ApplyPreset(int nSlot)
{
    for (int i = 0; i < kTapePresetControls; ++i) {
        const SParameterInfo& p = Resolve(std::to_string(i + 1));
        const double n = NormalizedFromReal(p, kTapePresetValues[nSlot][i]);
        if (m_pInstance->Parameters()->SetParameterNormalizedValue(p.m_ID.c_str(), n) != AAX_SUCCESS)
            throw CCliError("the module refused a preset value for " + p.m_Name);
    }
    Settle();
}

void CEffectSession::SetBypass(bool bBypassed)
{
    SetNormalized(Resolve(kBypassID), bBypassed ? 1.0 : 0.0);
}

std::vector<unsigned char> CEffectSession::SaveState() const
{
    AAX_Result result = AAX_SUCCESS;
    std::vector<unsigned char> record = m_pInstance->SaveState(kChunkID, &result);
    if (result != AAX_SUCCESS || record.empty())
        throw CCliError("the module could not save its state (result " + std::to_string(result) + ")");
    return record;
}

void CEffectSession::RestoreState(const std::vector<unsigned char>& record)
{
    if (const AAX_Result result = m_pInstance->RestoreState(kChunkID, record); result != AAX_SUCCESS)
        throw CCliError("the module refused the state (result " + std::to_string(result) + ")");
    Settle();
}

void CEffectSession::Settle()
{
    m_pInstance->Automation().ProcessPending();
    m_pInstance->Parameters()->TimerWakeup();
}

void CEffectSession::Render(const float* const* ppInput, float* const* ppOutput, int32_t nFrames)
{
    if (const AAX_Result result = m_pInstance->Render(ppInput, ppOutput, nFrames); result != AAX_SUCCESS)
        throw CCliError("the module failed to render (result " + std::to_string(result) + ")");
    Settle();
}

int ResolvePreset(const std::string& nameOrNumber)
{
    const std::string wanted = Trim(nameOrNumber);
    // Names first: "1988" is a name.
    for (int i = 0; i < kTapePresetCount; ++i)
        if (EqualsIgnoringCase(kTapePresetNames[i], wanted))
            return i;
    char* pEnd = nullptr;
    const long n = std::strtol(wanted.c_str(), &pEnd, 10);
    if (!wanted.empty() && *pEnd == '\0') {
        if (n >= 0 && n < kTapePresetCount)
            return int(n);
        throw CCliError("there is no preset " + wanted + "; the factory presets are numbered 0 to " + std::to_string(kTapePresetCount - 1));
    }
    std::vector<std::string> names;
    for (int i = 0; i < kTapePresetCount; ++i)
        names.push_back(kTapePresetNames[i]);
    throw CCliError("unknown preset \"" + wanted + "\"" + DidYouMean(wanted, names) + " ('brindlewarbler presets' lists them)");
}
