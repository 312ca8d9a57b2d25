// Pixels painted by the frame: bitmaps with offsets and alpha, stacking, backgrounds, nine-part
// bitmaps, clipping, text, and when dirty views are repainted.
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using tktest::colorNear;
using tktest::OffscreenScreen;

namespace {

// A plain opaque block of one colour.
CViewContainer* block(const CRect& r, const CColor& c, CDrawStyle style = kDrawFilled)
{
    auto* v = new CViewContainer(r);
    v->setBackgroundColor(c);
    v->setBackgroundColorDrawStyle(style);
    return v;
}

// Draws a bitmap with an offset and alpha, as a custom view would.
class BitmapPainter : public CView
{
public:
    BitmapPainter(const CRect& r, CBitmap* b, CPoint offset, float alpha) : CView(r), m_pBitmap(b), m_Offset(offset), m_fAlpha(alpha) {}
    void draw(CDrawContext* context) override { context->drawBitmap(m_pBitmap, getViewSize(), m_Offset, m_fAlpha); }

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

struct Probe {
    int m_nX, m_nY;
    CColor m_Colour;
};

void expectPixels(const OffscreenScreen& s, std::initializer_list<Probe> probes, int tolerance = 2)
{
    for (const Probe& p : probes)
        EXPECT_TRUE(colorNear(s.pixel(p.m_nX, p.m_nY), p.m_Colour, tolerance)) << p.m_nX << "," << p.m_nY;
}

}  // namespace

TEST(ToolkitBitmaps, LoadsPngResourcesByCaseInsensitiveNameWithOrWithoutExtension)
{
    tktest::registerTestImages();
    for (const char* pName : {"strip4.png", "Strip4", "vuledoff.png"}) {
        auto* b = new CBitmap(CResourceDescription(pName));
        const bool bCarried = pName[0] == 's' || pName[0] == 'S';
        EXPECT_EQ(b->isLoaded(), bCarried) << pName;
        EXPECT_EQ(b->getWidth(), bCarried ? 10 : 0) << pName;
        EXPECT_EQ(b->getHeight(), bCarried ? 40 : 0) << pName;
        b->forget();
    }
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
    expectPixels(s, {{10, 5, kGreenCColor}, {10, 9, kGreenCColor}, {10, 10, kBlueCColor}, {10, 14, kBlueCColor},
                     {10, 15, kWhiteCColor}, {25, 10, CColor(128, 128, 255)}});  // half-transparent blue over white
}

TEST(ToolkitDrawing, AlphaMultipliesDownTheTreeAndLaterChildrenStackAbove)
{
    OffscreenScreen s(80, 40);
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
    auto* red = block(CRect(40, 0, 65, 25), kRedCColor);
    auto* blue = block(CRect(55, 15, 80, 40), kBlueCColor);
    s.frame()->addView(red);
    s.frame()->addView(blue);
    s.io()->flush();
    expectPixels(s, {{10, 10, CColor(255, 128, 128)}, {30, 10, CColor(191, 191, 255)}, {60, 20, kBlueCColor}, {45, 5, kRedCColor}}, 3);

    inner->setAlphaValue(0.f);  // invisible: what was under shows again
    ASSERT_TRUE(s.frame()->changeViewZOrder(blue, 0));
    s.io()->flush();
    expectPixels(s, {{30, 10, kWhiteCColor}, {60, 20, kRedCColor}, {75, 35, kBlueCColor}});
    EXPECT_EQ(s.frame()->getViewAt(CPoint(60, 20)), red);
    red->setVisible(false);
    s.io()->flush();
    expectPixels(s, {{60, 20, kBlueCColor}, {45, 5, kWhiteCColor}});
}

TEST(ToolkitDrawing, ContainerBackgroundsFollowDrawStyleTransparencyAndTheirBitmapAndNoViewPaintsOutsideItself)
{
    OffscreenScreen s(120, 60);
    s.frame()->addView(block(CRect(0, 0, 20, 20), kRedCColor, kDrawStroked));
    s.frame()->addView(block(CRect(20, 0, 40, 20), kBlueCColor, kDrawFilledAndStroked));
    auto* clear = block(CRect(40, 0, 60, 20), kBlueCColor);
    clear->setTransparency(true);
    s.frame()->addView(clear);
    // The bitmap at the top-left over the colour; a child in the container's coordinates.
    auto* box = block(CRect(60, 20, 100, 60), kBlueCColor);
    auto* strip = new CBitmap(CResourceDescription("STRIP4.PNG"));
    box->setBackground(strip);
    box->addView(new BitmapPainter(CRect(20, 0, 30, 10), strip, CPoint(0, 30), 1.f));
    strip->forget();
    s.frame()->addView(box);
    s.frame()->addView(new Spiller(CRect(105, 5, 115, 15)));  // a view cannot paint outside its rectangle
    s.io()->flush();
    expectPixels(s, {{0, 0, kRedCColor}, {19, 10, kRedCColor}, {10, 10, kWhiteCColor}, {30, 10, kBlueCColor},
                     {20, 0, kBlueCColor}, {50, 10, kWhiteCColor}, {65, 25, kRedCColor}, {65, 55, kYellowCColor},
                     {75, 25, kBlueCColor}, {85, 25, kYellowCColor}, {110, 10, kRedCColor}, {104, 10, kWhiteCColor},
                     {115, 15, kWhiteCColor}});
}

TEST(ToolkitDrawing, NinePartBitmapKeepsCornersTilesTheRestAndLeavesOutPartsBeyondIt)
{
    OffscreenScreen s(160, 60);
    auto* nine = new CNinePartTiledBitmap(CResourceDescription("NINE.PNG"), CNinePartTiledDescription(10, 10, 10, 10));
    auto* box = new CViewContainer(CRect(10, 10, 70, 50));
    box->setBackground(nine);
    nine->forget();
    s.frame()->addView(box);
    // 30 pixels wide with a 40-pixel right part: the right column would start before the bitmap.
    auto* wide = new CNinePartTiledBitmap(CResourceDescription("NINE.PNG"), CNinePartTiledDescription(10, 10, 40, 10));
    auto* yellow = block(CRect(90, 10, 150, 50), kYellowCColor);
    yellow->setBackground(wide);
    wide->forget();
    s.frame()->addView(yellow);
    s.io()->flush();
    expectPixels(s, {{10, 10, kRedCColor}, {19, 19, kRedCColor}, {60, 10, kRedCColor}, {69, 19, kRedCColor},
                     {10, 49, kRedCColor}, {69, 49, kRedCColor}, {60, 40, kRedCColor}, {40, 10, kGreenCColor},
                     {40, 49, kGreenCColor}, {10, 30, kGreenCColor}, {69, 30, kGreenCColor}, {20, 20, kBlueCColor},
                     {40, 30, kBlueCColor}, {59, 39, kBlueCColor}, {90, 10, kRedCColor}, {110, 10, kYellowCColor},
                     {130, 30, kYellowCColor}, {149, 49, kYellowCColor}});
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
        EXPECT_TRUE(colorNear(s.pixel(5, 5), kYellowCColor)) << "the strip's last frame";
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

TEST(ToolkitDrawing, TextIsDrawnCentredInItsBoxAndTextThatIsNotUtf8StopsNothing)
{
    OffscreenScreen s(120, 80);
    auto label = [&](const CRect& r, const char* pText) {
        auto* p = new CTextLabel(r, pText);
        p->setBackColor(kWhiteCColor);
        p->setFontColor(kBlackCColor);
        p->setStyle(kNoFrame);
        s.frame()->addView(p);
        return p;
    };
    CTextLabel* plain = label(CRect(10, 10, 110, 30), "Wow 88");
    // A stray Latin-1 byte, a cut-off sequence and an encoded surrogate; a font name that is not UTF-8.
    label(CRect(10, 30, 110, 50), "caf\xE9 \xE2\x82 \xED\xA0\x80!");
    auto* font = new CFontDesc("Sans\xFF", 9);
    label(CRect(10, 50, 110, 60), "x")->setFont(font);
    font->forget();
    s.frame()->addView(block(CRect(10, 60, 110, 70), kBlueCColor));
    s.io()->flush();
    auto ink = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += s.pixel(x, y).red < 128;
        return n;
    };
    EXPECT_EQ(ink(0, 0, 120, 10), 0);
    EXPECT_GT(ink(10, 10, 60, 30), 0) << "centred: ink on both halves";
    EXPECT_GT(ink(60, 10, 110, 30), 0);
    EXPECT_GT(ink(10, 30, 110, 50), 20) << "the valid characters are shown";
    EXPECT_TRUE(colorNear(s.pixel(60, 65), kBlueCColor)) << "painted after the labels";
    plain->setText("");
    s.frame()->idle();
    EXPECT_EQ(ink(10, 10, 110, 30), 0);
}
