#include "cknob.h"

#include "cdrawcontext.h"
#include "cframe.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

CKnob::CKnob(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background, CBitmap* handle,
             const CPoint& offset, int32_t drawStyle)
    : CControl(size, listener, tag, background),
      m_fStartAngle(static_cast<float>(3 * M_PI / 4)),
      m_fRangeAngle(static_cast<float>(3 * M_PI / 2)),
      m_nDrawStyle(drawStyle)
{
    m_BackOffset = offset;
    setHandleBitmap(handle);
}

CKnob::~CKnob()
{
    if (m_pHandleBitmap)
        m_pHandleBitmap->forget();
}

void CKnob::setHandleBitmap(CBitmap* bitmap)
{
    if (bitmap)
        bitmap->remember();
    if (m_pHandleBitmap)
        m_pHandleBitmap->forget();
    m_pHandleBitmap = bitmap;
}

float CKnob::angleOfPoint(const CPoint& local) const
{
    // Normalised to the view's ellipse so that non-square knobs behave.
    const CCoord cx = getWidth() / 2, cy = getHeight() / 2;
    const double dx = (local.x - cx) / (cx > 0 ? cx : 1);
    const double dy = (local.y - cy) / (cy > 0 ? cy : 1);
    return static_cast<float>(std::atan2(dy, dx));
}

float CKnob::valueFromPoint(CPoint& point) const
{
    const double half = m_fRangeAngle / 2.0;
    double alpha = angleOfPoint(point) - (m_fStartAngle + half);  // relative to the middle
    while (alpha >= M_PI)
        alpha -= 2 * M_PI;
    while (alpha < -M_PI)
        alpha += 2 * M_PI;
    if (half < 0)
        alpha = -alpha;
    if (alpha > std::fabs(half))
        return getMax();
    if (alpha < -std::fabs(half))
        return getMin();
    const double norm = 0.5 + alpha / std::fabs(m_fRangeAngle);
    return static_cast<float>(getMin() + norm * getRange());
}

void CKnob::valueToPoint(CPoint& point) const
{
    const double a = m_fStartAngle + getValueNormalized() * m_fRangeAngle;
    const CCoord rx = getWidth() / 2 - m_fInsetValue, ry = getHeight() / 2 - m_fInsetValue;
    point.x = getWidth() / 2 + std::cos(a) * rx;
    point.y = getHeight() / 2 + std::sin(a) * ry;
}

void CKnob::draw(CDrawContext* context)
{
    if (m_pBackground)
        m_pBackground->draw(context, m_ViewSize, m_BackOffset);
    const CPoint origin = m_ViewSize.getTopLeft();
    if (m_nDrawStyle & kCoronaDrawing) {
        CRect r(m_ViewSize);
        r.inset(m_fCoronaInset, m_fCoronaInset);
        const float v = getValueNormalized();
        float from = m_fStartAngle, to = m_fStartAngle + v * m_fRangeAngle;
        if (m_nDrawStyle & kCoronaFromCenter)
            from = m_fStartAngle + m_fRangeAngle / 2;
        if (m_nDrawStyle & kCoronaInverted) {
            from = to;
            to = m_fStartAngle + m_fRangeAngle;
        }
        context->setFrameColor(m_CoronaColor);
        context->setLineWidth(m_fHandleLineWidth);
        context->setDrawMode(kAntiAliasing);
        context->setLineStyle(m_nDrawStyle & kCoronaLineDashDot ? kLineOnOffDash : kLineSolid);
        context->drawArc(r, static_cast<float>(std::min(from, to) * 180 / M_PI),
                         static_cast<float>(std::max(from, to) * 180 / M_PI), kDrawStroked);
        context->setLineStyle(kLineSolid);
    }
    if (!(m_nDrawStyle & kSkipHandleDrawing)) {
        CPoint p;
        valueToPoint(p);
        p.offset(origin);
        if (m_pHandleBitmap) {
            const CCoord w = m_pHandleBitmap->getWidth(), h = m_pHandleBitmap->getHeight();
            m_pHandleBitmap->draw(context, CRect(p.x - w / 2, p.y - h / 2, p.x + w / 2, p.y + h / 2));
        } else if (m_nDrawStyle & kHandleCircleDrawing) {
            context->setFillColor(m_HandleColor);
            context->setDrawMode(kAntiAliasing);
            context->drawEllipse(CRect(p.x - 2, p.y - 2, p.x + 2, p.y + 2), kDrawFilled);
        } else {
            const CPoint c = m_ViewSize.getCenter();
            context->setDrawMode(kAntiAliasing);
            context->setLineWidth(m_fHandleLineWidth);
            context->setFrameColor(m_HandleShadowColor);
            context->drawLine(CPoint(c.x + 1, c.y + 1), CPoint(p.x + 1, p.y + 1));
            context->setFrameColor(m_HandleColor);
            context->drawLine(c, p);
        }
    }
    setDirty(false);
}

CMouseEventResult CKnob::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    beginEdit();
    if (checkDefaultValue(buttons)) {
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    m_fOldValue = getValue();
    m_FirstPoint = where;
    m_LastPoint = CPoint(-1e9, -1e9);
    m_fEntryState = getValue();
    m_fLinearBase = getValue();
    m_fRange = kCKnobRange;
    m_OldButton = buttons;

    const int32_t frameMode = getFrame() ? getFrame()->getKnobMode() : kCircularMode;
    if (frameMode == kLinearMode)
        m_nMode = (buttons & kAlt) ? kCircularMode : kLinearMode;
    else
        m_nMode = (buttons & kAlt) ? kLinearMode : frameMode;

    if (m_nMode == kLinearMode) {
        if (buttons & getZoomModifier())
            m_fRange *= m_fZoomFactor;
        m_fCoef = static_cast<float>(getRange() / m_fRange);
        m_LastPoint = where;
        return kMouseEventHandled;
    }
    CPoint local(where);
    local.offset(-m_ViewSize.left, -m_ViewSize.top);
    m_fStartValue = valueFromPoint(local);
    if (m_nMode == kCircularMode)
        return onMouseMoved(where, buttons);
    m_LastPoint = where;  // relative: nothing moves until the pointer does
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton) || !isEditing())
        return kMouseEventNotHandled;
    if (where == m_LastPoint)
        return kMouseEventHandled;
    const CPoint previous = m_LastPoint;
    m_LastPoint = where;
    float v;
    if (m_nMode == kLinearMode) {
        auto distance = [this](const CPoint& p) { return (p.x - m_FirstPoint.x) + (m_FirstPoint.y - p.y); };
        if (buttons.getModifierState() != m_OldButton.getModifierState()) {
            // New fineness from the previous point on, without a jump.
            m_fRange = kCKnobRange * ((buttons & getZoomModifier()) ? m_fZoomFactor : 1.f);
            m_fCoef = static_cast<float>(getRange() / m_fRange);
            m_fLinearBase = static_cast<float>(getValue() - distance(previous) * m_fCoef);
            m_OldButton = buttons;
        }
        v = static_cast<float>(m_fLinearBase + distance(where) * m_fCoef);
    } else {
        CPoint local(where);
        local.offset(-m_ViewSize.left, -m_ViewSize.top);
        const float pointValue = valueFromPoint(local);
        const float half = getRange() / 2;
        if (m_nMode == kCircularMode) {
            v = pointValue;
            // A jump over the gap at the bottom pins to the end it came from.
            if (m_fStartValue - v > half)
                v = getMax();
            else if (v - m_fStartValue > half)
                v = getMin();
            else
                m_fStartValue = v;
        } else {
            float delta = pointValue - m_fStartValue;
            if (std::fabs(delta) > half)
                delta = 0;
            m_fStartValue = pointValue;
            v = getValue() + delta;
        }
    }
    setValue(std::clamp(v, getMin(), getMax()));
    reportValueChange();
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseUp(CPoint&, const CButtonState&)
{
    return endEditing();
}

CMouseEventResult CKnob::onMouseCancel()
{
    if (isEditing()) {
        setValue(m_fEntryState);
        valueChanged();
        endEdit();
        invalid();
    }
    return kMouseEventHandled;
}

bool CKnob::onWheel(const CPoint&, const float& distance, const CButtonState& buttons)
{
    if (!getMouseEnabled())
        return false;
    float v = getValueNormalized();
    v += distance * getWheelInc() * ((buttons & getZoomModifier()) ? 0.1f : 1.f);
    setValueNormalized(v);
    reportStep();
    return true;
}

int32_t CKnob::onKeyDown(VstKeyCode& keyCode)
{
    return stepByArrowKey(keyCode);
}

CAnimKnob::CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                     const CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset)
{
    m_fHeightOfOneImage = size.getHeight();
    m_nSubPixmaps = background && m_fHeightOfOneImage > 0
                        ? static_cast<int32_t>(background->getHeight() / m_fHeightOfOneImage)
                        : 0;
}

CAnimKnob::CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
                     CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset)
{
    m_nSubPixmaps = subPixmaps;
    m_fHeightOfOneImage = heightOfOneImage;
}

void CAnimKnob::setBackground(CBitmap* background)
{
    CKnob::setBackground(background);
    if (background && m_fHeightOfOneImage > 0 && m_nSubPixmaps == 0)
        m_nSubPixmaps = static_cast<int32_t>(background->getHeight() / m_fHeightOfOneImage);
}

void CAnimKnob::draw(CDrawContext* context)
{
    if (m_pBackground && m_fHeightOfOneImage > 0 && m_nSubPixmaps > 0) {
        float v = std::clamp(getValueNormalized(), 0.f, 1.f);
        if (m_bInverseBitmap)
            v = 1.f - v;
        const auto frame = static_cast<int32_t>(std::floor(v * static_cast<float>(m_nSubPixmaps - 1)));
        m_pBackground->draw(context, m_ViewSize, CPoint(m_BackOffset.x, m_BackOffset.y + frame * m_fHeightOfOneImage));
    }
    setDirty(false);
}

}  // namespace VSTGUI
