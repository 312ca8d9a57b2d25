#pragma once
// Stand-in for the editor object of factory 1, used only when a build leaves editor/ out:
// it joins the host's editor protocol through AAX_CEffectGUI and shows no view. Builds with
// the editor link editor/Tessera_GUI instead.
//
// Threading: the host's GUI thread.

#include "AAX_CEffectGUI.h"

class Tessera_GUI : public AAX_CEffectGUI {
public:
    // Factory 1: a new object, or null when it cannot be allocated.
    static IACFUnknown* Create();

protected:
    void CreateViewContents() override {}
    void CreateViewContainer() override {}
    void DeleteViewContainer() override {}
};
