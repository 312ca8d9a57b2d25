#pragma once
// The editor object of one instance (factory 1): opens the UI-description editor in the
// host's window (or lets the engine show a GUI of its own), forwards host parameter updates
// to it, and reports its size.
//
// Ownership: owns the editor by value; the engine and the meter table belong to the
// instance's Tessera_Parameters (reached through custom data block 0).
// Threading: the host's GUI thread.

#include "AAX_CEffectGUI.h"
#include "CTsraVSTEditor.h"

class CPlugIn;

class Tessera_GUI : public AAX_CEffectGUI {
public:
    Tessera_GUI() = default;
    ~Tessera_GUI() override;

    // Factory 1: a new object, or null when it cannot be allocated.
    static IACFUnknown* Create();

    AAX_Result GetViewSize(AAX_Point* oEffectViewSize) const override;
    AAX_Result ParameterUpdated(AAX_CParamID inParameterID) override;

    // Control index of a parameter identifier ("1" -> 0); -1 for anything not a decimal number.
    static int32_t ControlIndexOf(AAX_CParamID inParameterID);

    CTsraVSTEditor& Editor() { return m_Editor; }
    bool IsCustomGuiOpen() const { return m_bCustomGuiOpen; }
    CPlugIn* PlugIn() const { return m_pPlugIn; }

protected:
    void CreateViewContents() override {}
    void CreateViewContainer() override;
    void DeleteViewContainer() override;

private:
    void CloseView();

    int32_t m_nViewWidth = 0;
    int32_t m_nViewHeight = 0;
    CPlugIn* m_pPlugIn = nullptr;
    const int32_t* m_pMeterTable = nullptr;
    CTsraVSTEditor m_Editor;
    bool m_bCustomGuiOpen = false;
};
