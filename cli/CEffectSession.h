#pragma once
// One instance of the effect driven the way a host drives it: created through the module's
// parameter factory, parameters changed only through the effect-parameters interface
// (SetParameterNormalizedValue, whose request the host's automation delegate answers with
// UpdateParameterNormalizedValue and GenerateCoefficients), state saved and restored as the
// 'elck' chunk, audio rendered through the module's render procedure.
//
// Threading: everything on the calling thread. The automation delegate's parameter thread is
// not started; Settle answers its queue in place, so an offline render is repeatable.

#include "CHostInstance.h"
#include "CModuleHost.h"

#include <memory>
#include <string>
#include <vector>

struct SParameterInfo {
    std::string m_ID;
    std::string m_Name;
    int32_t m_nSteps = 0;
    bool m_bAutomatable = false;
    bool m_bDiscrete = false;
    std::string m_MinText, m_MaxText;  // the module's display of normalised 0 and 1
    double m_fMin = 0.0, m_fMax = 0.0;  // their numbers (NaN for texts such as "on")
    std::string m_Unit;                 // what follows the number in the display
    std::vector<std::string> m_Items;   // discrete parameters: the text of every step
};

class CEffectSession {
public:
    // Throws CCliError when the instance cannot be created or initialised.
    CEffectSession(const CModuleHost& host, size_t nComponent, float fSampleRate, int32_t nMaxFrames);
    ~CEffectSession();
    CEffectSession(const CEffectSession&) = delete;
    CEffectSession& operator=(const CEffectSession&) = delete;

    int InputChannels() const { return m_pInstance->InputChannels(); }
    // The instance itself, for a live session (editor, audio thread).
    CHostInstance& Instance() { return *m_pInstance; }
    int OutputChannels() const { return m_pInstance->OutputChannels(); }
    int32_t Latency() { return m_pInstance->Controller().Latency(); }

    // Every host parameter in the module's order.
    const std::vector<SParameterInfo>& Parameters() const { return m_Parameters; }
    // By identifier, else by name ignoring case; throws CCliError with the nearest name.
    const SParameterInfo& Resolve(const std::string& nameOrID) const;
    std::string ValueText(const SParameterInfo& p) const;
    double NormalizedValue(const SParameterInfo& p) const;
    std::string DisplayOf(const SParameterInfo& p, double fNormalized) const;

    // Normalised value for a text in the control's own units ("40", "-50 dB") or an entry
    // ("II", "ON"); throws CCliError saying the range or the entries.
    double NormalizedFromText(const SParameterInfo& p, const std::string& text) const;
    // Normalised value for a real value in the control's units (entries by index).
    double NormalizedFromReal(const SParameterInfo& p, double fValue) const;

    // Requests a change as a host does and lets the host answer it.
    void SetNormalized(const SParameterInfo& p, double fNormalized);
    // "Name=Value"; throws CCliError.
    void ApplySetting(const std::string& assignment);
    // Factory preset slot 0 ... 12: every control of the table, as host parameter changes.
    void ApplyPreset(int nSlot);
    void SetBypass(bool bBypassed);

    std::vector<unsigned char> SaveState() const;           // throws CCliError
    void RestoreState(const std::vector<unsigned char>& record);  // throws CCliError

    // Answers the host's queued requests here and frees finished batches.
    void Settle();
    // One host buffer (at most the maximum frames) of every channel; then Settle.
    void Render(const float* const* ppInput, float* const* ppOutput, int32_t nFrames);

private:
    std::unique_ptr<CHostInstance> m_pInstance;
    std::vector<SParameterInfo> m_Parameters;
};

// A factory preset by slot number or name (ignoring case); throws CCliError suggesting the
// nearest name.
int ResolvePreset(const std::string& nameOrNumber);
