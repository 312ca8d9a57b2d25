// Making the views of the UI description: one creator per "class", common control attributes,
// templates and switch containers, and the custom-view offer to the engine.
#include "CTsraVSTEditor.h"

#include "CKickButtonWP.h"
#include "CKnobWP.h"
#include "CSliderWP.h"
#include "CTSRASwitchView.h"
#include "CVuMeterWP.h"
#include "CXYPadWP.h"
#include "UiDescriptionQuery.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <string>

using namespace VSTGUI;

namespace {
// The private attribute that points a view back at its description node.
constexpr CViewAttributeID kNodeAttribute = 0x74736e64;  // 'tsnd'

bool isTrue(const char* p) { return std::strcmp(p, "true") == 0; }

CHoriTxtAlign alignmentOr(const char* p, CHoriTxtAlign fallback)
{
    if (std::strcmp(p, "left") == 0)
        return kLeftText;
    if (std::strcmp(p, "right") == 0)
        return kRightText;
    if (std::strcmp(p, "center") == 0)
        return kCenterText;
    return fallback;
}

CPoint pairOr(const char* p, CPoint fallback)
{
    int a = 0, b = 0;
    return tsraParsePair(p, a, b) ? CPoint(a, b) : fallback;
}

// H and Z of "…AnalogMeterView_H<h>_Z<z>"; missing parts keep the defaults.
void parseAnalogName(const char* pName, double& h, double& z)
{
    if (const char* pH = std::strstr(pName, "_H"))
        h = std::atof(pH + 2);
    if (const char* pZ = std::strstr(pName, "_Z"))
        z = std::atof(pZ + 2);
}

std::string pngName(const char* p) { return *p ? std::string(p) + ".png" : std::string(); }
}  // namespace

void CTsraVSTEditor::applyCommon(pugi::xml_node node, CView* pView)
{
    if (auto* pControl = dynamic_cast<CControl*>(pView)) {
        const char* p = nullptr;
        if (*(p = attr(node, "min-value")))
            pControl->setMin(static_cast<float>(std::atof(p)));
        if (*(p = attr(node, "max-value")))
            pControl->setMax(static_cast<float>(std::atof(p)));
        if (*(p = attr(node, "default-value")))
            pControl->setDefaultValue(static_cast<float>(std::atof(p)));
        if (*(p = attr(node, "wheel-inc-value")))
            pControl->setWheelInc(static_cast<float>(std::atof(p)));
        if (*(p = attr(node, "background-offset")))
            pControl->setBackOffset(pairOr(p, CPoint()));
    }
    pView->setTransparency(isTrue(attr(node, "transparent")));
    if (*attr(node, "mouse-enabled"))
        pView->setMouseEnabled(isTrue(attr(node, "mouse-enabled")));
    if (*attr(node, "tooltip"))
        pView->setTooltipText(attr(node, "tooltip"));
}

void CTsraVSTEditor::applyLabelAttributes(pugi::xml_node node, CParamDisplay* pDisplay)
{
    CColor c;
    if (CFontRef pFont = fontByName(attr(node, "font")))
        pDisplay->setFont(pFont);
    if (colourByName(attr(node, "font-color"), c))
        pDisplay->setFontColor(c);
    if (colourByName(attr(node, "back-color"), c))
        pDisplay->setBackColor(c);
    if (colourByName(attr(node, "frame-color"), c))
        pDisplay->setFrameColor(c);
    if (colourByName(attr(node, "shadow-color"), c))
        pDisplay->setShadowColor(c);
    if (*attr(node, "frame-width"))
        pDisplay->setFrameWidth(std::atof(attr(node, "frame-width")));
    if (*attr(node, "round-rect-radius"))
        pDisplay->setRoundRectRadius(std::atof(attr(node, "round-rect-radius")));
    pDisplay->setHoriAlign(alignmentOr(attr(node, "text-alignment"), pDisplay->getHoriAlign()));
    if (*attr(node, "text-inset"))
        pDisplay->setTextInset(pairOr(attr(node, "text-inset"), CPoint()));
    if (*attr(node, "font-antialias"))
        pDisplay->setAntialias(isTrue(attr(node, "font-antialias")));
    int32_t style = 0;
    const struct {
        const char* m_pName;
        int32_t m_nBit;
    } styles[] = {{"style-3D-in", k3DIn},           {"style-3D-out", k3DOut},       {"style-no-draw", kNoDrawStyle},
                  {"style-no-frame", kNoFrame},     {"style-no-text", kNoTextStyle}, {"style-round-rect", kRoundRectStyle},
                  {"style-shadow-text", kShadowText}};
    for (const auto& s : styles)
        if (isTrue(attr(node, s.m_pName)))
            style |= s.m_nBit;
    pDisplay->setStyle(style);
}

CView* CTsraVSTEditor::offerCustomView(pugi::xml_node node, int32_t nTag, const CRect& rect)
{
    const char* pName = attr(node, "custom-view-name");
    if (!m_pPlugIn || !*pName)
        return nullptr;
    const std::string bitmap = pngName(attr(node, "bitmap"));
    const std::string handle = pngName(attr(node, "handle-bitmap"));
    const std::string off = pngName(attr(node, "off-bitmap"));
    CColor back, frame, font;
    const bool bBack = colourByName(attr(node, "back-color"), back);
    const bool bFrame = colourByName(attr(node, "frame-color"), frame);
    const bool bFont = colourByName(attr(node, "font-color"), font);
    const CPoint offset = pairOr(attr(node, "background-offset"), CPoint());
    EditorMessage message;
    message.m_uMessageCode = EditorCustomViewRequest;
    message.m_pCustomViewName = pName;
    message.m_nControlTag = nTag;
    message.m_nRect[0] = static_cast<int32_t>(rect.left);
    message.m_nRect[1] = static_cast<int32_t>(rect.top);
    message.m_nRect[2] = static_cast<int32_t>(rect.right);
    message.m_nRect[3] = static_cast<int32_t>(rect.bottom);
    message.m_nBackOffsetX = static_cast<int32_t>(offset.x);
    message.m_nBackOffsetY = static_cast<int32_t>(offset.y);
    message.m_pBitmapName = bitmap.c_str();
    message.m_pHandleBitmapName = handle.c_str();
    message.m_pOffBitmapName = off.c_str();
    message.m_pOrientation = attr(node, "orientation");
    message.m_pBackColor = bBack ? &back : nullptr;
    message.m_pFrameColor = bFrame ? &frame : nullptr;
    message.m_pFontColor = bFont ? &font : nullptr;
    message.m_nFrameWidth = node.attribute("frame-width").as_int(0);
    message.m_nRoundRectRadius = node.attribute("round-rect-radius").as_int(0);
    message.m_uStyleNoFrame = isTrue(attr(node, "style-no-frame")) ? 1 : 0;
    message.m_uStyleRoundRect = isTrue(attr(node, "style-round-rect")) ? 1 : 0;
    message.m_nImageHeight = node.attribute("height-of-one-image").as_int(0);
    message.m_nSubPixmaps = node.attribute("sub-pixmaps").as_int(0);
    message.m_pEmptyText = "";
    message.m_pEditor = this;
    message.m_pEditorAgain = this;
    return reinterpret_cast<CView*>(m_pPlugIn->onEditorMessage(&message));
}

void CTsraVSTEditor::applyContainerAttributes(pugi::xml_node node, CViewContainer* p, bool bBitmap)
{
    CColor colour;
    p->setBackgroundColor(colourByName(attr(node, "background-color"), colour) ? colour : kTransparentCColor);
    const char* pStyle = attr(node, "background-color-draw-style");
    if (std::strcmp(pStyle, "filled") == 0)
        p->setBackgroundColorDrawStyle(kDrawFilled);
    else if (std::strcmp(pStyle, "stroked") == 0)
        p->setBackgroundColorDrawStyle(kDrawStroked);
    else if (std::strcmp(pStyle, "filled and stroked") == 0)
        p->setBackgroundColorDrawStyle(kDrawFilledAndStroked);
    if (bBitmap)
        if (CBitmap* pBitmap = bitmapByName(attr(node, "bitmap"))) {
            p->setBackground(pBitmap);
            pBitmap->forget();
        }
    applyCommon(node, p);
}

void CTsraVSTEditor::finishView(pugi::xml_node node, CView* pView, CViewContainer* pParent)
{
    const pugi::xml_node_struct* pNode = node.internal_object();
    pView->setAttribute(kNodeAttribute, sizeof pNode, &pNode);
    pParent->addView(pView);
}

void CTsraVSTEditor::createTemplateInto(const char* pTemplate, CViewContainer* pParent, bool bRegister)
{
    pugi::xml_node t = tsraFindTemplate(m_Document, pTemplate);
    // A template that includes itself, directly or through others, would never end: where
    // it recurs it stays empty.
    const pugi::xml_node_struct* pTemplateNode = t.internal_object();
    if (!t || std::find(m_TemplatesBeingMade.begin(), m_TemplatesBeingMade.end(), pTemplateNode) != m_TemplatesBeingMade.end())
        return;
    m_TemplatesBeingMade.push_back(pTemplateNode);
    for (pugi::xml_node view : t.children("view"))
        createView(view, pParent, bRegister);
    m_TemplatesBeingMade.pop_back();
}

bool CTsraVSTEditor::createView(pugi::xml_node node, CViewContainer* pParent, bool bRegister)
{
    if (m_nViewsMade >= kMaxViews)
        return false;
    ++m_nViewsMade;
    const std::string cls = attr(node, "class");
    int x = 0, y = 0, w = 0, h = 0;
    tsraParsePair(attr(node, "origin"), x, y);
    tsraParsePair(attr(node, "size"), w, h);
    const CRect rect(x, y, x + w, y + h);
    const int32_t tag = tagNumber(attr(node, "control-tag"));
    const CPoint offset = pairOr(attr(node, "background-offset"), CPoint());
    const int32_t subPixmaps = node.attribute("sub-pixmaps").as_int(0);
    const double imageHeight = node.attribute("height-of-one-image").as_double(0);
    SharedPointer<CBitmap> bitmap;
    if (CBitmap* p = bitmapByName(attr(node, "bitmap"))) {
        bitmap = p;
        p->forget();
    }
    CColor colour;

    // Controls may come from the engine instead.
    static const char* const kControlClasses[] = {"CTextLabel", "CTextEdit",   "COnOffButton", "CKickButton",
                                                  "CVerticalSwitch", "CHorizontalSwitch", "CSegmentButton",
                                                  "COptionMenu", "CXYPad", "CAnimKnob", "CSlider", "CVuMeter"};
    bool bIsControl = false;
    for (const char* p : kControlClasses)
        bIsControl = bIsControl || cls == p;
    if (bIsControl) {
        if (CView* pCustom = offerCustomView(node, tag, rect)) {
            if (bRegister)
                m_PlainViews.push_back(pCustom);
            pParent->addView(pCustom);
            return true;
        }
    }

    if (cls == "CViewContainer") {
        auto* p = new CViewContainer(rect);
        applyContainerAttributes(node, p, true);
        if (*attr(node, "template"))
            createTemplateInto(attr(node, "template"), p, bRegister);
        if (bRegister)
            m_Containers.push_back(p);
        finishView(node, p, pParent);
    } else if (cls == "UIViewSwitchContainer") {
        auto* p = new CTSRASwitchView(rect);
        applyContainerAttributes(node, p, false);
        p->setSwitchTag(tagNumber(attr(node, "template-switch-control")));
        if (*attr(node, "animation-time"))
            p->setAnimationTime(static_cast<uint32_t>(node.attribute("animation-time").as_uint(120)));
        std::string names = attr(node, "template-names");
        size_t start = 0;
        while (start <= names.size()) {
            size_t comma = names.find(',', start);
            if (comma == std::string::npos)
                comma = names.size();
            std::string name = names.substr(start, comma - start);
            name.erase(0, name.find_first_not_of(' '));
            name.erase(name.find_last_not_of(' ') + 1);
            if (!name.empty() && templateExists(name.c_str()) && m_nViewsMade < kMaxViews) {
                ++m_nViewsMade;  // a page is a view too
                // The page is the template's root container, sized to the switch view.
                auto* pPage = new CViewContainer(CRect(0, 0, w, h));
                applyContainerAttributes(tsraFindTemplate(m_Document, name.c_str()), pPage, true);
                createTemplateInto(name.c_str(), pPage, bRegister);
                pPage->setVisible(false);
                p->addView(pPage);
            }
            start = comma + 1;
        }
        if (bRegister)
            m_Containers.push_back(p);
        finishView(node, p, pParent);
    } else if (cls == "CView") {
        auto* p = new CView(rect);
        if (bitmap)
            p->setBackground(bitmap);
        applyCommon(node, p);
        if (bRegister)
            m_PlainViews.push_back(p);
        finishView(node, p, pParent);
    } else if (cls == "CTextLabel") {
        auto* p = new CTextLabel(rect, attr(node, "title"), bitmap);
        p->setTag(tag);
        p->setListener(this);
        applyLabelAttributes(node, p);
        applyCommon(node, p);
        if (bRegister)
            m_Labels.push_back(p);
        finishView(node, p, pParent);
    } else if (cls == "CTextEdit") {
        auto* p = new CTextEdit(rect, this, tag, attr(node, "title"), bitmap);
        applyLabelAttributes(node, p);
        applyCommon(node, p);
        p->setImmediateTextChange(isTrue(attr(node, "immediate-text-change")));
        if (bRegister)
            m_TextEdits.push_back(p);
        finishView(node, p, pParent);
    } else if (cls == "COnOffButton") {
        auto* p = new COnOffButton(rect, this, tag, bitmap);
        applyCommon(node, p);
        if (bRegister)
            m_OnOffButtons.push_back(p);
        finishView(node, p, pParent);
    } else if (cls == "CKickButton") {
        auto* p = new CKickButtonWP(rect, this, tag, imageHeight > 0 ? imageHeight : h, bitmap, offset);
        p->setReportMode(CKickButtonWP::reportModeFor(attr(node, "custom-view-name")));
        if (subPixmaps > 0)
            p->setNumSubPixmaps(subPixmaps);
        applyCommon(node, p);
        if (bRegister)
            m_KickButtons.push_back(p);
        finishView(node, p, pParent);
    } else if (cls == "CVerticalSwitch" || cls == "CHorizontalSwitch") {
        const CCoord imageH = imageHeight > 0 ? imageHeight : h;
        if (cls == "CVerticalSwitch") {
            auto* p = new CVerticalSwitch(rect, this, tag, subPixmaps, imageH, subPixmaps, bitmap, offset);
            applyCommon(node, p);
            if (bRegister)
                m_VerticalSwitches.push_back(p);
            finishView(node, p, pParent);
        } else {
            auto* p = new CHorizontalSwitch(rect, this, tag, subPixmaps, imageH, subPixmaps, bitmap, offset);
            applyCommon(node, p);
            if (bRegister)
                m_HorizontalSwitches.push_back(p);
            finishView(node, p, pParent);
        }
    } else if (cls == "CSegmentButton") {
        auto* p = new CSegmentButton(rect, this, tag);
        std::string names = attr(node, "segment-names");
        size_t start = 0;
        while (!names.empty() && start <= names.size()) {
            size_t comma = names.find(',', start);
            if (comma == std::string::npos)
                comma = names.size();
            p->addSegment({names.substr(start, comma - start)});
            start = comma + 1;
        }
        p->setStyle(std::strcmp(attr(node, "style"), "horizontal") == 0 ? CSegmentButton::Style::kHorizontal
                                                                        : CSegmentButton::Style::kVertical);
        if (colourByName(attr(node, "text-color"), colour))
            p->setTextColor(colour);
        if (colourByName(attr(node, "text-color-highlighted"), colour))
            p->setTextColorHighlighted(colour);
        if (colourByName(attr(node, "frame-color"), colour))
            p->setFrameColor(colour);
        if (*attr(node, "frame-width"))
            p->setFrameWidth(std::atof(attr(node, "frame-width")));
        if (*attr(node, "round-radius"))
            p->setRoundRadius(std::atof(attr(node, "round-radius")));
        p->setTextAlignment(alignmentOr(attr(node, "text-alignment"), p->getTextAlignment()));
        for (const auto& [pName, pSet] : {std::pair{"gradient", &CSegmentButton::setGradient},
                                          std::pair{"gradient-highlighted", &CSegmentButton::setGradientHighlighted}})
            if (CGradient* pGradient = gradientByName(attr(node, pName))) {
                (p->*pSet)(pGradient);
                pGradient->forget();
            }
        applyCommon(node, p);
        if (bRegister)
            m_SegmentButtons.push_back(p);
        finishView(node, p, pParent);
    } else if (cls == "COptionMenu") {
        auto* p = new COptionMenu(rect, this, tag, bitmap);
        applyLabelAttributes(node, p);
        const int32_t menuStyle = (isTrue(attr(node, "menu-check-style")) ? kCheckStyle : 0) |
                                  (isTrue(attr(node, "menu-popup-style")) ? kPopupStyle : 0);
        p->setStyle(p->getStyle() | menuStyle);
        applyCommon(node, p);
        if (bRegister)
            m_OptionMenus.push_back(p);
        finishView(node, p, pParent);
    } else if (cls == "CXYPad") {
        auto* p = new CXYPadWP(rect);
        p->setListener(this);
        const bool bJoystick = std::strcmp(attr(node, "control-tag"), "JOYSTICK") == 0;
        p->setTag(bJoystick ? kTagJoystick : tag);
        p->setJoystickMode(bJoystick);
        const int32_t xTag = tagNumber(attr(node, "control-tagX"));
        const int32_t yTag = tagNumber(attr(node, "control-tagY"));
        p->setAxisTags(xTag >= 0 ? xTag : CXYPadWP::kDefaultXTag, yTag >= 0 ? yTag : CXYPadWP::kDefaultYTag);
        // A joystick-mode pad bound to other axes has no engine position to show: it rests centred.
        p->setCentreOnSync(bJoystick);
        applyLabelAttributes(node, p);
        applyCommon(node, p);
        if (bRegister)
            m_XYPads.push_back(p);
        finishView(node, p, pParent);
    } else if (cls == "CAnimKnob") {
        auto* p = new CKnobWP(rect, this, tag, subPixmaps, imageHeight > 0 ? imageHeight : h, bitmap, offset);
        if (bitmap && subPixmaps <= 0)
            p->autoComputeHeightOfOneImage(bitmap);
        p->setSwitchMode(std::strcmp(attr(node, "custom-view-name"), "KnobSwitchView") == 0);
        p->setAltModifiers(true);
        constexpr double kDegrees = std::numbers::pi / 180.0;
        if (*attr(node, "angle-start"))
            p->setStartAngle(static_cast<float>(node.attribute("angle-start").as_double() * kDegrees));
        if (*attr(node, "angle-range"))
            p->setRangeAngle(static_cast<float>(node.attribute("angle-range").as_double() * kDegrees));
        if (*attr(node, "zoom-factor"))
            p->setZoomFactor(node.attribute("zoom-factor").as_float());
        if (*attr(node, "value-inset"))
            p->setInsetValue(node.attribute("value-inset").as_double());
        if (colourByName(attr(node, "corona-color"), colour))
            p->setCoronaColor(colour);
        if (colourByName(attr(node, "handle-color"), colour))
            p->setColorHandle(colour);
        if (colourByName(attr(node, "handle-shadow-color"), colour))
            p->setColorShadowHandle(colour);
        if (*attr(node, "handle-line-width"))
            p->setHandleLineWidth(node.attribute("handle-line-width").as_double());
        if (*attr(node, "corona-inset"))
            p->setCoronaInset(node.attribute("corona-inset").as_double());
        int32_t drawStyle = 0;
        const struct {
            const char* m_pName;
            int32_t m_nBit;
        } styles[] = {{"circle-drawing", CKnob::kHandleCircleDrawing},   {"corona-drawing", CKnob::kCoronaDrawing},
                      {"corona-from-center", CKnob::kCoronaFromCenter}, {"corona-inverted", CKnob::kCoronaInverted},
                      {"corona-dash-dot", CKnob::kCoronaLineDashDot},   {"corona-outline", CKnob::kCoronaOutline}};
        for (const auto& s : styles)
            if (isTrue(attr(node, s.m_pName)))
                drawStyle |= s.m_nBit;
        p->setDrawStyle(drawStyle);
        applyCommon(node, p);
        if (bRegister)
            m_Knobs.push_back(p);
        finishView(node, p, pParent);
    } else if (cls == "CSlider") {
        SharedPointer<CBitmap> handle;
        if (CBitmap* ph = bitmapByName(attr(node, "handle-bitmap"))) {
            handle = ph;
            ph->forget();
        }
        const bool bVertical = std::strcmp(attr(node, "orientation"), "vertical") == 0;
        const bool bReverse = isTrue(attr(node, "reverse-orientation"));
        const CPoint handleOffset = pairOr(attr(node, "handle-offset"), CPoint());
        const CPoint bitmapOffset = pairOr(attr(node, "bitmap-offset"), CPoint());
        const int32_t range = bVertical ? h : w;
        CSlider* pSlider = nullptr;
        auto configure = [&](auto* p) {
            p->setSwitchMode(std::strcmp(attr(node, "custom-view-name"), "SliderSwitchView") == 0);
            p->setAltModifiers(true);
            pSlider = p;
        };
        if (bVertical) {
            auto* p = new CVerticalSliderWP(rect, this, tag, handleOffset, range, handle, bitmap, bitmapOffset,
                                            kVertical | (bReverse ? kTop : kBottom));
            configure(p);
        } else {
            auto* p = new CHorizontalSliderWP(rect, this, tag, handleOffset, range, handle, bitmap, bitmapOffset,
                                              kHorizontal | (bReverse ? kRight : kLeft));
            configure(p);
        }
        const char* pMode = attr(node, "mode");
        if (std::strcmp(pMode, "relative touch") == 0)
            pSlider->setMode(CSlider::kRelativeTouchMode);
        else if (std::strcmp(pMode, "free click") == 0)
            pSlider->setMode(CSlider::kFreeClickMode);
        else if (std::strcmp(pMode, "touch") == 0)
            pSlider->setMode(CSlider::kTouchMode);
        int32_t drawStyle = 0;
        const struct {
            const char* m_pName;
            int32_t m_nBit;
        } styles[] = {{"draw-frame", CSlider::kDrawFrame},
                      {"draw-back", CSlider::kDrawBack},
                      {"draw-value", CSlider::kDrawValue},
                      {"draw-value-from-center", CSlider::kDrawValueFromCenter},
                      {"draw-value-inverted", CSlider::kDrawInverted}};
        for (const auto& s : styles)
            if (isTrue(attr(node, s.m_pName)))
                drawStyle |= s.m_nBit;
        pSlider->setDrawStyle(drawStyle);
        if (colourByName(attr(node, "draw-frame-color"), colour))
            pSlider->setFrameColor(colour);
        if (colourByName(attr(node, "draw-back-color"), colour))
            pSlider->setBackColor(colour);
        if (colourByName(attr(node, "draw-value-color"), colour))
            pSlider->setValueColor(colour);
        pSlider->setDrawTransparentHandle(isTrue(attr(node, "transparent-handle")));
        if (*attr(node, "zoom-factor"))
            pSlider->setZoomFactor(node.attribute("zoom-factor").as_float());
        applyCommon(node, pSlider);
        if (bRegister)
            m_Sliders.push_back(pSlider);
        finishView(node, pSlider, pParent);
    } else if (cls == "CVuMeter") {
        SharedPointer<CBitmap> offBitmap;
        if (CBitmap* po = bitmapByName(attr(node, "off-bitmap"))) {
            offBitmap = po;
            po->forget();
        }
        const int32_t leds = node.attribute("num-led").as_int(0);
        const bool bVertical = std::strcmp(attr(node, "orientation"), "vertical") == 0;
        auto* p = new CVuMeterWP(rect, bitmap, offBitmap, leds, bVertical ? kVertical : kHorizontal);
        const char* pName = attr(node, "custom-view-name");
        double fH = 65.0, fZ = 52.0;
        if (std::strstr(pName, "InvertedMeterView")) {
            p->setInverted(true);
        } else if (std::strstr(pName, "InvertedAnalogMeterView")) {
            parseAnalogName(pName, fH, fZ);
            p->setInverted(true);
            p->setAnalog(true, fH, fZ, leds);
        } else if (std::strstr(pName, "AnalogMeterView")) {
            parseAnalogName(pName, fH, fZ);
            p->setAnalog(true, fH, fZ, leds);
        }
        if (*attr(node, "decrease-step-value"))
            p->setDecreaseStepValue(node.attribute("decrease-step-value").as_float());
        p->setTag(tag);
        applyCommon(node, p);
        if (bRegister)
            m_Meters.push_back(p);
        finishView(node, p, pParent);
    } else {
        return false;
    }
    return true;
}
