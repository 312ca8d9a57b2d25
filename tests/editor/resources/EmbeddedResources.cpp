#include "EmbeddedResources.h"

#include "EditorResources.h"
#include "TsraResources.h"

#include <cstdint>
#include <fstream>
#include <sstream>

const pugi::xml_document& embeddedDescription() {
    static const pugi::xml_document* pDoc = [] {
        tsraRegisterEditorResources();
        auto* doc = new pugi::xml_document;
        const TsraResourceEntry* pEntry = tsraFindResource("DATA", "TSRA.UIDESC");
        if (pEntry != nullptr) doc->load_buffer(pEntry->pData, pEntry->nSize);
        return doc;
    }();
    return *pDoc;
}

std::string sourceFile(const std::string& name) {
    std::ifstream in(std::string(BW_EDITOR_RESOURCES_DIR) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

Image loadPng(const std::string& name) {
    cairo_surface_t* s = cairo_image_surface_create_from_png((std::string(BW_EDITOR_RESOURCES_DIR) + "/" + name).c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        s = nullptr;
    }
    return Image(s, cairo_surface_destroy);
}

namespace {
uint32_t pixel(cairo_surface_t* image, int x, int y) {
    const unsigned char* data = cairo_image_surface_get_data(image);
    return reinterpret_cast<const uint32_t*>(data + y * cairo_image_surface_get_stride(image))[x];
}
}  // namespace

int alphaAt(cairo_surface_t* image, int x, int y) {
    if (cairo_image_surface_get_format(image) == CAIRO_FORMAT_RGB24) return 255;
    return static_cast<int>(pixel(image, x, y) >> 24);
}

double greyAt(cairo_surface_t* image, int x, int y) {
    const uint32_t p = pixel(image, x, y);
    const int a = alphaAt(image, x, y);
    if (a == 0) return 0.0;
    const double sum = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
    return sum / 3.0 * 255.0 / a;
}
