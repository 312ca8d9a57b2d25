#include "EditorViews.h"

#include "CJsonWriter.h"
#include "vstgui/vstgui.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>
#include <utility>
#include <vector>

using namespace VSTGUI;

namespace {

std::string ClassName(const CView& view)
{
    int status = 0;
    const std::unique_ptr<char, void (*)(void*)> p(abi::__cxa_demangle(typeid(view).name(), nullptr, nullptr, &status), std::free);
    std::string name = status == 0 && p ? p.get() : typeid(view).name();
    if (name.rfind("VSTGUI::", 0) == 0)
        name.erase(0, 8);
    return name;
}

std::string BitmapName(const CBitmap* pBitmap)
{
    return pBitmap ? pBitmap->getResourceDescription().getName() : std::string();
}

// The bitmaps a view draws, by role; roles without a bitmap are left out.
std::vector<std::pair<const char*, std::string>> Bitmaps(CView& view)
{
    std::vector<std::pair<const char*, std::string>> out;
    const auto add = [&](const char* role, const CBitmap* p) {
        if (p)
            out.emplace_back(role, BitmapName(p));
    };
    add("background", view.getBackground());
    add("disabled", view.getDisabledBackground());
    if (auto* knob = dynamic_cast<CKnob*>(&view))
        add("handle", knob->getHandleBitmap());
    if (auto* slider = dynamic_cast<CSlider*>(&view))
        add("handle", slider->getHandle());
    if (auto* meter = dynamic_cast<CVuMeter*>(&view))
        add("off", meter->getOffBitmap());
    return out;
}

void Json(CJsonWriter& json, CView& view)
{
    const CRect& r = view.getViewSize();
    json.BeginObject().Key("class").String(ClassName(view)).Key("rect").BeginArray();
    json.Number(r.left).Number(r.top).Number(r.right).Number(r.bottom).EndArray();
    if (!view.getVisibleFlag())
        json.Key("visible").Bool(false);
    for (const auto& [role, name] : Bitmaps(view))
        json.Key(role).String(name);
    if (auto* control = dynamic_cast<CControl*>(&view)) {
        json.Key("tag").Integer(control->getTag()).Key("min").Number(control->getMin());
        json.Key("max").Number(control->getMax()).Key("value").Number(control->getValue());
    }
    if (auto* multi = dynamic_cast<IMultiBitmapControl*>(&view))
        json.Key("images").Integer(multi->getNumSubPixmaps());
    if (auto* meter = dynamic_cast<CVuMeter*>(&view))
        json.Key("leds").Integer(meter->getNbLed()).Key("style").Integer(meter->getStyle());
    if (auto* container = dynamic_cast<CViewContainer*>(&view); container && container->getNbViews()) {
        json.Key("views").BeginArray();
        container->forEachChild([&](CView* child) { Json(json, *child); });
        json.EndArray();
    }
    json.EndObject();
}

void Text(std::string& out, CView& view, int depth)
{
    const CRect& r = view.getViewSize();
    char line[160];
    std::snprintf(line, sizeof line, "%*s%s (%g, %g, %g, %g)", depth * 2, "", ClassName(view).c_str(), r.left, r.top, r.right, r.bottom);
    out += line;
    if (auto* control = dynamic_cast<CControl*>(&view))
        out += " tag " + std::to_string(control->getTag());
    for (const auto& [role, name] : Bitmaps(view))
        out += std::string(" ") + role + " " + name;
    out += view.getVisibleFlag() ? "\n" : " hidden\n";
    if (auto* container = dynamic_cast<CViewContainer*>(&view))
        container->forEachChild([&](CView* child) { Text(out, *child, depth + 1); });
}

}  // namespace

std::string EditorViewsJson(CView* pRoot)
{
    CJsonWriter json;
    Json(json, *pRoot);
    return json.Text();
}

std::string EditorViewsText(CView* pRoot)
{
    std::string out;
    Text(out, *pRoot, 0);
    return out;
}
