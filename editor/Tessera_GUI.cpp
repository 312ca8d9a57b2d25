#include "Tessera_GUI.h"

#include "CPlugIn.h"
#include "EditorResources.h"
#include "TsraResources.h"

#include <dlfcn.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <new>

namespace {
constexpr uint32_t kCustomDataEngine = 0;

// Once the module has loaded the window-system libraries (the run loop, cairo and what it
// brings), they stay for the life of the process, as the window system does on the target:
// their process-wide state outlives an unloaded module.
__attribute__((constructor)) void keepWindowLibrariesResident()
{
    for (const char* pName : {"libvstgui_runloop.so", "libcairo.so.2"})
        if (void* pHandle = dlopen(pName, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE))
            dlclose(pHandle);
}

void* moduleHandle()
{
    Dl_info info{};
    return dladdr(reinterpret_cast<void*>(&moduleHandle), &info) ? info.dli_fbase : nullptr;
}
}  // namespace

IACFUnknown* Tessera_GUI::Create()
{
    auto* pGUI = new (std::nothrow) Tessera_GUI;
    return pGUI ? static_cast<AAX_IEffectGUI*>(pGUI) : nullptr;
}

Tessera_GUI::~Tessera_GUI()
{
    // The base's destructor can no longer reach DeleteViewContainer.
    m_Editor.close();
}

int32_t Tessera_GUI::ControlIndexOf(AAX_CParamID inParameterID)
{
    if (!inParameterID || *inParameterID < '0' || *inParameterID > '9')
        return -1;
    errno = 0;
    char* pEnd = nullptr;
    const long value = std::strtol(inParameterID, &pEnd, 10);
    if (*pEnd != '\0' || errno != 0 || value < 1 || value > INT32_MAX)
        return -1;
    return static_cast<int32_t>(value - 1);
}

AAX_Result Tessera_GUI::GetViewSize(AAX_Point* oEffectViewSize) const
{
    if (oEffectViewSize) {
        oEffectViewSize->horz = static_cast<float>(m_nViewWidth);
        oEffectViewSize->vert = static_cast<float>(m_nViewHeight);
    }
    return AAX_SUCCESS;
}

void Tessera_GUI::CreateViewContainer()
{
    // Whatever was open goes first, so a replaced container never leaves a view behind.
    CloseView();
    if (GetViewContainerType() != AAX_eViewContainer_Type_HWND)
        return;
    m_pPlugIn = nullptr;
    m_pMeterTable = nullptr;
    m_nViewWidth = m_nViewHeight = 0;
    AAX_IEffectParameters* pParameters = GetEffectParameters();
    if (!pParameters)
        return;
    void* pointers[2] = {nullptr, nullptr};
    uint32_t written = 0;
    if (pParameters->GetCustomData(kCustomDataEngine, sizeof pointers, pointers, &written) != AAX_SUCCESS ||
        written < sizeof pointers || !pointers[0] || !pointers[1])
        return;
    m_pPlugIn = static_cast<CPlugIn*>(pointers[0]);
    m_pMeterTable = static_cast<const int32_t*>(pointers[1]);
    void* pParent = GetViewContainerPtr();

    EditorMessage query;
    query.m_uMessageCode = EditorQueryCustomGui;
    m_pPlugIn->onEditorMessage(&query);
    if (query.m_uHasCustomGui) {
        EditorMessage openGui;
        openGui.m_uMessageCode = EditorOpenCustomGui;
        openGui.m_hParentWindow = reinterpret_cast<uintptr_t>(pParent);
        openGui.m_hModule[0] = openGui.m_hModule[1] = moduleHandle();
        openGui.m_pEffectParameters = pParameters;
        openGui.m_uHasCustomGui = 1;
        if (m_pPlugIn->onEditorMessage(&openGui) != 0) {
            m_nViewWidth = static_cast<int32_t>(openGui.m_uCustomGuiSize[0]);
            m_nViewHeight = static_cast<int32_t>(openGui.m_uCustomGuiSize[1]);
            m_bCustomGuiOpen = true;
            return;
        }
    }

    tsraRegisterEditorResources();
    const TsraResourceEntry* pDescription = tsraFindResource("DATA", "TSRA.UIDESC");
    const void* pData = pDescription ? pDescription->pData : nullptr;
    const size_t nBytes = pDescription ? pDescription->nSize : 0;
    if (!m_Editor.open(pParent, m_pPlugIn, pData, nBytes))
        return;
    float width = 0, height = 0;
    m_Editor.getSize(width, height);
    m_nViewWidth = static_cast<int32_t>(width);
    m_nViewHeight = static_cast<int32_t>(height);
    m_Editor.notifyOpened();
    m_Editor.setEffectParameters(pParameters);

    const std::vector<int32_t> map = CTsraVSTEditor::controlIndexMapFor(*m_pPlugIn);
    m_Editor.setControlIndexMap(map.data(), static_cast<int32_t>(map.size()));
    m_Editor.setMeterTable(m_pMeterTable);
    m_Editor.syncAllViews();
    m_Editor.setViewContainer(GetViewContainer());
}

void Tessera_GUI::DeleteViewContainer() { CloseView(); }

void Tessera_GUI::CloseView()
{
    // Closes what is open, as recorded here: the engine may answer differently by now.
    if (m_bCustomGuiOpen) {
        if (m_pPlugIn) {
            EditorMessage closeGui;
            closeGui.m_uMessageCode = EditorCloseCustomGui;
            m_pPlugIn->onEditorMessage(&closeGui);
        }
        m_bCustomGuiOpen = false;
    }
    m_Editor.setViewContainer(nullptr);
    m_Editor.close();
}

AAX_Result Tessera_GUI::ParameterUpdated(AAX_CParamID inParameterID)
{
    AAX_IEffectParameters* pParameters = GetEffectParameters();
    double value = 0.0;
    if (!pParameters || !inParameterID ||
        pParameters->GetParameterNormalizedValue(inParameterID, &value) != AAX_SUCCESS)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    const int32_t index = ControlIndexOf(inParameterID);
    if (index >= 0)
        m_Editor.updateControl(static_cast<uint32_t>(index), static_cast<float>(value));
    if (m_bCustomGuiOpen && m_pPlugIn && index >= 0) {
        EditorMessage changed;
        changed.m_uMessageCode = EditorHostParameterChanged;
        changed.m_uControlIndex = static_cast<uint32_t>(index);
        changed.m_dNormalisedValue = value;
        m_pPlugIn->onEditorMessage(&changed);
    }
    return AAX_SUCCESS;
}
