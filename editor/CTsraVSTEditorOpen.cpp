// Opening and closing the editor, and reading the UI description.
#include "CTsraVSTEditor.h"

#include "CKnobWP.h"
#include "CVuMeterWP.h"
#include "UiDescriptionQuery.h"

#include <cstdlib>
#include <cstring>

using namespace VSTGUI;

namespace {
struct SNamedColour {
    const char* m_pName;
    const CColor* m_pColour;
};
const SNamedColour kStandardColours[] = {
    {"~ TransparentCColor", &kTransparentCColor}, {"~ BlackCColor", &kBlackCColor}, {"~ WhiteCColor", &kWhiteCColor},
    {"~ GreyCColor", &kGreyCColor},   {"~ RedCColor", &kRedCColor},       {"~ GreenCColor", &kGreenCColor},
    {"~ BlueCColor", &kBlueCColor},   {"~ YellowCColor", &kYellowCColor}, {"~ CyanCColor", &kCyanCColor},
    {"~ MagentaCColor", &kMagentaCColor},
};

struct SNamedFont {
    const char* m_pName;
    const CFontRef* m_pFont;
};
const SNamedFont kStandardFonts[] = {
    {"~ NormalFont", &kNormalFont},           {"~ NormalFontBig", &kNormalFontBig},
    {"~ NormalFontSmall", &kNormalFontSmall}, {"~ NormalFontSmaller", &kNormalFontSmaller},
    {"~ NormalFontVeryBig", &kNormalFontVeryBig}, {"~ NormalFontVerySmall", &kNormalFontVerySmall},
    {"~ SymbolFont", &kSymbolFont},           {"~ SystemFont", &kSystemFont},
};

int hexByte(const char* p)
{
    char buf[3] = {p[0], p[1], 0};
    char* pEnd = nullptr;
    const long v = std::strtol(buf, &pEnd, 16);
    return pEnd == buf + 2 ? static_cast<int>(v) : -1;
}
}  // namespace

CTsraVSTEditor::CTsraVSTEditor()
{
    m_pTimer = new CVSTGUITimer(this, 100, false);
    m_MeterTable.fill(-1);
}

CTsraVSTEditor::~CTsraVSTEditor()
{
    close();
    if (m_pTimer) {
        m_pTimer->stop();
        m_pTimer->forget();
        m_pTimer = nullptr;
    }
    m_bOpened = false;
    clearCopies();
    for (auto& [key, pBitmap] : m_BitmapCache)
        if (pBitmap)
            pBitmap->forget();
}

const char* CTsraVSTEditor::attr(pugi::xml_node node, const char* pName) const
{
    return node.attribute(pName).as_string("");
}

int32_t CTsraVSTEditor::tagNumber(const char* pName) const { return tsraControlTagNumber(m_Document, pName); }

int32_t CTsraVSTEditor::tagPosition(int32_t nTag) const { return tsraControlTagPosition(m_Document, nTag); }

bool CTsraVSTEditor::templateExists(const char* pName) const { return bool(tsraFindTemplate(m_Document, pName)); }

namespace {
// "#rrggbb" or "#rrggbbaa".
bool parseRgba(const char* pRgba, CColor& colour)
{
    const size_t len = std::strlen(pRgba);
    if (pRgba[0] != '#' || (len != 7 && len != 9))
        return false;
    const int r = hexByte(pRgba + 1), g = hexByte(pRgba + 3), b = hexByte(pRgba + 5);
    const int a = len == 9 ? hexByte(pRgba + 7) : 255;
    if (r < 0 || g < 0 || b < 0 || a < 0)
        return false;
    colour = CColor(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b), static_cast<uint8_t>(a));
    return true;
}
}  // namespace

CGradient* CTsraVSTEditor::gradientByName(const char* pName) const
{
    if (!pName || !*pName)
        return nullptr;
    for (pugi::xml_node n : m_Document.child("vstgui-ui-description").child("gradients").children("gradient")) {
        if (std::strcmp(n.attribute("name").as_string(""), pName) != 0)
            continue;
        CGradient::ColorStopMap stops;
        CColor colour;
        for (pugi::xml_node stop : n.children("color-stop"))
            if (parseRgba(stop.attribute("rgba").as_string(""), colour))
                stops.emplace(stop.attribute("start").as_double(0.0), colour);
        return stops.empty() ? nullptr : CGradient::create(stops);
    }
    return nullptr;
}

bool CTsraVSTEditor::colourByName(const char* pName, CColor& colour) const
{
    if (!pName || !*pName)
        return false;
    for (const auto& c : kStandardColours)
        if (std::strcmp(c.m_pName, pName) == 0) {
            colour = *c.m_pColour;
            return true;
        }
    for (pugi::xml_node n : m_Document.child("vstgui-ui-description").child("colors").children("color")) {
        if (std::strcmp(n.attribute("name").as_string(""), pName) != 0)
            continue;
        return parseRgba(n.attribute("rgba").as_string(""), colour);
    }
    return false;
}

CFontRef CTsraVSTEditor::fontByName(const char* pName)
{
    if (!pName || !*pName)
        return nullptr;
    for (const auto& f : kStandardFonts)
        if (std::strcmp(f.m_pName, pName) == 0)
            return *f.m_pFont;
    for (pugi::xml_node n : m_Document.child("vstgui-ui-description").child("fonts").children("font")) {
        if (std::strcmp(n.attribute("name").as_string(""), pName) != 0)
            continue;
        int32_t style = 0;
        if (n.attribute("bold").as_bool())
            style |= kBoldFace;
        if (n.attribute("italic").as_bool())
            style |= kItalicFace;
        if (n.attribute("underline").as_bool())
            style |= kUnderlineFace;
        if (n.attribute("strike-through").as_bool())
            style |= kStrikethroughFace;
        auto* pFont = new CFontDesc(n.attribute("font-name").as_string(""), n.attribute("size").as_double(12), style);
        m_Fonts.push_back(pFont);
        return pFont;
    }
    return nullptr;
}

CBitmap* CTsraVSTEditor::bitmapByName(const char* pName)
{
    if (!pName || !*pName)
        return nullptr;
    pugi::xml_node n = tsraFindBitmap(m_Document, pName);
    if (!n)
        return nullptr;
    const char* pPath = n.attribute("path").as_string("");
    const char* pNine = n.attribute("nineparttiled-offsets").as_string("");
    const std::string key = std::string(pPath) + "|" + pNine;
    if (const auto it = m_BitmapCache.find(key); it != m_BitmapCache.end()) {
        if (it->second)
            it->second->remember();
        return it->second;
    }
    CBitmap* pBitmap = nullptr;
    if (*pNine) {
        double l = 0, t = 0, r = 0, b = 0;
        if (std::sscanf(pNine, "%lf , %lf , %lf , %lf", &l, &t, &r, &b) == 4)
            pBitmap = new CNinePartTiledBitmap(CResourceDescription(pPath), CNinePartTiledDescription(l, t, r, b));
    }
    if (!pBitmap)
        pBitmap = new CBitmap(CResourceDescription(pPath));
    if (!pBitmap->isLoaded()) {
        pBitmap->forget();
        pBitmap = nullptr;
    }
    m_BitmapCache[key] = pBitmap;
    if (pBitmap)
        pBitmap->remember();
    return pBitmap;  // the caller owns this reference
}

void CTsraVSTEditor::clearCopies()
{
    m_ControlIndexMap.clear();
    while (!m_Controls.empty())
        m_Controls.pop_back();
    m_Bindings.clear();
}

void CTsraVSTEditor::clearViewLists()
{
    m_Labels.clear();
    m_BoundLabels.clear();
    m_TextEdits.clear();
    m_Knobs.clear();
    m_Sliders.clear();
    m_KickButtons.clear();
    m_OnOffButtons.clear();
    m_OptionMenus.clear();
    m_VerticalSwitches.clear();
    m_HorizontalSwitches.clear();
    m_SegmentButtons.clear();
    m_Meters.clear();
    m_XYPads.clear();
    m_Containers.clear();
    m_PlainViews.clear();
}

size_t CTsraVSTEditor::viewCount() const
{
    return m_Labels.size() + m_TextEdits.size() + m_Knobs.size() + m_Sliders.size() + m_KickButtons.size() +
           m_OnOffButtons.size() + m_OptionMenus.size() + m_VerticalSwitches.size() + m_HorizontalSwitches.size() +
           m_SegmentButtons.size() + m_Meters.size() + m_XYPads.size() + m_Containers.size() + m_PlainViews.size();
}

bool CTsraVSTEditor::open(void* pParentWindow, CPlugIn* pPlugIn, const void* pDescription, size_t nBytes)
{
    if (!pParentWindow || m_pFrame)
        return false;
    // A failed open keeps nothing: the copies are made only once the description is usable,
    // so a later open sees each control once.
    clearCopies();
    m_Document.reset();
    m_nKnobMode = 3;
    if (!pDescription || nBytes == 0)
        return false;
    if (!m_Document.load_buffer(pDescription, nBytes))
        return false;
    pugi::xml_node root = m_Document.child("vstgui-ui-description");
    pugi::xml_attribute knobAction = root.child("custom").child("attributes").attribute("KnobAction");
    if (knobAction)
        m_nKnobMode = knobAction.as_int(3);
    pugi::xml_node editorTemplate = tsraFindTemplate(m_Document, "Editor");
    if (!editorTemplate)
        return false;
    int width = 0, height = 0;
    if (!tsraParsePair(attr(editorTemplate, "size"), width, height) || width <= 0 || height <= 0 ||
        width > kMaxEditorSide || height > kMaxEditorSide)
        return false;

    m_pPlugIn = pPlugIn;
    if (pPlugIn)
        for (uint32_t i = 0; i < pPlugIn->controlList().count(); ++i)
            m_Controls.push_back(*pPlugIn->controlList().get(i));

    auto* pFrame = new CFrame(CRect(0, 0, width, height), this);
    if (!pFrame->open(pParentWindow, kHWND)) {
        pFrame->forget();
        clearCopies();
        m_pPlugIn = nullptr;
        return false;
    }
    m_pFrame = pFrame;
    pFrame->registerKeyboardHook(&m_KeyboardHook);
    pFrame->registerMouseObserver(this);
    CView::kDirtyCallAlwaysOnMainThread = false;

    CColor background;
    if (colourByName(attr(editorTemplate, "background-color"), background))
        pFrame->setBackgroundColor(background);
    const char* pBitmap = attr(editorTemplate, "bitmap");
    if (*pBitmap) {
        if (std::strcmp(pBitmap, "none") == 0) {
            pFrame->setBackground(nullptr);
        } else if (CBitmap* p = bitmapByName(pBitmap)) {
            pFrame->setBackground(p);
            p->forget();
        }
    }

    clearViewLists();
    m_TemplatesBeingMade.assign(1, editorTemplate.internal_object());
    m_nViewsMade = 0;
    for (pugi::xml_node view : editorTemplate.children("view"))
        createView(view, pFrame, true);
    m_TemplatesBeingMade.clear();
    for (CTextLabel* pLabel : m_Labels)
        if (pLabel->getTag() >= 0)
            m_BoundLabels.push_back(pLabel);

    pFrame->enableTooltips(true);
    m_pTimer->setFireTime(kTimerPeriodMs);
    m_pTimer->start();
    m_bOpened = true;
    return true;
}

void CTsraVSTEditor::getSize(float& fWidth, float& fHeight) const
{
    fWidth = m_pFrame ? static_cast<float>(m_pFrame->getWidth()) : 0.0f;
    fHeight = m_pFrame ? static_cast<float>(m_pFrame->getHeight()) : 0.0f;
}

void CTsraVSTEditor::notifyOpened()
{
    if (!m_pFrame || !m_pPlugIn)
        return;
    m_Message = EditorMessage();
    m_Message.m_uMessageCode = EditorOpened;
    m_Message.m_pCustomViewName = "";
    m_Message.m_pEmptyText = "";
    m_Message.m_pEditor = this;
    m_Message.m_pEditorAgain = nullptr;
    m_pPlugIn->onEditorMessage(&m_Message);
}

int32_t CTsraVSTEditor::getKnobMode() const
{
    if (m_nKnobMode == 0)
        return kCircularMode;
    if (m_nKnobMode == 1)
        return kRelativCircularMode;
    return kLinearMode;
}

void CTsraVSTEditor::close()
{
    if (!m_pFrame)
        return;
    m_bClosing = true;
    m_pFrame->unregisterKeyboardHook(&m_KeyboardHook);
    m_pFrame->unregisterMouseObserver(this);
    m_ControlIndexMap.clear();
    while (!m_Controls.empty())
        m_Controls.pop_back();
    m_MeterTable.fill(-1);
    clearViewLists();
    m_Bindings.clear();
    m_pTimer->stop();
    if (m_pPlugIn) {
        m_Message = EditorMessage();
        m_Message.m_uMessageCode = EditorClosing;
        m_Message.m_pCustomViewName = "";
        m_Message.m_pEmptyText = "";
        m_Message.m_pEditor = this;
        m_pPlugIn->onEditorMessage(&m_Message);
    }
    CFrame* pFrame = m_pFrame;
    m_pFrame = nullptr;
    pFrame->close();  // releases the editor's reference
    for (CFontRef pFont : m_Fonts)
        pFont->forget();
    m_Fonts.clear();
    m_bClosing = false;
}
