#pragma once
// Base of a plug-in instance's editor object: connects it to the host's controller,
// transport and view container and to the same instance's effect-parameters interface, and
// leaves the view itself to the subclass's hooks.
//
// Threading: the host's GUI thread.

#include "AAX_IEffectParameters.h"
#include "AAX_VController.h"
#include "AAX_VTransport.h"
#include "AAX_VViewContainer.h"
#include "CACFUnknown.h"

class AAX_CEffectGUI : public AAX_IEffectGUI, public CACFUnknown {
public:
    AAX_CEffectGUI() = default;
    ~AAX_CEffectGUI() override;

    ACF_DECLARE_STANDARD_UNKNOWN()

    // AAX_ERROR_NOT_INITIALIZED without a controller or without the instance's
    // effect-parameters interface.
    AAX_Result Initialize(IACFUnknown* iController) override;
    // Closes a view that is still open (DeleteViewContainer) and deletes its container
    // wrapper, then releases the host interfaces.
    AAX_Result Uninitialize() override;
    AAX_Result NotificationReceived(AAX_CTypeID, const void*, uint32_t) override { return AAX_SUCCESS; }
    AAX_Result SetViewContainer(IACFUnknown* inViewContainer) override;
    AAX_Result GetViewSize(AAX_Point*) const override { return AAX_SUCCESS; }
    AAX_Result Draw(AAX_Rect*) override { return AAX_SUCCESS; }
    AAX_Result TimerWakeup() override { return AAX_SUCCESS; }
    AAX_Result ParameterUpdated(AAX_CParamID) override { return AAX_SUCCESS; }
    AAX_Result GetCustomLabel(AAX_CTypeID, AAX_IString*) const override { return AAX_ERROR_NULL_OBJECT; }
    AAX_Result SetControlHighlightInfo(AAX_CParamID, AAX_CBoolean, int32_t) override { return AAX_SUCCESS; }

    // As they stand; may be null.
    AAX_IEffectParameters* GetEffectParameters() const { return m_pEffectParameters; }
    AAX_VViewContainer* GetViewContainer() const { return m_pViewContainer; }
    AAX_VController* GetController() const { return m_pController; }
    AAX_VTransport* GetTransport() const { return m_pTransport; }
    int32_t GetViewContainerType() const;
    void* GetViewContainerPtr() const;

protected:
    virtual void CreateViewContents() = 0;
    virtual void CreateViewContainer() = 0;
    virtual void DeleteViewContainer() = 0;
    // Calls ParameterUpdated for every parameter, in index order.
    virtual void UpdateAllParameters();

    ACFRESULT InternalQueryInterface(const acfIID& iid, void** ppOut) override;
    IACFUnknown* GetUnknown() override { return static_cast<AAX_IEffectGUI*>(this); }

private:
    void ReleaseHostInterfaces();

    AAX_VController* m_pController = nullptr;            // owned
    AAX_IEffectParameters* m_pEffectParameters = nullptr; // one reference
    AAX_VViewContainer* m_pViewContainer = nullptr;      // owned
    AAX_VTransport* m_pTransport = nullptr;              // owned
};
