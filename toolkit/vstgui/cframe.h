#pragma once
// The root container, shown in a window of the platform: an X11 child window, or an offscreen
// image surface (see platform/offscreenframe.h). It dispatches mouse, wheel and key events,
// keeps the keyboard focus, calls mouse observers and keyboard hooks, shows tooltips, runs
// view animations and, in idle(), redraws the views marked dirty.
//
// Ownership: created with one reference; close() removes and forgets every view, closes the
// platform window and forgets that reference. Observers, hooks and the editor interface are
// not owned. Threading: GUI thread.

#include "cviewcontainer.h"

#include <memory>
#include <vector>

namespace VSTGUI {

class CFrame;
class CVSTGUITimer;
class IPlatformFrame;
class IPlatformFrameConfig;  // accepted for signature compatibility; not used
namespace Animation {
class Animator;
}

enum PlatformType {
    kHWND,               // the host's window handle: an X11 window id here
    kX11EmbedWindowID,   // an X11 window id
    kDefaultNative,      // same as kX11EmbedWindowID
    kOffscreen,          // no window: a cairo image surface (tests, screenshots)
};

// The knob mouse modes an editor may ask for.
enum CKnobMode { kCircularMode = 0, kRelativCircularMode, kLinearMode };

class IMouseObserver
{
public:
    virtual ~IMouseObserver() = default;
    virtual void onMouseEntered(CView* view, CFrame* frame) = 0;
    virtual void onMouseExited(CView* view, CFrame* frame) = 0;
    // Returning kMouseEventHandled keeps the event from the views.
    virtual CMouseEventResult onMouseMoved(CFrame*, const CPoint&, const CButtonState&) { return kMouseEventNotHandled; }
    virtual CMouseEventResult onMouseDown(CFrame*, const CPoint&, const CButtonState&) { return kMouseEventNotHandled; }
};

class IKeyboardHook
{
public:
    virtual ~IKeyboardHook() = default;
    // Return -1 to pass the key on, anything else to consume it.
    virtual int32_t onKeyDown(const VstKeyCode& code, CFrame* frame) = 0;
    virtual int32_t onKeyUp(const VstKeyCode& code, CFrame* frame) = 0;
};

// The editor a frame belongs to.
class VSTGUIEditorInterface
{
public:
    virtual void doIdleStuff() {}
    virtual int32_t getKnobMode() const { return -1; }  // -1: the frame's default
    virtual void beginEdit(int32_t /*index*/) {}
    virtual void endEdit(int32_t /*index*/) {}
    virtual bool beforeSizeChange(const CRect& /*newSize*/, const CRect& /*oldSize*/) { return true; }
    virtual CFrame* getFrame() const { return m_pFrame; }
    virtual ~VSTGUIEditorInterface() = default;

protected:
    VSTGUIEditorInterface() = default;
    CFrame* m_pFrame = nullptr;
};

class CFrame : public CViewContainer
{
public:
    CFrame(const CRect& size, VSTGUIEditorInterface* editor);

    // parent: the X11 window id (cast to a pointer) for the window types, ignored offscreen.
    bool open(void* parent, PlatformType type = kDefaultNative, IPlatformFrameConfig* config = nullptr);
    void close();
    bool isOpen() const { return m_pPlatformFrame != nullptr; }
    // Makes every frame open offscreen, whatever type is asked for (tests and tools).
    static void setOffscreenOverride(bool state);

    // Redraws the views marked dirty, then paints.
    void idle();

    VSTGUIEditorInterface* getEditor() const { return m_pEditor; }
    int32_t getKnobMode() const;
    void beginEdit(int32_t index);
    void endEdit(int32_t index);

    bool setSize(CCoord width, CCoord height);
    void setViewSize(const CRect& rect, bool invalid = true) override;

    void registerMouseObserver(IMouseObserver* observer);
    void unregisterMouseObserver(IMouseObserver* observer);
    void registerKeyboardHook(IKeyboardHook* hook);
    void unregisterKeyboardHook(IKeyboardHook* hook);

    void setFocusView(CView* view);
    CView* getFocusView() const { return m_pFocusView; }
    // Deactivation puts the focus aside; activation gives it back.
    void onActivate(bool state);
    bool isActive() const { return m_bActive; }

    void enableTooltips(bool state, uint32_t delayTimeInMs = 1000);
    bool tooltipsEnabled() const { return m_bTooltips; }
    // The text of the tooltip on screen, empty when none is shown.
    const UTF8String& getShownTooltip() const { return m_ShownTooltip; }

    // A view that receives every mouse event while set; the frame owns it.
    bool setModalView(CView* view);
    CView* getModalView() const { return m_pModalView; }

    Animation::Animator* getAnimator();

    bool getCurrentMouseLocation(CPoint& where) const;
    CButtonState getCurrentMouseButtons() const { return m_LastButtons; }

    // Events from the platform, in frame coordinates.
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;
    using CViewContainer::onWheel;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    int32_t onKeyUp(VstKeyCode& keyCode) override;

    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    void invalidRect(const CRect& rect) override;
    void invalid() override;

    IPlatformFrame* getPlatformFrame() const { return m_pPlatformFrame.get(); }
    // Called by containers before a view leaves the tree.
    void onViewRemoved(CView* view);

protected:
    ~CFrame() override;

private:
    void setMouseOverView(CView* view, const CPoint& where, const CButtonState& buttons);
    void hideTooltip();
    void showTooltip();
    CRect tooltipRect() const;
    static bool contains(CView* ancestor, CView* view);

    VSTGUIEditorInterface* m_pEditor;
    std::unique_ptr<IPlatformFrame> m_pPlatformFrame;
    std::vector<IMouseObserver*> m_MouseObservers;
    std::vector<IKeyboardHook*> m_KeyboardHooks;
    CView* m_pFocusView = nullptr;
    CView* m_pFocusViewWhileInactive = nullptr;
    CView* m_pMouseOverView = nullptr;
    CView* m_pModalView = nullptr;
    bool m_bActive = true;
    CPoint m_LastMouse{-1, -1};
    CButtonState m_LastButtons;
    Animation::Animator* m_pAnimator = nullptr;

    bool m_bTooltips = false;
    uint32_t m_nTooltipDelay = 1000;
    CVSTGUITimer* m_pTooltipTimer = nullptr;
    CView* m_pTooltipView = nullptr;
    UTF8String m_ShownTooltip;
    CPoint m_TooltipPos;
};

}  // namespace VSTGUI
