#include "ComposeFace.h"

#include "TsraResources.h"
#include "UiDescriptionQuery.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct PngReader {
    const unsigned char* pData;
    size_t nLeft;
};

cairo_status_t readPng(void* pClosure, unsigned char* pOut, unsigned int nLength) {
    auto* pReader = static_cast<PngReader*>(pClosure);
    if (nLength > pReader->nLeft) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(pOut, pReader->pData, nLength);
    pReader->pData += nLength;
    pReader->nLeft -= nLength;
    return CAIRO_STATUS_SUCCESS;
}

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

// The PNG that a bitmap name stands for, or null.
Surface loadBitmap(const pugi::xml_document& doc, const char* pName) {
    const pugi::xml_node bitmap = tsraFindBitmap(doc, pName);
    const TsraResourceEntry* pEntry = bitmap ? tsraFindResource("PNG", bitmap.attribute("path").value()) : nullptr;
    if (pEntry == nullptr) return Surface(nullptr, cairo_surface_destroy);
    PngReader reader{pEntry->pData, pEntry->nSize};
    cairo_surface_t* pSurface = cairo_image_surface_create_from_png_stream(readPng, &reader);
    if (cairo_surface_status(pSurface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(pSurface);
        pSurface = nullptr;
    }
    return Surface(pSurface, cairo_surface_destroy);
}

double number(const pugi::xml_node& view, const char* pName, double fallback) {
    const char* pText = view.attribute(pName).value();
    return *pText ? std::atof(pText) : fallback;
}

// "#RRGGBBAA" of a document colour.
bool colour(const pugi::xml_document& doc, const char* pName, double rgba[4]) {
    for (pugi::xml_node c : doc.child("vstgui-ui-description").child("colors").children("color")) {
        if (std::strcmp(c.attribute("name").value(), pName) != 0) continue;
        const char* pText = c.attribute("rgba").value();
        if (std::strlen(pText) != 9 || pText[0] != '#') return false;
        for (int i = 0; i < 4; ++i) {
            const char byte[3] = {pText[1 + 2 * i], pText[2 + 2 * i], '\0'};
            rgba[i] = std::strtol(byte, nullptr, 16) / 255.0;
        }
        return true;
    }
    return false;
}

// Height of one frame of the analogue meter strip, from "..._H251_Z7".
int meterFrameHeight(const pugi::xml_node& view) {
    const char* pName = view.attribute("custom-view-name").value();
    const char* pH = std::strstr(pName, "_H");
    return pH ? std::atoi(pH + 2) : 0;
}

}  // namespace

int faceFrameIndex(const pugi::xml_node& view, double value) {
    const char* pClass = view.attribute("class").value();
    const double lo = number(view, "min-value", 0.0), hi = number(view, "max-value", 1.0);
    const double f = hi > lo ? std::clamp((value - lo) / (hi - lo), 0.0, 1.0) : 0.0;
    if (std::strcmp(pClass, "CAnimKnob") == 0) {
        return static_cast<int>(std::floor(f * (number(view, "sub-pixmaps", 1) - 1)));
    }
    if (std::strcmp(pClass, "CVuMeter") == 0) {
        return static_cast<int>(std::floor(f * (number(view, "num-led", 1) - 1)));
    }
    if (std::strcmp(pClass, "CHorizontalSwitch") == 0 || std::strcmp(pClass, "CVerticalSwitch") == 0) {
        return static_cast<int>(f * (number(view, "sub-pixmaps", 1) - 1) + 0.5);
    }
    if (std::strcmp(pClass, "COnOffButton") == 0) {
        return value >= hi ? 1 : 0;
    }
    return 0;
}

cairo_surface_t* composeFace(const pugi::xml_document& doc, const char* pTemplate, const FaceValues& values,
                             std::string& error) {
    const pugi::xml_node editor = tsraFindTemplate(doc, pTemplate);
    int width = 0, height = 0;
    if (!editor || !tsraParsePair(editor.attribute("size").value(), width, height) || width <= 0 || height <= 0) {
        error = std::string("no usable template \"") + pTemplate + "\"";
        return nullptr;
    }
    cairo_surface_t* pFace = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(pFace);
    double rgba[4];
    if (colour(doc, editor.attribute("background-color").value(), rgba)) {
        cairo_set_source_rgba(cr, rgba[0], rgba[1], rgba[2], rgba[3]);
        cairo_paint(cr);
    }
    if (Surface back = loadBitmap(doc, editor.attribute("bitmap").value())) {
        cairo_set_source_surface(cr, back.get(), 0, 0);
        cairo_paint(cr);
    }
    for (pugi::xml_node view : editor.children("view")) {
        int x = 0, y = 0, w = 0, h = 0;
        if (!tsraParsePair(view.attribute("origin").value(), x, y) || !tsraParsePair(view.attribute("size").value(), w, h)) {
            continue;
        }
        Surface bitmap = loadBitmap(doc, view.attribute("bitmap").value());
        if (!bitmap) continue;
        const auto found = values.find(view.attribute("control-tag").value());
        const double value = found != values.end() ? found->second : number(view, "default-value", 0.0);
        const int frame = faceFrameIndex(view, value);
        int frameHeight = static_cast<int>(number(view, "height-of-one-image", h));
        if (std::strcmp(view.attribute("class").value(), "CVuMeter") == 0) frameHeight = meterFrameHeight(view);
        if (std::strcmp(view.attribute("class").value(), "COnOffButton") == 0) frameHeight = h;
        cairo_save(cr);
        cairo_rectangle(cr, x, y, w, h);
        cairo_clip(cr);
        cairo_set_source_surface(cr, bitmap.get(), x, y - frame * frameHeight);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(pFace);
    return pFace;
}
