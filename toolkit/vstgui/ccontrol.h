#pragma once
// Controls: views with a value between min and max that report edits to a listener.
//
// Edits: beginEdit()/endEdit() nest; the listener (and the frame's editor) hears the first
// begin and the last end only. valueChanged() reports the current value. Ownership: the
// listener is not owned. Threading: GUI thread.

#include "cview.h"

namespace VSTGUI {

class CControl;

class IControlListener
{
public:
    virtual ~IControlListener() = default;
    virtual void valueChanged(CControl* control) = 0;
    // Called before a click with a modifier key or the right button; non-zero consumes it.
    virtual int32_t controlModifierClicked(CControl* /*control*/, CButtonState /*button*/) { return 0; }
    virtual void controlBeginEdit(CControl* /*control*/) {}
    virtual void controlEndEdit(CControl* /*control*/) {}
    virtual void controlTagWillChange(CControl* /*control*/) {}
    virtual void controlTagDidChange(CControl* /*control*/) {}
};

// Style bits shared by the controls.
enum CControlEnum : int32_t {
    kHorizontal = 1 << 0,
    kVertical = 1 << 1,
    kShadowText = 1 << 2,
    kLeft = 1 << 3,
    kRight = 1 << 4,
    kTop = 1 << 5,
    kBottom = 1 << 6,
    k3DIn = 1 << 7,
    k3DOut = 1 << 8,
    kPopupStyle = 1 << 9,
    kCheckStyle = 1 << 10,
    kNoTextStyle = 1 << 11,
    kNoDrawStyle = 1 << 12,
    kDoubleClickStyle = 1 << 13,
    kNoFrame = 1 << 14,
    kRoundRectStyle = 1 << 15,
    kMultipleCheckStyle = 1 << 16,
};

// Controls drawn from a vertical strip of equally high images.
class IMultiBitmapControl
{
public:
    virtual ~IMultiBitmapControl() = default;
    virtual void setHeightOfOneImage(const CCoord& height) { m_fHeightOfOneImage = height; }
    virtual CCoord getHeightOfOneImage() const { return m_fHeightOfOneImage; }
    virtual void setNumSubPixmaps(int32_t count) { m_nSubPixmaps = count; }
    virtual int32_t getNumSubPixmaps() const { return m_nSubPixmaps; }
    // Image height = bitmap height / number of images.
    void autoComputeHeightOfOneImage(CBitmap* background);

protected:
    CCoord m_fHeightOfOneImage = 0;
    int32_t m_nSubPixmaps = 0;
};

class CControl : public CView
{
public:
    CControl(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
             CBitmap* background = nullptr);
    ~CControl() override;

    // The value is stored as given (draw code bounces it into min..max); a change marks the
    // control dirty.
    virtual void setValue(float val);
    virtual float getValue() const { return m_fValue; }
    virtual void setValueNormalized(float val);  // limited to 0..1
    virtual float getValueNormalized() const;
    virtual void setMin(float val) { m_fMin = val; }
    virtual float getMin() const { return m_fMin; }
    virtual void setMax(float val) { m_fMax = val; }
    virtual float getMax() const { return m_fMax; }
    float getRange() const { return m_fMax - m_fMin; }
    virtual void setOldValue(float val) { m_fOldValue = val; }
    virtual float getOldValue() const { return m_fOldValue; }
    virtual void setDefaultValue(float val) { m_fDefaultValue = val; }
    virtual float getDefaultValue() const { return m_fDefaultValue; }
    virtual void setWheelInc(float val) { m_fWheelInc = val; }
    virtual float getWheelInc() const { return m_fWheelInc; }
    virtual void bounceValue();
    // Where the control's background image starts (e.g. the first frame of a strip).
    virtual void setBackOffset(const CPoint& offset) { m_BackOffset = offset; }
    const CPoint& getBackOffset() const { return m_BackOffset; }

    virtual void setTag(int32_t val);
    virtual int32_t getTag() const { return m_nTag; }
    virtual void setListener(IControlListener* listener) { m_pListener = listener; }
    IControlListener* getListener() const { return m_pListener; }

    virtual void beginEdit();
    virtual void endEdit();
    bool isEditing() const { return m_nEditing > 0; }
    int32_t getEditCount() const { return m_nEditing; }
    // Tells the listener the current value and remembers it as the old value.
    virtual void valueChanged();
    // A left click with exactly kDefaultValueModifier sets the default value (reported as one
    // edit when it differs) and answers true.
    virtual bool checkDefaultValue(CButtonState button);

    // The modifier for fine adjustment and the one that resets to the default value.
    static int32_t kZoomModifier;
    static int32_t kDefaultValueModifier;
    // What this control uses; a subclass may choose other keys (e.g. Alt to reset).
    virtual int32_t getZoomModifier() const { return kZoomModifier; }
    virtual int32_t getDefaultValueModifier() const { return kDefaultValueModifier; }

protected:
    // Sends valueChanged when the value moved since the last report; repaints when dirty.
    void reportValueChange();
    // Mouse up: ends an edit in progress.
    CMouseEventResult endEditing();
    // Mouse cancel: puts back the value from before the drag and ends the edit.
    CMouseEventResult cancelEditing(float fEntryValue);
    // A wheel or key step already applied to the value: one whole edit when it moved.
    void reportStep();
    // Arrow keys step the normalised value by the wheel increment (a tenth with Shift);
    // -1 for any other key.
    int32_t stepByArrowKey(const VstKeyCode& keyCode);

    IControlListener* m_pListener;
    int32_t m_nTag;
    float m_fValue = 0.f;
    float m_fOldValue = 1.f;
    float m_fDefaultValue = 0.5f;
    float m_fMin = 0.f;
    float m_fMax = 1.f;
    float m_fWheelInc = 0.1f;
    int32_t m_nEditing = 0;
    CPoint m_BackOffset;
};

}  // namespace VSTGUI
