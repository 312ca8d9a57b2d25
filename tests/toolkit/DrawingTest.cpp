// Pixels painted by the frame: bitmap strips, alpha, stacking, nine-part bitmaps, backgrounds,
// and when dirty views are repainted.
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using tktest::colorNear;
using tktest::OffscreenScreen;

namespace {

// A plain opaque block of one colour.
CViewContainer* block(const CRect& r, const CColor& c)
{
    auto* v = new CViewContainer(r);
    v->setBackgroundColor(c);
    v->setBackgroundColorDrawStyle(kDrawFilled);
    return v;
}

// Draws a bitmap with an offset and alpha, as a custom view would.
class BitmapPainter : public CView
{
public:
    BitmapPainter(const CRect& r, CBitmap* b, CPoint offset, float alpha)
        : CView(r), m_pBitmap(b), m_Offset(offset), m_fAlpha(alpha)
    {
    }
    void draw(CDrawContext* context) override
    {
        context->drawBitmap(m_pBitmap, getViewSize(), m_Offset, m_fAlpha);
        setDirty(false);
    }

private:
    SharedPointer<CBitmap> m_pBitmap;
    CPoint m_Offset;
    float m_fAlpha;
};

// Paints far beyond its own rectangle.
class Spiller : public CView
{
public:
    using CView::CView;
    void draw(CDrawContext* context) override
    {
        CRect big(getViewSize());
        big.extend(50, 50);
        context->setFillColor(kRedCColor);
        context->drawRect(big, kDrawFilled);
    }
};

}  // namespace

TEST(ToolkitBitmaps, LoadsPngResourcesByCaseInsensitiveName)
{
    tktest::registerTestImages();
    auto* b = new CBitmap(CResourceDescription("strip4.png"));
    EXPECT_TRUE(b->isLoaded());
    EXPECT_EQ(b->getWidth(), 10);
    EXPECT_EQ(b->getHeight(), 40);
    b->forget();
    auto* noExt = new CBitmap(CResourceDescription("Strip4"));
    EXPECT_TRUE(noExt->isLoaded());
    noExt->forget();
    auto* missing = new CBitmap(CResourceDescription("vuledoff.png"));
    EXPECT_FALSE(missing->isLoaded());
    EXPECT_EQ(missing->getWidth(), 0);
    missing->forget();
}

TEST(ToolkitDrawing, AnimKnobShowsTheStripFrameOfItsValue)
{
    OffscreenScreen s(60, 60);
    auto* strip = new CBitmap(CResourceDescription("STRIP4.PNG"));
    auto* knob = new CAnimKnob(CRect(20, 20, 30, 30), nullptr, 0, 4, 10, strip);
    strip->forget();
    s.frame()->addView(knob);
    const struct
    {
        float value;
        CColor expected;
    } cases[] = {{0.f, kRedCColor}, {0.34f, kGreenCColor}, {0.99f, kBlueCColor}, {1.f, kYellowCColor}, {0.5f, kGreenCColor}};
    for (const auto& c : cases) {
        knob->setValue(c.value);
        s.frame()->idle();
        EXPECT_TRUE(colorNear(s.pixel(20, 20), c.expected)) << "value " << c.value;
        EXPECT_TRUE(colorNear(s.pixel(29, 29), c.expected)) << "value " << c.value;
        // Nothing of the next frame leaks below the view.
        EXPECT_TRUE(colorNear(s.pixel(25, 30), kWhiteCColor)) << "value " << c.value;
    }
    knob->setInverseBitmap(true);
    knob->setValue(0.f);
    knob->invalid();
    s.io()->flush();
    EXPECT_TRUE(colorNear(s.pixel(25, 25), kYellowCColor));

    // A background offset shifts where the strip starts: frame 0 now shows green.
    knob->setInverseBitmap(false);
    knob->setBackOffset(CPoint(0, 10));
    knob->invalid();
    s.io()->flush();
    EXPECT_TRUE(colorNear(s.pixel(25, 25), kGreenCColor));
}

TEST(ToolkitDrawing, BitmapOffsetAndAlphaLandOnTheRightPixels)
{
    OffscreenScreen s(40, 40);
    auto* strip = new CBitmap(CResourceDescription("STRIP4.PNG"));
    // Offset (0, 15): the lower half of green, then the upper half of blue.
    s.frame()->addView(new BitmapPainter(CRect(5, 5, 15, 15), strip, CPoint(0, 15), 1.f));
    s.frame()->addView(new BitmapPainter(CRect(20, 5, 30, 15), strip, CPoint(0, 20), 0.5f));
    strip->forget();
    s.io()->flush();
    EXPECT_TRUE(colorNear(s.pixel(10, 5), kGreenCColor));
    EXPECT_TRUE(colorNear(s.pixel(10, 9), kGreenCColor));
    EXPECT_TRUE(colorNear(s.pixel(10, 10), kBlueCColor));
    EXPECT_TRUE(colorNear(s.pixel(10, 14), kBlueCColor));
    EXPECT_TRUE(colorNear(s.pixel(10, 15), kWhiteCColor));
    // Half-transparent blue over white.
    EXPECT_TRUE(colorNear(s.pixel(25, 10), CColor(128, 128, 255)));
}

TEST(ToolkitDrawing, ViewAlphaMultipliesDownTheTree)
{
    OffscreenScreen s(40, 20);
    auto* half = block(CRect(0, 0, 20, 20), kRedCColor);
    half->setAlphaValue(0.5f);
    s.frame()->addView(half);
    auto* outer = block(CRect(20, 0, 40, 20), kWhiteCColor);
    outer->setTransparency(true);
    outer->setAlphaValue(0.5f);
    auto* inner = block(CRect(0, 0, 20, 20), kBlueCColor);
    inner->setAlphaValue(0.5f);
    outer->addView(inner);
    s.frame()->addView(outer);
    s.io()->flush();
    EXPECT_TRUE(colorNear(s.pixel(10, 10), CColor(255, 128, 128)));
    EXPECT_TRUE(colorNear(s.pixel(30, 10), CColor(191, 191, 255), 3));

    inner->setAlphaValue(0.f);  // invisible: what was under shows again
    s.io()->flush();
    EXPECT_TRUE(colorNear(s.pixel(30, 10), kWhiteCColor));
}

TEST(ToolkitDrawing, LaterChildrenStackAboveEarlierOnes)
{
    OffscreenScreen s(40, 40);
    auto* red = block(CRect(0, 0, 25, 25), kRedCColor);
    auto* blue = block(CRect(15, 15, 40, 40), kBlueCColor);
    s.frame()->addView(red);
    s.frame()->addView(blue);
    s.io()->flush();
    EXPECT_TRUE(colorNear(s.pixel(20, 20), kBlueCColor));
    EXPECT_TRUE(colorNear(s.pixel(5, 5), kRedCColor));

    ASSERT_TRUE(s.frame()->changeViewZOrder(blue, 0));
    s.io()->flush();
    EXPECT_TRUE(colorNear(s.pixel(20, 20), kRedCColor));
    EXPECT_TRUE(colorNear(s.pixel(35, 35), kBlueCColor));
    EXPECT_EQ(s.frame()->getView(0), blue);
    EXPECT_EQ(s.frame()->getViewAt(CPoint(20, 20)), red);

    red->setVisible(false);
    s.io()->flush();
    EXPECT_TRUE(colorNear(s.pixel(20, 20), kBlueCColor));
    EXPECT_TRUE(colorNear(s.pixel(5, 5), kWhiteCColor));
}

TEST(ToolkitDrawing, ContainerBackgroundFollowsDrawStyleAndTransparency)
{
    OffscreenScreen s(60, 20);
    auto* stroked = block(CRect(0, 0, 20, 20), kRedCColor);
    stroked->setBackgroundColorDrawStyle(kDrawStroked);
    auto* both = block(CRect(20, 0, 40, 20), kBlueCColor);
    both->setBackgroundColorDrawStyle(kDrawFilledAndStroked);
    auto* clear = block(CRect(40, 0, 60, 20), kBlueCColor);
    clear->setTransparency(true);
    s.frame()->addView(stroked);
    s.frame()->addView(both);
    s.frame()->addView(clear);
    s.io()->flush();
    EXPECT_TRUE(colorNear(s.pixel(0, 0), kRedCColor));
    EXPECT_TRUE(colorNear(s.pixel(19, 10), kRedCColor));
    EXPECT_TRUE(colorNear(s.pixel(10, 10), kWhiteCColor));
    EXPECT_TRUE(colorNear(s.pixel(30, 10), kBlueCColor));
    EXPECT_TRUE(colorNear(s.pixel(20, 0), kBlueCColor));
    EXPECT_TRUE(colorNear(s.pixel(50, 10), kWhiteCColor));
}

TEST(ToolkitDrawing, BackgroundBitmapIsDrawnOverTheColourAndNestedViewsUseLocalCoordinates)
{
    OffscreenScreen s(60, 60);
    auto* box = block(CRect(20, 20, 60, 60), kBlueCColor);
    auto* strip = new CBitmap(CResourceDescription("STRIP4.PNG"));
    box->setBackground(strip);  // 10 x 40 at the container's top-left
    auto* knob = new CAnimKnob(CRect(20, 0, 30, 10), nullptr, 0, 4, 10, strip);
    strip->forget();
    knob->setValue(1.f);
    box->addView(knob);
    s.frame()->addView(box);
    s.io()->flush();
    EXPECT_TRUE(colorNear(s.pixel(25, 25), kRedCColor));     // bitmap over the colour
    EXPECT_TRUE(colorNear(s.pixel(25, 55), kYellowCColor));  // bitmap's last frame
    EXPECT_TRUE(colorNear(s.pixel(35, 25), kBlueCColor));    // colour beside the bitmap
    EXPECT_TRUE(colorNear(s.pixel(45, 25), kYellowCColor));  // knob at (20, 0) inside the box
}

TEST(ToolkitDrawing, NinePartBitmapKeepsCornersAndTilesTheRest)
{
    OffscreenScreen s(80, 60);
    auto* nine = new CNinePartTiledBitmap(CResourceDescription("NINE.PNG"), CNinePartTiledDescription(10, 10, 10, 10));
    auto* box = new CViewContainer(CRect(10, 10, 70, 50));
    box->setBackground(nine);
    nine->forget();
    s.frame()->addView(box);
    s.io()->flush();
    for (auto [x, y] : {std::pair{10, 10}, {19, 19}, {60, 10}, {69, 19}, {10, 49}, {69, 49}, {60, 40}})
        EXPECT_TRUE(colorNear(s.pixel(x, y), kRedCColor)) << x << "," << y;
    for (auto [x, y] : {std::pair{40, 10}, {40, 49}, {10, 30}, {69, 30}})
        EXPECT_TRUE(colorNear(s.pixel(x, y), kGreenCColor)) << x << "," << y;
    for (auto [x, y] : {std::pair{20, 20}, {40, 30}, {59, 39}})
        EXPECT_TRUE(colorNear(s.pixel(x, y), kBlueCColor)) << x << "," << y;
}

TEST(ToolkitDrawing, NinePartOffsetsLargerThanTheBitmapLeaveThosePartsOut)
{
    // 30 pixels wide with a 40-pixel right part: the right column would start 10 pixels
    // before the bitmap.
    OffscreenScreen s(80, 60);
    auto* nine = new CNinePartTiledBitmap(CResourceDescription("NINE.PNG"), CNinePartTiledDescription(10, 10, 40, 10));
    auto* box = block(CRect(10, 10, 70, 50), kYellowCColor);
    box->setBackground(nine);
    nine->forget();
    s.frame()->addView(box);
    s.io()->flush();
    EXPECT_TRUE(colorNear(s.pixel(10, 10), kRedCColor));  // the left column is whole
    for (auto [x, y] : {std::pair{30, 10}, {50, 30}, {69, 49}})
        EXPECT_TRUE(colorNear(s.pixel(x, y), kYellowCColor)) << x << "," << y;
}

TEST(ToolkitDrawing, ViewsCannotPaintOutsideTheirRectangle)
{
    OffscreenScreen s(60, 60);
    s.frame()->addView(new Spiller(CRect(20, 20, 30, 30)));
    s.io()->flush();
    EXPECT_TRUE(colorNear(s.pixel(25, 25), kRedCColor));
    EXPECT_TRUE(colorNear(s.pixel(19, 25), kWhiteCColor));
    EXPECT_TRUE(colorNear(s.pixel(30, 30), kWhiteCColor));
}

TEST(ToolkitDrawing, DirtyViewsAreRepaintedByIdleAndOnlyThen)
{
    const bool saved = CView::kDirtyCallAlwaysOnMainThread;
    CView::kDirtyCallAlwaysOnMainThread = false;
    {
        OffscreenScreen s(40, 40);
        auto* strip = new CBitmap(CResourceDescription("STRIP4.PNG"));
        auto* knob = new CAnimKnob(CRect(0, 0, 10, 10), nullptr, 0, 4, 10, strip);
        auto* other = new CAnimKnob(CRect(20, 0, 30, 10), nullptr, 1, 4, 10, strip);
        strip->forget();
        s.frame()->addView(knob);
        s.frame()->addView(other);
        s.io()->flush();
        const uint32_t paints = s.io()->getPaintCount();

        knob->setValue(1.f);
        EXPECT_TRUE(knob->isDirty());
        s.io()->flush();
        s.io()->advanceTime(100);
        EXPECT_TRUE(colorNear(s.pixel(5, 5), kRedCColor)) << "repainted before idle";
        EXPECT_EQ(s.io()->getPaintCount(), paints);

        s.frame()->idle();
        EXPECT_TRUE(colorNear(s.pixel(5, 5), kYellowCColor));
        EXPECT_FALSE(knob->isDirty());
        EXPECT_EQ(s.io()->getPaintCount(), paints + 1);

        s.frame()->idle();  // nothing dirty: no paint
        EXPECT_EQ(s.io()->getPaintCount(), paints + 1);

        // A hidden dirty view stays unpainted.
        other->setVisible(false);
        s.io()->flush();
        other->setValue(1.f);
        s.frame()->idle();
        EXPECT_TRUE(colorNear(s.pixel(25, 5), kWhiteCColor));
    }
    CView::kDirtyCallAlwaysOnMainThread = saved;
}

TEST(ToolkitDrawing, VuMeterLightsWholeSegmentsFromTheBottomAndFallsByTheDecreaseStep)
{
    OffscreenScreen s(20, 40);
    auto* on = new CBitmap(CResourceDescription("LEDON.PNG"));
    auto* off = new CBitmap(CResourceDescription("LEDOFF.PNG"));
    auto* meter = new CVuMeter(CRect(0, 0, 10, 40), on, off, 4, kVertical);
    on->forget();
    off->forget();
    meter->setDecreaseStepValue(0.25f);
    s.frame()->addView(meter);
    meter->setValue(0.5f);
    s.frame()->idle();
    EXPECT_TRUE(colorNear(s.pixel(5, 19), kBlackCColor));
    EXPECT_TRUE(colorNear(s.pixel(5, 20), kGreenCColor));

    meter->setValue(1.f);
    s.frame()->idle();
    EXPECT_TRUE(colorNear(s.pixel(5, 0), kGreenCColor));
    // The value drops to 0; the display falls one segment per paint.
    meter->setValue(0.f);
    s.frame()->idle();
    EXPECT_TRUE(colorNear(s.pixel(5, 9), kBlackCColor));
    EXPECT_TRUE(colorNear(s.pixel(5, 10), kGreenCColor));
    meter->invalid();
    s.io()->flush();
    EXPECT_TRUE(colorNear(s.pixel(5, 19), kBlackCColor));
    EXPECT_TRUE(colorNear(s.pixel(5, 20), kGreenCColor));
}

TEST(ToolkitDrawing, TextThatIsNotUtf8StopsNothingDrawnAfterIt)
{
    OffscreenScreen s(120, 60);
    // A stray Latin-1 byte, a cut-off sequence and an encoded surrogate.
    auto* label = new CTextLabel(CRect(10, 10, 110, 30), "caf\xE9 \xE2\x82 \xED\xA0\x80!");
    label->setBackColor(kWhiteCColor);
    label->setFontColor(kBlackCColor);
    label->setStyle(kNoFrame);
    s.frame()->addView(label);
    // A font whose name is not UTF-8 either.
    auto* named = new CTextLabel(CRect(10, 30, 110, 40), "x");
    auto* font = new CFontDesc("Sans\xFF", 9);
    named->setFont(font);
    font->forget();
    s.frame()->addView(named);
    s.frame()->addView(block(CRect(10, 40, 110, 50), kBlueCColor));
    s.io()->flush();
    EXPECT_TRUE(colorNear(s.pixel(60, 45), kBlueCColor)) << "painted after the labels";
    int nInk = 0;
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 110; ++x)
            nInk += s.pixel(x, y).red < 128;
    EXPECT_GT(nInk, 20) << "the valid characters are shown";
}

TEST(ToolkitDrawing, TextLabelDrawsItsTextInsideItsBox)
{
    OffscreenScreen s(120, 40);
    auto* label = new CTextLabel(CRect(10, 10, 110, 30), "Wow 88");
    label->setBackColor(kWhiteCColor);
    label->setFontColor(kBlackCColor);
    label->setStyle(kNoFrame);
    s.frame()->addView(label);
    s.io()->flush();
    auto darkIn = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (s.pixel(x, y).red < 128)
                    ++n;
        return n;
    };
    EXPECT_GT(darkIn(10, 10, 110, 30), 20);
    EXPECT_EQ(darkIn(0, 0, 120, 10), 0);
    // Centred: ink on both halves.
    EXPECT_GT(darkIn(10, 10, 60, 30), 0);
    EXPECT_GT(darkIn(60, 10, 110, 30), 0);

    label->setText("");
    s.frame()->idle();
    s.io()->flush();
    EXPECT_EQ(darkIn(10, 10, 110, 30), 0);
}
