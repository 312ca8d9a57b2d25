// The editor on a tape engine, without the module: construction, value flow, timer. What the
// shipped description makes is kept in tests/snapshots/editor.json.
#include "EditorHarness.h"

#include "CKickButtonWP.h"
#include "CKnobWP.h"
#include "CSliderWP.h"
#include "CTSRASwitchView.h"
#include "CVuMeterWP.h"
#include "CXYPadWP.h"
#include "UiDescriptionQuery.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using namespace VSTGUI;

namespace {

// An engine that counts what the editor sends it and may offer a view of its own.
class CountingEngine : public CModDelayModule {
public:
    std::vector<int32_t> m_ControlChanges;
    std::vector<uint32_t> m_Messages;
    bool m_bTickFieldsClear = true;  // ticks use no field but the code
    bool m_bTextsEmpty = true;       // opening and closing give empty texts, never null
    std::string m_OfferFor, m_Offer;
    intptr_t onEditorMessage(EditorMessage* p) override
    {
        m_Messages.push_back(p->m_uMessageCode);
        if (p->m_uMessageCode == EditorTimerTick)
            m_bTickFieldsClear &= p->m_nControlTag == 0 && !p->m_pCustomViewName && !p->m_pEditor;
        if (p->m_uMessageCode == EditorOpened || p->m_uMessageCode == EditorClosing)
            m_bTextsEmpty &= p->m_pCustomViewName && !*p->m_pCustomViewName && p->m_pEmptyText && !*p->m_pEmptyText && p->m_pEditor;
        if (p->m_uMessageCode == EditorCustomViewRequest && m_OfferFor == p->m_pCustomViewName) {
            auto colour = [](const void* pColour) {
                const auto* c = static_cast<const CColor*>(pColour);
                return c ? std::to_string(c->red) + "/" + std::to_string(c->green) + "/" + std::to_string(c->blue) : std::string("-");
            };
            char text[512];
            std::snprintf(text, sizeof text, "tag %d at %d %d %d %d offset %d %d bitmaps %s %s %s %s colours %s %s %s frame %d radius %d styles %d %d images %d of %d editor %d",
                          p->m_nControlTag, p->m_nRect[0], p->m_nRect[1], p->m_nRect[2], p->m_nRect[3], p->m_nBackOffsetX,
                          p->m_nBackOffsetY, p->m_pBitmapName, p->m_pHandleBitmapName, p->m_pOffBitmapName, p->m_pOrientation,
                          colour(p->m_pBackColor).c_str(), colour(p->m_pFrameColor).c_str(), colour(p->m_pFontColor).c_str(),
                          p->m_nFrameWidth, p->m_nRoundRectRadius, p->m_uStyleNoFrame, p->m_uStyleRoundRect, p->m_nImageHeight,
                          p->m_nSubPixmaps, p->m_pEditor && p->m_pEditor == p->m_pEditorAgain);
            m_Offer = text;
            return reinterpret_cast<intptr_t>(new CView(CRect(p->m_nRect[0], p->m_nRect[1], p->m_nRect[2], p->m_nRect[3])));
        }
        return CModDelayModule::onEditorMessage(p);
    }
    // What an edit of nControlId asks; the engine answers with m_Answer.
    std::vector<std::string> m_Collected;
    std::vector<EditorUpdate> m_Answer;
    bool collectEditorUpdates(int32_t nControlId, float fValue, EditorUpdate** ppList, bool bFlag) override
    {
        m_Collected.push_back(std::to_string(nControlId) + " " + std::to_string(fValue) + (bFlag ? " editor" : ""));
        for (auto it = m_Answer.rbegin(); it != m_Answer.rend(); ++it)
            *ppList = new EditorUpdate{it->m_uControlId, it->m_fValue, *ppList};
        return !m_Answer.empty();
    }
    bool controlChanged(int32_t id) override
    {
        m_ControlChanges.push_back(id);
        return CModDelayModule::controlChanged(id);
    }
    size_t count(uint32_t code) const { return size_t(std::count(m_Messages.begin(), m_Messages.end(), code)); }
};

// Values that record what the editor sets.
struct RecordingValues : IEditorValues {
    std::vector<std::string> m_Calls;
    void beginEdit(int32_t n) override { m_Calls.push_back("begin " + std::to_string(n)); }
    void endEdit(int32_t n) override { m_Calls.push_back("end " + std::to_string(n)); }
    void setNormalised(int32_t n, double d) override { m_Calls.push_back("set " + std::to_string(n) + " " + std::to_string(d)); }
    bool getNormalised(int32_t, double&) const override { return false; }
    void setPlain(int32_t n, float f, bool bWhole) override
    {
        m_Calls.push_back("plain " + std::to_string(n) + " " + std::to_string(f) + (bWhole ? " whole" : ""));
    }
};

using CountingEditor = TEditorHarness<CountingEngine>;

const char* kHissLabel =
    R"(<view class="CTextLabel" control-tag="Tape Hiss" origin="10, 540" size="120, 20" title=""/>)";
const char* kAssignButtons =
    R"(<view class="CKickButton" control-tag="ASSIGNBUTTON_1" origin="0, 540" size="20, 20"/>)"
    R"(<view class="CKickButton" control-tag="ASSIGNBUTTON_2" origin="30, 540" size="20, 20"/>)"
    R"(<view class="CKickButton" control-tag="ASSIGNBUTTON_3" origin="60, 540" size="20, 20"/>)";

std::string replaced(std::string text, const std::string& what, const std::string& with)
{
    return text.replace(text.find(what), what.size(), with);
}

}  // namespace

TEST(EditorOpen, ShippedEditorRunsItsTimerAndReadsItsMeterGeometryAndDetection)
{
    EditorHarness h;
    // The record's detection field, not its mode field (which stays 0), chooses peak or RMS.
    h.m_Engine.controlRecord(16)->m_uMeterDetection = CMeterFollower::kRootMeanSquare;
    h.m_Engine.controlRecord(17)->m_uMeterDetection = CMeterFollower::kMeanSquare;
    ASSERT_TRUE(h.open(shippedDescription()));
    ASSERT_EQ(h.m_Editor.meters().size(), 2u);
    for (CVuMeterWP* meter : h.m_Editor.meters()) {
        EXPECT_EQ(meter->follower().mode(), h.m_Engine.controlRecord(uint32_t(meter->getTag()))->m_uMeterDetection);
        // "AnalogMeterView_H251_Z7" with 9 LEDs; its off bitmap names no carried image.
        EXPECT_TRUE(meter->isAnalog());
        EXPECT_EQ(meter->frameHeight(), 251.0);
        EXPECT_EQ(meter->scaleZ(), 7.0);
        EXPECT_EQ(meter->frameCount(), 9.0);
        EXPECT_EQ(meter->getOffBitmap(), nullptr);
    }
    EXPECT_TRUE(h.m_Editor.timer()->isRunning());
    EXPECT_EQ(h.m_Editor.timer()->getFireTime(), 50u);
    h.m_Editor.getFrame()->onActivate(false);
    h.m_Editor.syncAllViews();
    EXPECT_TRUE(h.m_Editor.getFrame()->isActive()) << "a sync activates the frame";
}

TEST(EditorOpen, KnobActionChoosesTheKnobMode)
{
    const std::pair<const char*, int32_t> cases[] = {{"", kLinearMode}, {R"(<attributes KnobAction="2"/>)", kLinearMode},
                                                     {R"(<attributes KnobAction="0"/>)", kCircularMode},
                                                     {R"(<attributes KnobAction="1"/>)", kRelativCircularMode},
                                                     {R"(<attributes KnobAction="7"/>)", kLinearMode}};
    for (const auto& [pAttributes, nMode] : cases) {
        EditorHarness h;
        ASSERT_TRUE(h.open(replaced(shippedDescription(), R"(<attributes KnobAction="2"/>)", pAttributes)));
        EXPECT_EQ(h.m_Editor.getKnobMode(), nMode) << pAttributes;
    }
}

TEST(EditorOpen, UnusableDescriptionsAndSizesOpenNothingAndKeepNoCopies)
{
    EditorHarness h;
    const std::string good = shippedDescription();
    const std::string size = "size=\"900, 568\"";
    std::vector<std::string> bad = {"<vstgui-ui-description", std::string(),
                                    replaced(good, "name=\"Editor\"", "name=\"Other\"")};
    for (const char* pSize : {"900", "0, 568", "900, 0", "8193, 568", "900, 100000", "2147483647, 2147483647"})
        bad.push_back(replaced(good, size, std::string("size=\"") + pSize + "\""));
    for (const std::string& text : bad) {
        EXPECT_FALSE(h.open(text));
        EXPECT_EQ(h.m_Editor.controlCopyCount(), 0u);
        EXPECT_EQ(h.m_Editor.getFrame(), nullptr);
    }
    EXPECT_FALSE(h.m_Editor.open(nullptr, &h.m_Engine, good.data(), good.size())) << "no parent window";
    for (const char* pSize : {"8192, 600", "1, 1"}) {
        EditorHarness other;
        EXPECT_TRUE(other.open(replaced(good, size, std::string("size=\"") + pSize + "\""))) << pSize;
    }
    ASSERT_TRUE(h.open(good));
    EXPECT_EQ(h.m_Editor.controlCopyCount(), h.m_Engine.controlList().count());
    EXPECT_FALSE(h.m_Editor.open(reinterpret_cast<void*>(1), &h.m_Engine, good.data(), good.size())) << "open already";
}

TEST(EditorOpen, CloseTwiceClosesOnceAndReopeningStartsAfresh)
{
    CountingEditor e;
    const std::string text = shippedDescription();
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(e.open(text));
        EXPECT_EQ(e.m_Editor.controlCopyCount(), e.m_Engine.controlList().count()) << "each control once";
        e.m_Editor.close();
        e.m_Editor.close();
        EXPECT_FALSE(e.m_Editor.isOpen());
        EXPECT_EQ(e.m_Editor.controlCopyCount(), 0u);
        EXPECT_FALSE(e.m_Editor.timer()->isRunning());
    }
    EXPECT_EQ(e.m_Engine.count(EditorOpened), 3u);
    EXPECT_EQ(e.m_Engine.count(EditorClosing), 3u);
    EXPECT_TRUE(e.m_Engine.m_bTextsEmpty);
}

TEST(EditorOpen, CustomViewNamesAreOfferedToTheEngineAndSelectBehaviour)
{
    CountingEditor e;
    e.m_Engine.m_OfferFor = "EngineMade";
    ASSERT_TRUE(e.open(descriptionWith(
        R"(<view class="CKickButton" control-tag="ASSIGNBUTTON_1" custom-view-name="TsraKickButtonD" origin="0, 540" size="20, 20" sub-pixmaps="1"/>)"
        R"(<view class="CKickButton" control-tag="ASSIGNBUTTON_2" custom-view-name="" origin="30, 540" size="20, 20"/>)"
        R"(<view class="CKickButton" control-tag="ASSIGNBUTTON_3" custom-view-name="EngineMade" origin="60, 540" size="20, 20")"
        R"( bitmap="kbon1" handle-bitmap="h" off-bitmap="o" orientation="vertical" back-color="~ RedCColor" font-color="paper white")"
        R"( background-offset="1, 2" frame-width="3" round-rect-radius="4" style-no-frame="true" style-round-rect="true")"
        R"( height-of-one-image="20" sub-pixmaps="5"/>)")));
    EXPECT_EQ(e.m_Engine.m_Offer, "tag 32770 at 60 540 80 560 offset 1 2 bitmaps kbon1.png h.png o.png vertical colours "
                                  "255/0/0 - 255/253/242 frame 3 radius 4 styles 1 1 images 20 of 5 editor 1");
    ASSERT_EQ(e.m_Editor.kickButtons().size(), 2u);
    EXPECT_EQ(e.m_Editor.kickButtons()[0]->getReportMode(), CKickButtonWP::kDownOnly);
    EXPECT_EQ(e.m_Editor.kickButtons()[1]->getReportMode(), CKickButtonWP::kUpOnly);
    EXPECT_EQ(e.m_Editor.kickButtons()[0]->getNumSubPixmaps(), 1);
    EXPECT_EQ(e.m_Editor.kickButtons()[1]->getNumSubPixmaps(), 2) << "unless named, pressed and released";
    EXPECT_EQ(e.m_Editor.viewCount(), 37u) << "the engine's view is listed too";
    EXPECT_EQ(e.m_Engine.count(EditorCustomViewRequest), 4u) << "two meters, TsraKickButtonD and EngineMade";
    EXPECT_EQ(e.m_Editor.getFrame()->getView(36)->getViewSize(), CRect(60, 540, 80, 560)) << "at its place";
}

TEST(EditorOpen, DescriptionAttributesReachTheirViews)
{
    std::string text = descriptionWith(
        R"(<view class="UIViewSwitchContainer" origin="0, 440" size="60, 40" background-color-draw-style="stroked" template-names="Page" animation-time="7"/>)"
        R"(<view class="COptionMenu" origin="100, 440" size="60, 20" menu-check-style="true" menu-popup-style="true" style-no-frame="true"/>)"
        R"(<view class="CSegmentButton" origin="200, 440" size="90, 20" segment-names="a,b" style="horizontal" text-alignment="left" gradient="~ RedCColor" gradient-highlighted="~ WhiteCColor" frame-width="3" round-radius="4"/>)"
        R"(<view class="CTextLabel" origin="300, 440" size="60, 20" font="~ NormalFontBig" font-color="~ RedCColor" back-color="kDarkGreyCColor" frame-color="paper white" shadow-color="dim" text-alignment="right" style-no-frame="true" style-shadow-text="true" frame-width="2" round-rect-radius="5" font-antialias="false" transparent="true" tooltip="tip"/>)"
        R"(<view class="CTextLabel" origin="400, 440" size="60, 20" font="basic title font 18 bold " back-color="short" mouse-enabled="false"/>)"
        R"(<view class="CAnimKnob" origin="500, 440" size="30, 30" bitmap="kbon1small" angle-start="90" angle-range="180" zoom-factor="4" value-inset="2" corona-color="~ BlueCColor" handle-color="~ YellowCColor" handle-shadow-color="~ CyanCColor" handle-line-width="3" corona-inset="1" corona-drawing="true" corona-outline="true" min-value="0.25" max-value="2" default-value="1" wheel-inc-value="0.5" background-offset="3, 4"/>)"
        R"(<view class="CSlider" origin="600, 440" size="20, 100" orientation="vertical" bitmap="faders" handle-bitmap="handle" mode="free click" draw-frame="true" draw-value="true" draw-frame-color="~ RedCColor" draw-back-color="~ GreenCColor" draw-value-color="~ BlueCColor" transparent-handle="true" zoom-factor="5"/>)"
        R"(<view class="CSlider" origin="700, 440" size="100, 20" mode="relative touch"/>)"
        R"(<view class="CViewContainer" origin="800, 440" size="40, 40" bitmap="faders" background-color="~ GreenCColor" background-color-draw-style="filled"/>)"
        R"(<view class="CView" origin="850, 440" size="45, 20" bitmap="in" transparent="true"/>)"
        R"(<view class="CVerticalSwitch" control-tag="Age" bitmap="ageslider" sub-pixmaps="5" max-value="4" origin="0, 0" size="390, 50"/>)"
        R"(<view class="CView" origin="0, 0" size="10, 10" bitmap="ghost"/>)");
    text = replaced(text, "<colors>", R"(<colors><color name="dim" rgba="#10203040"/><color name="short" rgba="#12345"/>)");
    text = replaced(text, "<bitmaps>", R"(<bitmaps><bitmap name="faders" path="faderback.png" nineparttiled-offsets="1, 2, 3, 4"/><bitmap name="handle" path="faderhandle.png"/><bitmap name="ghost" path="ghost.png"/>)");
    text.insert(text.rfind("</vstgui-ui-description>"),
                R"(<template name="Page" background-color="kDarkGreyCColor" background-color-draw-style="filled" size="10, 10"/>)");
    EditorHarness h;
    ASSERT_TRUE(h.open(text));
    const CTsraVSTEditor& e = h.m_Editor;

    auto* pSwitch = dynamic_cast<CTSRASwitchView*>(e.containers()[e.containers().size() - 2]);
    ASSERT_NE(pSwitch, nullptr);
    EXPECT_EQ(pSwitch->getBackgroundColorDrawStyle(), kDrawStroked);
    EXPECT_EQ(pSwitch->getAnimationTime(), 7u);
    ASSERT_EQ(pSwitch->getNbViews(), 1u);
    auto* pPage = dynamic_cast<CViewContainer*>(pSwitch->getView(0));
    ASSERT_NE(pPage, nullptr);
    EXPECT_EQ(pPage->getBackgroundColor(), CColor(100, 100, 100));  // kDarkGreyCColor
    EXPECT_EQ(pPage->getBackgroundColorDrawStyle(), kDrawFilled);
    EXPECT_EQ(pPage->getViewSize(), CRect(0, 0, 60, 40));

    ASSERT_EQ(e.optionMenus().size(), 1u);
    EXPECT_EQ(e.optionMenus()[0]->getStyle(), kCheckStyle | kPopupStyle | kNoFrame);

    ASSERT_EQ(e.segmentButtons().size(), 1u);
    CSegmentButton* pSegments = e.segmentButtons()[0];
    EXPECT_EQ(pSegments->getNumSegments(), 2u);
    EXPECT_EQ(pSegments->getStyle(), CSegmentButton::Style::kHorizontal);
    EXPECT_EQ(pSegments->getTextAlignment(), kLeftText);
    EXPECT_EQ(pSegments->getFrameWidth(), 3.0);
    EXPECT_EQ(pSegments->getRoundRadius(), 4.0);
    ASSERT_NE(pSegments->getGradient(), nullptr);
    ASSERT_NE(pSegments->getGradientHighlighted(), nullptr);
    EXPECT_EQ(pSegments->getGradient()->getColorStops().begin()->second, CColor(255, 0, 0));
    EXPECT_EQ(pSegments->getGradientHighlighted()->getColorStops().rbegin()->second, CColor(255, 255, 255));

    ASSERT_EQ(e.labels().size(), 2u);
    const CTextLabel* pLabel = e.labels()[0];
    EXPECT_EQ(pLabel->getFont(), kNormalFontBig);
    EXPECT_EQ(pLabel->getFontColor(), CColor(255, 0, 0));
    EXPECT_EQ(pLabel->getBackColor(), CColor(100, 100, 100));
    EXPECT_EQ(pLabel->getFrameColor(), CColor(0xFF, 0xFD, 0xF2));
    EXPECT_EQ(pLabel->getShadowColor(), CColor(0x10, 0x20, 0x30, 0x40));
    EXPECT_EQ(pLabel->getHoriAlign(), kRightText);
    EXPECT_EQ(pLabel->getStyle(), kNoFrame | kShadowText);
    EXPECT_EQ(pLabel->getFrameWidth(), 2.0);
    EXPECT_EQ(pLabel->getRoundRectRadius(), 5.0);
    EXPECT_FALSE(pLabel->getAntialias());
    EXPECT_TRUE(pLabel->getTransparency());
    EXPECT_EQ(pLabel->getTooltipText(), "tip");
    const CTextLabel* pTitle = e.labels()[1];
    ASSERT_NE(pTitle->getFont(), nullptr);
    EXPECT_EQ(pTitle->getFont()->getName(), "basic title font");
    EXPECT_EQ(pTitle->getFont()->getSize(), 18.0);
    EXPECT_EQ(pTitle->getFont()->getStyle(), kBoldFace);
    EXPECT_NE(pTitle->getBackColor(), CColor(0x12, 0x34, 0x05)) << "five digits are no colour";
    EXPECT_FALSE(pTitle->getMouseEnabled());

    const CKnobWP* pKnob = e.knobs().back();
    EXPECT_NEAR(pKnob->getStartAngle(), 1.5707963f, 1e-6);
    EXPECT_NEAR(pKnob->getRangeAngle(), 3.1415927f, 1e-6);
    EXPECT_EQ(pKnob->getZoomFactor(), 4.0f);
    EXPECT_EQ(pKnob->getInsetValue(), 2.0);
    EXPECT_EQ(pKnob->getCoronaColor(), CColor(0, 0, 255));
    EXPECT_EQ(pKnob->getColorHandle(), CColor(255, 255, 0));
    EXPECT_EQ(pKnob->getColorShadowHandle(), CColor(0, 255, 255));
    EXPECT_EQ(pKnob->getHandleLineWidth(), 3.0);
    EXPECT_EQ(pKnob->getCoronaInset(), 1.0);
    EXPECT_EQ(pKnob->getDrawStyle(), CKnob::kCoronaDrawing | CKnob::kCoronaOutline);
    EXPECT_EQ(pKnob->getMin(), 0.25f);
    EXPECT_EQ(pKnob->getMax(), 2.0f);
    EXPECT_EQ(pKnob->getDefaultValue(), 1.0f);
    EXPECT_EQ(pKnob->getWheelInc(), 0.5f);
    EXPECT_EQ(pKnob->getBackOffset(), CPoint(3, 4));

    ASSERT_EQ(e.sliders().size(), 2u);
    auto* pFader = dynamic_cast<CVerticalSliderWP*>(e.sliders()[0]);
    ASSERT_NE(pFader, nullptr);
    EXPECT_EQ(pFader->getMode(), CSlider::kFreeClickMode);
    EXPECT_EQ(pFader->getDrawStyle(), CSlider::kDrawFrame | CSlider::kDrawValue);
    EXPECT_EQ(pFader->getFrameColor(), CColor(255, 0, 0));
    EXPECT_EQ(pFader->getBackColor(), CColor(0, 255, 0));
    EXPECT_EQ(pFader->getValueColor(), CColor(0, 0, 255));
    EXPECT_TRUE(pFader->getDrawTransparentHandle());
    EXPECT_EQ(pFader->getZoomFactor(), 5.0f);
    EXPECT_EQ(pFader->getStyle() & (kBottom | kTop), kBottom);
    ASSERT_NE(pFader->getHandle(), nullptr);
    EXPECT_EQ(pFader->getHandle()->getResourceDescription().getName(), "faderhandle.png");
    auto* pNine = dynamic_cast<CNinePartTiledBitmap*>(pFader->getBackground());
    ASSERT_NE(pNine, nullptr) << "a bitmap with part offsets tiles";
    EXPECT_EQ(pNine->getPartOffsets().right, 3.0);
    auto* pHorizontal = dynamic_cast<CHorizontalSliderWP*>(e.sliders()[1]);
    ASSERT_NE(pHorizontal, nullptr);
    EXPECT_EQ(pHorizontal->getMode(), CSlider::kRelativeTouchMode);
    EXPECT_EQ(pHorizontal->getDrawStyle(), 0);

    const CViewContainer* pBox = e.containers().back();
    EXPECT_EQ(pBox->getBackgroundColor(), CColor(0, 255, 0));
    EXPECT_EQ(pBox->getBackground(), pFader->getBackground()) << "one decoded bitmap serves both";
    EXPECT_TRUE(e.getFrame()->getView(e.getFrame()->getNbViews() - 3)->getTransparency());
    const CBitmap* pPlain = e.getFrame()->getView(e.getFrame()->getNbViews() - 3)->getBackground();
    ASSERT_NE(pPlain, nullptr);
    EXPECT_EQ(pPlain->getResourceDescription().getName(), "in.png");
    auto* pAge = dynamic_cast<CVerticalSwitch*>(e.getFrame()->getView(e.getFrame()->getNbViews() - 2));
    ASSERT_NE(pAge, nullptr);
    EXPECT_EQ(pAge->getHeightOfOneImage(), 50.0) << "a frame is the view's height unless named";
    EXPECT_EQ(e.getFrame()->getView(e.getFrame()->getNbViews() - 1)->getBackground(), nullptr) << "a listed image not carried";
    h.m_Editor.updateControl(13, 0.5f);
    EXPECT_EQ(pAge->getValue(), 2.0f) << "bound like the other switches";
}

TEST(EditorOpen, TemplatesThatIncludeThemselvesOrManyOthersStayBounded)
{
    // The editor inside itself, and a page that shows its own switch container.
    std::string text = descriptionWith(R"(<view class="CViewContainer" template="Editor" origin="0, 0" size="10, 10"/>)"
                                       R"(<view class="UIViewSwitchContainer" template-names="Loop" origin="0, 0" size="10, 10"/>)");
    text.insert(text.rfind("</vstgui-ui-description>"),
                R"(<template class="CViewContainer" name="Loop" size="10, 10">)"
                R"(<view class="UIViewSwitchContainer" template-names="Loop" origin="0, 0" size="10, 10"/></template>)");
    EditorHarness h;
    ASSERT_TRUE(h.open(text));
    // The shipped 34 views, the container left empty, the switch container and, on its page,
    // the inner switch container (whose page stays empty).
    EXPECT_EQ(h.m_Editor.viewCount(), 34u + 3u);

    // Each level includes the next twice: 2^16 containers at the bottom.
    std::string templates;
    for (int i = 0; i < 16; ++i) {
        const std::string next = "<view class=\"CViewContainer\" template=\"T" + std::to_string(i + 1) + "\" size=\"10, 10\"/>";
        templates += "<template class=\"CViewContainer\" name=\"T" + std::to_string(i) + "\" size=\"10, 10\">" + next + next + "</template>";
    }
    text = descriptionWith(R"(<view class="CViewContainer" template="T0" size="10, 10"/>)");
    text.insert(text.rfind("</vstgui-ui-description>"), templates);
    EditorHarness many;
    ASSERT_TRUE(many.open(text));
    EXPECT_EQ(many.m_Editor.viewCount(), CTsraVSTEditor::kMaxViews);
    EXPECT_EQ(many.m_Editor.knobs().size(), 10u) << "the editor's own views come first";
    // Pages count too.
    std::string pages;
    for (size_t i = 0; i < CTsraVSTEditor::kMaxViews; ++i)
        pages += "T16,";
    text = descriptionWith("<view class=\"UIViewSwitchContainer\" template-names=\"" + pages + "\" size=\"10, 10\"/>");
    text.insert(text.rfind("</vstgui-ui-description>"), R"(<template class="CViewContainer" name="T16" size="10, 10"/>)");
    EditorHarness paged;
    ASSERT_TRUE(paged.open(text));
    EXPECT_EQ(paged.m_Editor.containers().back()->getNbViews() + 35, CTsraVSTEditor::kMaxViews);
}

TEST(EditorValues, EveryBoundViewFollowsTheEngineControlItsTagNames)
{
    EditorHarness h;
    const std::string text = descriptionWith(R"(<view class="CKickButton" control-tag="NR Comp" origin="0, 540" size="20, 20"/>)");
    ASSERT_TRUE(h.open(text));
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_buffer(text.data(), text.size()));
    std::vector<CControl*> views(h.m_Editor.knobs().begin(), h.m_Editor.knobs().end());
    views.insert(views.end(), h.m_Editor.kickButtons().begin(), h.m_Editor.kickButtons().end());
    views.insert(views.end(), h.m_Editor.horizontalSwitches().begin(), h.m_Editor.horizontalSwitches().end());
    views.insert(views.end(), h.m_Editor.onOffButtons().begin(), h.m_Editor.onOffButtons().end());
    views.insert(views.end(), h.m_Editor.meters().begin(), h.m_Editor.meters().end());
    const std::vector<int32_t> map = CTsraVSTEditor::controlIndexMapFor(h.m_Engine);
    size_t moved = 0;
    for (int32_t index : map) {
        h.m_Editor.updateControl(uint32_t(index), 1.0f);
        for (CControl* p : views) {
            if (p->getValue() == 0.0f)
                continue;
            ++moved;
            EXPECT_TRUE(p->isDirty()) << "to be drawn";
            std::string name;
            for (pugi::xml_node t : doc.child("vstgui-ui-description").child("control-tags").children("control-tag"))
                if (t.attribute("tag").as_int() == p->getTag())
                    name = t.attribute("name").value();
            EXPECT_EQ(name, h.m_Engine.controlRecord(uint32_t(index))->m_pName) << "control " << index;
        }
        h.m_Editor.updateControl(uint32_t(index), 0.0f);
    }
    EXPECT_EQ(moved, views.size()) << "each view once";
    h.io()->advanceTime(1);
    h.m_Editor.updateControl(16, 0.0f);
    EXPECT_TRUE(h.m_Editor.meters()[0]->isDirty()) << "an unchanged level still lets the needle fall";
}

TEST(EditorValues, HostUpdatesMoveBoundViewsAndLabelsShowUnits)
{
    EditorHarness h;
    ASSERT_TRUE(h.open(descriptionWith(std::string(kHissLabel) +
                                       R"(<view class="CTextLabel" control-tag="Tape Type" origin="140, 540" size="50, 20"/>)"
                                       R"(<view class="CTextLabel" control-tag="NR Comp" origin="200, 540" size="50, 20"/>)")));
    ASSERT_EQ(h.m_Editor.labels().size(), 3u);
    CTextLabel* label = h.m_Editor.labels().front();
    h.m_Editor.updateControl(4, 1.0f);
    EXPECT_EQ(label->getText(), "-30.00 dB");
    h.m_Editor.updateControl(4, 0.1f);
    // Display position 1 - 1/2.4 on -96..-30.
    EXPECT_EQ(label->getText(), "-57.50 dB");
    CKnobWP* hiss = knobOfTag(h.m_Editor, 4);
    ASSERT_NE(hiss, nullptr);
    EXPECT_FLOAT_EQ(hiss->getValue(), 0.1f);
    // List controls show their item ("SWITCH_ON" as "ON"), and nothing past the last one.
    h.m_Editor.updateControl(11, 2.0f / 3.0f);
    EXPECT_EQ(h.m_Editor.labels()[1]->getText(), "IV ");
    h.m_Editor.updateControl(14, 1.0f);
    EXPECT_EQ(h.m_Editor.labels()[2]->getText(), "ON ");
    h.m_Editor.updateControl(14, 2.0f);
    EXPECT_EQ(h.m_Editor.labels()[2]->getText(), " ");
    // Reserved tags and indices beyond the map move nothing and read nothing outside it.
    for (uint32_t index : {18u, 19u, 20u, 32768u, 65536u, 0xFFFFFFFFu})
        h.m_Editor.updateControl(index, 0.3f);
    EXPECT_FLOAT_EQ(hiss->getValue(), 0.1f);
}

TEST(EditorValues, ADraggedKnobIgnoresHostUpdatesAndSendsTouchValueRelease)
{
    EditorHarness h;
    ASSERT_TRUE(h.open(descriptionWith(kHissLabel)));
    CKnobWP* hiss = knobOfTag(h.m_Editor, 4);
    ASSERT_NE(hiss, nullptr);
    h.m_Editor.updateControl(4, 0.5f);
    const CRect r = hiss->getViewSize();
    const CPoint c((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    h.io()->mouseDown(c);
    h.io()->mouseMove(CPoint(c.x + 20, c.y), kLButton);
    const float dragged = hiss->getValue();
    EXPECT_GT(dragged, 0.5f);
    h.m_Editor.updateControl(4, 0.9f);
    EXPECT_FLOAT_EQ(hiss->getValue(), dragged) << "the user holds it";
    EXPECT_EQ(h.m_Editor.labels().front()->getText(), "-31.26 dB") << "labels still follow";
    h.io()->mouseUp(CPoint(c.x + 20, c.y));
    char value[32];
    std::snprintf(value, sizeof value, "%.6f", dragged);
    EXPECT_EQ(sentEvents(h.m_Parameters, 6), std::string("t 5, v 5 ") + value + ", r 5");
    h.m_Editor.updateControl(4, 0.9f);
    EXPECT_FLOAT_EQ(hiss->getValue(), 0.9f);
}

TEST(EditorValues, TapeTypeSwitchSendsTheThirdItem)
{
    EditorHarness h;
    ASSERT_TRUE(h.open(shippedDescription()));
    // "Tape Type": 412 px wide, four positions, at 30, 25.
    h.io()->click(CPoint(30 + 412 * 2.5 / 4, 100));
    EXPECT_EQ(sentEvents(h.m_Parameters, 9), "t 12, v 12 0.666666667, r 12");
}

TEST(EditorValues, EditsOfListControlsSendTheNearestItemAndShowWhatTheEngineAnswers)
{
    CountingEditor e;
    e.m_Engine.controlRecord(11)->m_fMin = 1.0f;  // items numbered from 1: the edit sends item - 1 of 3
    e.m_Engine.controlRecord(11)->m_fMax = 4.0f;
    ASSERT_TRUE(e.open(descriptionWith(R"(<view class="CAnimKnob" control-tag="Tape Type" origin="0, 440" size="30, 30"/>)")));
    RecordingValues values;
    e.m_Editor.setValues(&values);
    const ControlRecord& hiss = *e.m_Engine.controlRecord(4);
    const ControlRecord& type = *e.m_Engine.controlRecord(11);
    e.m_Engine.m_Answer = {{hiss.m_uControlId, -40.0f}, {type.m_uControlId, 2.0f}};
    CKnobWP* pKnob = e.m_Editor.knobs().back();
    pKnob->setValue(0.6f);
    e.m_Editor.valueChanged(pKnob);
    EXPECT_EQ(e.m_Engine.m_Collected, std::vector<std::string>{std::to_string(type.m_uControlId) + " 3.000000 editor"});
    EXPECT_EQ(values.m_Calls, (std::vector<std::string>{"set 11 0.666667", "plain 4 -40.000000", "plain 11 2.000000 whole"}));
}

TEST(EditorValues, TextEditsShowTheirControlAndSendWhatIsTyped)
{
    EditorHarness h;
    ASSERT_TRUE(h.open(descriptionWith(
        R"(<view class="CTextEdit" control-tag="Tape Type" origin="0, 440" size="60, 20" immediate-text-change="true"/>)"
        R"(<view class="CTextEdit" control-tag="Tape Hiss" origin="100, 440" size="60, 20"/>)")));
    auto* pType = dynamic_cast<CTextEdit*>(h.m_Editor.getFrame()->getView(34));
    auto* pHiss = dynamic_cast<CTextEdit*>(h.m_Editor.getFrame()->getView(35));
    ASSERT_TRUE(pType && pHiss);
    EXPECT_TRUE(pType->getImmediateTextChange());
    EXPECT_FALSE(pHiss->getImmediateTextChange());
    h.m_Editor.updateControl(11, 1.0f / 3.0f);
    EXPECT_EQ(pType->getText(), "II ");
    EXPECT_FLOAT_EQ(pType->getValue(), 1.0f / 3.0f);
    // An item by name, a number in the control's units (limited to its range, through its taper).
    const std::pair<CTextEdit*, const char*> typed[] = {{pType, "IV"}, {pType, "1.7"}, {pHiss, "-63"}, {pHiss, "5"}};
    for (const auto& [pEdit, pText] : typed) {
        pEdit->setText(pText);
        h.m_Editor.valueChanged(pEdit);
    }
    EXPECT_EQ(sentEvents(h.m_Parameters, 6), "v 12 0.666667, v 12 0.333333, v 5 0.063096, v 5 1.000000");
}

TEST(EditorValues, PageTagsShowTheirPageAndMoveTheirOtherViewsNeverTheHost)
{
    std::string text = descriptionWith(
        R"(<view class="UIViewSwitchContainer" origin="0, 440" size="60, 40" template-names="Page, Page" template-switch-control="TAB_CTRL_0" animation-time="0"/>)"
        R"(<view class="CHorizontalSwitch" control-tag="TAB_CTRL_0" origin="100, 440" size="40, 20" max-value="1"/>)"
        R"(<view class="CHorizontalSwitch" control-tag="TAB_CTRL_0" origin="150, 440" size="40, 20" max-value="1"/>)");
    text.insert(text.rfind("</vstgui-ui-description>"), R"(<template name="Page" size="10, 10"/>)");
    EditorHarness h;
    ASSERT_TRUE(h.open(text));
    auto* pPages = dynamic_cast<CTSRASwitchView*>(h.m_Editor.containers().back());
    ASSERT_TRUE(pPages && h.m_Editor.horizontalSwitches().size() == 6u);
    CHorizontalSwitch* pFirst = h.m_Editor.horizontalSwitches()[4];
    pFirst->setValue(1.0f);
    h.m_Editor.valueChanged(pFirst);
    EXPECT_EQ(pPages->getCurrentViewIndex(), 1);
    EXPECT_EQ(h.m_Editor.horizontalSwitches()[5]->getValue(), 1.0f);
    EXPECT_TRUE(h.m_Parameters.m_Events.empty());
}

TEST(EditorValues, TheJoystickPadMapsTheEnginesAxesBothWaysOtherPadsSendTheirAxisTags)
{
    EditorHarness h;
    h.m_Engine.m_JoystickX.m_fJoystickValue = -0.2f;
    h.m_Engine.m_JoystickY.m_fJoystickValue = 0.6f;
    ASSERT_TRUE(h.open(descriptionWith(
        R"(<view class="CXYPad" control-tag="JOYSTICK" control-tagX="JOYSTICK_X" control-tagY="JOYSTICK_Y" origin="0, 440" size="100, 100"/>)"
        R"(<view class="CXYPad" control-tag="JOYSTICK" control-tagX="Wow Depth" control-tagY="Wow Rate" origin="200, 440" size="100, 100"/>)"
        R"(<view class="CXYPad" control-tag="Wow Depth" origin="400, 440" size="100, 100"/>)"
        R"(<view class="CXYPad" control-tag="TRACKPAD" control-tagX="Wow Rate" control-tagY="Wow Depth" origin="600, 440" size="100, 100"/>)")));
    ASSERT_EQ(h.m_Editor.xyPads().size(), 4u);
    // Only joystick pads rest centred; they send nothing for axes that are not the joystick's.
    EXPECT_FLOAT_EQ(h.m_Editor.xyPads()[1]->getValue(), CXYPad::calculateValue(0.5f, 0.5f));
    EXPECT_NE(h.m_Editor.xyPads()[2]->getValue(), CXYPad::calculateValue(0.5f, 0.5f));
    h.m_Editor.valueChanged(h.m_Editor.xyPads()[1]);
    EXPECT_TRUE(h.m_Parameters.m_Events.empty());
    // Sending the position the pad was synchronised to gives the engine its own axes back (Y
    // mapped the same way both ways).
    CXYPadWP* p = h.m_Editor.xyPads().front();
    h.m_Editor.valueChanged(p);
    EXPECT_NEAR(h.m_Editor.joystickX(), -0.2f, 2e-3f);
    EXPECT_NEAR(h.m_Editor.joystickY(), 0.6f, 2e-3f);
    // And a host update of either parameter lands where an edit would have sent it from.
    h.m_Editor.updateControl(19, 0.25f);
    h.m_Editor.updateControl(18, 0.7f);
    h.m_Editor.valueChanged(p);
    EXPECT_EQ(sentEvents(h.m_Parameters, 3), "v 19 0.400, v 20 0.800, v 19 0.700, v 20 0.250");
    h.m_Parameters.m_Events.clear();
    // A track pad sends X and, upwards, Y to the controls of its axis tags.
    h.m_Editor.xyPads()[3]->setValue(CXYPad::calculateValue(0.25f, 0.125f));
    h.m_Editor.valueChanged(h.m_Editor.xyPads()[3]);
    EXPECT_EQ(sentEvents(h.m_Parameters), "v 2 0.250, v 1 0.875");
}

TEST(EditorValues, AssignButtonsReachTheEngineAndReservedTagsWithoutAMapPositionSendNothing)
{
    CountingEditor e;
    ASSERT_TRUE(e.open(descriptionWith(
        std::string(kAssignButtons) +
        R"(<view class="CAnimKnob" control-tag="JOYSTICK_X" bitmap="kbon1" sub-pixmaps="128" height-of-one-image="80" origin="0, 440" size="80, 80"/>)"
        R"(<view class="COnOffButton" control-tag="TRACKPAD" bitmap="drawnswitch" origin="100, 440" size="80, 80"/>)"
        R"(<view class="COnOffButton" control-tag="No Such Tag" bitmap="drawnswitch" origin="200, 440" size="80, 80"/>)")));
    for (int x : {5, 35, 65})
        e.io()->click(CPoint(x, 545));
    EXPECT_EQ(e.m_Engine.m_ControlChanges, (std::vector<int32_t>{50, 51, 52}));
    e.io()->drag(CPoint(40, 480), CPoint(70, 450));
    e.io()->click(CPoint(140, 480));
    e.io()->click(CPoint(240, 480));
    for (const auto& ev : e.m_Parameters.m_Events)
        EXPECT_NE(ev.m_cKind, 'v') << ev.m_ID;
}

TEST(EditorTimer, MetersFollowTheMeterParametersThroughTheTimer)
{
    CountingEditor e;
    ASSERT_TRUE(e.open(shippedDescription()));
    e.m_Parameters.m_Values["17"] = 1.0;
    e.m_Parameters.m_Values["18"] = 0.0;
    e.io()->advanceTime(50);
    CVuMeterWP* left = e.m_Editor.meters()[0];
    CVuMeterWP* right = e.m_Editor.meters()[1];
    EXPECT_NEAR(left->shownLevel(), 1.0f, 0.01f) << "attack 10 ms: 0.993 after one tick, log display";
    EXPECT_EQ(right->shownLevel(), 0.0f);
    e.io()->advanceTime(1000);
    e.m_Parameters.m_Values["17"] = 0.0;
    e.io()->advanceTime(50);
    // Falls by the decrease step first: the follower sees 0.9.
    EXPECT_LT(left->shownLevel(), 1.0f);
    EXPECT_GT(left->shownLevel(), 0.95f);
    EXPECT_EQ(e.m_Engine.count(EditorTimerTick), 22u);
    e.m_Editor.syncAllViews();
    EXPECT_EQ(left->follower().follow(0.0f), 0.0f) << "a sync starts the meters afresh";
    EXPECT_TRUE(e.m_Engine.m_bTickFieldsClear);
}
