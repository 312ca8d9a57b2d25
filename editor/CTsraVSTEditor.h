#pragma once
// The editor controller: parses the embedded UI description, opens a frame in the host's
// window, makes every view of the "Editor" template itself and keeps typed lists of them;
// moves the views from host parameter values, turns user edits into host parameter values
// (touch, value, release), hands parameter clicks to the host, and drives the meters from a
// 50 ms timer.
//
// Ownership: the frame owns the views (the lists only point at them); the editor owns one
// reference to the frame, the timer, its copies of the engine's control records, of the
// control index map and of the meter table, and the adapter that makes an effect-parameters
// object its values. The engine, the values (IEditorValues) and the view container are not
// owned. Threading: the host's GUI thread only (host calls,
// mouse and timer callbacks); the engine is touched only through onEditorMessage,
// controlChanged(50..52) and reads of its control list.

#include "vstgui/vstgui.h"

#include "AAX_IEffectParameters.h"
#include "AAX_VViewContainer.h"
#include "CEffectParametersValues.h"
#include "CPlugIn.h"

#include <pugixml.hpp>

#include <array>
#include <map>
#include <cstdint>
#include <string>
#include <vector>

class CKnobWP;
class CKickButtonWP;
class CTSRASwitchView;
class CVuMeterWP;
class CXYPadWP;

class CTsraVSTEditor : public VSTGUI::IControlListener,
                       public VSTGUI::IMouseObserver,
                       public VSTGUI::VSTGUIEditorInterface,
                       public VSTGUI::CBaseObject {
public:
    static constexpr int32_t kMeterTableSize = 1034;
    static constexpr uint32_t kTimerPeriodMs = 50;
    // Tags that belong to no host parameter.
    static constexpr int32_t kTagAssign1 = 32768, kTagAssign2 = 32769, kTagAssign3 = 32770;
    static constexpr int32_t kTagJoystickX = 32773, kTagJoystickY = 32774;
    static constexpr int32_t kTagJoystick = 32775, kTagTrackPad = 32776;
    static constexpr int32_t kTagReservedLast = 32778;
    static constexpr int32_t kTagPageFirst = 65536, kTagPageLast = 65567;
    // Largest editor side the description may ask for: the frame is one image of that size.
    static constexpr int kMaxEditorSide = 8192;
    // Most views one open makes (templates may include others many times over); the shipped
    // editor has a few dozen. Views past it are left out.
    static constexpr size_t kMaxViews = 4096;

    CTsraVSTEditor();
    ~CTsraVSTEditor() override;
    CTsraVSTEditor(const CTsraVSTEditor&) = delete;
    CTsraVSTEditor& operator=(const CTsraVSTEditor&) = delete;

    // Construction and teardown.
    bool open(void* pParentWindow, CPlugIn* pPlugIn, const void* pDescription, size_t nBytes);
    void close();
    void getSize(float& fWidth, float& fHeight) const;
    void notifyOpened();
    bool isOpen() const { return m_pFrame != nullptr; }

    // Connections (not owned).
    // Where the values live: the module's host parameters, or any other keeper (LV2 ports).
    void setEffectParameters(AAX_IEffectParameters* p);
    void setValues(IEditorValues* p) { m_pValues = p; }
    void setViewContainer(AAX_VViewContainer* p) { m_pViewContainer = p; }
    void setControlIndexMap(const int32_t* pIndices, int32_t nCount);
    // The map the host adapters give: the engine's controls of the kinds the editor binds.
    static std::vector<int32_t> controlIndexMapFor(const CPlugIn& plugIn);
    void setMeterTable(const int32_t* pTable);

    // Value flow.
    void syncAllViews();
    void updateControl(uint32_t uControlIndex, float fValue);

    // IControlListener
    void valueChanged(VSTGUI::CControl* pControl) override;
    int32_t controlModifierClicked(VSTGUI::CControl*, VSTGUI::CButtonState) override { return 0; }
    void controlBeginEdit(VSTGUI::CControl* pControl) override;
    void controlEndEdit(VSTGUI::CControl* pControl) override;
    void controlTagWillChange(VSTGUI::CControl*) override {}
    void controlTagDidChange(VSTGUI::CControl*) override {}
    virtual void onTimerIdle();

    // IMouseObserver
    void onMouseEntered(VSTGUI::CView*, VSTGUI::CFrame*) override {}
    void onMouseExited(VSTGUI::CView*, VSTGUI::CFrame*) override {}
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CFrame* pFrame, const VSTGUI::CPoint& where,
                                           const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CFrame* pFrame, const VSTGUI::CPoint& where,
                                          const VSTGUI::CButtonState& buttons) override;

    // VSTGUIEditorInterface
    void doIdleStuff() override {}
    int32_t getKnobMode() const override;
    void beginEdit(int32_t) override {}
    void endEdit(int32_t) override {}
    bool beforeSizeChange(const VSTGUI::CRect&, const VSTGUI::CRect&) override { return true; }
    VSTGUI::CFrame* getFrame() const override { return m_pFrame; }

    // CBaseObject: the timer.
    VSTGUI::CMessageResult notify(VSTGUI::CBaseObject* pSender, VSTGUI::IdStringPtr message) override;

    // What was made (for the host adapter, tests and tools).
    const std::vector<VSTGUI::CTextLabel*>& labels() const { return m_Labels; }
    const std::vector<CKnobWP*>& knobs() const { return m_Knobs; }
    const std::vector<CVuMeterWP*>& meters() const { return m_Meters; }
    const std::vector<VSTGUI::CHorizontalSwitch*>& horizontalSwitches() const { return m_HorizontalSwitches; }
    const std::vector<VSTGUI::COnOffButton*>& onOffButtons() const { return m_OnOffButtons; }
    const std::vector<CKickButtonWP*>& kickButtons() const { return m_KickButtons; }
    const std::vector<VSTGUI::CViewContainer*>& containers() const { return m_Containers; }
    const std::vector<CXYPadWP*>& xyPads() const { return m_XYPads; }
    const std::vector<VSTGUI::COptionMenu*>& optionMenus() const { return m_OptionMenus; }
    const std::vector<VSTGUI::CSegmentButton*>& segmentButtons() const { return m_SegmentButtons; }
    const std::vector<VSTGUI::CControl*>& sliders() const { return m_Sliders; }
    size_t viewCount() const;
    size_t controlCopyCount() const { return m_Controls.size(); }
    bool hasControlIndexMap() const { return !m_ControlIndexMap.empty(); }
    VSTGUI::CVSTGUITimer* timer() const { return m_pTimer; }
    float joystickX() const { return m_fJoystickX; }
    float joystickY() const { return m_fJoystickY; }

private:
    struct SBinding {
        std::vector<VSTGUI::CTextLabel*> m_Labels;
        std::vector<VSTGUI::CTextEdit*> m_TextEdits;
        std::vector<CKnobWP*> m_Knobs;
        std::vector<VSTGUI::CControl*> m_Sliders;
        std::vector<VSTGUI::CVerticalSwitch*> m_VerticalSwitches;
        std::vector<VSTGUI::CHorizontalSwitch*> m_HorizontalSwitches;
        std::vector<VSTGUI::COnOffButton*> m_OnOffButtons;
        std::vector<CVuMeterWP*> m_Meters;
        std::vector<CKickButtonWP*> m_KickButtons;
        std::vector<VSTGUI::COptionMenu*> m_OptionMenus;
        std::vector<VSTGUI::CSegmentButton*> m_SegmentButtons;
    };

    class KeyboardHooker : public VSTGUI::IKeyboardHook {
    public:
        int32_t onKeyDown(const VSTGUI::VstKeyCode&, VSTGUI::CFrame*) override { return -1; }
        int32_t onKeyUp(const VSTGUI::VstKeyCode&, VSTGUI::CFrame*) override { return -1; }
    };

    // Construction (CTsraVSTEditorOpen.cpp, CTsraVSTEditorViews.cpp).
    void clearCopies();
    void clearViewLists();
    bool createView(pugi::xml_node node, VSTGUI::CViewContainer* pParent, bool bRegister);
    void createTemplateInto(const char* pTemplate, VSTGUI::CViewContainer* pParent, bool bRegister);
    VSTGUI::CView* offerCustomView(pugi::xml_node node, int32_t nTag, const VSTGUI::CRect& rect);
    void applyCommon(pugi::xml_node node, VSTGUI::CView* pView);
    void applyLabelAttributes(pugi::xml_node node, VSTGUI::CParamDisplay* pDisplay);
    // Background colour (transparent without one), its draw style, optionally the bitmap, and
    // the common attributes: of a container node, or of a template's root for a switch page.
    void applyContainerAttributes(pugi::xml_node node, VSTGUI::CViewContainer* p, bool bBitmap);
    void finishView(pugi::xml_node node, VSTGUI::CView* pView, VSTGUI::CViewContainer* pParent);
    const char* attr(pugi::xml_node node, const char* pName) const;
    int32_t tagNumber(const char* pName) const;
    int32_t tagPosition(int32_t nTag) const;
    bool colourByName(const char* pName, VSTGUI::CColor& colour) const;
    // A new gradient (the caller forgets it) from the description's "gradients", or null.
    VSTGUI::CGradient* gradientByName(const char* pName) const;
    VSTGUI::CFontRef fontByName(const char* pName);
    VSTGUI::CBitmap* bitmapByName(const char* pName);
    bool templateExists(const char* pName) const;

    // Value flow (CTsraVSTEditorValues.cpp).
    void rebuildBindings();
    // The record of the control at map position nPosition, or null.
    const ControlRecord* recordAtPosition(int32_t nPosition) const;
    // The control index for a tag (through its tag position and the map), -1 when none.
    int32_t controlIndexForTag(int32_t nTag) const;
    const ControlRecord* recordForIndex(int32_t nControlIndex) const;
    float normalisedDefault(const ControlRecord& r) const;
    std::string valueText(const ControlRecord& r, float fPosition, int32_t nPrecision) const;
    void sendValue(int32_t nControlIndex, float fValue, const ControlRecord* pRecord, VSTGUI::CControl* pControl);
    void showPage(int32_t nSwitchTag, int32_t nPage);
    void setParameter(int32_t nControlIndex, double fValue);
    bool handOverMouse(const VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons, bool bDown);

    pugi::xml_document m_Document;
    // The templates being made, outermost first: one that includes itself stops there.
    std::vector<const pugi::xml_node_struct*> m_TemplatesBeingMade;
    size_t m_nViewsMade = 0;
    KeyboardHooker m_KeyboardHook;
    VSTGUI::CVSTGUITimer* m_pTimer = nullptr;
    bool m_bOpened = false;
    IEditorValues* m_pValues = nullptr;
    CEffectParametersValues m_EffectParametersValues;
    bool m_bClosing = false;
    int32_t m_nKnobMode = 3;
    std::vector<ControlRecord> m_Controls;
    bool m_bAppendUnits = true;
    std::vector<SBinding> m_Bindings;
    std::array<int32_t, kMeterTableSize> m_MeterTable;
    EditorMessage m_Message;
    CPlugIn* m_pPlugIn = nullptr;
    std::vector<int32_t> m_ControlIndexMap;
    AAX_VViewContainer* m_pViewContainer = nullptr;

    std::vector<VSTGUI::CTextLabel*> m_Labels;
    std::vector<VSTGUI::CTextLabel*> m_BoundLabels;
    std::vector<VSTGUI::CTextEdit*> m_TextEdits;
    std::vector<CKnobWP*> m_Knobs;
    std::vector<VSTGUI::CControl*> m_Sliders;
    std::vector<CKickButtonWP*> m_KickButtons;
    std::vector<VSTGUI::COnOffButton*> m_OnOffButtons;
    std::vector<VSTGUI::COptionMenu*> m_OptionMenus;
    std::vector<VSTGUI::CVerticalSwitch*> m_VerticalSwitches;
    std::vector<VSTGUI::CHorizontalSwitch*> m_HorizontalSwitches;
    std::vector<VSTGUI::CSegmentButton*> m_SegmentButtons;
    std::vector<CVuMeterWP*> m_Meters;
    std::vector<CXYPadWP*> m_XYPads;
    std::vector<VSTGUI::CViewContainer*> m_Containers;
    std::vector<VSTGUI::CView*> m_PlainViews;

    float m_fJoystickX = 0.0f;
    float m_fJoystickY = 0.0f;

    // Fonts made from the description's "font" elements while open.
    std::vector<VSTGUI::CFontRef> m_Fonts;
    // Decoded bitmaps by resource path and nine-part offsets, one reference each, kept for
    // the editor's life: views share them, and reopening decodes nothing again.
    std::map<std::string, VSTGUI::CBitmap*> m_BitmapCache;
};
