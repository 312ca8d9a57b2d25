#include "AAX_CEffectGUI.h"

#include "AAX_CString.h"

AAX_CEffectGUI::~AAX_CEffectGUI()
{
    // The subclass is gone: its hooks can no longer run, only the wrappers go.
    ReleaseHostInterfaces();
    delete m_pViewContainer;
    m_pViewContainer = nullptr;
}

ACFRESULT AAX_CEffectGUI::InternalQueryInterface(const acfIID& iid, void** ppOut)
{
    if (ppOut && iid == AAX_IACFEffectGUI::kIID) {
        InternalAddRef();
        *ppOut = static_cast<AAX_IACFEffectGUI*>(this);
        return ACF_OK;
    }
    return CACFUnknown::InternalQueryInterface(iid, ppOut);
}

AAX_Result AAX_CEffectGUI::Initialize(IACFUnknown* iController)
{
    Uninitialize();
    if (!iController)
        return AAX_ERROR_NOT_INITIALIZED;
    m_pController = new AAX_VController(iController);
    if (!m_pController->IsValid()) {
        Uninitialize();
        return AAX_ERROR_NOT_INITIALIZED;
    }
    m_pEffectParameters = ACF_Query<AAX_IEffectParameters>(iController);
    if (!m_pEffectParameters) {
        // Everything the GUI shows goes through this interface; without it there is no GUI.
        Uninitialize();
        return AAX_ERROR_NOT_INITIALIZED;
    }
    m_pTransport = new AAX_VTransport(iController);
    CreateViewContents();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::Uninitialize()
{
    // A view still open closes before its container wrapper goes, so nothing outlives it.
    if (AAX_VViewContainer* pOld = m_pViewContainer) {
        m_pViewContainer = nullptr;
        DeleteViewContainer();
        delete pOld;
    }
    ReleaseHostInterfaces();
    return AAX_SUCCESS;
}

void AAX_CEffectGUI::ReleaseHostInterfaces()
{
    if (m_pEffectParameters)
        m_pEffectParameters->Release();
    delete m_pController;
    delete m_pTransport;
    m_pEffectParameters = nullptr;
    m_pController = nullptr;
    m_pTransport = nullptr;
}

AAX_Result AAX_CEffectGUI::SetViewContainer(IACFUnknown* inViewContainer)
{
    AAX_VViewContainer* pOld = m_pViewContainer;
    if (inViewContainer) {
        m_pViewContainer = new AAX_VViewContainer(inViewContainer);
        delete pOld;
        CreateViewContainer();
        UpdateAllParameters();
    } else {
        m_pViewContainer = nullptr;
        DeleteViewContainer();
        delete pOld;
    }
    return AAX_SUCCESS;
}

int32_t AAX_CEffectGUI::GetViewContainerType() const
{
    return m_pViewContainer ? m_pViewContainer->GetType() : 0;
}

void* AAX_CEffectGUI::GetViewContainerPtr() const
{
    return m_pViewContainer ? m_pViewContainer->GetPtr() : nullptr;
}

void AAX_CEffectGUI::UpdateAllParameters()
{
    if (!m_pEffectParameters)
        return;
    int32_t nCount = 0;
    if (m_pEffectParameters->GetNumberOfParameters(&nCount) != AAX_SUCCESS)
        return;
    for (int32_t i = 0; i < nCount; ++i) {
        AAX_CString id;
        if (m_pEffectParameters->GetParameterIDFromIndex(i, &id) == AAX_SUCCESS)
            ParameterUpdated(id.Get());
    }
}
